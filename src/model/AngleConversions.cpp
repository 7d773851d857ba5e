#include "model/AngleConversions.h"

#include <cmath>

namespace traverse {

namespace {
// Truncation toward zero into a 32-bit int, saturating for values out of range.
int Trunc(double x) {
    if (!(x > -2147483648.0)) return x != x ? 0 : -2147483647 - 1;
    if (!(x < 2147483648.0)) return 2147483647;
    return static_cast<int>(x);
}
} // namespace

AngleDMS UnpackDms(double v) {
    AngleDMS a;
    a.nDeg = Trunc(v / 10000.0);
    double r = v - 10000.0 * a.nDeg;
    a.nMin = Trunc(r / 100.0);
    a.dSec = r - 100.0 * a.nMin;
    return a;
}

double PackDms(int nDeg, int nMin, double dSec) {
    // 32-bit integer arithmetic, wrapping as the original does, without overflow UB.
    unsigned packed = static_cast<unsigned>(nDeg) * 10000u + static_cast<unsigned>(nMin) * 100u;
    return static_cast<double>(static_cast<int>(packed)) + dSec;
}

double DmsToRadians(int nDeg, int nMin, double dSec) {
    return ((dSec * kOneSixtieth + nMin) * kOneSixtieth + nDeg) * kDegToRad;
}

AngleDMS RadiansToDms(double a) {
    AngleDMS r;
    double x = (std::fabs(a) + kTruncationGuard) * kRadToDeg;
    r.nDeg = Trunc(x);
    x = (x - r.nDeg) * 60.0;
    r.nMin = Trunc(x);
    r.dSec = (x - r.nMin) * 60.0;
    if (a < 0) r.nDeg = -r.nDeg;
    return r;
}

AngleDMS DegreesToDms(double x) {
    AngleDMS r;
    r.nDeg = Trunc(x);
    double y = (x - r.nDeg) * 60.0;
    r.nMin = Trunc(y);
    r.dSec = (y - r.nMin) * 60.0;
    return r;
}

AngleDMS CarryUpwards(long long d, long long m, double s) {
    if (s >= 60.0 && s < 9.0e18) {
        long long t = static_cast<long long>(s);
        s = s - static_cast<double>(t) + static_cast<double>(t % 60);
        m += t / 60;
    }
    if (m >= 60) {
        d += m / 60;
        m %= 60;
    }
    return AngleDMS{ClampToInt(d), ClampToInt(m), s};
}

} // namespace traverse
