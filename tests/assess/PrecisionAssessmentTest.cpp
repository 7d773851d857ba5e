#include "adjust/Adjustment.h"
#include "adjust/MatrixKernel.h"
#include "adjust/TraverseCases.h"
#include "model/AngleConversions.h"
#include "resources/StringTable.h"
#include "support/FakeWindowPort.h"
#include "workspace/ControlIds.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <array>
#include <cmath>
#include <numbers>

using namespace traverse;

namespace {
constexpr double kRad = std::numbers::pi / 180.0;

// Inverse of a small dense matrix, column by column.
std::vector<double> Inverse(const std::vector<double>& a, int r) {
    std::vector<double> inv(a.size());
    for (int c = 0; c < r; ++c) {
        std::vector<double> copy = a, e(r, 0.0);
        e[c] = 1.0;
        EXPECT_EQ(SolveLinearSystem(copy.data(), e.data(), r), 1);
        for (int i = 0; i < r; ++i)
            inv[i * r + c] = e[i];
    }
    return inv;
}
} // namespace

TEST(ErrorEllipse, AxesAndOrientation) {
    struct Case {
        const char* name;
        double qxx, qyy, qxy, sigma0;
        double a, b;
        int deg, min;
        double sec = 0.0;
    };
    // (Qxx, Qyy, Qxy) of an ellipse whose major axis lies at phi degrees.
    auto at = [](double phi) {
        double c = std::cos(2 * phi * kRad), s = std::sin(2 * phi * kRad);
        return std::array<double, 3>{2.0 + c, 2.0 - c, s}; // axes sqrt(3), 1
    };
    const auto m105 = at(-10.5), m05 = at(-0.5), p30 = at(30), p120 = at(120);
    const double r3 = std::sqrt(3.0);
    const Case cases[] = {
        {"Qxx > Qyy", 4.0, 1.0, 0.0, 2.0, 4.0, 2.0, 0, 0},
        {"Qxx < Qyy: the major axis runs east", 1.0, 4.0, 0.0, 2.0, 4.0, 2.0, 90, 0},
        {"circle", 2.0, 2.0, 0.0, 1.0, std::sqrt(2.0), std::sqrt(2.0), 0, 0},
        {"circle, negative zero", 2.0, 2.0, -0.0, 1.0, std::sqrt(2.0), std::sqrt(2.0), 0, 0},
        {"-10.5 deg", m105[0], m105[1], m105[2], 1.0, r3, 1.0, 349, 30},
        {"-0.5 deg", m05[0], m05[1], m05[2], 1.0, r3, 1.0, 359, 30},
        {"30 deg", p30[0], p30[1], p30[2], 1.0, r3, 1.0, 30, 0},
        {"120 deg is -60 deg", p120[0], p120[1], p120[2], 1.0, r3, 1.0, 300, 0},
        {"Qxx = Qyy, Qxy > 0", 2.0, 2.0, 1.0, 1.0, r3, 1.0, 45, 0},
        {"Qxx = Qyy, Qxy < 0", 2.0, 2.0, -1.0, 1.0, r3, 1.0, 315, 0},
        // B^2 is negative only by rounding here
        {"degenerate", 0.3, 0.6, std::sqrt(0.18), 1.0, std::sqrt(0.9), 0.0, 54, 44, 8.197},
    };
    for (const Case& t : cases) {
        SCOPED_TRACE(t.name);
        ErrorEllipse e = ComputeErrorEllipse(t.qxx, t.qyy, t.qxy, t.sigma0);
        EXPECT_NEAR(e.dA, t.a, 1e-6);
        EXPECT_NEAR(e.dB, t.b, 1e-6);
        EXPECT_EQ(e.F.nDeg, t.deg);
        EXPECT_EQ(e.F.nMin, t.min);
        EXPECT_NEAR(e.F.dSec, t.sec, 1e-3);
    }
}

TEST(ErrorEllipse, InversesOfTheNormalMatrices) {
    const double n3[][9] = {{4, 1, 2, 1, 3, 0.5, 2, 0.5, 5},
                            {2.0, 0, 0, 0, 1e6, -300, 0, -300, 1e6},
                            {1e-3, 2e-4, 0, 2e-4, 5e-3, 1e-4, 0, 1e-4, 2e-3}};
    for (const auto& in : n3) {
        double copy[9], out[9];
        std::copy(in, in + 9, copy);
        EXPECT_EQ(InvertSymmetric3x3(copy, out), 1);
        for (int i = 0; i < 3; ++i)
            for (int j = 0; j < 3; ++j) {
                double s = 0;
                for (int k = 0; k < 3; ++k)
                    s += in[i * 3 + k] * out[k * 3 + j];
                EXPECT_NEAR(s, i == j ? 1.0 : 0.0, 1e-9);
            }
        EXPECT_TRUE(std::equal(in, in + 9, copy));
    }
    const double n2[][4] = {{4, 1, 1, 3}, {1e6, -3e3, -3e3, 2e5}, {0.5, 0, 0, 8}};
    for (const auto& in : n2) {
        double copy[4], out[4];
        std::copy(in, in + 4, copy);
        EXPECT_EQ(Invert2x2(copy, out), 1);
        for (int i = 0; i < 2; ++i)
            for (int j = 0; j < 2; ++j)
                EXPECT_NEAR(in[i * 2] * out[j] + in[i * 2 + 1] * out[2 + j], i == j, 1e-12);
    }
}

