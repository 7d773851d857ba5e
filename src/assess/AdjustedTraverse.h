// A traverse adjusted from end to end, as one value: its type, the observations and the
// known points it was computed from, the reduction, the adjustment and the precision.
// Results belong to the inputs they came from: they are kept together.
#pragma once

#include "assess/Precision.h"

struct AdjustedTraverse {
    int traverseType = kNonOriented;
    Observations observations; // horizontal distances
    KnownCoordinates known;
    Reduction reduction;
    Adjustment adjustment;
    Precision precision;
};

// Reduce, test the azimuth closure, adjust and assess; refused at the first step that
// refuses, or (kNonFiniteResult) when a result is not a finite number.
std::variant<AdjustedTraverse, Refusal> AdjustTraverse(int traverseType, Observed observations,
                                                       const KnownCoordinates& known);
