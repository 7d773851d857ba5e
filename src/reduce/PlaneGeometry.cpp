#include "reduce/PlaneGeometry.h"

#include <cmath>
#include <numbers>

namespace traverse {

namespace {
constexpr double kTwoPi = 6.283185307179586;
}

double PlaneAzimuth(double xFrom, double yFrom, double xTo, double yTo) {
    double dx = xTo - xFrom;
    double dy = yTo - yFrom;
    if (dx == 0.0 && dy == 0.0) return 0.0;
    double a = std::atan2(dy, dx);
    if (a < 0.0) a += kTwoPi;
    if (a >= kTwoPi) a -= kTwoPi; // -tiny + 2pi rounds to 2pi
    return a;
}

double CalSectorsAngle2PI(const double* p1, const double* p2, const double* p3, const double* p4) {
    double a1 = PlaneAzimuth(p1[0], p1[1], p2[0], p2[1]);
    double a2 = PlaneAzimuth(p3[0], p3[1], p4[0], p4[1]);
    double d = a2 - a1;
    if (d < 0.0) d += kTwoPi;
    double deg = d * 180.0 / std::numbers::pi;
    if (deg >= 360.0) deg -= 360.0;
    return deg;
}

} // namespace traverse
