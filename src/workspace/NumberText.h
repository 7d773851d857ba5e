// Locale-independent number text: the C locale's rules whatever the desktop's locale.
// Reading follows "%lf" of formatted input; writing reproduces "%.Nf" and "%-W.Nlf".
#pragma once

#include <cstddef>
#include <optional>
#include <string>
#include <string_view>

enum class ScanResult { Ok, NoNumber, NotFinite };

// Reads a number as "%lf" would from text at pos: white space skipped, optional sign,
// digits, decimal point, exponent (also "inf"/"nan"). On Ok and NotFinite pos moves
// past the number; on NoNumber it stays. A finite value is stored in value.
ScanResult ScanDouble(std::string_view text, size_t& pos, double& value);

// An edit's text as a number: surrounding white space allowed, nothing else; finite only.
std::optional<double> ParseNumberText(std::string_view text);

// Shortest text that reads back to the same double, in fixed notation ("120.345", "0").
std::string FormatShortest(double value);

// "%.<precision>f".
std::string FormatFixed(double value, int precision);

// "%-<width>.<precision>lf": fixed, left-aligned, padded with spaces to width.
std::string FormatLeft(double value, int width, int precision);
