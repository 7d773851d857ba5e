// What the full report holds, as text, before it is laid out on a page or in HTML: the
// header's rows (label, value), the closure lines with the verdict last, the calculation
// sheet's cells (header row, stations, 合计) with the figures under it, the coordinate
// table's cells (header row, points), the tests for blunders (lines and table) and the
// plot's title. UTF-8 throughout.
#pragma once

#include "write/ReportSummary.h"
#include "write/TraverseResults.h"

#include <string>
#include <string_view>
#include <utility>
#include <vector>

namespace traverse {

using TextCells = std::vector<std::vector<std::string>>;

// Where the computer and the checker sign, under the closures.
inline constexpr std::string_view kSignaturesLine =
    "计算者：__________　　检查者：__________　　日期：__________";

struct ReportContent {
    std::vector<std::pair<std::string, std::string>> header; // 项目名称 … 程序版本
    std::vector<std::string> closures;                       // the verdict last
    std::string signatures; // where the computer and the checker sign, under the closures
    TextCells sheet;                                         // header row first, 合计 last
    std::vector<std::string> sheetFigures;                   // "label = value" each
    TextCells coordinates;                                   // header row first
    TextCells heightTable;   // 高程平差, header row first; empty unless heights were computed
    std::string heightModel; // under it: the refraction and the formula used
    std::vector<std::string> tests;                          // global test, suspects, ellipses
    TextCells testTable;                                     // header row first
    std::string plotTitle;
};

ReportContent BuildReportContent(const TraverseResults& results, const ReportContext& context);

// The same without its three long tables (sheet, coordinates, tests), for a writer that
// makes them one at a time: CalculationSheetCells, CoordinateCells and TestCells.
ReportContent BuildReportOutline(const TraverseResults& results, const ReportContext& context);
TextCells CoordinateCells(const TraverseResults& results);
TextCells TestCells(const TraverseResults& results);

// The pieces of a line between its 超限 (the text of a failed check), and whether each
// piece is one: a page marks them.
std::vector<std::pair<std::string, bool>> FailureRuns(const std::string& line);

} // namespace traverse
