// The condition matrix of a traverse: a turn of one second at point j moves the last
// point by the lever arm from j to it (kArcSecondLever mm per metre); a side's
// correction moves it along the side's azimuth. Q is diagonal: 2.0 for an angle,
// 0.01 S for a side of S metres, 0 for the free orientation (not an observation).
#include "adjust/ConditionSystem.h"

#include "adjust/Adjustment.h"
#include "adjust/MatrixKernel.h"
#include "reduce/AngleConversions.h"
#include "workspace/TraverseAdjustDlg.h"

#include <cmath>

namespace {
void SizeBlocks(CTraverseAdjustDlg& w, int u, int r, bool freeOrientation) {
    w.m_nObsCount = u;
    w.m_nConditionCount = r;
    w.m_nParameterCount = freeOrientation ? 1 : 0;
    w.m_dQ.assign(static_cast<size_t>(u), 0.0);
    w.m_dA.assign(static_cast<size_t>(r) * u, 0.0);
    w.m_dAT.assign(static_cast<size_t>(u) * r, 0.0);
    w.m_dV.assign(static_cast<size_t>(u), 0.0);
    for (CGrowableArray<double>* list :
         {&w.m_arrCoefXAngle, &w.m_arrCoefYAngle, &w.m_arrCoefXSide, &w.m_arrCoefYSide})
        list->SetSize(0);
}

// N = A Q A^T (r x r, Q diagonal).
void FormNormalMatrix(const CTraverseAdjustDlg& w, double* N) {
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

// Correlates K from N K = -w; with a free orientation the bordered system
// [N b; b^T 0] [K; delta] = [-w; 0], b the orientation's column. delta is 0 without.
bool SolveCorrelates(CTraverseAdjustDlg& w, const double* misclosure, double* K, double& delta) {
    const int r = w.m_nConditionCount, u = w.m_nObsCount;
    delta = 0.0;
    if (w.m_nParameterCount == 0) {
        double* N = r == 3 ? w.m_dN3 : w.m_dN2;
        FormNormalMatrix(w, N);
        double copy[9];
        for (int i = 0; i < r * r; ++i)
            copy[i] = N[i];
        for (int c = 0; c < r; ++c)
            K[c] = -misclosure[c];
        return SolveLinearSystem(copy, K, r) == 1;
    }
    FormNormalMatrix(w, w.m_dN2);
    const double b0 = w.m_dA[0], b1 = w.m_dA[static_cast<size_t>(u)];
    const double bordered[9] = {w.m_dN2[0], w.m_dN2[1], b0, w.m_dN2[2], w.m_dN2[3],
                                b1,         b0,         b1, 0.0};
    double copy[9], x[3] = {-misclosure[0], -misclosure[1], 0.0};
    for (int i = 0; i < 9; ++i)
        w.m_dN3[i] = copy[i] = bordered[i];
    if (SolveLinearSystem(copy, x, 3) != 1) return false;
    K[0] = x[0];
    K[1] = x[1];
    delta = x[2];
    return true;
}
} // namespace

TraverseShape CarriedShape(const CTraverseAdjustDlg& w, const ConditionLayout& l) {
    TraverseShape s;
    for (int j = 0; j < l.points; ++j)
        s.points.push_back(w.m_arrApproxCoords[j]);
    for (int j = 0; j < l.sides; ++j)
        s.sideAzimuths.push_back(DmsToRadians(w.m_arrApproxAzimuths[j + l.azimuthOffset]));
    return s;
}

TraverseShape AdjustedShape(const CTraverseAdjustDlg& w, const ConditionLayout& l) {
    TraverseShape s;
    for (int j = 0; j < l.points; ++j)
        s.points.push_back(w.m_arrAdjCoords[j]);
    for (int j = 0; j < l.sides; ++j)
        s.sideAzimuths.push_back(DmsToRadians(w.m_arrAdjAzimuths[j]));
    return s;
}

void SetUpConditions(CTraverseAdjustDlg& w, const ConditionLayout& l, int n,
                     const TraverseShape& at) {
    const int r = l.azimuthRow ? 3 : 2;
    const int u = n + l.sides;
    SizeBlocks(w, u, r, l.freeOrientation);
    auto A = [&](int row, int col) -> double& {
        return w.m_dA[static_cast<size_t>(row) * u + col];
    };
    for (int j = 0; j < n; ++j)
        w.m_dQ[j] = kAngleCofactor;
    if (l.freeOrientation) w.m_dQ[0] = 0.0;
    for (int j = 0; j < l.sides; ++j)
        w.m_dQ[n + j] = w.m_arrObservations[j].dDistance * kSideCofactorPerMetre;

    if (l.azimuthRow) {
        for (int j = 0; j < n; ++j)
            A(0, j) = 1.0;
        A(0, 0) = l.firstAngleAzimuthCoef;
    }
    const int xr = r - 2, yr = r - 1;
    const PlanePoint last = at.points.back();
    for (int j = 0; j < l.points; ++j) {
        const PlanePoint& p = at.points[static_cast<size_t>(j)];
        const double ax = (last.dY - p.dY) * -kArcSecondLever;
        const double ay = (last.dX - p.dX) * kArcSecondLever;
        w.m_arrCoefXAngle.Add(ax);
        w.m_arrCoefYAngle.Add(ay);
        if (j < n) {
            A(xr, j) = ax;
            A(yr, j) = ay;
        }
    }
    for (int j = 0; j < l.sides; ++j) {
        const double alpha = at.sideAzimuths[static_cast<size_t>(j)];
        const double c = std::cos(alpha), s = std::sin(alpha);
        w.m_arrCoefXSide.Add(c);
        w.m_arrCoefYSide.Add(s);
        A(xr, n + j) = c;
        A(yr, n + j) = s;
    }
    for (int i = 0; i < u; ++i)
        for (int c = 0; c < r; ++c)
            w.m_dAT[static_cast<size_t>(i) * r + c] = A(c, i);
}

bool SolveForResiduals(CTraverseAdjustDlg& w, const ConditionLayout& l, const double* misclosure) {
    double K[3] = {}, delta = 0.0;
    if (!SolveCorrelates(w, misclosure, K, delta)) return false;
    const int r = w.m_nConditionCount, u = w.m_nObsCount;
    for (int i = 0; i < u; ++i) {
        double sum = 0.0;
        for (int c = 0; c < r; ++c)
            sum += w.m_dAT[static_cast<size_t>(i) * r + c] * K[c];
        w.m_dV[i] = w.m_dQ[i] * sum;
    }
    if (l.freeOrientation) w.m_dV[0] = delta;
    return true;
}
