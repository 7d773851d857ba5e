#include "write/PlotModel.h"

#include "model/NumberText.h"
#include "model/Traverse.h"
#include "resources/StringTable.h"

#include <algorithm>
#include <cmath>

namespace {
// World (X north, Y east) to drawing: fitted into the drawing less a margin, centred.
struct Mapping {
    double scale = 1.0, midX = 0.0, midY = 0.0, cx = 0.0, cy = 0.0;
    double U(const PlanePoint& p) const { return cx + (p.dY - midY) * scale; }
    double V(const PlanePoint& p) const { return cy - (p.dX - midX) * scale; }
};

Mapping FitMapping(const std::vector<PlanePoint>& world, double width, double height,
                   double margin) {
    Mapping m;
    m.cx = width / 2, m.cy = height / 2;
    if (world.empty()) return m;
    double minX = world[0].dX, maxX = minX, minY = world[0].dY, maxY = minY;
    for (const PlanePoint& p : world) {
        minX = std::min(minX, p.dX), maxX = std::max(maxX, p.dX);
        minY = std::min(minY, p.dY), maxY = std::max(maxY, p.dY);
    }
    m.midX = (minX + maxX) / 2, m.midY = (minY + maxY) / 2;
    const double fitE = maxY > minY ? (width - 2 * margin) / (maxY - minY) : INFINITY;
    const double fitN = maxX > minX ? (height - 2 * margin) / (maxX - minX) : INFINITY;
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

void AddPoint(PlotModel& plot, const Mapping& map, const PlanePoint& p, bool known,
              const std::string& name) {
    const double x = map.U(p), y = map.V(p), s = plot.symbolSize;
    plot.symbols.push_back({x, y, known});
    plot.texts.push_back({x + s * 1.5, y - s * 1.5, TextAnchor::Start, name});
}

void AddTraverse(PlotModel& plot, const Mapping& map, const TraverseResults& r) {
    const auto& pts = r.points;
    if (pts.empty()) return;
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
        AddPoint(plot, map, k->xy, true, k->name);
    }
    for (const ResultPoint& p : pts)
        AddPoint(plot, map, p.xy, p.known, p.name);
}

void AddEllipses(PlotModel& plot, const Mapping& map, const TraverseResults& r) {
    double largest = 0.0;
    for (const ResultPoint& p : r.points)
        if (!p.known) largest = std::max(largest, p.a);
    const double wanted = std::min(plot.width, plot.height) / 20; // the semi-major axis, drawn
    if (largest > 0.0) plot.magnification = NiceNearest(wanted / (largest * 0.001 * map.scale));
    const double k = 0.001 * plot.magnification * map.scale; // drawing units per mm
    for (const ResultPoint& p : r.points)
        if (!p.known)
            plot.ellipses.push_back({map.U(p.xy), map.V(p.xy), p.a * k, p.b * k, p.f - 90});
}

void AddNorthArrowAndScale(PlotModel& plot, const Mapping& map, double unit) {
    const double w = plot.width, h = plot.height;
    plot.northArrow = {w - 2 * unit, 2.5 * unit + 2 * plot.fontSize, w - 2 * unit,
                       unit + plot.fontSize, false};
    plot.texts.push_back({w - 2 * unit, unit + 0.8 * plot.fontSize, TextAnchor::Middle, "N"});
    const double metres = NiceFloor(w / 4 / map.scale);
    plot.scaleBar = {unit, h - unit, unit + metres * map.scale, h - unit, false};
    plot.texts.push_back({unit + metres * map.scale / 2, h - unit - plot.fontSize * 0.5,
                          TextAnchor::Middle, FormatShortest(metres) + " m"});
    plot.texts.push_back(
        {w - unit, h - unit, TextAnchor::End,
         FormatString(str::kPlotMagnification, {FormatShortest(plot.magnification)})});
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

PlotModel BuildPlotModel(const TraverseResults& results, double width, double height) {
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
    const Mapping map = FitMapping(world, width, height, 4 * unit + 2 * plot.fontSize);
    plot.metresPerUnit = 1.0 / map.scale;
    AddTraverse(plot, map, results);
    AddEllipses(plot, map, results);
    AddNorthArrowAndScale(plot, map, unit);
    return plot;
}
