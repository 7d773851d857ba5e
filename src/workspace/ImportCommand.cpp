// The import command: pick a file, reset the workspace, read the file once, parse it by
// its extension, show the observations and reduce the slope distances. A refused file
// leaves the workspace reset; whatever the outcome, no exportable result is left
// (CImportScope).
#include "read/ObservationReaders.h"
#include "workspace/TraverseAdjustDlg.h"

#include "platform/PathNames.h"
#include "platform/ShownText.h"
#include "read/FileBytes.h"
#include "resources/StringTable.h"
#include "workspace/ResultValidity.h"

#include <cctype>

namespace {
constexpr const char* kOpenFilter =
    "观测数据 (*.txt *.con)|*.txt;*.con|(*.txt)|*.txt|(*.con)|*.con|所有文件 (*)|*||";

enum class FileKind { Txt, Con, Other };

// By the last three characters of the path, whatever their case.
FileKind KindOf(const std::string& path) {
    if (path.size() < 3) return FileKind::Other;
    std::string ext = path.substr(path.size() - 3);
    for (char& c : ext)
        c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
    if (ext == "txt") return FileKind::Txt;
    if (ext == "con") return FileKind::Con;
    return FileKind::Other;
}

void ShowNamed(CTraverseAdjustDlg& dlg, int stringId, const std::string& path) {
    dlg.ShowMessage(stringId, FormatString(stringId, {DisplayName(path)}));
}

// The one read of the chosen file; says why when there is nothing to parse.
bool ReadChosenFile(CTraverseAdjustDlg& dlg, const std::string& path, FileBytes& file) {
    switch (ReadRegularFile(path, kMaxFileBytes, file)) {
    case FileReadStatus::Ok:
        return true;
    case FileReadStatus::CannotOpen:
        dlg.ShowMessage(
            str::kCannotOpenFileReason,
            FormatString(str::kCannotOpenFileReason, {DisplayName(path), ErrorText(file.error)}));
        return false;
    case FileReadStatus::NotRegular:
        ShowNamed(dlg, str::kNotRegularFile, path);
        return false;
    case FileReadStatus::TooLarge:
        ShowNamed(dlg, str::kFileTooLarge, path);
        return false;
    }
    return false;
}
} // namespace

void CTraverseAdjustDlg::OnImport() {
    if (!ReadWindow() || m_pPort == nullptr) return;
    std::optional<std::string> chosen = m_pPort->ChooseOpenFile(kOpenFilter);
    if (chosen) ImportFile(*chosen);
}

void CTraverseAdjustDlg::ImportFile(const std::string& path) {
    if (!ReadWindow() || m_pPort == nullptr) return;
    const CImportScope scope(*this); // read, refused or empty: no exportable result after it
    m_strLastFolder = FolderOf(path);

    ResetWorkspace();
    m_importedFile = {};
    const FileKind kind = KindOf(path);
    if (kind == FileKind::Other) {
        ShowNamed(*this, str::kUnsupportedExtension, path);
        return;
    }
    FileBytes file;
    if (!ReadChosenFile(*this, path, file)) return;
    const auto encoding = static_cast<TextEncoding>(m_nInputEncoding);
    const ReadResult read = kind == FileKind::Txt
                                ? ReadTxtObservations(file.bytes, DisplayName(path), encoding)
                                : ReadConObservations(file.bytes, DisplayName(path), encoding);
    if (read.refusal) {
        ShowRefusal(*read.refusal);
        return;
    }
    for (const ObservationRecord& r : read.observations)
        m_arrObservations.Add(r);
    m_nState = kObservationsLoaded;
    FillObservationTable(); // the slope distances as read
    ReduceSlopeDistances(std::span(m_arrObservations.GetData(), m_arrObservations.GetSize()));
    m_importedFile = {true, file.device, file.inode};
    m_strObservationPath = path;
    m_exportOptions.m_strPath.clear(); // the next export offers this traverse's own name
    FillKnownPointNames();
}
