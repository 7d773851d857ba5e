#include "write/ReportSummary.h"

#include "model/NumberText.h"
#include "read/ImportText.h"
#include "write/ObservationTestsText.h"
#include "write/ResultsText.h"

namespace traverse {

std::string GradeDescription(const Grade& g) {
    std::string limits = "全长相对闭合差 1/" + std::to_string(g.relativeK) + "，方位角闭合差 ±" +
                         FormatShortest(g.angleCoefficient) + "″√n";
    if (g.lengthLimit > 0.0)
        limits += "，导线全长 ≤ " + FormatShortest(g.lengthLimit) + " m" + MapScaleNote(g);
    if (g.meanSideLimit > 0.0) limits += "，平均边长 ≤ " + FormatShortest(g.meanSideLimit) + " m";
    return g.name + "（" + limits + "）";
}

std::vector<std::string> ReportHeaderLines(const TraverseResults& results,
                                           const ReportContext& context) {
    std::vector<std::string> lines{
        "导线平差成果", "观测文件：" + DisplayName(context.observationFile),
        std::string("导线类型：") + TraverseTypeTitle(results.traverseType)};
    for (const KnownPointText& k : KnownPointTexts(results))
        lines.push_back(k.point + "：" + k.coordinates);
    lines.push_back("等级：" + GradeDescription(context.grade));
    lines.push_back("观测值的权：" + WeightsText(results.instrument));
    lines.push_back("日期：" + context.date + "　程序版本：" + context.version);
    return lines;
}

std::vector<std::string> ReportClosureLines(const TraverseResults& results, const Grade& grade) {
    const GradeChecks checks = CheckGrade(results.closure, grade);
    std::vector<std::string> lines{"------------闭合差与精度------------"};
    for (const std::string& line : ClosureSummaryLines(results, grade, checks))
        lines.push_back(line);
    return lines;
}

} // namespace traverse
