// The height difference of one sight of a network file (inside the library), as
// reduce/HeightDifferences.h computes a side's: h = S·cos Z + (1 − k)·D²/(2R) + i − v from
// the forward sight, averaged with the reverse sight of the set-up at the foresight that
// sighted back in both faces where there is one. Refused, naming the file and the line,
// for an instrument or target height left out or outside 0 to 10 m, and for a reverse
// zenith angle outside (0°, 180°).
#pragma once

#include "model/Records.h"
#include "model/Refusal.h"

#include <string>
#include <variant>

namespace traverse {

struct SightHeight {
    double metres = 0.0;   // from the station to the foresight
    double distance = 0.0; // D, horizontal, m
};

// asRead: the forward sight (slope distance); reverse: the set-up at its foresight that
// sighted back (dBackZenith given), or null.
std::variant<SightHeight, Refusal> SightHeightDifference(const ObservationRecord& asRead,
                                                         const ObservationRecord* reverse,
                                                         double refraction,
                                                         const std::string& file);

} // namespace traverse
