// Conversions between the four angle encodings: packed DMS (deg*10000 + min*100 + sec),
// AngleDMS records, radians and decimal degrees. Constants and order of operations
// are fixed: 1/60 as 0.016666666666666666, pi taken as 3.14159265358979.
#pragma once

#include "model/Records.h"

namespace traverse {

constexpr double kOneSixtieth = 0.016666666666666666;
constexpr double kDegToRad = 0.017453292519943278;
constexpr double kRadToDeg = 57.29577951308232;
constexpr double kTruncationGuard = 1e-10; // radians

AngleDMS UnpackDms(double packed);
double PackDms(int nDeg, int nMin, double dSec);
double DmsToRadians(int nDeg, int nMin, double dSec);
inline double DmsToRadians(const AngleDMS& a) { return DmsToRadians(a.nDeg, a.nMin, a.dSec); }
// Sign on the degrees only; minutes and seconds never negative.
AngleDMS RadiansToDms(double radians);
// No guard and no sign handling.
AngleDMS DegreesToDms(double degrees);
// A 64-bit count clamped into the 32-bit range.
inline int ClampToInt(long long v) {
    return v > 2147483647LL    ? 2147483647
           : v < -2147483648LL ? -2147483647 - 1
                               : static_cast<int>(v);
}
// Whole seconds of 60 or more carried into minutes (fraction kept), minutes of 60 or
// more into degrees; nothing is borrowed. 64-bit inputs, clamped into the record.
AngleDMS CarryUpwards(long long deg, long long min, double sec);
// Total seconds of a record, each component with its own sign.
inline double DmsToSeconds(const AngleDMS& a) { return (a.nDeg * 60.0 + a.nMin) * 60.0 + a.dSec; }

} // namespace traverse
