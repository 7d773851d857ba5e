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

double WeightedSquares(const std::vector<TestedObservation>& observations) {
    double pvv = 0.0;
    for (const TestedObservation& o : observations)
        pvv += o.residual * o.residual / o.cofactor;
    return pvv;
}

ObservationTest TestOne(const TestedObservation& o, double sigma0, bool precisionGiven) {
    const double q = o.cofactor;
    ObservationTest t;
    t.kind = o.kind;
    t.record = o.record;
    t.residual = o.residual;
    t.redundancy = std::clamp(o.redundancy, 0.0, 1.0);
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

ObservationTests TestObservations(const std::vector<TestedObservation>& observations,
                                  int redundancy, bool precisionGiven) {
    ObservationTests tests;
    const double pvv = WeightedSquares(observations);
    const double posteriori = redundancy > 0 ? std::sqrt(pvv / redundancy) : 0.0;
    if (precisionGiven && redundancy > 0) {
        const double lower = ChiSquareQuantile(kGlobalTestLevel / 2, redundancy);
        const double upper = ChiSquareQuantile(1 - kGlobalTestLevel / 2, redundancy);
        tests.global =
            GlobalTest{redundancy, posteriori, pvv, lower, upper, pvv >= lower && pvv <= upper};
    }
    const double sigma0 = precisionGiven ? 1.0 : posteriori;
    tests.observations.reserve(observations.size());
    for (const TestedObservation& o : observations)
        tests.observations.push_back(TestOne(o, sigma0, precisionGiven));
    for (size_t i = 0; i < tests.observations.size(); ++i)
        if (tests.observations[i].w && std::isfinite(*tests.observations[i].w))
            tests.ranking.push_back(i);
    std::stable_sort(tests.ranking.begin(), tests.ranking.end(), [&](size_t x, size_t y) {
        return std::fabs(*tests.observations[x].w) > std::fabs(*tests.observations[y].w);
    });
    return tests;
}

ObservationTests TestObservations(const Adjustment& a, bool precisionGiven) {
    const NormalInverse inv = InvertNormals(a);
    std::vector<TestedObservation> observations;
    observations.reserve(a.residuals.size());
    for (int column = 0; column < static_cast<int>(a.residuals.size()); ++column) {
        const double q = a.cofactors[static_cast<size_t>(column)];
        if (q <= 0.0) continue; // the free orientation
        const bool angle = column < a.angleColumns;
        observations.push_back({angle ? ObservationKind::kAngle : ObservationKind::kSide,
                                angle ? column : column - a.angleColumns,
                                a.residuals[static_cast<size_t>(column)], q,
                                q * CorrelateForm(a, inv, column)});
    }
    return TestObservations(observations, a.conditions - a.parameters, precisionGiven);
}

std::vector<size_t> Suspects(const ObservationTests& tests, size_t count) {
    return {tests.ranking.begin(), tests.ranking.begin() + static_cast<std::ptrdiff_t>(std::min(
                                                               count, tests.ranking.size()))};
}

} // namespace traverse
