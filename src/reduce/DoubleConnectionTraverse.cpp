// Annexed traverse with a connection angle at both ends: from start point 1 (oriented
// on start point 2) to end point 1 (oriented on end point 2). Record n-1 is end
// point 1; its distance is not used.
#include "reduce/TraverseChain.h"

namespace traverse {

Reduction ReduceDoubleConnectionTraverse(Observed obs, const KnownPlanePoints& known) {
    Reduction r;
    const size_t n = obs.size();
    CarryAzimuths(r, StartAzimuth(known), obs, 0);
    r.azimuthClosure = PackedAzimuthClosure(r.azimuths[n], EndAzimuth(known));
    const int sides = n >= 1 ? static_cast<int>(n) - 1 : 0;
    AppendCoordinateChain(r, obs, 1, sides, known.start1);
    SetCoordinateClosures(r, known.end1);
    return r;
}

} // namespace traverse
