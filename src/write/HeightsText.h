// The heights of a traverse as a surveyor reads them (UTF-8 lines): the report's table
// 高程平差 (点号, 高差观测值, 改正数, 平差后高差, 高程, 高程中误差) and the closure lines of
// the heights against a height grade. Nothing at all for a traverse in plane only.
// Metres to the millimetre, closures and errors to 0.1 mm; errors 1σ, a posteriori.
#pragma once

#include "assess/HeightGrades.h"
#include "write/TraverseResults.h"

#include <string>
#include <vector>

namespace traverse {

// The checks of computed heights against a grade (nothing applies to refused ones).
HeightChecks CheckResultHeights(const ResultHeights& heights, const HeightGrade& grade);

// The section's lines: its title and column heads, a row per point (the difference and
// correction of the side arriving at it), then the refraction used; the reason instead
// of the table where the heights were refused.
std::vector<std::string> HeightTableLines(const TraverseResults& results);
// The same table as cells (the header row first); none unless heights were computed.
std::vector<std::vector<std::string>> HeightTableCells(const TraverseResults& results);
// "大气折光系数 k = 0.13，地球半径 R = 6371000 m；高差 h = …": the model the table used.
std::string RefractionLine(const ResultHeights& heights);

// fh against its limit (or that nothing checks the heights), the worst reciprocal
// difference against its limit, μ and the weakest point, and the height grade's verdict;
// one line saying why where the heights were refused.
std::vector<std::string> HeightSummaryLines(const TraverseResults& results,
                                            const HeightGrade& grade);

// Whether the heights fail a check of the grade (refused heights fail none).
bool HeightsExceed(const TraverseResults& results, const HeightGrade& grade);

} // namespace traverse
