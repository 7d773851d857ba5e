// Slope distances to horizontal ones, each with the record's own vertical angle
// (packed DMS, 90 degrees = level sight), once, at import.
#include "read/SlopeReduction.h"

#include "model/AngleConversions.h"

#include <cmath>

namespace traverse {

void ReduceSlopeDistances(std::span<ObservationRecord> observations) {
    const double level = DmsToRadians(90, 0, 0.0);
    for (ObservationRecord& r : observations)
        r.dDistance *= std::cos(std::fabs(level - DmsToRadians(UnpackDms(r.dVerticalAngle))));
}

} // namespace traverse
