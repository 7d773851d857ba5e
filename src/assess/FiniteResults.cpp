// A result is shown or written only when every number of it is finite: an overflow
// (a side of 1e20, known points of 1e200) must be refused, never printed as "nan".
#include "assess/Precision.h"

#include <cmath>

namespace traverse {

namespace {
bool Finite(const PlanePoint& p) { return std::isfinite(p.dX) && std::isfinite(p.dY); }

template <typename T, typename Test> bool All(const std::vector<T>& values, Test finite) {
    for (const T& v : values)
        if (!finite(v)) return false;
    return true;
}
} // namespace

bool ResultsFinite(const Reduction& r, const Adjustment& a, const Precision& p) {
    auto number = [](double v) { return std::isfinite(v); };
    auto point = [](const PointPrecision& q) {
        return std::isfinite(q.m) && std::isfinite(q.mx) && std::isfinite(q.my) &&
               std::isfinite(q.ellipse.dA) && std::isfinite(q.ellipse.dB) &&
               std::isfinite(q.ellipse.F.dSec);
    };
    return std::isfinite(p.sigma0) && All(r.points, Finite) && All(a.points, Finite) &&
           All(a.sides, number) && All(p.points, point);
}

} // namespace traverse
