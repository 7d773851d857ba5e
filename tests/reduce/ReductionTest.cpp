#include "support/FakeWindowPort.h"
#include "support/TraverseFixtures.h"

#include "reduce/AngleConversions.h"
#include "reduce/TraverseChain.h"
#include "resources/StringTable.h"

#include <gtest/gtest.h>

#include <cmath>

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
    CTraverseAdjustDlg dlg;
    dlg.m_dInitX2 = 900, dlg.m_dInitY2 = 1000, dlg.m_dInitX1 = 1000, dlg.m_dInitY1 = 1000;
    SetObservations(
        dlg, {{2700000, 100}, {2700000, 100}, {2700000, 100}, {2700000, 100}, {2700000, 100}});
    ASSERT_EQ(dlg.ReduceClosedTraverse(), 1);
    ASSERT_EQ(dlg.m_arrApproxAzimuths.GetSize(), 6);
    const int degs[] = {0, 90, 180, 270, 0, 90};
    for (int k = 0; k < 6; ++k)
        ExpectAzimuth(dlg.m_arrApproxAzimuths[k], degs[k], 0, 0.0000206);
    ASSERT_EQ(dlg.m_arrApproxCoords.GetSize(), 5);
    ExpectPoint(dlg.m_arrApproxCoords[0], 1000, 1000);
    ExpectPoint(dlg.m_arrApproxCoords[1], 1000, 1100);
    ExpectPoint(dlg.m_arrApproxCoords[2], 900, 1100);
    ExpectPoint(dlg.m_arrApproxCoords[3], 900, 1000);
    ExpectPoint(dlg.m_arrApproxCoords[4], 1000, 1000);
    EXPECT_NEAR(dlg.m_dAzimuthClosure, 0.0, 1e-6);
    EXPECT_LT(std::fabs(dlg.m_dWx), 1e-6);
    EXPECT_LT(std::fabs(dlg.m_dWy), 1e-6);
}

TEST(ClosedTraverse, ClosureOfTheLastAngleAndUnusedLastDistance) {
    const std::pair<double, double> lastAngles[] = {
        {2700010, 10.0}, {2700050, 50.0}, {2695950, -10.0}};
    for (const auto& [last, closure] : lastAngles) {
        CTraverseAdjustDlg dlg;
        dlg.m_dInitX2 = 900, dlg.m_dInitY2 = 1000, dlg.m_dInitX1 = 1000, dlg.m_dInitY1 = 1000;
        SetObservations(
            dlg, {{2700000, 100}, {2700000, 100}, {2700000, 100}, {2700000, 100}, {last, 12345}});
        dlg.ReduceClosedTraverse();
        EXPECT_NEAR(dlg.m_dAzimuthClosure, closure, 1e-6) << last;
        EXPECT_LT(std::fabs(dlg.m_dWx), 1e-6) << "the last distance never enters";
    }
}

TEST(ClosedTraverse, OneAndTwoRecords) {
    CTraverseAdjustDlg dlg;
    dlg.m_dInitX2 = 900, dlg.m_dInitY2 = 1000, dlg.m_dInitX1 = 1000, dlg.m_dInitY1 = 1000;
    SetObservations(dlg, {{2700000, 100}});
    dlg.ReduceClosedTraverse();
    EXPECT_EQ(dlg.m_arrApproxAzimuths.GetSize(), 2);
    EXPECT_EQ(dlg.m_arrApproxCoords.GetSize(), 1);
    EXPECT_EQ(dlg.m_dAzimuthClosure, 0.0);
    EXPECT_EQ(dlg.m_dWx, 0.0);
    SetObservations(dlg, {{2700000, 100}, {1800000, 100}});
    dlg.ReduceClosedTraverse();
    EXPECT_EQ(dlg.m_arrApproxCoords.GetSize(), 2);
    ExpectPoint(dlg.m_arrApproxCoords[1], 1000, 1100);
    EXPECT_NEAR(dlg.m_dAzimuthClosure, 0.0, 1e-6); // a_2 = a_1 = 90
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
        CTraverseAdjustDlg dlg;
        dlg.m_dInitX2 = 900, dlg.m_dInitY2 = 1000, dlg.m_dInitX1 = 1000, dlg.m_dInitY1 = 1000;
        dlg.m_dGoalX1 = 1000, dlg.m_dGoalY1 = 1200, dlg.m_dGoalX2 = c.endX2,
        dlg.m_dGoalY2 = c.endY2;
        SetObservations(dlg, {{2700000, 100}, {1800000, 100}, {c.lastAngle, 100}});
        ASSERT_EQ(dlg.ReduceDoubleConnectionTraverse(), 1);
        EXPECT_NEAR(dlg.m_dAzimuthClosure, c.closure, 1e-6) << c.lastAngle;
        ASSERT_EQ(dlg.m_arrApproxCoords.GetSize(), 3);
        ExpectPoint(dlg.m_arrApproxCoords[1], 1000, 1100);
        ExpectPoint(dlg.m_arrApproxCoords[2], 1000, 1200);
        EXPECT_LT(std::fabs(dlg.m_dWx), 1e-4);
        EXPECT_LT(std::fabs(dlg.m_dWy), 1e-4);
    }
}

