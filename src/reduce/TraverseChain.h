// Pieces shared by the four traverse reductions: the azimuths carried over the angles,
// the coordinate chain along the sides and the packed azimuth closure.
#pragma once

#include "reduce/Reduction.h"

namespace traverse {

// Appends start and then, one each, the azimuths carried over the angles of records
// firstRecord .. n - 1.
void CarryAzimuths(Reduction& r, AngleDMS start, Observed observations, int firstRecord);

// Appends start and then, for i = 0 .. sides - 1, the point reached along side i of
// length observations[i].dDistance at azimuth azimuths[i + azOffset].
void AppendCoordinateChain(Reduction& r, Observed observations, int azOffset, int sides,
                           PlanePoint start);

// The coordinate closures (mm) of the last approximate point against the known point.
void SetCoordinateClosures(Reduction& r, const PlanePoint& known);

// Closure carried - reference as a packed DMS value: the difference in seconds reduced
// into (-180 deg, +180 deg], packed as whole degrees, whole minutes and seconds, each
// with the difference's sign. Under one minute the value is the closure in seconds.
double PackedAzimuthClosure(const AngleDMS& carried, const AngleDMS& reference);

} // namespace traverse
