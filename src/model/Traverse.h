// The values every step of the computation passes along: the traverse types, the
// observations (one record per set-up, in file order) and the known points of a type.
// Metres, X north, Y east; angles packed DMS as the files write them.
#pragma once

#include "model/Records.h"

#include <vector>

// The order of the window's type buttons.
enum TraverseType { kNonOriented = 0, kSingleConnection = 1, kClosed = 2, kDoubleConnection = 3 };

using Observations = std::vector<ObservationRecord>;

// The known points by role; a type reads only those it uses (compute/KnownPoints).
struct KnownCoordinates {
    PlanePoint start1{}, start2{}, end1{}, end2{};
};
