// The files for other programs: the JSON document read back, the SVG plot checked as
// XML, the coordinate files' layout and encodings.
#include "write/AdjustedExamples.h"

#include "model/NumberText.h"
#include "write/CalculationSheet.h"
#include "write/CoordinateFiles.h"
#include "write/PlotModel.h"
#include "write/ResultsJson.h"
#include "write/SvgPlot.h"

#include "read/ObservationFile.h"

#include <gtest/gtest.h>
#include <nlohmann/json.hpp>

#include <algorithm>
#include <cmath>
#include <fstream>
#include <set>

using namespace traverse;

namespace {
// Whether text is well-formed XML as far as the plot uses it: balanced elements,
// quoted attributes, no bare '<' or '&' in text or values.
bool WellFormedXml(const std::string& xml, std::string& why) {
    std::vector<std::string> open;
    size_t i = xml.rfind("?>", 200);
    i = i == std::string::npos ? 0 : i + 2;
    for (; i < xml.size(); ++i) {
        if (xml[i] == '&') {
            const size_t semi = xml.find(';', i);
            const std::string entity = xml.substr(i, semi - i + 1);
            if (entity != "&amp;" && entity != "&lt;" && entity != "&gt;" && entity != "&quot;")
                return why = "bare & at " + std::to_string(i), false;
        }
        if (xml[i] == '>') return why = "bare > at " + std::to_string(i), false;
        if (xml[i] != '<') continue;
        const size_t end = xml.find('>', i);
        const std::string tag = xml.substr(i + 1, end - i - 1);
        if (std::count(tag.begin(), tag.end(), '"') % 2 != 0 || tag.find('<') != std::string::npos)
            return why = "bad tag " + tag, false;
        const std::string name = tag.substr(0, tag.find_first_of(" /"));
        if (tag[0] == '/') {
            if (open.empty() || open.back() != tag.substr(1))
                return why = "unmatched " + tag, false;
            open.pop_back();
        } else if (tag.back() != '/') {
            open.push_back(name);
        }
        i = end;
    }
    return why = open.empty() ? "" : "unclosed " + open.back(), open.empty();
}

std::vector<std::string> Lines(const std::string& text) {
    std::vector<std::string> lines;
    for (size_t start = 0, end; start < text.size(); start = end + 2) {
        end = text.find("\r\n", start);
        lines.push_back(text.substr(start, end - start));
    }
    return lines;
}
} // namespace

TEST(ResultsJson, ReadsBackWithEveryResult) {
    for (const Example& example : kExamples) {
        SCOPED_TRACE(example.file);
        auto run = Adjust(example);
        const TraverseResults r = CollectResults(*run->dlg.m_adjusted);
        const auto doc = nlohmann::json::parse(BuildResultsJson(r, DefaultGrade()));
        EXPECT_EQ(doc["format"], 2);
        EXPECT_EQ(doc["input"]["observations"].size(), r.observations.size());
        EXPECT_EQ(doc["closures"]["fx_mm"].get<double>(), r.closure.fx);
        EXPECT_EQ(doc["closures"]["relative_closure_k"].get<long long>(), *r.closure.k);
        EXPECT_EQ(doc["closures"]["azimuth_closure_seconds"].is_null(),
                  !r.closure.azimuthCondition);
        EXPECT_EQ(doc["checks"]["grade"]["name"], "图根");
        EXPECT_TRUE(doc["checks"]["pass"].get<bool>());
        EXPECT_EQ(doc["redundancy"], r.closure.redundancy);
        EXPECT_EQ(doc["sigma0_seconds"].get<double>(), r.closure.sigma0);
        const auto& points = doc["points"];
        ASSERT_EQ(points.size(), r.points.size());
        for (size_t i = 0; i < points.size(); ++i) {
            EXPECT_EQ(points[i]["name"], r.points[i].name);
            EXPECT_EQ(points[i]["x"].get<double>(), r.points[i].xy.dX);
            EXPECT_EQ(points[i].contains("m_mm"), !r.points[i].known);
        }
        // Each adjusted side is its observation plus its correction.
        ASSERT_EQ(doc["sides"].size(), r.sides.size());
        for (const auto& side : doc["sides"])
            EXPECT_NEAR(side["adjusted_m"].get<double>(),
                        side["observed_m"].get<double>() +
                            side["correction_mm"].get<double>() / 1000,
                        1e-9);
        EXPECT_EQ(doc["orientation_correction_seconds"].is_null(), example.type != kNonOriented);
        // The sheet in its printed figures: a row per row of the table, then the sums.
        const auto& sheet = doc["sheet"];
        const auto cells = CalculationSheetCells(r.sheet);
        ASSERT_EQ(sheet.size(), cells.size() - 1);
        EXPECT_EQ(sheet.front()["row"], example.type == kNonOriented ? "station" : "direction");
        EXPECT_EQ(sheet.back()["row"], "sum");
        EXPECT_EQ(sheet.back()["angle_closure_seconds"].is_null(), !r.closure.azimuthCondition);
        for (size_t i = 0; i < sheet.size(); ++i) {
            const auto& row = sheet[i];
            if (row["row"] == "direction") continue;
            for (const auto& [key, column] : {std::pair{"side_m", 5},
                                              {"dx_computed_m", 7},
                                              {"dy_correction_mm", 10},
                                              {"dy_adjusted_m", 12}})
                EXPECT_EQ(row[key].is_null()
                              ? ""
                              : FormatFixed(row[key].get<double>(), column == 10 ? 0 : 3),
                          cells[i + 1][static_cast<size_t>(column)])
                    << key;
        }
    }
}

