// Numbers read by the C locale's rules on both systems: glibc's strtod_l on Linux,
// std::from_chars with its sign, hexadecimal and range handling on Windows. The same
// table runs on both, under a desktop locale that writes a decimal comma where one exists.
#include "platform/CNumber.h"

#include <gtest/gtest.h>

#include <clocale>
#include <cmath>
#include <limits>
#include <string>

using namespace traverse;

namespace {
constexpr double kInf = std::numeric_limits<double>::infinity();

struct Case {
    const char* name;
    std::string text;
    double value; // NaN for "not a number"
    size_t used;
};

const Case kCases[] = {
    {"packed angle", "1234530.5", 1234530.5, 9},
    {"plus sign", "+12.5", 12.5, 5},
    {"minus and exponent", "-0.25e2", -25.0, 7},
    {"leading blanks", "  7", 7.0, 3},
    {"point first", ".5", 0.5, 2},
    {"point last", "5.", 5.0, 2},
    {"comma ends the number", "12,5", 12.0, 2},
    {"letters end the number", "1.5x", 1.5, 3},
    {"exponent without digits", "1e+", 1.0, 1},
    {"hexadecimal", "0x1p4", 16.0, 5},
    {"zero before an x", "0x", 0.0, 1},
    {"overflow", "1e999", kInf, 5},
    {"negative overflow", "-1e999", -kInf, 6},
    {"long digits overflow", "1" + std::string(400, '0'), kInf, 401},
    {"underflow", "1e-999", 0.0, 6},
    {"long fraction underflow", "0." + std::string(400, '0') + "1", 0.0, 403},
    {"infinity", "inf", kInf, 3},
    {"infinity spelt out", "-Infinity", -kInf, 9},
    {"not a number", "nan", std::nan(""), 3},
    {"no number", "abc", 0.0, 0},
    {"two signs", "+-1", 0.0, 0},
};
} // namespace

TEST(CNumber, ReadsLikeStrtodInTheCLocale) {
    const char* locales[] = {"C", "de_DE.UTF-8", "fr_FR.UTF-8", "German_Germany.1252", "de-DE"};
    for (const char* locale : locales) {
        if (std::setlocale(LC_ALL, locale) == nullptr) continue;
        for (const Case& c : kCases) {
            char* end = nullptr;
            const double value = StrtodC(c.text.c_str(), &end);
            EXPECT_EQ(static_cast<size_t>(end - c.text.c_str()), c.used)
                << c.name << ", " << locale;
            if (std::isnan(c.value)) {
                EXPECT_TRUE(std::isnan(value)) << c.name;
            } else {
                EXPECT_EQ(value, c.value) << c.name << ", " << locale;
            }
        }
    }
    std::setlocale(LC_ALL, "C");
}
