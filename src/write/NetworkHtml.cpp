#include "write/NetworkHtml.h"

#include "write/HtmlParts.h"
#include "write/MarkupText.h"
#include "write/NetworkReportContent.h"
#include "write/NetworkResults.h"
#include "write/ResultsText.h"
#include "write/SvgPlot.h"

namespace traverse {

namespace {
std::string HeaderTable(const ReportContent& content) {
    std::string out = "<table class=\"info\">\n";
    for (const auto& [key, value] : content.header)
        out += HtmlInfoRow(key, value);
    return out + "</table>\n";
}
} // namespace

std::string BuildNetworkHtml(const NetworkObservations& n, const NetworkAdjustment& a,
                             const NetworkContext& context) {
    const ReportContent c = BuildNetworkReportContent(n, a, context);
    std::string out = "<!DOCTYPE html>\n<html lang=\"zh-CN\">\n<head>\n<meta charset=\"utf-8\">\n"
                      "<title>" +
                      EscapedMarkup(c.plotTitle) + "</title>\n<style>\n" + kHtmlStyle +
                      "</style>\n</head>\n<body>\n<h1>导线网平差成果</h1>\n";
    out += HeaderTable(c);
    out += HtmlClosures(c.closures);
    out +=
        HtmlSection("coordinates", "坐标成果与点位精度", HtmlTable(c.coordinates, "coords", false));
    if (!c.heightTable.empty())
        out += HtmlSection("heights", "高程平差",
                           HtmlTable(c.heightTable, "heights", false) +
                               HtmlParagraphs({c.heightModel}));
    out += HtmlSection("tests", "粗差检验",
                       HtmlParagraphs(c.tests) + HtmlTable(c.testTable, "tests", false));
    const std::string svg = WriteSvgPlot(
        BuildNetworkPlotModel(NetworkPointResults(n, a), NetworkShape(n), 960, 680, c.plotTitle));
    out += HtmlSection("plot", "导线网图", HtmlInlineSvg(svg));
    return out + "</body>\n</html>\n";
}

} // namespace traverse
