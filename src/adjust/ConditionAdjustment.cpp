// Least-squares adjustment by condition equations of the four traverse types, iterated:
// each round linearises the conditions at the traverse the previous round adjusted,
// until the residuals settle (every change below 1e-6 seconds and 1e-6 mm), so that
// the adjusted traverse meets its known points whatever the misclosure.
//
// Observations: the angle-type columns first (the angles, or the free orientation and
// the angles of a non-oriented traverse), then the sides. Conditions: the azimuth
// closure where there is one, then the x and y closures. A round solves for the total
// residuals v: A v + (w(l + v_prev) - A v_prev) = 0.
#include "adjust/Adjustment.h"
#include "adjust/ConditionSystem.h"
#include "adjust/GrossErrors.h"
#include "reduce/AngleConversions.h"
#include "resources/StringTable.h"
#include "workspace/TraverseAdjustDlg.h"

#include <cmath>
#include <optional>
#include <vector>

namespace {
constexpr int kMostRounds = 10;
constexpr double kSettled = 1e-6;      // seconds and millimetres
constexpr double kClosedMetres = 1e-6; // the adjusted traverse on its known point

bool ReductionMatches(const CTraverseAdjustDlg& w, const ConditionLayout& l, int n) {
    return n >= 1 && l.sides >= 0 && w.m_arrApproxAzimuths.GetSize() == n + l.azimuthOffset &&
           w.m_arrApproxCoords.GetSize() == l.points;
}

void ClearAdjusted(CTraverseAdjustDlg& w) {
    w.m_arrAzimuthCorrections.SetSize(0);
    w.m_arrAdjSides.SetSize(0);
    w.m_arrAdjAzimuths.SetSize(0);
    w.m_arrAdjCoords.SetSize(0);
}

// Corrected azimuths (each carried azimuth turned by the corrections of the angles
// before it), corrected sides, and the points run from start point 1 along them. The
// run sums offsets from start point 1, so that grid coordinates lose no digits on a
// long traverse.
void ComputeAdjustedTraverse(CTraverseAdjustDlg& w, const ConditionLayout& l, int n) {
    ClearAdjusted(w);
    double c = 0.0;
    for (int k = 0; k < n; ++k) {
        c += w.m_dV[k];
        w.m_arrAzimuthCorrections.Add(c);
        w.m_arrAdjAzimuths.Add(AddSecondsWithCarry(w.m_arrApproxAzimuths[k + l.azimuthOffset], c));
    }
    for (int j = 0; j < l.sides; ++j)
        w.m_arrAdjSides.Add(w.m_arrObservations[j].dDistance + w.m_dV[n + j] * 0.001);
    const PlanePoint start{w.m_dInitX1, w.m_dInitY1};
    w.m_arrAdjCoords.Add(start);
    double dx = 0.0, dy = 0.0;
    for (int k = 0; k < l.sides; ++k) {
        const double theta = DmsToRadians(w.m_arrAdjAzimuths[k]);
        dx += w.m_arrAdjSides[k] * std::cos(theta);
        dy += w.m_arrAdjSides[k] * std::sin(theta);
        w.m_arrAdjCoords.Add(PlanePoint{start.dX + dx, start.dY + dy});
    }
}

// The misclosures of a round: the shape's own closures less A v_prev. The azimuth
// closure is linear in the angles, so its term stays the carried closure.
void RoundMisclosures(const CTraverseAdjustDlg& w, const ConditionLayout& l,
                      const TraverseShape& at, double azimuthClosure,
                      const std::vector<double>& previous, double* misclosure) {
    const int r = w.m_nConditionCount, u = w.m_nObsCount;
    const PlanePoint& last = at.points.back();
    const double closure[2] = {(last.dX - l.closingPoint.dX) * 1000.0,
                               (last.dY - l.closingPoint.dY) * 1000.0};
    if (r == 3) misclosure[0] = azimuthClosure;
    for (int c = 0; c < 2; ++c) {
        const int row = r - 2 + c;
        double av = 0.0;
        for (int k = 0; k < u; ++k)
            av += w.m_dA[static_cast<size_t>(row) * u + k] * previous[static_cast<size_t>(k)];
        misclosure[row] = closure[c] - av;
    }
}

double LargestChange(const std::vector<double>& v, const std::vector<double>& previous) {
    double largest = 0.0;
    for (size_t i = 0; i < v.size(); ++i)
        largest = std::fmax(largest, std::fabs(v[i] - previous[i]));
    return std::isnan(largest) ? INFINITY : largest;
}

bool ClosesOnItsPoint(const CTraverseAdjustDlg& w, const ConditionLayout& l) {
    const PlanePoint& last = w.m_arrAdjCoords[l.points - 1];
    return std::hypot(last.dX - l.closingPoint.dX, last.dY - l.closingPoint.dY) < kClosedMetres;
}

// Corrections past the gross-error bounds: the known points and the observations do
// not belong together. 1 when within them, 0 after the message with the closures.
int CheckGrossErrors(CTraverseAdjustDlg& w, const ConditionLayout& l, int n) {
    const auto exceeded =
        FirstGrossError(w.m_dV, n, l.freeOrientation, w.m_arrObservations, w.m_arrAdjSides);
    if (!exceeded) return 1;
    std::optional<double> azimuthClosure;
    if (l.azimuthRow) azimuthClosure = DmsToSeconds(UnpackDms(w.m_dAzimuthClosure));
    w.ShowMessage(str::kGrossError,
                  FormatString(str::kGrossError,
                               {ClosurePhrase(w.m_dWx, w.m_dWy, azimuthClosure), *exceeded}));
    return 0;
}

// Rounds until the residuals settle. 1 when they did, 0 after the message.
int Iterate(CTraverseAdjustDlg& w, const ConditionLayout& l, int n, double azimuthClosure) {
    TraverseShape at = CarriedShape(w, l);
    std::vector<double> previous(static_cast<size_t>(n + l.sides), 0.0);
    for (int round = 1; round <= kMostRounds; ++round) {
        w.m_nRounds = round;
        SetUpConditions(w, l, n, at);
        double misclosure[3] = {};
        RoundMisclosures(w, l, at, azimuthClosure, previous, misclosure);
        if (!SolveForResiduals(w, l, misclosure)) {
            w.ShowMessage(str::kBadObservations);
            return 0;
        }
        ComputeAdjustedTraverse(w, l, n);
        if (LargestChange(w.m_dV, previous) < kSettled && ClosesOnItsPoint(w, l)) {
            // Settled: the last point is the known point, to far below a micrometre.
            w.m_arrAdjCoords[l.points - 1] = l.closingPoint;
            return CheckGrossErrors(w, l, n);
        }
        previous = w.m_dV;
        at = AdjustedShape(w, l);
    }
    if (CheckGrossErrors(w, l, n) != 1) return 0;
    w.ShowMessage(str::kNoConvergence,
                  FormatString(str::kNoConvergence, {std::to_string(kMostRounds)}));
    return 0;
}

int RunAdjustment(CTraverseAdjustDlg& w, const ConditionLayout& l, double azimuthClosure) {
    const int n = w.m_arrObservations.GetSize();
    if (!ReductionMatches(w, l, n)) {
        w.ShowMessage(str::kBadObservations);
        return 0;
    }
    const int result = Iterate(w, l, n, azimuthClosure);
    if (result == 1) {
        w.m_bClosuresShown = true;
        w.ShowWorkspace();
    }
    return result;
}
} // namespace

