// The workflow state with the button that depends on it, and the command of "平差成果":
// the results window over the current adjustment, whose files are written as the
// report is; and "退出", which asks before an adjustment nothing was saved from is lost.
#include "platform/OutputTargets.h"
#include "resources/StringTable.h"
#include "workspace/ControlIds.h"
#include "workspace/TraverseAdjustDlg.h"
#include "write/ResultsReport.h"

using namespace traverse;

void CTraverseAdjustDlg::SetState(int state) {
    m_nState = state;
    if (m_pPort != nullptr) m_pPort->EnableControl(ctl::kResults, state == kAdjusted);
}

// The window is read first, as the export does: a known point typed just before counts.
void CTraverseAdjustDlg::OnShowResults() {
    if (!ReadWindow()) return;
    if (!HasResults()) {
        ShowMessage(m_bResultsDiscarded ? str::kResultsOutdatedView : str::kNotAdjusted);
        return;
    }
    if (m_pPort != nullptr) m_pPort->RunResultsWindow(*this);
}

// Never over the observation file just imported, however it is named.
bool CTraverseAdjustDlg::SaveResultFile(const std::string& path, std::string_view bytes) {
    std::optional<FileId> observations;
    if (m_importedFile.valid) observations = FileId{m_importedFile.device, m_importedFile.inode};
    // A network's other files likewise.
    if (const auto target = IdentifyFile(path); target && IsObservationFile(*target))
        observations = target;
    const WriteResult result = WriteWholeFile(path, bytes, observations);
    if (result.status == WriteStatus::Written) {
        m_bResultsSaved = true;
        return true;
    }
    ShowWriteFailure(result, path);
    return false;
}

void CTraverseAdjustDlg::ShowWriteFailure(const WriteResult& result, const std::string& path) {
    if (const auto refusal = WriteFailure(result, path)) ShowRefusal(*refusal);
}

bool CTraverseAdjustDlg::OnExit() {
    if (!HasResults() || m_bResultsSaved || m_pPort == nullptr) return true;
    return m_pPort->AskYesNo(str::kExitUnsaved, std::string(LoadString(str::kExitUnsaved)));
}
