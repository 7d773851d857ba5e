#include "model/NumberText.h"

#include "platform/CNumber.h"

#include <charconv>
#include <cmath>

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
    // Decimal only: the grammar decides where the number ends, strtod only its value.
    const size_t length = DecimalNumberLength(text.substr(p));
    if (length == 0) return ScanResult::NoNumber;
    const std::string token(text.substr(p, length));
    char* stop = nullptr;
    const double v = StrtodC(token.c_str(), &stop);
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
    char buf[400];
    auto r = std::to_chars(buf, buf + sizeof buf, value, std::chars_format::fixed, precision);
    if (r.ec != std::errc()) return std::isnan(value) ? "nan" : (value < 0 ? "-inf" : "inf");
    return std::string(buf, r.ptr);
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
