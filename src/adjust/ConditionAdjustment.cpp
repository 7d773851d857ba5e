// Least-squares adjustment by condition equations of the four traverse types.
// Observations: the angle-type observations first (angles, or the orientation and the
// angles of a non-oriented traverse), then the sides. Conditions: the azimuth closure
// where there is one, then the x and y closures. The work blocks are sized to the
// traverse; Q is diagonal and only its diagonal is kept.
#include "adjust/Adjustment.h"
#include "adjust/MatrixKernel.h"
#include "compute/AngleConversions.h"
#include "resources/StringTable.h"
#include "workspace/TraverseAdjustDlg.h"

#include <cmath>

namespace {
struct Layout {
    int sides;                    // corrected sides, from record 0 on
    int azimuthOffset;            // side j's approximate azimuth is entry j + azimuthOffset
    int points;                   // approximate points the reduction left
    bool azimuthRow;              // a third condition on the closing azimuth
    double firstAngleAzimuthCoef; // azimuth-condition coefficient of angle 0
};

bool ReductionMatches(const CTraverseAdjustDlg& w, const Layout& l, int n) {
    return n >= 1 && l.sides >= 0 && w.m_arrApproxAzimuths.GetSize() == n + l.azimuthOffset &&
           w.m_arrApproxCoords.GetSize() == l.points;
}

// Condition matrix, cofactors and the coefficient lists the precision assessment reads.
void SetUpConditions(CTraverseAdjustDlg& w, const Layout& l, int n) {
    const int r = l.azimuthRow ? 3 : 2;
    const int u = n + l.sides;
    w.m_nObsCount = u;
    w.m_nConditionCount = r;
    w.m_dQ.assign(static_cast<size_t>(u), 0.0);
    w.m_dA.assign(static_cast<size_t>(r) * u, 0.0);
    w.m_dAT.assign(static_cast<size_t>(u) * r, 0.0);
    w.m_dV.assign(static_cast<size_t>(u), 0.0);
    auto A = [&](int row, int col) -> double& {
        return w.m_dA[static_cast<size_t>(row) * u + col];
    };

    for (int j = 0; j < n; ++j)
        w.m_dQ[j] = kAngleCofactor;
    for (int j = 0; j < l.sides; ++j)
        w.m_dQ[n + j] = w.m_arrObservations[j].dDistance * kSideCofactorPerMetre;

    if (l.azimuthRow) {
        for (int j = 0; j < n; ++j)
            A(0, j) = 1.0;
        A(0, 0) = l.firstAngleAzimuthCoef;
    }
    const int xr = r - 2, yr = r - 1;
    // A turn at point j moves the last point by the lever arm from j to it.
    const PlanePoint last = w.m_arrApproxCoords[l.points - 1];
    for (int j = 0; j < l.points; ++j) {
        const PlanePoint& p = w.m_arrApproxCoords[j];
        double ax = (last.dY - p.dY) * -kArcSecondLever;
        double ay = (last.dX - p.dX) * kArcSecondLever;
        w.m_arrCoefXAngle.Add(ax);
        w.m_arrCoefYAngle.Add(ay);
        if (j < n) {
            A(xr, j) = ax;
            A(yr, j) = ay;
        }
    }
    for (int j = 0; j < l.sides; ++j) {
        double alpha = DmsToRadians(w.m_arrApproxAzimuths[j + l.azimuthOffset]);
        double c = std::cos(alpha), s = std::sin(alpha);
        w.m_arrCoefXSide.Add(c);
        w.m_arrCoefYSide.Add(s);
        A(xr, n + j) = c;
        A(yr, n + j) = s;
    }
    for (int i = 0; i < u; ++i)
        for (int c = 0; c < r; ++c)
            w.m_dAT[static_cast<size_t>(i) * r + c] = A(c, i);
}

// N = A Q A^T into m_dN3 or m_dN2 (Q diagonal).
void FormNormalMatrix(CTraverseAdjustDlg& w, double* N) {
    const int r = w.m_nConditionCount, u = w.m_nObsCount;
    const double* a = w.m_dA.data();
    for (int i = 0; i < r; ++i)
        for (int c = 0; c < r; ++c) {
            double sum = 0.0;
            for (int k = 0; k < u; ++k)
                sum += a[i * u + k] * w.m_dQ[k] * a[c * u + k];
            N[i * r + c] = sum;
        }
}

// Corrections, adjusted sides, azimuths and coordinates from the correlates K.
void ApplyCorrelates(CTraverseAdjustDlg& w, const Layout& l, int n, const double* K) {
    const int r = w.m_nConditionCount, u = w.m_nObsCount;
    for (int i = 0; i < u; ++i) {
        double sum = 0.0;
        for (int c = 0; c < r; ++c)
            sum += w.m_dAT[static_cast<size_t>(i) * r + c] * K[c];
        w.m_dV[i] = w.m_dQ[i] * sum;
    }
    double c = 0.0;
    for (int k = 0; k < n; ++k) {
        c += w.m_dV[k];
        w.m_arrAzimuthCorrections.Add(c);
    }
    for (int j = 0; j < l.sides; ++j)
        w.m_arrAdjSides.Add(w.m_arrObservations[j].dDistance + w.m_dV[n + j] * 0.001);
    for (int k = 0; k < n; ++k)
        w.m_arrAdjAzimuths.Add(AddSecondsWithCarry(w.m_arrApproxAzimuths[k + l.azimuthOffset],
                                                   w.m_arrAzimuthCorrections[k]));
    PlanePoint p{w.m_dInitX1, w.m_dInitY1};
    w.m_arrAdjCoords.Add(p);
    for (int k = 0; k < l.sides; ++k) {
        double theta = DmsToRadians(w.m_arrAdjAzimuths[k]);
        double s = w.m_arrAdjSides[k];
        p = PlanePoint{p.dX + s * std::cos(theta), p.dY + s * std::sin(theta)};
        w.m_arrAdjCoords.Add(p);
    }
}

int RunAdjustment(CTraverseAdjustDlg& w, const Layout& l, const double* misclosures) {
    const int n = w.m_arrObservations.GetSize();
    if (!ReductionMatches(w, l, n)) {
        w.ShowMessage(str::kBadObservations);
        return 0;
    }
    SetUpConditions(w, l, n);
    const int r = w.m_nConditionCount;
    double* N = r == 3 ? w.m_dN3 : w.m_dN2;
    FormNormalMatrix(w, N);
    double copy[9];
    double K[3];
    for (int i = 0; i < r * r; ++i)
        copy[i] = N[i];
    for (int c = 0; c < r; ++c)
        K[c] = -misclosures[c];
    if (SolveLinearSystem(copy, K, r) != 1) {
        w.ShowMessage(str::kBadObservations);
        return 0;
    }
    ApplyCorrelates(w, l, n, K);
    w.ShowWorkspace();
    return 1;
}
} // namespace

