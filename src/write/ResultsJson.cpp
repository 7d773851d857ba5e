#include "write/ResultsJson.h"

#include "assess/Distributions.h"

#include "model/AngleConversions.h"
#include "resources/StringTable.h"
#include "write/HeightsText.h"

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

// The calculation sheet in its printed figures: a row per known direction ("direction":
// from, to, azimuth) and per station ("station"; an angle, side or point it lacks is
// null), then the sums ("sum", with Σβ理 and fβ where the type has them).
Json Degrees(long long tenths) { return static_cast<double>(tenths) / 36000.0; }
Json Tenths(long long tenths) { return static_cast<double>(tenths) / 10.0; }
Json Metres(long long mm) { return static_cast<double>(mm) / 1000.0; }

Json SheetStation(const SheetRow& row) {
    Json j = {{"row", "station"}, {"station", row.station}};
    const auto& a = row.angle;
    j["observed_angle_deg"] = a ? Degrees(a->observed) : Json();
    j["angle_correction_seconds"] = a && a->correction ? Tenths(*a->correction) : Json();
    j["adjusted_angle_deg"] = a ? Degrees(a->adjusted) : Json();
    j["angle_in_sum"] = a ? Json(a->inSum) : Json();
    j["azimuth_deg"] = row.azimuth ? Degrees(*row.azimuth) : Json();
    const auto& s = row.side;
    j["side_m"] = s ? Metres(s->length) : Json();
    j["side_correction_mm"] = s ? Tenths(s->correction) : Json();
    j["dx_computed_m"] = s ? Metres(s->dxComputed) : Json();
    j["dy_computed_m"] = s ? Metres(s->dyComputed) : Json();
    j["dx_correction_mm"] = s ? Json(s->dxCorrection) : Json();
    j["dy_correction_mm"] = s ? Json(s->dyCorrection) : Json();
    j["dx_adjusted_m"] = s ? Metres(s->dxAdjusted) : Json();
    j["dy_adjusted_m"] = s ? Metres(s->dyAdjusted) : Json();
    j["x_m"] = row.xy ? Metres(row.xy->x) : Json();
    j["y_m"] = row.xy ? Metres(row.xy->y) : Json();
    return j;
}

Json SheetSumRow(const CalculationSheet& sheet) {
    const SheetSums& s = sheet.sums;
    const auto& c = sheet.angleCondition;
    return {{"row", "sum"},
            {"observed_angle_deg", Degrees(s.observedAngles)},
            {"angle_correction_seconds", Tenths(s.angleCorrections)},
            {"adjusted_angle_deg", Degrees(s.adjustedAngles)},
            {"theoretical_angle_deg", c ? Degrees(c->theoretical) : Json()},
            {"angle_closure_seconds", c ? Tenths(c->closure) : Json()},
            {"side_m", Metres(s.sides)},
            {"side_correction_mm", Tenths(s.sideCorrections)},
            {"dx_computed_m", Metres(s.dxComputed)},
            {"dy_computed_m", Metres(s.dyComputed)},
            {"dx_correction_mm", s.dxCorrections},
            {"dy_correction_mm", s.dyCorrections},
            {"dx_adjusted_m", Metres(s.dxAdjusted)},
            {"dy_adjusted_m", Metres(s.dyAdjusted)}};
}

// The heights' columns of a station row, where heights were computed (as printed, mm
// figures in metres); null where the row has none (the last station's difference).
Json Millimetres(std::optional<long long> mm) { return mm ? Json(*mm) : Json(); }
Json MetresOrNull(std::optional<long long> mm) { return mm ? Metres(*mm) : Json(); }

void AddSheetHeights(Json& j, const SheetHeightRow& h) {
    j["dh_observed_m"] = MetresOrNull(h.observed);
    j["dh_correction_mm"] = Millimetres(h.correction);
    j["dh_adjusted_m"] = MetresOrNull(h.adjusted);
    j["h_m"] = Metres(h.height);
}

void AddSheetHeightSums(Json& j, const SheetHeights& h) {
    j["dh_observed_m"] = Metres(h.observed);
    j["dh_correction_mm"] = h.corrections;
    j["dh_adjusted_m"] = Metres(h.adjusted);
    j["height_closure_mm"] = Millimetres(h.closure);
}

Json Sheet(const CalculationSheet& sheet) {
    Json rows = Json::array();
    size_t station = 0;
    for (const SheetRow& row : sheet.rows) {
        if (row.direction) {
            rows.push_back({{"row", "direction"},
                            {"from", row.station},
                            {"to", row.to},
                            {"azimuth_deg", Degrees(*row.azimuth)}});
            continue;
        }
        Json j = SheetStation(row);
        if (sheet.heights && station < sheet.heights->rows.size())
            AddSheetHeights(j, sheet.heights->rows[station++]);
        rows.push_back(std::move(j));
    }
    if (!sheet.rows.empty()) {
        Json sum = SheetSumRow(sheet);
        if (sheet.heights) AddSheetHeightSums(sum, *sheet.heights);
        rows.push_back(std::move(sum));
    }
    return rows;
}
Json HeightPoints(const TraverseResults& r) {
    Json points = Json::array();
    for (const ResultPoint& p : r.points)
        if (p.h)
            points.push_back({{"name", p.name},
                              {"known", p.heightKnown},
                              {"h_m", *p.h},
                              {"mh_mm", p.mh ? Json(*p.mh) : Json()}});
    return points;
}

