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
    // Where heights were computed: the height (m), whether it was known, and its error
    // (mm, 1σ a posteriori) where a closure gives one.
    std::optional<double> h = std::nullopt, mh = std::nullopt;
    bool heightKnown = false;
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

// A side's height difference (m) as observed (the forward sight, or its mean with the
// reverse), its correction (mm) and as adjusted; the reciprocal difference h + h′ (mm)
// where the side was sighted both ways.
struct ResultHeightSide {
    std::string from, to;
    double distance = 0.0;                                                   // horizontal, m
    double forward = 0.0;                                                    // m
    std::optional<double> reverse = std::nullopt, reciprocal = std::nullopt; // m (forward way), mm
    double observed = 0.0, correction = 0.0, adjusted = 0.0;                 // m, mm, m
};

// The heights of a traverse given a known height: adjusted, or why not (refused).
// Closure and errors only where both ends are known or a loop closes (1σ, a posteriori).
struct ResultHeights {
    std::optional<Refusal> refused; // none when the heights were computed
    double refraction = 0.0;        // k
    bool closure = false;
    std::string carriedFrom; // the known point heights are carried from, without closure
    double fh = 0.0;         // mm, computed minus known
    double length = 0.0;     // ΣD, m
    double errorPerKm = 0.0; // μ, mm
    int weakest = -1;        // the point with the largest height error; -1: none
    std::vector<ResultHeightSide> sides;
    bool Computed() const { return !refused.has_value(); }
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
    std::optional<ResultHeights> heights; // none without a known height
    std::optional<InstrumentPrecision> instrument; // the weights' source; none: classic
    ObservationTests tests;                        // for blunders
};

// What of the results to gather: the calculation sheet is shown only by the sheet, the
// JSON and the HTML page, and left empty (no rows) without it.
struct ResultParts {
    bool sheet = true;
};

TraverseResults CollectResults(const AdjustedTraverse& traverse, ResultParts parts = {});

// Total seconds of an angle record as decimal degrees folded into [0, 360).
double FoldedDegrees(const AngleDMS& angle);

} // namespace traverse
