// Results as a surveyor reads them: closures rounded to 0.1 mm and 0.1 second, angles
// as degrees-minutes-seconds (rounded, then split), and the closure statistics against
// a grade as lines of Chinese text (UTF-8).
#pragma once

#include "assess/GradeLimits.h"
#include "model/NumberText.h"
#include "write/TraverseResults.h"

#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace traverse {

// Degrees in [0, 360) as "330°12′01.12″" with the seconds to decimals places.
std::string FormatDms(double degrees, int decimals);
// K of a relative closure 1/K; "∞" when the traverse closes exactly.
std::string RelativeClosureText(const std::optional<long long>& k);
// 合格 or 超限.
std::string VerdictText(bool pass);

// The coordinate table as the windows show it: the column headers, and a point's cells
// (name, X, Y to the millimetre, M, Mx, My, A, B to 0.01 mm and F, empty for a known
// point, then 已知点 or 待定点).
const std::vector<std::string>& CoordinateTableHeaders();
std::vector<std::string> CoordinateTableRow(const ResultPoint& point);
// Where heights were computed, two more columns after those: H(m) to the millimetre and
// mH(mm) to 0.1 mm (empty for a known height or without a closure).
const std::vector<std::string>& HeightTableHeaders();
std::vector<std::string> HeightTableRow(const ResultPoint& point);
// The whole table as text, cells separated by tabs, each line ended by lineEnd.
std::string CoordinateTableText(const TraverseResults& results, std::string_view lineEnd);

// The known points the adjustment held, each as its group's heading with its name and
// coordinates ("已知点1 D21", "X = 3381252.418 m，Y = 501734.206 m").
struct KnownPointText {
    std::string point, coordinates;
};
std::vector<KnownPointText> KnownPointTexts(const TraverseResults& results);

// Cells padded to their columns' widths (a Chinese character counting two), after two
// spaces: the text report's tables beyond the classic four.
std::string PaddedRow(const std::vector<std::string>& cells, const std::vector<size_t>& widths);

// "（测图比例尺 1:1000）" for a 图根 grade ("（未选测图比例尺，按 1:2000）" without a
// scale); empty for the others.
std::string MapScaleNote(const Grade& grade);
// The length and mean-side lines where the grade has those limits.
std::vector<std::string> LengthLines(const ClosureStatistics& closure, const Grade& grade,
                                     const GradeChecks& checks);

// The azimuth closure (or the angle count without one), the coordinate closures and the
// relative closure against the grade.
std::vector<std::string> ClosureCheckLines(const ClosureStatistics& closure, const Grade& grade,
                                           const GradeChecks& checks);

// The azimuth (or angle count), coordinate, relative closure, length, sigma0 and weakest-point
// lines, then the grade's verdict ("等级 图根：合格"); the weakest point's line only where
// there is a new point.
std::vector<std::string> ClosureSummaryLines(const TraverseResults& results, const Grade& grade,
                                             const GradeChecks& checks);

} // namespace traverse
