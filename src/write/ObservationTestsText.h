// The tests for blunders as a surveyor reads them (UTF-8 lines and table cells): the
// global test, the suspects, the table of every observation and what the error ellipses
// mean. Angles in seconds to 0.1″, sides in millimetres to 0.1 mm, redundancy numbers to
// 0.001, w to 0.01. Names are the records' (TraverseResults::observations).
#pragma once

#include "assess/ObservationTests.h"
#include "write/TraverseResults.h"

#include <functional>
#include <string>
#include <vector>

namespace traverse {

// "第 5 站 D7 的水平角" or "边 D7–D8".
std::string ObservationName(const ObservationTest& test,
                            const std::vector<ObservationEcho>& observations);

// An observation's name for the lines and the table, where the records do not name it
// (a network's angles and sides).
using ObservationNamer = std::function<std::string(const ObservationTest&)>;

// Every text here stays within code page 936 (the report's): no χ², no ∇.
// "整体检验（卡方检验，α = 5 %）：σ0 = 1.12（验前 1），v′Pv = 3.76，r = 3，区间 [0.22, 9.35]：
// 通过", or, without the instrument's precision, that no global test is possible.
std::string GlobalTestLine(const ObservationTests& tests);

// With the instrument's precision, the first three by |w| as suspects ("可疑观测值 1：第 5
// 站 D7 的水平角，估计粗差 +38.6″（w = 4.12）"), or one line saying there is none when the
// global test passes and no |w| reaches 3.29. Without it, a line saying no test is made,
// then the first three as "|w| 最大的观测值 1：…".
std::vector<std::string> SuspectLines(const ObservationTests& tests,
                                      const std::vector<ObservationEcho>& observations);
std::vector<std::string> SuspectLines(const ObservationTests& tests, const ObservationNamer& name);

// The table: 观测值, 改正数, 多余观测分量 r, 标准化残差 w, 估计粗差, 最小可探测粗差, 检验;
// rows by |w|, the uncontrolled ones (不可检核) last.
const std::vector<std::string>& ObservationTestHeaders();
// The rows' order (indices into tests.observations), and one row, its name given: a long
// table made a row at a time.
std::vector<size_t> ObservationTestOrder(const ObservationTests& tests);
std::vector<std::string> ObservationTestRow(const ObservationTest& test, std::string name);
std::vector<std::vector<std::string>> ObservationTestRows(
    const ObservationTests& tests, const std::vector<ObservationEcho>& observations);
std::vector<std::vector<std::string>> ObservationTestRows(const ObservationTests& tests,
                                                          const ObservationNamer& name);

// The ellipses are scaled by the a posteriori σ0 (with or without the instrument's
// precision), so their 95 % region is √(2·F(2, r, 0.95)) times larger: "误差椭圆为标准误差
// 椭圆（1σ，以验后 σ0 计）；95 % 置信椭圆为其 4.37 倍（r = 3）".
std::string EllipseLevelLine(int redundancy);

// Which weights the adjustment used: "按仪器精度定权：测角中误差 3″，测距中误差 3 mm + 2 ppm
// （单位权中误差验前为 1）" or the classic cofactors.
std::string WeightsText(const std::optional<InstrumentPrecision>& instrument);

// The closures' lines on the tests: the global test, the suspects (with the instrument's
// precision only), the ellipses' meaning.
std::vector<std::string> TestsSummaryLines(const TraverseResults& results);

// The report's section 粗差检验: its title, the summary lines, then the table.
std::vector<std::string> TestsTableLines(const TraverseResults& results);

// The one-line summary's field: "通过", "未通过", "-" without the precision; with a
// flagged observation, ":" and the first suspect's name.
std::string TestsSummaryField(const TraverseResults& results);

} // namespace traverse
