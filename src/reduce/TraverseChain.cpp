#include "reduce/TraverseChain.h"

#include "model/AngleConversions.h"

#include <cmath>

namespace traverse {

void AppendCoordinateChain(Reduction& r, Observed observations, int azOffset, int sides,
                           PlanePoint start) {
    r.points.push_back(start);
    PlanePoint p = start;
    for (int i = 0; i < sides; ++i) {
        double alpha = DmsToRadians(r.azimuths[static_cast<size_t>(i + azOffset)]);
        double d = observations[static_cast<size_t>(i)].dDistance;
        p = PlanePoint{std::cos(alpha) * d + p.dX, std::sin(alpha) * d + p.dY};
        r.points.push_back(p);
    }
}

double PackedAzimuthClosure(const AngleDMS& carried, const AngleDMS& reference) {
    constexpr double kHalfTurn = 648000.0; // 180 deg in seconds
    double d = DmsToSeconds(carried) - DmsToSeconds(reference);
    d = std::fmod(d, 2.0 * kHalfTurn);
    if (d > kHalfTurn) d -= 2.0 * kHalfTurn;
    if (d <= -kHalfTurn) d += 2.0 * kHalfTurn;
    double magnitude = std::fabs(d);
    int deg = static_cast<int>(magnitude / 3600.0);
    double rest = magnitude - deg * 3600.0;
    int min = static_cast<int>(rest / 60.0);
    double sec = rest - min * 60.0;
    if (sec < 0.0) sec = 0.0;
    double sign = d < 0.0 ? -1.0 : 1.0;
    return sign * PackDms(deg, min, sec);
}

void CarryAzimuths(Reduction& r, AngleDMS start, Observed observations, int firstRecord) {
    r.azimuths.push_back(start);
    for (size_t i = static_cast<size_t>(firstRecord); i < observations.size(); ++i) {
        start = PropagateAzimuth(start, observations[i].dHorizontalAngle);
        r.azimuths.push_back(start);
    }
}

void SetCoordinateClosures(Reduction& r, const PlanePoint& known) {
    const PlanePoint& last = r.points.back();
    r.fx = (last.dX - known.dX) * 1000.0;
    r.fy = (last.dY - known.dY) * 1000.0;
}

} // namespace traverse
