// A direction's azimuth a = atan2(dY, dX) changes by (dX·ddY − dY·ddX) / D² radians;
// with the corrections in mm and D in metres that is (dX·ddY − dY·ddX) / (D² ·
// kArcSecondLever) arc seconds. A distance changes by (dX·ddX + dY·ddY) / D mm.
#include "network/ObservationEquations.h"

#include <cmath>
#include <numbers>

namespace traverse {

namespace {
constexpr double kSecondsPerRadian = 648000.0 / std::numbers::pi;

struct Direction {
    double seconds;    // azimuth
    double perX, perY; // ″ per mm of the far point's x and y (the near point's: negated)
};

Direction DirectionOf(const PlanePoint& from, const PlanePoint& to) {
    const double dx = to.dX - from.dX, dy = to.dY - from.dY;
    const double d2 = (dx * dx + dy * dy) * kArcSecondLever;
    return {std::atan2(dy, dx) * kSecondsPerRadian, -dy / d2, dx / d2};
}

EquationRow AngleRow(const NetworkAngle& a, std::span<const PlanePoint> at,
                     std::span<const int> col, double weight) {
    const auto p = [&](int i) { return at[static_cast<size_t>(i)]; };
    const auto c = [&](int i) { return col[static_cast<size_t>(i)]; };
    const Direction f = DirectionOf(p(a.station), p(a.foresight));
    const Direction b = DirectionOf(p(a.station), p(a.backsight));
    EquationRow row;
    row.weight = weight;
    row.misclosure = FoldedSeconds(f.seconds - b.seconds - a.seconds);
    const int cs = c(a.station), cb = c(a.backsight), cf = c(a.foresight);
    row.Add(cs, b.perX - f.perX);
    row.Add(cs < 0 ? -1 : cs + 1, b.perY - f.perY);
    row.Add(cb, -b.perX);
    row.Add(cb < 0 ? -1 : cb + 1, -b.perY);
    row.Add(cf, f.perX);
    row.Add(cf < 0 ? -1 : cf + 1, f.perY);
    return row;
}

EquationRow DistanceRow(const NetworkDistance& d, std::span<const PlanePoint> at,
                        std::span<const int> col, double weight) {
    const PlanePoint& from = at[static_cast<size_t>(d.from)];
    const PlanePoint& to = at[static_cast<size_t>(d.to)];
    const double dx = to.dX - from.dX, dy = to.dY - from.dY;
    const double length = std::hypot(dx, dy);
    EquationRow row;
    row.weight = weight;
    row.misclosure = (length - d.metres) * 1000.0;
    const int cf = col[static_cast<size_t>(d.from)], ct = col[static_cast<size_t>(d.to)];
    row.Add(cf, -dx / length);
    row.Add(cf < 0 ? -1 : cf + 1, -dy / length);
    row.Add(ct, dx / length);
    row.Add(ct < 0 ? -1 : ct + 1, dy / length);
    return row;
}
} // namespace

double FoldedSeconds(double seconds) {
    double s = std::remainder(seconds, 1296000.0);
    return s <= -648000.0 ? s + 1296000.0 : s;
}

std::vector<int> CoordinateColumns(const NetworkObservations& network) {
    std::vector<int> columns;
    int next = 0;
    for (const NetworkPoint& p : network.points) {
        columns.push_back(p.known ? -1 : next);
        if (!p.known) next += 2;
    }
    return columns;
}

std::vector<EquationRow> PlaneEquations(const NetworkObservations& network,
                                        std::span<const PlanePoint> at,
                                        std::span<const int> columns,
                                        const std::optional<InstrumentPrecision>& instrument) {
    std::vector<EquationRow> rows;
    rows.reserve(network.angles.size() + network.distances.size());
    const double angleWeight = 1.0 / AngleCofactor(instrument);
    for (const NetworkAngle& a : network.angles)
        rows.push_back(AngleRow(a, at, columns, angleWeight));
    for (const NetworkDistance& d : network.distances)
        rows.push_back(DistanceRow(d, at, columns, 1.0 / SideCofactor(instrument, d.metres)));
    return rows;
}

} // namespace traverse
