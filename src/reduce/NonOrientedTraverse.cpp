// Non-oriented traverse between start point 1 and end point 1, no known direction.
// A provisional pass with the first side at azimuth 0 finds the rotation that points
// the traverse at end point 1; the second pass computes it with that orientation.
// Record 0's angle is not used; side i uses azimuth a_i.
#include "reduce/AngleConversions.h"
#include "reduce/PlaneGeometry.h"
#include "reduce/TraverseChain.h"
#include "resources/StringTable.h"
#include "workspace/TraverseAdjustDlg.h"

#include <cmath>

namespace {
// A line from start point 1 too short to carry a direction, relative to the traverse.
bool TooShortToOrient(double x1, double y1, double x2, double y2, double traverseLength) {
    return std::hypot(x2 - x1, y2 - y1) <= 1e-9 * (traverseLength > 1.0 ? traverseLength : 1.0);
}
} // namespace

AngleDMS CTraverseAdjustDlg::ComputeNonOrientedRotation() {
    const int n = m_arrObservations.GetSize();
    CarryAzimuths(*this, UnpackDms(0.0), 1);
    AppendCoordinateChain(m_arrObservations, m_arrApproxAzimuths, 0, n,
                          PlanePoint{m_dInitX1, m_dInitY1}, m_arrApproxCoords);
    const PlanePoint& end = m_arrApproxCoords[n];
    const double start[2] = {m_dInitX1, m_dInitY1};
    const double provisional[2] = {end.dX, end.dY};
    const double goal[2] = {m_dGoalX1, m_dGoalY1};
    return DegreesToDms(CalSectorsAngle2PI(start, provisional, start, goal));
}

int CTraverseAdjustDlg::ReduceNonOrientedTraverse() {
    ClearResults();
    const int n = m_arrObservations.GetSize();
    AngleDMS rotation = ComputeNonOrientedRotation();
    const PlanePoint provisionalEnd = m_arrApproxCoords[n];
    double length = 0.0;
    for (int i = 0; i < n; ++i)
        length += std::fabs(m_arrObservations[i].dDistance);
    // A zero-length line from start point 1 has no direction to orient on.
    if (n < 1 ||
        TooShortToOrient(m_dInitX1, m_dInitY1, provisionalEnd.dX, provisionalEnd.dY, length) ||
        TooShortToOrient(m_dInitX1, m_dInitY1, m_dGoalX1, m_dGoalY1, length)) {
        ClearResults();
        ShowMessage(str::kBadObservations);
        return 0;
    }
    m_arrApproxAzimuths.SetSize(0);
    CarryAzimuths(*this, rotation, 1);
    m_arrApproxCoords.SetSize(0);
    AppendCoordinateChain(m_arrObservations, m_arrApproxAzimuths, 0, n,
                          PlanePoint{m_dInitX1, m_dInitY1}, m_arrApproxCoords);
    SetCoordinateClosures(*this, m_dGoalX1, m_dGoalY1);
    return 1;
}
