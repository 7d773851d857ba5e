// The pieces the HTML reports are made of (inside the library): the page's style for
// reading and A4 printing, a table (header row first; its first column heads each row),
// a header table's row, lines with every 超限 in bold red, the closures section (the last
// line, the verdict, set apart), a section that starts a printed page, and an SVG
// document inline without its XML declaration. Text UTF-8, escaped here.
#pragma once

#include "write/ReportContent.h"

#include <string>
#include <vector>

namespace traverse {

extern const char* const kHtmlStyle;

std::string HtmlTable(const TextCells& cells, const std::string& cls, bool lastIsSum);
std::string HtmlInfoRow(const std::string& key, const std::string& value);
std::string HtmlMarkedFailures(const std::string& line);
std::string HtmlParagraphs(const std::vector<std::string>& lines);
std::string HtmlClosures(const std::vector<std::string>& lines);
std::string HtmlSection(const char* cls, const std::string& title, const std::string& body);
std::string HtmlInlineSvg(const std::string& svg);

} // namespace traverse
