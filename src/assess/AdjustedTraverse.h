// A traverse adjusted from end to end, as one value: its type, the observations and the
// known points it was computed from, the reduction, the adjustment and the precision.
// Results belong to the inputs they came from: they are kept together.
#pragma once

#include "adjust/HeightAdjustment.h"
#include "assess/ObservationTests.h"
#include "assess/Precision.h"

#include <optional>

namespace traverse {

// The heights of a traverse given a known height: adjusted, or why there are none (a
// file without zenith angles, a height missing or out of range, a closure over 1 m).
using HeightOutcome = std::variant<HeightAdjustment, Refusal>;

struct AdjustedTraverse {
    TraverseType traverseType = kNonOriented;
    Observations observations; // horizontal distances, reduced from the slope ones given
    KnownPlanePoints known;    // the points the type uses, as checked
    Reduction reduction;
    Adjustment adjustment;
    Precision precision;
    std::optional<InstrumentPrecision> instrument; // the weights' source; none: classic
    ObservationTests tests;
    // None without a known height (a traverse in plane only); the plane results stand
    // whatever the heights' outcome.
    std::optional<HeightOutcome> heights;
    double refraction = kDefaultRefraction; // k the heights were computed with
};

// The whole computation from the observations as read (slope distances; they are
// reduced to the horizontal here, once): the type checked (kUnknownTraverseType), the
// file's shape against it (reduce/TraverseShape.h), the known points it uses (each
// given, in range, apart; a known height within ±10 000 m), then reduce, test the
// azimuth closure, adjust and assess. Refused at the first step that refuses, or
// (kNonFiniteResult) when a result is not a finite number; a refusal of the traverse's
// size says which type the file looks like when that is not the type chosen; a
// refraction coefficient beyond ±1 is refused (kBadRefraction).
// With a known height of start point 1 or end point 1 the heights follow the plane
// (reduce/HeightDifferences.h, adjust/HeightAdjustment.h) with the refraction given.
// Weighted by the instrument's precision where it is given (refused,
// kBadInstrumentPrecision, unless σβ > 0, a, b >= 0 and a + b > 0).
std::variant<AdjustedTraverse, Refusal>
AdjustTraverse(TraverseType traverseType, Observed observationsAsRead,
               const KnownCoordinates& known, double refraction = kDefaultRefraction,
               const std::optional<InstrumentPrecision>& instrument = std::nullopt);

} // namespace traverse
