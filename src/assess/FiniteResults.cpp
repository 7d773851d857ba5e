// A result is shown or written only when every number of it is finite: an overflow
// (a side of 1e20, known points of 1e200) must be refused, never printed as "nan".
#include "adjust/Adjustment.h"
#include "workspace/TraverseAdjustDlg.h"

#include <cmath>

namespace {
bool AllFinite(const CGrowableArray<double>& a) {
    for (double v : a)
        if (!std::isfinite(v)) return false;
    return true;
}

bool AllFinite(const CGrowableArray<PlanePoint>& a) {
    for (const PlanePoint& p : a)
        if (!std::isfinite(p.dX) || !std::isfinite(p.dY)) return false;
    return true;
}

bool AllFinite(const CGrowableArray<AngleDMS>& a) {
    for (const AngleDMS& f : a)
        if (!std::isfinite(f.dSec)) return false;
    return true;
}
} // namespace

bool ReportValuesFinite(const CTraverseAdjustDlg& w) {
    return std::isfinite(w.m_dSigma0) && AllFinite(w.m_arrApproxCoords) &&
           AllFinite(w.m_arrAdjCoords) && AllFinite(w.m_arrAdjSides) && AllFinite(w.m_arrM) &&
           AllFinite(w.m_arrMx) && AllFinite(w.m_arrMy) && AllFinite(w.m_arrEllipseA) &&
           AllFinite(w.m_arrEllipseB) && AllFinite(w.m_arrEllipseF);
}
