// The closures of each line (导线节) of a network, as a traverse's: the angles and sides
// of the line carried from its start point to its end point, against the coordinates of
// its end points (adjusted, or approximate), in a ClosureStatistics per line. The start's
// direction is its backsight's, the end's its foresight's: fβ (seconds, carried minus
// known) only where both are known points (a closed loop's end closes on its first side);
// without a known direction at the start the first angle turns from the backsight as
// adjusted, and without an angle there the first side takes its adjusted azimuth. fx, fy
// (mm, carried minus given), fD, ΣD (m) and 1/K for every line; no σ0 or weakest point.
#pragma once

#include "assess/GradeLimits.h"
#include "network/Network.h"

#include <vector>

namespace traverse {

// Our reading of the standard: a line that ends at a junction point is held to 0.7 of
// the grade's length limit (the length between a known point and a junction, or between
// two junctions, is the shorter).
constexpr double kJunctionLengthFactor = 0.7;

struct LineClosure {
    ClosureStatistics closure;
    bool endsAtJunction = false; // either end
};

std::vector<LineClosure> LineClosures(const NetworkObservations& network,
                                      const std::vector<PlanePoint>& points);

// The grade's checks of one line: its length limit reduced where it ends at a junction.
GradeChecks CheckLine(const LineClosure& line, const Grade& grade);

} // namespace traverse
