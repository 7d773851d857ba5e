#include "BatchRun.h"

#include "BatchKnownPoints.h"
#include "BatchOutputs.h"
#include "BatchPort.h"
#include "BatchResults.h"

#include "assess/GradeLimits.h"
#include "platform/PrivateFolder.h"
#include "platform/ShownText.h"
#include "platform/StandardStreams.h"
#include "resources/CodePage936.h"
#include "resources/StringTable.h"
#include "workspace/TraverseAdjustDlg.h"
#include "write/ResultsReport.h"
#include "write/TraverseResults.h"

namespace {
void ShowNoTempFolder(CTraverseAdjustDlg& dlg, const std::string& folder, int error) {
    dlg.ShowMessage(str::kBatchNoTempFolder,
                    FormatString(str::kBatchNoTempFolder, {ShownText(folder), ErrorText(error)}));
}

// The import, the known points typed as a user would type them after it, the
// adjustment. False when the data were refused; the step that refused them said why.
bool ImportAndAdjust(CTraverseAdjustDlg& dlg, CBatchWindowPort& port, const BatchArguments& a,
                     const std::vector<KnownPointEntry>& known) {
    dlg.m_nInputEncoding = static_cast<int>(a.inputEncoding);
    dlg.OnImport();
    if (dlg.m_arrObservations.IsEmpty()) {
        // Refused with its own message, or nothing to adjust: the adjust command says so.
        if (port.MessagesShown().empty()) dlg.OnAdjust();
        return false;
    }
    if (!TypeKnownPoints(dlg, port, a, known)) return false;
    port.SetMessagePrefix(a.observationFile);
    dlg.OnAdjust();
    return dlg.m_nState == kAdjusted;
}

// The export command with its dialog answered; true when it had nothing to say.
bool Export(CTraverseAdjustDlg& dlg, CBatchWindowPort& port, BatchExportChoice choice) {
    port.SetExportChoice(std::move(choice));
    const size_t messagesBefore = port.MessagesShown().size();
    dlg.ExportResults();
    return port.MessagesShown().size() == messagesBefore;
}

// Without -o: the report is written in a private folder as the window writes it, then
// goes to standard output, in UTF-8 unless code page 936 was asked for.
int ExportToStandardOutput(CTraverseAdjustDlg& dlg, CBatchWindowPort& port,
                           BatchExportChoice choice, bool toUtf8) {
    port.SetMessagePrefix(kBatchProgramName);
    std::string folder;
    if (const int error = MakePrivateFolder(folder); error != 0) {
        ShowNoTempFolder(dlg, TemporaryParent(), error);
        return kExitDataRefused;
    }
    choice.path = folder + "output.txt";
    choice.utf8 = false;
    std::string report;
    const bool exported = Export(dlg, port, choice);
    const int readError = exported ? ReadWholeFile(choice.path, report) : 0;
    RemoveFolderTree(folder);
    if (!exported) return kExitDataRefused;
    if (readError != 0) {
        ShowNoTempFolder(dlg, folder, readError);
        return kExitDataRefused;
    }
    if (toUtf8) report = Cp936ToUtf8(report);
    const WriteResult result = WriteReport(dlg, kStandardOutputPath, report);
    if (result.status == WriteStatus::Written) return kExitReportWritten;
    ShowWriteFailure(dlg, result, kStandardOutputPath);
    return kExitDataRefused;
}

// The report as -o, --sections and --encoding ask; the exit status so far.
int ExportAsAsked(CTraverseAdjustDlg& dlg, CBatchWindowPort& port, const BatchArguments& a) {
    BatchExportChoice choice;
    choice.approxCoords = a.approxCoords;
    choice.adjCoords = a.adjCoords;
    choice.adjSides = a.adjSides;
    choice.precision = a.precision;
    choice.utf8 = a.encoding == ReportEncoding::Utf8;
    if (!a.reportPath)
        return ExportToStandardOutput(dlg, port, choice, a.encoding != ReportEncoding::Cp936);
    // "-o -": standard output, written as the file would be.
    const bool toStandardOutput = *a.reportPath == "-";
    choice.path = toStandardOutput ? kStandardOutputPath : *a.reportPath;
    port.SetMessagePrefix(toStandardOutput ? kBatchProgramName : *a.reportPath);
    return Export(dlg, port, choice) ? kExitReportWritten : kExitDataRefused;
}
} // namespace

int RunBatch(const BatchArguments& a, std::FILE* err) {
    if (const int status = CheckOutputs(a, err); status != 0) return status;
    CBatchWindowPort port(err);
    std::vector<KnownPointEntry> known;
    if (a.knownFile && !ReadKnownPointFile(*a.knownFile, port, known)) return kExitDataRefused;
    port.SetMessagePrefix(a.observationFile);
    port.SelectType(a.traverseType);
    port.SetObservationFile(a.observationFile);
    CTraverseAdjustDlg dlg(&port);
    if (!ImportAndAdjust(dlg, port, a, known)) return kExitDataRefused;
    if (const int status = ExportAsAsked(dlg, port, a); status != kExitReportWritten) return status;

    const TraverseResults results = CollectResults(dlg);
    if (!WriteResultFiles(dlg, port, a, results)) return kExitDataRefused;
    const Grade grade = a.grade.value_or(DefaultGrade());
    const GradeChecks checks = CheckGrade(results.closure, grade);
    if (!a.quiet && a.summaryLine)
        WriteSummaryLine(err, a.observationFile, results, grade, checks);
    else if (!a.quiet)
        WriteClosureSummary(err, a.observationFile, port.DoneMessage(), results, grade, checks);
    return a.grade && !checks.Pass() ? kExitGradeExceeded : kExitReportWritten;
}
