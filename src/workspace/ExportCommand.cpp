// The export command of button 1020: options dialog (with the choice of the last
// export of this run), report file, open action, then where the report is. The window is read
// first, so a known point typed just before counts (and drops the results).
#include "platform/LocalDate.h"
#include "platform/PathNames.h"
#include "resources/StringTable.h"
#include "resources/Version.h"
#include "workspace/ResultExportDlg.h"
#include "workspace/TraverseAdjustDlg.h"
#include "write/NetworkReport.h"
#include "write/ResultsReport.h"

using namespace traverse;

ReportContext CTraverseAdjustDlg::CurrentReportContext() const {
    return {m_strObservationPath, m_grade,     LocalDateText(),
            ProgramVersion(),     m_strProject, m_heightGrade};
}

void CTraverseAdjustDlg::ExportResults() {
    if (!ReadWindow()) return;
    if (!HasResults()) {
        ShowMessage(m_bResultsDiscarded ? str::kResultsOutdated : str::kNotAdjusted);
        return;
    }
    if (m_pPort == nullptr) return;
    CResultExportDlg& options = m_exportOptions; // opens with the last choice of this run
    if (options.m_strPath.empty()) options.m_strPath = DefaultSavePath("平差报告.txt");
    if (!m_pPort->RunExportDialog(options)) return;
    if (!options.AnySection()) { // a dialog that closed without its OK's check
        ShowMessage(str::kNoSectionChosen);
        return;
    }

    const std::string path = options.m_strPath;
    m_strLastFolder = FolderOf(path);
    const std::string report =
        m_network ? BuildNetworkReport(m_network->observations, m_network->adjustment,
                                       options.Sections(), CurrentNetworkContext())
                  : BuildResultsReport(*m_adjusted, options.Sections(), CurrentReportContext());
    if (!SaveResultFile(path, report)) return;
    // Where the report is, and the path to open by hand when no program opens it.
    const bool opened = m_pPort->OpenDocument(path);
    const int message = opened ? str::kReportSaved : str::kCannotOpenDocument;
    ShowMessage(message, FormatString(message, {path}));
}
