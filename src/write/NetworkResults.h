// An adjusted network's points as the coordinate files take a traverse's (ResultPoint:
// names in UTF-8, adjusted X, Y, M, Mx, My, the ellipse's A, B and F; known points as
// given), in the network's point order, with the heights where every point has one.
#pragma once

#include "network/Network.h"
#include "write/TraverseResults.h"

namespace traverse {

// A TraverseResults holding only the points (and heights, as said): what CoordinatesCsv
// and CoordinatesDat read.
TraverseResults NetworkPointResults(const NetworkObservations& network,
                                    const NetworkAdjustment& adjustment);

} // namespace traverse
