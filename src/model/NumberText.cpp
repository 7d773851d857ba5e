#include "model/NumberText.h"

#include "model/FixedDecimal.h"

#include <algorithm>
#include <charconv>
#include <cmath>
#include <cstdint>
#include <limits>

namespace traverse {

namespace {
bool IsSpace(char c) {
    return c == ' ' || c == '\t' || c == '\n' || c == '\r' || c == '\v' || c == '\f';
}

bool IsDigit(char c) { return c >= '0' && c <= '9'; }

size_t SkipDigits(std::string_view t, size_t p) {
    while (p < t.size() && IsDigit(t[p]))
        ++p;
    return p;
}

// Above 0 for a decimal number (no sign) of magnitude 1 or more, roughly its decimal order;
// tells an overflow from an underflow where from_chars says only "out of range".
long DecimalOrder(std::string_view t) {
    const size_t point = std::min(t.find_first_of(".eE"), t.size());
    const size_t mantissaEnd = std::min(t.find_first_of("eE"), t.size());
    const size_t first = t.find_first_not_of("0.");
    if (first >= mantissaEnd) return 0; // all zeros: never out of range
    long order = first < point ? static_cast<long>(point - first)
                               : -static_cast<long>(first - point - 1);
    if (mantissaEnd == t.size()) return order;
    size_t e = mantissaEnd + 1;
    const bool negative = t[e] == '-';
    if (t[e] == '-' || t[e] == '+') ++e;
    long exponent = 0;
    for (; e < t.size() && exponent < 100000; ++e)
        exponent = exponent * 10 + (t[e] - '0');
    return negative ? order - exponent : order + exponent;
}

// A number of at most 15 digits and no exponent, as survey files hold them, read in one
// pass: its length (0 for any other number, which DecimalNumberLength and DecimalValue
// read) and value. The digits as an integer (below 10^15, exact in a double) divided by
// 10 to the digits after the point (exact too): one correctly rounded division of two
// exact doubles is the correctly rounded value, strtod's.
size_t ShortDecimal(std::string_view t, double& value) {
    static constexpr double kTens[] = {1e0, 1e1, 1e2,  1e3,  1e4,  1e5,  1e6,  1e7,
                                       1e8, 1e9, 1e10, 1e11, 1e12, 1e13, 1e14, 1e15};
    std::uint64_t digits = 0;
    int count = 0, after = -1; // after: digits after the point, -1 before it
    size_t p = t[0] == '-' || t[0] == '+' ? 1 : 0;
    for (; p < t.size(); ++p) {
        if (IsDigit(t[p])) {
            if (++count > 15) return 0;
            digits = digits * 10 + static_cast<std::uint64_t>(t[p] - '0');
            after += after >= 0;
        } else if (t[p] == '.' && after < 0) {
            after = 0;
        } else {
            break;
        }
    }
    if (count == 0 || (p < t.size() && (t[p] == 'e' || t[p] == 'E'))) return 0;
    const double magnitude = static_cast<double>(digits) / kTens[after > 0 ? after : 0];
    value = t[0] == '-' ? -magnitude : magnitude;
    return p;
}

// The value of a number of DecimalNumberLength's grammar, exactly as strtod reads it in
// the C locale (correctly rounded): from_chars takes no '+' and says "out of range" for
// both an overflow (strtod's infinity) and an underflow (strtod's 0).
double DecimalValue(std::string_view t) {
    const bool negative = t[0] == '-';
    if (t[0] == '-' || t[0] == '+') t.remove_prefix(1);
    double v = 0.0;
    const auto r = std::from_chars(t.data(), t.data() + t.size(), v, std::chars_format::general);
    if (r.ec == std::errc::result_out_of_range)
        v = DecimalOrder(t) > 0 ? std::numeric_limits<double>::infinity() : 0.0;
    return negative ? -v : v;
}
} // namespace

size_t DecimalNumberLength(std::string_view t) {
    size_t p = 0;
    if (p < t.size() && (t[p] == '+' || t[p] == '-')) ++p;
    const size_t intStart = p;
    p = SkipDigits(t, p);
    bool digits = p > intStart;
    if (p < t.size() && t[p] == '.') {
        const size_t fraction = SkipDigits(t, p + 1);
        digits = digits || fraction > p + 1;
        p = fraction;
    }
    if (!digits) return 0;
    if (p < t.size() && (t[p] == 'e' || t[p] == 'E')) {
        size_t e = p + 1;
        if (e < t.size() && (t[e] == '+' || t[e] == '-')) ++e;
        const size_t end = SkipDigits(t, e);
        if (end > e) p = end; // an exponent without digits is not part of the number
    }
    return p;
}

ScanResult ScanDouble(std::string_view text, size_t& pos, double& value) {
    size_t p = pos;
    while (p < text.size() && IsSpace(text[p]))
        ++p;
    if (p >= text.size()) return ScanResult::NoNumber;
    double v = 0.0;
    size_t length = ShortDecimal(text.substr(p), v);
    if (length == 0) {
        // Decimal only: the grammar decides where the number ends, from_chars only its value.
        length = DecimalNumberLength(text.substr(p));
        if (length == 0) return ScanResult::NoNumber;
        v = DecimalValue(text.substr(p, length));
    }
    pos = p + length;
    if (!std::isfinite(v)) return ScanResult::NotFinite;
    value = v;
    return ScanResult::Ok;
}

std::optional<double> ParseNumberText(std::string_view text) {
    size_t pos = 0;
    double v = 0.0;
    if (ScanDouble(text, pos, v) != ScanResult::Ok) return std::nullopt;
    while (pos < text.size() && IsSpace(text[pos]))
        ++pos;
    if (pos != text.size()) return std::nullopt;
    return v;
}

std::string FormatShortest(double value) {
    char buf[400];
    auto r = std::to_chars(buf, buf + sizeof buf, value, std::chars_format::fixed);
    if (r.ec != std::errc() || r.ptr - buf > 40) {
        r = std::to_chars(buf, buf + sizeof buf, value);
    }
    return std::string(buf, r.ptr);
}

std::string FormatFixed(double value, int precision) {
    char buf[kMaxFixedChars];
    return std::string(buf, WriteFixed(buf, value, precision));
}

std::string FormatLeft(double value, int width, int precision) {
    std::string s = FormatFixed(value, precision);
    if (static_cast<int>(s.size()) < width) s.append(static_cast<size_t>(width) - s.size(), ' ');
    return s;
}

std::string FormatTenth(double value) {
    const std::string s = FormatFixed(value, 1);
    return s == "-0.0" ? "0.0" : s;
}

std::string FormatSignedTenth(double value) {
    const std::string s = FormatTenth(value);
    return s[0] == '-' || s == "0.0" ? s : "+" + s;
}

} // namespace traverse
