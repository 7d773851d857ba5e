#include "write/JsonNumber.h"

#include <nlohmann/json.hpp>

#include <charconv>
#include <cmath>
#include <cstdint>
#include <limits>

namespace traverse {

namespace {
namespace dtoa = nlohmann::detail::dtoa_impl;

// The serializer's digit generation, V = buffer * 10^exponent with M- <= V <= M+. It
// emits M+'s integral part p1 one digit at a time and stops as soon as what is left of
// M+ below the digits, (p1 mod 10^n) * 2^-e + p2, is within delta. That rest only
// shrinks as digits are added, so when p2 alone exceeds delta it stops nowhere in p1:
// all of p1's digits are written at once, and the fractional digits follow as it makes
// them.
void DigitGen(char* buffer, int& length, int& exponent, dtoa::diyfp mMinus, dtoa::diyfp w,
              dtoa::diyfp mPlus) {
    std::uint64_t delta = mPlus.f - mMinus.f;
    std::uint64_t dist = mPlus.f - w.f;
    const int shift = -mPlus.e; // 32 to 60
    const std::uint64_t one = std::uint64_t{1} << shift;
    const auto p1 = static_cast<std::uint32_t>(mPlus.f >> shift);
    std::uint64_t p2 = mPlus.f & (one - 1);
    if (p2 <= delta) return dtoa::grisu2_digit_gen(buffer, length, exponent, mMinus, w, mPlus);
    length = static_cast<int>(std::to_chars(buffer, buffer + 10, p1).ptr - buffer);
    int m = 0;
    for (;;) {
        p2 *= 10;
        buffer[length++] = static_cast<char>('0' + (p2 >> shift));
        p2 &= one - 1;
        ++m;
        delta *= 10;
        dist *= 10;
        if (p2 <= delta) break;
    }
    exponent -= m;
    dtoa::grisu2_round(buffer, length, dist, delta, p2, one);
}

// Moves n bytes (a few) from to a higher place, the last first: the ranges overlap.
void MoveUp(char* to, const char* from, int n) {
    for (int i = n - 1; i >= 0; --i)
        to[i] = from[i];
}

// The serializer's format_buffer for v = digits * 10^exponent, its layout kept: fixed
// notation from 1e-5 to 1e15 ("1.0" for a whole number), else d.ddde+XX. Its memmove and
// memset calls on a few bytes are byte loops here.
char* FormatBuffer(char* buf, int length, int exponent) {
    constexpr int kMinExp = -4, kMaxExp = std::numeric_limits<double>::digits10;
    const int k = length, n = length + exponent;
    if (k <= n && n <= kMaxExp) { // whole: digits, zeros, ".0"
        for (int i = k; i < n; ++i)
            buf[i] = '0';
        buf[n] = '.';
        buf[n + 1] = '0';
        return buf + n + 2;
    }
    if (0 < n && n <= kMaxExp) { // the point among the digits
        MoveUp(buf + n + 1, buf + n, k - n);
        buf[n] = '.';
        return buf + k + 1;
    }
    if (kMinExp < n && n <= 0) { // "0.", zeros, the digits
        MoveUp(buf + 2 - n, buf, k);
        buf[0] = '0';
        buf[1] = '.';
        for (int i = 0; i < -n; ++i)
            buf[2 + i] = '0';
        return buf + 2 - n + k;
    }
    return dtoa::format_buffer(buf, length, exponent, kMinExp, kMaxExp); // exponent form
}

// The serializer's grisu2(value) with the digit generation above.
void Grisu2(char* buffer, int& length, int& exponent, double value) {
    const dtoa::boundaries b = dtoa::compute_boundaries(value);
    const dtoa::cached_power cached = dtoa::get_cached_power_for_binary_exponent(b.plus.e);
    const dtoa::diyfp c(cached.f, cached.e);
    const dtoa::diyfp w = dtoa::diyfp::mul(b.w, c);
    const dtoa::diyfp wMinus = dtoa::diyfp::mul(b.minus, c);
    const dtoa::diyfp wPlus = dtoa::diyfp::mul(b.plus, c);
    exponent = -cached.k;
    DigitGen(buffer, length, exponent, dtoa::diyfp(wMinus.f + 1, wMinus.e), w,
             dtoa::diyfp(wPlus.f - 1, wPlus.e));
}
} // namespace

char* WriteJsonNumber(char* first, char* /*last*/, double value) {
    if (std::signbit(value)) {
        value = -value;
        *first++ = '-';
    }
    if (value == 0) {
        *first++ = '0';
        *first++ = '.';
        *first++ = '0';
        return first;
    }
    int length = 0, exponent = 0;
    Grisu2(first, length, exponent, value);
    return FormatBuffer(first, length, exponent);
}

} // namespace traverse
