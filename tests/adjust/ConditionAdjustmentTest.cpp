#include "adjust/Adjustment.h"
#include "adjust/TraverseCases.h"
#include "reduce/AngleConversions.h"
#include "resources/StringTable.h"
#include "support/FakeWindowPort.h"
#include "workspace/ControlIds.h"

#include <gtest/gtest.h>

#include <cmath>

namespace {
const PlanePoint kStart1{1000, 1000}, kStart2{900, 1000};

std::vector<TraverseCase> WorkedExamples() {
    return {
        {"square loop",
         kClosed,
         {kStart1, kStart2, {}, {}},
         {{2700000, 100}, {2700000, 100}, {2700000, 100}, {2700000, 100}, {2700000, 100}}},
        {"double connection",
         kDoubleConnection,
         {kStart1, kStart2, {1000, 1200}, {1100, 1200}},
         {{2700000, 100}, {1800000, 100}, {900000, 100}}},
        {"single connection",
         kSingleConnection,
         {kStart1, kStart2, {1000, 1200}, {}},
         {{2700000, 100}, {1800000, 100}}},
        {"non-oriented 45",
         kNonOriented,
         {kStart1, {}, {1000, 1141.4213562373095}, {}},
         {{0, 100}, {2700000, 100}}},
    };
}

std::vector<TraverseCase> MisclosedExamples() {
    std::vector<TraverseCase> cases = {
        {"loop +10s",
         kClosed,
         {kStart1, kStart2, {}, {}},
         {{2700000, 100}, {2700000, 100}, {2700000, 100}, {2700000, 100}, {2700010, 100}}},
        {"double +10s",
         kDoubleConnection,
         {kStart1, kStart2, {1000, 1200}, {1100, 1200}},
         {{2700000, 100}, {1800000, 100}, {900010, 100}}},
        {"single Wy 50",
         kSingleConnection,
         {kStart1, kStart2, {1000, 1200}, {}},
         {{2700000, 100}, {1800000, 100.05}}},
        {"single Wx -4.848",
         kSingleConnection,
         {kStart1, kStart2, {1000, 1200}, {}},
         {{2700000, 100}, {1800010, 100}}},
        {"non-oriented 90 Wy 50",
         kNonOriented,
         {kStart1, {}, {1000, 1200}, {}},
         {{0, 100}, {1800000, 100.05}}},
    };
    for (int type : {kNonOriented, kSingleConnection, kClosed, kDoubleConnection}) {
        cases.push_back(GeneratedCase(type, 9, 3512345.678, 512345.678));
        cases.push_back(GeneratedCase(type, 4, 10.0, -20.0));
    }
    return cases;
}

std::vector<double> Misclosures(const CTraverseAdjustDlg& d) {
    if (d.m_nConditionCount == 3)
        return {DmsToSeconds(UnpackDms(d.m_dAzimuthClosure)), d.m_dWx, d.m_dWy};
    return {d.m_dWx, d.m_dWy};
}

double WrapSeconds(double s) { return std::remainder(s, 1296000.0); }
} // namespace

TEST(ConditionAdjustment, ZeroMisclosuresReproduceTheApproximateTraverse) {
    for (const TraverseCase& c : WorkedExamples()) {
        SCOPED_TRACE(c.name);
        CTraverseAdjustDlg dlg;
        LoadCase(dlg, c);
        ASSERT_EQ(dlg.ReduceAndAdjust(), 1);
        for (double v : dlg.m_dV)
            EXPECT_NEAR(v, 0.0, 1e-4);
        ASSERT_EQ(dlg.m_arrAdjCoords.GetSize(), dlg.m_arrApproxCoords.GetSize());
        for (int i = 0; i < dlg.m_arrAdjCoords.GetSize(); ++i) {
            EXPECT_NEAR(dlg.m_arrAdjCoords[i].dX, dlg.m_arrApproxCoords[i].dX, 1e-7);
            EXPECT_NEAR(dlg.m_arrAdjCoords[i].dY, dlg.m_arrApproxCoords[i].dY, 1e-7);
        }
        for (int j = 0; j < dlg.m_arrAdjSides.GetSize(); ++j)
            EXPECT_NEAR(dlg.m_arrAdjSides[j], c.obs[j].distance, 1e-9);
    }
}

