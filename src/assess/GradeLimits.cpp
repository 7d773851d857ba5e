#include "assess/GradeLimits.h"

#include "model/NumberText.h"
#include "resources/StringTable.h"

#include <cmath>

namespace traverse {

const std::vector<Grade>& StandardGrades() {
    static const std::vector<Grade> kGrades = {
        {"三等", 3.6, 55000, 14000, 3000},      {"四等", 5.0, 35000, 9000, 1500},
        {"一级", 10.0, 15000, 4000, 500},       {"二级", 16.0, 10000, 2400, 250},
        {"三级", 24.0, 5000, 1200, 100},        {"图根首级", 40.0, 2000, kMostMapScale, 0},
        {"图根", 60.0, 2000, kMostMapScale, 0}, // 一般图根, the default
    };
    return kGrades;
}

const Grade& DefaultGrade() { return StandardGrades().back(); }

bool HasMapScale(const Grade& g) { return g.name == "图根" || g.name == "图根首级"; }

Grade WithMapScale(Grade g, int m) {
    if (!HasMapScale(g)) return g;
    g.mapScale = m;
    g.lengthLimit = m; // alpha * M metres, alpha = 1
    return g;
}

std::optional<Grade> ParseGrade(std::string_view text) {
    const size_t at = text.find('@');
    if (at != std::string_view::npos) {
        const auto grade = ParseGrade(text.substr(0, at));
        const auto m = ParseNumberText(text.substr(at + 1));
        if (!grade || !HasMapScale(*grade) || !m) return std::nullopt;
        for (int scale : kMapScales)
            if (*m == scale) return WithMapScale(*grade, scale);
        return std::nullopt;
    }
    for (const Grade& g : StandardGrades())
        if (text == g.name) return g;
    const size_t colon = text.find(':');
    if (colon == std::string_view::npos) return std::nullopt;
    const auto k = ParseNumberText(text.substr(0, colon));
    const auto coefficient = ParseNumberText(text.substr(colon + 1));
    if (!k || !coefficient || *k < 1.0 || *k > kMostRelativeK || *k != std::floor(*k) ||
        !(*coefficient > 0.0) || *coefficient > kMostAngleCoefficient)
        return std::nullopt;
    return Grade{std::string(LoadString(str::kCustomGrade)), *coefficient,
                 static_cast<long long>(*k)};
}

GradeChecks CheckGrade(const ClosureStatistics& closure, const Grade& grade) {
    GradeChecks c;
    c.azimuth.applies = closure.azimuthCondition;
    c.azimuth.limit = grade.angleCoefficient * std::sqrt(static_cast<double>(closure.angleCount));
    c.azimuth.pass = !c.azimuth.applies || std::fabs(closure.azimuthClosure) <= c.azimuth.limit;
    c.relative.applies = true;
    c.relative.limit = static_cast<double>(grade.relativeK);
    c.relative.pass = !closure.k || *closure.k >= grade.relativeK;
    c.length.applies = grade.lengthLimit > 0.0;
    c.length.limit = grade.lengthLimit;
    c.length.pass = !c.length.applies || closure.length <= grade.lengthLimit;
    c.meanSide.applies = grade.meanSideLimit > 0.0 && closure.sideCount > 0;
    c.meanSide.limit = grade.meanSideLimit;
    c.meanSide.pass =
        !c.meanSide.applies || closure.length / closure.sideCount <= grade.meanSideLimit;
    return c;
}

} // namespace traverse
