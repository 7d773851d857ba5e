// A long traverse of LongTraverse.h as the text of a .txt observation file, and the batch
// tool's arguments for its known points. Stations are P0, P1, ...; the known backsight
// B0, the known foresight F0. Sights are within a few seconds of level (zenith angles,
// for the heights), the slope distance the side, heights 1.500 m; lines end in CR LF.
// Numbers are written with std::to_chars, independent of the program's own formatting.
#pragma once

#include "LongTraverse.h"

#include <charconv>
#include <cmath>
#include <string>

namespace bench {

inline std::string Fixed(double value, int precision) {
    char buf[64];
    const auto r = std::to_chars(buf, buf + sizeof buf, value, std::chars_format::fixed, precision);
    return std::string(buf, r.ptr);
}

inline std::string Point(const std::optional<PlanePoint>& p) {
    return Fixed(p->dX, 4) + "," + Fixed(p->dY, 4);
}

// The name of station i: a closed loop's last station is its first again.
inline std::string Name(int type, size_t i, size_t stations) {
    return "P" + std::to_string(type == kClosed && i + 1 == stations ? 0 : i);
}

// Packed zenith angle of a side of `distance` metres: above level by the earth's
// curvature less refraction (k 0.13), so that the heights close, and a few seconds of
// noise that cancel in pairs of stations.
inline std::string Zenith(size_t i, double distance) {
    const int noise = static_cast<int>(i / 2 * 7919 % 11) - 5;
    const double curvature = 0.87 * distance / (2.0 * 6371000.0) * 180.0 / kPi * 3600.0;
    const long long centi = std::llround((324000.0 + curvature + (i % 2 ? noise : -noise)) * 100);
    const long long degrees = centi / 360000, minutes = centi / 6000 % 60;
    return Fixed(static_cast<double>(degrees * 10000 + minutes * 100) +
                     static_cast<double>(centi % 6000) / 100.0,
                 2);
}

inline std::string FileText(const BenchTraverse& t) {
    const size_t n = t.records.size();
    std::string out;
    for (size_t i = 0; i < n; ++i) {
        const ObservationRecord& r = t.records[i];
        const std::string back = i > 0 ? Name(t.type, i - 1, n) : t.type == kNonOriented ? "-" : "B0";
        const std::string fore = i + 1 < n                ? Name(t.type, i + 1, n)
                                 : t.type == kClosed      ? "P1"
                                 : t.type == kDoubleConnection ? "F0"
                                                               : Name(t.type, n, n);
        const double angle = i == 0 && t.type == kNonOriented ? 0.0 : r.dHorizontalAngle;
        out += "*" + Name(t.type, i, n) + " " + back + " 1.500\r\n";
        out += fore + " " + Fixed(r.dDistance, 4) + " " + Fixed(angle, 2) + " " + Zenith(i, r.dDistance) +
               " 1.500\r\n";
        if (i + 1 == n) out += "*" + fore + " " + Name(t.type, i, n) + " 1.500\r\n";
    }
    return out;
}

// The known points each type takes: start1 and end1 (non-oriented), with start2 (single),
// start1 and start2 (closed), all four (double).
inline std::string Arguments(const BenchTraverse& t) {
    const auto& k = t.known;
    switch (t.type) {
    case kNonOriented: return "--type 0 --start1 " + Point(k.start1) + " --end1 " + Point(k.end1);
    case kSingleConnection:
        return "--type 1 --start1 " + Point(k.start1) + " --start2 " + Point(k.start2) + " --end1 " +
               Point(k.end1);
    case kClosed: return "--type 2 --start1 " + Point(k.start1) + " --start2 " + Point(k.start2);
    default:
        return "--type 3 --start1 " + Point(k.start1) + " --start2 " + Point(k.start2) + " --end1 " +
               Point(k.end1) + " --end2 " + Point(k.end2);
    }
}

} // namespace bench
