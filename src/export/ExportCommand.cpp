// The export command of button 1020: options dialog, report file, open action. The
// window is read first, so a known point typed just before counts (and drops the results).
#include "export/ResultExportDlg.h"
#include "export/ResultsReport.h"
#include "resources/StringTable.h"
#include "workspace/TraverseAdjustDlg.h"

namespace {
bool AnySection(const CResultExportDlg& options) {
    return options.m_bApproxCoords == 1 || options.m_bAdjCoords == 1 || options.m_bAdjSides == 1 ||
           options.m_bPrecision == 1;
}
} // namespace

void CTraverseAdjustDlg::ExportResults() {
    if (!ReadWindow()) return;
    if (m_nState != kAdjusted) {
        ShowMessage(m_bResultsDiscarded ? str::kResultsOutdated : str::kNotAdjusted);
        return;
    }
    if (m_pPort == nullptr) return;
    CResultExportDlg options;
    if (!m_pPort->RunExportDialog(options)) return;
    if (!AnySection(options)) {
        ShowMessage(str::kNoSectionChosen);
        return;
    }

    const std::string path = options.m_strPath;
    const WriteResult result = ExportReport(*this, SectionsOf(options), path);
    if (result.status == WriteStatus::Written)
        m_pPort->OpenDocument(path);
    else
        ShowWriteFailure(*this, result, path);
}
