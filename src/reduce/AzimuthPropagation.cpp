// Azimuth propagation from station to station and the start and end azimuths from the
// known points.
#include "model/AngleConversions.h"
#include "reduce/PlaneGeometry.h"
#include "reduce/Reduction.h"

namespace traverse {

// Forward azimuth = back azimuth + angle - 180 deg; carries upwards only, the degrees
// folded once into 0..360 (exactly 360 stays).
AngleDMS PropagateAzimuth(const AngleDMS& az, double packedAngle) {
    AngleDMS b = UnpackDms(packedAngle);
    // 64-bit working values: absurd input saturates instead of overflowing.
    const AngleDMS carried =
        CarryUpwards(static_cast<long long>(az.nDeg) + b.nDeg,
                     static_cast<long long>(az.nMin) + b.nMin, az.dSec + b.dSec);
    long long d = carried.nDeg;
    const int m = carried.nMin;
    const double s = carried.dSec;
    d -= 180;
    double f = (s * kOneSixtieth + static_cast<double>(m)) * kOneSixtieth;
    if (static_cast<double>(d) + f > 360.0) d -= 360;
    if (static_cast<double>(d) + f < 0.0) d += 360;
    return AngleDMS{ClampToInt(d), m, s};
}

AngleDMS StartAzimuth(const KnownPlanePoints& k) {
    return RadiansToDms(PlaneAzimuth(k.start2.dX, k.start2.dY, k.start1.dX, k.start1.dY));
}

AngleDMS EndAzimuth(const KnownPlanePoints& k) {
    return RadiansToDms(PlaneAzimuth(k.end1.dX, k.end1.dY, k.end2.dX, k.end2.dY));
}

} // namespace traverse
