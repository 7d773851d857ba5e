// Slope distances to horizontal ones, each with the record's own vertical angle
// (packed DMS, 90 degrees = level sight), once, at import. The readers have refused
// sights that would not reduce (zenith angle out of range, steeper than about 84°).
#include "read/ImportSteps.h"

#include "reduce/AngleConversions.h"

#include <cmath>

void CTraverseAdjustDlg::ReduceSlopeDistances() {
    const double level = DmsToRadians(90, 0, 0.0);
    for (ObservationRecord& r : m_arrObservations)
        r.dDistance *= std::cos(std::fabs(level - DmsToRadians(UnpackDms(r.dVerticalAngle))));
}
