// Precision of an adjusted traverse: the unit-weight error, the cofactors of every
// point's adjusted coordinates, its mean square errors and its error ellipse.
//
// The cofactor of functions F = f^T l + g delta, G of the adjusted observations (and
// of the free orientation delta, where there is one) is
//   Q_FG = f^T Q g - h_f^T Qkk h_g - g_G Qkd^T h_f - g_F Qkd^T h_g - g_F g_G Qdd,
// h_f = A Q f, with Qkk, Qkd, Qdd the blocks of the inverse of the (bordered) normal
// matrix; without a parameter Qkk = N^-1 and the other terms vanish.
//
// A point's weight function on angle column j is the lever arm from j to the point,
// (u_j - u_p, w_j - w_p) with u, w the columns' x and y coefficients, and on a side
// its cosine and sine, for the columns up to the point. So every sum above is a
// quadratic form in running moments of (1, u_j, w_j, a_j) and of (cos, sin) over the
// traverse: one pass for all points.
#include "assess/NormalInverse.h"
#include "assess/Precision.h"
#include "model/AngleConversions.h"
#include "resources/StringTable.h"

#include <cmath>
#include <numbers>

namespace traverse {

namespace {
constexpr double kTwoPi = 2.0 * std::numbers::pi;

// Square root of a quantity that is never negative except by rounding.
double SqrtOrZero(double x) { return x < 0.0 ? 0.0 : std::sqrt(x); }

// Running sum of q x x^T over columns, x of dimension D; Form gives a^T M b.
template <int D> struct Moments {
    double m[D][D] = {};
    void Add(double q, const double (&x)[D]) {
        for (int i = 0; i < D; ++i)
            for (int k = 0; k < D; ++k)
                m[i][k] += q * x[i] * x[k];
    }
    double Form(const double (&a)[D], const double (&b)[D]) const {
        double sum = 0.0;
        for (int i = 0; i < D; ++i)
            for (int k = 0; k < D; ++k)
                sum += a[i] * m[i][k] * b[k];
        return sum;
    }
};

// Whether the blocks and lists left by the adjustment fit together, so that no read
// below leaves its array.
bool BlocksConsistent(const Adjustment& a) {
    const int m = static_cast<int>(a.residuals.size()), r = a.conditions;
    const int k1 = static_cast<int>(a.coefXAngle.size()), k2 = static_cast<int>(a.coefXSide.size());
    const size_t mm = static_cast<size_t>(m);
    if ((r != 2 && r != 3) || m < k2 || static_cast<int>(a.coefYAngle.size()) != k1 ||
        static_cast<int>(a.coefYSide.size()) != k2 || (a.parameters == 1 && r != 2))
        return false;
    if (a.cofactors.size() < mm || a.conditionMatrix.size() < mm * r) return false;
    // Points are assessed only with every angle-type coefficient at hand.
    return k1 == 0 || k1 >= m - k2;
}

struct PointCofactors {
    double qxx, qyy, qxy;
};

// Walks the points in order, adding each column to the moments when the first point
// that depends on it comes up.
class PointWalk {
public:
    PointWalk(const Adjustment& a, const NormalInverse& inv) : m_w(a), m_inv(inv) {
        m_sides = static_cast<int>(a.coefXSide.size());
        m_angles = static_cast<int>(a.residuals.size()) - m_sides;
        m_azimuthRow = a.conditions == 3;
    }

    // Entry e: the point at the end of side e; past the last side, the last point.
    PointCofactors Assess(int e) {
        const int k1 = static_cast<int>(m_w.coefXAngle.size());
        for (; m_nextAngle < e + 1 && m_nextAngle < m_angles; ++m_nextAngle)
            AddAngle(m_nextAngle);
        for (; m_nextSide < e + 1 && m_nextSide < m_sides; ++m_nextSide)
            AddSide(m_nextSide);
        const int p = e + 1 < k1 - 1 ? e + 1 : k1 - 1;
        return Cofactors(m_w.coefXAngle[static_cast<size_t>(p)],
                         m_w.coefYAngle[static_cast<size_t>(p)]);
    }

private:
    void AddAngle(int j) {
        const size_t k = static_cast<size_t>(j);
        const double a = m_azimuthRow ? m_w.conditionMatrix[k] : 0.0;
        m_angleMoments.Add(m_w.cofactors[k], {1.0, m_w.coefXAngle[k], m_w.coefYAngle[k], a});
    }
    void AddSide(int j) {
        const size_t k = static_cast<size_t>(j);
        m_sideMoments.Add(m_w.cofactors[static_cast<size_t>(m_angles) + k],
                          {m_w.coefXSide[k], m_w.coefYSide[k]});
    }

