// The shape of a traverse as its observations hold it, set against the type chosen:
// a chain whose last set-up stands on its first station is a loop (closed); a first
// set-up without a backsight ("-" or none) has no start orientation (non-oriented). An
// open, oriented chain may have one connection angle or two: the files write both alike
// (the last set-up sights a point set up nowhere, or only without a sight), so the shape
// leaves that choice to the surveyor.
#pragma once

#include "model/Refusal.h"
#include "model/Traverse.h"

#include <optional>
#include <span>

namespace traverse {

struct TraverseShape {
    bool named = false;         // the records name their stations: nothing to tell otherwise
    bool loop = false;          // the last set-up stands on the first station
    bool startOriented = false; // the first set-up sights a backsight
};

TraverseShape ShapeOf(std::span<const ObservationRecord> observations);

// The type the shape shows; none where it cannot tell (an open, oriented chain, or
// records without names).
std::optional<TraverseType> LikelyType(const TraverseShape& shape);

// Records that are no traverse, or not of the type: a set-up that does not stand where
// the one before sighted (or whose backsight is not that one), a closed traverse whose
// last set-up is not its start, a loop taken for an open traverse, a type oriented at
// its start on a file without a backsight. The refusal names the stations and the type
// the file looks like.
std::optional<Refusal> CheckShape(TraverseType type,
                                  std::span<const ObservationRecord> observations);

// Adds to a refusal of the traverse's size (azimuth closure, gross error, no
// convergence) the type the shape shows when it is not the type chosen.
void AddShapeHint(Refusal& refusal, TraverseType type, const TraverseShape& shape);

} // namespace traverse
