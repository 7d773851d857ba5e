#include "assess/HeightGrades.h"

#include <cmath>

namespace traverse {

const std::vector<HeightGrade>& HeightGrades() {
    static const std::vector<HeightGrade> kGrades = {
        {"四等", 20.0, 40.0}, {"五等", 30.0, 60.0}, {"图根", 40.0, 80.0}};
    return kGrades;
}

const HeightGrade& DefaultHeightGrade() { return HeightGrades().back(); }

std::optional<HeightGrade> ParseHeightGrade(std::string_view text) {
    for (const HeightGrade& g : HeightGrades())
        if (text == g.name) return g;
    return std::nullopt;
}

HeightChecks CheckHeightGrade(const HeightAdjustment& h, const HeightGrade& grade) {
    HeightChecks c;
    c.closure.applies = h.closure;
    c.closure.limit = grade.closureCoefficient * std::sqrt(h.length / 1000.0);
    c.closure.pass = !h.closure || std::fabs(h.fh) <= c.closure.limit;
    double worstShare = -1.0;
    for (size_t k = 0; k < h.sides.size(); ++k) {
        const auto difference = h.sides[k].ReciprocalMm();
        if (!difference) continue;
        ++c.reciprocalSides;
        const double limit = grade.reciprocalCoefficient * std::sqrt(h.sides[k].distance / 1000.0);
        if (std::fabs(*difference) / limit <= worstShare) continue;
        worstShare = std::fabs(*difference) / limit;
        c.worstSide = static_cast<int>(k);
        c.worst = *difference;
        c.reciprocal.limit = limit;
    }
    c.reciprocal.applies = c.reciprocalSides > 0;
    c.reciprocal.pass = !c.reciprocal.applies || worstShare <= 1.0;
    return c;
}

} // namespace traverse
