// Heights of a network by least squares, weight 1/D: a junction between two known
// heights worked by hand, and the points no known height reaches.
#include "network/NetworkHeights.h"

#include <gtest/gtest.h>

#include <cmath>

namespace {

using namespace traverse;

NetworkObservations ThreePoints() {
    NetworkObservations net;
    net.points = {{"A", std::nullopt, 100.0, {}},
                  {"B", std::nullopt, 110.0, {}},
                  {"J", std::nullopt, std::nullopt, {}},
                  {"C", std::nullopt, std::nullopt, {}}};
    net.heights = {{0, 2, 5.0, 1000.0, {}}, {1, 2, -4.97, 2000.0, {}}};
    return net;
}

TEST(NetworkHeights, WeighsAJunctionByTheLengthsAsByHand) {
    const std::optional<NetworkHeights> h = AdjustNetworkHeights(ThreePoints());
    ASSERT_TRUE(h.has_value());
    // J = (105.00·1 + 105.03·0.5) / 1.5; v = +10 and −20 mm; vᵀPv = 100 + 200; r = 1.
    EXPECT_NEAR(h->heights[2], 105.01, 1e-9);
    EXPECT_NEAR(h->corrections[0], 10.0, 1e-6);
    EXPECT_NEAR(h->corrections[1], -20.0, 1e-6);
    EXPECT_EQ(h->redundancy, 1);
    EXPECT_NEAR(h->errorPerKm, std::sqrt(300.0), 1e-6);
    EXPECT_NEAR(h->errors[2], std::sqrt(300.0 / 1.5), 1e-6);
    EXPECT_EQ(h->errors[0], 0.0);
    EXPECT_TRUE(std::isnan(h->heights[3]) && std::isnan(h->errors[3]));
}

TEST(NetworkHeights, NoneWithoutAKnownHeightOrHeightDifferences) {
    NetworkObservations unknown = ThreePoints();
    for (NetworkPoint& p : unknown.points)
        p.knownHeight.reset();
    NetworkObservations plane = ThreePoints();
    plane.heights.clear();
    EXPECT_FALSE(AdjustNetworkHeights(unknown).has_value());
    EXPECT_FALSE(AdjustNetworkHeights(plane).has_value());
}

} // namespace
