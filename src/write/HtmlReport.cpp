#include "write/HtmlReport.h"

#include "read/ImportText.h"
#include "write/MarkupText.h"
#include "write/PlotModel.h"
#include "write/ResultsText.h"
#include "write/SvgPlot.h"

#include <vector>

namespace traverse {

namespace {
using Cells = std::vector<std::vector<std::string>>;

constexpr const char* kStyle = R"(@page { size: A4; margin: 15mm 12mm; }
@page sheet { size: A4 landscape; }
body { font-family: "Noto Serif CJK SC", "AR PL UMing CN", SimSun, "宋体", serif;
       font-size: 10.5pt; color: black; margin: 0; }
h1 { font-size: 16pt; text-align: center; margin: 0 0 8pt; }
h2 { font-size: 12pt; margin: 12pt 0 6pt; }
section.table { break-before: page; page-break-before: always; }
section.sheet { page: sheet; }
table { border-collapse: collapse; }
th, td { border: 0.6pt solid black; padding: 1.5pt 4pt; }
th { font-weight: bold; background: #eee; white-space: nowrap; }
td.n { text-align: right; font-variant-numeric: tabular-nums; white-space: nowrap; }
thead { display: table-header-group; }
tr { break-inside: avoid; page-break-inside: avoid; }
table.sheet { font-size: 8pt; }
table.sheet th, table.sheet td { padding: 1pt 2.5pt; font-size: 8pt; white-space: nowrap; }
table.info th { text-align: left; background: none; }
tr.sum th, tr.sum td { font-weight: bold; border-top: 1.2pt solid black; }
p.verdict { font-weight: bold; }
p.sign { margin-top: 18pt; }
p.closures { break-before: avoid; page-break-before: avoid; margin-top: 4pt; }
svg { width: 100%; height: auto; max-height: 170mm; }
)";

// The row a calculation sheet ends with ("合计") is set apart from the stations. Qt's
// rich text takes the width, borders and alignment as attributes only.
std::string Table(const Cells& cells, const std::string& cls, bool lastIsSum, bool richText) {
    const std::string number =
        richText ? "<td align=\"right\" style=\"white-space: nowrap\">" : "<td class=\"n\">";
    // A name, or a known direction's two names ("D22→D21"), on one line.
    const std::string name = richText ? "<th style=\"white-space: nowrap\">" : "<th>";
    std::string out =
        "<table class=\"" + cls + "\"" +
        (richText ? " width=\"100%\" border=\"1\" cellspacing=\"0\" cellpadding=\"2\"" : "") +
        ">\n<thead><tr>";
    for (const std::string& h : cells.front())
        out += "<th>" + EscapedMarkup(h) + "</th>";
    out += "</tr></thead>\n<tbody>\n";
    for (size_t r = 1; r < cells.size(); ++r) {
        const bool sum = lastIsSum && r + 1 == cells.size();
        out += sum ? "<tr class=\"sum\">" : "<tr>";
        for (size_t c = 0; c < cells[r].size(); ++c)
            out += (c == 0 ? name : number) + EscapedMarkup(cells[r][c]) +
                   (c == 0 ? "</th>" : "</td>");
        out += "</tr>\n";
    }
    return out + "</tbody>\n</table>\n";
}

// Where the computer and the checker sign, under the closures on the first page.
constexpr const char* kSignatures =
    "<p class=\"sign\">计算者：__________　　检查者：__________　　日期：__________</p>\n";

std::string InfoRow(const std::string& key, const std::string& value) {
    return "<tr><th>" + EscapedMarkup(key) + "</th><td>" + EscapedMarkup(value) + "</td></tr>\n";
}

std::string Header(const TraverseResults& r, const ReportContext& c) {
    std::string out = "<h1>导线平差成果</h1>\n<table class=\"info\">\n";
    if (!c.project.empty()) out += InfoRow("项目名称", c.project);
    out += InfoRow("观测文件", DisplayName(c.observationFile));
    out += InfoRow("导线类型", TraverseTypeTitle(r.traverseType));
    for (const KnownPointText& k : KnownPointTexts(r))
        out += InfoRow(k.point, k.coordinates);
    out += InfoRow("等级", GradeDescription(c.grade));
    out += InfoRow("日期", c.date);
    out += InfoRow("程序版本", c.version);
    return out + "</table>\n";
}

// A line with every 超限 in bold red (an inline style, which Qt's rich text reads too).
std::string MarkedFailures(const std::string& escaped) {
    const std::string fail = VerdictText(false);
    std::string out;
    size_t from = 0;
    for (size_t at = escaped.find(fail); at != std::string::npos; at = escaped.find(fail, from)) {
        out += escaped.substr(from, at - from) + "<b style=\"color:#be0000\">" + fail + "</b>";
        from = at + fail.size();
    }
    return out + escaped.substr(from);
}

// The closure lines; the last, the verdict, set apart.
std::string Closures(const TraverseResults& r, const Grade& grade) {
    const std::vector<std::string> lines =
        ClosureSummaryLines(r, grade, CheckGrade(r.closure, grade));
    std::string out = "<h2>闭合差与精度</h2>\n";
    for (size_t i = 0; i < lines.size(); ++i)
        out += std::string(i + 1 == lines.size() ? "<p class=\"verdict\">" : "<p>") +
               MarkedFailures(EscapedMarkup(lines[i])) + "</p>\n";
    return out;
}

std::string SheetWithClosures(const TraverseResults& r, const Grade& grade, bool richText) {
    std::string out =
        Table(CalculationSheetCells(r.sheet), "sheet", true, richText) + "<p class=\"closures\">";
    const char* separator = "";
    for (const std::string& line : CalculationSheetFooter(r.sheet, r.closure, grade)) {
        out += separator + EscapedMarkup(line);
        separator = "；";
    }
    return out + "</p>\n";
}

Cells CoordinateCells(const TraverseResults& r) {
    Cells cells{CoordinateTableHeaders()};
    for (const ResultPoint& p : r.points)
        cells.push_back(CoordinateTableRow(p));
    return cells;
}

// The plot's own XML declaration has no place inside HTML.
std::string InlinePlot(const TraverseResults& r, const ReportContext& c) {
    std::string svg =
        WriteSvgPlot(BuildPlotModel(r, 960, 680, PlotTitle(c.observationFile, r.traverseType)));
    return svg.substr(svg.find("<svg"));
}

std::string Section(const char* cls, const std::string& title, const std::string& body,
                    bool richText) {
    // Qt's rich text breaks pages on the heading itself.
    const std::string h2 =
        richText ? "<h2 style=\"page-break-before: always\">" : std::string("<h2>");
    return "<section class=\"table " + std::string(cls) + "\">\n" + h2 + EscapedMarkup(title) +
           "</h2>\n" + body + "</section>\n";
}
} // namespace

std::string BuildHtmlReport(const TraverseResults& r, const ReportContext& c,
                            const HtmlReportOptions& options) {
    std::string out = "<!DOCTYPE html>\n<html lang=\"zh-CN\">\n<head>\n<meta charset=\"utf-8\">\n"
                      "<title>导线平差成果 " +
                      EscapedMarkup(DisplayName(c.observationFile)) + "</title>\n<style>\n" +
                      kStyle + "</style>\n</head>\n<body>\n";
    out += Header(r, c) + Closures(r, c.grade) + kSignatures;
    out += Section("sheet", "导线计算表", SheetWithClosures(r, c.grade, options.richText),
                   options.richText);
    out += Section("coordinates", "坐标成果与点位精度",
                   Table(CoordinateCells(r), "coords", false, options.richText), options.richText);
    if (options.plot) out += Section("plot", "导线图", InlinePlot(r, c), options.richText);
    return out + "</body>\n</html>\n";
}

} // namespace traverse
