// Precision of an adjusted traverse: the unit-weight error, the cofactors of every
// point's adjusted coordinates, its mean square errors and its error ellipse.
//
// The cofactor of a function f^T v of the observations after a condition adjustment is
// f^T Q f - (A Q f)^T N^-1 (A Q f). Q is diagonal, so each point costs one pass over
// the observations its coordinates depend on.
#include "adjust/Adjustment.h"
#include "compute/AngleConversions.h"
#include "resources/StringTable.h"
#include "workspace/TraverseAdjustDlg.h"

#include <cmath>
#include <numbers>

namespace {
constexpr double kTwoPi = 2.0 * std::numbers::pi;

// Square root of a quantity that is never negative except by rounding.
double SqrtOrZero(double x) { return x < 0.0 ? 0.0 : std::sqrt(x); }

// Whether the blocks and lists left by the adjustment fit together, so that no read
// below leaves its array.
bool BlocksConsistent(const CTraverseAdjustDlg& w) {
    const int m = w.m_nObsCount, r = w.m_nConditionCount;
    const int k1 = w.m_arrCoefXAngle.GetSize(), k2 = w.m_arrCoefXSide.GetSize();
    const size_t mm = static_cast<size_t>(m > 0 ? m : 0);
    if ((r != 2 && r != 3) || m < k2 || w.m_arrCoefYAngle.GetSize() != k1 ||
        w.m_arrCoefYSide.GetSize() != k2)
        return false;
    if (w.m_dV.size() < mm || w.m_dQ.size() < mm || w.m_dA.size() < mm * r) return false;
    // Points are assessed only with every angle-type coefficient and every end of a side
    // at hand.
    return k1 == 0 || (k1 >= m - k2 && w.m_arrApproxCoords.GetSize() > k2);
}

struct PointCofactors {
    double qxx, qyy, qxy;
};

// Cofactors of point `entry`: the end of side `entry`, or past the last side the last
// point. Its weight functions fx, fy are the derivatives of its adjusted X and Y
// (mm) by the observations; a turn at point j moves it by the lever arm from j to it.
PointCofactors AssessPoint(const CTraverseAdjustDlg& w, int entry, const double* Ni) {
    const int m = w.m_nObsCount, r = w.m_nConditionCount;
    const int k2 = w.m_arrCoefXSide.GetSize();
    const int angles = m - k2;
    const bool endOfSide = entry < k2;
    const int angleEnd = endOfSide ? (entry + 1 < angles ? entry + 1 : angles) : angles;
    const int sideEnd = endOfSide ? entry + 1 : k2;
    const PlanePoint point = endOfSide ? w.m_arrApproxCoords[entry + 1] : PlanePoint{};

    double sxx = 0.0, syy = 0.0, sxy = 0.0;
    double gx[3] = {}, gy[3] = {}; // A Q f
    auto accumulate = [&](int col, double fx, double fy) {
        const double q = w.m_dQ[col];
        sxx += fx * q * fx;
        syy += fy * q * fy;
        sxy += fx * q * fy;
        for (int c = 0; c < r; ++c) {
            const double aq = w.m_dA[static_cast<size_t>(c) * m + col] * q;
            gx[c] += aq * fx;
            gy[c] += aq * fy;
        }
    };
    for (int j = 0; j < angleEnd; ++j) {
        if (endOfSide) {
            const PlanePoint& pj = w.m_arrApproxCoords[j];
            accumulate(j, -(point.dY - pj.dY) * kArcSecondLever,
                       (point.dX - pj.dX) * kArcSecondLever);
        } else {
            accumulate(j, w.m_arrCoefXAngle[j], w.m_arrCoefYAngle[j]);
        }
    }
    for (int j = 0; j < sideEnd; ++j)
        accumulate(angles + j, w.m_arrCoefXSide[j], w.m_arrCoefYSide[j]);

    auto reduce = [&](const double* a, const double* b) {
        double sum = 0.0;
        for (int i = 0; i < r; ++i)
            for (int c = 0; c < r; ++c)
                sum += a[i] * Ni[i * r + c] * b[c];
        return sum;
    };
    return {sxx - reduce(gx, gx), syy - reduce(gy, gy), sxy - reduce(gx, gy)};
}
} // namespace

