#include "support/TraverseFixtures.h"

#include "model/AngleConversions.h"
#include "reduce/Reduction.h"
#include "reduce/TraverseChain.h"
#include "resources/StringTable.h"

#include <gtest/gtest.h>

#include <cmath>

using namespace traverse;

namespace {
void ExpectAzimuth(const AngleDMS& a, int deg, int min, double sec, double tol = 1e-4) {
    EXPECT_EQ(a.nDeg, deg);
    EXPECT_EQ(a.nMin, min);
    EXPECT_NEAR(a.dSec, sec, tol);
}

void ExpectPoint(const PlanePoint& p, double x, double y) {
    EXPECT_NEAR(p.dX, x, 1e-7);
    EXPECT_NEAR(p.dY, y, 1e-7);
}

struct ClosureCase {
    AngleDMS carried, reference;
    double expected;
};
} // namespace

TEST(PackedAzimuthClosure, SecondsUnderAMinuteAndSignedComponentsAbove) {
    const ClosureCase cases[] = {
        {{90, 0, 10}, {90, 0, 0}, 10.0},
        {{89, 59, 50}, {90, 0, 0}, -10.0}, // no false refusal across a minute
        {{0, 0, 5}, {359, 59, 58.5}, 6.5}, // across north
        {{359, 59, 58.5}, {0, 0, 5}, -6.5},
        {{360, 0, 3}, {0, 0, 0}, 3.0},       // 360 is north
        {{90, 1, 40}, {90, 0, 0}, 140.0},    // 1'40" packed as 1 min 40 s
        {{180, 0, 0}, {0, 0, 0}, 1800000.0}, // reversed direction is refused
        {{0, 0, 0}, {180, 0, 0}, 1800000.0},
        {{10, 0, 0}, {12, 30, 15}, -23015.0}, // every component carries the sign
    };
    for (const ClosureCase& c : cases)
        EXPECT_NEAR(PackedAzimuthClosure(c.carried, c.reference), c.expected, 1e-6)
            << c.carried.nDeg << " " << c.carried.nMin << " " << c.carried.dSec;
}

TEST(ClosedTraverse, SquareLoopClosesExactly) {
    const KnownPlanePoints known{{1000, 1000}, {900, 1000}, {}, {}};
    const Reduction r = ReduceClosedTraverse(
        Records({{2700000, 100}, {2700000, 100}, {2700000, 100}, {2700000, 100}, {2700000, 100}}),
        known);
    ASSERT_EQ(r.azimuths.size(), 6u);
    const int degs[] = {0, 90, 180, 270, 0, 90};
    for (int k = 0; k < 6; ++k)
        ExpectAzimuth(r.azimuths[k], degs[k], 0, 0.0000206);
    ASSERT_EQ(r.points.size(), 5u);
    ExpectPoint(r.points[0], 1000, 1000);
    ExpectPoint(r.points[1], 1000, 1100);
    ExpectPoint(r.points[2], 900, 1100);
    ExpectPoint(r.points[3], 900, 1000);
    ExpectPoint(r.points[4], 1000, 1000);
    EXPECT_NEAR(r.azimuthClosure, 0.0, 1e-6);
    EXPECT_LT(std::fabs(r.fx), 1e-6);
    EXPECT_LT(std::fabs(r.fy), 1e-6);
}

TEST(ClosedTraverse, ClosureOfTheLastAngleAndUnusedLastDistance) {
    const std::pair<double, double> lastAngles[] = {
        {2700010, 10.0}, {2700050, 50.0}, {2695950, -10.0}};
    for (const auto& [last, closure] : lastAngles) {
        const KnownPlanePoints known{{1000, 1000}, {900, 1000}, {}, {}};
        const Reduction r = ReduceClosedTraverse(
            Records(
                {{2700000, 100}, {2700000, 100}, {2700000, 100}, {2700000, 100}, {last, 12345}}),
            known);
        EXPECT_NEAR(r.azimuthClosure, closure, 1e-6) << last;
        EXPECT_LT(std::fabs(r.fx), 1e-6) << "the last distance never enters";
    }
}

TEST(ClosedTraverse, OneAndTwoRecords) {
    const KnownPlanePoints known{{1000, 1000}, {900, 1000}, {}, {}};
    const Reduction one = ReduceClosedTraverse(Records({{2700000, 100}}), known);
    EXPECT_EQ(one.azimuths.size(), 2u);
    EXPECT_EQ(one.points.size(), 1u);
    EXPECT_EQ(one.azimuthClosure, 0.0);
    EXPECT_EQ(one.fx, 0.0);
    const Reduction two = ReduceClosedTraverse(Records({{2700000, 100}, {1800000, 100}}), known);
    EXPECT_EQ(two.points.size(), 2u);
    ExpectPoint(two.points[1], 1000, 1100);
    EXPECT_NEAR(two.azimuthClosure, 0.0, 1e-6); // a_2 = a_1 = 90
}

namespace {
struct DoubleCase {
    double lastAngle;
    double endX2, endY2;
    double closure;
};
} // namespace

