#include "write/ResultsJson.h"

#include "model/AngleConversions.h"

#include <nlohmann/json.hpp>

#include <cmath>

namespace traverse {

namespace {
using Json = nlohmann::ordered_json;

constexpr const char* kTypeNames[] = {"non-oriented", "single", "closed", "double"};

// A packed DMS value (degrees * 10000 + minutes * 100 + seconds) in decimal degrees.
double PackedToDegrees(double packed) { return DmsToSeconds(UnpackDms(packed)) / 3600.0; }

Json Input(const TraverseResults& r) {
    Json known = Json::array();
    for (const KnownPointEcho& k : r.knownPoints)
        known.push_back({{"role", k.role}, {"name", k.name}, {"x", k.xy.dX}, {"y", k.xy.dY}});
    Json observations = Json::array();
    for (const ObservationEcho& o : r.observations)
        observations.push_back({{"station", o.station},
                                {"foresight", o.foresight},
                                {"backsight", o.backsight},
                                {"distance", o.distance},
                                {"horizontal_angle", PackedToDegrees(o.horizontalAngle)},
                                {"zenith_angle", PackedToDegrees(o.verticalAngle)},
                                {"instrument_height", o.instrumentHeight},
                                {"target_height", o.targetHeight}});
    const int type = r.traverseType >= 0 && r.traverseType < 4 ? r.traverseType : 0;
    return {{"type", kTypeNames[type]}, {"known_points", known}, {"observations", observations}};
}

Json Closures(const ClosureStatistics& c) {
    return {{"angle_count", c.angleCount},
            {"azimuth_closure_seconds", c.azimuthCondition ? Json(c.azimuthClosure) : Json()},
            {"fx_mm", c.fx},
            {"fy_mm", c.fy},
            {"fd_mm", c.fd},
            {"length_m", c.length},
            {"side_count", c.sideCount},
            {"relative_closure_k", c.k ? Json(*c.k) : Json()}};
}

// A length check in metres; null where the grade has no such limit.
Json Limit(const GradeCheck& check) {
    if (!check.applies) return nullptr;
    return {{"limit_m", check.limit}, {"pass", check.pass}};
}

Json Checks(const ClosureStatistics& c, const Grade& g) {
    const GradeChecks checks = CheckGrade(c, g);
    Json azimuth = nullptr;
    if (checks.azimuth.applies)
        azimuth = {{"limit_seconds", checks.azimuth.limit}, {"pass", checks.azimuth.pass}};
    return {{"grade",
             {{"name", g.name},
              {"angle_coefficient_seconds", g.angleCoefficient},
              {"relative_closure_k", g.relativeK},
              {"map_scale", g.mapScale > 0 ? Json(g.mapScale) : Json()}}},
            {"azimuth", azimuth},
            {"relative", {{"limit_k", g.relativeK}, {"pass", checks.relative.pass}}},
            {"length", Limit(checks.length)},
            {"mean_side", Limit(checks.meanSide)},
            {"pass", checks.Pass()}};
}

Json Points(const TraverseResults& r) {
    Json points = Json::array();
    for (const ResultPoint& p : r.points) {
        Json j = {{"name", p.name}, {"known", p.known}, {"x", p.xy.dX}, {"y", p.xy.dY}};
        if (!p.known)
            j.update({{"m_mm", p.m},
                      {"mx_mm", p.mx},
                      {"my_mm", p.my},
                      {"a_mm", p.a},
                      {"b_mm", p.b},
                      {"f_deg", p.f}});
        points.push_back(j);
    }
    return points;
}

Json SidesAndAngles(const TraverseResults& r) {
    Json sides = Json::array(), angles = Json::array();
    for (const ResultSide& s : r.sides)
        sides.push_back({{"from", s.from},
                         {"to", s.to},
                         {"observed_m", s.observed},
                         {"correction_mm", s.correction},
                         {"adjusted_m", s.adjusted},
                         {"azimuth_deg", s.azimuth}});
    for (const ResultAngle& a : r.angles)
        angles.push_back({{"station", a.station},
                          {"observed_deg", PackedToDegrees(a.observed)},
                          {"correction_seconds", a.correction}});
    return {{"sides", sides},
            {"angles", angles},
            {"orientation_correction_seconds",
             r.freeOrientation ? Json(r.orientationCorrection) : Json()}};
}

// One object per station of the calculation sheet; an angle or side it lacks is null.
Json Sheet(const CalculationSheet& sheet) {
    Json rows = Json::array();
    for (const SheetRow& row : sheet.rows) {
        Json j = {{"station", row.station}, {"x_m", row.xy.dX}, {"y_m", row.xy.dY}};
        const auto& a = row.angle;
        j["observed_angle_deg"] = a ? Json(a->observed) : Json();
        j["angle_correction_seconds"] = a ? Json(a->correction) : Json();
        j["adjusted_angle_deg"] = a ? Json(a->adjusted) : Json();
        const auto& s = row.side;
        j["azimuth_deg"] = s ? Json(s->azimuth) : Json();
        j["side_m"] = s ? Json(s->observed) : Json();
        j["side_correction_mm"] = s ? Json(s->correction) : Json();
        j["dx_computed_m"] = s ? Json(s->dxComputed) : Json();
        j["dy_computed_m"] = s ? Json(s->dyComputed) : Json();
        j["dx_correction_mm"] = s ? Json(s->dxCorrection) : Json();
        j["dy_correction_mm"] = s ? Json(s->dyCorrection) : Json();
        j["dx_adjusted_m"] = s ? Json(s->dxAdjusted) : Json();
        j["dy_adjusted_m"] = s ? Json(s->dyAdjusted) : Json();
        rows.push_back(j);
    }
    return rows;
}
} // namespace

std::string BuildResultsJson(const TraverseResults& results, const Grade& grade) {
    const ClosureStatistics& c = results.closure;
    Json doc = {{"format", kResultsJsonFormat}, {"input", Input(results)},
                {"closures", Closures(c)},      {"checks", Checks(c, grade)},
                {"sigma0_seconds", c.sigma0},   {"redundancy", c.redundancy}};
    doc["weakest_point"] = c.weakest >= 0 ? Json(results.points[c.weakest].name) : Json();
    doc["points"] = Points(results);
    doc.update(SidesAndAngles(results));
    doc["sheet"] = Sheet(results.sheet);
    return doc.dump(2, ' ', false, Json::error_handler_t::replace) + "\n";
}

} // namespace traverse
