// The bounds past which a correction is no longer a correction but the sign of a gross
// error in a known point or an observation: an angle corrected by more than 1°, a side
// by more than a tenth of its length, an adjusted side that is not positive. Residuals
// as the adjustment lays them out: the angle-type columns first (seconds; a free
// orientation in column 0 is not an observation and has no bound), then the sides (mm).
#pragma once

#include "model/Records.h"

#include <optional>
#include <span>
#include <string>
#include <vector>

namespace traverse {

constexpr double kMostAngleCorrection = 3600.0; // seconds
constexpr double kMostSideCorrection = 0.1;     // of the side's length

// The first bound exceeded, as a phrase for the message (UTF-8), or none.
std::optional<std::string> FirstGrossError(const std::vector<double>& residuals, int angleColumns,
                                           bool freeOrientation,
                                           std::span<const ObservationRecord> observations,
                                           const std::vector<double>& adjustedSides);

// "坐标闭合差 fx = … mm，fy = … mm，fD = … mm" and, with an azimuth condition,
// "，方位角闭合差 fβ = …″": closures in millimetres and seconds, rounded to a tenth.
std::string ClosurePhrase(double fx, double fy, std::optional<double> azimuthClosure);

} // namespace traverse
