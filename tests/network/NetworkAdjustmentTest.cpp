// The network engine against a dense observation-equation adjustment written apart
// (tests/adjust/parametric), on a noisy network of two junctions; a junction reached
// exactly from three known points; and the networks it refuses.
#include "network/NetworkAdjustment.h"
#include "network/NetworkBuilder.h"
#include "resources/StringTable.h"

#include <gtest/gtest.h>

#include <cmath>
#include <string>

namespace network_test {
namespace {

// Interior points from a to b, swinging ±40 m off the straight line.
std::vector<int> Chain(Site& s, PlanePoint a, PlanePoint b, int count) {
    std::vector<int> points;
    for (int i = 1; i <= count; ++i) {
        const double t = static_cast<double>(i) / (count + 1);
        const double swing = 40.0 * std::sin(1.7 * i);
        s.truth.push_back({a.dX + t * (b.dX - a.dX) + swing, a.dY + t * (b.dY - a.dY) - swing});
        s.known.push_back(false);
        points.push_back(static_cast<int>(s.truth.size()) - 1);
    }
    return points;
}

int Add(Site& s, PlanePoint xy, bool known) {
    s.truth.push_back(xy);
    s.known.push_back(known);
    return static_cast<int>(s.truth.size()) - 1;
}

Leg Through(int from, const std::vector<int>& inside, int to, int back, int fore) {
    Leg r{{from}, back, fore};
    r.points.insert(r.points.end(), inside.begin(), inside.end());
    r.points.push_back(to);
    return r;
}

struct TwoJunctions {
    Site site;
    std::vector<Leg> runs;
};

// Four known points with their orientation points, two junctions, five traverses.
TwoJunctions MakeTwoJunctions() {
    TwoJunctions t;
    Site& s = t.site;
    const int k1 = Add(s, {3381000, 501000}, true), o1 = Add(s, {3381500, 500800}, true);
    const int k2 = Add(s, {3381000, 504000}, true), o2 = Add(s, {3381400, 504300}, true);
    const int k3 = Add(s, {3383000, 501000}, true), o3 = Add(s, {3383300, 500600}, true);
    const int k4 = Add(s, {3383000, 505000}, true), o4 = Add(s, {3383500, 505300}, true);
    const int j1 = Add(s, {3382000, 502000}, false), j2 = Add(s, {3382100, 503600}, false);
    const auto c1 = Chain(s, s.truth[k1], s.truth[j1], 8);
    const auto c2 = Chain(s, s.truth[k2], s.truth[j1], 8);
    const auto c3 = Chain(s, s.truth[j1], s.truth[j2], 10);
    const auto c4 = Chain(s, s.truth[k3], s.truth[j2], 8);
    const auto c5 = Chain(s, s.truth[j2], s.truth[k4], 8);
    t.runs = {Through(k1, c1, j1, o1, -1), Through(k2, c2, j1, o2, c1.back()),
              Through(j1, c3, j2, c1.back(), -1), Through(k3, c4, j2, o3, c3.back()),
              Through(j2, c5, k4, c3.back(), o4)};
    return t;
}

TEST(NetworkAdjustment, AgreesWithADenseAdjustmentOfTwoJunctions) {
    const TwoJunctions t = MakeTwoJunctions();
    parametric::Random random(20261208);
    const NetworkObservations net = Observe(t.site, t.runs, &random, {2.5, 1.5});
    const auto result = AdjustNetwork(net, {});
    ASSERT_TRUE(std::holds_alternative<NetworkAdjustment>(result))
        << MessageText(std::get<Refusal>(result));
    const NetworkAdjustment& a = std::get<NetworkAdjustment>(result);
    const parametric::Solution dense = parametric::AdjustNetwork(DenseTwin(net, a.approximate));
    ASSERT_TRUE(dense.ok);
    EXPECT_EQ(a.redundancy, dense.redundancy);
    EXPECT_NEAR(a.sigma0, dense.sigma0, 1e-6 * dense.sigma0);
    for (size_t p = 0; p < net.points.size(); ++p) {
        EXPECT_NEAR(a.points[p].dX, dense.points[p].x, 1e-5) << p;
        EXPECT_NEAR(a.points[p].dY, dense.points[p].y, 1e-5) << p;
        // Selected inversion against the dense inverse.
        const PointPrecision& q = a.precision[p];
        const parametric::PointPrecision& d = dense.precision[p];
        EXPECT_NEAR(q.qxx, d.qxx, 1e-5 * (d.qxx + d.qyy)) << p;
        EXPECT_NEAR(q.qyy, d.qyy, 1e-5 * (d.qxx + d.qyy)) << p;
        EXPECT_NEAR(q.qxy, d.qxy, 1e-5 * (d.qxx + d.qyy)) << p;
    }
    const size_t angles = net.angles.size();
    double sum = 0.0;
    for (size_t i = 0; i < dense.residuals.size(); ++i) {
        const bool angle = i < angles;
        const size_t k = angle ? i : i - angles;
        EXPECT_NEAR(angle ? a.angleResiduals[k] : a.distanceResiduals[k], dense.residuals[i], 1e-4);
        const double r = angle ? a.angleRedundancy[k] : a.distanceRedundancy[k];
        EXPECT_NEAR(r, dense.redundancyNumbers[i], 1e-6) << i;
        sum += r;
    }
    EXPECT_NEAR(sum, a.redundancy, 1e-6);
    EXPECT_EQ(a.tests.observations.size(), dense.residuals.size());
}

TEST(NetworkAdjustment, SnoopingPointsAtABlunderedObservationByItsIndex) {
    const TwoJunctions t = MakeTwoJunctions();
    for (const bool angle : {true, false}) {
        parametric::Random random(7);
        NetworkObservations net = Observe(t.site, t.runs, &random, {1.5, 1.0});
        const int blundered = angle ? 20 : 30;
        if (angle)
            net.angles[blundered].seconds += 40.0;
        else
            net.distances[blundered].metres += 0.06;
        const auto result = AdjustNetwork(net, {InstrumentPrecision{1.5, 1.0, 1.0}});
        ASSERT_TRUE(std::holds_alternative<NetworkAdjustment>(result));
        const ObservationTests& tests = std::get<NetworkAdjustment>(result).tests;
        ASSERT_TRUE(tests.global.has_value());
        EXPECT_FALSE(tests.global->pass);
        // Sides along one line share their blunder: the side is among the first three.
        bool named = false;
        for (size_t k : Suspects(tests, angle ? 1 : 3)) {
            const ObservationTest& t = tests.observations[k];
            named = named || (t.record == blundered && t.flagged &&
                              t.kind == (angle ? ObservationKind::kAngle : ObservationKind::kSide));
        }
        EXPECT_TRUE(named) << (angle ? "angle" : "side");
    }
}

TEST(NetworkAdjustment, FindsAJunctionFromThreeKnownPointsExactly) {
    Site s;
    const int j = Add(s, {2000.0, 2000.0}, false);
    std::vector<Leg> runs;
    const PlanePoint starts[3] = {{500, 600}, {3600, 1200}, {1800, 3900}};
    for (const PlanePoint& k : starts) {
        const int known = Add(s, k, true);
        const int sighted = Add(s, {k.dX + 300.0, k.dY - 400.0}, true);
        runs.push_back(Through(known, Chain(s, k, s.truth[j], 6), j, sighted, -1));
    }
    // And on from the junction to a fourth known point, with no angle at either end.
    const int last = Add(s, {3900.0, 3700.0}, true);
    runs.push_back(Through(j, Chain(s, s.truth[j], s.truth[last], 5), last, -1, -1));
    const auto result = AdjustNetwork(Observe(s, runs), {});
    ASSERT_TRUE(std::holds_alternative<NetworkAdjustment>(result));
    const NetworkAdjustment& a = std::get<NetworkAdjustment>(result);
    for (size_t p = 0; p < s.truth.size(); ++p) {
        EXPECT_NEAR(a.points[p].dX, s.truth[p].dX, 1e-4) << p;
        EXPECT_NEAR(a.points[p].dY, s.truth[p].dY, 1e-4) << p;
    }
    EXPECT_EQ(a.redundancy, 5); // 3 × 14 + 11 observations, 19 + 5 points
    EXPECT_LT(a.sigma0, 1e-3);
}

TEST(NetworkAdjustment, RefusesWhatCannotBeAdjusted) {
    struct Case {
        const char* name;
        void (*spoil)(NetworkObservations&);
        int message;
    };
    const Case cases[] = {
        {"one known point",
         [](NetworkObservations& n) {
             for (size_t p = 1; p < n.points.size(); ++p)
                 n.points[p].known.reset();
         },
         str::kNetworkNoDatum},
        {"a point sighted but never measured to",
         [](NetworkObservations& n) {
             n.points.push_back({"P99", std::nullopt, std::nullopt, {}});
             n.angles.push_back({10, 9, static_cast<int>(n.points.size()) - 1, 1000.0, {}});
         },
         str::kNetworkUnreachable},
        {"a point observed by nothing",
         [](NetworkObservations& n) {
             n.points.push_back({"P99", std::nullopt, std::nullopt, {}});
         },
         str::kNetworkUnreachable},
        {"a side 50 m long", [](NetworkObservations& n) { n.distances[12].metres += 50.0; },
         str::kNetworkJunctionGap},
        {"an angle sighting its station",
         [](NetworkObservations& n) { n.angles[3].foresight = n.angles[3].station; },
         str::kNetworkBadObservation},
        {"a distance to a point not in the list",
         [](NetworkObservations& n) { n.distances[0].to = 1000; }, str::kNetworkBadObservation},
    };
    const TwoJunctions t = MakeTwoJunctions();
    for (const Case& c : cases) {
        NetworkObservations net = Observe(t.site, t.runs);
        c.spoil(net);
        const auto result = AdjustNetwork(net, {});
        ASSERT_TRUE(std::holds_alternative<Refusal>(result)) << c.name;
        EXPECT_EQ(std::get<Refusal>(result).messageId, c.message) << c.name;
    }
}

} // namespace
} // namespace network_test
