#include "adjust/Adjustment.h"
#include "adjust/TraverseCases.h"
#include "model/AngleConversions.h"
#include "resources/StringTable.h"

#include <gtest/gtest.h>

#include <cmath>

using namespace traverse;

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

std::vector<double> Misclosures(const AdjustedTraverse& t) {
    const Reduction& r = t.reduction;
    if (t.adjustment.conditions == 3)
        return {DmsToSeconds(UnpackDms(r.azimuthClosure)), r.fx, r.fy};
    return {r.fx, r.fy};
}

double WrapSeconds(double s) { return std::remainder(s, 1296000.0); }
} // namespace

TEST(ConditionAdjustment, ZeroMisclosuresReproduceTheApproximateTraverse) {
    for (const TraverseCase& c : WorkedExamples()) {
        SCOPED_TRACE(c.name);
        const auto run = AdjustCase(c);
        ASSERT_TRUE(std::holds_alternative<AdjustedTraverse>(run));
        const Adjustment& a = std::get<AdjustedTraverse>(run).adjustment;
        const Reduction& r = std::get<AdjustedTraverse>(run).reduction;
        for (double v : a.residuals)
            EXPECT_NEAR(v, 0.0, 1e-4);
        ASSERT_EQ(a.points.size(), r.points.size());
        for (size_t i = 0; i < a.points.size(); ++i) {
            EXPECT_NEAR(a.points[i].dX, r.points[i].dX, 1e-7);
            EXPECT_NEAR(a.points[i].dY, r.points[i].dY, 1e-7);
        }
        for (size_t j = 0; j < a.sides.size(); ++j)
            EXPECT_NEAR(a.sides[j], c.obs[j].distance, 1e-9);
    }
}

TEST(ConditionAdjustment, AdjustedTraverseMeetsEveryCondition) {
    for (const TraverseCase& c : MisclosedExamples()) {
        SCOPED_TRACE(c.name);
        const auto run = AdjustCase(c);
        ASSERT_TRUE(std::holds_alternative<AdjustedTraverse>(run));
        const AdjustedTraverse& t = std::get<AdjustedTraverse>(run);
        const Adjustment& a = t.adjustment;
        const std::vector<double>& v = a.residuals;
        const int n = static_cast<int>(t.observations.size());
        const std::vector<double> w = Misclosures(t);
        // Angles in the azimuth condition: a closed loop's closure does not hold angle 0.
        if (c.type == kClosed || c.type == kDoubleConnection) {
            double sum = 0.0;
            for (int j = c.type == kClosed ? 1 : 0; j < n; ++j)
                sum += v[static_cast<size_t>(j)];
            EXPECT_NEAR(sum, -w[0], 1e-9);
        }
        // Every adjusted azimuth is its approximate one turned by the accumulated
        // corrections, orientation (index 0) included.
        const int off = c.type == kNonOriented ? 0 : 1;
        double turned = 0.0;
        for (int k = 0; k < n; ++k) {
            turned += v[static_cast<size_t>(k)];
            double diff = DmsToSeconds(a.azimuths[static_cast<size_t>(k)]) -
                          DmsToSeconds(t.reduction.azimuths[static_cast<size_t>(k + off)]);
            EXPECT_NEAR(diff, turned, 1e-7) << "side " << k;
        }
        if (c.type == kClosed) {
            EXPECT_NEAR(v[0], 0.0, 1e-3) << "the loop is not turned";
            EXPECT_NEAR(WrapSeconds(DmsToSeconds(a.azimuths.back()) - DmsToSeconds(a.azimuths[0])),
                        0.0, 1e-6);
        }
        if (c.type == kDoubleConnection) {
            EXPECT_NEAR(
                WrapSeconds(DmsToSeconds(a.azimuths.back()) - DmsToSeconds(EndAzimuth(t.known))),
                0.0, 1e-4);
        }
        // Run along the adjusted sides and azimuths, the traverse arrives on its known
        // point: the iteration leaves no second-order misclosure.
        const PlanePoint target = c.type == kClosed ? c.known[0] : c.known[2];
        PlanePoint end = c.known[0];
        for (size_t j = 0; j < a.sides.size(); ++j) {
            const double theta = DmsToRadians(a.azimuths[j]);
            end.dX += a.sides[j] * std::cos(theta);
            end.dY += a.sides[j] * std::sin(theta);
        }
        EXPECT_NEAR(end.dX, target.dX, 1e-8);
        EXPECT_NEAR(end.dY, target.dY, 1e-8);
        const PlanePoint& last = a.points.back();
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
        bool adjusted;
    } cases[] = {
        {{"closed", kClosed, {kStart1, kStart2, {}, {}}, {{2700000, 100}}}, false},
        {{"double",
          kDoubleConnection,
          {kStart1, kStart2, {1000, 1000}, {1100, 1000}},
          {{1800000, 100}}},
         false},
        // two observations, two conditions: the misclosures are absorbed completely
        {{"single", kSingleConnection, {kStart1, kStart2, {1000, 1100}, {}}, {{2700007, 100.03}}},
         true},
        {{"non-oriented", kNonOriented, {kStart1, {}, {1000, 1100}, {}}, {{0, 100.03}}}, true},
    };
    for (const Case& t : cases) {
        SCOPED_TRACE(t.c.name);
        const auto run = AdjustCase(t.c);
        if (!t.adjusted) {
            ASSERT_TRUE(std::holds_alternative<Refusal>(run));
            EXPECT_EQ(std::get<Refusal>(run).messageId, str::kBadObservations);
            continue;
        }
        ASSERT_TRUE(std::holds_alternative<AdjustedTraverse>(run));
        const AdjustedTraverse& a = std::get<AdjustedTraverse>(run);
        ASSERT_EQ(a.adjustment.points.size(), 2u);
        EXPECT_NEAR(a.adjustment.points[1].dX, t.c.known[2].dX, 1e-5);
        EXPECT_NEAR(a.adjustment.points[1].dY, t.c.known[2].dY, 1e-5);
        // The end point is fixed: its cofactors vanish up to rounding, never into NaN.
        ASSERT_EQ(a.precision.points.size(), 2u);
        for (const PointPrecision& p : a.precision.points)
            for (double v : {p.m, p.mx, p.ellipse.dA, p.ellipse.dB})
                EXPECT_NEAR(v, 0.0, 1e-6);
    }
}

