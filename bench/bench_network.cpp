// The network engine on large networks: the time of a whole adjustment (approximate
// coordinates, rounds, selected inversion, tests), its rounds and the process's peak
// memory (getrusage, so far in the run).
//   BM_GridNetwork/side: a side × side grid of points 200 m apart, every row and every
//     column a traverse between known points on the border (sighting the next border
//     point at both ends); side 100 is 10,000 points, 9,604 of them unknown.
//   BM_TraverseGrid/junctions: a junctions × junctions lattice of junction points 10 sides
//     apart joined by traverses of 9 points, the border junctions known; 24 is 10,512
//     points, 9,936 of them on the traverses.
//   BM_TraverseChain/points: one traverse of that many points through a known point every
//     50, each sighting a known point for its direction: connecting traverses in a row, a
//     traverse-like network, whose cost should grow linearly.
// Observations carry reproducible noise of 2″ and 2 mm.
#include "network/NetworkAdjustment.h"
#include "resources/StringTable.h"

#include <benchmark/benchmark.h>
#include <sys/resource.h>

#include <array>
#include <cmath>
#include <cstdio>
#include <numbers>
#include <random>
#include <string>

using namespace traverse;

namespace {
constexpr double kSpacing = 200.0; // m
constexpr int kKnownEvery = 50;    // points along the chain

struct Builder {
    NetworkObservations net;
    std::vector<PlanePoint> truth;
    std::mt19937_64 rng{20261208u};
    std::normal_distribution<double> noise{0.0, 2.0};

