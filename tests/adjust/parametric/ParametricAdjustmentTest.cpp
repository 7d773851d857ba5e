// The observation-equation adjustment and the traverse generator on their own.
#include "adjust/parametric/ParametricAdjustment.h"
#include "adjust/parametric/DenseCholesky.h"
#include "adjust/parametric/TraverseGenerator.h"
#include "adjust/parametric/TraverseModel.h"

#include <gtest/gtest.h>

#include <cmath>
#include <cstring>
#include <numbers>

namespace parametric {
namespace {

constexpr double kPi = std::numbers::pi;

TEST(DenseCholesky, SolvesAndInvertsOrRefuses) {
    struct Case {
        const char* name;
        int n;
        std::vector<double> a;
        bool regular;
    };
    const Case cases[] = {
        {"1x1", 1, {4.0}, true},
        {"2x2", 2, {4.0, 2.0, 2.0, 3.0}, true},
        {"3x3", 3, {25.0, 15.0, -5.0, 15.0, 18.0, 0.0, -5.0, 0.0, 11.0}, true},
        {"badly scaled", 2, {1e8, 1.0, 1.0, 1e-2}, true},
        {"singular", 2, {1.0, 2.0, 2.0, 4.0}, false},
        {"indefinite", 2, {1.0, 3.0, 3.0, 1.0}, false},
        {"zero", 1, {0.0}, false},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        const size_t n = static_cast<size_t>(c.n);
        std::vector<double> l = c.a;
        ASSERT_EQ(CholeskyFactor(l, c.n), c.regular);
        if (!c.regular) continue;
        // a * x = b for b = a * (1, 2, 3, ...)
        std::vector<double> b(n, 0.0);
        for (size_t r = 0; r < n; ++r)
            for (size_t k = 0; k < n; ++k)
                b[r] += c.a[r * n + k] * static_cast<double>(k + 1);
        CholeskySolve(l, c.n, b.data());
        for (size_t r = 0; r < n; ++r)
            EXPECT_NEAR(b[r], static_cast<double>(r + 1), 1e-9);
        const std::vector<double> inv = CholeskyInverse(l, c.n);
        for (size_t r = 0; r < n; ++r)
            for (size_t col = 0; col < n; ++col) {
                double s = 0.0;
                for (size_t k = 0; k < n; ++k)
                    s += c.a[r * n + k] * inv[k * n + col];
                EXPECT_NEAR(s, r == col ? 1.0 : 0.0, 1e-9);
            }
    }
}

TEST(PackedAngles, ConvertBothWays) {
    struct Case {
        double radians;
        int decimals;
        double packed;
    };
    const double deg = kPi / 180.0;
    const Case cases[] = {
        {(123.0 + 45.0 / 60.0 + 30.5 / 3600.0) * deg, 2, 1234530.5},
        {90.0 * deg, 2, 900000.0},
        {-10.0 * deg, 2, 3500000.0},              // into 0..360
        {(360.0 - 0.004 / 3600.0) * deg, 2, 0.0}, // rounds up to a full turn
        {(359.0 + 59.0 / 60.0 + 59.996 / 3600.0) * deg, -1, 3595959.996},
        {(1.0 + 19.0 / 60.0) * deg, 2, 11900.0},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.packed);
        const double packed = RadiansToPackedDms(c.radians, c.decimals);
        EXPECT_NEAR(packed, c.packed, 1e-6);
        if (c.packed != 0.0) {
            EXPECT_NEAR(PackedDmsToRadians(packed), std::fmod(c.radians + 2 * kPi, 2 * kPi), 1e-12);
        }
    }
}

// A straight single-connection traverse due north, start point 1 (1000, 1000), one
// new point 100 m on, end point 200 m on; the second side is 50 mm long. Turned about
// start point 1 and shifted: the adjustment must turn and shift with it.
TEST(ParametricAdjustment, StraightTraverseByHand) {
    struct Case {
        double turnDeg;
        Point shift;
    };
    const Case cases[] = {{0.0, {0, 0}},   {30.0, {0, 0}},          {90.0, {0, 0}},
                          {135.0, {0, 0}}, {-60.0, {3.2e6, 4.1e5}}, {200.0, {4.5e6, 3.85e7}}};
    // Along the line the 50 mm split in proportion to the side cofactors 1.0 and 1.0005;
    // across it the two angles fix the point.
    const double q0 = 1.0, q1 = 1.0005;
    const double v0 = -50.0 * q0 / (q0 + q1);
    const double vtpv = 2500.0 / (q0 + q1);
    const double sigma0 = std::sqrt(vtpv / 2.0);
    const double along = q0 * q1 / (q0 + q1);
    // Across: arcsec per mm of the new point's offset, at the adjusted side lengths.
    const double c0 = 648000.0 / kPi / (1000.0 * (100.0 + v0 / 1000.0));
    const double c1 = 648000.0 / kPi / (1000.0 * (100.0 - v0 / 1000.0));
    const double across = 2.0 / (c0 * c0 + (c0 + c1) * (c0 + c1)); // angle weights 1/2
    for (const Case& k : cases) {
        SCOPED_TRACE(k.turnDeg);
        const double t = k.turnDeg * kPi / 180.0;
        const auto place = [&](double north, double east) {
            const double dx = north - 1000.0, dy = east - 1000.0;
            return Point{1000.0 + dx * std::cos(t) - dy * std::sin(t) + k.shift.x,
                         1000.0 + dx * std::sin(t) + dy * std::cos(t) + k.shift.y};
        };
        TraverseData d;
        d.type = kTypeSingle;
        d.known.start2 = place(900.0, 1000.0);
        d.known.start1 = place(1000.0, 1000.0);
        d.known.end1 = place(1200.0, 1000.0);
        ObservationRecord r{};
        r.dHorizontalAngle = 1800000.0;
        r.dDistance = 100.0;
        d.records.push_back(r);
        r.dDistance = 100.05;
        d.records.push_back(r);

        const TraverseNetwork tn = BuildTraverseNetwork(d);
        ASSERT_EQ(tn.newChainPoints, std::vector<int>{1});
        const Solution s = AdjustNetwork(tn.network);
        ASSERT_TRUE(s.ok);
        EXPECT_EQ(s.redundancy, 2);
        const Point expected = place(1100.0 + v0 / 1000.0, 1000.0);
        const Point& got = s.points[static_cast<size_t>(tn.chainPoint[1])];
        // Grid coordinates in the millions carry their rounding (a few 1e-9 m) into
        // the misfits: relative tolerances.
        const double rel = 1e-6;
        EXPECT_NEAR(got.x, expected.x, 2e-8);
        EXPECT_NEAR(got.y, expected.y, 2e-8);
        EXPECT_NEAR(s.vtpv, vtpv, rel * vtpv);
        EXPECT_NEAR(s.sigma0, sigma0, rel * sigma0);
        const PointPrecision& p = s.precision[static_cast<size_t>(tn.chainPoint[1])];
        const double ct = std::cos(t), st = std::sin(t);
        EXPECT_NEAR(p.qxx, along * ct * ct + across * st * st, 1e-9);
        EXPECT_NEAR(p.qyy, along * st * st + across * ct * ct, 1e-9);
        EXPECT_NEAR(p.qxy, (along - across) * st * ct, 1e-9);
        EXPECT_NEAR(p.a, sigma0 * std::sqrt(along), rel * p.a);
        EXPECT_NEAR(p.b, sigma0 * std::sqrt(across), rel * p.b);
        EXPECT_NEAR(p.m, sigma0 * std::sqrt(along + across), rel * p.m);
        double phi = std::fmod(k.turnDeg + 360.0, 180.0);
        EXPECT_NEAR(p.phiDeg, phi, 1e-7);
    }
}

TEST(ErrorFigure, SemiMajorAxisDirection) {
    struct Case {
        double qxx, qyy, qxy, phi, a2, b2;
    };
    const Case cases[] = {
        {4.0, 1.0, 0.0, 0.0, 4.0, 1.0},
        {1.0, 4.0, 0.0, 90.0, 4.0, 1.0},
        {2.0, 2.0, 1.0, 45.0, 3.0, 1.0},
        {2.0, 2.0, -1.0, 135.0, 3.0, 1.0},
        {1.0, 1.0, 0.0, 0.0, 1.0, 1.0},
        {3.0, 1.0, 1.0, 22.5, 2.0 + std::sqrt(2.0), 2.0 - std::sqrt(2.0)},
        {1.0, 3.0, 1.0, 67.5, 2.0 + std::sqrt(2.0), 2.0 - std::sqrt(2.0)},
        {1.0, 3.0, -1.0, 112.5, 2.0 + std::sqrt(2.0), 2.0 - std::sqrt(2.0)},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.phi);
        const PointPrecision p = ErrorFigure(c.qxx, c.qyy, c.qxy, 2.0);
        EXPECT_NEAR(p.phiDeg, c.phi, 1e-9);
        EXPECT_NEAR(p.a, 2.0 * std::sqrt(c.a2), 1e-12);
        EXPECT_NEAR(p.b, 2.0 * std::sqrt(c.b2), 1e-12);
        EXPECT_NEAR(p.m, 2.0 * std::sqrt(c.qxx + c.qyy), 1e-12);
    }
}

