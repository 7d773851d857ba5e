// The export command of button 1020: options dialog, report file, open action.
#include "export/ResultExportDlg.h"
#include "export/ResultsReport.h"
#include "resources/StringTable.h"
#include "workspace/TraverseAdjustDlg.h"

void CTraverseAdjustDlg::ExportResults() {
    if (m_nState != kAdjusted) {
        ShowMessage(str::kNotAdjusted);
        return;
    }
    if (m_pPort == nullptr) return;
    CResultExportDlg options;
    if (!m_pPort->RunExportDialog(options)) return;

    const std::string path = options.m_strPath;
    const WriteResult result = ExportReport(*this, SectionsOf(options), path);
    if (result.status == WriteStatus::Written)
        m_pPort->OpenDocument(path);
    else
        ShowWriteFailure(*this, result, path);
}
