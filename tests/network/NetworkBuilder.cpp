#include "network/NetworkBuilder.h"

#include <cmath>
#include <numbers>

namespace network_test {

namespace {
constexpr double kSecondsPerRadian = 648000.0 / std::numbers::pi;

double Azimuth(const PlanePoint& a, const PlanePoint& b) {
    return std::atan2(b.dY - a.dY, b.dX - a.dX);
}

double TrueAngle(const Site& s, int station, int back, int fore) {
    const auto at = [&](int i) { return s.truth[static_cast<size_t>(i)]; };
    double a =
        (Azimuth(at(station), at(fore)) - Azimuth(at(station), at(back))) * kSecondsPerRadian;
    a = std::fmod(a, 1296000.0);
    return a < 0.0 ? a + 1296000.0 : a;
}
} // namespace

NetworkObservations Observe(const Site& site, const std::vector<Leg>& runs,
                            parametric::Random* random, const Noise& noise) {
    NetworkObservations net;
    net.files = {"网.txt"};
    for (size_t p = 0; p < site.truth.size(); ++p) {
        NetworkPoint point;
        point.name = "P" + std::to_string(p);
        if (site.known[p]) point.known = site.truth[p];
        net.points.push_back(point);
    }
    int line = 0;
    for (const Leg& run : runs) {
        NetworkLine l;
        l.file = 0;
        l.points = run.points;
        const int n = static_cast<int>(run.points.size());
        for (int i = 0; i < n; ++i) {
            const int back = i > 0 ? run.points[static_cast<size_t>(i - 1)] : run.back;
            const int fore = i + 1 < n ? run.points[static_cast<size_t>(i + 1)] : run.fore;
            const int at = run.points[static_cast<size_t>(i)];
            ++line;
            if (back >= 0 && fore >= 0) {
                double a = TrueAngle(site, at, back, fore);
                if (random)
                    a = std::fmod(a + noise.angleSeconds * random->Normal() + 1296000.0, 1296000.0);
                l.angles.push_back(static_cast<int>(net.angles.size()));
                net.angles.push_back({at, back, fore, a, {0, line}});
            }
            if (i + 1 < n) {
                const PlanePoint& p = site.truth[static_cast<size_t>(at)];
                const PlanePoint& q = site.truth[static_cast<size_t>(fore)];
                double d = std::hypot(q.dX - p.dX, q.dY - p.dY);
                if (random) d += noise.sideScale * std::sqrt(0.01 * d) * random->Normal() / 1000.0;
                l.distances.push_back(static_cast<int>(net.distances.size()));
                net.distances.push_back({at, fore, d, {0, line}});
            }
        }
        net.lines.push_back(l);
    }
    return net;
}

parametric::Network DenseTwin(const NetworkObservations& net,
                              const std::vector<PlanePoint>& start) {
    parametric::Network dense;
    for (size_t p = 0; p < net.points.size(); ++p) {
        const PlanePoint xy = net.points[p].known ? *net.points[p].known : start[p];
        dense.points.push_back({xy.dX, xy.dY});
        dense.fixed.push_back(net.points[p].known.has_value());
    }
    for (const NetworkAngle& a : net.angles)
        dense.observations.push_back({parametric::ObsKind::Angle, a.station, a.backsight,
                                      a.foresight, a.seconds / kSecondsPerRadian, 2.0});
    for (const NetworkDistance& d : net.distances)
        dense.observations.push_back(
            {parametric::ObsKind::Side, d.from, -1, d.to, d.metres, 0.01 * d.metres});
    return dense;
}

} // namespace network_test
