// A double is m · 2^e with m below 2^53. Times 10^decimals (below 2^30) that is below
// 2^83 · 2^e, held exactly in 128 bits; shifting out the fraction bits and looking at
// them gives the rounding. Figures up to 10^18 fit a long long. Where the compiler has
// no 128-bit integers the figures are read back from std::to_chars's text.
#include "model/FixedDecimal.h"

#include <algorithm>
#include <array>
#include <bit>
#include <charconv>
#include <cmath>
#include <cstdint>
#include <cstring>
#include <string>
#include <string_view>

namespace traverse {

namespace {
// 10^0 to 10^18.
constexpr auto kPowers = [] {
    std::array<std::uint64_t, 19> powers{};
    std::uint64_t p = 1;
    for (auto& power : powers) {
        power = p;
        p *= 10;
    }
    return powers;
}();
constexpr std::uint64_t kFigureBound = 1'000'000'000'000'000'000ULL; // 10^18
// RoundedMagnitude's answer at or past the bound (a plain integer: a flag beside it, as
// in an optional, was stored as a byte and read back as a word, a stalled load).
constexpr std::uint64_t kPastBound = ~std::uint64_t{0};

#ifdef __SIZEOF_INT128__
// |value| · 10^decimals rounded to nearest, ties to even; kPastBound at or past the bound.
std::uint64_t RoundedMagnitude(double value, int decimals) {
    __extension__ using Wide = unsigned __int128;
    const auto bits = std::bit_cast<std::uint64_t>(value);
    const int field = static_cast<int>((bits >> 52) & 0x7FF);
    const std::uint64_t fraction = bits & ((std::uint64_t{1} << 52) - 1);
    const std::uint64_t m = field == 0 ? fraction : fraction | (std::uint64_t{1} << 52);
    const int e = field == 0 ? -1074 : field - 1075;
    if (e >= 0) {                        // a whole number: no rounding
        if (e > 10) return kPastBound; // at least 2^63, past the bound
        const Wide n = (Wide{m} << e) * kPowers[decimals];
        if (n >= kFigureBound) return kPastBound;
        return static_cast<std::uint64_t>(n);
    }
    const int shift = -e;
    if (decimals <= 3 && shift < 64) { // m · 10^decimals below 2^63: the same in 64 bits
        const std::uint64_t n = m * kPowers[decimals];
        std::uint64_t q = n >> shift;
        const std::uint64_t rest = n - (q << shift), half = std::uint64_t{1} << (shift - 1);
        if (rest > half || (rest == half && (q & 1) != 0)) ++q;
        if (q >= kFigureBound) return kPastBound;
        return q;
    }
    const Wide n = Wide{m} * kPowers[decimals];
    if (shift > 100) return 0; // n < 2^83 is below half a unit
    Wide q = n >> shift;
    const Wide rest = n - (q << shift);
    const Wide half = Wide{1} << (shift - 1);
    if (rest > half || (rest == half && (q & 1) != 0)) ++q;
    if (q >= kFigureBound) return kPastBound;
    return static_cast<std::uint64_t>(q);
}

#else
// Without 128-bit integers (32-bit Windows): the digits std::to_chars prints.
std::uint64_t RoundedMagnitude(double value, int decimals) {
    char text[kMaxFixedChars];
    const char* end = std::to_chars(text, text + sizeof text, std::fabs(value),
                                    std::chars_format::fixed, decimals)
                          .ptr;
    std::string digits(text, static_cast<size_t>(end - text));
    std::erase(digits, '.');
    std::uint64_t units = 0;
    const auto r = std::from_chars(digits.data(), digits.data() + digits.size(), units);
    if (r.ec != std::errc() || units >= kFigureBound) return kPastBound;
    return units;
}
#endif

// Two digits at a time, "00" to "99".
constexpr auto kDigitPairs = [] {
    std::array<char, 200> pairs{};
    for (int i = 0; i < 100; ++i) {
        pairs[static_cast<size_t>(2 * i)] = static_cast<char>('0' + i / 10);
        pairs[static_cast<size_t>(2 * i + 1)] = static_cast<char>('0' + i % 10);
    }
    return pairs;
}();

// The digits of n (below 10^18; 1 for 0): from its bit width times log10 2 (1233 / 4096),
// one less or exact, and one comparison. n | 1 has n's digits: 10^k is even.
int DigitCount(std::uint64_t n) {
    const std::uint64_t v = n | 1;
    const int t = (static_cast<int>(std::bit_width(v)) * 1233) >> 12;
    return t + (v >= kPowers[static_cast<size_t>(t)] ? 1 : 0);
}

// v's last `count` digits (count at most 9, leading zeros where it has fewer), written
// backwards before end, two at a time in 32-bit arithmetic.
void Digits32(char* end, std::uint32_t v, int count) {
    for (; count >= 2; count -= 2) {
        const std::uint32_t q = v / 100;
        const auto pair = static_cast<size_t>(v - q * 100) * 2;
        v = q;
        *--end = kDigitPairs[pair + 1];
        *--end = kDigitPairs[pair];
    }
    if (count == 1) *--end = static_cast<char>('0' + v % 10);
}

// Writes n's last C digits before end and returns what is left of n above them; the
// divisor a constant, so that the division is a multiplication.
template <int C> std::uint64_t SplitDigits(char* end, std::uint64_t n) {
    constexpr std::uint64_t kDivisor = kPowers[C];
    const std::uint64_t q = n / kDivisor;
    Digits32(end, static_cast<std::uint32_t>(n - q * kDivisor), C);
    return q;
}

// n's last `count` digits (leading zeros where it has fewer), written backwards before
// end; what is left of n above them is returned. (n is a copy: through a reference the
// compiler would store and reload it after every digit, a char store may alias it.)
std::uint64_t DigitsBackwards(char* end, std::uint64_t n, int count) {
    for (; count > 9; count -= 8, end -= 8)
        n = SplitDigits<8>(end, n);
    switch (count) {
    case 1: return SplitDigits<1>(end, n);
    case 2: return SplitDigits<2>(end, n);
    case 3: return SplitDigits<3>(end, n);
    case 4: return SplitDigits<4>(end, n);
    case 5: return SplitDigits<5>(end, n);
    case 6: return SplitDigits<6>(end, n);
    case 7: return SplitDigits<7>(end, n);
    case 8: return SplitDigits<8>(end, n);
    case 9: return SplitDigits<9>(end, n);
    default: return n;
    }
}

// The digits of units with the point before the last decimals of them ("0." and the
// decimals' leading zeros where units has no more digits than that), written in place.
char* WriteUnits(char* out, std::uint64_t units, int decimals) {
    const int whole = std::max(DigitCount(units) - decimals, 1);
    char* const end = out + whole + (decimals > 0 ? 1 + decimals : 0);
    const std::uint64_t left = DigitsBackwards(end, units, decimals);
    if (decimals > 0) end[-decimals - 1] = '.';
    DigitsBackwards(out + whole, left, whole);
    return end;
}
} // namespace

std::optional<long long> FixedUnits(double value, int decimals) {
    if (!std::isfinite(value) || decimals < 0 || decimals > 9) return std::nullopt;
    const std::uint64_t magnitude = RoundedMagnitude(value, decimals);
    if (magnitude == kPastBound) return std::nullopt;
    const auto units = static_cast<long long>(magnitude);
    return std::signbit(value) ? -units : units;
}

char* WriteFixed(char* out, double value, int decimals) {
    if (std::isfinite(value) && decimals >= 0 && decimals <= 9) {
        if (const std::uint64_t magnitude = RoundedMagnitude(value, decimals);
            magnitude != kPastBound) {
            if (std::signbit(value)) *out++ = '-';
            return WriteUnits(out, magnitude, decimals);
        }
    }
    const auto r =
        std::to_chars(out, out + kMaxFixedChars, value, std::chars_format::fixed, decimals);
    if (r.ec == std::errc()) return r.ptr;
    const std::string_view text = std::isnan(value) ? "nan" : value < 0 ? "-inf" : "inf";
    return std::copy(text.begin(), text.end(), out);
}

} // namespace traverse
