// The whole report as a PDF (A4 pages drawn by hand, the plot as vectors) for long
// traverses of the double-connection type. TA_PDF_OUT=FILE keeps one of 2,000 stations
// to look at.
#include "LongTraverse.h"

#include "ui/ReportPrinter.h"
#include "write/TraverseResults.h"

#include <QApplication>

#include <benchmark/benchmark.h>

#include <cstdlib>
#include <fstream>

using namespace traverse;

namespace {
TraverseResults LongResults(int stations) {
    const bench::BenchTraverse t = bench::LoadTraverse(kDoubleConnection, stations);
    auto adjusted = AdjustTraverse(static_cast<TraverseType>(t.type), t.records, t.known);
    return CollectResults(std::get<AdjustedTraverse>(adjusted));
}

const ReportContext kContext{"long.txt", DefaultGrade(), "2026-12-07", "bench", "城北控制测量"};

void BM_ReportPdf(benchmark::State& state) {
    const TraverseResults results = LongResults(static_cast<int>(state.range(0)));
    int pages = 0;
    for (auto _ : state) {
        std::string bytes;
        if (ReportPdf(results, kContext, bytes, [&pages](int page, int) {
                pages = page;
                return true;
            }) != PrintOutcome::kDone) {
            state.SkipWithError("no PDF");
            break;
        }
        state.counters["kB"] = static_cast<double>(bytes.size()) / 1000.0;
    }
    state.counters["pages"] = pages;
}
} // namespace

BENCHMARK(BM_ReportPdf)->Arg(20)->Arg(2000)->Unit(benchmark::kMillisecond);

int main(int argc, char** argv) {
    QApplication app(argc, argv);
    if (const char* out = std::getenv("TA_PDF_OUT")) {
        std::string bytes;
        ReportPdf(LongResults(2000), kContext, bytes);
        std::ofstream(out, std::ios::binary) << bytes;
    }
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
