// Reading a known-point file of 20,000 to 1,000,000 points, as the ".dat" lines
// "NAME,CODE,E,N,H" survey offices hand out (about 40 bytes a line), and looking up the
// four known points of a traverse in it. Linear in the number of lines.
#include "read/KnownPointFile.h"

#include <benchmark/benchmark.h>

#include <cstdio>
#include <string>
#include <vector>

using namespace traverse;

namespace {
std::string Name(int number) {
    char name[16];
    std::snprintf(name, sizeof name, "K%07d", number);
    return name;
}

// Points named K0000001 ... on a grid of 10 m, heights near 100 m.
std::string DatFile(int points) {
    std::string bytes;
    bytes.reserve(static_cast<size_t>(points) * 44);
    char line[96];
    for (int i = 0; i < points; ++i) {
        const int n = std::snprintf(line, sizeof line, "K%07d,,%.3f,%.3f,%.3f\r\n", i + 1,
                                    500000.0 + (i % 1000) * 10.0, 3380000.0 + (i / 1000) * 10.0,
                                    100.0 + (i % 97) * 0.001);
        bytes.append(line, static_cast<size_t>(n));
    }
    return bytes;
}

void BM_ReadKnownPoints(benchmark::State& state) {
    const int points = static_cast<int>(state.range(0));
    const std::string bytes = DatFile(points);
    const std::string names[] = {Name(1), Name(2), Name(points / 2), Name(points)};
    for (auto _ : state) {
        std::vector<KnownPointEntry> read;
        if (ReadKnownPoints(bytes, "bench.dat", KnownPointFormat::Dat, read)) {
            state.SkipWithError("refused");
            break;
        }
        for (const std::string& name : names)
            if (FindKnownPoint(read, name) == nullptr) state.SkipWithError("not found");
    }
    state.SetBytesProcessed(static_cast<int64_t>(state.iterations()) *
                            static_cast<int64_t>(bytes.size()));
    state.counters["lines"] = points;
}
} // namespace

BENCHMARK(BM_ReadKnownPoints)
    ->ArgName("lines")
    ->Arg(20000)
    ->Arg(80000)
    ->Arg(1000000)
    ->Unit(benchmark::kMillisecond);

BENCHMARK_MAIN();
