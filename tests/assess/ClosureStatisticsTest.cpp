// Closure statistics of the four examples against figures worked out apart from the
// program (horizontal = slope x sin(zenith), azimuths carried by hand), and the grade
// limits with their verdicts.
#include "write/AdjustedExamples.h"

#include "assess/GradeLimits.h"
#include "write/ResultsText.h"
#include "write/TraverseResults.h"

#include <gtest/gtest.h>

#include <cmath>

using namespace traverse;

TEST(ClosureStatistics, ExamplesAgreeWithTheFiguresWorkedByHand) {
    struct Expected {
        int angles;
        double fBeta, fx, fy, length; // seconds, mm, mm, m
        long long k;
        int r;
        const char* rows; // names of the table's rows, known ones in brackets
        const char* weakest;
    };
    // clang-format off
    const Expected expected[] = {
        {6, -4.0, -2.63, -0.02, 1519.735, 578931, 3, "[D21] T1 T2 T3 T4 T5", "T3"},
        {6, 1.15, 21.99, -4.55, 1486.459, 66194, 3, "[D15] N1 N2 N3 N4 [D16]", ""},
        {5, 0.0, 11.19, 3.12, 1455.251, 125306, 2, "[D31] S1 S2 S3 S4 [D32]", ""},
        {4, 0.0, -5.59, -5.43, 1381.959, 177296, 1, "[D41] W1 W2 W3 W4 [D42]", ""},
    };
    // clang-format on
    for (size_t i = 0; i < std::size(kExamples); ++i) {
        SCOPED_TRACE(kExamples[i].file);
        auto run = Adjust(kExamples[i]);
        ASSERT_EQ(run->dlg.m_nState, kAdjusted);
        const TraverseResults r = CollectResults(*run->dlg.m_adjusted);
        const ClosureStatistics& c = r.closure;
        const Expected& e = expected[i];
        EXPECT_EQ(c.angleCount, e.angles);
        EXPECT_NEAR(c.azimuthClosure, e.fBeta, 0.01);
        EXPECT_NEAR(c.fx, e.fx, 0.01);
        EXPECT_NEAR(c.fy, e.fy, 0.01);
        EXPECT_NEAR(c.fd, std::hypot(e.fx, e.fy), 0.01);
        EXPECT_NEAR(c.length, e.length, 0.0005);
        ASSERT_TRUE(c.k.has_value());
        EXPECT_NEAR(static_cast<double>(*c.k), static_cast<double>(e.k), e.k * 0.005);
        EXPECT_EQ(c.redundancy, e.r);
        EXPECT_GT(c.sigma0, 0.0);
        std::string rows;
        for (const ResultPoint& p : r.points)
            rows += (rows.empty() ? "" : " ") + (p.known ? "[" + p.name + "]" : p.name);
        EXPECT_EQ(rows, e.rows);
        ASSERT_GE(c.weakest, 0);
        for (const ResultPoint& p : r.points)
            EXPECT_LE(p.m, r.points[c.weakest].m);
        if (*e.weakest) {
            EXPECT_EQ(r.points[c.weakest].name, e.weakest);
        }
    }
}

TEST(GradeLimits, EachGradeJudgesBothClosures) {
    ClosureStatistics c; // n = 4, f_beta = -15", 1/12000
    c.azimuthCondition = true, c.angleCount = 4, c.azimuthClosure = -15.0, c.k = 12000;
    struct Case {
        const char* grade;
        double angleLimit;
        bool anglePass, relativePass;
    };
    const Case cases[] = {
        {"三等", 7.2, false, false},       {"四等", 10.0, false, false},
        {"一级", 20.0, true, false},       {"二级", 32.0, true, true},
        {"三级", 48.0, true, true},        {"图根首级", 80.0, true, true},
        {"图根", 120.0, true, true},       {"12000:7.5", 15.0, true, true},
        {"12001:7.4", 14.8, false, false},
    };
    for (const Case& t : cases) {
        SCOPED_TRACE(t.grade);
        const auto grade = ParseGrade(t.grade);
        ASSERT_TRUE(grade.has_value());
        const GradeChecks checks = CheckGrade(c, *grade);
        EXPECT_NEAR(checks.azimuth.limit, t.angleLimit, 1e-9);
        EXPECT_EQ(checks.azimuth.pass, t.anglePass);
        EXPECT_EQ(checks.relative.pass, t.relativePass);
        EXPECT_EQ(checks.Pass(), t.anglePass && t.relativePass);
    }
    EXPECT_EQ(DefaultGrade().name, "图根");
    EXPECT_EQ(DefaultGrade().angleCoefficient, 60.0) << "一般图根";
}