TEST(ConditionAdjustment, AdjustedTraverseMeetsEveryCondition) {
    for (const TraverseCase& c : MisclosedExamples()) {
        SCOPED_TRACE(c.name);
        CTraverseAdjustDlg dlg;
        LoadCase(dlg, c);
        ASSERT_EQ(dlg.ReduceAndAdjust(), 1);
        const int n = dlg.m_arrObservations.GetSize();
        const std::vector<double> w = Misclosures(dlg);
        // Angles in the azimuth condition: a closed loop's closure does not hold angle 0.
        if (c.type == kClosed || c.type == kDoubleConnection) {
            double sum = 0.0;
            for (int j = c.type == kClosed ? 1 : 0; j < n; ++j)
                sum += dlg.m_dV[j];
            EXPECT_NEAR(sum, -w[0], 1e-9);
        }
        // Every adjusted azimuth is its approximate one turned by the accumulated
        // corrections, orientation (index 0) included.
        const int off = c.type == kNonOriented ? 0 : 1;
        double turned = 0.0;
        for (int k = 0; k < n; ++k) {
            turned += dlg.m_dV[k];
            double diff = DmsToSeconds(dlg.m_arrAdjAzimuths[k]) -
                          DmsToSeconds(dlg.m_arrApproxAzimuths[k + off]);
            EXPECT_NEAR(diff, turned, 1e-7) << "side " << k;
        }
        if (c.type == kClosed) {
            EXPECT_NEAR(dlg.m_dV[0], 0.0, 1e-3) << "the loop is not turned";
            EXPECT_NEAR(WrapSeconds(DmsToSeconds(dlg.m_arrAdjAzimuths[n - 1]) -
                                    DmsToSeconds(dlg.m_arrAdjAzimuths[0])),
                        0.0, 1e-6);
        }
        if (c.type == kDoubleConnection) {
            EXPECT_NEAR(WrapSeconds(DmsToSeconds(dlg.m_arrAdjAzimuths[n - 1]) -
                                    DmsToSeconds(dlg.GetEndAzimuth())),
                        0.0, 1e-4);
        }
        // Run along the adjusted sides and azimuths, the traverse arrives on its known
        // point: the iteration leaves no second-order misclosure.
        const PlanePoint target = c.type == kClosed ? c.known[0] : c.known[2];
        PlanePoint end = c.known[0];
        for (int j = 0; j < dlg.m_arrAdjSides.GetSize(); ++j) {
            const double theta = DmsToRadians(dlg.m_arrAdjAzimuths[j]);
            end.dX += dlg.m_arrAdjSides[j] * std::cos(theta);
            end.dY += dlg.m_arrAdjSides[j] * std::sin(theta);
        }
        EXPECT_NEAR(end.dX, target.dX, 1e-8);
        EXPECT_NEAR(end.dY, target.dY, 1e-8);
        const PlanePoint& last = dlg.m_arrAdjCoords[dlg.m_arrAdjCoords.GetSize() - 1];
        EXPECT_EQ(last.dX, target.dX);
        EXPECT_EQ(last.dY, target.dY);
    }
}

TEST(ConditionAdjustment, CorrectionsCarryIntoMinutesAndDegrees) {
    struct Case {
        AngleDMS az;
        double c;
        AngleDMS expected;
    } cases[] = {
        {{10, 59, 59.6}, 0.7, {11, 0, 0.3}},   {{10, 0, 0.0}, -1.5, {10, 0, -1.5}},
        {{10, 59, 30.0}, 45.0, {11, 0, 15.0}}, {{10, 0, 0.0}, 3725.5, {11, 2, 5.5}},
        {{359, 59, 59.0}, 2.0, {360, 0, 1.0}}, {{45, 30, 20.0}, 0.0, {45, 30, 20.0}},
        {{0, 0, 0.0}, 60.0, {0, 1, 0.0}},
    };
    for (const Case& t : cases) {
        AngleDMS r = AddSecondsWithCarry(t.az, t.c);
        EXPECT_EQ(r.nDeg, t.expected.nDeg) << t.az.nDeg << " " << t.c;
        EXPECT_EQ(r.nMin, t.expected.nMin) << t.az.nDeg << " " << t.c;
        EXPECT_NEAR(r.dSec, t.expected.dSec, 1e-9) << t.az.nDeg << " " << t.c;
        EXPECT_NEAR(DmsToSeconds(r), DmsToSeconds(t.az) + t.c, 1e-9);
    }
}

