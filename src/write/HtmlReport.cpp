#include "write/HtmlReport.h"

#include "read/ImportText.h"
#include "write/CalculationSheet.h"
#include "write/MarkupText.h"
#include "write/PlotModel.h"
#include "write/ReportContent.h"
#include "write/SvgPlot.h"

#include <vector>

namespace traverse {

namespace {
using Cells = TextCells;

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

// The page's text so far, handed on in pieces of about 64 KB.
struct Pieces {
    const std::function<void(std::string_view)>& sink;
    std::string text;
    void Piece() {
        if (text.size() < 64 * 1024) return;
        sink(text);
        text.clear();
    }
    void Finish() {
        sink(text);
        text.clear();
    }
};

// The row a calculation sheet ends with ("合计") is set apart from the stations. A name,
// or a known direction's two names ("D22→D21"), heads its row. The cells are let go.
void Table(Pieces& p, Cells& cells, const std::string& cls, bool lastIsSum) {
    std::string& out = p.text;
    out += "<table class=\"" + cls + "\">\n<thead><tr>";
    for (const std::string& h : cells.front()) {
        out += "<th>";
        AppendEscapedMarkup(out, h);
        out += "</th>";
    }
    out += "</tr></thead>\n<tbody>\n";
    for (size_t r = 1; r < cells.size(); ++r) {
        const bool sum = lastIsSum && r + 1 == cells.size();
        out += sum ? "<tr class=\"sum\">" : "<tr>";
        for (size_t c = 0; c < cells[r].size(); ++c) {
            out += c == 0 ? "<th>" : "<td class=\"n\">";
            AppendEscapedMarkup(out, cells[r][c]);
            out += c == 0 ? "</th>" : "</td>";
        }
        out += "</tr>\n";
        p.Piece();
    }
    out += "</tbody>\n</table>\n";
    Cells().swap(cells);
}

std::string InfoRow(const std::string& key, const std::string& value) {
    return "<tr><th>" + EscapedMarkup(key) + "</th><td>" + EscapedMarkup(value) + "</td></tr>\n";
}

std::string Header(const ReportContent& content) {
    std::string out = "<h1>导线平差成果</h1>\n<table class=\"info\">\n";
    for (const auto& [key, value] : content.header)
        out += InfoRow(key, value);
    return out + "</table>\n";
}

// A line with every 超限 in bold red.
std::string MarkedFailures(const std::string& line) {
    std::string out;
    for (const auto& [text, failed] : FailureRuns(line))
        out += failed ? "<b style=\"color:#be0000\">" + EscapedMarkup(text) + "</b>"
                      : EscapedMarkup(text);
    return out;
}

// The closure lines; the last, the verdict, set apart.
std::string Closures(const ReportContent& content) {
    const std::vector<std::string>& lines = content.closures;
    std::string out = "<h2>闭合差与精度</h2>\n";
    for (size_t i = 0; i < lines.size(); ++i)
        out += std::string(i + 1 == lines.size() ? "<p class=\"verdict\">" : "<p>") +
               MarkedFailures(lines[i]) + "</p>\n";
    return out;
}

void SheetWithClosures(Pieces& p, const TraverseResults& r, const ReportContent& content) {
    Cells cells = CalculationSheetCells(r.sheet);
    Table(p, cells, "sheet", true);
    p.text += "<p class=\"closures\">";
    const char* separator = "";
    for (const std::string& line : content.sheetFigures) {
        p.text += separator + EscapedMarkup(line);
        separator = "；";
    }
    p.text += "</p>\n";
}

std::string Paragraphs(const std::vector<std::string>& lines) {
    std::string out;
    for (const std::string& line : lines)
        out += "<p>" + MarkedFailures(line) + "</p>\n";
    return out;
}

// The plot's own XML declaration has no place inside HTML.
std::string InlinePlot(const TraverseResults& r, const std::string& title) {
    std::string svg = WriteSvgPlot(BuildPlotModel(r, 960, 680, title));
    return svg.substr(svg.find("<svg"));
}

// A section of its own page: its title, then what body writes.
template <class Body> void Section(Pieces& p, const char* cls, const std::string& title, Body body) {
    p.text += "<section class=\"table " + std::string(cls) + "\">\n<h2>" + EscapedMarkup(title) +
              "</h2>\n";
    body();
    p.text += "</section>\n";
    p.Piece();
}
} // namespace

void WriteHtmlReport(const TraverseResults& r, const ReportContext& c,
                     const std::function<void(std::string_view)>& sink) {
    Pieces p{sink, "<!DOCTYPE html>\n<html lang=\"zh-CN\">\n<head>\n<meta charset=\"utf-8\">\n"
                   "<title>导线平差成果 " +
                       EscapedMarkup(DisplayName(c.observationFile)) + "</title>\n<style>\n" +
                       kStyle + "</style>\n</head>\n<body>\n"};
    ReportContent content = BuildReportOutline(r, c); // each long table made when written
    p.text += Header(content) + Closures(content) + "<p class=\"sign\">" +
              EscapedMarkup(content.signatures) + "</p>\n";
    Section(p, "sheet", "导线计算表", [&] { SheetWithClosures(p, r, content); });
    Section(p, "coordinates", "坐标成果与点位精度",
            [&] {
                Cells cells = CoordinateCells(r);
                Table(p, cells, "coords", false);
            });
    if (!content.heightTable.empty())
        Section(p, "heights", "高程平差", [&] {
            Table(p, content.heightTable, "heights", false);
            p.text += Paragraphs({content.heightModel});
        });
    Section(p, "tests", "粗差检验", [&] {
        p.text += Paragraphs(content.tests);
        Cells cells = TestCells(r);
        Table(p, cells, "tests", false);
    });
    Section(p, "plot", "导线图", [&] { p.text += InlinePlot(r, content.plotTitle); });
    p.text += "</body>\n</html>\n";
    p.Finish();
}

std::string BuildHtmlReport(const TraverseResults& r, const ReportContext& c) {
    std::string text;
    WriteHtmlReport(r, c, [&text](std::string_view piece) { text.append(piece); });
    return text;
}

} // namespace traverse
