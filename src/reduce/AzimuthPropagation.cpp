// Azimuth propagation from station to station, the start and end azimuths from the
// known points, and the clearing of the result arrays that opens every reduction.
#include "reduce/AngleConversions.h"
#include "reduce/PlaneGeometry.h"
#include "workspace/TraverseAdjustDlg.h"

// Forward azimuth = back azimuth + angle - 180 deg; carries upwards only, the degrees
// folded once into 0..360 (exactly 360 stays).
void CTraverseAdjustDlg::PropagateAzimuth(AngleDMS& az, double packedAngle) {
    AngleDMS b = UnpackDms(packedAngle);
    // 64-bit working values: absurd input saturates instead of overflowing.
    const AngleDMS carried =
        CarryUpwards(static_cast<long long>(az.nDeg) + b.nDeg,
                     static_cast<long long>(az.nMin) + b.nMin, az.dSec + b.dSec);
    long long d = carried.nDeg;
    const int m = carried.nMin;
    const double s = carried.dSec;
    d -= 180;
    double f = (s * kOneSixtieth + static_cast<double>(m)) * kOneSixtieth;
    if (static_cast<double>(d) + f > 360.0) d -= 360;
    if (static_cast<double>(d) + f < 0.0) d += 360;
    az = AngleDMS{ClampToInt(d), m, s};
    m_arrApproxAzimuths.Add(az);
}

AngleDMS CTraverseAdjustDlg::GetStartAzimuth() const {
    return RadiansToDms(PlaneAzimuth(m_dInitX2, m_dInitY2, m_dInitX1, m_dInitY1));
}

AngleDMS CTraverseAdjustDlg::GetEndAzimuth() const {
    return RadiansToDms(PlaneAzimuth(m_dGoalX1, m_dGoalY1, m_dGoalX2, m_dGoalY2));
}

void CTraverseAdjustDlg::ClearResults() {
    m_arrAdjCoords.SetSize(0);
    m_arrApproxCoords.SetSize(0);
    m_arrApproxAzimuths.SetSize(0);
    m_arrAdjAzimuths.SetSize(0);
    m_arrEllipseF.SetSize(0);
    for (CGrowableArray<double>* a :
         {&m_arrAzimuthCorrections, &m_arrAdjSides, &m_arrMx, &m_arrMy, &m_arrM, &m_arrCoefXAngle,
          &m_arrCoefYAngle, &m_arrCoefXSide, &m_arrCoefYSide, &m_arrQxx, &m_arrQyy, &m_arrQxy,
          &m_arrEllipseA, &m_arrEllipseB})
        a->SetSize(0);
}
