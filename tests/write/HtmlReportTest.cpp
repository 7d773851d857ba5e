// The HTML report: self-contained (nothing fetched, no script), every point and closure
// of each example in it, names escaped, a header row to repeat on every table.
#include "write/AdjustedExamples.h"

#include "model/NumberText.h"
#include "read/ObservationFile.h"
#include "write/HtmlReport.h"
#include "write/MarkupText.h"

#include <gtest/gtest.h>

using namespace traverse;

namespace {
size_t Count(const std::string& text, const std::string& what) {
    size_t n = 0;
    for (size_t at = text.find(what); at != std::string::npos; at = text.find(what, at + 1))
        ++n;
    return n;
}

const ReportContext kContext{"/data/闭合 <1>.txt", DefaultGrade(), "2026-12-07", "9.9", "城北控制测量 <二期>"};
} // namespace

TEST(HtmlReport, HoldsEveryPointAndClosureAndFetchesNothing) {
    for (const Example& example : kExamples) {
        SCOPED_TRACE(example.file);
        auto run = Adjust(example);
        const TraverseResults r = CollectResults(*run->dlg.m_adjusted);
        const std::string html = BuildHtmlReport(r, kContext);
        for (const char* banned : {"<script", "src=", "href=", "url(", "@import", "<link"})
            EXPECT_EQ(html.find(banned), std::string::npos) << banned;
        EXPECT_EQ(html.rfind("<!DOCTYPE html>", 0), 0u);
        EXPECT_EQ(Count(html, "<thead>"), 3u); // sheet, coordinates, tests
        EXPECT_EQ(Count(html, "<svg"), 1u);
        EXPECT_NE(html.find("闭合 &lt;1&gt;.txt"), std::string::npos);
        EXPECT_NE(html.find("<th>项目名称</th><td>城北控制测量 &lt;二期&gt;</td>"), std::string::npos);
        EXPECT_NE(html.find("计算者："), std::string::npos);
        EXPECT_NE(html.find("检查者："), std::string::npos);
        EXPECT_NE(html.find("等级 图根：合格"), std::string::npos);
        EXPECT_NE(html.find("1/" + std::to_string(*r.closure.k)), std::string::npos);
        for (const std::string& line : CalculationSheetFooter(r.sheet, r.closure, kContext.grade))
            EXPECT_NE(html.find(EscapedMarkup(line)), std::string::npos) << line;
        for (const ResultPoint& p : r.points)
            EXPECT_NE(
                html.find("<th>" + p.name + "</th><td class=\"n\">" + FormatFixed(p.xy.dX, 3)),
                std::string::npos)
                << p.name;
    }
}

TEST(HtmlReport, NamesAreEscaped) {
    auto run = Adjust(kExamples[0]);
    TraverseResults r = CollectResults(*run->dlg.m_adjusted);
    r.points[1].name = "A&<B>\"";
    r.sheet.rows[2].station = r.points[1].name; // T1's, under the start direction and D21
    const std::string html = BuildHtmlReport(r, kContext);
    EXPECT_EQ(html.find("A&<B>"), std::string::npos);
    EXPECT_EQ(Count(html, "A&amp;&lt;B&gt;&quot;"), 3u); // sheet, coordinates, plot
}

// 超限 once read like any other word in the report and its PDF.
TEST(HtmlReport, FailuresStandOutInBoldRed) {
    auto run = Adjust(kExamples[0]);
    const TraverseResults r = CollectResults(*run->dlg.m_adjusted);
    ReportContext strict = kContext;
    strict.grade = Grade{"自定义", 1.0, 600000}; // fβ -4.0″ over ±2.4″, 1/578931 over 1/600000
    const std::string html = BuildHtmlReport(r, strict);
    const std::string marked = "<b style=\"color:#be0000\">超限</b>";
    EXPECT_EQ(Count(html, marked), 3u); // azimuth, relative closure, verdict
    EXPECT_EQ(Count(html, "超限"), Count(html, marked));
    EXPECT_EQ(Count(BuildHtmlReport(r, kContext), marked), 0u);
}

// Heights between two known heights: the header gives them, the closures the height
// lines, and a 高程平差 table follows the coordinates.
TEST(HtmlReport, HeightsWhereAKnownHeightIsGiven) {
    const auto adjusted = AdjustHeightsExample();
    ASSERT_TRUE(std::holds_alternative<AdjustedTraverse>(adjusted));
    const std::string html =
        BuildHtmlReport(CollectResults(std::get<AdjustedTraverse>(adjusted)), kContext);
    for (const char* wanted : {"<th>已知高程</th><td>A：H = 45.300 m</td>", "高程闭合差 fh = +19.0 mm",
                               "<h2>高程平差</h2>", "大气折光系数 k = 0.13"})
        EXPECT_NE(html.find(wanted), std::string::npos) << wanted;
    EXPECT_EQ(Count(html, "<thead>"), 4u); // sheet, coordinates, heights, tests
}
