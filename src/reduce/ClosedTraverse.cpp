// Closed traverse reduction: the loop leaves start point 1 oriented on start point 2
// and returns to it. Record n-1 is start point 1 again; its distance is not used.
// The window has been read by the adjust command just before.
#include "reduce/TraverseChain.h"
#include "workspace/TraverseAdjustDlg.h"

int CTraverseAdjustDlg::ReduceClosedTraverse() {
    ClearResults();
    const int n = m_arrObservations.GetSize();
    CarryAzimuths(*this, GetStartAzimuth(), 0);
    // a_n against a_1, the first side's azimuth as it left start point 1
    m_dAzimuthClosure =
        n >= 1 ? PackedAzimuthClosure(m_arrApproxAzimuths[n], m_arrApproxAzimuths[1]) : 0.0;
    int sides = n >= 1 ? n - 1 : 0;
    AppendCoordinateChain(m_arrObservations, m_arrApproxAzimuths, 1, sides,
                          PlanePoint{m_dInitX1, m_dInitY1}, m_arrApproxCoords);
    SetCoordinateClosures(*this, m_dInitX1, m_dInitY1);
    return 1;
}
