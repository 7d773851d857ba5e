// The traverse calculation sheet (导线计算表) from the least-squares results: per station
// the observed angle, its correction and the adjusted angle, the adjusted azimuth of the
// side leaving it, the side with its correction, the coordinate increments computed from
// the observations (the approximate traverse) with their corrections and as adjusted,
// and the adjusted X, Y. The corrections are the adjustment's own, so every correction
// column sums to its closure with the sign turned. Metres, millimetres, arc seconds,
// degrees; X north.
#pragma once

#include "assess/AdjustedTraverse.h"
#include "assess/ClosureStatistics.h"

#include <optional>
#include <string>
#include <utility>
#include <vector>

namespace traverse {

struct SheetSide {
    double azimuth = 0.0;                          // adjusted, degrees [0, 360)
    double observed = 0.0;                         // horizontal, m
    double correction = 0.0;                       // mm
    double dxComputed = 0.0, dyComputed = 0.0;     // from the approximate traverse, m
    double dxCorrection = 0.0, dyCorrection = 0.0; // mm
    double dxAdjusted = 0.0, dyAdjusted = 0.0;     // m
};

struct SheetAngle {
    double observed = 0.0;   // degrees [0, 360)
    double correction = 0.0; // seconds
    double adjusted = 0.0;   // degrees [0, 360)
};

struct SheetRow {
    std::string station;             // UTF-8
    std::optional<SheetAngle> angle; // none where no angle enters the adjustment
    std::optional<SheetSide> side;   // the side to the next row; none on the last row
    PlanePoint xy{};                 // adjusted, m
};

struct CalculationSheet {
    std::vector<SheetRow> rows;
    // Column sums: angle corrections (seconds), sides (m), side corrections (mm), the
    // computed, corrected and adjusted increments (m, mm, m).
    double angleCorrections = 0.0, sides = 0.0, sideCorrections = 0.0;
    double dxComputed = 0.0, dyComputed = 0.0, dxCorrections = 0.0, dyCorrections = 0.0;
    double dxAdjusted = 0.0, dyAdjusted = 0.0;
};

CalculationSheet BuildCalculationSheet(const AdjustedTraverse& traverse);

// The sheet as CSV (UTF-8 with a byte-order mark, CR LF): a header, a row per station,
// the sums, then the closures. Each column is printed so that its printed entries add
// up to its printed sum: an entry is the difference of the rounded running sums.
std::string CalculationSheetCsv(const CalculationSheet& sheet, const ClosureStatistics& closure);

// The closures written under the sheet: label and printed value.
std::vector<std::pair<std::string, std::string>>
CalculationSheetClosures(const ClosureStatistics& closure);

// The same table as text cells, header first, for the results window (copied as tab-
// separated text).
std::vector<std::vector<std::string>> CalculationSheetCells(const CalculationSheet& sheet);

} // namespace traverse
