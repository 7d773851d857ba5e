// The results report: up to four sections in fixed order (approximate coordinates,
// adjusted coordinates, adjusted sides, point errors with error ellipses), code page
// 936 text (UTF-8 on request) with CR LF line ends. Building the bytes is separate from writing the
// file so the batch tool and the tests can use the same text.
#pragma once

#include "platform/ReplaceFile.h"

#include <string>
#include <string_view>

class CTraverseAdjustDlg;
class CResultExportDlg;

enum class ReportEncoding { Cp936, Utf8 };

// The sections to write, and the text's encoding.
struct ReportSections {
    bool approxCoords = false;
    bool adjCoords = false;
    bool adjSides = false;
    bool precision = false;
    ReportEncoding encoding = ReportEncoding::Cp936;
};

// The sections ticked in the options dialog (an option counts when it is exactly 1)
// and its encoding.
ReportSections SectionsOf(const CResultExportDlg& options);

// The report bytes for the workspace's last adjustment: code page 936 (or UTF-8, the
// same text converted), every line feed written as CR LF. Reads the workspace only.
std::string BuildResultsReport(const CTraverseAdjustDlg& ws, const ReportSections& sections);

// Writes report bytes to path as given (see WriteWholeFile), never over the observation
// file the workspace last imported.
WriteResult WriteReport(const CTraverseAdjustDlg& ws, const std::string& path,
                        std::string_view bytes);

// Builds the report and writes it: what the export command does after the dialog.
WriteResult ExportReport(const CTraverseAdjustDlg& ws, const ReportSections& sections,
                         const std::string& path);

// A message by its string id and its formatted text; id 0 when there is none.
struct ShownMessage {
    int stringId = 0;
    std::string text;
};

// The message for a write that did not succeed: the path, shown safely, and the reason.
ShownMessage WriteFailureMessage(const WriteResult& result, const std::string& path);
void ShowWriteFailure(CTraverseAdjustDlg& ws, const WriteResult& result, const std::string& path);
