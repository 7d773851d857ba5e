#include "write/ResultsReport.h"
#include "ReportWorkspaces.h"
#include "resources/CodePage936.h"
#include "resources/StringTable.h"
#include "workspace/ResultExportDlg.h"
#include "write/AdjustedExamples.h"

#include <gtest/gtest.h>

using namespace traverse;

using namespace report_test;

namespace {
constexpr ReportSections kApprox{.approxCoords = true}, kAdjCoords{.adjCoords = true},
    kSides{.adjSides = true}, kPrecision{.precision = true},
    kAll{.approxCoords = true, .adjCoords = true, .adjSides = true, .precision = true};

std::string CrLfHeaders(std::initializer_list<int> ids) {
    std::string out;
    for (int id : ids) {
        std::string text = Utf8ToCp936(LoadString(id)).value();
        for (char c : text)
            out += c == '\n' ? "\r\n" : std::string(1, c);
    }
    return out;
}

// The checked-in reports hold every line format, the three-space starts after strings
// 19, 21 and 23, an orientation of 349 30 1.5 and values of ten thousand and more.
TEST(ResultsReport, MatchesTheCheckedInReports) {
    const std::pair<const char*, ReportSections> sections[] = {{"approx", kApprox},
                                                               {"adjusted", kAdjCoords},
                                                               {"sides", kSides},
                                                               {"precision", kPrecision},
                                                               {"all", kAll}};
    for (auto [type, fill] : {std::pair{"closed", &FillClosed}, {"single", &FillSingle}}) {
        for (auto [name, chosen] : sections) {
            std::string golden = std::string(type) + "_" + name + ".txt";
            AdjustedTraverse ws;
            fill(ws);
            std::string expected = ReadBytes(std::string(TA_TEST_DATA_DIR) + "/report/" + golden);
            ASSERT_FALSE(expected.empty()) << golden;
            EXPECT_TRUE(SameBytes(expected, BuildResultsReport(ws, chosen))) << golden;
        }
    }
}

// The double-connection and non-oriented types write their reports as the closed and
// single-connection types do.
TEST(ResultsReport, EveryTypeMatchesTheReportOfItsKind) {
    const struct {
        int type;
        void (*fill)(AdjustedTraverse&);
        const char* golden;
    } cases[] = {{kDoubleConnection, &FillClosed, "closed_all.txt"},
                 {kNonOriented, &FillSingle, "single_all.txt"}};
    for (const auto& c : cases) {
        AdjustedTraverse ws;
        c.fill(ws);
        ws.traverseType = static_cast<TraverseType>(c.type);
        std::string expected = ReadBytes(std::string(TA_TEST_DATA_DIR) + "/report/" + c.golden);
        EXPECT_TRUE(SameBytes(expected, BuildResultsReport(ws, kAll))) << c.golden;
    }
}

// Three adjusted points under every type: types 0 and 1 name the last point after the
// last foresight and write it as a wide line, types 2 and 3 after its station.
TEST(ResultsReport, LastPointLineDependsOnTheType) {
    for (int type : {kNonOriented, kSingleConnection, kClosed, kDoubleConnection}) {
        AdjustedTraverse ws;
        FillSingle(ws);
        ws.traverseType = static_cast<TraverseType>(type);
        ws.adjustment.points.resize(3);
        std::string report = BuildResultsReport(ws, kAdjCoords);
        std::string last = type < kClosed ? "  K2   700.005    -0.000   \t \r\n"
                                          : "  Z2  700.005    -0.000   \t \r\n";
        EXPECT_TRUE(report.ends_with(last)) << "type " << type;
    }
}

// No section: no bytes. Sections without entries (results emptied by a later import,
// fewer than three precision entries) keep their headers; a lone end point is named
// after the last foresight.
TEST(ResultsReport, SectionsWithoutEntriesKeepTheirHeaders) {
    AdjustedTraverse closed;
    FillClosed(closed);
    EXPECT_EQ(BuildResultsReport(closed, {}), "");
    for (int type : {kNonOriented, kSingleConnection, kClosed, kDoubleConnection}) {
        AdjustedTraverse ws;
        Fill(ws, type, {{"A", "B"}, {"B", "C"}}, {}, {}, {},
             {{1, 1, 1, 1, 1, {0, 0, 0}}, {1, 1, 1, 1, 1, {0, 0, 0}}});
        EXPECT_TRUE(SameBytes(CrLfHeaders({26, 27, 22, 23, 24, 25, 18, 19, 20, 21}),
                              BuildResultsReport(ws, kAll)))
            << "type " << type;
    }
    AdjustedTraverse one;
    Fill(one, kNonOriented, {{"A", "B"}}, {{1.5, 2.5}}, {}, {}, {});
    EXPECT_TRUE(SameBytes(CrLfHeaders({26, 27}) + "  B   1.500      2.500    \t \r\n",
                          BuildResultsReport(one, kApprox)));
}

// On request the same text in UTF-8, Chinese names included, line ends still CR LF; the
// options dialog's encoding chooses it.
TEST(ResultsReport, Utf8OnRequestIsTheSameText) {
    AdjustedTraverse ws;
    FillClosed(ws);
    ReportSections utf8 = kAll;
    utf8.encoding = ReportEncoding::Utf8;
    const std::string text = BuildResultsReport(ws, utf8);
    EXPECT_EQ(text, Cp936ToUtf8(BuildResultsReport(ws, kAll)));
    EXPECT_NE(text.find("  北山  "), std::string::npos);
    EXPECT_NE(text.find("坐标平差值------------\r\n"), std::string::npos);
    CResultExportDlg options;
    options.m_nEncoding = 1;
    EXPECT_EQ(options.Sections().encoding, ReportEncoding::Utf8);
}

} // namespace