// The cofactors of every point against weight functions and conditions found by
// differentiating each traverse type's forward model numerically.
TEST(PrecisionAssessment, PointCofactorsFollowTheTraverseGeometry) {
    for (int type : {kNonOriented, kSingleConnection, kClosed, kDoubleConnection})
        for (double origin : {3512345.678, -50.0}) {
            SCOPED_TRACE(std::to_string(type) + " at " + std::to_string(origin));
            const TraverseCase c = GeneratedCase(type, 7, origin, origin / 7.0);
            const auto run = AdjustCase(c);
            ASSERT_TRUE(std::holds_alternative<AdjustedTraverse>(run));
            const AdjustedTraverse& t = std::get<AdjustedTraverse>(run);
            const Adjustment& a = t.adjustment;

            std::vector<double> x;
            const ForwardModel model = ModelOf(c, t.reduction, x);
            const int u = static_cast<int>(x.size()), r = a.conditions;
            // The last round linearised at the adjusted observations.
            std::vector<double> adjusted = x;
            for (int k = 0; k < u; ++k)
                adjusted[k] += a.residuals[static_cast<size_t>(k)];
            const std::vector<double> f0 = model.Evaluate(adjusted);
            std::vector<std::vector<double>> J(f0.size(), std::vector<double>(u));
            for (int k = 0; k < u; ++k) {
                std::vector<double> up = adjusted, down = adjusted;
                up[k] += 1.0;
                down[k] -= 1.0;
                std::vector<double> fu = model.Evaluate(up), fd = model.Evaluate(down);
                for (size_t i = 0; i < f0.size(); ++i)
                    J[i][k] = (fu[i] - fd[i]) / 2.0;
            }
            // The orientation of a non-oriented traverse is a free parameter, no observation.
            const bool free = type == kNonOriented;
            std::vector<double> q(u);
            for (int k = 0; k < u; ++k)
                q[k] = k < model.angles ? (free && k == 0 ? 0.0 : 2.0) : x[k] * 1e-5;
            // The condition matrix is the derivative of the closures.
            for (int c = 0; c < r; ++c)
                for (int k = 0; k < u; ++k)
                    EXPECT_NEAR(a.conditionMatrix[static_cast<size_t>(c) * u + k], J[c][k],
                                1e-5 * (1.0 + std::fabs(J[c][k])))
                        << "row " << c << " column " << k;
            std::vector<double> N(r * r, 0.0);
            for (int i = 0; i < r; ++i)
                for (int b = 0; b < r; ++b)
                    for (int k = 0; k < u; ++k)
                        N[i * r + b] += J[i][k] * q[k] * J[b][k];
            // With the free orientation: the inverse of [N b; b^T 0], b its column.
            const int rb = free ? r + 1 : r;
            std::vector<double> bordered(rb * rb, 0.0);
            for (int i = 0; i < rb; ++i)
                for (int b = 0; b < rb; ++b)
                    bordered[i * rb + b] = i < r && b < r ? N[i * r + b]
                                           : i < r        ? J[i][0]
                                           : b < r        ? J[b][0]
                                                          : 0.0;
            const std::vector<double> Mi = Inverse(bordered, rb);
            std::vector<double> Ni(r * r);
            for (int i = 0; i < r; ++i)
                for (int b = 0; b < r; ++b)
                    Ni[i * r + b] = Mi[i * rb + b];
            auto cofactor = [&](const std::vector<double>& f, const std::vector<double>& g) {
                std::vector<double> af(r, 0.0), ag(r, 0.0);
                double fqg = 0.0;
                for (int k = 0; k < u; ++k) {
                    fqg += f[k] * q[k] * g[k];
                    for (int c = 0; c < r; ++c) {
                        af[c] += J[c][k] * q[k] * f[k];
                        ag[c] += J[c][k] * q[k] * g[k];
                    }
                }
                for (int i = 0; i < r; ++i)
                    for (int b = 0; b < r; ++b)
                        fqg -= af[i] * Ni[i * r + b] * ag[b];
                if (free) {
                    for (int i = 0; i < r; ++i)
                        fqg -= Mi[i * rb + r] * (g[0] * af[i] + f[0] * ag[i]);
                    fqg -= f[0] * g[0] * Mi[rb * rb - 1];
                }
                return fqg;
            };
            std::vector<double> w = {t.reduction.fx, t.reduction.fy};
            if (r == 3) w.insert(w.begin(), DmsToSeconds(UnpackDms(t.reduction.azimuthClosure)));
            double wNw = 0.0;
            for (int i = 0; i < r; ++i)
                for (int b = 0; b < r; ++b)
                    wNw += w[i] * Ni[i * r + b] * w[b];
            // Iterating changes the once-linearised sigma0 by a second-order amount only.
            const double sigma0 = t.precision.sigma0;
            EXPECT_NEAR(sigma0, std::sqrt(wNw / (free ? r - 1 : r)), 1e-3 * sigma0);

            // Entry i is the point at the end of side i; past the last side, the last point.
            const int k1 = static_cast<int>(t.precision.points.size());
            const int last = static_cast<int>(t.reduction.points.size()) - 1;
            ASSERT_EQ(k1, static_cast<int>(a.coefXAngle.size()));
            for (int i = 0; i < k1; ++i) {
                const PointPrecision& pp = t.precision.points[static_cast<size_t>(i)];
                const int p = std::min(i + 1, last);
                const std::vector<double>&fx = J[r + 2 * p], &fy = J[r + 2 * p + 1];
                const double scale = 1e-4 * (cofactor(fx, fx) + cofactor(fy, fy)) + 1e-6;
                EXPECT_NEAR(pp.qxx, cofactor(fx, fx), scale) << "point " << p;
                EXPECT_NEAR(pp.qyy, cofactor(fy, fy), scale) << "point " << p;
                EXPECT_NEAR(pp.qxy, cofactor(fx, fy), scale) << "point " << p;
                for (double v : {pp.m, pp.mx, pp.my, pp.ellipse.dA, pp.ellipse.dB})
                    EXPECT_TRUE(std::isfinite(v) && v >= 0.0) << "point " << p;
                EXPECT_GE(pp.ellipse.dA, pp.ellipse.dB);
            }
        }
}

