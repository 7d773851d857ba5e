// The junctions and lines of a joined network (inside the library): junctions are the
// unknown points that more than one file uses or that more than two sides meet; a line
// is a run of one file's sides between known or junction points (a file's chain of
// stations breaks where a side was not taken). A line's angles are those of its file at
// its points in order: at the start the one towards the second point, at the end the one
// from the point before (a junction's angle belongs to both lines it joins).
#pragma once

#include "network/Network.h"

namespace traverse {

std::vector<int> FindJunctions(const NetworkObservations& network);

// Needs the junctions.
std::vector<NetworkLine> SplitLines(const NetworkObservations& network);

} // namespace traverse
