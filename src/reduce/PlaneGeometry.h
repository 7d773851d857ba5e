// Plane directions: the azimuth of a directed line (from +X north towards +Y east,
// radians in [0, 2pi)) and the angle that turns one directed line onto another
// (decimal degrees in [0, 360)).
#pragma once

namespace traverse {

// Azimuth of the line (xFrom, yFrom) -> (xTo, yTo); 0 for a line of zero length.
double PlaneAzimuth(double xFrom, double yFrom, double xTo, double yTo);

// Angle in degrees, 0 <= r < 360, through which direction p1->p2 turns, in the sense
// of increasing azimuth, onto direction p3->p4. Each point is a pair (x, y).
double CalSectorsAngle2PI(const double* p1, const double* p2, const double* p3, const double* p4);

} // namespace traverse
