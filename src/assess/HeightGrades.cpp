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

HeightChecks CheckHeightGrade(std::optional<double> fh, double length,
                              const std::vector<ReciprocalDifference>& reciprocal,
                              const HeightGrade& grade) {
    HeightChecks c;
    c.closure.applies = fh.has_value();
    c.closure.limit = grade.closureCoefficient * std::sqrt(length / 1000.0);
    c.closure.pass = !fh || std::fabs(*fh) <= c.closure.limit;
    double worstShare = -1.0;
    for (const ReciprocalDifference& r : reciprocal) {
        const double limit = grade.reciprocalCoefficient * std::sqrt(r.distance / 1000.0);
        if (std::fabs(r.difference) / limit <= worstShare) continue;
        worstShare = std::fabs(r.difference) / limit;
        c.worstSide = r.side;
        c.worst = r.difference;
        c.reciprocal.limit = limit;
    }
    c.reciprocalSides = static_cast<int>(reciprocal.size());
    c.reciprocal.applies = c.reciprocalSides > 0;
    c.reciprocal.pass = !c.reciprocal.applies || worstShare <= 1.0;
    return c;
}

HeightChecks CheckHeightGrade(const HeightAdjustment& h, const HeightGrade& grade) {
    std::vector<ReciprocalDifference> reciprocal;
    for (size_t k = 0; k < h.sides.size(); ++k)
        if (const auto d = h.sides[k].ReciprocalMm())
            reciprocal.push_back({static_cast<int>(k), h.sides[k].distance, *d});
    return CheckHeightGrade(h.closure ? std::optional<double>(h.fh) : std::nullopt, h.length,
                            reciprocal, grade);
}

} // namespace traverse
