// Monte Carlo of the tests for blunders (not a speed benchmark): 10-station
// double-connection traverses observed at the instrument's own precision (σβ = 3″,
// σD = 3 mm), adjusted with that precision. Blundered runs get one angle +40″ or one
// side +50 mm at a random observation; clean runs get none. Counters, in %:
//   detected   the global test fails or some |w| > 3.29, or the 50″ rule refused the
//              traverse before any adjustment (refused, counted apart too; hinted: the
//              refusal named the blundered station);
//   first      the blundered observation heads the suspects;
//   among3     it is one of the first three;
//   alarms     on clean runs, the global test fails or some |w| > 3.29.
#include "LongTraverse.h"

#include <benchmark/benchmark.h>

#include <algorithm>
#include <cstdio>
#include <string>

using namespace traverse;

namespace {
constexpr int kRuns = 1000;
constexpr int kRecords = 10;
constexpr InstrumentPrecision kInstrument{3.0, 3.0, 0.0};

struct Outcome {
    bool refused = false, hinted = false, detected = false, first = false, among3 = false;
};

// P0, P1, … along the traverse; P-1 and P10 are start point 2 and end point 2.
void Name(char (&field)[kNameFieldSize], int station) {
    std::snprintf(field, sizeof field, "P%d", station % 100);
}

// Records of a double-connection traverse along path at the instrument's precision,
// one observation (column: angles, then sides) given `blunder` ″ or mm more.
Observations Observe(const std::vector<PlanePoint>& path, PlanePoint back, PlanePoint fore,
                     std::mt19937_64& rng, int column, double blunder) {
    std::normal_distribution<double> angle(0.0, kInstrument.angleSeconds),
        side(0.0, kInstrument.distanceMm);
    Observations records;
    for (size_t i = 0; i < path.size(); ++i) {
        const PlanePoint prev = i == 0 ? back : path[i - 1];
        const PlanePoint next = i + 1 < path.size() ? path[i + 1] : fore;
        const int sideColumn = kRecords + static_cast<int>(i);
        ObservationRecord r{};
        r.dHorizontalAngle = bench::PackDegrees(
            bench::AzimuthDeg(path[i], next) - bench::AzimuthDeg(path[i], prev) +
            (angle(rng) + (column == static_cast<int>(i) ? blunder : 0.0)) / 3600.0);
        if (i + 1 < path.size())
            r.dDistance = std::hypot(next.dX - path[i].dX, next.dY - path[i].dY) +
                          (side(rng) + (column == sideColumn ? blunder : 0.0)) / 1000.0;
        r.dVerticalAngle = 900000.0;
        Name(r.szStation, static_cast<int>(i));
        Name(r.szBacksight, static_cast<int>(i) - 1);
        Name(r.szForesight, i + 1 < path.size() ? static_cast<int>(i) + 1 : kRecords);
        records.push_back(r);
    }
    return records;
}

bool Alarm(const ObservationTests& t) {
    return (t.global && !t.global->pass) ||
           std::any_of(t.observations.begin(), t.observations.end(),
                       [](const ObservationTest& o) { return o.flagged; });
}

// The column of an observation test: angles, then sides.
int ColumnOf(const ObservationTest& o) {
    return o.kind == ObservationKind::kAngle ? o.record : kRecords + o.record;
}

Outcome Run(std::mt19937_64& rng, int column, double blunder) {
    const std::vector<PlanePoint> path = bench::Meander(kRecords, rng);
    const PlanePoint back{path[0].dX - 300.0, path[0].dY - 100.0};
    const PlanePoint fore{path.back().dX + 200.0, path.back().dY + 250.0};
    const auto adjusted = AdjustTraverse(kDoubleConnection, Observe(path, back, fore, rng, column, blunder),
                                         {path[0], back, path.back(), fore}, kDefaultRefraction,
                                         kInstrument);
    Outcome o;
    const auto* t = std::get_if<AdjustedTraverse>(&adjusted);
    if (t == nullptr) {
        o.refused = o.detected = true;
        const std::string station = " P" + std::to_string(column) + " 站的";
        o.hinted = std::get<Refusal>(adjusted).hint.find(station) != std::string::npos;
        return o;
    }
    o.detected = Alarm(t->tests);
    const std::vector<size_t> suspects = Suspects(t->tests);
    for (size_t k = 0; k < suspects.size(); ++k)
        if (ColumnOf(t->tests.observations[suspects[k]]) == column) {
            o.first = o.first || k == 0;
            o.among3 = true;
        }
    return o;
}

// Arguments: 0 angle blunders of 40″, 1 side blunders of 50 mm, 2 clean runs.
void BM_Snooping(benchmark::State& state) {
    const int kind = static_cast<int>(state.range(0));
    std::mt19937_64 rng(20261207u + static_cast<unsigned>(kind));
    std::uniform_int_distribution<int> angleAt(0, kRecords - 1), sideAt(0, kRecords - 2);
    int refused = 0, hinted = 0, detected = 0, first = 0, among3 = 0;
    for (auto _ : state)
        for (int run = 0; run < kRuns; ++run) {
            const int column = kind == 0 ? angleAt(rng) : kind == 1 ? kRecords + sideAt(rng) : -1;
            const Outcome o = Run(rng, column, kind == 0 ? 40.0 : kind == 1 ? 50.0 : 0.0);
            refused += o.refused;
            hinted += o.hinted;
            detected += o.detected;
            first += o.first;
            among3 += o.among3;
        }
    const double runs = kRuns * static_cast<double>(state.iterations()) / 100.0;
    state.counters[kind == 2 ? "alarms%" : "detected%"] = detected / runs;
    state.counters["refused%"] = refused / runs;
    if (kind == 0) state.counters["hinted%"] = hinted / runs;
    if (kind != 2) {
        state.counters["first%"] = first / runs;
        state.counters["among3%"] = among3 / runs;
    }
}
} // namespace

BENCHMARK(BM_Snooping)->ArgName("blunder")->Arg(0)->Arg(1)->Arg(2)->Iterations(1)->Unit(benchmark::kMillisecond);

BENCHMARK_MAIN();