    int Point(const PlanePoint& xy, bool known) {
        truth.push_back(xy);
        NetworkPoint p;
        p.name = "G" + std::to_string(truth.size());
        if (known) p.known = xy;
        net.points.push_back(p);
        return static_cast<int>(truth.size()) - 1;
    }
    double Azimuth(int a, int b) const {
        const PlanePoint &p = truth[static_cast<size_t>(a)], &q = truth[static_cast<size_t>(b)];
        return std::atan2(q.dY - p.dY, q.dX - p.dX) * 648000.0 / std::numbers::pi;
    }
    void Angle(int at, int back, int fore) {
        const double a =
            std::fmod(Azimuth(at, fore) - Azimuth(at, back) + noise(rng) + 2592000.0, 1296000.0);
        net.angles.push_back({at, back, fore, a, {}});
    }
    void Distance(int from, int to) {
        const PlanePoint &p = truth[static_cast<size_t>(from)], &q = truth[static_cast<size_t>(to)];
        net.distances.push_back(
            {from, to, std::hypot(q.dX - p.dX, q.dY - p.dY) + noise(rng) / 1000.0, {}});
    }
    // A traverse through points, sighting back and fore at its ends.
    void Traverse(const std::vector<int>& points, int back, int fore) {
        for (size_t i = 0; i < points.size(); ++i) {
            const int b = i == 0 ? back : points[i - 1];
            const int f = i + 1 == points.size() ? fore : points[i + 1];
            if (b >= 0 && f >= 0) Angle(points[i], b, f);
            if (i + 1 < points.size()) Distance(points[i], points[i + 1]);
        }
    }
};

NetworkObservations Grid(int side) {
    Builder b;
    std::uniform_real_distribution<double> jitter(-20.0, 20.0);
    for (int i = 0; i < side; ++i)
        for (int j = 0; j < side; ++j) {
            const bool border = i == 0 || j == 0 || i == side - 1 || j == side - 1;
            b.Point(
                {3380000.0 + i * kSpacing + jitter(b.rng), 500000.0 + j * kSpacing + jitter(b.rng)},
                border);
        }
    const auto at = [side](int i, int j) { return i * side + j; };
    for (int i = 1; i < side - 1; ++i) {
        std::vector<int> row, column;
        for (int j = 0; j < side; ++j) {
            row.push_back(at(i, j));
            column.push_back(at(j, i));
        }
        b.Traverse(row, at(i - 1, 0), at(i - 1, side - 1));
        b.Traverse(column, at(0, i - 1), at(side - 1, i - 1));
    }
    return b.net;
}

NetworkObservations Chain(int points) {
    Builder b;
    std::uniform_real_distribution<double> turn(-0.5, 0.5);
    double azimuth = 0.3, x = 3380000.0, y = 500000.0;
    const int back = b.Point({x - 300.0, y - 100.0}, true);
    std::vector<int> chain;
    for (int k = 0; k < points; ++k) {
        chain.push_back(b.Point({x, y}, k % kKnownEvery == 0 || k == points - 1));
        azimuth += turn(b.rng);
        x += kSpacing * std::cos(azimuth);
        y += kSpacing * std::sin(azimuth);
    }
    const int fore = b.Point({x, y}, true);
    b.Traverse(chain, back, fore);
    // Every known point on the way also sights a known point ahead: a new direction.
    for (int k = kKnownEvery; k + 1 < points; k += kKnownEvery) {
        const PlanePoint& at = b.truth[static_cast<size_t>(chain[static_cast<size_t>(k)])];
        b.Angle(chain[static_cast<size_t>(k)], b.Point({at.dX + 150.0, at.dY + 250.0}, true),
                chain[static_cast<size_t>(k) + 1]);
    }
    return b.net;
}

// Junctions on a lattice, 10 sides apart, joined by traverses of 9 points; the border
// junctions are known and sight their neighbour on the border for a direction; at an
// inner junction the angles turn from one traverse to the next.
NetworkObservations TraverseGrid(int side) {
    constexpr int kSides = 10;
    Builder b;
    std::uniform_real_distribution<double> jitter(-20.0, 20.0);
    const auto place = [&](double i, double k) {
        return PlanePoint{3380000.0 + i * kSpacing + jitter(b.rng),
                          500000.0 + k * kSpacing + jitter(b.rng)};
    };
    std::vector<int> junction;
    for (int i = 0; i < side; ++i)
        for (int k = 0; k < side; ++k)
            junction.push_back(b.Point(place(i * kSides, k * kSides),
                                       i == 0 || k == 0 || i == side - 1 || k == side - 1));
    // The first point of the traverse leaving each junction north, east, south, west.
    std::vector<std::array<int, 4>> near(junction.size(), {-1, -1, -1, -1});
    const auto line = [&](int i, int k, int di, int dk, int leaving, int arriving) {
        const int from = junction[static_cast<size_t>(i * side + k)];
        const int to = junction[static_cast<size_t>((i + di) * side + k + dk)];
        std::vector<int> chain{from};
        for (int s = 1; s < kSides; ++s)
            chain.push_back(b.Point(place(i * kSides + s * di, k * kSides + s * dk), false));
        chain.push_back(to);
        b.Traverse(chain, -1, -1);
        near[static_cast<size_t>(from)][static_cast<size_t>(leaving)] = chain[1];
        near[static_cast<size_t>(to)][static_cast<size_t>(arriving)] = chain[chain.size() - 2];
    };
    for (int i = 0; i < side; ++i)
        for (int k = 0; k < side; ++k) {
            if (k + 1 < side) line(i, k, 0, 1, 1, 3);
            if (i + 1 < side) line(i, k, 1, 0, 0, 2);
        }
    for (int i = 0; i < side; ++i)
        for (int k = 0; k < side; ++k) {
            const int at = junction[static_cast<size_t>(i * side + k)];
            const auto& sights = near[static_cast<size_t>(at)];
            int last = -1;
            for (int s : sights)
                if (s >= 0) {
                    if (last >= 0) b.Angle(at, last, s);
                    last = s;
                }
            if (b.net.points[static_cast<size_t>(at)].known) {
                const int along = junction[static_cast<size_t>(
                    k == 0 || k == side - 1 ? (i == 0 ? 1 : i - 1) * side + k : i * side + k + 1)];
                for (int s : sights)
                    if (s >= 0) b.Angle(at, along, s);
            }
        }
    return b.net;
}

long PeakKilobytes() {
    rusage usage{};
    getrusage(RUSAGE_SELF, &usage);
    return usage.ru_maxrss;
}

void Adjust(benchmark::State& state, const NetworkObservations& net) {
    for (auto _ : state) {
        const auto result = AdjustNetwork(net, {});
        const auto* a = std::get_if<NetworkAdjustment>(&result);
        if (a == nullptr) {
            std::fprintf(stderr, "%s\n", MessageText(std::get<Refusal>(result)).c_str());
            state.SkipWithError("refused");
            break;
        }
        benchmark::DoNotOptimize(a->points.data());
        state.counters["rounds"] = a->rounds;
        state.counters["sigma0"] = a->sigma0;
        state.counters["r"] = a->redundancy;
    }
    state.counters["points"] = static_cast<double>(net.points.size());
    state.counters["peakMB"] = static_cast<double>(PeakKilobytes()) / 1024.0;
}

void BM_GridNetwork(benchmark::State& state) {
    Adjust(state, Grid(static_cast<int>(state.range(0))));
}
void BM_TraverseGrid(benchmark::State& state) {
    Adjust(state, TraverseGrid(static_cast<int>(state.range(0))));
}
void BM_TraverseChain(benchmark::State& state) {
    Adjust(state, Chain(static_cast<int>(state.range(0))));
}
} // namespace

BENCHMARK(BM_TraverseChain)->Arg(1000)->Arg(10000)->Arg(100000)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_TraverseGrid)->Arg(8)->Arg(24)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_GridNetwork)->Arg(32)->Arg(100)->Unit(benchmark::kMillisecond);

BENCHMARK_MAIN();
