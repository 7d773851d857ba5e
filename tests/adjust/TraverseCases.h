// Traverses for the adjustment tests: observations derived from true points, loaded
// into a workspace with its known points, and a forward model of each traverse type
// that the tests differentiate numerically.
#pragma once

#include "assess/AdjustedTraverse.h"
#include "workspace/TraverseAdjustDlg.h"

#include <string>
#include <vector>

using namespace traverse;

struct Sighting {
    double packedAngle; // packed DMS
    double distance;    // m
};

struct TraverseCase {
    std::string name;
    int type;
    std::vector<PlanePoint> known; // start 1, start 2, end 1, end 2
    std::vector<Sighting> obs;
};

// Packed DMS of an angle in degrees, folded into [0, 360).
double PackDegrees(double degrees);

// Records along path[0..]: the angle at path[i] from the previous point (back for i = 0)
// to path[i + 1], the side to path[i + 1]; with a fore point one more record at the
// last point (angle to fore, distance 0). Angles get angleNoise[i % size] seconds and
// sides sideNoise[i % size] millimetres added.
std::vector<Sighting> ObservePath(const std::vector<PlanePoint>& path, PlanePoint back,
                                  const PlanePoint* fore, const std::vector<double>& angleNoise,
                                  const std::vector<double>& sideNoise);

// An irregular traverse of the given type with about `stations` stations and noise.
TraverseCase GeneratedCase(int type, int stations, double originX, double originY);

// Known points and records into the workspace fields (no window).
void LoadCase(CTraverseAdjustDlg& dlg, const TraverseCase& c);

// The records of a case (stations P0, P1, ..., horizontal distances) and its known points.
Observations RecordsOf(const TraverseCase& c);
KnownPlanePoints KnownOf(const TraverseCase& c);
// Every role given, as a caller of AdjustTraverse gives them.
KnownCoordinates GivenOf(const KnownPlanePoints& known);
// The case adjusted through the core from end to end.
std::variant<AdjustedTraverse, Refusal> AdjustCase(const TraverseCase& c);

// Forward model over the observation vector in column order (angle-type values in
// seconds, sides in millimetres): the closures (azimuth in seconds where there is
// one, then x and y in mm) followed by X and Y (mm) of every point.
struct ForwardModel {
    int type;
    std::vector<PlanePoint> known;
    int angles, sides;
    std::vector<double> Evaluate(const std::vector<double>& x) const;
};
// The model and the observation vector of a reduced case.
ForwardModel ModelOf(const TraverseCase& c, const Reduction& reduction, std::vector<double>& x);
