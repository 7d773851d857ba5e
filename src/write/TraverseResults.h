// The results of an adjusted traverse gathered for reading: the closure statistics,
// one row per traverse point, the sides and angles with their corrections and the
// input as used. Names UTF-8; metres, millimetres and arc seconds; X north.
// Points and names follow the report: a closed loop's return to its start is not
// repeated, the first and the last point are the known ones.
#pragma once

#include "assess/AdjustedTraverse.h"
#include "assess/ClosureStatistics.h"
#include "write/CalculationSheet.h"

#include <optional>
#include <string>
#include <vector>

namespace traverse {

struct ResultPoint {
    std::string name;
    PlanePoint xy{}; // adjusted, m
    bool known = false;
    // A new point's precision, mm, and the azimuth of its ellipse's semi-major axis in
    // degrees [0, 360). Zero for a known point.
    double m = 0.0, mx = 0.0, my = 0.0, a = 0.0, b = 0.0, f = 0.0;
};

struct ResultSide {
    std::string from, to;
    double observed = 0.0;   // horizontal, m
    double correction = 0.0; // mm
    double adjusted = 0.0;   // m
    double azimuth = 0.0;    // adjusted, degrees [0, 360)
};

struct ResultAngle {
    std::string station;
    double observed = 0.0;   // packed DMS as read
    double correction = 0.0; // seconds
};

// A known point as typed, with its role ("start1", "start2", "end1", "end2").
struct KnownPointEcho {
    const char* role;
    std::string name;
    PlanePoint xy;
};

struct ObservationEcho {
    std::string station, foresight, backsight;
    double distance;                       // horizontal, m
    double horizontalAngle;                // packed DMS
    double verticalAngle;                  // packed DMS, zenith
    double instrumentHeight, targetHeight; // m
};

struct TraverseResults {
    int traverseType = 0;
    std::vector<KnownPointEcho> knownPoints;
    std::vector<ObservationEcho> observations;
    ClosureStatistics closure;
    std::vector<ResultPoint> points;
    std::vector<ResultSide> sides;
    std::vector<ResultAngle> angles;
    bool freeOrientation = false;
    double orientationCorrection = 0.0; // seconds, the free orientation's adjustment
    CalculationSheet sheet;
};

TraverseResults CollectResults(const AdjustedTraverse& traverse);

// Total seconds of an angle record as decimal degrees folded into [0, 360).
double FoldedDegrees(const AngleDMS& angle);

} // namespace traverse
