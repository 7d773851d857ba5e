#include "write/ResultsReport.h"
#include "ReportWorkspaces.h"
#include "resources/CodePage936.h"
#include "resources/StringTable.h"
#include "workspace/ResultExportDlg.h"

#include <gtest/gtest.h>

using namespace report_test;

namespace {
constexpr ReportSections kApprox{true, false, false, false}, kAdjCoords{false, true, false, false},
    kSides{false, false, true, false}, kPrecision{false, false, false, true},
    kAll{true, true, true, true};

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
        ws.traverseType = c.type;
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
        ws.traverseType = type;
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
