// Slope distances to horizontal ones, each with its record's own zenith angle (packed
// DMS, 900000 a level sight). The readers have refused sights that would not reduce.
// Inside the library only: AdjustTraverse reduces the observations it is given, once.
#pragma once

#include "model/Records.h"

#include <span>

namespace traverse {

void ReduceSlopeDistances(std::span<ObservationRecord> observations);

} // namespace traverse