// Observations without noise or rounding: every type reproduces its true points, the
// residuals vanish, and the non-oriented type finds the true orientation.
TEST(ParametricAdjustment, NoiselessTraversesReproduceTheTruth) {
    struct Case {
        int type, records;
        Frame frame;
    };
    const Case cases[] = {
        {kTypeClosed, 4, Frame::Local},     {kTypeClosed, 60, Frame::ZonedGrid},
        {kTypeDouble, 3, Frame::Grid},      {kTypeDouble, 60, Frame::ZonedGrid},
        {kTypeSingle, 2, Frame::Local},     {kTypeSingle, 60, Frame::Grid},
        {kTypeNonOriented, 2, Frame::Grid}, {kTypeNonOriented, 60, Frame::ZonedGrid},
    };
    Random random(7);
    Noise exact;
    exact.quantise = false;
    for (const Case& c : cases) {
        SCOPED_TRACE(testing::Message() << "type " << c.type << ", " << c.records << " records");
        const GeneratedTraverse g = GenerateTraverse(random, c.type, c.records, c.frame, exact);
        const TraverseNetwork tn = BuildTraverseNetwork(g.data);
        const Solution s = AdjustNetwork(tn.network);
        ASSERT_TRUE(s.ok);
        const int expectedRedundancy = c.type == kTypeClosed || c.type == kTypeDouble ? 3
                                       : c.type == kTypeSingle                        ? 2
                                                                                      : 1;
        EXPECT_EQ(s.redundancy, expectedRedundancy);
        EXPECT_LT(s.sigma0, 1e-5);
        ASSERT_EQ(tn.chainPoint.size(), g.truth.size());
        for (size_t k = 0; k < g.truth.size(); ++k) {
            const Point& p = s.points[static_cast<size_t>(tn.chainPoint[k])];
            EXPECT_NEAR(p.x, g.truth[k].x, 1e-7);
            EXPECT_NEAR(p.y, g.truth[k].y, 1e-7);
        }
        if (c.type == kTypeNonOriented) {
            EXPECT_NEAR(std::remainder(tn.orientation - Azimuth(g.truth[0], g.truth[1]), 2 * kPi),
                        0.0, 1e-11);
        }
    }
}

