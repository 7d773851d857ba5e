// Adjustment and precision assessment of long closed traverses: a loop of stations
// on a circle with 200 m sides and a few seconds of angle noise.
#include "workspace/TraverseAdjustDlg.h"

#include <benchmark/benchmark.h>

#include <cmath>
#include <numbers>

namespace {
constexpr double kPi = std::numbers::pi;

double AzimuthDeg(PlanePoint from, PlanePoint to) {
    return std::atan2(to.dY - from.dY, to.dX - from.dX) * 180.0 / kPi;
}

double PackDegrees(double deg) {
    double total = std::round(std::fmod(deg + 720.0, 360.0) * 3600.0 * 1e4) / 1e4;
    int d = static_cast<int>(total / 3600.0);
    total -= d * 3600.0;
    int m = static_cast<int>(total / 60.0);
    return d * 10000.0 + m * 100.0 + (total - m * 60.0);
}

// A closed loop of `points` distinct stations: points + 1 records.
void LoadLoop(CTraverseAdjustDlg& dlg, int points) {
    const double radius = 200.0 * points / (2.0 * kPi);
    std::vector<PlanePoint> p;
    for (int i = 0; i < points; ++i) {
        double t = 2.0 * kPi * i / points;
        p.push_back({3500000.0 + radius * std::cos(t), 500000.0 + radius * std::sin(t)});
    }
    const PlanePoint back{p[0].dX + 300.0, p[0].dY - 100.0};
    dlg.m_nTraverseType = kClosed;
    dlg.m_dInitX1 = p[0].dX;
    dlg.m_dInitY1 = p[0].dY;
    dlg.m_dInitX2 = back.dX;
    dlg.m_dInitY2 = back.dY;
    const double noise[] = {1.3, -0.7, 0.4, -1.1, 0.2};
    for (int i = 0; i <= points; ++i) {
        const PlanePoint at = p[i % points];
        const PlanePoint prev = i == 0 ? back : p[i - 1];
        const PlanePoint next = p[(i + 1) % points];
        ObservationRecord r{};
        r.dHorizontalAngle =
            PackDegrees(AzimuthDeg(at, next) - AzimuthDeg(at, prev) + noise[i % 5] / 3600.0);
        r.dDistance = std::hypot(next.dX - at.dX, next.dY - at.dY) + noise[(i + 2) % 5] / 1000.0;
        r.dVerticalAngle = 900000.0;
        dlg.m_arrObservations.Add(r);
    }
}

void BM_AdjustAndAssessClosedLoop(benchmark::State& state) {
    CTraverseAdjustDlg dlg;
    LoadLoop(dlg, static_cast<int>(state.range(0)));
    for (auto _ : state) {
        dlg.ReduceClosedTraverse();
        if (dlg.AdjustClosedOrDoubleTraverse() != 1 || dlg.AssessPrecision() != 1)
            state.SkipWithError("adjustment failed");
        benchmark::DoNotOptimize(dlg.m_arrM.GetData());
    }
    state.counters["sigma0"] = dlg.m_dSigma0;
}
} // namespace

BENCHMARK(BM_AdjustAndAssessClosedLoop)
    ->Arg(20)
    ->Arg(200)
    ->Arg(2000)
    ->Unit(benchmark::kMillisecond);

BENCHMARK_MAIN();
