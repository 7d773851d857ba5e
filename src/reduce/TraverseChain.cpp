#include "reduce/TraverseChain.h"

#include "reduce/AngleConversions.h"
#include "workspace/TraverseAdjustDlg.h"

#include <cmath>

void AppendCoordinateChain(const CGrowableArray<ObservationRecord>& obs,
                           const CGrowableArray<AngleDMS>& az, int azOffset, int sides,
                           PlanePoint start, CGrowableArray<PlanePoint>& out) {
    out.Add(start);
    PlanePoint p = start;
    for (int i = 0; i < sides; ++i) {
        double alpha = DmsToRadians(az[i + azOffset]);
        double d = obs[i].dDistance;
        p = PlanePoint{std::cos(alpha) * d + p.dX, std::sin(alpha) * d + p.dY};
        out.Add(p);
    }
}

double PackedAzimuthClosure(const AngleDMS& carried, const AngleDMS& reference) {
    constexpr double kHalfTurn = 648000.0; // 180 deg in seconds
    double d = DmsToSeconds(carried) - DmsToSeconds(reference);
    d = std::fmod(d, 2.0 * kHalfTurn);
    if (d > kHalfTurn) d -= 2.0 * kHalfTurn;
    if (d <= -kHalfTurn) d += 2.0 * kHalfTurn;
    double magnitude = std::fabs(d);
    int deg = static_cast<int>(magnitude / 3600.0);
    double rest = magnitude - deg * 3600.0;
    int min = static_cast<int>(rest / 60.0);
    double sec = rest - min * 60.0;
    if (sec < 0.0) sec = 0.0;
    double sign = d < 0.0 ? -1.0 : 1.0;
    return sign * PackDms(deg, min, sec);
}

void CarryAzimuths(CTraverseAdjustDlg& dlg, AngleDMS start, int firstRecord) {
    dlg.m_arrApproxAzimuths.Add(start);
    for (int i = firstRecord; i < dlg.m_arrObservations.GetSize(); ++i)
        dlg.PropagateAzimuth(start, dlg.m_arrObservations[i].dHorizontalAngle);
}

void SetCoordinateClosures(CTraverseAdjustDlg& dlg, double knownX, double knownY) {
    const PlanePoint& last = dlg.m_arrApproxCoords[dlg.m_arrApproxCoords.GetSize() - 1];
    dlg.m_dWx = (last.dX - knownX) * 1000.0;
    dlg.m_dWy = (last.dY - knownY) * 1000.0;
}
