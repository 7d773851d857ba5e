#include "write/ObservationTestsText.h"

#include "assess/Distributions.h"
#include "model/NumberText.h"
#include "write/ResultsText.h"

#include <algorithm>
#include <cmath>

namespace traverse {

namespace {
bool IsAngle(const ObservationTest& t) { return t.kind == ObservationKind::kAngle; }

// A figure of the observation's kind: seconds or millimetres, to a tenth, with its unit.
std::string Amount(const ObservationTest& t, double value, bool sign) {
    return (sign ? FormatSignedTenth(value) : FormatTenth(value)) + (IsAngle(t) ? "″" : " mm");
}

std::string Verdict(const ObservationTest& t) {
    if (!t.w) return "不可检核";
    return t.flagged ? "超限" : "";
}
} // namespace

std::string ObservationName(const ObservationTest& t, const std::vector<ObservationEcho>& obs) {
    const size_t k = static_cast<size_t>(t.record);
    const std::string_view station = k < obs.size() ? std::string_view(obs[k].station) : "";
    std::string name; // put together in place: a long traverse names tens of thousands
    name.reserve(48);
    if (IsAngle(t)) {
        name.append("第 ").append(std::to_string(k + 1)).append(" 站");
        if (!station.empty()) name.append(" ").append(station);
        return name.append(" 的水平角");
    }
    const std::string_view to = k < obs.size() ? std::string_view(obs[k].foresight) : "";
    if (station.empty() || to.empty())
        return name.append("第 ").append(std::to_string(k + 1)).append(" 条边");
    return name.append("边 ").append(station).append("–").append(to);
}

std::string GlobalTestLine(const ObservationTests& tests) {
    if (!tests.global)
        return "整体检验：未给出仪器精度（测角中误差、测距中误差），不能进行整体检验";
    const GlobalTest& g = *tests.global;
    return "整体检验（卡方检验，α = 5 %）：σ0 = " + FormatFixed(g.sigma0, 2) +
           "（验前 1），v′Pv = " + FormatFixed(g.chi2, 2) + "，r = " +
           std::to_string(g.redundancy) + "，区间 [" + FormatFixed(g.lower, 2) + ", " +
           FormatFixed(g.upper, 2) + "]：" + (g.pass ? "通过" : "未通过");
}

std::vector<std::string> SuspectLines(const ObservationTests& tests,
                                      const std::vector<ObservationEcho>& obs) {
    return SuspectLines(tests, [&obs](const ObservationTest& t) { return ObservationName(t, obs); });
}

std::vector<std::string> SuspectLines(const ObservationTests& tests, const ObservationNamer& name) {
    const std::vector<size_t> first = Suspects(tests);
    const bool flagged = std::any_of(tests.observations.begin(), tests.observations.end(),
                                     [](const ObservationTest& t) { return t.flagged; });
    if (tests.global && tests.global->pass && !flagged)
        return {"可疑观测值：无（整体检验通过，没有 |w| 超过 3.29 的观测值）"};
    // Without the precision w is scaled by the a posteriori σ0: an order, not a test.
    const std::string label = tests.global ? "可疑观测值 " : "|w| 最大的观测值 ";
    std::vector<std::string> lines;
    if (!tests.global) lines.push_back("未给出仪器精度，不作粗差检验；w 以验后 σ0 计算，只用于排序");
    for (size_t i = 0; i < first.size(); ++i) {
        const ObservationTest& t = tests.observations[first[i]];
        lines.push_back(label + std::to_string(i + 1) + "：" + name(t) +
                        "，估计粗差 " + Amount(t, *t.estimate, true) + "（w = " +
                        FormatFixed(*t.w, 2) + "）");
    }
    return lines;
}

const std::vector<std::string>& ObservationTestHeaders() {
    static const std::vector<std::string> headers{
        "观测值", "改正数", "多余观测分量 r", "标准化残差 w", "估计粗差", "最小可探测粗差",
        "检验"};
    return headers;
}

std::vector<std::vector<std::string>> ObservationTestRows(
    const ObservationTests& tests, const std::vector<ObservationEcho>& obs) {
    return ObservationTestRows(tests,
                               [&obs](const ObservationTest& t) { return ObservationName(t, obs); });
}

std::vector<size_t> ObservationTestOrder(const ObservationTests& tests) {
    std::vector<size_t> order = tests.ranking;
    for (size_t i = 0; i < tests.observations.size(); ++i)
        if (!tests.observations[i].w) order.push_back(i); // not controlled, last
    return order;
}

std::vector<std::string> ObservationTestRow(const ObservationTest& t, std::string name) {
    std::vector<std::string> row;
    row.reserve(7);
    row.push_back(std::move(name));
    row.push_back(Amount(t, t.residual, true));
    row.push_back(FormatFixed(t.redundancy, 3));
    row.push_back(t.w ? FormatFixed(*t.w, 2) : "");
    row.push_back(t.estimate ? Amount(t, *t.estimate, true) : "");
    row.push_back(t.mdb ? Amount(t, *t.mdb, false) : "");
    row.push_back(Verdict(t));
    return row;
}

std::vector<std::vector<std::string>> ObservationTestRows(const ObservationTests& tests,
                                                          const ObservationNamer& name) {
    const std::vector<size_t> order = ObservationTestOrder(tests);
    std::vector<std::vector<std::string>> rows;
    rows.reserve(order.size());
    for (size_t i : order)
        rows.push_back(ObservationTestRow(tests.observations[i], name(tests.observations[i])));
    return rows;
}

std::string EllipseLevelLine(int redundancy) {
    return "误差椭圆为标准误差椭圆（1σ，以验后 σ0 计）；95 % 置信椭圆为其 " +
           FormatFixed(ConfidenceEllipseScale(redundancy), 2) + " 倍（r = " +
           std::to_string(redundancy) + "）";
}

std::string WeightsText(const std::optional<InstrumentPrecision>& instrument) {
    if (!instrument) return "测角权倒数 2，边长权倒数 0.01·D（D 以米计），单位权中误差以秒计";
    return "按仪器精度定权：测角中误差 " + FormatShortest(instrument->angleSeconds) +
           "″，测距中误差 " + FormatShortest(instrument->distanceMm) + " mm + " +
           FormatShortest(instrument->distancePpm) + " ppm（单位权中误差验前为 1）";
}

std::vector<std::string> TestsSummaryLines(const TraverseResults& r) {
    std::vector<std::string> lines{GlobalTestLine(r.tests)};
    if (r.tests.global) // without the precision there are no suspects to name
        for (const std::string& line : SuspectLines(r.tests, r.observations))
            lines.push_back(line);
    lines.push_back(EllipseLevelLine(r.closure.redundancy));
    return lines;
}

std::vector<std::string> TestsTableLines(const TraverseResults& r) {
    static const std::vector<size_t> kWidths{24, 12, 16, 14, 14, 16, 8};
    std::vector<std::string> lines{"------------粗差检验------------", "观测值的权：" + WeightsText(r.instrument)};
    lines.push_back(GlobalTestLine(r.tests));
    for (const std::string& line : SuspectLines(r.tests, r.observations))
        lines.push_back(line);
    lines.push_back(EllipseLevelLine(r.closure.redundancy));
    lines.push_back(PaddedRow(ObservationTestHeaders(), kWidths));
    for (size_t i : ObservationTestOrder(r.tests)) { // a row at a time: no table held
        const ObservationTest& t = r.tests.observations[i];
        lines.push_back(PaddedRow(ObservationTestRow(t, ObservationName(t, r.observations)), kWidths));
    }
    return lines;
}

std::string TestsSummaryField(const TraverseResults& r) {
    if (!r.tests.global) return "-";
    std::string field = r.tests.global->pass ? "通过" : "未通过";
    const std::vector<size_t> first = Suspects(r.tests, 1);
    if (!first.empty() && r.tests.observations[first[0]].flagged)
        field += ":" + ObservationName(r.tests.observations[first[0]], r.observations);
    return field;
}

} // namespace traverse