Json HeightSides(const ResultHeights& h) {
    Json sides = Json::array();
    for (const ResultHeightSide& s : h.sides)
        sides.push_back({{"from", s.from},
                         {"to", s.to},
                         {"distance_m", s.distance},
                         {"forward_m", s.forward},
                         {"reverse_m", s.reverse ? Json(*s.reverse) : Json()},
                         {"reciprocal_mm", s.reciprocal ? Json(*s.reciprocal) : Json()},
                         {"observed_m", s.observed},
                         {"correction_mm", s.correction},
                         {"adjusted_m", s.adjusted}});
    return sides;
}

// The heights where a known height was given: refused (the reason) or computed.
Json Heights(const TraverseResults& r, const HeightGrade& g) {
    const ResultHeights& h = *r.heights;
    const HeightChecks c = CheckResultHeights(h, g);
    Json closure = nullptr, reciprocal = nullptr;
    if (c.closure.applies)
        closure = {{"fh_mm", h.fh},
                   {"limit_mm", c.closure.limit},
                   {"length_m", h.length},
                   {"pass", c.closure.pass}};
    if (c.reciprocal.applies) {
        const ResultHeightSide& worst = h.sides[static_cast<size_t>(c.worstSide)];
        reciprocal = {{"sides", c.reciprocalSides},     {"worst_mm", c.worst},
                      {"worst_from", worst.from},       {"worst_to", worst.to},
                      {"limit_mm", c.reciprocal.limit}, {"pass", c.reciprocal.pass}};
    }
    return {{"refused", h.refused ? Json(MessageText(*h.refused)) : Json()},
            {"refraction", h.refraction},
            {"grade",
             {{"name", g.name},
              {"closure_coefficient_mm", g.closureCoefficient},
              {"reciprocal_coefficient_mm", g.reciprocalCoefficient}}},
            {"closure", closure},
            {"carried_from", h.Computed() && !h.closure ? Json(h.carriedFrom) : Json()},
            {"error_per_km_mm", h.Computed() && h.closure ? Json(h.errorPerKm) : Json()},
            {"reciprocal", reciprocal},
            {"pass", c.Pass()},
            {"points", HeightPoints(r)},
            {"sides", HeightSides(h)}};
}

Json Weights(const std::optional<InstrumentPrecision>& p) {
    if (!p) return {{"kind", "classic"}, {"angle_seconds", nullptr}, {"distance_mm", nullptr},
                    {"distance_ppm", nullptr}};
    return {{"kind", "instrument"},
            {"angle_seconds", p->angleSeconds},
            {"distance_mm", p->distanceMm},
            {"distance_ppm", p->distancePpm}};
}

Json OptionalNumber(const std::optional<double>& v) { return v ? Json(*v) : Json(); }

// An observation's test: its kind and names, then r, w, ∇ and MDB (″ or mm by kind).
Json ObservationTestJson(const ObservationTest& t, const TraverseResults& r) {
    const size_t k = static_cast<size_t>(t.record);
    const ObservationEcho* o = k < r.observations.size() ? &r.observations[k] : nullptr;
    Json j;
    if (t.kind == ObservationKind::kAngle) {
        j["kind"] = "angle";
        j["station"] = o ? Json(o->station) : Json();
    } else {
        j["kind"] = "side";
        j["from"] = o ? Json(o->station) : Json();
        j["to"] = o ? Json(o->foresight) : Json();
    }
    j["residual"] = t.residual;
    j["redundancy"] = t.redundancy;
    j["w"] = OptionalNumber(t.w);
    j["estimate"] = OptionalNumber(t.estimate);
    j["mdb"] = OptionalNumber(t.mdb);
    j["flagged"] = t.flagged;
    return j;
}

Json Tests(const TraverseResults& r) {
    Json global = nullptr;
    if (const auto& g = r.tests.global)
        global = {{"sigma0", g->sigma0}, {"chi2", g->chi2},         {"lower", g->lower},
                  {"upper", g->upper},   {"redundancy", g->redundancy}, {"pass", g->pass}};
    Json observations = Json::array(), suspects = Json::array();
    for (size_t i : r.tests.ranking)
        observations.push_back(ObservationTestJson(r.tests.observations[i], r));
    for (const ObservationTest& t : r.tests.observations)
        if (!t.w) observations.push_back(ObservationTestJson(t, r)); // not controlled, last
    for (size_t i : Suspects(r.tests))
        suspects.push_back(ObservationTestJson(r.tests.observations[i], r));
    return {{"global", global}, {"observations", observations}, {"suspects", suspects}};
}
} // namespace

std::string BuildResultsJson(const TraverseResults& results, const Grade& grade,
                             const HeightGrade& heightGrade) {
    const ClosureStatistics& c = results.closure;
    Json doc = {{"format", kResultsJsonFormat}, {"input", Input(results)},
                {"closures", Closures(c)},      {"checks", Checks(c, grade)},
                {"sigma0_seconds", c.sigma0},   {"redundancy", c.redundancy}};
    doc["weakest_point"] = c.weakest >= 0 ? Json(results.points[c.weakest].name) : Json();
    doc["points"] = Points(results);
    doc.update(SidesAndAngles(results));
    doc["sheet"] = Sheet(results.sheet);
    if (results.heights) doc["heights"] = Heights(results, heightGrade);
    doc["weights"] = Weights(results.instrument);
    doc["ellipse_level"] = "1sigma";
    doc["ellipse_95_scale"] = ConfidenceEllipseScale(c.redundancy);
    doc["tests"] = Tests(results);
    return doc.dump(2, ' ', false, Json::error_handler_t::replace) + "\n";
}

} // namespace traverse
