#include "write/HtmlReport.h"

#include "write/HtmlParts.h"

#include "read/ImportText.h"
#include "write/CalculationSheet.h"
#include "write/MarkupText.h"
#include "write/ObservationTestsText.h"
#include "write/PlotModel.h"
#include "write/ReportContent.h"
#include "write/ResultsText.h"
#include "write/SvgPlot.h"

#include <functional>
#include <string_view>
#include <vector>

namespace traverse {

namespace {
using Cells = TextCells;


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
// or a known direction's two names ("D22→D21"), heads its row. rowAt puts row i (0 the
// header) into a row of cells reused for every row.
using RowAt = std::function<void(size_t, std::vector<std::string>&)>;
void Table(Pieces& p, size_t rows, const RowAt& rowAt, const std::string& cls, bool lastIsSum) {
    std::string& out = p.text;
    std::vector<std::string> cells;
    rowAt(0, cells);
    out += "<table class=\"" + cls + "\">\n<thead><tr>";
    for (const std::string& h : cells) {
        out += "<th>";
        AppendEscapedMarkup(out, h);
        out += "</th>";
    }
    out += "</tr></thead>\n<tbody>\n";
    using namespace std::string_view_literals;
    for (size_t r = 1; r < rows; ++r) {
        rowAt(r, cells);
        const bool sum = lastIsSum && r + 1 == rows;
        out += sum ? "<tr class=\"sum\">"sv : "<tr>"sv;
        for (size_t c = 0; c < cells.size(); ++c) {
            out += c == 0 ? "<th>"sv : "<td class=\"n\">"sv;
            AppendEscapedMarkup(out, cells[c]);
            out += c == 0 ? "</th>"sv : "</td>"sv;
        }
        out += "</tr>\n"sv;
        p.Piece();
    }
    out += "</tbody>\n</table>\n";
}

// A table made whole beforehand; its cells are let go as they are written.
void Table(Pieces& p, Cells& cells, const std::string& cls, bool lastIsSum) {
    Table(
        p, cells.size(), [&cells](size_t i, std::vector<std::string>& row) { row = std::move(cells[i]); },
        cls, lastIsSum);
    Cells().swap(cells);
}


std::string Header(const ReportContent& content) {
    std::string out = "<h1>导线平差成果</h1>\n<table class=\"info\">\n";
    for (const auto& [key, value] : content.header)
        out += HtmlInfoRow(key, value);
    return out + "</table>\n";
}

void SheetWithClosures(Pieces& p, const TraverseResults& r, const ReportContent& content) {
    Table(
        p, CalculationSheetRowCount(r.sheet),
        [&r](size_t i, std::vector<std::string>& row) { CalculationSheetRow(r.sheet, i, row); },
        "sheet", true);
    p.text += "<p class=\"closures\">";
    const char* separator = "";
    for (const std::string& line : content.sheetFigures) {
        p.text += separator + EscapedMarkup(line);
        separator = "；";
    }
    p.text += "</p>\n";
}

// The plot's own XML declaration has no place inside HTML.
std::string InlinePlot(const TraverseResults& r, const std::string& title) {
    return HtmlInlineSvg(WriteSvgPlot(BuildPlotModel(r, 960, 680, title)));
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
                       kHtmlStyle + "</style>\n</head>\n<body>\n"};
    ReportContent content = BuildReportOutline(r, c); // each long table made when written
    p.text += Header(content) + HtmlClosures(content.closures) + "<p class=\"sign\">" +
              EscapedMarkup(content.signatures) + "</p>\n";
    Section(p, "sheet", "导线计算表", [&] { SheetWithClosures(p, r, content); });
    Section(p, "coordinates", "坐标成果与点位精度",
            [&] {
                Table(
                    p, r.points.size() + 1,
                    [&r](size_t i, std::vector<std::string>& row) {
                        row = i == 0 ? CoordinateTableHeaders() : CoordinateTableRow(r.points[i - 1]);
                    },
                    "coords", false);
            });
    if (!content.heightTable.empty())
        Section(p, "heights", "高程平差", [&] {
            Table(p, content.heightTable, "heights", false);
            p.text += HtmlParagraphs({content.heightModel});
        });
    Section(p, "tests", "粗差检验", [&] {
        p.text += HtmlParagraphs(content.tests);
        const std::vector<size_t> order = ObservationTestOrder(r.tests);
        Table(
            p, order.size() + 1,
            [&r, &order](size_t i, std::vector<std::string>& row) {
                if (i == 0) {
                    row = ObservationTestHeaders();
                    return;
                }
                const ObservationTest& t = r.tests.observations[order[i - 1]];
                row = ObservationTestRow(t, ObservationName(t, r.observations));
            },
            "tests", false);
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
