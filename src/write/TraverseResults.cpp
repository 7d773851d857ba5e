// Gathering the results: names as the report gives them, precision entry i for the
// point at the end of side i, corrections from the residuals of the last round.
#include "write/TraverseResults.h"

#include "model/AngleConversions.h"
#include "resources/CodePage936.h"

#include <algorithm>
#include <cmath>

namespace traverse {

namespace {
std::string Name(const char (&field)[kNameFieldSize]) { return Cp936ToUtf8(NameOf(field)); }

// Each record's names in UTF-8, converted once: every table names the same points.
struct RecordNames {
    std::vector<std::string> station, foresight, backsight;
    explicit RecordNames(const Observations& obs) {
        station.reserve(obs.size());
        foresight.reserve(obs.size());
        backsight.reserve(obs.size());
        for (const ObservationRecord& o : obs) {
            station.push_back(Name(o.szStation));
            foresight.push_back(Name(o.szForesight));
            backsight.push_back(Name(o.szBacksight));
        }
    }
};

bool EndsAtForesight(int type) { return type == kNonOriented || type == kSingleConnection; }

// Name of adjusted point i of count: stations, and for the two annexed-at-the-end types
// the last point named after the last foresight.
std::string PointName(const AdjustedTraverse& t, const RecordNames& names, int i, int count) {
    if (EndsAtForesight(t.traverseType) && i == count - 1)
        return names.foresight.empty() ? std::string() : names.foresight.back();
    return i < static_cast<int>(names.station.size()) ? names.station[static_cast<size_t>(i)]
                                                      : std::string();
}

void CollectPoints(const AdjustedTraverse& t, const RecordNames& names, TraverseResults& r) {
    const std::vector<PlanePoint>& adjusted = t.adjustment.points;
    const int count = static_cast<int>(adjusted.size());
    // A closed loop returns to its start: the last point is the first again.
    const int rows = t.traverseType == kClosed && count > 1 ? count - 1 : count;
    const int entries = static_cast<int>(t.precision.points.size());
    r.points.reserve(static_cast<size_t>(std::max(rows, 0)));
    for (int i = 0; i < rows; ++i) {
        ResultPoint p;
        p.name = PointName(t, names, i, count);
        p.xy = adjusted[static_cast<size_t>(i)];
        p.known = i == 0 || i == count - 1 || i - 1 >= entries;
        if (!p.known) {
            const PointPrecision& e = t.precision.points[static_cast<size_t>(i - 1)];
            p.m = e.m, p.mx = e.mx, p.my = e.my;
            p.a = e.ellipse.dA, p.b = e.ellipse.dB;
            p.f = FoldedDegrees(e.ellipse.F);
        }
        r.points.push_back(p);
    }
}

// Angle-type columns first, then the sides; a non-oriented traverse's column 0 is its
// orientation, not record 0's angle.
void CollectObservations(const AdjustedTraverse& t, const RecordNames& names, TraverseResults& r) {
    const Observations& obs = t.observations;
    const Adjustment& a = t.adjustment;
    const int count = static_cast<int>(obs.size());
    const int sides = static_cast<int>(a.sides.size());
    const int angleColumns = static_cast<int>(a.residuals.size()) - sides;
    auto v = [&](int k) {
        return k >= 0 && k < static_cast<int>(a.residuals.size())
                   ? a.residuals[static_cast<size_t>(k)]
                   : 0.0;
    };
    r.angles.reserve(static_cast<size_t>(std::max(std::min(angleColumns, count), 0)));
    r.sides.reserve(static_cast<size_t>(std::max(std::min(sides, count), 0)));
    r.observations.reserve(obs.size());
    r.freeOrientation = a.parameters == 1;
    if (r.freeOrientation) r.orientationCorrection = v(0);
    for (int k = r.freeOrientation ? 1 : 0; k < angleColumns && k < count; ++k) {
        const ObservationRecord& o = obs[static_cast<size_t>(k)];
        r.angles.push_back({names.station[static_cast<size_t>(k)], o.dHorizontalAngle, v(k)});
    }
    for (int j = 0; j < sides && j < count; ++j) {
        const ObservationRecord& o = obs[static_cast<size_t>(j)];
        const double azimuth = j < static_cast<int>(a.azimuths.size())
                                   ? FoldedDegrees(a.azimuths[static_cast<size_t>(j)])
                                   : 0.0;
        r.sides.push_back({names.station[static_cast<size_t>(j)],
                           names.foresight[static_cast<size_t>(j)], o.dDistance,
                           v(angleColumns + j), a.sides[static_cast<size_t>(j)], azimuth});
    }
    for (size_t i = 0; i < obs.size(); ++i) {
        const ObservationRecord& o = obs[i];
        r.observations.push_back({names.station[i], names.foresight[i], names.backsight[i],
                                  o.dDistance, o.dHorizontalAngle, o.dVerticalAngle,
                                  o.dInstrumentHeight, o.dTargetHeight});
    }
}

// The known points the type uses, named as the traverse names them.
void CollectKnownPoints(const AdjustedTraverse& t, TraverseResults& r) {
    const Observations& obs = t.observations;
    if (obs.empty() || r.points.empty()) return;
    const int type = t.traverseType;
    r.knownPoints.push_back({"start1", r.points.front().name, t.known.start1});
    if (type != kNonOriented)
        r.knownPoints.push_back({"start2", Name(obs[0].szBacksight), t.known.start2});
    if (type != kClosed) r.knownPoints.push_back({"end1", r.points.back().name, t.known.end1});
    if (type == kDoubleConnection)
        r.knownPoints.push_back({"end2", Name(obs.back().szForesight), t.known.end2});
}

void CollectClosure(const AdjustedTraverse& t, TraverseResults& r) {
    ClosureStatistics& c = r.closure;
    const int n = static_cast<int>(t.observations.size());
    const int type = t.traverseType;
    c.azimuthCondition = type == kClosed || type == kDoubleConnection;
    // A closed loop's connection angle and a non-oriented traverse's first angle are
    // not in the conditions.
    c.angleCount = type == kClosed || type == kNonOriented ? n - 1 : n;
    if (c.azimuthCondition) c.azimuthClosure = DmsToSeconds(UnpackDms(t.reduction.azimuthClosure));
    c.fx = t.reduction.fx;
    c.fy = t.reduction.fy;
    c.fd = std::hypot(c.fx, c.fy);
    for (const ResultSide& s : r.sides)
        c.length += s.observed;
    c.sideCount = static_cast<int>(r.sides.size());
    const double ratio = c.length / (c.fd * 0.001);
    if (c.fd > 0.0 && ratio < 9e15) c.k = static_cast<long long>(std::floor(ratio));
    c.sigma0 = t.precision.sigma0;
    c.redundancy = t.precision.redundancy;
    for (int i = 0; i < static_cast<int>(r.points.size()); ++i)
        if (!r.points[i].known && (c.weakest < 0 || r.points[i].m > r.points[c.weakest].m))
            c.weakest = i;
}
// The heights by point (a closed loop's return not repeated) and by side.
void CollectHeights(const AdjustedTraverse& t, const RecordNames& names, TraverseResults& r) {
    if (!t.heights) return;
    ResultHeights& out = r.heights.emplace();
    out.refraction = t.refraction;
    if (const auto* refused = std::get_if<Refusal>(&*t.heights)) {
        out.refused = *refused;
        return;
    }
    const HeightAdjustment& h = std::get<HeightAdjustment>(*t.heights);
    const int count = static_cast<int>(h.heights.size());
    out.closure = h.closure;
    out.fh = h.fh;
    out.length = h.length;
    out.errorPerKm = h.errorPerKm;
    for (int i = 0; i < count && i < static_cast<int>(r.points.size()); ++i) {
        ResultPoint& p = r.points[static_cast<size_t>(i)];
        p.h = h.heights[static_cast<size_t>(i)];
        p.heightKnown = h.Known(i);
        if (h.closure && !p.heightKnown) p.mh = h.heightErrors[static_cast<size_t>(i)];
        if (p.mh && (out.weakest < 0 || *p.mh > *r.points[static_cast<size_t>(out.weakest)].mh))
            out.weakest = i;
        if (p.heightKnown && !h.closure) out.carriedFrom = p.name;
    }
    for (int k = 0; k < static_cast<int>(h.sides.size()); ++k) {
        const SideHeightDifference& s = h.sides[static_cast<size_t>(k)];
        const double correction = h.corrections[static_cast<size_t>(k)];
        out.sides.push_back({PointName(t, names, k, count), PointName(t, names, k + 1, count),
                             s.distance, s.forward, s.reverse, s.ReciprocalMm(), s.observed,
                             correction, s.observed + correction / 1000.0});
    }
}
} // namespace

double FoldedDegrees(const AngleDMS& angle) {
    double d = std::fmod(DmsToSeconds(angle) / 3600.0, 360.0);
    if (d < 0.0) d += 360.0;
    return d >= 360.0 ? 0.0 : d;
}

TraverseResults CollectResults(const AdjustedTraverse& t, ResultParts parts) {
    TraverseResults r;
    r.traverseType = t.traverseType;
    const RecordNames names(t.observations);
    CollectPoints(t, names, r);
    CollectObservations(t, names, r);
    CollectKnownPoints(t, r);
    CollectClosure(t, r);
    if (parts.sheet) r.sheet = BuildCalculationSheet(t);
    CollectHeights(t, names, r);
    r.instrument = t.instrument;
    r.tests = t.tests;
    return r;
}

} // namespace traverse