namespace {
// Every field's path in a document ("checks.grade.name", "points[].m_mm"), and those
// that hold an object or an array somewhere.
void FieldPaths(const nlohmann::json& j, const std::string& path, std::set<std::string>& all,
                std::set<std::string>& containers) {
    if (!path.empty()) all.insert(path);
    if (j.is_object()) {
        if (!path.empty()) containers.insert(path);
        for (const auto& [key, value] : j.items())
            FieldPaths(value, path.empty() ? key : path + "." + key, all, containers);
    } else if (j.is_array()) {
        containers.insert(path);
        for (const auto& element : j)
            FieldPaths(element, path + "[]", all, containers);
    }
}

// The first column of the README's JSON table, unquoted.
std::set<std::string> ReadmeJsonFields() {
    std::ifstream in(std::string(TA_EXAMPLES_DIR) + "/../README.md");
    std::set<std::string> fields;
    bool inTable = false;
    for (std::string line; std::getline(in, line);) {
        if (line.rfind("| field | type | unit | content |", 0) == 0)
            inTable = true;
        else if (inTable && line.rfind("| `", 0) != 0 && line.rfind("| ---", 0) != 0)
            break;
        else if (inTable && line.rfind("| `", 0) == 0)
            fields.insert(line.substr(3, line.find('`', 3) - 3));
    }
    return fields;
}
} // namespace

// The README lists every field of the JSON with its unit: no field unlisted, none listed
// that the document lacks (三等 so that the mean side's check is there too).
TEST(ResultsJson, TheReadmeListsEveryField) {
    std::set<std::string> all, containers;
    for (const Example& example : kExamples) {
        auto run = Adjust(example);
        const auto doc = nlohmann::json::parse(
            BuildResultsJson(CollectResults(*run->dlg.m_adjusted), *ParseGrade("三等")));
        FieldPaths(doc, "", all, containers);
    }
    // Heights, and the instrument's precision for the global test's fields.
    const auto adjusted = AdjustHeightsExample(InstrumentPrecision{2, 2, 2});
    ASSERT_TRUE(std::holds_alternative<AdjustedTraverse>(adjusted));
    FieldPaths(nlohmann::json::parse(BuildResultsJson(
                   CollectResults(std::get<AdjustedTraverse>(adjusted)), *ParseGrade("三等"))),
               "", all, containers);
    const std::set<std::string> listed = ReadmeJsonFields();
    ASSERT_FALSE(listed.empty());
    for (const std::string& field : all)
        EXPECT_TRUE(listed.count(field) || containers.count(field)) << "not listed: " << field;
    for (const std::string& field : listed)
        EXPECT_TRUE(all.count(field)) << "listed, not written: " << field;
}

