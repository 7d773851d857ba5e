// An adjusted network's points as the coordinate files take a traverse's (ResultPoint:
// names in UTF-8, adjusted X, Y, M, Mx, My, the ellipse's A, B and F; known points as
// given), in the network's point order, with the heights where every point has one.
#pragma once

#include "network/Network.h"
#include "write/PlotModel.h"
#include "write/TraverseResults.h"

#include <string>

namespace traverse {

// A TraverseResults holding only the points (and heights, as said): what CoordinatesCsv
// and CoordinatesDat read.
TraverseResults NetworkPointResults(const NetworkObservations& network,
                                    const NetworkAdjustment& adjustment);

// What the plot draws of a network: each side once, a dashed line from a station to each
// known backsight it is not joined to by a side, and the junctions.
NetworkPlotShape NetworkShape(const NetworkObservations& network);

// "导线网　east.txt、north.txt、west.txt": the plot's title.
std::string NetworkPlotTitle(const NetworkObservations& network);

} // namespace traverse
