#include "write/SvgPlot.h"

#include "model/FixedDecimal.h"
#include "write/MarkupText.h"

#include <string_view>

namespace traverse {

namespace {
// The plot's text, appended in place: markup as it stands, figures to two decimals.
struct Svg {
    std::string& out;
    Svg& operator<<(std::string_view text) {
        out.append(text);
        return *this;
    }
    Svg& operator<<(double v) {
        char buf[kMaxFixedChars];
        out.append(buf, WriteFixed(buf, v, 2));
        return *this;
    }
};

void Line(Svg& o, const PlotLine& l, std::string_view style) {
    o << "<line x1=\"" << l.x1 << "\" y1=\"" << l.y1 << "\" x2=\"" << l.x2 << "\" y2=\"" << l.y2
      << "\"" << style << "/>\n";
}

void Symbol(Svg& o, const PlotSymbol& s, double r) {
    if (s.junction) // ringed
        o << "<circle cx=\"" << s.x << "\" cy=\"" << s.y << "\" r=\"" << 1.8 * r << "\"/>\n";
    if (s.junction || !s.known) {
        o << "<circle cx=\"" << s.x << "\" cy=\"" << s.y << "\" r=\"" << r << "\"/>\n";
        return;
    }
    // An upright triangle around the point.
    o << "<polygon points=\"" << s.x << "," << s.y - 1.3 * r << " " << s.x - 1.15 * r << ","
      << s.y + 0.7 * r << " " << s.x + 1.15 * r << "," << s.y + 0.7 * r << "\" fill=\"black\"/>\n";
}

void Ellipse(Svg& o, const PlotEllipse& e) {
    o << "<ellipse cx=\"" << e.cx << "\" cy=\"" << e.cy << "\" rx=\"" << e.rx << "\" ry=\"" << e.ry
      << "\" transform=\"rotate(" << e.rotation << " " << e.cx << " " << e.cy << ")\"/>\n";
}

void Text(Svg& o, const PlotText& t) {
    static constexpr const char* kAnchors[] = {"start", "middle", "end"};
    o << "<text x=\"" << t.x << "\" y=\"" << t.y << "\" text-anchor=\""
      << kAnchors[static_cast<int>(t.anchor)];
    if (t.size > 0) o << "\" font-size=\"" << t.size;
    o << "\">";
    AppendEscapedMarkup(o.out, t.text);
    o << "</text>\n";
}

void NorthArrow(Svg& o, const PlotLine& a, double size) {
    Line(o, a, " stroke-width=\"1.5\"");
    o << "<polygon points=\"" << a.x2 << "," << a.y2 << " " << a.x2 - size << ","
      << a.y2 + 2.5 * size << " " << a.x2 + size << "," << a.y2 + 2.5 * size
      << "\" fill=\"black\"/>\n";
}

void ScaleBar(Svg& o, const PlotLine& s, double tick) {
    Line(o, s, " stroke-width=\"2\"");
    for (double x : {s.x1, s.x2})
        Line(o, {x, s.y1 - tick, x, s.y1, false}, "");
}
} // namespace

std::string WriteSvgPlot(const PlotModel& p) {
    std::string out;
    // About the size of each element's text.
    out.reserve(1024 + 80 * p.lines.size() + 110 * p.symbols.size() + 110 * p.ellipses.size() +
                70 * p.texts.size());
    Svg o{out};
    o << "<?xml version=\"1.0\" encoding=\"UTF-8\"?>\n"
         "<svg xmlns=\"http://www.w3.org/2000/svg\" width=\""
      << p.width << "\" height=\"" << p.height << "\" viewBox=\"0 0 " << p.width << " "
      << p.height << "\">\n"
      << "<rect width=\"100%\" height=\"100%\" fill=\"white\"/>\n";
    o << "<g stroke=\"black\" stroke-width=\"1\" fill=\"none\">\n";
    for (const PlotLine& l : p.lines)
        Line(o, l, l.orientation ? " stroke-dasharray=\"6 4\"" : "");
    NorthArrow(o, p.northArrow, p.symbolSize);
    ScaleBar(o, p.scaleBar, p.symbolSize * 2);
    o << "</g>\n<g stroke=\"black\" stroke-width=\"1\" fill=\"white\">\n";
    for (const PlotSymbol& s : p.symbols)
        Symbol(o, s, p.symbolSize);
    o << "</g>\n<g stroke=\"red\" stroke-width=\"1\" fill=\"none\">\n";
    for (const PlotEllipse& e : p.ellipses)
        Ellipse(o, e);
    o << "</g>\n<g font-family=\"Noto Sans CJK SC, sans-serif\" font-size=\"" << p.fontSize
      << "\" fill=\"black\">\n";
    for (const PlotText& t : p.texts)
        Text(o, t);
    o << "</g>\n</svg>\n";
    return out;
}

} // namespace traverse