AngleDMS AddSecondsWithCarry(const AngleDMS& azimuth, double seconds) {
    return CarryUpwards(azimuth.nDeg, azimuth.nMin, azimuth.dSec + seconds);
}

int CTraverseAdjustDlg::AdjustClosedOrDoubleTraverse() {
    const int n = m_arrObservations.GetSize();
    // A closed loop's closure a_n - a_1 does not contain the connection angle at start
    // point 1; a double-connection traverse carries every angle to the end azimuth.
    Layout l{n - 1, 1, n, true, m_nTraverseType == kClosed ? 0.0 : 1.0};
    const double w[3] = {DmsToSeconds(UnpackDms(m_dAzimuthClosure)), m_dWx, m_dWy};
    return RunAdjustment(*this, l, w);
}

int CTraverseAdjustDlg::AdjustSingleConnectionTraverse() {
    const int n = m_arrObservations.GetSize();
    Layout l{n, 1, n + 1, false, 0.0};
    const double w[2] = {m_dWx, m_dWy};
    return RunAdjustment(*this, l, w);
}

// The orientation found by the reduction is adjusted as one more angle-like
// observation (column 0), turning the whole traverse about start point 1.
int CTraverseAdjustDlg::AdjustNonOrientedTraverse() {
    const int n = m_arrObservations.GetSize();
    Layout l{n, 0, n + 1, false, 0.0};
    const double w[2] = {m_dWx, m_dWy};
    return RunAdjustment(*this, l, w);
}
