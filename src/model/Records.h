// Plain fixed-layout records of a traverse run: one observed station, one station
// line of a .txt file, a plane point (X north, Y east, metres) and an angle in
// degrees, minutes, seconds. Names are code page 936 bytes, at most 11, zero-terminated.
// A record value-initialised ({}) is a sight with both heights given and no reverse sight.
#pragma once

#include <cstring>
#include <string_view>

namespace traverse {

constexpr int kNameFieldSize = 12;
constexpr int kMaxNameBytes = kNameFieldSize - 1;

struct ObservationRecord {
    char szStation[kNameFieldSize];
    char szForesight[kNameFieldSize];
    char szBacksight[kNameFieldSize];
    double dDistance;         // slope distance as read; horizontal after import (m)
    double dHorizontalAngle;  // packed DMS
    double dVerticalAngle;    // packed DMS, 900000 = level sight
    double dInstrumentHeight; // m
    double dTargetHeight;     // m
    // For heights (trigonometric levelling) only:
    int nStationLine;         // file line of the instrument height; 0: not read from a file
    int nSightLine;           // file line of the sight and its target height; 0: likewise
    bool bNoInstrumentHeight; // the file left the instrument height out (read as 0)
    bool bNoTargetHeight;     // the file left the target height out (read as 0)
    double dBackZenith;       // packed DMS: the backsight's zenith angle from both faces
                              // (.con sets 1 and 4); 0: not observed
    double dBackTargetHeight; // m, the target height on the backsight, where observed
};

struct StationRecord {
    char szStation[kNameFieldSize];
    char szBacksight[kNameFieldSize];
    char szForesight[kNameFieldSize];
    double dInstrumentHeight;
    bool bNoInstrumentHeight; // the line left it out (read as 0)
};

struct PlanePoint {
    double dX; // north, m
    double dY; // east, m
};

struct AngleDMS {
    int nDeg;
    int nMin;
    double dSec;
};

// Copies a name into a 12-byte field. Returns false (and leaves the field empty)
// when the name does not fit; nothing is ever truncated.
inline bool SetName(char (&field)[kNameFieldSize], std::string_view name) {
    std::memset(field, 0, kNameFieldSize);
    if (name.size() > static_cast<size_t>(kMaxNameBytes)) return false;
    std::memcpy(field, name.data(), name.size());
    return true;
}

inline std::string_view NameOf(const char (&field)[kNameFieldSize]) {
    return std::string_view(field, strnlen(field, kNameFieldSize));
}

} // namespace traverse