// Station layout of the generated records: counts, names of the stations, side
// lengths, the unused entries, and closures small enough to be adjusted.
TEST(TraverseGenerator, LayoutOfEachType) {
    struct Case {
        int type, records;
        int chain, sides, newPoints;
        const char* lastStation;
    };
    const Case cases[] = {
        {kTypeClosed, 6, 6, 5, 4, "T0"},
        {kTypeDouble, 6, 6, 5, 4, "T5"},
        {kTypeSingle, 6, 7, 6, 5, "T5"},
        {kTypeNonOriented, 6, 7, 6, 5, "T5"},
    };
    Random random(11);
    const Noise noise{2.5, 1.5, true};
    for (const Case& c : cases) {
        SCOPED_TRACE(c.type);
        for (int rep = 0; rep < 50; ++rep) {
            const GeneratedTraverse g =
                GenerateTraverse(random, c.type, c.records, Frame::Grid, noise);
            const auto& recs = g.data.records;
            ASSERT_EQ(static_cast<int>(recs.size()), c.records);
            ASSERT_EQ(static_cast<int>(g.truth.size()), c.chain);
            EXPECT_EQ(NameOf(recs.back().szStation), c.lastStation);
            EXPECT_EQ(NameOf(recs.front().szStation), "T0");
            for (int i = 0; i < c.sides; ++i) {
                const Point& a = g.truth[static_cast<size_t>(i)];
                const Point& b = g.truth[static_cast<size_t>(i + 1)];
                const double s = std::hypot(b.x - a.x, b.y - a.y);
                EXPECT_GE(s, 49.99);
                EXPECT_LE(s, 500.01);
                EXPECT_NEAR(recs[static_cast<size_t>(i)].dDistance, s, 0.02);
            }
            if (c.type == kTypeClosed) {
                EXPECT_EQ(g.truth.front().x, g.truth.back().x);
                EXPECT_EQ(g.truth.front().y, g.truth.back().y);
            } else {
                EXPECT_EQ(g.data.known.end1.x, g.truth.back().x);
            }
            const TraverseNetwork tn = BuildTraverseNetwork(g.data);
            EXPECT_EQ(static_cast<int>(tn.newChainPoints.size()), c.newPoints);
            const Solution s = AdjustNetwork(tn.network);
            ASSERT_TRUE(s.ok);
            // Adjusted points stay within centimetres of the truth.
            for (size_t k = 0; k < g.truth.size(); ++k) {
                const Point& p = s.points[static_cast<size_t>(tn.chainPoint[k])];
                EXPECT_LT(std::hypot(p.x - g.truth[k].x, p.y - g.truth[k].y), 0.2);
            }
        }
    }
}

TEST(TraverseGenerator, ReproducibleDeviates) {
    Random a(2024), b(2024);
    const Noise noise{2.0, 1.0, true};
    const GeneratedTraverse ga = GenerateTraverse(a, kTypeDouble, 20, Frame::ZonedGrid, noise);
    const GeneratedTraverse gb = GenerateTraverse(b, kTypeDouble, 20, Frame::ZonedGrid, noise);
    ASSERT_EQ(ga.data.records.size(), gb.data.records.size());
    for (size_t i = 0; i < ga.data.records.size(); ++i)
        EXPECT_EQ(std::memcmp(&ga.data.records[i], &gb.data.records[i], sizeof(ObservationRecord)),
                  0);
    EXPECT_GT(ga.data.known.start1.y, 3.8e7);

    Random r(99);
    double sum = 0, sum2 = 0;
    const int count = 20000;
    for (int i = 0; i < count; ++i) {
        const double z = r.Normal();
        sum += z;
        sum2 += z * z;
    }
    EXPECT_NEAR(sum / count, 0.0, 0.03);
    EXPECT_NEAR(std::sqrt(sum2 / count), 1.0, 0.03);
}

} // namespace
} // namespace parametric
