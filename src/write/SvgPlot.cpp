#include "write/SvgPlot.h"

#include "model/NumberText.h"
#include "write/MarkupText.h"

#include <string_view>

namespace traverse {

namespace {
std::string N(double v) { return FormatFixed(v, 2); }

std::string Line(const PlotLine& l, std::string_view style) {
    return "<line x1=\"" + N(l.x1) + "\" y1=\"" + N(l.y1) + "\" x2=\"" + N(l.x2) + "\" y2=\"" +
           N(l.y2) + "\"" + std::string(style) + "/>\n";
}

std::string Symbol(const PlotSymbol& s, double r) {
    const std::string circle =
        "<circle cx=\"" + N(s.x) + "\" cy=\"" + N(s.y) + "\" r=\"" + N(r) + "\"/>\n";
    if (s.junction) // ringed
        return "<circle cx=\"" + N(s.x) + "\" cy=\"" + N(s.y) + "\" r=\"" + N(1.8 * r) + "\"/>\n" +
               circle;
    if (!s.known) return circle;
    // An upright triangle around the point.
    return "<polygon points=\"" + N(s.x) + "," + N(s.y - 1.3 * r) + " " + N(s.x - 1.15 * r) + "," +
           N(s.y + 0.7 * r) + " " + N(s.x + 1.15 * r) + "," + N(s.y + 0.7 * r) +
           "\" fill=\"black\"/>\n";
}

std::string Ellipse(const PlotEllipse& e) {
    return "<ellipse cx=\"" + N(e.cx) + "\" cy=\"" + N(e.cy) + "\" rx=\"" + N(e.rx) + "\" ry=\"" +
           N(e.ry) + "\" transform=\"rotate(" + N(e.rotation) + " " + N(e.cx) + " " + N(e.cy) +
           ")\"/>\n";
}

std::string Text(const PlotText& t) {
    static constexpr const char* kAnchors[] = {"start", "middle", "end"};
    const std::string size = t.size > 0 ? "\" font-size=\"" + N(t.size) : "";
    return "<text x=\"" + N(t.x) + "\" y=\"" + N(t.y) + "\" text-anchor=\"" +
           kAnchors[static_cast<int>(t.anchor)] + size + "\">" + EscapedMarkup(t.text) +
           "</text>\n";
}

std::string NorthArrow(const PlotLine& a, double size) {
    return Line(a, " stroke-width=\"1.5\"") + "<polygon points=\"" + N(a.x2) + "," + N(a.y2) + " " +
           N(a.x2 - size) + "," + N(a.y2 + 2.5 * size) + " " + N(a.x2 + size) + "," +
           N(a.y2 + 2.5 * size) + "\" fill=\"black\"/>\n";
}

std::string ScaleBar(const PlotLine& s, double tick) {
    std::string out = Line(s, " stroke-width=\"2\"");
    for (double x : {s.x1, s.x2})
        out += Line({x, s.y1 - tick, x, s.y1, false}, "");
    return out;
}
} // namespace

std::string WriteSvgPlot(const PlotModel& p) {
    std::string out = "<?xml version=\"1.0\" encoding=\"UTF-8\"?>\n"
                      "<svg xmlns=\"http://www.w3.org/2000/svg\" width=\"" +
                      N(p.width) + "\" height=\"" + N(p.height) + "\" viewBox=\"0 0 " + N(p.width) +
                      " " + N(p.height) + "\">\n" +
                      "<rect width=\"100%\" height=\"100%\" fill=\"white\"/>\n";
    out += "<g stroke=\"black\" stroke-width=\"1\" fill=\"none\">\n";
    for (const PlotLine& l : p.lines)
        out += Line(l, l.orientation ? " stroke-dasharray=\"6 4\"" : "");
    out += NorthArrow(p.northArrow, p.symbolSize) + ScaleBar(p.scaleBar, p.symbolSize * 2);
    out += "</g>\n<g stroke=\"black\" stroke-width=\"1\" fill=\"white\">\n";
    for (const PlotSymbol& s : p.symbols)
        out += Symbol(s, p.symbolSize);
    out += "</g>\n<g stroke=\"red\" stroke-width=\"1\" fill=\"none\">\n";
    for (const PlotEllipse& e : p.ellipses)
        out += Ellipse(e);
    out += "</g>\n<g font-family=\"Noto Sans CJK SC, sans-serif\" font-size=\"" + N(p.fontSize) +
           "\" fill=\"black\">\n";
    for (const PlotText& t : p.texts)
        out += Text(t);
    return out + "</g>\n</svg>\n";
}

} // namespace traverse