// The length and mean-side limits of GB 50026 Table 3.3.1, and for 图根 the length
// alpha * M of Table 5.2.7 for the map scale chosen (at most 2000 m without one).
TEST(GradeLimits, LengthAndMeanSideAsTheStandardTabulates) {
    struct Case {
        const char* grade;
        double length;
        int sides;
        double lengthLimit, meanSideLimit; // 0: not checked
        bool pass;
    };
    const Case cases[] = {
        {"三等", 14000, 5, 14000, 3000, true},    {"三等", 14001, 5, 14000, 3000, false},
        {"四等", 9000, 6, 9000, 1500, true},      {"一级", 4000, 8, 4000, 500, true},
        {"二级", 1519.735, 6, 2400, 250, false}, // the closed example: mean side 253 m
        {"三级", 1200, 12, 1200, 100, true},      {"三级", 1200, 11, 1200, 100, false},
        {"图根", 2000, 10, 2000, 0, true},        {"图根", 398000, 2000, 2000, 0, false},
        {"图根@500", 501, 3, 500, 0, false},      {"图根首级@1000", 1000, 3, 1000, 0, true},
        {"图根@2000", 2000.5, 3, 2000, 0, false}, {"20000:8", 1e6, 3, 0, 0, true},
    };
    for (const Case& t : cases) {
        SCOPED_TRACE(std::string(t.grade) + " " + std::to_string(t.length));
        ClosureStatistics c;
        c.length = t.length, c.sideCount = t.sides, c.k = 1000000;
        const GradeChecks checks = CheckGrade(c, *ParseGrade(t.grade));
        EXPECT_EQ(checks.length.applies, t.lengthLimit > 0);
        EXPECT_EQ(checks.length.limit, t.lengthLimit);
        EXPECT_EQ(checks.meanSide.applies, t.meanSideLimit > 0);
        EXPECT_EQ(checks.meanSide.limit, t.meanSideLimit);
        EXPECT_EQ(checks.Pass(), t.pass);
    }
}

TEST(GradeLimits, WithoutAnAzimuthConditionOrAClosureNothingFails) {
    ClosureStatistics c; // a single-connection traverse closing exactly
    c.angleCount = 5, c.azimuthClosure = 999.0;
    const GradeChecks checks = CheckGrade(c, *ParseGrade("三等"));
    EXPECT_FALSE(checks.azimuth.applies);
    EXPECT_TRUE(checks.Pass());
    EXPECT_EQ(RelativeClosureText(c.k), "∞");
}

TEST(GradeLimits, RefusesWhatIsNoGrade) {
    for (const char* text : {"", "五等", "图根 ", "0:5", "2000.5:5", "2000:0", "2000:-1", "2000",
                             ":5", "2000:", "2000:5:1", "1e300:5", "图根@750", "图根@", "三等@1000",
                             "@1000", "1000:5@1000", "图根@1000@500"})
        EXPECT_FALSE(ParseGrade(text).has_value()) << text;
}

TEST(ResultsText, RoundsForReading) {
    const struct {
        std::string got, want;
    } cases[] = {
        {FormatSignedTenth(-0.04), "0.0"},         {FormatSignedTenth(2.65), "+2.6"},
        {FormatSignedTenth(-4.05), "-4.0"},        {FormatTenth(147.0), "147.0"},
        {FormatDms(330.2003, 2), "330°12′01.08″"}, {FormatDms(12.099999, 1), "12°06′00.0″"},
        {FormatDms(359.9999999, 1), "0°00′00.0″"}, {FormatDms(0.5, 0), "0°30′00″"},
    };
    for (const auto& c : cases)
        EXPECT_EQ(c.got, c.want);
}
