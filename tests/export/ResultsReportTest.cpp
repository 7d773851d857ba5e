#include "export/ResultsReport.h"
#include "ReportWorkspaces.h"
#include "resources/CodePage936.h"
#include "resources/StringTable.h"

#include <gtest/gtest.h>

using namespace report_test;

namespace {
const ReportSections kApprox{true, false, false, false}, kAdjCoords{false, true, false, false},
    kSides{false, false, true, false}, kPrecision{false, false, false, true},
    kAll{true, true, true, true};

std::string Golden(const std::string& name) {
    return ReadBytes(std::string(TA_TEST_DATA_DIR) + "/report/" + name);
}
std::string Header(int id) { return Utf8ToCp936(LoadString(id)).value(); }
std::string CrLf(const std::string& text) {
    std::string out;
    for (char c : text)
        out += c == '\n' ? std::string("\r\n") : std::string(1, c);
    return out;
}
} // namespace

TEST(ResultsReport, MatchesTheCheckedInReports) {
    struct Case {
        void (*fill)(CTraverseAdjustDlg&);
        ReportSections sections;
        const char* golden;
    } cases[] = {
        {FillClosed, kApprox, "closed_approx.txt"},
        {FillClosed, kAdjCoords, "closed_adjusted.txt"},
        {FillClosed, kSides, "closed_sides.txt"},
        {FillClosed, kPrecision, "closed_precision.txt"},
        {FillClosed, kAll, "closed_all.txt"},
        {FillSingle, kApprox, "single_approx.txt"},
        {FillSingle, kAdjCoords, "single_adjusted.txt"},
        {FillSingle, kSides, "single_sides.txt"},
        {FillSingle, kPrecision, "single_precision.txt"},
        {FillSingle, kAll, "single_all.txt"},
    };
    for (const Case& c : cases) {
        CTraverseAdjustDlg ws;
        c.fill(ws);
        std::string expected = Golden(c.golden);
        ASSERT_FALSE(expected.empty()) << c.golden;
        EXPECT_TRUE(SameBytes(expected, BuildResultsReport(ws, c.sections))) << c.golden;
    }
}

TEST(ResultsReport, NoSectionGivesNoBytes) {
    CTraverseAdjustDlg ws;
    FillClosed(ws);
    EXPECT_EQ(BuildResultsReport(ws, {}), "");
}

// Three adjusted points under every type: types 0 and 1 name the last point after the
// last foresight and write it as a wide line, types 2 and 3 after its station.
TEST(ResultsReport, LastPointLineDependsOnTheType) {
    for (int type : {kNonOriented, kSingleConnection, kClosed, kDoubleConnection}) {
        CTraverseAdjustDlg ws;
        FillSingle(ws);
        ws.m_nTraverseType = type;
        ws.m_arrAdjCoords.SetSize(3);
        std::string report = BuildResultsReport(ws, kAdjCoords);
        std::string last = type == kNonOriented || type == kSingleConnection
                               ? "  K2   700.005    -0.000   \t \r\n"
                               : "  Z2  700.005    -0.000   \t \r\n";
        ASSERT_GE(report.size(), last.size());
        EXPECT_EQ(report.substr(report.size() - last.size()), last) << "type " << type;
    }
}

// Sections without entries keep their headers: results emptied by a later import,
// precision arrays of fewer than three points, a single end point.
TEST(ResultsReport, SectionsWithoutEntriesKeepTheirHeaders) {
    const std::string headersOnly = Header(26) + Header(27) + Header(22) + Header(23) + Header(24) +
                                    Header(25) + Header(18) + Header(19) + Header(20) + Header(21);
    for (int type : {kNonOriented, kSingleConnection, kClosed, kDoubleConnection}) {
        CTraverseAdjustDlg ws;
        Fill(ws, type, {{"A", "B"}, {"B", "C"}}, {}, {}, {},
             {{1, 1, 1, 1, 1, {0, 0, 0}}, {1, 1, 1, 1, 1, {0, 0, 0}}});
        EXPECT_TRUE(SameBytes(CrLf(headersOnly), BuildResultsReport(ws, kAll))) << "type " << type;
    }
    CTraverseAdjustDlg one;
    Fill(one, kNonOriented, {{"A", "B"}}, {{1.5, 2.5}}, {}, {}, {});
    EXPECT_TRUE(SameBytes(CrLf(Header(26) + Header(27) + "  B   1.500      2.500    \t \n"),
                          BuildResultsReport(one, kApprox)));
}

// The headers of the two precision tables and of the adjusted coordinates end with a
// line feed and a space, so their first data line starts with three spaces.
TEST(ResultsReport, FirstDataLineAfterEachHeader) {
    CTraverseAdjustDlg ws;
    FillClosed(ws);
    std::string report = BuildResultsReport(ws, kAll);
    struct Case {
        int title, header;
        const char* start;
    } cases[] = {{18, 19, "   B1          3.50 "},
                 {20, 21, "   B1          4.25 "},
                 {22, 23, "   A  1000.000 "},
                 {24, 25, "  A           B1 "},
                 {26, 27, "  A   1000.000 "}};
    for (auto [title, id, start] : cases) {
        std::string header = CrLf(Header(title) + Header(id));
        if (header.back() == ' ') header.pop_back();
        size_t at = report.find(header);
        ASSERT_NE(at, std::string::npos) << id;
        EXPECT_EQ(report.compare(at + header.size(), std::string(start).size(), start), 0)
            << "after string " << id << ": " << Visible(report, at + header.size());
    }
    EXPECT_NE(report.find("349        30      1.50 \r\n"), std::string::npos);
}
