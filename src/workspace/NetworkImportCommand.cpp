// The network's import: every file chosen is read before anything changes; one refused,
// or already in the network (by device and inode, however it is named), leaves the
// workspace as it was. With files imported already, 是 adds the files chosen and 否
// replaces them. The grid shows every file's records one after the other, the caption
// names the files and the known-point table is named after their points.
#include "platform/PathNames.h"
#include "read/ImportText.h"
#include "read/ObservationFile.h"
#include "resources/StringTable.h"
#include "workspace/ResultValidity.h"
#include "workspace/TraverseAdjustDlg.h"

#include <algorithm>

using namespace traverse;

namespace {
bool SameFile(const FileId& a, const FileId& b) {
    return a.device == b.device && a.inode == b.inode;
}

// "导线平差 — 导线网 south.txt、north.txt"
std::string NetworkCaption(const std::vector<NetworkImport>& files) {
    std::string text = std::string(kWindowCaption) + " — 导线网";
    for (size_t i = 0; i < files.size(); ++i)
        text += (i == 0 ? " " : "、") + FileNameOf(files[i].path);
    return text;
}
} // namespace

bool CTraverseAdjustDlg::IsObservationFile(const FileId& id) const {
    if (m_importedFile.valid && SameFile(id, {m_importedFile.device, m_importedFile.inode}))
        return true;
    return std::any_of(m_networkFiles.begin(), m_networkFiles.end(),
                       [&](const NetworkImport& f) { return SameFile(f.identity, id); });
}

void CTraverseAdjustDlg::ImportNetworkFiles(const std::vector<std::string>& paths) {
    if (paths.empty() || !ReadWindow() || m_pPort == nullptr) return;
    const std::optional<ReadOptions> options = ImportOptions();
    if (!options) return;
    const bool add = !m_networkFiles.empty() &&
                     m_pPort->AskYesNo(str::kNetworkAddFiles,
                                       std::string(LoadString(str::kNetworkAddFiles)));
    std::vector<NetworkImport> files;
    if (add) files = m_networkFiles;
    for (const std::string& path : paths) {
        ObservationFile read = ReadObservationFile(path, *options);
        if (read.read.refusal) {
            ShowRefusal(*read.read.refusal);
            return;
        }
        const FileId id{read.file->device, read.file->inode};
        if (std::any_of(files.begin(), files.end(),
                        [&](const NetworkImport& f) { return SameFile(f.identity, id); })) {
            ShowMessage(str::kNetworkFileImported,
                        FormatString(str::kNetworkFileImported, {DisplayName(path)}));
            return;
        }
        files.push_back({path, {DisplayName(path), std::move(read.read.observations)}, id});
    }
    m_strLastFolder = FolderOf(paths.back());
    const CImportScope scope(*this); // no exportable result after it
    ResetWorkspace();
    m_networkFiles = std::move(files);
    for (const NetworkImport& f : m_networkFiles)
        for (const ObservationRecord& r : f.file.records)
            m_arrObservations.Add(r);
    m_nState = kObservationsLoaded;
    FillObservationTable();
    const NetworkImport& first = m_networkFiles.front();
    m_importedFile = {true, first.identity.device, first.identity.inode};
    m_strObservationPath = first.path;
    m_pPort->SetCaption(NetworkCaption(m_networkFiles));
    m_exportOptions.m_strPath.clear();
    NameKnownPointRows();
}
