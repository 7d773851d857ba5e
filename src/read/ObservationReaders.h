// The two observation file formats read from bytes already in memory: ".txt" station
// and data lines, ".con" six-line groups of two-face readings. Each gives the records
// in file order (slope distances as read) or a refusal that names the file, the line
// and the word; never both. The name (UTF-8) is the file's, for the messages.
#pragma once

#include "model/Refusal.h"
#include "model/Traverse.h"
#include "read/ImportText.h"

#include <optional>
#include <span>
#include <string>
#include <string_view>

namespace traverse {

// How far the two faces of a ".con" group may disagree by default, in arc seconds: the
// face-left and face-right horizontal angles, and twice the foresight's index error.
constexpr double kDefaultFaceTolerance = 60.0;
constexpr double kMostFaceTolerance = 3600.0;

// Whether a face tolerance can be used: above 0, at most kMostFaceTolerance seconds.
bool FaceToleranceInRange(double seconds);

// How observation files are read: the text's encoding and the face tolerance (seconds).
struct ReadOptions {
    TextEncoding encoding = TextEncoding::Automatic;
    double faceTolerance = kDefaultFaceTolerance;
};

struct ReadResult {
    Observations observations;
    std::optional<Refusal> refusal;
};

ReadResult ReadTxtObservations(std::string_view bytes, const std::string& name,
                               TextEncoding encoding = TextEncoding::Automatic);
// A ".con" group whose faces disagree by more than the tolerance is refused.
ReadResult ReadConObservations(std::string_view bytes, const std::string& name,
                               const ReadOptions& options = {});

} // namespace traverse
