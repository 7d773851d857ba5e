#include "workspace/NumberText.h"

#include "platform/CNumber.h"

#include <charconv>
#include <cmath>

namespace {
bool IsSpace(char c) {
    return c == ' ' || c == '\t' || c == '\n' || c == '\r' || c == '\v' || c == '\f';
}
} // namespace

ScanResult ScanDouble(std::string_view text, size_t& pos, double& value) {
    size_t p = pos;
    while (p < text.size() && IsSpace(text[p]))
        ++p;
    if (p >= text.size()) return ScanResult::NoNumber;
    // strtod needs a terminated string; copy the longest candidate prefix.
    size_t end = p;
    while (end < text.size() && !IsSpace(text[end]) && text[end] != '\0')
        ++end;
    std::string token(text.substr(p, end - p));
    char* stop = nullptr;
    double v = StrtodC(token.c_str(), &stop);
    if (stop == token.c_str()) return ScanResult::NoNumber;
    pos = p + static_cast<size_t>(stop - token.c_str());
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
