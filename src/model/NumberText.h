// Locale-independent number text: the C locale's rules whatever the desktop's locale.
// Reading follows "%lf" of formatted input, decimal numbers only, with std::from_chars
// (the same double as strtod); writing reproduces "%.Nf" and "%-W.Nlf" with std::to_chars.
#pragma once

#include <cstddef>
#include <optional>
#include <string>
#include <string_view>

namespace traverse {

enum class ScanResult { Ok, NoNumber, NotFinite };

// Length of the longest decimal number at the start of text: optional sign, digits with
// an optional point (at least one digit), optional exponent; 0 when there is none.
// Hexadecimal numbers, "inf" and "nan" are not numbers: "0x1p4" is the number "0".
size_t DecimalNumberLength(std::string_view text);

// Reads a decimal number from text at pos as "%lf" would, white space skipped, but
// decimal only (DecimalNumberLength). On Ok and NotFinite (an overflow) pos moves past
// the number; on NoNumber it stays. A finite value is stored in value.
ScanResult ScanDouble(std::string_view text, size_t& pos, double& value);

// An edit's text as a number: surrounding white space allowed, nothing else; finite only.
std::optional<double> ParseNumberText(std::string_view text);

// Shortest text that reads back to the same double, in fixed notation ("120.345", "0").
std::string FormatShortest(double value);

// "%.<precision>f".
std::string FormatFixed(double value, int precision);

// "%.1f", never "-0.0"; and the same with a sign: "+3.2", "-0.4", "0.0".
std::string FormatTenth(double value);
std::string FormatSignedTenth(double value);

// "%-<width>.<precision>lf": fixed, left-aligned, padded with spaces to width.
std::string FormatLeft(double value, int width, int precision);

} // namespace traverse
