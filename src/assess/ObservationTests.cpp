#include "assess/ObservationTests.h"

#include "assess/Distributions.h"
#include "assess/NormalInverse.h"

#include <algorithm>
#include <cmath>

namespace traverse {

namespace {
// a_i′ Qkk a_i for column i of A.
double CorrelateForm(const Adjustment& a, const NormalInverse& inv, int column) {
    const int u = static_cast<int>(a.residuals.size()), r = inv.r;
    double sum = 0.0;
    for (int j = 0; j < r; ++j)
        for (int k = 0; k < r; ++k)
            sum += a.conditionMatrix[static_cast<size_t>(j * u + column)] * inv.kk[j * r + k] *
                   a.conditionMatrix[static_cast<size_t>(k * u + column)];
    return sum;
}

double WeightedSquares(const Adjustment& a) {
    double pvv = 0.0;
    for (size_t i = 0; i < a.residuals.size(); ++i)
        if (a.cofactors[i] != 0.0) pvv += a.residuals[i] * a.residuals[i] / a.cofactors[i];
    return pvv;
}

ObservationTest TestOne(const Adjustment& a, const NormalInverse& inv, int column, double sigma0,
                        bool precisionGiven) {
    const double q = a.cofactors[static_cast<size_t>(column)];
    ObservationTest t;
    t.kind = column < a.angleColumns ? ObservationKind::kAngle : ObservationKind::kSide;
    t.record = column < a.angleColumns ? column : column - a.angleColumns;
    t.residual = a.residuals[static_cast<size_t>(column)];
    t.redundancy = std::clamp(q * CorrelateForm(a, inv, column), 0.0, 1.0);
    if (t.redundancy < kLeastRedundancy) return t;
    t.w = t.residual / (sigma0 * std::sqrt(q * t.redundancy));
    t.estimate = -t.residual / t.redundancy;
    if (precisionGiven) {
        t.mdb = kDetectableShift * std::sqrt(q / t.redundancy);
        t.flagged = std::fabs(*t.w) > kSnoopingBound;
    }
    return t;
}
} // namespace

ObservationTests TestObservations(const Adjustment& a, bool precisionGiven) {
    ObservationTests tests;
    const int redundancy = a.conditions - a.parameters;
    const double pvv = WeightedSquares(a);
    const double posteriori = redundancy > 0 ? std::sqrt(pvv / redundancy) : 0.0;
    if (precisionGiven && redundancy > 0) {
        const double lower = ChiSquareQuantile(kGlobalTestLevel / 2, redundancy);
        const double upper = ChiSquareQuantile(1 - kGlobalTestLevel / 2, redundancy);
        tests.global = GlobalTest{redundancy, posteriori, pvv, lower, upper,
                                  pvv >= lower && pvv <= upper};
    }
    const double sigma0 = precisionGiven ? 1.0 : posteriori;
    const NormalInverse inv = InvertNormals(a);
    tests.observations.reserve(a.residuals.size());
    for (int column = 0; column < static_cast<int>(a.residuals.size()); ++column)
        if (a.cofactors[static_cast<size_t>(column)] > 0.0) // not the free orientation
            tests.observations.push_back(TestOne(a, inv, column, sigma0, precisionGiven));
    for (size_t i = 0; i < tests.observations.size(); ++i)
        if (tests.observations[i].w && std::isfinite(*tests.observations[i].w))
            tests.ranking.push_back(i);
    std::stable_sort(tests.ranking.begin(), tests.ranking.end(), [&](size_t x, size_t y) {
        return std::fabs(*tests.observations[x].w) > std::fabs(*tests.observations[y].w);
    });
    return tests;
}

std::vector<size_t> Suspects(const ObservationTests& tests, size_t count) {
    return {tests.ranking.begin(),
            tests.ranking.begin() + static_cast<std::ptrdiff_t>(std::min(count, tests.ranking.size()))};
}

} // namespace traverse
