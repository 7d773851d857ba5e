// Monte Carlo of the heights of a single-connection traverse of 10 sides (150 to 350 m,
// ±15 m between points): zenith angles with 5″ (1σ) of noise, heights known at both ends.
// Each run counts the new points whose true height lies within the height error the
// adjustment reports (1σ, a posteriori from the one closure) and within the error the
// 5″ give a priori. Counters: the two shares (0.68 is what a 1σ error should hold) and
// the mean μ per km reported.
#include "assess/AdjustedTraverse.h"

#include <benchmark/benchmark.h>

#include <cmath>
#include <numbers>
#include <random>
#include <vector>

using namespace traverse;

namespace {
constexpr double kPi = std::numbers::pi;
constexpr double kZenithNoise = 5.0; // arc seconds, 1σ
constexpr int kSides = 10;

double Packed(double radians) {
    double s = radians * 648000.0 / kPi;
    const int d = static_cast<int>(s / 3600.0);
    s -= d * 3600.0;
    const int m = static_cast<int>(s / 60.0);
    return d * 10000.0 + m * 100.0 + (s - m * 60.0);
}

struct Traverse {
    Observations records;
    std::vector<double> heights, distances;
    KnownCoordinates known;
};

// A straight-ish line of sides along X; the plane is exact, the zenith angles noisy.
Traverse Make(std::mt19937_64& rng) {
    std::uniform_real_distribution<double> side(150.0, 350.0), rise(-15.0, 15.0);
    std::normal_distribution<double> noise(0.0, kZenithNoise / 206264.80624709636);
    Traverse t;
    t.heights.push_back(50.0);
    double x = 1000.0;
    for (int k = 0; k < kSides; ++k) {
        const double d = side(rng);
        t.distances.push_back(d);
        t.heights.push_back(t.heights.back() + rise(rng));
        const double up = t.heights[k + 1] - t.heights[k] -
                          (1.0 - kDefaultRefraction) * d * d / (2.0 * kEarthRadius);
        const double z = std::atan2(d, up) + noise(rng);
        ObservationRecord r{};
        SetName(r.szStation, "P" + std::to_string(k));
        SetName(r.szForesight, "P" + std::to_string(k + 1));
        SetName(r.szBacksight, k == 0 ? "B" : "P" + std::to_string(k - 1));
        r.dDistance = std::hypot(d, up);
        r.dHorizontalAngle = k == 0 ? 900000.0 : 1800000.0;
        r.dVerticalAngle = Packed(z);
        r.dInstrumentHeight = r.dTargetHeight = 1.5;
        t.records.push_back(r);
        x += d;
    }
    t.known.start1 = PlanePoint{1000.0, 1000.0};
    t.known.start2 = PlanePoint{1000.0, 900.0};
    t.known.end1 = PlanePoint{x, 1000.0};
    t.known.start1Height = t.heights.front();
    t.known.end1Height = t.heights.back();
    return t;
}

void BM_HeightErrorsCoverTheTruth(benchmark::State& state) {
    std::mt19937_64 rng(2026);
    long long points = 0, withinReported = 0, withinPrior = 0;
    double perKm = 0.0;
    int runs = 0;
    for (auto _ : state) {
        const Traverse t = Make(rng);
        const auto adjusted = AdjustTraverse(kSingleConnection, t.records, t.known);
        const auto& h = std::get<HeightAdjustment>(*std::get<AdjustedTraverse>(adjusted).heights);
        // A priori: a difference's σ is D·σz; the adjusted height i carries the errors
        // before it less the share L/ΣD of the closure, so its variance is
        // A(1 − L/ΣD)² + (T − A)(L/ΣD)², A and T the variances before it and in all.
        double total2 = 0.0, along2 = 0.0, length = 0.0, along = 0.0;
        for (double d : t.distances) {
            total2 += std::pow(d * kZenithNoise / 206264.80624709636, 2);
            length += d;
        }
        for (int i = 1; i < kSides; ++i) {
            along2 += std::pow(t.distances[i - 1] * kZenithNoise / 206264.80624709636, 2);
            along += t.distances[i - 1];
            const double share = along / length;
            const double prior =
                std::sqrt(along2 * std::pow(1.0 - share, 2) + (total2 - along2) * share * share) *
                1000.0;
            const double e = std::fabs(h.heights[i] - t.heights[i]) * 1000.0;
            ++points;
            withinReported += e <= h.heightErrors[i];
            withinPrior += e <= prior;
        }
        perKm += h.errorPerKm;
        ++runs;
    }
    state.counters["within_reported"] = static_cast<double>(withinReported) / points;
    state.counters["within_a_priori"] = static_cast<double>(withinPrior) / points;
    state.counters["mean_mu_per_km_mm"] = perKm / runs;
}
BENCHMARK(BM_HeightErrorsCoverTheTruth)->Iterations(20000);
} // namespace

BENCHMARK_MAIN();
