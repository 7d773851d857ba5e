// Annexed traverse with one connection angle: from start point 1 (oriented on start
// point 2) to end point 1, where no angle is observed. Every record's angle and
// distance is used: n sides, n + 1 points, no azimuth closure.
#include "reduce/TraverseChain.h"

namespace traverse {

Reduction ReduceSingleConnectionTraverse(Observed obs, const KnownPlanePoints& known) {
    Reduction r;
    CarryAzimuths(r, StartAzimuth(known), obs, 0);
    AppendCoordinateChain(r, obs, 1, static_cast<int>(obs.size()), known.start1);
    SetCoordinateClosures(r, known.end1);
    return r;
}

} // namespace traverse
