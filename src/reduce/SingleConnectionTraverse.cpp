// Annexed traverse with one connection angle: from start point 1 (oriented on start
// point 2) to end point 1, where no angle is observed. Every record's angle and
// distance is used: n sides, n + 1 points, no azimuth closure.
#include "reduce/TraverseChain.h"
#include "workspace/TraverseAdjustDlg.h"

int CTraverseAdjustDlg::ReduceSingleConnectionTraverse() {
    ClearResults();
    const int n = m_arrObservations.GetSize();
    CarryAzimuths(*this, GetStartAzimuth(), 0);
    AppendCoordinateChain(m_arrObservations, m_arrApproxAzimuths, 1, n,
                          PlanePoint{m_dInitX1, m_dInitY1}, m_arrApproxCoords);
    SetCoordinateClosures(*this, m_dGoalX1, m_dGoalY1);
    return 1;
}
