// WriteJsonNumber writes the very bytes of the serializer's own conversion: compared
// with nlohmann::detail::to_chars on the edges of the double range, on decimals as a
// surveyor's figures are (coordinates, millimetres, degrees), and on random bit patterns
// of every exponent.
#include "write/JsonNumber.h"

#include <gtest/gtest.h>

#include <nlohmann/json.hpp>

#include <array>
#include <cmath>
#include <cstdint>
#include <cstring>
#include <limits>
#include <random>
#include <string>

using namespace traverse;

namespace {
std::string Ours(double v) {
    std::array<char, 64> buf{};
    return {buf.data(), WriteJsonNumber(buf.data(), buf.data() + buf.size(), v)};
}

std::string Serializer(double v) {
    std::array<char, 64> buf{};
    return {buf.data(), nlohmann::detail::to_chars(buf.data(), buf.data() + buf.size(), v)};
}

double FromBits(std::uint64_t bits) {
    double v;
    std::memcpy(&v, &bits, sizeof v);
    return v;
}
} // namespace

TEST(JsonNumber, EdgesOfTheRange) {
    const double cases[] = {0.0, -0.0, 1.0, -1.0, 0.1, 0.5, 1e-5, 1e-4, 9.999999999999999e-5,
                            1e15, 1e16, 999999999999999.9, 4294967295.0, 4294967296.0,
                            123456.789, 3500000.0, std::numeric_limits<double>::denorm_min(),
                            std::numeric_limits<double>::min(), std::numeric_limits<double>::max(),
                            std::numeric_limits<double>::epsilon(), 2.0 / 3.0, 1e23, 5e-324};
    for (const double v : cases)
        EXPECT_EQ(Ours(v), Serializer(v)) << Serializer(v);
    for (int e = -1074; e <= 1023; ++e) // every power of two, and its neighbours
        for (const double v : {std::ldexp(1.0, e), std::nextafter(std::ldexp(1.0, e), 0.0),
                               std::nextafter(std::ldexp(1.0, e), 2.0 * std::ldexp(1.0, e))})
            ASSERT_EQ(Ours(v), Serializer(v)) << Serializer(v);
}

TEST(JsonNumber, SurveyorsFiguresAndRandomBits) {
    std::mt19937_64 random(20261208);
    for (int i = 0; i < 300000; ++i) {
        // Millimetres, tenths of a second and coordinates as the sheet divides them, and
        // the full-precision results of an adjustment.
        const auto units = static_cast<long long>(random() % 10000000000ULL) - 5000000000LL;
        for (const double v : {units / 1000.0, units / 10.0, units / 36000.0, units * 1e-9,
                               3500000.0 + std::ldexp(static_cast<double>(random() >> 11), -40)})
            ASSERT_EQ(Ours(v), Serializer(v)) << Serializer(v);
        const double any = FromBits(random());
        if (!std::isfinite(any)) continue;
        ASSERT_EQ(Ours(any), Serializer(any)) << Serializer(any);
    }
}
