#include "assess/GradeLimits.h"

#include "model/NumberText.h"
#include "resources/StringTable.h"

#include <cmath>

const std::vector<Grade>& StandardGrades() {
    static const std::vector<Grade> kGrades = {
        {"三等", 3.6, 55000},  {"四等", 5.0, 35000}, {"一级", 10.0, 15000},
        {"二级", 16.0, 10000}, {"三级", 24.0, 5000}, {"图根首级", 40.0, 2000},
        {"图根", 60.0, 2000}, // 一般图根, the default
    };
    return kGrades;
}

const Grade& DefaultGrade() { return StandardGrades().back(); }

std::optional<Grade> ParseGrade(std::string_view text) {
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
    return c;
}
