#include "model/AngleConversions.h"

#include <gtest/gtest.h>

#include <ostream>

#include <cmath>
#include <numbers>

using namespace traverse;

namespace {
struct UnpackCase {
    double packed;
    int deg, min;
    double sec;
};

void PrintTo(const UnpackCase& c, std::ostream* os) { *os << c.packed; }

class UnpackDmsTest : public testing::TestWithParam<UnpackCase> {};

TEST_P(UnpackDmsTest, SplitsAndPacksBack) {
    const UnpackCase& c = GetParam();
    AngleDMS a = UnpackDms(c.packed);
    EXPECT_EQ(a.nDeg, c.deg);
    EXPECT_EQ(a.nMin, c.min);
    EXPECT_NEAR(a.dSec, c.sec, 1e-9);
    EXPECT_NEAR(PackDms(a.nDeg, a.nMin, a.dSec), c.packed, 1e-9);
}

INSTANTIATE_TEST_SUITE_P(Cases, UnpackDmsTest,
                         testing::Values(UnpackCase{900000, 90, 0, 0}, UnpackCase{11900, 1, 19, 0},
                                         UnpackCase{1234530.5, 123, 45, 30.5},
                                         UnpackCase{0, 0, 0, 0}, UnpackCase{-10, 0, 0, -10},
                                         UnpackCase{-4050, 0, -40, -50},
                                         UnpackCase{3595959.99, 359, 59, 59.99}));
} // namespace

TEST(PackDms, CombinesWithoutNormalising) {
    EXPECT_EQ(PackDms(1, -1, 50), 9950.0);
    EXPECT_EQ(PackDms(-1, 59, 50), -4050.0);
}

TEST(DmsToRadians, UsesTheFourteenDecimalPi) {
    EXPECT_EQ(DmsToRadians(180, 0, 0.0), 3.14159265358979);
    EXPECT_NE(DmsToRadians(180, 0, 0.0), std::numbers::pi);
    // the order of operations: seconds, then minutes, then degrees
    double expected =
        ((30.5 * 0.016666666666666666 + 45) * 0.016666666666666666 + 123) * 0.017453292519943278;
    EXPECT_EQ(DmsToRadians(123, 45, 30.5), expected);
}

TEST(RadiansToDms, GuardBringsAHairBelowOntoTheWholeDegree) {
    AngleDMS a = RadiansToDms(DmsToRadians(1, 0, 0.0));
    EXPECT_EQ(a.nDeg, 1);
    EXPECT_EQ(a.nMin, 0);
    EXPECT_NEAR(a.dSec, 2.06e-5, 1e-7);
}

TEST(RadiansToDms, SignOnTheDegreesOnly) {
    AngleDMS a = RadiansToDms(-45.5 * std::numbers::pi / 180.0);
    EXPECT_EQ(a.nDeg, -45);
    EXPECT_EQ(a.nMin, 30);
    EXPECT_GE(a.dSec, 0.0);
    EXPECT_LT(a.dSec, 1e-3);
}

TEST(DegreesToDms, NoGuardNoSignHandling) {
    AngleDMS a = DegreesToDms(45.5);
    EXPECT_EQ(a.nDeg, 45);
    EXPECT_EQ(a.nMin, 30);
    EXPECT_NEAR(a.dSec, 0.0, 1e-9);
    AngleDMS b = DegreesToDms(-10.5);
    EXPECT_EQ(b.nDeg, -10);
    EXPECT_EQ(b.nMin, -30);
    EXPECT_NEAR(b.dSec, 0.0, 1e-9);
}