AngleDMS AddSecondsWithCarry(const AngleDMS& azimuth, double seconds) {
    return CarryUpwards(azimuth.nDeg, azimuth.nMin, azimuth.dSec + seconds);
}

int CTraverseAdjustDlg::AdjustClosedOrDoubleTraverse() {
    const int n = m_arrObservations.GetSize();
    // A closed loop's closure a_n - a_1 does not contain the connection angle at start
    // point 1; a double-connection traverse carries every angle to the end azimuth.
    const bool closed = m_nTraverseType == kClosed;
    const PlanePoint closing =
        closed ? PlanePoint{m_dInitX1, m_dInitY1} : PlanePoint{m_dGoalX1, m_dGoalY1};
    ConditionLayout l{n - 1, 1, n, true, closed ? 0.0 : 1.0, false, closing};
    return RunAdjustment(*this, l, DmsToSeconds(UnpackDms(m_dAzimuthClosure)));
}

int CTraverseAdjustDlg::AdjustSingleConnectionTraverse() {
    const int n = m_arrObservations.GetSize();
    ConditionLayout l{n, 1, n + 1, false, 0.0, false, {m_dGoalX1, m_dGoalY1}};
    return RunAdjustment(*this, l, 0.0);
}

// The orientation of the first side is not observed: it is adjusted as a free
// parameter (column 0), a rotation of the whole traverse about start point 1.
int CTraverseAdjustDlg::AdjustNonOrientedTraverse() {
    const int n = m_arrObservations.GetSize();
    ConditionLayout l{n, 0, n + 1, false, 0.0, true, {m_dGoalX1, m_dGoalY1}};
    return RunAdjustment(*this, l, 0.0);
}
