// Reduction, iterated adjustment and precision assessment of long traverses of every
// type (LongTraverse.h).
#include "LongTraverse.h"

#include <benchmark/benchmark.h>

using namespace traverse;
using bench::BenchTraverse;
using bench::LoadTraverse;

namespace {
void BM_AdjustAndAssess(benchmark::State& state) {
    const BenchTraverse t =
        LoadTraverse(static_cast<int>(state.range(0)), static_cast<int>(state.range(1)));
    for (auto _ : state) {
        auto adjusted = AdjustTraverse(static_cast<TraverseType>(t.type), t.records, t.known);
        const auto* done = std::get_if<AdjustedTraverse>(&adjusted);
        if (done == nullptr) {
            state.SkipWithError("not adjusted");
            break;
        }
        benchmark::DoNotOptimize(done->precision.points.data());
        state.counters["rounds"] = done->adjustment.rounds;
        state.counters["sigma0"] = done->precision.sigma0;
    }
}
} // namespace

// Arguments: traverse type (0 non-oriented, 1 single, 2 closed, 3 double), records.
BENCHMARK(BM_AdjustAndAssess)
    ->ArgNames({"type", "records"})
    ->ArgsProduct({{0, 1, 2, 3}, {100, 1000, 10000}})
    ->Unit(benchmark::kMillisecond);

BENCHMARK_MAIN();
