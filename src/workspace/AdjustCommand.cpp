// The adjust command: checks the workflow state, runs the reduction, the azimuth
// closure test (closed and double-connection types), the adjustment and the
// precision assessment of the selected traverse type.
#include "workspace/TraverseAdjustDlg.h"

#include "resources/StringTable.h"

#include <cmath>

namespace {
// The closure test is made on the stored packed value: under one minute it is the
// closure in seconds, a minute or more is refused like 50.
bool ClosureAcceptable(double packedClosure) { return std::fabs(packedClosure) < 50.0; }
} // namespace

void CTraverseAdjustDlg::OnAdjust() {
    // A text that is not a number stops the command: nothing is computed from stale values.
    if (!ReadWindow()) return;
    if (m_nState != kObservationsLoaded && !m_arrObservations.IsEmpty()) {
        if (m_pPort != nullptr &&
            m_pPort->AskYesNo(str::kUseTableData, std::string(LoadString(str::kUseTableData))))
            SetState(kObservationsLoaded); // the results are recomputed: none until then
    }
    if (m_nState != kObservationsLoaded || m_arrObservations.IsEmpty()) {
        ShowMessage(str::kImportFirst);
        return;
    }

    if (ReduceAndAdjust() == 1 && AssessPrecision() == 1) SetState(kAdjusted);
}

int CTraverseAdjustDlg::ReduceAndAdjust() {
    switch (m_nTraverseType) {
    case kNonOriented:
        return ReduceNonOrientedTraverse() == 1 ? AdjustNonOrientedTraverse() : 0;
    case kSingleConnection:
        return ReduceSingleConnectionTraverse() == 1 ? AdjustSingleConnectionTraverse() : 0;
    case kClosed:
    case kDoubleConnection: {
        const int reduced =
            m_nTraverseType == kClosed ? ReduceClosedTraverse() : ReduceDoubleConnectionTraverse();
        if (reduced != 1) return 0;
        if (!ClosureAcceptable(m_dAzimuthClosure)) {
            ShowMessage(str::kClosureTooLarge);
            return 0;
        }
        return AdjustClosedOrDoubleTraverse();
    }
    default:
        return 0;
    }
}
