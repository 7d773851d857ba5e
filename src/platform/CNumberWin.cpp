// std::from_chars reads no sign '+' and no "0x": both are taken off here first. Out of
// range, the decimal order of the digits tells an overflow (infinity) from an underflow.
#include "platform/CNumber.h"

#include <charconv>
#include <cmath>
#include <cstring>
#include <limits>

namespace traverse {

namespace {
bool IsDigit(char c) { return c >= '0' && c <= '9'; }
bool IsHexDigit(char c) { return IsDigit(c) || (c >= 'a' && c <= 'f') || (c >= 'A' && c <= 'F'); }

// Decimal order of magnitude of a finite decimal text, roughly: above 0 it is large.
long DecimalOrder(const char* first, const char* last) {
    long order = 0;
    bool seenDigit = false, point = false;
    const char* p = first;
    for (; p < last && (IsDigit(*p) || *p == '.'); ++p) {
        if (*p == '.') {
            point = true;
        } else if (*p != '0' || seenDigit) {
            if (!seenDigit && point) break;
            seenDigit = true;
            if (!point) ++order;
        } else if (point && !seenDigit) {
            --order;
        }
    }
    while (p < last && *p != 'e' && *p != 'E')
        ++p;
    if (p++ == last) return order;
    const bool negative = p < last && *p == '-';
    if (p < last && (*p == '-' || *p == '+')) ++p;
    long exponent = 0;
    for (; p < last && IsDigit(*p) && exponent < 100000; ++p)
        exponent = exponent * 10 + (*p - '0');
    return negative ? order - exponent : order + exponent;
}

double OutOfRange(const char* first, const char* last, bool hex, bool negative) {
    const bool large = hex ? std::memchr(first, '-', static_cast<size_t>(last - first)) == nullptr
                           : DecimalOrder(first, last) > 0;
    const double magnitude = large ? std::numeric_limits<double>::infinity() : 0.0;
    return negative ? -magnitude : magnitude;
}
} // namespace

double StrtodC(const char* text, char** end) {
    const char* p = text;
    const char* const stop = text + std::strlen(text);
    *end = const_cast<char*>(text);
    while (p < stop && (*p == ' ' || (*p >= '\t' && *p <= '\r')))
        ++p;
    bool negative = false;
    if (p < stop && (*p == '+' || *p == '-')) negative = *p++ == '-';
    const bool hex = stop - p > 2 && p[0] == '0' && (p[1] == 'x' || p[1] == 'X') &&
                     (IsHexDigit(p[2]) || (p[2] == '.' && IsHexDigit(p[3])));
    const char* digits = hex ? p + 2 : p;
    if (digits < stop && (*digits == '+' || *digits == '-')) return 0.0; // "+-1"
    double value = 0.0;
    const auto format = hex ? std::chars_format::hex : std::chars_format::general;
    const auto [last, ec] = std::from_chars(digits, stop, value, format);
    if (last == digits) return 0.0;
    *end = const_cast<char*>(last);
    if (ec == std::errc::result_out_of_range) return OutOfRange(digits, last, hex, negative);
    return negative ? -value : value;
}

} // namespace traverse
