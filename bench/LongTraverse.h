// Long traverses for the benchmarks: stations on a meandering line with 150 to 250 m
// sides, a few seconds of angle noise and a few millimetres of side noise (the angle
// noise sums to a small azimuth closure, as a real traverse that passes the 50" check).
#pragma once

#include "assess/AdjustedTraverse.h"

#include <cmath>
#include <numbers>
#include <random>
#include <vector>

namespace bench {
using namespace traverse;

constexpr double kPi = std::numbers::pi;

inline double AzimuthDeg(PlanePoint from, PlanePoint to) {
    return std::atan2(to.dY - from.dY, to.dX - from.dX) * 180.0 / kPi;
}

inline double PackDegrees(double deg) {
    double total = std::round(std::fmod(deg + 720.0, 360.0) * 3600.0 * 1e2) / 1e2;
    if (total >= 1296000.0) total -= 1296000.0;
    int d = static_cast<int>(total / 3600.0);
    total -= d * 3600.0;
    int m = static_cast<int>(total / 60.0);
    return d * 10000.0 + m * 100.0 + (total - m * 60.0);
}

inline std::vector<PlanePoint> Meander(int points, std::mt19937_64& rng) {
    std::uniform_real_distribution<double> turn(-25.0, 25.0), side(150.0, 250.0);
    std::vector<PlanePoint> p{{3500000.0, 500000.0}};
    double heading = 40.0;
    for (int i = 1; i < points; ++i) {
        heading += turn(rng) - 0.02 * (heading - 40.0); // drifts back towards 40 deg
        const double h = heading * kPi / 180.0, s = side(rng);
        p.push_back({p.back().dX + s * std::cos(h), p.back().dY + s * std::sin(h)});
    }
    return p;
}

// Records of a traverse through `path`: the angle at path[i] from the previous point
// (back for i = 0) to the next (fore after the last, when given) and the side to it.
inline void Observe(Observations& records, const std::vector<PlanePoint>& path, PlanePoint back,
             const PlanePoint* fore, std::mt19937_64& rng) {
    const size_t n = fore != nullptr ? path.size() : path.size() - 1;
    std::normal_distribution<double> angleNoise(0.0, 2.0), sideNoise(0.0, 2.0);
    std::vector<double> noise(n);
    double mean = 0.0;
    for (double& e : noise)
        mean += (e = angleNoise(rng)) / static_cast<double>(n);
    for (size_t i = 0; i < n; ++i) {
        const PlanePoint at = path[i], prev = i == 0 ? back : path[i - 1];
        const PlanePoint next = i + 1 < path.size() ? path[i + 1] : *fore;
        ObservationRecord r{};
        r.dHorizontalAngle =
            PackDegrees(AzimuthDeg(at, next) - AzimuthDeg(at, prev) + (noise[i] - mean) / 3600.0);
        r.dDistance = std::hypot(next.dX - at.dX, next.dY - at.dY) + sideNoise(rng) / 1000.0;
        r.dVerticalAngle = 900000.0;
        records.push_back(r);
    }
}

struct BenchTraverse {
    int type = kNonOriented;
    Observations records;
    KnownCoordinates known;
};

// A traverse of `stations` observation records of the given type, with its known points.
inline BenchTraverse LoadTraverse(int type, int stations) {
    std::mt19937_64 rng(static_cast<unsigned>(stations * 4 + type));
    const bool annexed = type == kClosed || type == kDoubleConnection;
    std::vector<PlanePoint> path = Meander(annexed ? stations : stations + 1, rng);
    if (type == kClosed) { // out and back along the same meander, closing on the start
        path.resize(static_cast<size_t>(stations / 2 + 1));
        for (int i = static_cast<int>(path.size()) - 2; static_cast<int>(path.size()) < stations;
             --i)
            path.push_back(
                {path[static_cast<size_t>(i)].dX + 60.0, path[static_cast<size_t>(i)].dY});
        path.back() = path.front();
    }
    const PlanePoint back{path[0].dX - 300.0, path[0].dY - 100.0};
    const PlanePoint fore{path.back().dX + 200.0, path.back().dY + 250.0};
    BenchTraverse t{type, {}, {path[0], back, path.back(), fore}};
    const PlanePoint second = type == kClosed ? path[1] : fore;
    Observe(t.records, path, back, annexed ? &second : nullptr, rng);
    return t;
}

} // namespace bench
