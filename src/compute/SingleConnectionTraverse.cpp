// Annexed traverse with one connection angle: from start point 1 (oriented on start
// point 2) to end point 1, where no angle is observed. Every record's angle and
// distance is used: n sides, n + 1 points, no azimuth closure.
#include "compute/TraverseChain.h"
#include "workspace/TraverseAdjustDlg.h"

int CTraverseAdjustDlg::ReduceSingleConnectionTraverse() {
    ClearResults();
    const int n = m_arrObservations.GetSize();
    AngleDMS az = GetStartAzimuth();
    m_arrApproxAzimuths.Add(az);
    for (int i = 0; i < n; ++i)
        PropagateAzimuth(az, m_arrObservations[i].dHorizontalAngle);
    AppendCoordinateChain(m_arrObservations, m_arrApproxAzimuths, 1, n,
                          PlanePoint{m_dInitX1, m_dInitY1}, m_arrApproxCoords);
    const PlanePoint& last = m_arrApproxCoords[n];
    m_dWx = (last.dX - m_dGoalX1) * 1000.0;
    m_dWy = (last.dY - m_dGoalY1) * 1000.0;
    return 1;
}