TEST(DoubleConnectionTraverse, ClosuresAgainstTheKnownEndDirection) {
    const DoubleCase cases[] = {
        {900000, 1100, 1200, 0.0},
        {900010, 1100, 1200, 10.0},
        {2700000, 1100, 1200, 1800000.0}, // end direction reversed: refused, not 0
        {900000, 900, 1200, 1800000.0},   // known end direction reversed
    };
    for (const DoubleCase& c : cases) {
        const KnownPlanePoints known{{1000, 1000}, {900, 1000}, {1000, 1200}, {c.endX2, c.endY2}};
        const Reduction r = ReduceDoubleConnectionTraverse(
            Records({{2700000, 100}, {1800000, 100}, {c.lastAngle, 100}}), known);
        EXPECT_NEAR(r.azimuthClosure, c.closure, 1e-6) << c.lastAngle;
        ASSERT_EQ(r.points.size(), 3u);
        ExpectPoint(r.points[1], 1000, 1100);
        ExpectPoint(r.points[2], 1000, 1200);
        EXPECT_LT(std::fabs(r.fx), 1e-4);
        EXPECT_LT(std::fabs(r.fy), 1e-4);
    }
}

TEST(SingleConnectionTraverse, ClosuresAgainstEndPointOne) {
    struct Case {
        double angle1, distance1, wx, wy;
    } cases[] = {{1800000, 100, 0, 0}, {1800000, 100.05, 0, 50}, {1800010, 100, -4.848, -0.0001}};
    for (const Case& c : cases) {
        const KnownPlanePoints known{{1000, 1000}, {900, 1000}, {1000, 1200}, {}};
        const Reduction r = ReduceSingleConnectionTraverse(
            Records({{2700000, 100}, {c.angle1, c.distance1}}), known);
        EXPECT_EQ(r.azimuths.size(), 3u);
        EXPECT_EQ(r.points.size(), 3u);
        EXPECT_NEAR(r.fx, c.wx, 1e-3);
        EXPECT_NEAR(r.fy, c.wy, 1e-3);
        EXPECT_EQ(r.azimuthClosure, 0.0) << "no azimuth closure for this type";
    }
}

TEST(NonOrientedTraverse, RotationPointsTheTraverseAtTheEndPoint) {
    const KnownPlanePoints known{{1000, 1000}, {}, {1000, 1141.4213562373095}, {}};
    const auto reduced =
        ReduceNonOrientedTraverse(Records({{1234567, 100}, {2700000, 100}}), known);
    ASSERT_TRUE(std::holds_alternative<Reduction>(reduced));
    const Reduction& r = std::get<Reduction>(reduced);
    ASSERT_EQ(r.azimuths.size(), 2u);
    ExpectAzimuth(r.azimuths[0], 45, 0, 0.0, 1e-6);
    ExpectAzimuth(r.azimuths[1], 135, 0, 0.0, 1e-6);
    ASSERT_EQ(r.points.size(), 3u);
    EXPECT_NEAR(r.points[1].dX, 1070.7107, 1e-4);
    EXPECT_NEAR(r.points[1].dY, 1070.7107, 1e-4);
    EXPECT_LT(std::fabs(r.fx), 1e-6);
    EXPECT_LT(std::fabs(r.fy), 1e-6);
}

TEST(NonOrientedTraverse, LengthMisfitOnlyAlongTheLine) {
    const std::pair<double, double> cases[] = {{100, 0.0}, {100.05, 50.0}};
    for (const auto& [d1, wy] : cases) {
        const KnownPlanePoints known{{1000, 1000}, {}, {1000, 1200}, {}};
        const auto reduced = ReduceNonOrientedTraverse(Records({{0, 100}, {1800000, d1}}), known);
        ASSERT_TRUE(std::holds_alternative<Reduction>(reduced));
        const Reduction& r = std::get<Reduction>(reduced);
        ExpectAzimuth(r.azimuths[0], 90, 0, 0.0, 1e-6);
        ExpectPoint(r.points[1], 1000, 1100);
        EXPECT_NEAR(r.fy, wy, 1e-6);
        EXPECT_LT(std::fabs(r.fx), 1e-6);
    }
}

TEST(NonOrientedTraverse, OneRecordPointsStraightAtTheEnd) {
    const KnownPlanePoints known{{0, 0}, {}, {-300, 400}, {}};
    const auto reduced = ReduceNonOrientedTraverse(Records({{0, 250}}), known);
    ASSERT_TRUE(std::holds_alternative<Reduction>(reduced));
    const Reduction& r = std::get<Reduction>(reduced);
    EXPECT_EQ(r.azimuths.size(), 1u);
    ExpectPoint(r.points[1], -150, 200);
}

TEST(NonOrientedTraverse, ZeroLengthLineIsRefused) {
    struct Case {
        double d0, d1, goalX, goalY;
    } cases[] = {{100, 100, 1000, 1000}, {100, 100, 1100, 1000}}; // end == start; provisional loop
    for (int k = 0; k < 2; ++k) {
        const KnownPlanePoints known{{1000, 1000}, {}, {cases[k].goalX, cases[k].goalY}, {}};
        const Observations records = k == 0 ? Records({{0, 100}, {2700000, 100}})
                                            : Records({{0, 100}, {0, 100}}); // back to the start
        const auto reduced = ReduceNonOrientedTraverse(records, known);
        ASSERT_TRUE(std::holds_alternative<Refusal>(reduced));
        EXPECT_EQ(std::get<Refusal>(reduced).messageId, str::kBadObservations);
    }
}
