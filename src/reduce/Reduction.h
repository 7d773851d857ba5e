// The reduction of a traverse: carried from its known start along the observed angles
// and the horizontal sides, the approximate azimuths and points and the misclosures
// against the known end (computed minus known). Metres, millimetres; azimuths from +X
// north towards +Y east as degree-minute-second records; the azimuth closure packed
// DMS (under one minute it is the closure in seconds).
#pragma once

#include "model/Refusal.h"
#include "model/Traverse.h"

#include <optional>
#include <span>
#include <variant>
#include <vector>

namespace traverse {

struct Reduction {
    // Closed, double: entry 0 the start azimuth, entry k+1 the side leaving point k;
    // single: likewise (no angle at the end); non-oriented: entry i the side i.
    std::vector<AngleDMS> azimuths;
    std::vector<PlanePoint> points; // entry 0 start point 1, then each side's end
    double fx = 0.0, fy = 0.0;      // coordinate closures, mm
    double azimuthClosure = 0.0;    // packed DMS; 0 for the single and non-oriented types
};

using Observed = std::span<const ObservationRecord>;

// Closed loop from start point 1 oriented on start point 2 back to start point 1; the
// last record is start point 1 again and its distance is not used.
Reduction ReduceClosedTraverse(Observed observations, const KnownPlanePoints& known);
// From start 1 (oriented on start 2) to end 1 (oriented on end 2); the last record is
// end point 1 and its distance is not used.
Reduction ReduceDoubleConnectionTraverse(Observed observations, const KnownPlanePoints& known);
// From start 1 (oriented on start 2) to end 1, where no angle is observed.
Reduction ReduceSingleConnectionTraverse(Observed observations, const KnownPlanePoints& known);
// Between start 1 and end 1 without a known direction: the rotation that points the
// traverse at end 1. A traverse that returns to its start has no direction to turn:
// kBadObservations.
std::variant<Reduction, Refusal> ReduceNonOrientedTraverse(Observed observations,
                                                           const KnownPlanePoints& known);

// The reduction of a traverse type (0..3).
std::variant<Reduction, Refusal> Reduce(int traverseType, Observed observations,
                                        const KnownPlanePoints& known);

// The azimuth closure test of the closed and double-connection types: 50″ or more (a
// minute or more, on the packed value) refuses the traverse with the closure.
std::optional<Refusal> CheckAzimuthClosure(int traverseType, const Reduction& reduction);

// The azimuth after a station: back azimuth + angle - 180°, folded once into 0..360.
AngleDMS PropagateAzimuth(const AngleDMS& back, double packedAngle);
// The azimuth of start point 2 -> start point 1, and of end point 1 -> end point 2.
AngleDMS StartAzimuth(const KnownPlanePoints& known);
AngleDMS EndAzimuth(const KnownPlanePoints& known);

} // namespace traverse
