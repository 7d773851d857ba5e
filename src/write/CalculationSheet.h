// The traverse calculation sheet (导线计算表) from the least-squares results, as a surveyor
// checks it by hand. Its figures are the printed ones, each a whole number of units of
// its last digit: angles and azimuths in tenths of an arc second, sides, increments,
// their corrections and the coordinates in millimetres, the side corrections of the
// adjustment in tenths of a millimetre. In those figures every row holds:
//   坐标方位角 = the azimuth above + 改正后角值 − 180° (mod 360°), the angles left ones;
//   改正后角值 = 观测角 + 改正数;
//   ΔX计算值 = 边长 × cos(坐标方位角), ΔY计算值 = 边长 × sin(坐标方位角), to the mm;
//   ΔX改正数 = 改正后ΔX − ΔX计算值 (mm), and X of the next row = X + 改正后ΔX; Y likewise.
// The azimuths are the adjusted ones rounded (the known directions as given), so a printed
// angle correction is the adjustment's within 0.15″; the sides are the observed horizontal
// ones; every sum is the sum of its column's printed entries. X north.
#pragma once

#include "assess/AdjustedTraverse.h"
#include "assess/ClosureStatistics.h"
#include "assess/GradeLimits.h"
#include "assess/HeightGrades.h"

#include <optional>
#include <string>
#include <utility>
#include <vector>

namespace traverse {

inline constexpr long long kTenthsPerCircle = 360LL * 36000LL; // tenths of a second

struct SheetAngle {
    long long observed = 0;              // 0.1″, [0, 360°)
    std::optional<long long> correction; // 0.1″; none where the angle is not adjusted
    long long adjusted = 0;              // 0.1″, [0, 360°)
    bool inSum = true; // in Σβ测: every angle but a closed loop's connection angle
};

struct SheetSide {
    long long length = 0;                         // observed, horizontal, mm
    long long correction = 0;                     // the adjustment's, 0.1 mm
    long long dxComputed = 0, dyComputed = 0;     // from 边长 and 坐标方位角, mm
    long long dxCorrection = 0, dyCorrection = 0; // mm
    long long dxAdjusted = 0, dyAdjusted = 0;     // between the adjusted X, Y, mm
};

struct SheetPoint {
    long long x = 0, y = 0; // adjusted, mm
};

// A station's row, or a known direction's (start 2 → start 1 above the first station;
// end 1 → end 2 below the last, double-connection type): its two points and azimuth.
struct SheetRow {
    bool direction = false;
    std::string station;             // UTF-8; a direction's first point
    std::string to;                  // a direction's second point; empty on a station's row
    std::optional<SheetAngle> angle; // none where no angle is observed or adjusted
    // The azimuth of the side leaving the station (a closed loop's last row: of its
    // first side again, the check), or of the direction; 0.1″, [0, 360°).
    std::optional<long long> azimuth;
    std::optional<SheetSide> side; // the side to the next station
    std::optional<SheetPoint> xy;  // none on a direction's row
};

// The 合计 row: each the sum of its column's printed entries, the angles only those in
// Σβ测 (not folded into 360°).
struct SheetSums {
    long long observedAngles = 0, angleCorrections = 0, adjustedAngles = 0;         // 0.1″
    long long sides = 0, sideCorrections = 0;                                       // mm, 0.1 mm
    long long dxComputed = 0, dyComputed = 0, dxCorrections = 0, dyCorrections = 0; // mm
    long long dxAdjusted = 0, dyAdjusted = 0;                                       // mm
};

// Σβ理 of the closed and double-connection types and fβ = Σβ测 − Σβ理, in the sheet's
// figures: closed (n − 2)·180° for interior angles, (n + 2)·180° for exterior ones (n·180°
// + k·360° for a loop that crosses itself); double α终 − α始 + n·180°, by whole turns
// nearest Σβ测.
enum class AngleSumRule { kInterior, kExterior, kCrossedLoop, kAnnexed };

struct SheetAngleCondition {
    AngleSumRule rule = AngleSumRule::kAnnexed;
    int count = 0;             // n, the angles in Σβ测
    long long theoretical = 0; // Σβ理, 0.1″
    long long closure = 0;     // fβ, 0.1″
    std::string connection;    // closed: the station whose connection angle is left out
};

// The heights' columns (观测高差, 改正数, 改正后高差, 高程), where heights were computed,
// in whole millimetres so that they add up as printed: 高程 the adjusted height rounded,
// 改正后高差 the difference of the printed heights, 改正数 = 改正后高差 − 观测高差. A
// station's row holds the side leaving it, as the increments do.
struct SheetHeightRow {
    std::optional<long long> observed, correction, adjusted; // mm; none on the last row
    long long height = 0;                                    // mm
};

struct SheetHeights {
    std::vector<SheetHeightRow> rows;                      // one per station row, in order
    long long observed = 0, corrections = 0, adjusted = 0; // the 合计 row, mm
    // fh in the printed figures, Σ观测 − (H终 − H始) (mm); none with one known height.
    std::optional<long long> closure;
    double length = 0.0; // ΣD, m, for the limit
};

struct CalculationSheet {
    std::vector<SheetRow> rows;
    SheetSums sums;
    std::optional<SheetAngleCondition> angleCondition;
    std::optional<SheetHeights> heights;
};

CalculationSheet BuildCalculationSheet(const AdjustedTraverse& traverse);

// The footer under the 合计 row, label and printed value, each where the type has it:
// Σβ理, fβ, fβ允, then fx, fy, fD, K and K允 (the closures are the observations', as the
// report gives them; the limits the grade's).
std::vector<std::pair<std::string, std::string>>
CalculationSheetClosures(const CalculationSheet& sheet, const ClosureStatistics& closure,
                         const Grade& grade);
// The same as the text under the table: "label = value" each, the labels written so
// that this reads as the sum worked ("方位角闭合差 fβ(″) = Σβ测 − Σβ理 = -4.0").
std::vector<std::string> CalculationSheetFooter(const CalculationSheet& sheet,
                                                const ClosureStatistics& closure,
                                                const Grade& grade);

// The table as text cells: the header, the rows, then the 合计 row. Angles as
// 90°12′03.0″, sums of angles not folded into 360°.
std::vector<std::vector<std::string>> CalculationSheetCells(const CalculationSheet& sheet);
// The same one row at a time, for a long sheet: row i of CalculationSheetRowCount (the
// header, the sheet's rows, 合计) into row, its earlier cells replaced.
size_t CalculationSheetRowCount(const CalculationSheet& sheet);
void CalculationSheetRow(const CalculationSheet& sheet, size_t i, std::vector<std::string>& row);

// The heights' four columns beside those cells (header, rows, 合计), where heights were
// computed; none otherwise. A direction's row is empty.
std::vector<std::vector<std::string>> CalculationSheetHeightCells(const CalculationSheet& sheet);

// The sheet as CSV (UTF-8 with a byte-order mark, CR LF): the cells, then a line per
// footer figure with its label in the first cell. With heights, their four columns
// follow each row's, and fh with its limit of the height grade the footer.
std::string CalculationSheetCsv(const CalculationSheet& sheet, const ClosureStatistics& closure,
                                const Grade& grade,
                                const HeightGrade& heightGrade = DefaultHeightGrade());

} // namespace traverse
