#include "write/NetworkHtml.h"

#include "write/HtmlParts.h"
#include "write/MarkupText.h"
#include "write/NetworkReport.h"
#include "write/NetworkResults.h"
#include "write/ResultsText.h"
#include "write/SvgPlot.h"

namespace traverse {

namespace {
// "观测文件：a.txt、b.txt" as a row of the header's table; a line without "：" (the
// title) is left out.
std::string HeaderTable(const std::vector<std::string>& lines) {
    std::string out = "<table class=\"info\">\n";
    const std::string colon = "：";
    for (const std::string& line : lines) {
        const size_t at = line.find(colon);
        if (at != std::string::npos)
            out += HtmlInfoRow(line.substr(0, at), line.substr(at + colon.size()));
    }
    return out + "</table>\n";
}

TextCells Coordinates(const TraverseResults& points) {
    TextCells cells{CoordinateTableHeaders()};
    for (const ResultPoint& p : points.points)
        cells.push_back(CoordinateTableRow(p));
    return cells;
}

std::string Tests(const NetworkObservations& n, const NetworkAdjustment& a) {
    const ObservationNamer name = NetworkObservationNamer(n);
    std::vector<std::string> lines{"观测值的权：" + WeightsText(a.instrument),
                                   GlobalTestLine(a.tests)};
    for (const std::string& line : SuspectLines(a.tests, name))
        lines.push_back(line);
    lines.push_back(EllipseLevelLine(a.redundancy));
    TextCells table{ObservationTestHeaders()};
    for (std::vector<std::string>& row : ObservationTestRows(a.tests, name))
        table.push_back(std::move(row));
    return HtmlParagraphs(lines) + HtmlTable(table, "tests", false);
}
} // namespace

std::string BuildNetworkHtml(const NetworkObservations& n, const NetworkAdjustment& a,
                             const NetworkContext& context) {
    const TraverseResults points = NetworkPointResults(n, a);
    std::string out = "<!DOCTYPE html>\n<html lang=\"zh-CN\">\n<head>\n<meta charset=\"utf-8\">\n"
                      "<title>" +
                      EscapedMarkup(NetworkPlotTitle(n)) + "</title>\n<style>\n" + kHtmlStyle +
                      "</style>\n</head>\n<body>\n<h1>导线网平差成果</h1>\n";
    out += HeaderTable(NetworkHeaderLines(n, a.instrument, context));
    std::vector<std::string> closures = NetworkClosureLines(n, a, context.grade);
    closures.erase(closures.begin()); // the text report's rule
    out += HtmlClosures(closures);
    out += HtmlSection("coordinates", "坐标成果与点位精度",
                       HtmlTable(Coordinates(points), "coords", false));
    if (a.heights)
        out += HtmlSection("heights", "高程平差",
                           HtmlTable(NetworkHeightCells(n, *a.heights), "heights", false) +
                               HtmlParagraphs({NetworkHeightErrorLine(*a.heights)}));
    out += HtmlSection("tests", "粗差检验", Tests(n, a));
    const std::string svg =
        WriteSvgPlot(BuildNetworkPlotModel(points, NetworkShape(n), 960, 680, NetworkPlotTitle(n)));
    out += HtmlSection("plot", "导线网图", HtmlInlineSvg(svg));
    return out + "</body>\n</html>\n";
}

} // namespace traverse
