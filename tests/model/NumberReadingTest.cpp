// Numbers read with from_chars are the very doubles strtod gives in the C locale: hard
// cases against the compiler's own (correctly rounded) literals on every system, and on
// Linux many random numbers and every word of the examples against glibc's strtod_l.
#include "model/NumberText.h"

#include <gtest/gtest.h>

#include <bit>
#include <cmath>
#include <cstdint>
#include <fstream>
#include <limits>
#include <random>
#include <sstream>
#include <string>

#ifndef _WIN32
#include <cstdlib>
#include <filesystem>
#include <locale.h>
#endif

using namespace traverse;

namespace {
uint64_t Bits(double v) { return std::bit_cast<uint64_t>(v); }

// ScanDouble's double, or NaN for an overflow (NotFinite) or no number.
double Scanned(const std::string& text) {
    size_t pos = 0;
    double v = 0.0;
    return ScanDouble(text, pos, v) == ScanResult::Ok ? v
                                                      : std::numeric_limits<double>::quiet_NaN();
}

TEST(NumberReading, HardCasesAreTheCompilersDoubles) {
    const struct {
        const char* text;
        double value;
    } cases[] = {
        {"0.1", 0.1},
        {"-0", -0.0},
        {"+0.0e5", 0.0},
        {"-1e-400", -0.0},
        {"5.", 5.0},
        {".5", 0.5},
        {"1234530.5", 1234530.5},
        {"9007199254740993", 9007199254740993.0}, // halfway, to even
        {"9007199254740995", 9007199254740995.0},
        {"2.2250738585072011e-308", 2.2250738585072011e-308}, // the smallest normal's neighbour
        {"4.9406564584124654e-324", 4.9406564584124654e-324}, // the smallest subnormal
        {"2.4703282292062327e-324", 0.0},                     // just under half of it
        {"2.4703282292062328e-324", 4.9406564584124654e-324}, // just over
        {"1.7976931348623157e308", 1.7976931348623157e308},
        {"1.7976931348623158e308", 1.7976931348623158e308}, // rounds down to the largest
        {"0.000000000000000000000000000000000000000000000000000000000000000000000000001",
         1e-75},
        {"123456789012345678901234567890e-10", 123456789012345678901234567890e-10},
        {"3381252.4180000000000000000000000000000000000000000000000000000000000001",
         3381252.4180000000000000000000000000000000000000000000000000000000000001},
        // Around the short path's bounds: 15 digits, 16, the point first or last.
        {"999999999999999", 999999999999999.0},
        {"9999999999999999", 9999999999999999.0},
        {"-.000000000000001", -.000000000000001},
        {"0.0000000000000001", 0.0000000000000001},
        {"12345678.9012345", 12345678.9012345},
        {"-00000000000000.5", -0.5},
    };
    for (const auto& c : cases)
        EXPECT_EQ(Bits(Scanned(c.text)), Bits(c.value)) << c.text;
    for (const char* overflow : {"1.7976931348623159e308", "1e309", "-1e99999999", "1e400"})
        EXPECT_TRUE(std::isnan(Scanned(overflow))) << overflow;
}

// Where a number ends: the short numbers' one pass and the general grammar agree.
TEST(NumberReading, NumbersEndWhereTheGrammarSays) {
    const struct {
        const char* text;
        size_t end; // 0: no number
        double value;
    } cases[] = {
        {"1.2.3", 3, 1.2},   {"5.", 2, 5.0},        {"-.", 0, 0},          {".", 0, 0},
        {"1e", 1, 1.0},      {"1e+", 1, 1.0},       {"12abc", 2, 12.0},    {"+.5e3x", 5, 500.0},
        {"-0.e1", 5, -0.0},  {"  7 8", 3, 7.0},     {"+-1", 0, 0},         {"3E-1,", 4, 0.3},
        {"1234567890123456.5;", 18, 1234567890123456.5},
    };
    for (const auto& c : cases) {
        size_t pos = 0;
        double v = 0.0;
        const ScanResult r = ScanDouble(c.text, pos, v);
        if (c.end == 0) {
            EXPECT_EQ(r, ScanResult::NoNumber) << c.text;
            continue;
        }
        ASSERT_EQ(r, ScanResult::Ok) << c.text;
        EXPECT_EQ(pos, c.end) << c.text;
        EXPECT_EQ(Bits(v), Bits(c.value)) << c.text;
    }
}

#ifndef _WIN32
double StrtodInC(const std::string& text) {
    static const locale_t c = newlocale(LC_ALL_MASK, "C", static_cast<locale_t>(nullptr));
    return strtod_l(text.c_str(), nullptr, c);
}

void ExpectAsStrtod(const std::string& text) {
    const double expected = StrtodInC(text);
    if (std::isinf(expected))
        EXPECT_TRUE(std::isnan(Scanned(text))) << text;
    else
        EXPECT_EQ(Bits(Scanned(text)), Bits(expected)) << text;
}

// Random decimal texts of every shape the grammar takes: sign, 1 to 40 digits, a point
// anywhere, exponents that reach beyond both ends of the range.
TEST(NumberReading, RandomNumbersAreStrtodsDoubles) {
    std::mt19937_64 rng(20261208);
    auto below = [&](int n) { return static_cast<int>(rng() % static_cast<uint64_t>(n)); };
    for (int i = 0; i < 200000; ++i) {
        std::string t = below(4) == 0 ? "-" : below(8) == 0 ? "+" : "";
        const int digits = 1 + below(below(4) == 0 ? 40 : 17), point = below(digits + 2) - 1;
        for (int d = 0; d < digits; ++d) {
            if (d == point) t += '.';
            t += static_cast<char>('0' + below(10));
        }
        if (point == digits) t += '.';
        if (below(3) == 0) t += "e" + std::to_string(below(700) - 350);
        ExpectAsStrtod(t);
    }
}

// Every word of the examples that starts with a number, read up to where it ends.
TEST(NumberReading, TheExamplesNumbersAreStrtodsDoubles) {
    int numbers = 0;
    for (const auto& entry : std::filesystem::directory_iterator(TA_EXAMPLES_DIR)) {
        const auto ext = entry.path().extension();
        if (ext != ".txt" && ext != ".con") continue;
        std::ifstream in(entry.path(), std::ios::binary);
        std::stringstream all;
        all << in.rdbuf();
        for (std::string word; all >> word;) {
            const size_t length = DecimalNumberLength(word);
            if (length == 0) continue;
            ExpectAsStrtod(word.substr(0, length));
            ++numbers;
        }
    }
    EXPECT_GT(numbers, 200);
}
#endif
} // namespace
