// A file of known points, looked up by name: the ".dat" layout "NAME,CODE,Y,X[,H]"
// (east before north, as instruments and mapping programs write it) or the ".csv"
// coordinate table this program writes ("点名,X北(m),Y东(m),…" under its header row, or
// "点名,X(m),Y(m),…" as earlier versions headed it). GBK or UTF-8, decided as for
// observation files. Names are code page 936 bytes; metres, X north, Y east. Read in one
// pass with the names hashed: linear in the file's length.
#pragma once

#include "model/Records.h"
#include "read/ImportText.h"

#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace traverse {

enum class KnownPointFormat { Dat, Csv };

// The largest known-point file read, in bytes (about a million points).
constexpr size_t kMaxKnownPointFileBytes = size_t{64} << 20;

struct KnownPointEntry {
    std::string name; // code page 936
    PlanePoint xy;
    int line; // 1-based
    // A ".dat" line's height (m); none where the field is empty or absent, and none in a
    // file whose heights are all 0 (earlier versions wrote 0.000 for every point).
    std::optional<double> height;
};

// The format a file name asks for by its extension (".dat", ".csv", any case).
std::optional<KnownPointFormat> KnownPointFormatOf(std::string_view path);

// The points of the file in points, in file order; a fault naming the file and the line
// for a line that is not a point (too few fields, a ".dat" line with more than five,
// no name, a coordinate or a height that is not a decimal number), for one name given two
// different coordinates or heights (naming both lines), for a file without points and for a file
// over kMaxKnownPointFileBytes.
std::optional<Refusal> ReadKnownPoints(std::string_view bytes, const std::string& fileName,
                                       KnownPointFormat format,
                                       std::vector<KnownPointEntry>& points);

// The known-point file at path read as ReadKnownPoints reads it, in the format its
// extension names; refused, naming the file by its DisplayName, for another extension
// and for a file that cannot be opened, is no regular file or is too large.
std::optional<Refusal> ReadKnownPointFile(const std::string& path,
                                          std::vector<KnownPointEntry>& points);

// The entry of a name, or none.
const KnownPointEntry* FindKnownPoint(const std::vector<KnownPointEntry>& points,
                                      std::string_view name);

} // namespace traverse
