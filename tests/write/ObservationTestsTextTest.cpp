// The tests for blunders in words: the closed example without the instrument's precision
// (no global test, w only ranks, the connection angle not controlled), and with it and
// an angle made 40″ larger (the global test fails and the angle heads the suspects).
#include "write/AdjustedExamples.h"
#include "write/ObservationTestsText.h"

#include "model/AngleConversions.h"
#include "read/ObservationFile.h"

#include <gtest/gtest.h>

namespace {
std::variant<AdjustedTraverse, Refusal> AdjustClosed(double extraSeconds,
                                                     std::optional<InstrumentPrecision> instrument) {
    // As read: the core reduces the slope distances itself.
    Observations records =
        ReadObservationFile(std::string(TA_EXAMPLES_DIR) + "/closed.txt").read.observations;
    AngleDMS a = UnpackDms(records[3].dHorizontalAngle);
    records[3].dHorizontalAngle = PackDms(a.nDeg, a.nMin, a.dSec + extraSeconds);
    const Example& e = kExamples[0];
    return AdjustTraverse(kClosed, records, {e.start1, e.start2, std::nullopt, std::nullopt},
                          kDefaultRefraction, instrument);
}
} // namespace

TEST(ObservationTestsText, ClosedExampleInWords) {
    struct Case {
        double extra;
        std::optional<InstrumentPrecision> instrument;
        std::string global, firstSuspect, firstVerdict;
    };
    const Case cases[] = {
        {0.0, std::nullopt, "整体检验：未给出仪器精度", "|w| 最大的观测值 1：", ""},
        {40.0, InstrumentPrecision{2.0, 2.0, 2.0}, "：未通过",
         "可疑观测值 1：第 4 站 T3 的水平角，估计粗差 +", "超限"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.extra);
        const auto adjusted = AdjustClosed(c.extra, c.instrument);
        ASSERT_TRUE(std::holds_alternative<AdjustedTraverse>(adjusted));
        const AdjustedTraverse& t = std::get<AdjustedTraverse>(adjusted);
        const TraverseResults r = CollectResults(t);
        EXPECT_NE(GlobalTestLine(t.tests).find(c.global), std::string::npos) << GlobalTestLine(t.tests);
        const auto suspects = SuspectLines(t.tests, r.observations);
        ASSERT_EQ(suspects.size(), c.instrument ? 3u : 4u); // a line first: no test made
        EXPECT_EQ(suspects[c.instrument ? 0 : 1].rfind(c.firstSuspect, 0), 0u) << suspects[1];
        const auto rows = ObservationTestRows(t.tests, r.observations);

        ASSERT_EQ(rows.size(), t.tests.observations.size());
        EXPECT_EQ(rows.front().back(), c.firstVerdict);
        // The loop's connection angle at D21 is in no closure: last, not controlled.
        EXPECT_EQ(rows.back().front(), "第 1 站 D21 的水平角");
        EXPECT_EQ(rows.back().back(), "不可检核");
        EXPECT_EQ(rows.back()[3], "");
    }
}

TEST(ObservationTestsText, EllipseLevelSaysWhatTheEllipsesMean) {
    EXPECT_EQ(EllipseLevelLine(3),
              "误差椭圆为标准误差椭圆（1σ，以验后 σ0 计）；95 % 置信椭圆为其 4.37 倍（r = 3）");
    EXPECT_EQ(EllipseLevelLine(1),
              "误差椭圆为标准误差椭圆（1σ，以验后 σ0 计）；95 % 置信椭圆为其 19.97 倍（r = 1）");
}
