// Closed traverse: the loop leaves start point 1 oriented on start point 2 and returns
// to it. Record n-1 is start point 1 again; its distance is not used.
#include "reduce/TraverseChain.h"

namespace traverse {

Reduction ReduceClosedTraverse(Observed obs, const KnownPlanePoints& known) {
    Reduction r;
    const size_t n = obs.size();
    CarryAzimuths(r, StartAzimuth(known), obs, 0);
    // a_n against a_1, the first side's azimuth as it left start point 1
    r.azimuthClosure = n >= 1 ? PackedAzimuthClosure(r.azimuths[n], r.azimuths[1]) : 0.0;
    const int sides = n >= 1 ? static_cast<int>(n) - 1 : 0;
    AppendCoordinateChain(r, obs, 1, sides, known.start1);
    SetCoordinateClosures(r, known.start1);
    return r;
}

} // namespace traverse
