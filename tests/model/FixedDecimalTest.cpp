// The exact fixed-point path prints what std::to_chars prints (which the kept outputs
// were written with): ties, signs of values that round to zero, the ends of its range,
// and many random doubles of a traverse's magnitudes; its figures are the printed digits.
#include "model/FixedDecimal.h"
#include "model/NumberText.h"

#include <gtest/gtest.h>

#include <charconv>
#include <cmath>
#include <limits>
#include <random>
#include <string>

using namespace traverse;

namespace {
std::string ToChars(double v, int decimals) {
    char buf[kMaxFixedChars];
    return {buf, std::to_chars(buf, buf + sizeof buf, v, std::chars_format::fixed, decimals).ptr};
}
std::string Written(double v, int decimals) {
    char buf[kMaxFixedChars];
    return {buf, WriteFixed(buf, v, decimals)};
}
} // namespace

TEST(FixedDecimal, HardCasesAsToChars) {
    const struct {
        double value;
        int decimals;
        const char* text;
    } cases[] = {
        {0.125, 2, "0.12"},                      // a tie goes to the even digit
        {0.375, 2, "0.38"},                      //
        {2.5, 0, "2"},                           //
        {0.0005, 3, "0.001"},                    // just above the tie in binary
        {1.0005, 3, "1.000"},                    // just below it
        {-0.0001, 3, "-0.000"},                  // the sign kept
        {-0.0, 2, "-0.00"},                      //
        {0.0, 0, "0"},                           //
        {9.9999999, 6, "10.000000"},             // a carry into a new digit
        {5e-324, 9, "0.000000000"},              // the smallest subnormal
        {999999999.0, 9, "999999999.000000000"}, // just below the bound
        {1e9, 9, "1000000000.000000000"},        // at it: to_chars takes over
        {1e300, 3, nullptr},
        {123456789012.0, 6, "123456789012.000000"},
        {0.1, 12, nullptr}, // beyond nine decimals
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(testing::Message() << c.value << " to " << c.decimals);
        const std::string expected = c.text ? c.text : ToChars(c.value, c.decimals);
        EXPECT_EQ(ToChars(c.value, c.decimals), expected);
        EXPECT_EQ(Written(c.value, c.decimals), expected);
        EXPECT_EQ(FormatFixed(c.value, c.decimals), expected);
    }
    EXPECT_EQ(Written(std::numeric_limits<double>::infinity(), 3), "inf");
    EXPECT_EQ(Written(-std::numeric_limits<double>::infinity(), 3), "-inf");
}

TEST(FixedDecimal, RandomValuesAsToChars) {
    std::mt19937_64 random(20261208);
    std::uniform_real_distribution<double> exponent(-12.0, 13.0);
    std::uniform_int_distribution<int> decimals(0, 9);
    for (int i = 0; i < 200000; ++i) {
        double v = std::pow(10.0, exponent(random));
        if (i % 2) v = -v;
        if (i % 5 == 0) v = std::round(v * 1000.0) / 1000.0 + 0.0005; // near ties
        const int d = decimals(random);
        const std::string expected = ToChars(v, d);
        ASSERT_EQ(Written(v, d), expected) << v << " to " << d;
        if (const auto units = FixedUnits(v, d)) {
            std::string digits = expected;
            std::erase(digits, '.');
            ASSERT_EQ(*units, std::stoll(digits)) << expected;
        } else {
            ASSERT_GE(std::fabs(v) * std::pow(10.0, d), 9.9e17) << v << " to " << d;
        }
    }
}

TEST(FixedDecimal, FiguresOnlyInRange) {
    EXPECT_EQ(FixedUnits(-12.3456, 3), -12346);
    EXPECT_EQ(FixedUnits(0.5, 0), 0);
    EXPECT_EQ(FixedUnits(1.5, 0), 2);
    EXPECT_FALSE(FixedUnits(1.0, 10));
    EXPECT_FALSE(FixedUnits(std::numeric_limits<double>::quiet_NaN(), 3));
    EXPECT_FALSE(FixedUnits(1e15, 3));
}
