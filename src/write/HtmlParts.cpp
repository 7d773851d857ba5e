#include "write/HtmlParts.h"

#include "write/MarkupText.h"

namespace traverse {

const char* const kHtmlStyle = R"(@page { size: A4; margin: 15mm 12mm; }
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

std::string HtmlTable(const TextCells& cells, const std::string& cls, bool lastIsSum) {
    std::string out = "<table class=\"" + cls + "\">\n<thead><tr>";
    for (const std::string& h : cells.front()) out += "<th>" + EscapedMarkup(h) + "</th>";
    out += "</tr></thead>\n<tbody>\n";
    for (size_t r = 1; r < cells.size(); ++r) {
        const bool sum = lastIsSum && r + 1 == cells.size();
        out += sum ? "<tr class=\"sum\">" : "<tr>";
        for (size_t c = 0; c < cells[r].size(); ++c)
            out += (c == 0 ? "<th>" : "<td class=\"n\">") + EscapedMarkup(cells[r][c]) +
                   (c == 0 ? "</th>" : "</td>");
        out += "</tr>\n";
    }
    return out + "</tbody>\n</table>\n";
}

std::string HtmlInfoRow(const std::string& key, const std::string& value) {
    return "<tr><th>" + EscapedMarkup(key) + "</th><td>" + EscapedMarkup(value) + "</td></tr>\n";
}

std::string HtmlMarkedFailures(const std::string& line) {
    std::string out;
    for (const auto& [text, failed] : FailureRuns(line))
        out += failed ? "<b style=\"color:#be0000\">" + EscapedMarkup(text) + "</b>"
                      : EscapedMarkup(text);
    return out;
}

std::string HtmlParagraphs(const std::vector<std::string>& lines) {
    std::string out;
    for (const std::string& line : lines) out += "<p>" + HtmlMarkedFailures(line) + "</p>\n";
    return out;
}

std::string HtmlClosures(const std::vector<std::string>& lines) {
    std::string out = "<h2>闭合差与精度</h2>\n";
    for (size_t i = 0; i < lines.size(); ++i)
        out += std::string(i + 1 == lines.size() ? "<p class=\"verdict\">" : "<p>") +
               HtmlMarkedFailures(lines[i]) + "</p>\n";
    return out;
}

std::string HtmlSection(const char* cls, const std::string& title, const std::string& body) {
    return "<section class=\"table " + std::string(cls) + "\">\n<h2>" + EscapedMarkup(title) +
           "</h2>\n" + body + "</section>\n";
}

std::string HtmlInlineSvg(const std::string& svg) { return svg.substr(svg.find("<svg")); }

} // namespace traverse