    PointCofactors Cofactors(double up, double wp) const {
        // Weight functions and condition rows in the moments' coordinates.
        const double fxA[4] = {-up, 1, 0, 0}, fyA[4] = {-wp, 0, 1, 0};
        const double fxS[2] = {1, 0}, fyS[2] = {0, 1};
        const double rowA[3][4] = {{0, 0, 0, 1}, {0, 1, 0, 0}, {0, 0, 1, 0}};
        const double rowS[3][2] = {{0, 0}, {1, 0}, {0, 1}};
        const int r = m_inv.r, first = m_azimuthRow ? 0 : 1;
        double hx[3] = {}, hy[3] = {};
        for (int c = 0; c < r; ++c) {
            hx[c] = m_angleMoments.Form(rowA[first + c], fxA) +
                    m_sideMoments.Form(rowS[first + c], fxS);
            hy[c] = m_angleMoments.Form(rowA[first + c], fyA) +
                    m_sideMoments.Form(rowS[first + c], fyS);
        }
        // The free orientation turns the point about start point 1 (column 0).
        double gx = 0.0, gy = 0.0;
        if (m_w.parameters == 1) {
            gx = m_w.coefXAngle[0] - up;
            gy = m_w.coefYAngle[0] - wp;
        }
        auto q = [&](const double(&fA)[4], const double(&fS)[2], const double* hf, double gf,
                     const double(&gA)[4], const double(&gS)[2], const double* hg, double gg) {
            double s = m_angleMoments.Form(fA, gA) + m_sideMoments.Form(fS, gS);
            for (int i = 0; i < r; ++i) {
                for (int k = 0; k < r; ++k)
                    s -= hf[i] * m_inv.kk[i * r + k] * hg[k];
                s -= gg * m_inv.kd[i] * hf[i] + gf * m_inv.kd[i] * hg[i];
            }
            return s - gf * gg * m_inv.dd;
        };
        return {q(fxA, fxS, hx, gx, fxA, fxS, hx, gx), q(fyA, fyS, hy, gy, fyA, fyS, hy, gy),
                q(fxA, fxS, hx, gx, fyA, fyS, hy, gy)};
    }

    const Adjustment& m_w;
    const NormalInverse& m_inv;
    int m_sides = 0, m_angles = 0, m_nextAngle = 0, m_nextSide = 0;
    bool m_azimuthRow = false;
    Moments<4> m_angleMoments;
    Moments<2> m_sideMoments;
};

PointPrecision PointOf(const PointCofactors& q, double sigma0) {
    PointPrecision p;
    p.qxx = q.qxx;
    p.qyy = q.qyy;
    p.qxy = q.qxy;
    p.mx = std::sqrt(std::fabs(q.qxx)) * sigma0;
    p.my = std::sqrt(std::fabs(q.qyy)) * sigma0;
    p.m = SqrtOrZero(q.qxx + q.qyy) * sigma0;
    p.ellipse = ComputeErrorEllipse(q.qxx, q.qyy, q.qxy, sigma0);
    return p;
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

std::variant<Precision, Refusal> AssessPrecision(const Adjustment& a) {
    if (!BlocksConsistent(a)) return Refusal{str::kBadObservations, {}};
    double pvv = 0.0;
    for (size_t i = 0; i < a.residuals.size(); ++i)
        if (a.cofactors[i] != 0.0) // v is 0 where q is 0
            pvv += a.residuals[i] * a.residuals[i] / a.cofactors[i];
    const NormalInverse inv = InvertNormals(a);
    Precision p;
    p.redundancy = a.conditions - a.parameters;
    p.sigma0 = std::sqrt(pvv / p.redundancy);

    PointWalk walk(a, inv);
    p.points.reserve(a.coefXAngle.size());
    for (int e = 0; e < static_cast<int>(a.coefXAngle.size()); ++e)
        p.points.push_back(PointOf(walk.Assess(e), p.sigma0));
    return p;
}

} // namespace traverse
