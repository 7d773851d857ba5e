// Slope distances to horizontal ones, each with the record's own vertical angle
// (packed DMS, 90 degrees = level sight), once, at import.
#include "import/ImportSteps.h"

#include "compute/AngleConversions.h"

#include <cmath>

void CTraverseAdjustDlg::ReduceSlopeDistances() {
    const double level = DmsToRadians(90, 0, 0.0);
    for (ObservationRecord& r : m_arrObservations)
        r.dDistance *= std::cos(std::fabs(level - DmsToRadians(UnpackDms(r.dVerticalAngle))));
}

// A sight steeper than about 84 degrees is, in practice, a vertical angle written in
// the wrong form (0 for a level sight, say).
int FindImplausibleSight(const CGrowableArray<ObservationRecord>& records,
                         const std::vector<double>& slope) {
    for (int i = 0; i < records.GetSize() && static_cast<size_t>(i) < slope.size(); ++i) {
        const double s = slope[static_cast<size_t>(i)];
        const double h = records[i].dDistance;
        if (!(s > 0.0) || !(h > 0.0) || h < s * 0.1) return i;
    }
    return -1;
}