TEST(SvgPlot, IsWellFormedWithOneEllipsePerNewPoint) {
    for (const Example& example : kExamples) {
        SCOPED_TRACE(example.file);
        auto run = Adjust(example);
        const TraverseResults r = CollectResults(*run->dlg.m_adjusted);
        const PlotModel plot = BuildPlotModel(r, 800, 600);
        const std::string svg = WriteSvgPlot(plot);
        std::string why;
        EXPECT_TRUE(WellFormedXml(svg, why)) << why;
        const auto newPoints = std::count_if(r.points.begin(), r.points.end(),
                                             [](const ResultPoint& p) { return !p.known; });
        size_t ellipses = 0;
        for (size_t at = 0; (at = svg.find("<ellipse ", at)) != std::string::npos; ++at)
            ++ellipses;
        EXPECT_EQ(ellipses, static_cast<size_t>(newPoints) + 1) << "and the legend's";
        // Every point inside the drawing, the largest ellipse about a twentieth of it.
        for (const PlotSymbol& s : plot.symbols) {
            EXPECT_TRUE(s.x > 0 && s.x < 800 && s.y > 0 && s.y < 600);
        }
        double largest = 0;
        for (const PlotEllipse& e : plot.ellipses)
            largest = std::max(largest, e.rx);
        EXPECT_GT(largest, 600 / 20 / 1.6);
        EXPECT_LT(largest, 600 / 20 * 1.6);
    }
}

TEST(SvgPlot, NamesAreEscaped) {
    TraverseResults r;
    r.points = {{"A&<B>\"", {0, 0}, true}, {"P\x1b", {100, 100}, false, 1, 1, 1, 1, 0.5, 30}};
    const std::string svg = WriteSvgPlot(BuildPlotModel(r, 400, 300));
    std::string why;
    EXPECT_TRUE(WellFormedXml(svg, why)) << why;
    EXPECT_NE(svg.find("A&amp;&lt;B&gt;&quot;"), std::string::npos);
    EXPECT_EQ(svg.find('\x1b'), std::string::npos);
}

TEST(CoordinateFiles, CsvAndDatHoldOneRowPerPoint) {
    auto run = Adjust(kExamples[0]);
    TraverseResults r = CollectResults(*run->dlg.m_adjusted);
    r.points[1].name = "北山";
    const std::string csv = CoordinatesCsv(r), dat = CoordinatesDat(r);
    // The axes named north and east; F(°) beside the DMS text (a column added, on purpose).
    ASSERT_EQ(
        csv.rfind("\xEF\xBB\xBF点名,X北(m),Y东(m),M(mm),Mx(mm),My(mm),A(mm),B(mm),F,F(°),点类\r\n",
                  0),
        0u);
    const auto csvLines = Lines(csv), datLines = Lines(dat);
    ASSERT_EQ(csvLines.size(), r.points.size() + 1);
    ASSERT_EQ(datLines.size(), r.points.size());
    EXPECT_EQ(csvLines[1], "D21,3381252.418,501734.206,,,,,,,,已知点");
    EXPECT_EQ(std::count(csvLines[2].begin(), csvLines[2].end(), ','), 10);
    EXPECT_EQ(csvLines[2].rfind("北山,", 0), 0u);
    EXPECT_EQ(datLines[0], "D21,,501734.206,3381252.418,0.000"); // east before north
    EXPECT_EQ(datLines[1].rfind("\xB1\xB1\xC9\xBD,,", 0), 0u);   // code page 936
    EXPECT_EQ(CoordinateFormatOf("a.CSV"), CoordinateFormat::Csv);
    EXPECT_EQ(CoordinateFormatOf("b.dat"), CoordinateFormat::Dat);
    EXPECT_FALSE(CoordinateFormatOf("c.txt"));
}