TEST(SingleConnectionTraverse, ClosuresAgainstEndPointOne) {
    struct Case {
        double angle1, distance1, wx, wy;
    } cases[] = {{1800000, 100, 0, 0}, {1800000, 100.05, 0, 50}, {1800010, 100, -4.848, -0.0001}};
    for (const Case& c : cases) {
        CTraverseAdjustDlg dlg;
        dlg.m_dInitX2 = 900, dlg.m_dInitY2 = 1000, dlg.m_dInitX1 = 1000, dlg.m_dInitY1 = 1000;
        dlg.m_dGoalX1 = 1000, dlg.m_dGoalY1 = 1200;
        dlg.m_dAzimuthClosure = 7;
        SetObservations(dlg, {{2700000, 100}, {c.angle1, c.distance1}});
        ASSERT_EQ(dlg.ReduceSingleConnectionTraverse(), 1);
        EXPECT_EQ(dlg.m_arrApproxAzimuths.GetSize(), 3);
        EXPECT_EQ(dlg.m_arrApproxCoords.GetSize(), 3);
        EXPECT_NEAR(dlg.m_dWx, c.wx, 1e-3);
        EXPECT_NEAR(dlg.m_dWy, c.wy, 1e-3);
        EXPECT_EQ(dlg.m_dAzimuthClosure, 7) << "no azimuth closure for this type";
    }
}

TEST(NonOrientedTraverse, RotationPointsTheTraverseAtTheEndPoint) {
    CTraverseAdjustDlg dlg;
    dlg.m_dInitX1 = 1000, dlg.m_dInitY1 = 1000;
    dlg.m_dGoalX1 = 1000, dlg.m_dGoalY1 = 1141.4213562373095;
    SetObservations(dlg, {{1234567, 100}, {2700000, 100}});
    ASSERT_EQ(dlg.ReduceNonOrientedTraverse(), 1);
    ASSERT_EQ(dlg.m_arrApproxAzimuths.GetSize(), 2);
    ExpectAzimuth(dlg.m_arrApproxAzimuths[0], 45, 0, 0.0, 1e-6);
    ExpectAzimuth(dlg.m_arrApproxAzimuths[1], 135, 0, 0.0, 1e-6);
    ASSERT_EQ(dlg.m_arrApproxCoords.GetSize(), 3);
    EXPECT_NEAR(dlg.m_arrApproxCoords[1].dX, 1070.7107, 1e-4);
    EXPECT_NEAR(dlg.m_arrApproxCoords[1].dY, 1070.7107, 1e-4);
    EXPECT_LT(std::fabs(dlg.m_dWx), 1e-6);
    EXPECT_LT(std::fabs(dlg.m_dWy), 1e-6);
}

TEST(NonOrientedTraverse, LengthMisfitOnlyAlongTheLine) {
    const std::pair<double, double> cases[] = {{100, 0.0}, {100.05, 50.0}};
    for (const auto& [d1, wy] : cases) {
        CTraverseAdjustDlg dlg;
        dlg.m_dInitX1 = 1000, dlg.m_dInitY1 = 1000, dlg.m_dGoalX1 = 1000, dlg.m_dGoalY1 = 1200;
        SetObservations(dlg, {{0, 100}, {1800000, d1}});
        dlg.ReduceNonOrientedTraverse();
        ExpectAzimuth(dlg.m_arrApproxAzimuths[0], 90, 0, 0.0, 1e-6);
        ExpectPoint(dlg.m_arrApproxCoords[1], 1000, 1100);
        EXPECT_NEAR(dlg.m_dWy, wy, 1e-6);
        EXPECT_LT(std::fabs(dlg.m_dWx), 1e-6);
    }
}

TEST(NonOrientedTraverse, OneRecordPointsStraightAtTheEnd) {
    CTraverseAdjustDlg dlg;
    dlg.m_dInitX1 = 0, dlg.m_dInitY1 = 0, dlg.m_dGoalX1 = -300, dlg.m_dGoalY1 = 400;
    SetObservations(dlg, {{0, 250}});
    ASSERT_EQ(dlg.ReduceNonOrientedTraverse(), 1);
    EXPECT_EQ(dlg.m_arrApproxAzimuths.GetSize(), 1);
    ExpectPoint(dlg.m_arrApproxCoords[1], -150, 200);
}

TEST(NonOrientedTraverse, ZeroLengthLineIsRefused) {
    struct Case {
        double d0, d1, goalX, goalY;
    } cases[] = {{100, 100, 1000, 1000}, {100, 100, 1100, 1000}}; // end == start; provisional loop
    for (int k = 0; k < 2; ++k) {
        FakeWindowPort port;
        CTraverseAdjustDlg dlg(&port);
        dlg.m_dInitX1 = 1000, dlg.m_dInitY1 = 1000;
        dlg.m_dGoalX1 = cases[k].goalX, dlg.m_dGoalY1 = cases[k].goalY;
        if (k == 0)
            SetObservations(dlg, {{0, 100}, {2700000, 100}});
        else
            SetObservations(dlg, {{0, 100}, {0, 100}}); // 0 deg angle: back to the start
        EXPECT_EQ(dlg.ReduceNonOrientedTraverse(), 0);
        EXPECT_EQ(port.messageIds, std::vector<int>{str::kBadObservations});
    }
}