TEST(ConditionAdjustment, SystemIsSizedToTheTraverse) {
    for (int type : {kNonOriented, kSingleConnection, kClosed, kDoubleConnection}) {
        SCOPED_TRACE(type);
        for (int stations : {3, 40}) {
            const auto run = AdjustCase(GeneratedCase(type, stations, 100.0, 100.0));
            ASSERT_TRUE(std::holds_alternative<AdjustedTraverse>(run));
            const AdjustedTraverse& t = std::get<AdjustedTraverse>(run);
            const Adjustment& a = t.adjustment;
            const size_t n = t.observations.size();
            const bool three = type == kClosed || type == kDoubleConnection;
            const size_t sides = three ? n - 1 : n, points = three ? n : n + 1;
            EXPECT_EQ(a.conditions, three ? 3 : 2);
            EXPECT_EQ(a.residuals.size(), n + sides);
            EXPECT_EQ(a.cofactors.size(), n + sides);
            EXPECT_EQ(a.conditionMatrix.size(), (n + sides) * static_cast<size_t>(a.conditions));
            EXPECT_EQ(a.coefXAngle.size(), points);
            EXPECT_EQ(a.coefYAngle[points - 1], 0.0);
            EXPECT_EQ(a.coefXSide.size(), sides);
            EXPECT_EQ(a.coefYSide.size(), sides);
            EXPECT_EQ(a.azimuthCorrections.size(), n);
            EXPECT_EQ(a.sides.size(), sides);
            EXPECT_EQ(a.azimuths.size(), n);
            EXPECT_EQ(a.points.size(), points);
            EXPECT_EQ(t.precision.points.size(), points);
        }
    }
}

TEST(ConditionAdjustment, RefusesResultsThatNoReductionLeft) {
    for (int type : {kNonOriented, kSingleConnection, kClosed, kDoubleConnection}) {
        const TraverseCase c = GeneratedCase(type, 5, 0.0, 0.0);
        const Observations obs = RecordsOf(c);
        const auto adjusted = Adjust(type, obs, KnownOf(c), Reduction{});
        ASSERT_TRUE(std::holds_alternative<Refusal>(adjusted)) << type;
        EXPECT_EQ(std::get<Refusal>(adjusted).messageId, str::kBadObservations);
    }
}