TEST(ConditionAdjustment, OneRecord) {
    struct Case {
        TraverseCase c;
        int result;
    } cases[] = {
        {{"closed", kClosed, {kStart1, kStart2, {}, {}}, {{2700000, 100}}}, 0},
        {{"double",
          kDoubleConnection,
          {kStart1, kStart2, {1000, 1000}, {1100, 1000}},
          {{1800000, 100}}},
         0},
        // two observations, two conditions: the misclosures are absorbed completely
        {{"single", kSingleConnection, {kStart1, kStart2, {1000, 1100}, {}}, {{2700007, 100.03}}},
         1},
        {{"non-oriented", kNonOriented, {kStart1, {}, {1000, 1100}, {}}, {{0, 100.03}}}, 1},
    };
    for (const Case& t : cases) {
        SCOPED_TRACE(t.c.name);
        FakeWindowPort port;
        CTraverseAdjustDlg dlg(&port);
        LoadCase(dlg, t.c);
        port.ResetEdits(t.c.type);
        EXPECT_EQ(dlg.ReduceAndAdjust(), t.result);
        if (t.result == 0) {
            EXPECT_EQ(port.messageIds, std::vector<int>{str::kBadObservations});
            EXPECT_EQ(dlg.m_arrAdjCoords.GetSize(), 0);
            EXPECT_EQ(port.texts[ctl::kWx], "0") << "the window is not updated";
            continue;
        }
        EXPECT_TRUE(port.messageIds.empty());
        ASSERT_EQ(dlg.m_arrAdjCoords.GetSize(), 2);
        EXPECT_NEAR(dlg.m_arrAdjCoords[1].dX, t.c.known[2].dX, 1e-5);
        EXPECT_NEAR(dlg.m_arrAdjCoords[1].dY, t.c.known[2].dY, 1e-5);
        // The end point is fixed: its cofactors vanish up to rounding, never into NaN.
        ASSERT_EQ(dlg.AssessPrecision(), 1);
        ASSERT_EQ(dlg.m_arrM.GetSize(), 2);
        for (int i = 0; i < 2; ++i)
            for (double v :
                 {dlg.m_arrM[i], dlg.m_arrMx[i], dlg.m_arrEllipseA[i], dlg.m_arrEllipseB[i]})
                EXPECT_NEAR(v, 0.0, 1e-6);
    }
}

TEST(ConditionAdjustment, ArraysAreSizedToTheTraverse) {
    for (int type : {kNonOriented, kSingleConnection, kClosed, kDoubleConnection}) {
        SCOPED_TRACE(type);
        for (int stations : {3, 40}) {
            CTraverseAdjustDlg dlg;
            LoadCase(dlg, GeneratedCase(type, stations, 100.0, 100.0));
            ASSERT_EQ(dlg.ReduceAndAdjust(), 1);
            const int n = dlg.m_arrObservations.GetSize();
            const bool three = type == kClosed || type == kDoubleConnection;
            const int sides = three ? n - 1 : n, points = three ? n : n + 1;
            EXPECT_EQ(dlg.m_nConditionCount, three ? 3 : 2);
            EXPECT_EQ(dlg.m_nObsCount, n + sides);
            EXPECT_EQ(dlg.m_dV.size(), static_cast<size_t>(n + sides));
            EXPECT_EQ(dlg.m_dQ.size(), static_cast<size_t>(n + sides));
            EXPECT_EQ(dlg.m_dA.size(), static_cast<size_t>((n + sides) * dlg.m_nConditionCount));
            EXPECT_EQ(dlg.m_dAT.size(), dlg.m_dA.size());
            EXPECT_EQ(dlg.m_arrCoefXAngle.GetSize(), points);
            EXPECT_EQ(dlg.m_arrCoefYAngle[points - 1], 0.0);
            EXPECT_EQ(dlg.m_arrCoefXSide.GetSize(), sides);
            EXPECT_EQ(dlg.m_arrCoefYSide.GetSize(), sides);
            EXPECT_EQ(dlg.m_arrAzimuthCorrections.GetSize(), n);
            EXPECT_EQ(dlg.m_arrAdjSides.GetSize(), sides);
            EXPECT_EQ(dlg.m_arrAdjAzimuths.GetSize(), n);
            EXPECT_EQ(dlg.m_arrAdjCoords.GetSize(), points);
            ASSERT_EQ(dlg.AssessPrecision(), 1);
            for (const CGrowableArray<double>* a :
                 {&dlg.m_arrQxx, &dlg.m_arrQyy, &dlg.m_arrQxy, &dlg.m_arrMx, &dlg.m_arrMy,
                  &dlg.m_arrM, &dlg.m_arrEllipseA, &dlg.m_arrEllipseB})
                EXPECT_EQ(a->GetSize(), points);
            EXPECT_EQ(dlg.m_arrEllipseF.GetSize(), points);
        }
    }
}

TEST(ConditionAdjustment, RefusesResultsThatNoReductionLeft) {
    for (int type : {kNonOriented, kSingleConnection, kClosed, kDoubleConnection}) {
        FakeWindowPort port;
        CTraverseAdjustDlg dlg(&port);
        LoadCase(dlg, GeneratedCase(type, 5, 0.0, 0.0));
        dlg.m_nTraverseType = type;
        int result = type == kNonOriented        ? dlg.AdjustNonOrientedTraverse()
                     : type == kSingleConnection ? dlg.AdjustSingleConnectionTraverse()
                                                 : dlg.AdjustClosedOrDoubleTraverse();
        EXPECT_EQ(result, 0) << type;
        EXPECT_EQ(port.messageIds, std::vector<int>{str::kBadObservations});
    }
}
