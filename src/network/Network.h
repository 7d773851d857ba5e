// A traverse network (导线网): several traverses joined at their common points, as one
// value, and its least-squares adjustment as another. Points are indices into
// NetworkObservations::points; metres, X north, Y east; angles clockwise from the
// backsight to the foresight in arc seconds; residuals in ″ and mm.
#pragma once

#include "adjust/Adjustment.h"
#include "assess/ObservationTests.h"
#include "assess/Precision.h"
#include "model/Refusal.h"

#include <optional>
#include <string>
#include <variant>
#include <vector>

namespace traverse {

// Where an observation was read: the file (index into NetworkObservations::files) and
// its line (1-based; 0 where no file gave it).
struct SourceLine {
    int file = -1;
    int line = 0;
};

struct NetworkPoint {
    std::string name;                           // code page 936 bytes, as the files write it
    std::optional<PlanePoint> known;            // fixed where known
    std::optional<double> knownHeight;          // m, where known
    std::vector<SourceLine> seen;               // every place a file names it as a station or a sight
};

// The clockwise angle at a station from its backsight to its foresight.
struct NetworkAngle {
    int station = -1, backsight = -1, foresight = -1;
    double seconds = 0.0; // [0, 1 296 000)
    SourceLine source;
};

// A horizontal distance (reduced from the slope one) from a station to its foresight.
struct NetworkDistance {
    int from = -1, to = -1;
    double metres = 0.0;
    SourceLine source;
};

// A height difference from a station to its foresight (trigonometric levelling), m,
// over the horizontal distance D (m); weight 1/D.
struct NetworkHeightDifference {
    int from = -1, to = -1;
    double metres = 0.0;
    double distance = 0.0;
    SourceLine source;
};

// A line (导线节) of the network: the stations of one file between two points that are
// known or junctions, in the order the file runs, with the observations along it.
struct NetworkLine {
    int file = -1;
    std::vector<int> points;    // first and last: known or junction points
    std::vector<int> angles;    // indices into NetworkObservations::angles
    std::vector<int> distances; // indices into NetworkObservations::distances
};

struct NetworkObservations {
    std::vector<std::string> files;  // as given (UTF-8), for the messages
    std::vector<NetworkPoint> points;
    std::vector<NetworkAngle> angles;
    std::vector<NetworkDistance> distances;
    std::vector<NetworkHeightDifference> heights;
    std::vector<int> junctions;      // unknown points where traverses meet
    std::vector<NetworkLine> lines;
};

struct NetworkOptions {
    std::optional<InstrumentPrecision> instrument; // none: the classic cofactors
};

// The heights of a network with at least one known height: adjusted by least squares
// with weights 1/D (km), per point (NaN where no height reaches it).
struct NetworkHeights {
    std::vector<double> heights;      // m
    std::vector<double> errors;       // mm, 1σ a posteriori; 0 for a known height
    std::vector<double> corrections;  // mm, per height difference
    double errorPerKm = 0.0;          // μ, mm
    int redundancy = 0;
};

struct NetworkAdjustment {
    std::vector<PlanePoint> approximate; // per point, as carried along the traverses
    std::vector<PlanePoint> points;      // adjusted; a known point as given
    std::vector<PointPrecision> precision; // per point; zero for a known point
    std::vector<double> angleResiduals;    // ″, per angle
    std::vector<double> distanceResiduals; // mm, per distance
    std::vector<double> angleCofactors, distanceCofactors; // q, ″² and mm²
    std::vector<double> angleRedundancy, distanceRedundancy; // r_i = (Qvv P)_ii
    double sigma0 = 0.0;                   // ″ with the classic cofactors, else no unit
    int redundancy = 0;                    // observations less unknowns
    int rounds = 0;
    std::optional<InstrumentPrecision> instrument;
    ObservationTests tests;                // angles by index, then distances
    std::optional<NetworkHeights> heights; // where a height is known
};

} // namespace traverse
