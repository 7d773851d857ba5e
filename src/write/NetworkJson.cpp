#include "write/NetworkJson.h"

#include "assess/Distributions.h"
#include "model/AngleConversions.h"
#include "network/DuplicateObservations.h"
#include "network/LineClosures.h"
#include "write/NetworkText.h"

#include <nlohmann/json.hpp>

#include <cmath>

namespace traverse {

namespace {
using Json = nlohmann::ordered_json;

Json Optional(const std::optional<double>& v) { return v ? Json(*v) : Json(); }

Json At(size_t index, const std::vector<double>& values) {
    return index < values.size() ? Json(values[index]) : Json();
}

Json Input(const NetworkObservations& n) {
    Json known = Json::array(), junctions = Json::array();
    for (size_t p = 0; p < n.points.size(); ++p) {
        const NetworkPoint& point = n.points[p];
        if (!point.known) continue;
        known.push_back({{"name", PointNameText(n, static_cast<int>(p))},
                         {"x", point.known->dX},
                         {"y", point.known->dY},
                         {"h", Optional(point.knownHeight)}});
    }
    for (const int j : n.junctions)
        junctions.push_back(PointNameText(n, j));
    return {
        {"type", "network"}, {"files", n.files}, {"known_points", known}, {"junctions", junctions}};
}

Json Lines(const NetworkObservations& n, const NetworkAdjustment& a, const Grade& grade) {
    const std::vector<LineClosure> closures =
        LineClosures(n, a.points.size() == n.points.size() ? a.points : a.approximate);
    Json lines = Json::array();
    for (size_t i = 0; i < closures.size(); ++i) {
        const ClosureStatistics& c = closures[i].closure;
        const GradeChecks checks = CheckLine(closures[i], grade);
        Json points = Json::array();
        for (const int p : n.lines[i].points)
            points.push_back(PointNameText(n, p));
        lines.push_back(
            {{"file", n.lines[i].file},
             {"points", points},
             {"angle_count", c.angleCount},
             {"azimuth_closure_seconds", c.azimuthCondition ? Json(c.azimuthClosure) : Json()},
             {"fx_mm", c.fx},
             {"fy_mm", c.fy},
             {"fd_mm", c.fd},
             {"length_m", c.length},
             {"relative_closure_k", c.k ? Json(*c.k) : Json()},
             {"ends_at_junction", closures[i].endsAtJunction},
             {"azimuth_limit_seconds",
              checks.azimuth.applies ? Json(checks.azimuth.limit) : Json()},
             {"length_limit_m", checks.length.applies ? Json(checks.length.limit) : Json()},
             {"pass", checks.Pass()}});
    }
    return lines;
}

Json Points(const NetworkObservations& n, const NetworkAdjustment& a) {
    Json points = Json::array();
    for (size_t p = 0; p < n.points.size() && p < a.points.size(); ++p) {
        const bool known = n.points[p].known.has_value();
        Json j = {{"name", PointNameText(n, static_cast<int>(p))},
                  {"x", a.points[p].dX},
                  {"y", a.points[p].dY},
                  {"known", known}};
        if (!known && p < a.precision.size()) {
            const PointPrecision& e = a.precision[p];
            j.update({{"m_mm", e.m},
                      {"mx_mm", e.mx},
                      {"my_mm", e.my},
                      {"a_mm", e.ellipse.dA},
                      {"b_mm", e.ellipse.dB},
                      {"f_degrees", DmsToSeconds(e.ellipse.F) / 3600.0}});
        }
        if (a.heights && p < a.heights->heights.size() && std::isfinite(a.heights->heights[p]))
            j["h"] = a.heights->heights[p];
        points.push_back(j);
    }
    return points;
}

Json AnglesAndSides(const NetworkObservations& n, const NetworkAdjustment& a) {
    Json angles = Json::array(), sides = Json::array();
    for (size_t i = 0; i < n.angles.size(); ++i) {
        const NetworkAngle& o = n.angles[i];
        angles.push_back({{"station", PointNameText(n, o.station)},
                          {"backsight", PointNameText(n, o.backsight)},
                          {"foresight", PointNameText(n, o.foresight)},
                          {"seconds", o.seconds},
                          {"residual_seconds", At(i, a.angleResiduals)},
                          {"redundancy", At(i, a.angleRedundancy)},
                          {"file", o.source.file},
                          {"line", o.source.line}});
    }
    for (size_t i = 0; i < n.distances.size(); ++i) {
        const NetworkDistance& o = n.distances[i];
        sides.push_back({{"from", PointNameText(n, o.from)},
                         {"to", PointNameText(n, o.to)},
                         {"distance_m", o.metres},
                         {"residual_mm", At(i, a.distanceResiduals)},
                         {"redundancy", At(i, a.distanceRedundancy)},
                         {"file", o.source.file},
                         {"line", o.source.line}});
    }
    return {{"angles", angles}, {"sides", sides}};
}

Json Duplicates(const NetworkObservations& n, const NetworkAdjustment& a) {
    Json out = Json::array();
    for (const DuplicateObservation& d : DuplicateObservations(n, a.instrument))
        out.push_back({{"kind", d.side ? "side" : "angle"},
                       {"first", d.first},
                       {"second", d.second},
                       {"difference", d.difference},
                       {"standard_error", d.standardError},
                       {"flagged", d.flagged}});
    return out;
}

Json Weights(const std::optional<InstrumentPrecision>& p) {
    if (!p) return {{"kind", "classic"}};
    return {{"kind", "instrument"},
            {"angle_seconds", p->angleSeconds},
            {"distance_mm", p->distanceMm},
            {"distance_ppm", p->distancePpm}};
}

Json Tests(const NetworkObservations& n, const NetworkAdjustment& a) {
    const ObservationNamer name = NetworkObservationNamer(n);
    Json global = nullptr;
    if (const auto& g = a.tests.global)
        global = {{"sigma0", g->sigma0},         {"chi2", g->chi2},
                  {"lower", g->lower},           {"upper", g->upper},
                  {"redundancy", g->redundancy}, {"pass", g->pass}};
    Json observations = Json::array();
    for (const size_t i : a.tests.ranking) {
        const ObservationTest& t = a.tests.observations[i];
        observations.push_back({{"kind", t.kind == ObservationKind::kAngle ? "angle" : "side"},
                                {"index", t.record},
                                {"name", name(t)},
                                {"residual", t.residual},
                                {"redundancy", t.redundancy},
                                {"w", Optional(t.w)},
                                {"estimate", Optional(t.estimate)},
                                {"mdb", Optional(t.mdb)},
                                {"flagged", t.flagged}});
    }
    return {{"global", global}, {"observations", observations}};
}

Json Heights(const NetworkHeights& h) {
    return {{"error_per_km_mm", h.errorPerKm},
            {"redundancy", h.redundancy},
            {"corrections_mm", h.corrections}};
}
} // namespace

std::string BuildNetworkJson(const NetworkObservations& n, const NetworkAdjustment& a,
                             const Grade& grade) {
    Json doc = {{"format", kNetworkJsonFormat},
                {"input", Input(n)},
                {"lines", Lines(n, a, grade)},
                {"pass", NetworkPasses(n, a, grade)},
                {"sigma0", a.sigma0},
                {"redundancy", a.redundancy},
                {"rounds", a.rounds}};
    doc["points"] = Points(n, a);
    doc.update(AnglesAndSides(n, a));
    doc["duplicates"] = Duplicates(n, a);
    doc["weights"] = Weights(a.instrument);
    doc["ellipse_level"] = "1sigma";
    doc["ellipse_95_scale"] = ConfidenceEllipseScale(a.redundancy);
    doc["tests"] = Tests(n, a);
    if (a.heights) doc["heights"] = Heights(*a.heights);
    return doc.dump(2, ' ', false, Json::error_handler_t::replace) + "\n";
}

} // namespace traverse
