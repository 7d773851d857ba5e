// Writing the report file: never over the observation file just imported, and a
// failure named with its path and the system's reason.
#include "write/ResultsReport.h"

#include "platform/ShownText.h"
#include "resources/StringTable.h"
#include "workspace/TraverseAdjustDlg.h"

WriteResult WriteReport(const CTraverseAdjustDlg& ws, const std::string& path,
                        std::string_view bytes) {
    std::optional<FileId> observations;
    if (ws.m_importedFile.valid)
        observations = FileId{ws.m_importedFile.device, ws.m_importedFile.inode};
    return WriteWholeFile(path, bytes, observations);
}

WriteResult ExportReport(const CTraverseAdjustDlg& ws, const ReportSections& sections,
                         const std::string& path) {
    return WriteReport(ws, path, BuildResultsReport(ws, sections));
}

ShownMessage WriteFailureMessage(const WriteResult& result, const std::string& path) {
    struct Failure {
        WriteStatus status;
        int stringId; // %1 the path, %2 the reason
    };
    static constexpr Failure kFailures[] = {
        {WriteStatus::NoPath, str::kCannotWriteReport},
        {WriteStatus::CannotCreate, str::kCannotCreateReport},
        {WriteStatus::WriteFailed, str::kReportWriteFailed},
        {WriteStatus::StreamFailed, str::kReportStreamFailed},
        {WriteStatus::NotAFile, str::kReportNotAFile},
        {WriteStatus::HardLinked, str::kReportHardLinked},
        {WriteStatus::Protected, str::kReportIsObservations},
    };
    const std::string reason = result.error != 0 ? ErrorText(result.error) : std::string();
    for (const Failure& f : kFailures)
        if (f.status == result.status)
            return {f.stringId, FormatString(f.stringId, {ShownText(path), reason})};
    return {};
}

void ShowWriteFailure(CTraverseAdjustDlg& ws, const WriteResult& result, const std::string& path) {
    const ShownMessage message = WriteFailureMessage(result, path);
    if (message.stringId != 0) ws.ShowMessage(message.stringId, message.text);
}