// F twice: the DMS text and decimal degrees, rounded alike (359.9999999° is 0° in both,
// never 360).
TEST(CoordinateFiles, CsvGivesTheEllipseAzimuthInDecimalDegreesToo) {
    const struct {
        double f;
        const char* cells; // F and F(°)
    } cases[] = {
        {330.2005527778, "330°12′01.99″,330.200553"}, {0.0, "0°00′00.00″,0.000000"},
        {2.9144277, "2°54′51.94″,2.914428"},          {359.9999999, "0°00′00.00″,0.000000"},
        {359.9999, "359°59′59.64″,359.999900"},
    };
    for (const auto& c : cases) {
        TraverseResults r;
        r.points = {{"P", {1, 2}, false, 1, 1, 1, 1, 0.5, c.f}};
        const auto lines = Lines(CoordinatesCsv(r));
        ASSERT_EQ(lines.size(), 2u);
        EXPECT_EQ(lines[1],
                  std::string("P,1.000,2.000,1.00,1.00,1.00,1.00,0.50,") + c.cells + ",待定点")
            << c.f;
    }
}

// The sheet's height columns add up as printed: 改正后高差 = 观测高差 + 改正数, each 高程
// the one above plus 改正后高差, the sums the columns' and fh = −Σ改正数; without heights
// the sheet has none of them.
TEST(CalculationSheet, HeightColumnsAddUpAsPrinted) {
    const ObservationFile file =
        ReadObservationFile(std::string(TA_TEST_DATA_DIR) + "/heights.con");
    KnownCoordinates known{PlanePoint{1000, 1000}, PlanePoint{1000, 800}, PlanePoint{1500, 1650},
                           std::nullopt};
    const auto plane = AdjustTraverse(kSingleConnection, file.read.observations, known);
    EXPECT_FALSE(CollectResults(std::get<AdjustedTraverse>(plane)).sheet.heights);
    known.start1Height = 45.3;
    known.end1Height = 61.455;
    const auto adjusted = AdjustTraverse(kSingleConnection, file.read.observations, known);
    const CalculationSheet sheet = CollectResults(std::get<AdjustedTraverse>(adjusted)).sheet;
    ASSERT_TRUE(sheet.heights);
    const SheetHeights& h = *sheet.heights;
    ASSERT_EQ(h.rows.size(), 4u);
    EXPECT_EQ(h.rows.front().height, 45300);
    EXPECT_EQ(h.rows.back().height, 61455);
    long long observed = 0, corrections = 0;
    for (size_t i = 0; i + 1 < h.rows.size(); ++i) {
        EXPECT_EQ(*h.rows[i].adjusted, *h.rows[i].observed + *h.rows[i].correction) << i;
        EXPECT_EQ(h.rows[i + 1].height, h.rows[i].height + *h.rows[i].adjusted) << i;
        observed += *h.rows[i].observed;
        corrections += *h.rows[i].correction;
    }
    EXPECT_EQ(h.observed, observed);
    EXPECT_EQ(h.corrections, corrections);
    EXPECT_EQ(*h.closure, -corrections);
    EXPECT_EQ(*h.closure, 19) << "(10 + 12) / 2 + 8 mm put into the zenith angles";
    const std::string csv = CalculationSheetCsv(sheet, ClosureStatistics{}, DefaultGrade());
    EXPECT_NE(csv.find(",高程(m)\r\n"), std::string::npos);
    EXPECT_NE(csv.find("高程闭合差 fh(mm) = Σh测 − (H终 − H始),19\r\n"), std::string::npos) << csv;
    // The JSON's sheet carries the same printed figures.
    const auto doc = nlohmann::json::parse(
        BuildResultsJson(CollectResults(std::get<AdjustedTraverse>(adjusted)), DefaultGrade()));
    const auto& rows = doc["sheet"];
    EXPECT_EQ(rows.back()["height_closure_mm"], 19);
    EXPECT_EQ(rows.back()["dh_correction_mm"], corrections);
    size_t station = 0;
    for (const auto& row : rows)
        if (row["row"] == "station") {
            ASSERT_LT(station, h.rows.size());
            EXPECT_DOUBLE_EQ(row["h_m"].get<double>(), h.rows[station++].height / 1000.0);
        }
    EXPECT_EQ(station, h.rows.size());
}
