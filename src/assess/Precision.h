// The precision of an adjusted traverse: the unit-weight error over the redundancy,
// and for every point after start point 1 (entry i the point at the end of side i) the
// cofactors of its coordinates, its mean square errors and its error ellipse. Seconds
// for sigma0, millimetres for the errors and axes; the ellipse's orientation is the
// azimuth of its semi-major axis.
#pragma once

#include "adjust/Adjustment.h"

#include <variant>
#include <vector>

namespace traverse {

struct PointPrecision {
    double qxx = 0.0, qyy = 0.0, qxy = 0.0; // cofactors
    double mx = 0.0, my = 0.0, m = 0.0;     // mm
    ErrorEllipse ellipse{};
};

struct Precision {
    double sigma0 = 0.0; // seconds
    int redundancy = 0;  // conditions less parameters
    std::vector<PointPrecision> points;
};

// Refused when the adjustment's system does not fit together (kBadObservations).
std::variant<Precision, Refusal> AssessPrecision(const Adjustment& adjustment);

// Whether every value a report or result file prints (approximate and adjusted points,
// sides, point errors, ellipses) and sigma0 are finite numbers.
bool ResultsFinite(const Reduction& reduction, const Adjustment& adjustment,
                   const Precision& precision);

} // namespace traverse
