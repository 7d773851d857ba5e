// The results report: up to four sections in fixed order (approximate coordinates,
// adjusted coordinates, adjusted sides, point errors with error ellipses), code page
// 936 text with CR LF line ends. Building the bytes is separate from writing the file
// so the batch tool and the tests can use the same text.
#pragma once

#include <string>
#include <string_view>

class CTraverseAdjustDlg;
class CResultExportDlg;

struct ReportSections {
    bool approxCoords = false;
    bool adjCoords = false;
    bool adjSides = false;
    bool precision = false;
};

// The sections ticked in the options dialog (an option counts when it is exactly 1).
ReportSections SectionsOf(const CResultExportDlg& options);

// The report bytes for the workspace's last adjustment: code page 936, every line
// feed written as CR LF. Reads the workspace only.
std::string BuildResultsReport(const CTraverseAdjustDlg& ws, const ReportSections& sections);

enum class ReportWriteStatus {
    Written,      // complete and in place
    CannotCreate, // the file could not be created at that path; nothing changed
    WriteFailed,  // writing failed part-way; an earlier file at that path is untouched
};

// Writes bytes to path (UTF-8 bytes as given). A regular file is written beside the
// target under a temporary name, flushed to disk and renamed over the target only
// when complete. An existing character device (a terminal, /dev/null) is written in
// place; any other existing target that is not a regular file is refused.
ReportWriteStatus WriteReportFile(const std::string& path, std::string_view bytes);

// Builds the report and writes it: what the export command does after the dialog.
ReportWriteStatus ExportReport(const CTraverseAdjustDlg& ws, const ReportSections& sections,
                               const std::string& path);
