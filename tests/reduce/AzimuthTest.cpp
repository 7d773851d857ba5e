#include "model/AngleConversions.h"
#include "reduce/PlaneGeometry.h"
#include "reduce/Reduction.h"

#include <gtest/gtest.h>

#include <ostream>

#include <cmath>
#include <numbers>

using namespace traverse;

namespace {
struct PropagationCase {
    AngleDMS running;
    double angle;
    AngleDMS expected;
};

// Names the case in test listings instead of dumping its bytes.
void PrintTo(const PropagationCase& c, std::ostream* os) {
    *os << c.running.nDeg << "d" << c.running.nMin << "m" << c.running.dSec << "s + " << c.angle;
}

class PropagateAzimuthTest : public testing::TestWithParam<PropagationCase> {};

TEST_P(PropagateAzimuthTest, ForwardIsBackPlusAngleMinus180) {
    const PropagationCase& c = GetParam();
    const AngleDMS forward = PropagateAzimuth(c.running, c.angle);
    EXPECT_EQ(forward.nDeg, c.expected.nDeg);
    EXPECT_EQ(forward.nMin, c.expected.nMin);
    EXPECT_NEAR(forward.dSec, c.expected.dSec, 1e-9);
}

INSTANTIATE_TEST_SUITE_P(
    Cases, PropagateAzimuthTest,
    testing::Values(PropagationCase{{45, 0, 0}, 1800000, {45, 0, 0}},
                    PropagationCase{{350, 0, 0}, 2700000, {80, 0, 0}},   // 440 -> 80
                    PropagationCase{{10, 0, 0}, 900000, {280, 0, 0}},    // -80 -> 280
                    PropagationCase{{180, 0, 0}, 3600000, {360, 0, 0}},  // 360 stays
                    PropagationCase{{10, 59, 40}, 200030, {211, 0, 10}}, // carries
                    PropagationCase{{0, 59, 59.5}, 1800000.75, {1, 0, 0.25}}));
} // namespace

TEST(StartAzimuth, DueNorthAndDueEastCarryTheGuard) {
    KnownPlanePoints known;
    known.start2 = {900, 1000};
    known.start1 = {1000, 1000};
    AngleDMS north = StartAzimuth(known);
    EXPECT_EQ(north.nDeg, 0);
    EXPECT_EQ(north.nMin, 0);
    EXPECT_NEAR(north.dSec, 0.0000206, 1e-7);
    known.start2 = {1000, 900};
    AngleDMS east = StartAzimuth(known);
    EXPECT_EQ(east.nDeg, 90);
    EXPECT_EQ(east.nMin, 0);
    EXPECT_NEAR(east.dSec, 0.0000206, 1e-6);
}

TEST(PlaneAzimuth, AlwaysInZeroToTwoPi) {
    const double pts[][2] = {{1, 0},   {1, 1},  {0, 1},       {-1, 1},    {-1, 0},
                             {-1, -1}, {0, -1}, {1, -1e-300}, {1, -1e-17}};
    for (const auto& p : pts) {
        double a = PlaneAzimuth(0, 0, p[0], p[1]);
        EXPECT_GE(a, 0.0);
        EXPECT_LT(a, 2 * std::numbers::pi);
        if (std::hypot(p[0], p[1]) > 0.5) {
            EXPECT_NEAR(std::cos(a), p[0] / std::hypot(p[0], p[1]), 1e-12);
            EXPECT_NEAR(std::sin(a), p[1] / std::hypot(p[0], p[1]), 1e-12);
        }
    }
}

TEST(CalSectorsAngle2PI, TurnsTheFirstDirectionOntoTheSecond) {
    const double o[2] = {1000, 1000};
    const double east[2] = {1000, 1100};
    const double north[2] = {1100, 1000};
    const double ne[2] = {1100, 1100};
    EXPECT_NEAR(CalSectorsAngle2PI(o, north, o, ne), 45.0, 1e-12);
    EXPECT_NEAR(CalSectorsAngle2PI(o, ne, o, north), 315.0, 1e-12);
    EXPECT_NEAR(CalSectorsAngle2PI(o, north, o, east), 90.0, 1e-12);
    EXPECT_EQ(CalSectorsAngle2PI(o, east, o, east), 0.0);
}
