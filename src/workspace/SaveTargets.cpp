// Where the files of a run are saved: default names from the observation file
// ("closed-平差报告.txt" beside "closed.txt", then in the folder last used), and the
// question before a save replaces a file that exists. 否 goes back to the dialog.
#include "platform/OutputTargets.h"
#include "platform/PathNames.h"
#include "resources/StringTable.h"
#include "workspace/ResultExportDlg.h"
#include "workspace/TraverseAdjustDlg.h"

using namespace traverse;

namespace {
// The observation file's name without its extension; empty without one.
std::string StemOf(const std::string& path) {
    const std::string name = FileNameOf(path);
    return name.substr(0, name.size() - LowercaseExtension(path).size());
}
} // namespace

std::string CTraverseAdjustDlg::DefaultSavePath(std::string_view what) const {
    // A network's results are of all its files: they take the type's name.
    const std::string stem = m_network || !m_networkFiles.empty() ? std::string("导线网")
                                                                  : StemOf(m_strObservationPath);
    return m_strLastFolder + (stem.empty() ? std::string(what) : stem + "-" + std::string(what));
}

bool CTraverseAdjustDlg::ConfirmReplace(const std::string& path) {
    const auto existing = IdentifyFile(path);
    if (!existing || m_pPort == nullptr) return true;
    // The observation file is never replaced: the write refuses it with its own message.
    if (IsObservationFile(*existing)) return true;
    return m_pPort->AskYesNo(str::kReplaceFile,
                             FormatString(str::kReplaceFile, {FileNameOf(path)}));
}

std::optional<std::string> CTraverseAdjustDlg::ChooseSaveTarget(const std::string& defaultExt,
                                                                std::string_view what,
                                                                const std::string& filter,
                                                                std::string initial) {
    if (m_pPort == nullptr) return std::nullopt;
    if (initial.empty()) initial = DefaultSavePath(what);
    for (;;) {
        const auto path = m_pPort->ChooseSaveFile(defaultExt, initial, filter);
        if (!path) return std::nullopt;
        m_strLastFolder = FolderOf(*path);
        if (ConfirmReplace(*path)) return path;
        initial = *path; // 否: the dialog again, on the same name
    }
}

bool CTraverseAdjustDlg::SaveResultAs(const ResultFileKind& kind,
                                      const std::function<std::string()>& bytes) {
    const auto path = ChooseSaveTarget(kind.extension, kind.what, kind.filter);
    return path && SaveResultFile(*path, bytes());
}
