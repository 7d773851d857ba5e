#include "write/PlotModel.h"

#include "model/NumberText.h"
#include "model/Traverse.h"
#include "read/ImportText.h"
#include "resources/StringTable.h"
#include "write/PlotLabels.h"
#include "write/ReportSummary.h"

#include <algorithm>
#include <cmath>

namespace traverse {

namespace {
struct Area {
    double left, top, right, bottom;
};

// World (X north, Y east) to drawing: fitted into the area, centred.
struct Mapping {
    double scale = 1.0, midX = 0.0, midY = 0.0, cx = 0.0, cy = 0.0;
    double U(const PlanePoint& p) const { return cx + (p.dY - midY) * scale; }
    double V(const PlanePoint& p) const { return cy - (p.dX - midX) * scale; }
};

Mapping FitMapping(const std::vector<PlanePoint>& world, const Area& area) {
    Mapping m;
    m.cx = (area.left + area.right) / 2, m.cy = (area.top + area.bottom) / 2;
    if (world.empty()) return m;
    double minX = world[0].dX, maxX = minX, minY = world[0].dY, maxY = minY;
    for (const PlanePoint& p : world) {
        minX = std::min(minX, p.dX), maxX = std::max(maxX, p.dX);
        minY = std::min(minY, p.dY), maxY = std::max(maxY, p.dY);
    }
    m.midX = (minX + maxX) / 2, m.midY = (minY + maxY) / 2;
    const double fitE = maxY > minY ? (area.right - area.left) / (maxY - minY) : INFINITY;
    const double fitN = maxX > minX ? (area.bottom - area.top) / (maxX - minX) : INFINITY;
    m.scale = std::min(fitE, fitN);
    if (!std::isfinite(m.scale) || m.scale <= 0.0) m.scale = 1.0;
    return m;
}

// Known direction points off the traverse: start 2 and end 2.
std::vector<const KnownPointEcho*> DirectionPoints(const TraverseResults& r) {
    std::vector<const KnownPointEcho*> out;
    for (const KnownPointEcho& k : r.knownPoints)
        if (std::string_view(k.role) == "start2" || std::string_view(k.role) == "end2")
            out.push_back(&k);
    return out;
}

std::vector<LabelRequest> AddTraverse(PlotModel& plot, const Mapping& map,
                                      const TraverseResults& r) {
    std::vector<LabelRequest> labels;
    const auto& pts = r.points;
    if (pts.empty()) return labels;
    labels.reserve(pts.size() + 2);
    plot.lines.reserve(plot.lines.size() + pts.size() + 2);
    for (size_t i = 0; i + 1 < pts.size(); ++i)
        plot.lines.push_back({map.U(pts[i].xy), map.V(pts[i].xy), map.U(pts[i + 1].xy),
                              map.V(pts[i + 1].xy), false});
    if (r.traverseType == kClosed && pts.size() > 2) // the loop returns to its start
        plot.lines.push_back({map.U(pts.back().xy), map.V(pts.back().xy), map.U(pts[0].xy),
                              map.V(pts[0].xy), false});
    for (const KnownPointEcho* k : DirectionPoints(r)) {
        const PlanePoint& at =
            std::string_view(k->role) == "start2" ? pts.front().xy : pts.back().xy;
        plot.lines.push_back({map.U(at), map.V(at), map.U(k->xy), map.V(k->xy), true});
        labels.push_back({map.U(k->xy), map.V(k->xy), k->name, true});
    }
    for (const ResultPoint& p : pts)
        labels.push_back({map.U(p.xy), map.V(p.xy), p.name, p.known});
    return labels;
}

std::vector<LabelRequest> AddNetwork(PlotModel& plot, const Mapping& map,
                                     const TraverseResults& r, const NetworkPlotShape& shape) {
    const auto& pts = r.points;
    auto line = [&](std::pair<int, int> s, bool orientation) {
        const PlanePoint &a = pts[static_cast<size_t>(s.first)].xy,
                         &b = pts[static_cast<size_t>(s.second)].xy;
        plot.lines.push_back({map.U(a), map.V(a), map.U(b), map.V(b), orientation});
    };
    for (const auto& s : shape.sides) line(s, false);
    for (const auto& s : shape.orientations) line(s, true);
    std::vector<LabelRequest> labels;
    for (const ResultPoint& p : pts) labels.push_back({map.U(p.xy), map.V(p.xy), p.name, p.known});
    return labels;
}

// The error ellipses of every k-th new point, magnified alike.
// The largest semi-major axis is drawn about a twentieth of the drawing, but not beyond
// about half the spacing of the points marked, so that neighbouring ellipses keep apart.
void AddEllipses(PlotModel& plot, const Mapping& map, const TraverseResults& r, int every,
                 double spacing) {
    double largest = 0.0;
    for (const ResultPoint& p : r.points)
        if (!p.known) largest = std::max(largest, p.a);
    const double frame = std::min(plot.width, plot.height) / 20, room = 0.5 * spacing;
    const double drawnPerMagnification = largest * 0.001 * map.scale;
    if (largest > 0.0)
        plot.magnification = room > 0.0 && room < frame
                                 ? NiceNearest(room / drawnPerMagnification)
                                 : NiceNearest(frame / drawnPerMagnification);
    const double k = 0.001 * plot.magnification * map.scale; // drawing units per mm
    int index = 0;
    for (const ResultPoint& p : r.points)
        if (!p.known && index++ % every == 0)
            plot.ellipses.push_back({map.U(p.xy), map.V(p.xy), p.a * k, p.b * k, p.f - 90});
}

// The known points, and every k-th new point.
void AddSymbols(PlotModel& plot, const std::vector<LabelRequest>& points, int every) {
    int index = 0;
    for (const LabelRequest& p : points)
        if (p.known || index++ % every == 0) plot.symbols.push_back({p.x, p.y, p.known});
}

// The median length of the traverse's sides as drawn; 0 without sides.
double MedianSide(const PlotModel& plot) {
    std::vector<double> sides;
    for (const PlotLine& l : plot.lines)
        if (!l.orientation) sides.push_back(std::hypot(l.x2 - l.x1, l.y2 - l.y1));
    if (sides.empty()) return 0.0;
    std::nth_element(sides.begin(), sides.begin() + sides.size() / 2, sides.end());
    return sides[sides.size() / 2];
}

void AddNorthArrowAndScale(PlotModel& plot, const Mapping& map, const Area& area, double unit) {
    const double w = plot.width, h = plot.height;
    plot.northArrow = {w - 2 * unit, 2.5 * unit + 2 * plot.fontSize, w - 2 * unit,
                       unit + plot.fontSize, false};
    plot.texts.push_back({w - 2 * unit, unit + 0.8 * plot.fontSize, TextAnchor::Middle, "N"});
    const double metres = NiceFloor((area.right - area.left) / 4 / map.scale);
    plot.scaleBar = {unit, h - unit, unit + metres * map.scale, h - unit, false};
    plot.texts.push_back({unit + metres * map.scale / 2, h - unit - plot.fontSize * 0.5,
                          TextAnchor::Middle, FormatShortest(metres) + " m"});
}

// The legend's entries from the bottom of the right-hand column upwards: each a sample
// drawn in the column's first two ems and its words after them.
void AddLegend(PlotModel& plot, double left, double unit, bool orientation,
               bool junctions = false) {
    const double f = plot.fontSize, x = left + f, text = left + 2.4 * f;
    double y = plot.height - unit - 0.3 * f; // the baseline of the lowest entry
    auto entry = [&](const std::string& words) {
        plot.texts.push_back({text, y, TextAnchor::Start, words});
        const double mid = y - 0.35 * f;
        y -= 1.7 * f;
        return mid;
    };
    if (plot.labelEvery > 1) {
        const std::string k = std::to_string(plot.labelEvery);
        plot.texts.push_back(
            {left, y, TextAnchor::Start,
             plot.marksEvery > 1 ? "待定点每 " + k + " 点绘出一点" : "点名每 " + k + " 点标注"});
        y -= 1.7 * f;
    }
    if (orientation) {
        const double mid = entry("定向方向");
        plot.lines.push_back({x - 0.9 * f, mid, x + 0.9 * f, mid, true});
    }
    const double ellipse =
        entry(FormatString(str::kPlotMagnification, {FormatShortest(plot.magnification)}));
    plot.ellipses.push_back({x, ellipse, 0.9 * f, 0.45 * f, 0});
    if (junctions) plot.symbols.push_back({x, entry("结点"), false, true});
    plot.symbols.push_back({x, entry("待定点"), false});
    plot.symbols.push_back({x, entry("已知点"), true});
    plot.texts.push_back({left, y, TextAnchor::Start, "图例"});
}

// The legend's column: wide enough for its longest words, the magnification's, which
// the map's scale decides after the column is set: six digits are allowed for.
double LegendWidth(double fontSize) {
    const std::string words = FormatString(str::kPlotMagnification, {"200000"});
    return 2.4 * fontSize + EstimatedTextWidth(words, fontSize);
}

// Each new point's name keeps clear of its own ellipse (one ellipse per new point, in
// the points' order).
void SetClearances(std::vector<LabelRequest>& labels, const std::vector<PlotEllipse>& ellipses) {
    size_t next = 0;
    for (LabelRequest& label : labels)
        if (!label.known && next < ellipses.size()) label.clearance = ellipses[next++].rx;
}
} // namespace

double NiceFloor(double value) {
    const double power = std::pow(10.0, std::floor(std::log10(value)));
    for (double step : {5.0, 2.0, 1.0})
        if (step * power <= value * (1 + 1e-12)) return step * power;
    return power;
}

double NiceNearest(double value) {
    const double below = NiceFloor(value);
    const double mantissa = below / std::pow(10.0, std::floor(std::log10(below) + 1e-9));
    const double above = below * (mantissa > 1.5 && mantissa < 3.0 ? 2.5 : 2.0); // 2 -> 5
    return value / below <= above / value ? below : above;
}

std::string PlotTitle(const std::string& observationFile, int traverseType) {
    return DisplayName(observationFile) + "　" + TraverseTypeTitle(traverseType);
}

namespace {
// What is drawn besides the points: the traverse's chain, or a network's sides.
struct Drawing {
    const NetworkPlotShape* network = nullptr;
};

PlotModel BuildPlot(const TraverseResults& results, double width, double height,
                    const std::string& title, const Drawing& drawing) {
    PlotModel plot;
    plot.width = width, plot.height = height;
    const double unit = std::min(width, height) / 40; // spacing of the frame's furniture
    plot.fontSize = std::max(10.0, std::min(width, height) / 50);
    plot.symbolSize = plot.fontSize * 0.35;
    std::vector<PlanePoint> world;
    for (const ResultPoint& p : results.points)
        world.push_back(p.xy);
    for (const KnownPointEcho* k : DirectionPoints(results))
        world.push_back(k->xy);
    const double legend = LegendWidth(plot.fontSize) + unit;
    const double margin = 2 * unit + 1.5 * plot.fontSize; // room for the names at the edge
    const double top = title.empty() ? unit : unit + 2.2 * plot.fontSize;
    const Area area{margin, top + margin, width - legend - margin,
                    height - 2 * unit - plot.fontSize - margin};
    const Mapping map = FitMapping(world, area);
    plot.metresPerUnit = 1.0 / map.scale;
    std::vector<LabelRequest> labels = drawing.network
                                           ? AddNetwork(plot, map, results, *drawing.network)
                                           : AddTraverse(plot, map, results);
    // Sides drawn shorter than a few symbols: the points stand too close to mark one by
    // one, so the names are placed first and only the named points marked.
    const double side = MedianSide(plot);
    const bool dense = side > 0.0 && side < 3 * plot.symbolSize;
    if (!dense) {
        AddEllipses(plot, map, results, 1, side);
        SetClearances(labels, plot.ellipses);
    }
    const PlacedLabels names = PlaceLabels(labels, plot, dense);
    plot.texts = names.texts;
    plot.labelEvery = names.every;
    plot.marksEvery = dense ? names.every : 1;
    if (dense) AddEllipses(plot, map, results, names.every, side * names.every);
    AddSymbols(plot, labels, plot.marksEvery);
    AddNorthArrowAndScale(plot, map, area, unit);
    if (!title.empty())
        plot.texts.push_back(
            {unit, unit + 1.3 * plot.fontSize, TextAnchor::Start, title, 1.3 * plot.fontSize});
    if (!drawing.network) {
        AddLegend(plot, width - legend, unit, !DirectionPoints(results).empty());
        return plot;
    }
    const NetworkPlotShape& shape = *drawing.network;
    for (PlotSymbol& s : plot.symbols)
        for (const int j : shape.junctions) {
            const PlanePoint& at = results.points[static_cast<size_t>(j)].xy;
            s.junction = s.junction || (s.x == map.U(at) && s.y == map.V(at));
        }
    AddLegend(plot, width - legend, unit, !shape.orientations.empty(), !shape.junctions.empty());
    return plot;
}
} // namespace

PlotModel BuildPlotModel(const TraverseResults& results, double width, double height,
                         const std::string& title) {
    return BuildPlot(results, width, height, title, {});
}

PlotModel BuildNetworkPlotModel(const TraverseResults& results, const NetworkPlotShape& shape,
                                double width, double height, const std::string& title) {
    return BuildPlot(results, width, height, title, {&shape});
}

} // namespace traverse
