// Gathering the results: names as the report gives them, precision entry i for the
// point at the end of side i, corrections from the residuals of the last round.
#include "write/TraverseResults.h"

#include "reduce/AngleConversions.h"
#include "resources/CodePage936.h"
#include "workspace/TraverseAdjustDlg.h"

#include <algorithm>
#include <cmath>

namespace {
std::string Name(const char (&field)[kNameFieldSize]) { return Cp936ToUtf8(NameOf(field)); }

bool EndsAtForesight(int type) { return type == kNonOriented || type == kSingleConnection; }

// Name of adjusted point i of count: stations, and for the two annexed-at-the-end types
// the last point named after the last foresight.
std::string PointName(const CTraverseAdjustDlg& ws, int i, int count) {
    const auto& obs = ws.m_arrObservations;
    if (EndsAtForesight(ws.m_nTraverseType) && i == count - 1)
        return obs.IsEmpty() ? std::string() : Name(obs[obs.GetSize() - 1].szForesight);
    return i < obs.GetSize() ? Name(obs[i].szStation) : std::string();
}

void CollectPoints(const CTraverseAdjustDlg& ws, TraverseResults& r) {
    const int count = ws.m_arrAdjCoords.GetSize();
    // A closed loop returns to its start: the last point is the first again.
    const int rows = ws.m_nTraverseType == kClosed && count > 1 ? count - 1 : count;
    const int entries = std::min({ws.m_arrM.GetSize(), ws.m_arrMx.GetSize(), ws.m_arrMy.GetSize(),
                                  ws.m_arrEllipseA.GetSize(), ws.m_arrEllipseB.GetSize(),
                                  ws.m_arrEllipseF.GetSize()});
    for (int i = 0; i < rows; ++i) {
        ResultPoint p;
        p.name = PointName(ws, i, count);
        p.xy = ws.m_arrAdjCoords[i];
        p.known = i == 0 || i == count - 1 || i - 1 >= entries;
        if (!p.known) {
            const int e = i - 1;
            p.m = ws.m_arrM[e], p.mx = ws.m_arrMx[e], p.my = ws.m_arrMy[e];
            p.a = ws.m_arrEllipseA[e], p.b = ws.m_arrEllipseB[e];
            p.f = FoldedDegrees(ws.m_arrEllipseF[e]);
        }
        r.points.push_back(p);
    }
}

// Angle-type columns first, then the sides; a non-oriented traverse's column 0 is its
// orientation, not record 0's angle.
void CollectObservations(const CTraverseAdjustDlg& ws, TraverseResults& r) {
    const auto& obs = ws.m_arrObservations;
    const int sides = ws.m_arrAdjSides.GetSize();
    const int angleColumns = ws.m_nObsCount - sides;
    auto v = [&](int k) { return k < static_cast<int>(ws.m_dV.size()) ? ws.m_dV[k] : 0.0; };
    r.freeOrientation = ws.m_nParameterCount == 1;
    if (r.freeOrientation) r.orientationCorrection = v(0);
    for (int k = r.freeOrientation ? 1 : 0; k < angleColumns && k < obs.GetSize(); ++k)
        r.angles.push_back({Name(obs[k].szStation), obs[k].dHorizontalAngle, v(k)});
    for (int j = 0; j < sides && j < obs.GetSize(); ++j) {
        const double azimuth =
            j < ws.m_arrAdjAzimuths.GetSize() ? FoldedDegrees(ws.m_arrAdjAzimuths[j]) : 0.0;
        r.sides.push_back({Name(obs[j].szStation), Name(obs[j].szForesight), obs[j].dDistance,
                           v(angleColumns + j), ws.m_arrAdjSides[j], azimuth});
    }
    for (const ObservationRecord& o : obs)
        r.observations.push_back({Name(o.szStation), Name(o.szForesight), Name(o.szBacksight),
                                  o.dDistance, o.dHorizontalAngle, o.dVerticalAngle,
                                  o.dInstrumentHeight, o.dTargetHeight});
}

// The known points the type uses, named as the traverse names them.
void CollectKnownPoints(const CTraverseAdjustDlg& ws, TraverseResults& r) {
    const auto& obs = ws.m_arrObservations;
    if (obs.IsEmpty() || r.points.empty()) return;
    const int type = ws.m_nTraverseType;
    r.knownPoints.push_back({"start1", r.points.front().name, {ws.m_dInitX1, ws.m_dInitY1}});
    if (type != kNonOriented)
        r.knownPoints.push_back({"start2", Name(obs[0].szBacksight), {ws.m_dInitX2, ws.m_dInitY2}});
    if (type != kClosed)
        r.knownPoints.push_back({"end1", r.points.back().name, {ws.m_dGoalX1, ws.m_dGoalY1}});
    if (type == kDoubleConnection)
        r.knownPoints.push_back(
            {"end2", Name(obs[obs.GetSize() - 1].szForesight), {ws.m_dGoalX2, ws.m_dGoalY2}});
}

void CollectClosure(const CTraverseAdjustDlg& ws, TraverseResults& r) {
    ClosureStatistics& c = r.closure;
    const int n = ws.m_arrObservations.GetSize();
    const int type = ws.m_nTraverseType;
    c.azimuthCondition = type == kClosed || type == kDoubleConnection;
    // A closed loop's connection angle and a non-oriented traverse's first angle are
    // not in the conditions.
    c.angleCount = type == kClosed || type == kNonOriented ? n - 1 : n;
    if (c.azimuthCondition) c.azimuthClosure = DmsToSeconds(UnpackDms(ws.m_dAzimuthClosure));
    c.fx = ws.m_dWx;
    c.fy = ws.m_dWy;
    c.fd = std::hypot(c.fx, c.fy);
    for (const ResultSide& s : r.sides)
        c.length += s.observed;
    const double ratio = c.length / (c.fd * 0.001);
    if (c.fd > 0.0 && ratio < 9e15) c.k = static_cast<long long>(std::floor(ratio));
    c.sigma0 = ws.m_dSigma0;
    c.redundancy = ws.m_nConditionCount - ws.m_nParameterCount;
    for (int i = 0; i < static_cast<int>(r.points.size()); ++i)
        if (!r.points[i].known && (c.weakest < 0 || r.points[i].m > r.points[c.weakest].m))
            c.weakest = i;
}
} // namespace

double FoldedDegrees(const AngleDMS& angle) {
    double d = std::fmod(DmsToSeconds(angle) / 3600.0, 360.0);
    if (d < 0.0) d += 360.0;
    return d >= 360.0 ? 0.0 : d;
}

TraverseResults CollectResults(const CTraverseAdjustDlg& ws) {
    TraverseResults r;
    r.traverseType = ws.m_nTraverseType;
    if (ws.m_nState != kAdjusted) return r;
    CollectPoints(ws, r);
    CollectObservations(ws, r);
    CollectKnownPoints(ws, r);
    CollectClosure(ws, r);
    return r;
}
