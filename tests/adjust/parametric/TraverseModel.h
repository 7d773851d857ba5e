// A traverse as the surveyor hands it over (observation records, known points, type)
// turned into a plane network for the observation-equation adjustment: the same
// angles (cofactor 2.0 arcsec^2) and sides (cofactor 0.01 S mm^2); the non-oriented
// type's orientation is free (no observation fixes it, only the two known points).
#pragma once

#include "adjust/parametric/ParametricAdjustment.h"
#include "model/Records.h"

#include <vector>

using namespace traverse;

namespace parametric {

constexpr int kTypeNonOriented = 0;
constexpr int kTypeSingle = 1;
constexpr int kTypeClosed = 2;
constexpr int kTypeDouble = 3;

struct KnownPoints {
    Point start1{}, start2{}, end1{}, end2{};
};

struct TraverseData {
    int type = kTypeClosed;
    std::vector<ObservationRecord> records;
    KnownPoints known;
};

struct TraverseNetwork {
    Network network;
    // Network point of each traverse point in travelling order (for the closed type
    // the last one is start point 1 again).
    std::vector<int> chainPoint;
    // Approximate coordinates of the traverse points, carried from start point 1 with
    // the observed angles and sides (the last one is the computed arrival).
    std::vector<Point> carried;
    // Traverse points whose coordinates are unknown.
    std::vector<int> newChainPoints;
    // Non-oriented type: the first side's azimuth found by turning the traverse computed
    // with azimuth 0 onto end point 1 (radians).
    double orientation = 0.0;
};

// A packed angle (degrees * 10000 + minutes * 100 + seconds, nonnegative) in radians.
double PackedDmsToRadians(double packed);
// Radians to a packed angle, seconds rounded to `secondsDecimals` places (negative:
// not rounded); the value is taken into [0, 360) degrees first.
double RadiansToPackedDms(double radians, int secondsDecimals);

// Number of traverse points in travelling order (closed: the return to start point 1
// counted again).
int ChainLength(int type, int records);

// Closed and double-connection types: the azimuth closure of the observed angles,
// carried minus known, in arc seconds within (-648000, 648000].
double AzimuthClosureSeconds(const TraverseData& data);

TraverseNetwork BuildTraverseNetwork(const TraverseData& data);

} // namespace parametric