namespace {
// The header and the closures around the four tables: the tables stay as they were, the
// header names the file, type, known points and grade, the closures end on the verdict.
TEST(ResultsReport, HeaderAndClosuresAroundTheTables) {
    auto run = Adjust(kExamples[0]);
    ASSERT_TRUE(run->dlg.m_adjusted.has_value());
    const AdjustedTraverse& t = *run->dlg.m_adjusted;
    ReportSections six = kAll;
    six.header = six.closures = true;
    six.encoding = ReportEncoding::Utf8;
    ReportSections four = kAll;
    four.encoding = ReportEncoding::Utf8;
    const ReportContext context{"/data/closed.txt", DefaultGrade(), "2026-12-07", "9.9", {}};
    const std::string report = BuildResultsReport(t, six, context);
    const std::string tables = BuildResultsReport(t, four, context);
    const size_t at = report.find(tables);
    ASSERT_NE(at, std::string::npos) << "the four tables unchanged inside";
    EXPECT_EQ(report.substr(0, at), "导线平差成果\r\n观测文件：closed.txt\r\n导线类型：闭合导线\r\n"
                                    "已知点1 D21：X = 3381252.418 m，Y = 501734.206 m\r\n"
                                    "已知点2 D22：X = 3381685.431 m，Y = 501484.203 m\r\n"
                                    "等级：图根（全长相对闭合差 1/2000，方位角闭合差 ±60″√n，"
                                    "导线全长 ≤ 2000 m（未选测图比例尺，按 1:2000））\r\n"
                                    "观测值的权：测角权倒数 2，边长权倒数 0.01·D（D 以米计），"
                                    "单位权中误差以秒计\r\n"
                                    "日期：2026-12-07　程序版本：9.9\r\n");
    EXPECT_EQ(
        report.substr(at + tables.size()),
        "------------闭合差与精度------------\r\n"
        "方位角闭合差 fβ = -4.0″，限差 ±147.0″（60″√n，n = 6）：合格\r\n"
        "坐标闭合差 fx = -2.6 mm，fy = 0.0 mm，全长闭合差 fD = 2.6 mm，导线全长 ΣD = 1519.735 m\r\n"
        "全长相对闭合差 1/578931，限差 1/2000：合格\r\n"
        "导线全长 ΣD = 1519.735 m，限差 2000 m（未选测图比例尺，按 1:2000）：合格\r\n"
        "单位权中误差 σ0 = 0.8″（多余观测数 r = 3）\r\n"
        "最弱点 T3：M = 3.4 mm\r\n"
        "等级 图根：合格\r\n"
        "整体检验：未给出仪器精度（测角中误差、测距中误差），不能进行整体检验\r\n"
        "误差椭圆为标准误差椭圆（1σ，以验后 σ0 计）；95 % 置信椭圆为其 4.37 倍（r = 3）\r\n");
    const std::string gbk = BuildResultsReport(t, {.header = true}, context);
    EXPECT_EQ(Cp936ToUtf8(gbk), report.substr(0, at)) << "code page 936 by default";
}
} // namespace
