// The adjust command: checks the workflow state and the known points, then has the core
// reduce, test the azimuth closure (closed and double-connection types), adjust and
// assess the selected traverse type, and keeps the result with the inputs it came from.
#include "reduce/KnownPoints.h"
#include "reduce/TraverseShape.h"
#include "resources/StringTable.h"
#include "workspace/ControlIds.h"
#include "workspace/TraverseAdjustDlg.h"

#include <cmath>
#include <limits>
#include <span>

using namespace traverse;

namespace {
// fh (mm) where heights were adjusted with a closure; NaN (an empty box) otherwise.
double HeightClosure(const AdjustedTraverse& t) {
    const auto* h = t.heights ? std::get_if<HeightAdjustment>(&*t.heights) : nullptr;
    return h != nullptr && h->closure ? h->fh : std::numeric_limits<double>::quiet_NaN();
}

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
    if (IsNetwork()) {
        OnAdjustNetwork();
        return;
    }
    // A file that cannot be the type, then a known point missing, mistyped or not the
    // file's, refuse before anything is computed.
    if (const auto refused = CheckShape(static_cast<TraverseType>(m_nTraverseType), Observed())) {
        ShowRefusal(*refused);
        return;
    }
    if (!CheckKnownPoints()) return;
    const auto instrument = Instrument();
    if (!instrument) return;
    FillKnownPointNames(); // a group left without a name shows the station it stands for

    auto adjusted = AdjustTraverse(static_cast<TraverseType>(m_nTraverseType), Observed(),
                                   KnownPoints(), Refraction(), *instrument);
    if (const auto* refused = std::get_if<Refusal>(&adjusted)) {
        ShowRefusal(*refused);
        return;
    }
    m_adjusted = std::get<AdjustedTraverse>(std::move(adjusted));
    const Reduction& reduction = m_adjusted->reduction;
    m_dWx = reduction.fx;
    m_dWy = reduction.fy;
    m_dAzimuthClosure = reduction.azimuthClosure;
    m_dWz = HeightClosure(*m_adjusted);
    m_bClosuresShown = true;
    m_bResultsSaved = false;
    ShowWorkspace();
    ShowMessage(str::kAdjustDone);
    SetState(kAdjusted);
}

namespace {
// A point whose boxes are both typed; none where either is empty (NaN).
std::optional<PlanePoint> Given(double x, double y) {
    if (std::isnan(x) || std::isnan(y)) return std::nullopt;
    return PlanePoint{x, y};
}
} // namespace

std::optional<std::optional<InstrumentPrecision>> CTraverseAdjustDlg::Instrument() {
    const bool angle = !std::isnan(m_dSigmaAngle), distance = !std::isnan(m_dSigmaDistance);
    if (!angle && !distance && std::isnan(m_dSigmaPpm))
        return std::optional<InstrumentPrecision>{}; // the classic weights
    if (!angle || !distance) { // nothing stands in for the half not typed
        ShowMessage(str::kInstrumentIncomplete);
        if (m_pPort != nullptr) m_pPort->FocusControl(angle ? ctl::kSigmaDistance : ctl::kSigmaAngle);
        return std::nullopt;
    }
    // An empty ppm box is a distance error of a alone.
    return InstrumentPrecision{m_dSigmaAngle, m_dSigmaDistance,
                               std::isnan(m_dSigmaPpm) ? 0.0 : m_dSigmaPpm};
}

double CTraverseAdjustDlg::Refraction() const {
    return std::isnan(m_dRefraction) ? kDefaultRefraction : m_dRefraction;
}

KnownCoordinates CTraverseAdjustDlg::KnownPoints() const {
    return {Given(m_dInitX1, m_dInitY1),
            Given(m_dInitX2, m_dInitY2),
            Given(m_dGoalX1, m_dGoalY1),
            Given(m_dGoalX2, m_dGoalY2),
            Height(kStart1),
            Height(kEnd1)};
}
