#include "write/NetworkResults.h"

#include "model/AngleConversions.h"
#include "read/ImportText.h"
#include "resources/CodePage936.h"

#include <algorithm>
#include <cmath>
#include <set>
#include <utility>

namespace traverse {

namespace {
ResultPoint PointOf(const NetworkObservations& n, const NetworkAdjustment& a, size_t p) {
    ResultPoint r;
    r.name = Cp936ToUtf8(n.points[p].name);
    r.known = n.points[p].known.has_value();
    r.xy = r.known ? *n.points[p].known : a.points[p];
    if (!r.known && p < a.precision.size()) {
        const PointPrecision& e = a.precision[p];
        r.m = e.m;
        r.mx = e.mx;
        r.my = e.my;
        r.a = e.ellipse.dA;
        r.b = e.ellipse.dB;
        r.f = DmsToSeconds(e.ellipse.F) / 3600.0;
    }
    return r;
}

bool EveryHeight(const NetworkObservations& n, const NetworkAdjustment& a) {
    return a.heights && a.heights->heights.size() == n.points.size() &&
           std::all_of(a.heights->heights.begin(), a.heights->heights.end(),
                       [](double h) { return std::isfinite(h); });
}
} // namespace

TraverseResults NetworkPointResults(const NetworkObservations& n, const NetworkAdjustment& a) {
    TraverseResults results;
    const bool heights = EveryHeight(n, a);
    if (heights) results.heights = ResultHeights{};
    for (size_t p = 0; p < n.points.size() && p < a.points.size(); ++p) {
        ResultPoint r = PointOf(n, a, p);
        if (heights) {
            r.h = a.heights->heights[p];
            r.heightKnown = n.points[p].knownHeight.has_value();
            if (!r.heightKnown && p < a.heights->errors.size()) r.mh = a.heights->errors[p];
        }
        results.points.push_back(std::move(r));
    }
    return results;
}

NetworkPlotShape NetworkShape(const NetworkObservations& n) {
    NetworkPlotShape shape;
    std::set<std::pair<int, int>> joined;
    for (const NetworkDistance& d : n.distances)
        if (joined.insert(std::minmax(d.from, d.to)).second) shape.sides.emplace_back(d.from, d.to);
    for (const NetworkAngle& a : n.angles)
        if (n.points[static_cast<size_t>(a.backsight)].known &&
            joined.insert(std::minmax(a.station, a.backsight)).second)
            shape.orientations.emplace_back(a.station, a.backsight);
    shape.junctions = n.junctions;
    return shape;
}

std::string NetworkPlotTitle(const NetworkObservations& n) {
    std::string files;
    for (const std::string& f : n.files)
        files += (files.empty() ? "" : "、") + DisplayName(f);
    return "导线网　" + files;
}

} // namespace traverse