int InvertSymmetric3x3(const double in[9], double out[9]) {
    const double a0 = in[0], a1 = in[1], a2 = in[2], a3 = in[3], a4 = in[4], a5 = in[5];
    const double a7 = in[7], a8 = in[8];
    const double det =
        a0 * a4 * a8 + 2.0 * a2 * a3 * a5 - (a0 * a5 * a5 + a4 * a2 * a2 + a8 * a1 * a1);
    out[0] = a4 * a8 - a5 * a5;
    out[1] = out[3] = a2 * a7 - a1 * a8;
    out[2] = out[6] = a3 * a5 - a2 * a4;
    out[4] = a0 * a8 - a2 * a2;
    out[5] = out[7] = a2 * a3 - a0 * a5;
    out[8] = a0 * a4 - a1 * a1;
    for (int i = 0; i < 9; ++i)
        out[i] /= det;
    return 1;
}

int Invert2x2(const double in[4], double out[4]) {
    const double a = in[0], b = in[1], c = in[2], d = in[3];
    const double f = 1.0 / (a * d - b * c);
    out[0] = d * f;
    out[1] = -b * f;
    out[2] = -c * f;
    out[3] = a * f;
    return 1;
}

ErrorEllipse ComputeErrorEllipse(double qxx, double qyy, double qxy, double sigma0) {
    const double d = qxx - qyy;
    const double k = std::sqrt(std::fabs(d * d + 4.0 * qxy * qxy));
    const double s2 = sigma0 * sigma0;
    ErrorEllipse e;
    e.dA = SqrtOrZero(s2 * (qxx + qyy + k) * 0.5);
    e.dB = SqrtOrZero(s2 * (qxx + qyy - k) * 0.5);
    // Direction of the semi-major axis; +0.0 keeps a zero Qxy (of either sign) on the
    // principal branch, and a circle gets 0.
    double phi = 0.5 * std::atan2(qxy == 0.0 ? 0.0 : 2.0 * qxy, d == 0.0 ? 0.0 : d);
    if (phi < 0.0) phi += kTwoPi;
    e.F = RadiansToDms(phi);
    return e;
}

int CTraverseAdjustDlg::AssessPrecision() {
    if (!BlocksConsistent(*this)) {
        ShowMessage(str::kBadObservations);
        return 0;
    }
    const int m = m_nObsCount, r = m_nConditionCount;
    double pvv = 0.0;
    for (int i = 0; i < m; ++i)
        if (m_dQ[i] != 0.0) pvv += m_dV[i] * m_dV[i] / m_dQ[i]; // v is 0 where q is 0

    const double* Ni = m_dN2Inv;
    if (r == 3) {
        InvertSymmetric3x3(m_dN3, m_dN3Inv);
        Ni = m_dN3Inv;
    } else {
        Invert2x2(m_dN2, m_dN2Inv);
    }
    m_dSigma0 = std::sqrt(pvv / r);

    const int k1 = m_arrCoefXAngle.GetSize();
    for (int i = 0; i < k1; ++i) {
        const PointCofactors q = AssessPoint(*this, i, Ni);
        m_arrQxx.Add(q.qxx);
        m_arrQyy.Add(q.qyy);
        m_arrQxy.Add(q.qxy);
        m_arrMx.Add(std::sqrt(std::fabs(q.qxx)) * m_dSigma0);
        m_arrMy.Add(std::sqrt(std::fabs(q.qyy)) * m_dSigma0);
        m_arrM.Add(SqrtOrZero(q.qxx + q.qyy) * m_dSigma0);
        const ErrorEllipse e = ComputeErrorEllipse(q.qxx, q.qyy, q.qxy, m_dSigma0);
        m_arrEllipseA.Add(e.dA);
        m_arrEllipseB.Add(e.dB);
        m_arrEllipseF.Add(e.F);
    }
    ShowMessage(str::kAdjustDone);
    return 1;
}
