// Written as it is made (CJsonWriter): member by member in the order the document has
// always had, each value of the C++ type that decides its JSON type.
#include "write/ResultsJson.h"

#include "assess/Distributions.h"

#include "model/AngleConversions.h"
#include "resources/StringTable.h"
#include "write/HeightsText.h"
#include "write/JsonWriter.h"

#include <cmath>

namespace traverse {

namespace {
using W = CJsonWriter;

constexpr const char* kTypeNames[] = {"non-oriented", "single", "closed", "double"};

// A packed DMS value (degrees * 10000 + minutes * 100 + seconds) in decimal degrees.
double PackedToDegrees(double packed) { return DmsToSeconds(UnpackDms(packed)) / 3600.0; }

void Input(W& w, const TraverseResults& r) {
    const int type = r.traverseType >= 0 && r.traverseType < 4 ? r.traverseType : 0;
    w.BeginObject();
    w.Field("type", kTypeNames[type]);
    w.Key("known_points");
    w.BeginArray();
    for (const KnownPointEcho& k : r.knownPoints) {
        w.BeginObject();
        w.Field("role", k.role);
        w.Field("name", k.name);
        w.Field("x", k.xy.dX);
        w.Field("y", k.xy.dY);
        w.EndObject();
    }
    w.EndArray();
    w.Key("observations");
    w.BeginArray();
    for (const ObservationEcho& o : r.observations) {
        w.BeginObject();
        w.Field("station", o.station);
        w.Field("foresight", o.foresight);
        w.Field("backsight", o.backsight);
        w.Field("distance", o.distance);
        w.Field("horizontal_angle", PackedToDegrees(o.horizontalAngle));
        w.Field("zenith_angle", PackedToDegrees(o.verticalAngle));
        w.Field("instrument_height", o.instrumentHeight);
        w.Field("target_height", o.targetHeight);
        w.EndObject();
    }
    w.EndArray();
    w.EndObject();
}

template <class T> std::optional<T> If(bool given, const T& value) {
    return given ? std::optional<T>(value) : std::nullopt;
}

void Closures(W& w, const ClosureStatistics& c) {
    w.BeginObject();
    w.Field("angle_count", c.angleCount);
    w.Field("azimuth_closure_seconds", If(c.azimuthCondition, c.azimuthClosure));
    w.Field("fx_mm", c.fx);
    w.Field("fy_mm", c.fy);
    w.Field("fd_mm", c.fd);
    w.Field("length_m", c.length);
    w.Field("side_count", c.sideCount);
    w.Field("relative_closure_k", c.k);
    w.EndObject();
}

// A length check in metres; null where the grade has no such limit.
void Limit(W& w, const GradeCheck& check) {
    if (!check.applies) return w.Null();
    w.BeginObject();
    w.Field("limit_m", check.limit);
    w.Field("pass", check.pass);
    w.EndObject();
}

void Checks(W& w, const ClosureStatistics& c, const Grade& g) {
    const GradeChecks checks = CheckGrade(c, g);
    w.BeginObject();
    w.Key("grade");
    w.BeginObject();
    w.Field("name", g.name);
    w.Field("angle_coefficient_seconds", g.angleCoefficient);
    w.Field("relative_closure_k", g.relativeK);
    w.Field("map_scale", If(g.mapScale > 0, g.mapScale));
    w.EndObject();
    w.Key("azimuth");
    if (checks.azimuth.applies) {
        w.BeginObject();
        w.Field("limit_seconds", checks.azimuth.limit);
        w.Field("pass", checks.azimuth.pass);
        w.EndObject();
    } else {
        w.Null();
    }
    w.Key("relative");
    w.BeginObject();
    w.Field("limit_k", g.relativeK);
    w.Field("pass", checks.relative.pass);
    w.EndObject();
    w.Key("length");
    Limit(w, checks.length);
    w.Key("mean_side");
    Limit(w, checks.meanSide);
    w.Field("pass", checks.Pass());
    w.EndObject();
}

void Points(W& w, const TraverseResults& r) {
    w.BeginArray();
    for (const ResultPoint& p : r.points) {
        w.BeginObject();
        w.Field("name", p.name);
        w.Field("known", p.known);
        w.Field("x", p.xy.dX);
        w.Field("y", p.xy.dY);
        if (!p.known) {
            w.Field("m_mm", p.m);
            w.Field("mx_mm", p.mx);
            w.Field("my_mm", p.my);
            w.Field("a_mm", p.a);
            w.Field("b_mm", p.b);
            w.Field("f_deg", p.f);
        }
        w.EndObject();
    }
    w.EndArray();
}

// "sides", "angles" and "orientation_correction_seconds", members of the document.
void SidesAndAngles(W& w, const TraverseResults& r) {
    w.Key("sides");
    w.BeginArray();
    for (const ResultSide& s : r.sides) {
        w.BeginObject();
        w.Field("from", s.from);
        w.Field("to", s.to);
        w.Field("observed_m", s.observed);
        w.Field("correction_mm", s.correction);
        w.Field("adjusted_m", s.adjusted);
        w.Field("azimuth_deg", s.azimuth);
        w.EndObject();
    }
    w.EndArray();
    w.Key("angles");
    w.BeginArray();
    for (const ResultAngle& a : r.angles) {
        w.BeginObject();
        w.Field("station", a.station);
        w.Field("observed_deg", PackedToDegrees(a.observed));
        w.Field("correction_seconds", a.correction);
        w.EndObject();
    }
    w.EndArray();
    w.Field("orientation_correction_seconds", If(r.freeOrientation, r.orientationCorrection));
}

// The calculation sheet in its printed figures: a row per known direction ("direction":
// from, to, azimuth) and per station ("station"; an angle, side or point it lacks is
// null), then the sums ("sum", with Σβ理 and fβ where the type has them).
double Degrees(long long tenths) { return static_cast<double>(tenths) / 36000.0; }
double Tenths(long long tenths) { return static_cast<double>(tenths) / 10.0; }
double Metres(long long mm) { return static_cast<double>(mm) / 1000.0; }
template <class T, class F> auto Map(const std::optional<T>& v, F f) -> std::optional<decltype(f(*v))> {
    return v ? std::optional(f(*v)) : std::nullopt;
}

void SheetStation(W& w, const SheetRow& row) {
    w.Field("row", "station");
    w.Field("station", row.station);
    const auto& a = row.angle;
    w.Field("observed_angle_deg", Map(a, [](const auto& x) { return Degrees(x.observed); }));
    w.Field("angle_correction_seconds",
            a && a->correction ? std::optional(Tenths(*a->correction)) : std::nullopt);
    w.Field("adjusted_angle_deg", Map(a, [](const auto& x) { return Degrees(x.adjusted); }));
    w.Field("angle_in_sum", Map(a, [](const auto& x) { return x.inSum; }));
    w.Field("azimuth_deg", Map(row.azimuth, [](auto x) { return Degrees(x); }));
    const auto& s = row.side;
    w.Field("side_m", Map(s, [](const auto& x) { return Metres(x.length); }));
    w.Field("side_correction_mm", Map(s, [](const auto& x) { return Tenths(x.correction); }));
    w.Field("dx_computed_m", Map(s, [](const auto& x) { return Metres(x.dxComputed); }));
    w.Field("dy_computed_m", Map(s, [](const auto& x) { return Metres(x.dyComputed); }));
    w.Field("dx_correction_mm", Map(s, [](const auto& x) { return x.dxCorrection; }));
    w.Field("dy_correction_mm", Map(s, [](const auto& x) { return x.dyCorrection; }));
    w.Field("dx_adjusted_m", Map(s, [](const auto& x) { return Metres(x.dxAdjusted); }));
    w.Field("dy_adjusted_m", Map(s, [](const auto& x) { return Metres(x.dyAdjusted); }));
    w.Field("x_m", Map(row.xy, [](const auto& x) { return Metres(x.x); }));
    w.Field("y_m", Map(row.xy, [](const auto& x) { return Metres(x.y); }));
}

void SheetSumRow(W& w, const CalculationSheet& sheet) {
    const SheetSums& s = sheet.sums;
    const auto& c = sheet.angleCondition;
    w.Field("row", "sum");
    w.Field("observed_angle_deg", Degrees(s.observedAngles));
    w.Field("angle_correction_seconds", Tenths(s.angleCorrections));
    w.Field("adjusted_angle_deg", Degrees(s.adjustedAngles));
    w.Field("theoretical_angle_deg", Map(c, [](const auto& x) { return Degrees(x.theoretical); }));
    w.Field("angle_closure_seconds", Map(c, [](const auto& x) { return Tenths(x.closure); }));
    w.Field("side_m", Metres(s.sides));
    w.Field("side_correction_mm", Tenths(s.sideCorrections));
    w.Field("dx_computed_m", Metres(s.dxComputed));
    w.Field("dy_computed_m", Metres(s.dyComputed));
    w.Field("dx_correction_mm", s.dxCorrections);
    w.Field("dy_correction_mm", s.dyCorrections);
    w.Field("dx_adjusted_m", Metres(s.dxAdjusted));
    w.Field("dy_adjusted_m", Metres(s.dyAdjusted));
}

// The heights' columns of a station row, where heights were computed (as printed, mm
// figures in metres); null where the row has none (the last station's difference).
void SheetHeightColumns(W& w, const SheetHeightRow& h) {
    w.Field("dh_observed_m", Map(h.observed, [](auto mm) { return Metres(mm); }));
    w.Field("dh_correction_mm", h.correction);
    w.Field("dh_adjusted_m", Map(h.adjusted, [](auto mm) { return Metres(mm); }));
    w.Field("h_m", Metres(h.height));
}

void SheetHeightSums(W& w, const SheetHeights& h) {
    w.Field("dh_observed_m", Metres(h.observed));
    w.Field("dh_correction_mm", h.corrections);
    w.Field("dh_adjusted_m", Metres(h.adjusted));
    w.Field("height_closure_mm", h.closure);
}

void Sheet(W& w, const CalculationSheet& sheet) {
    w.BeginArray();
    size_t station = 0;
    for (const SheetRow& row : sheet.rows) {
        w.BeginObject();
        if (row.direction) {
            w.Field("row", "direction");
            w.Field("from", row.station);
            w.Field("to", row.to);
            w.Field("azimuth_deg", Degrees(*row.azimuth));
        } else {
            SheetStation(w, row);
            if (sheet.heights && station < sheet.heights->rows.size())
                SheetHeightColumns(w, sheet.heights->rows[station++]);
        }
        w.EndObject();
    }
    if (!sheet.rows.empty()) {
        w.BeginObject();
        SheetSumRow(w, sheet);
        if (sheet.heights) SheetHeightSums(w, *sheet.heights);
        w.EndObject();
    }
    w.EndArray();
}

void HeightPoints(W& w, const TraverseResults& r) {
    w.BeginArray();
    for (const ResultPoint& p : r.points)
        if (p.h) {
            w.BeginObject();
            w.Field("name", p.name);
            w.Field("known", p.heightKnown);
            w.Field("h_m", *p.h);
            w.Field("mh_mm", p.mh);
            w.EndObject();
        }
    w.EndArray();
}

void HeightSides(W& w, const ResultHeights& h) {
    w.BeginArray();
    for (const ResultHeightSide& s : h.sides) {
        w.BeginObject();
        w.Field("from", s.from);
        w.Field("to", s.to);
        w.Field("distance_m", s.distance);
        w.Field("forward_m", s.forward);
        w.Field("reverse_m", s.reverse);
        w.Field("reciprocal_mm", s.reciprocal);
        w.Field("observed_m", s.observed);
        w.Field("correction_mm", s.correction);
        w.Field("adjusted_m", s.adjusted);
        w.EndObject();
    }
    w.EndArray();
}

void HeightClosure(W& w, const ResultHeights& h, const HeightChecks& c) {
    if (!c.closure.applies) return w.Null();
    w.BeginObject();
    w.Field("fh_mm", h.fh);
    w.Field("limit_mm", c.closure.limit);
    w.Field("length_m", h.length);
    w.Field("pass", c.closure.pass);
    w.EndObject();
}

void Reciprocal(W& w, const ResultHeights& h, const HeightChecks& c) {
    if (!c.reciprocal.applies) return w.Null();
    const ResultHeightSide& worst = h.sides[static_cast<size_t>(c.worstSide)];
    w.BeginObject();
    w.Field("sides", c.reciprocalSides);
    w.Field("worst_mm", c.worst);
    w.Field("worst_from", worst.from);
    w.Field("worst_to", worst.to);
    w.Field("limit_mm", c.reciprocal.limit);
    w.Field("pass", c.reciprocal.pass);
    w.EndObject();
}

// The heights where a known height was given: refused (the reason) or computed.
void Heights(W& w, const TraverseResults& r, const HeightGrade& g) {
    const ResultHeights& h = *r.heights;
    const HeightChecks c = CheckResultHeights(h, g);
    w.BeginObject();
    w.Field("refused", Map(h.refused, [](const Refusal& x) { return MessageText(x); }));
    w.Field("refraction", h.refraction);
    w.Key("grade");
    w.BeginObject();
    w.Field("name", g.name);
    w.Field("closure_coefficient_mm", g.closureCoefficient);
    w.Field("reciprocal_coefficient_mm", g.reciprocalCoefficient);
    w.EndObject();
    w.Key("closure");
    HeightClosure(w, h, c);
    w.Field("carried_from", If(h.Computed() && !h.closure, h.carriedFrom));
    w.Field("error_per_km_mm", If(h.Computed() && h.closure, h.errorPerKm));
    w.Key("reciprocal");
    Reciprocal(w, h, c);
    w.Field("pass", c.Pass());
    w.Key("points");
    HeightPoints(w, r);
    w.Key("sides");
    HeightSides(w, h);
    w.EndObject();
}

void Weights(W& w, const std::optional<InstrumentPrecision>& p) {
    w.BeginObject();
    w.Field("kind", p ? "instrument" : "classic");
    w.Field("angle_seconds", Map(p, [](const auto& x) { return x.angleSeconds; }));
    w.Field("distance_mm", Map(p, [](const auto& x) { return x.distanceMm; }));
    w.Field("distance_ppm", Map(p, [](const auto& x) { return x.distancePpm; }));
    w.EndObject();
}

// An observation's test: its kind and names, then r, w, ∇ and MDB (″ or mm by kind).
void ObservationTestJson(W& w, const ObservationTest& t, const TraverseResults& r) {
    const size_t k = static_cast<size_t>(t.record);
    const ObservationEcho* o = k < r.observations.size() ? &r.observations[k] : nullptr;
    const auto name = [o](const std::string ObservationEcho::*field) {
        return o ? std::optional<std::string_view>((*o).*field) : std::nullopt;
    };
    w.BeginObject();
    if (t.kind == ObservationKind::kAngle) {
        w.Field("kind", "angle");
        w.Field("station", name(&ObservationEcho::station));
    } else {
        w.Field("kind", "side");
        w.Field("from", name(&ObservationEcho::station));
        w.Field("to", name(&ObservationEcho::foresight));
    }
    w.Field("residual", t.residual);
    w.Field("redundancy", t.redundancy);
    w.Field("w", t.w);
    w.Field("estimate", t.estimate);
    w.Field("mdb", t.mdb);
    w.Field("flagged", t.flagged);
    w.EndObject();
}

void Tests(W& w, const TraverseResults& r) {
    w.BeginObject();
    w.Key("global");
    if (const auto& g = r.tests.global) {
        w.BeginObject();
        w.Field("sigma0", g->sigma0);
        w.Field("chi2", g->chi2);
        w.Field("lower", g->lower);
        w.Field("upper", g->upper);
        w.Field("redundancy", g->redundancy);
        w.Field("pass", g->pass);
        w.EndObject();
    } else {
        w.Null();
    }
    w.Key("observations");
    w.BeginArray();
    for (size_t i : r.tests.ranking)
        ObservationTestJson(w, r.tests.observations[i], r);
    for (const ObservationTest& t : r.tests.observations)
        if (!t.w) ObservationTestJson(w, t, r); // not controlled, last
    w.EndArray();
    w.Key("suspects");
    w.BeginArray();
    for (size_t i : Suspects(r.tests))
        ObservationTestJson(w, r.tests.observations[i], r);
    w.EndArray();
    w.EndObject();
}
} // namespace

void WriteResultsJson(const TraverseResults& results, const Grade& grade,
                      const HeightGrade& heightGrade,
                      const std::function<void(std::string_view)>& sink) {
    const ClosureStatistics& c = results.closure;
    W w(sink);
    w.BeginObject();
    w.Field("format", kResultsJsonFormat);
    w.Key("input");
    Input(w, results);
    w.Key("closures");
    Closures(w, c);
    w.Key("checks");
    Checks(w, c, grade);
    w.Field("sigma0_seconds", c.sigma0);
    w.Field("redundancy", c.redundancy);
    w.Key("weakest_point");
    if (c.weakest >= 0)
        w.String(results.points[static_cast<size_t>(c.weakest)].name);
    else
        w.Null();
    w.Key("points");
    Points(w, results);
    SidesAndAngles(w, results);
    w.Key("sheet");
    Sheet(w, results.sheet);
    if (results.heights) {
        w.Key("heights");
        Heights(w, results, heightGrade);
    }
    w.Key("weights");
    Weights(w, results.instrument);
    w.Field("ellipse_level", "1sigma");
    w.Field("ellipse_95_scale", ConfidenceEllipseScale(c.redundancy));
    w.Key("tests");
    Tests(w, results);
    w.EndObject();
    w.Finish();
    sink("\n");
}

std::string BuildResultsJson(const TraverseResults& results, const Grade& grade,
                             const HeightGrade& heightGrade) {
    std::string text;
    WriteResultsJson(results, grade, heightGrade,
                     [&text](std::string_view piece) { text.append(piece); });
    return text;
}

} // namespace traverse
