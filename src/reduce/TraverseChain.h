// Pieces shared by the four traverse reductions: the coordinate chain along the sides
// and the packed azimuth closure.
#pragma once

#include "model/Records.h"
#include "workspace/GrowableArray.h"

class CTraverseAdjustDlg;

// Appends start to the approximate azimuths and carries it over the angles of records
// firstRecord .. n - 1, one azimuth each.
void CarryAzimuths(CTraverseAdjustDlg& dlg, AngleDMS start, int firstRecord);

// The coordinate closures (mm) of the last approximate point against the known point.
void SetCoordinateClosures(CTraverseAdjustDlg& dlg, double knownX, double knownY);

// Appends start and then, for i = 0 .. sides - 1, the point reached along side i of
// length obs[i].dDistance at azimuth az[i + azOffset].
void AppendCoordinateChain(const CGrowableArray<ObservationRecord>& obs,
                           const CGrowableArray<AngleDMS>& az, int azOffset, int sides,
                           PlanePoint start, CGrowableArray<PlanePoint>& out);

// Closure carried - reference as a packed DMS value: the difference in seconds reduced
// into (-180 deg, +180 deg], packed as whole degrees, whole minutes and seconds, each
// with the difference's sign. Under one minute the value is the closure in seconds.
double PackedAzimuthClosure(const AngleDMS& carried, const AngleDMS& reference);
