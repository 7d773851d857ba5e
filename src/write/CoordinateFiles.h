// The coordinate table as files for other programs, one row per traverse point:
// CSV (UTF-8 with a byte-order mark, so spreadsheet programs show Chinese names) with
// X north and Y east in metres to 3 decimals (headed "X北(m)", "Y东(m)"), M, Mx, My, A, B
// in millimetres to 2, and F, the azimuth of the ellipse's major axis, twice: as
// degrees, minutes and seconds ("F") and as decimal degrees in [0, 360) ("F(°)"); DAT
// ("点名,编码,东坐标,北坐标,高程", code page 936) with the height 0. Both with CR LF line ends.
#pragma once

#include "write/TraverseResults.h"

#include <optional>
#include <string>
#include <string_view>

namespace traverse {

enum class CoordinateFormat { Csv, Dat };

// A CSV text field, quoted when it holds a comma, a quote or a line end; text that a
// spreadsheet would take for a formula (=, +, -, @ first) gets a leading apostrophe.
std::string CsvField(const std::string& text);

std::string CoordinatesCsv(const TraverseResults& results);
std::string CoordinatesDat(const TraverseResults& results);

// The format a file name asks for by its extension (.csv or .dat, any case); no value
// for any other.
std::optional<CoordinateFormat> CoordinateFormatOf(std::string_view path);

} // namespace traverse
