// Joining traverse files into one network (导线网): every set-up of every file gives
// its angle (backsight to foresight, clockwise, seconds) and its horizontal distance
// (station to foresight, reduced from the slope one); points with one name are one
// point across the files and the known points. Rules:
// - within one file a side is taken once, at its first measurement (a closed loop's
//   last set-up gives its angle, not the first side again);
// - a side between two known points, or an angle among three, is no observation;
// - a backsight that is neither known nor sighted from any set-up is a label: no angle;
// - the same angle or side from two files is kept twice (see DuplicateObservations.h);
// - junctions are unknown points used by more than one file or met by more than two
//   sides; each file's chain of stations is split into lines at known and junction points;
// - heights (trigonometric levelling, as reduce/HeightDifferences.h) for every side taken,
//   where a known point has a height, from each file that has zenith angles (a file whose
//   sights are all level gives none).
// Refusals name the file and the line.
#pragma once

#include "model/Traverse.h"
#include "network/Network.h"
#include "reduce/HeightDifferences.h"

#include <optional>
#include <span>
#include <string>
#include <variant>

namespace traverse {

// One observation file as read: slope distances, packed DMS angles.
struct NetworkFile {
    std::string name; // UTF-8, as the messages name it
    Observations records;
};

// A known point and where it was given ("control.dat 第3行", "--point"), for the
// message when one name is given twice differently.
struct NetworkKnownPoint {
    std::string name; // code page 936
    PlanePoint xy;
    std::optional<double> height; // m
    std::string place;            // UTF-8
};

std::variant<NetworkObservations, Refusal> JoinNetwork(std::span<const NetworkFile> files,
                                                       std::span<const NetworkKnownPoint> known,
                                                       double refraction = kDefaultRefraction);

} // namespace traverse
