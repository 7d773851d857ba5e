// A traverse adjusted from end to end, as one value: its type, the observations and the
// known points it was computed from, the reduction, the adjustment and the precision.
// Results belong to the inputs they came from: they are kept together.
#pragma once

#include "assess/ObservationTests.h"
#include "assess/Precision.h"

#include <optional>

namespace traverse {

struct AdjustedTraverse {
    TraverseType traverseType = kNonOriented;
    Observations observations; // horizontal distances, reduced from the slope ones given
    KnownPlanePoints known;    // the points the type uses, as checked
    Reduction reduction;
    Adjustment adjustment;
    Precision precision;
    std::optional<InstrumentPrecision> instrument; // the weights' source; none: classic
    ObservationTests tests;
};

// The whole computation from the observations as read (slope distances; they are
// reduced to the horizontal here, once): the type checked (kUnknownTraverseType), the
// file's shape against it (reduce/TraverseShape.h), the known points it uses (each
// given, in range, apart), then reduce, test the azimuth closure, adjust and assess.
// Refused at the first step that refuses, or (kNonFiniteResult) when a result is not a
// finite number; a refusal of the traverse's size says which type the file looks like
// when that is not the type chosen. Weighted by the instrument's precision where it is
// given (refused, kBadInstrumentPrecision, unless σβ > 0, a, b >= 0 and a + b > 0).
std::variant<AdjustedTraverse, Refusal>
AdjustTraverse(TraverseType traverseType, Observed observationsAsRead,
               const KnownCoordinates& known,
               const std::optional<InstrumentPrecision>& instrument = std::nullopt);

} // namespace traverse
