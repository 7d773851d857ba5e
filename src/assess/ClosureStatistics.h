// The closures of an adjusted traverse as a surveyor judges them: the azimuth and
// coordinate closures, the traverse's length, the relative closure 1/K, the unit-weight
// error and the weakest point. Seconds, millimetres, metres.
#pragma once

#include <optional>

namespace traverse {

struct ClosureStatistics {
    int angleCount = 0;            // n: angles in the azimuth condition (or adjusted)
    bool azimuthCondition = false; // closed and double-connection traverses
    double azimuthClosure = 0.0;   // f_beta, seconds, computed minus known
    double fx = 0.0, fy = 0.0;     // mm, computed minus known
    double fd = 0.0;               // total closure sqrt(fx^2 + fy^2), mm
    double length = 0.0;           // sum of the horizontal sides, m
    int sideCount = 0;             // sides in the length
    std::optional<long long> k;    // relative closure 1/K, K rounded down; none when fD is 0
    double sigma0 = 0.0;           // unit-weight error, seconds
    int redundancy = 0;            // r
    int weakest = -1;              // index of the new point with the largest M, -1 if none
};

} // namespace traverse