TEST(PrecisionAssessment, NoPointsToAssess) {
    Adjustment a;
    a.conditions = 2;
    a.residuals = {3.0, -4.0};
    a.cofactors = {2.0, 8.0};
    a.conditionMatrix = {1, 0, 0, 1};
    a.normalMatrix[0] = 2.0;
    a.normalMatrix[3] = 8.0;
    const auto assessed = AssessPrecision(a);
    ASSERT_TRUE(std::holds_alternative<Precision>(assessed));
    const Precision& p = std::get<Precision>(assessed);
    EXPECT_DOUBLE_EQ(p.sigma0, std::sqrt((9.0 / 2.0 + 16.0 / 8.0) / 2.0));
    EXPECT_TRUE(p.points.empty());
}

// The adjust command from the window's fields to an assessed workspace.
TEST(PrecisionAssessment, AdjustCommandRunsEveryTraverseType) {
    for (int type : {kNonOriented, kSingleConnection, kClosed, kDoubleConnection}) {
        SCOPED_TRACE(type);
        const TraverseCase c = GeneratedCase(type, 6, 2500000.0, 400000.0);
        FakeWindowPort port;
        port.ResetEdits(type);
        port.SetKnownPoints(c.known[0].dX, c.known[0].dY, c.known[1].dX, c.known[1].dY,
                            c.known[2].dX, c.known[2].dY, c.known[3].dX, c.known[3].dY);
        CTraverseAdjustDlg dlg(&port);
        LoadCase(dlg, c);
        dlg.m_nTraverseType = kNonOriented; // the radio button decides
        dlg.m_nState = kObservationsLoaded;
        dlg.OnAdjust();
        EXPECT_EQ(port.messageIds, std::vector<int>{str::kAdjustDone});
        EXPECT_EQ(dlg.m_nState, kAdjusted);
        EXPECT_EQ(dlg.m_nTraverseType, type);
        EXPECT_NE(port.texts[ctl::kWy], "") << "the closures are shown";
        ASSERT_TRUE(dlg.m_adjusted.has_value());
        EXPECT_GT(dlg.m_adjusted->precision.sigma0, 0.0);
        EXPECT_EQ(dlg.m_adjusted->precision.points.size(),
                  dlg.m_adjusted->adjustment.points.size());
    }
}

// A normal matrix that slipped through singular gives infinite cofactors: refused with
// its own message, never "nan" in a report.
TEST(PrecisionAssessment, NonFiniteResultsAreRefused) {
    Adjustment a;
    a.conditions = 2;
    a.residuals = {3.0, -4.0};
    a.cofactors = {2.0, 1.0};
    a.conditionMatrix = {0.5, 1.0, 0.2, 0.0};
    a.coefXAngle = {0.5, 0.0};
    a.coefYAngle = {0.2, 0.0};
    a.coefXSide = {1.0};
    a.coefYSide = {0.0};
    const auto assessed = AssessPrecision(a);
    ASSERT_TRUE(std::holds_alternative<Precision>(assessed));
    EXPECT_FALSE(ResultsFinite(Reduction{}, a, std::get<Precision>(assessed)));
}
