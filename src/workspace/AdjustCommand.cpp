// The adjust command: checks the workflow state, runs the reduction, the azimuth
// closure test (closed and double-connection types), the adjustment and the
// precision assessment of the selected traverse type.
#include "workspace/TraverseAdjustDlg.h"

#include "reduce/AngleConversions.h"
#include "resources/StringTable.h"
#include "write/ResultsText.h"

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

    // A known point missing, mistyped or not the file's refuses before anything is computed.
    if (!CheckKnownPoints()) return;
    FillKnownPointNames(); // a group left without a name shows the station it stands for
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
            // Only the double-connection closure holds known directions as well.
            const std::string seconds =
                FormatSignedTenth(DmsToSeconds(UnpackDms(m_dAzimuthClosure)));
            const char* check = m_nTraverseType == kClosed ? "观测数据" : "观测数据和已知点坐标";
            ShowMessage(str::kAzimuthClosureOver50,
                        FormatString(str::kAzimuthClosureOver50, {seconds, check}));
            return 0;
        }
        return AdjustClosedOrDoubleTraverse();
    }
    default:
        return 0;
    }
}
