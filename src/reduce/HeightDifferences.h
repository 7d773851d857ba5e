// Trigonometric height differences along a traverse, one per side, from point k to
// point k + 1 (metres). The forward sight of side k, at its first point, gives
//     h = S·cos Z + (1 − k)·D²/(2R) + i − v
// S the slope distance, Z the zenith angle, D = S·sin Z the horizontal distance, i the
// instrument height, v the target height, R = 6 371 000 m and k the refraction
// coefficient. Where the next set-up sighted back along the side in both faces (a .con
// group's backsight readings, sets 1 and 4), its reverse difference
//     h′ = D·cot Z′ + (1 − k)·D²/(2R) + i′ − v′
// (point k + 1 to point k, D the side's) is averaged with it: (h − h′)/2, which removes
// curvature and refraction; h + h′ is the reciprocal difference (对向观测高差较差).
// Sides per type as the plane reduction has them: closed and double n − 1 (the last
// record's foresight is no side), single and non-oriented n.
#pragma once

#include "model/Refusal.h"
#include "model/Traverse.h"

#include <optional>
#include <span>
#include <variant>
#include <vector>

namespace traverse {

constexpr double kEarthRadius = 6371000.0; // m
constexpr double kDefaultRefraction = 0.13;
constexpr double kMostRefraction = 1.0; // |k| beyond this is no atmosphere
// Instrument and target heights a height is computed from: 0 to this many metres.
constexpr double kMostSightHeight = 10.0;

// Whether a refraction coefficient can be used: finite, |k| at most kMostRefraction.
bool RefractionInRange(double k);

struct SideHeightDifference {
    double distance = 0.0;         // D, horizontal, m
    double forward = 0.0;          // h of the forward sight, m
    std::optional<double> reverse; // −h′ of the reverse sight (in the side's direction), m
    double observed = 0.0;         // forward, or the mean with the reverse, m
    int line = 0;                  // the file line of the forward sight
    // The reciprocal difference h + h′ (mm); none without a reverse sight.
    std::optional<double> ReciprocalMm() const {
        if (!reverse) return std::nullopt;
        return (forward - *reverse) * 1000.0;
    }
};

// The sides of a traverse type (0..3) with their height differences, from the
// observations as read (slope distances). Refused, naming the file line: kNoZenithAngles
// when every forward sight is level (900000: a file without zenith angles);
// kSightHeightMissing for an instrument or target height the file left out;
// kSightHeightOutOfRange for one outside 0 to kMostSightHeight m; kBackZenithOutOfRange
// for a reverse zenith angle outside (0°, 180°); kBadRefraction for k out of range.
std::variant<std::vector<SideHeightDifference>, Refusal>
HeightDifferences(int traverseType, std::span<const ObservationRecord> asRead, double refraction);

} // namespace traverse
