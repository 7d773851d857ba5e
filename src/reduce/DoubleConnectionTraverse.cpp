// Annexed traverse with a connection angle at both ends: from start point 1 (oriented
// on start point 2) to end point 1 (oriented on end point 2). Record n-1 is end
// point 1; its distance is not used.
#include "reduce/TraverseChain.h"
#include "workspace/TraverseAdjustDlg.h"

int CTraverseAdjustDlg::ReduceDoubleConnectionTraverse() {
    ClearResults();
    const int n = m_arrObservations.GetSize();
    const AngleDMS start = GetStartAzimuth();
    const AngleDMS known = GetEndAzimuth();
    CarryAzimuths(*this, start, 0);
    m_dAzimuthClosure = PackedAzimuthClosure(m_arrApproxAzimuths[n], known);
    int sides = n >= 1 ? n - 1 : 0;
    AppendCoordinateChain(m_arrObservations, m_arrApproxAzimuths, 1, sides,
                          PlanePoint{m_dInitX1, m_dInitY1}, m_arrApproxCoords);
    SetCoordinateClosures(*this, m_dGoalX1, m_dGoalY1);
    return 1;
}
