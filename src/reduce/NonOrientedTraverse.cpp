// Non-oriented traverse between start point 1 and end point 1, no known direction.
// A provisional pass with the first side at azimuth 0 finds the rotation that points
// the traverse at end point 1; the second pass computes it with that orientation.
// Record 0's angle is not used; side i uses azimuth a_i.
#include "model/AngleConversions.h"
#include "reduce/PlaneGeometry.h"
#include "reduce/TraverseChain.h"
#include "resources/StringTable.h"

#include <cmath>

namespace traverse {

namespace {
// A line from start point 1 too short to carry a direction, relative to the traverse.
bool TooShortToOrient(const PlanePoint& a, const PlanePoint& b, double traverseLength) {
    return std::hypot(b.dX - a.dX, b.dY - a.dY) <=
           1e-9 * (traverseLength > 1.0 ? traverseLength : 1.0);
}

// The traverse with its first side at the given azimuth.
Reduction Oriented(Observed obs, const KnownPlanePoints& known, const AngleDMS& first) {
    Reduction r;
    CarryAzimuths(r, first, obs, 1);
    AppendCoordinateChain(r, obs, 0, static_cast<int>(obs.size()), known.start1);
    return r;
}
} // namespace

std::variant<Reduction, Refusal> ReduceNonOrientedTraverse(Observed obs,
                                                           const KnownPlanePoints& known) {
    if (obs.empty()) return Refusal{str::kBadObservations, {}};
    const Reduction provisional = Oriented(obs, known, UnpackDms(0.0));
    const PlanePoint& provisionalEnd = provisional.points.back();
    double length = 0.0;
    for (const ObservationRecord& o : obs)
        length += std::fabs(o.dDistance);
    // A zero-length line from start point 1 has no direction to orient on.
    if (TooShortToOrient(known.start1, provisionalEnd, length) ||
        TooShortToOrient(known.start1, known.end1, length))
        return Refusal{str::kBadObservations, {}};
    const double start[2] = {known.start1.dX, known.start1.dY};
    const double toEnd[2] = {provisionalEnd.dX, provisionalEnd.dY};
    const double goal[2] = {known.end1.dX, known.end1.dY};
    Reduction r = Oriented(obs, known, DegreesToDms(CalSectorsAngle2PI(start, toEnd, start, goal)));
    SetCoordinateClosures(r, known.end1);
    return r;
}

} // namespace traverse
