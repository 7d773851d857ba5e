#include "adjust/TraverseCases.h"

#include "model/AngleConversions.h"
#include "support/TraverseFixtures.h"

#include <cmath>
#include <numbers>

using namespace traverse;

namespace {
constexpr double kPi = std::numbers::pi;
constexpr double kSecToRad = kPi / 648000.0;

double AzimuthDeg(PlanePoint from, PlanePoint to) {
    return std::atan2(to.dY - from.dY, to.dX - from.dX) * 180.0 / kPi;
}
PlanePoint Offset(PlanePoint p, double azDeg, double length) {
    return {p.dX + length * std::cos(azDeg * kPi / 180.0),
            p.dY + length * std::sin(azDeg * kPi / 180.0)};
}
} // namespace

double PackDegrees(double degrees) {
    double total = std::round(std::fmod(degrees + 720.0, 360.0) * 3600.0 * 1e4) / 1e4;
    if (total >= 1296000.0) total -= 1296000.0;
    int d = static_cast<int>(total / 3600.0);
    total -= d * 3600.0;
    int m = static_cast<int>(total / 60.0);
    return d * 10000.0 + m * 100.0 + (total - m * 60.0);
}

std::vector<Sighting> ObservePath(const std::vector<PlanePoint>& path, PlanePoint back,
                                  const PlanePoint* fore, const std::vector<double>& angleNoise,
                                  const std::vector<double>& sideNoise) {
    std::vector<Sighting> obs;
    auto noise = [](const std::vector<double>& v, size_t i) {
        return v.empty() ? 0.0 : v[i % v.size()];
    };
    for (size_t i = 0; i + 1 < path.size(); ++i) {
        PlanePoint prev = i == 0 ? back : path[i - 1];
        double beta = AzimuthDeg(path[i], path[i + 1]) - AzimuthDeg(path[i], prev);
        double side = std::hypot(path[i + 1].dX - path[i].dX, path[i + 1].dY - path[i].dY);
        obs.push_back({PackDegrees(beta + noise(angleNoise, i) / 3600.0),
                       side + noise(sideNoise, i) / 1000.0});
    }
    if (fore != nullptr) {
        size_t k = path.size() - 1;
        double beta = AzimuthDeg(path[k], *fore) - AzimuthDeg(path[k], path[k - 1]);
        obs.push_back({PackDegrees(beta + noise(angleNoise, k) / 3600.0), 0.0});
    }
    return obs;
}

TraverseCase GeneratedCase(int type, int stations, double originX, double originY) {
    const std::vector<double> angleNoise{3.1, -2.4, 1.7, -4.2, 0.8, 2.9, -1.3};
    const std::vector<double> sideNoise{4.0, -6.5, 2.2, 7.1, -3.3};
    const PlanePoint origin{originX, originY};
    std::vector<PlanePoint> path;
    if (type == kClosed) {
        const double radius = 200.0 * stations / (2.0 * kPi);
        for (int i = 0; i < stations; ++i) {
            double t = 2.0 * kPi * i / stations;
            double r = radius * (1.0 + 0.2 * std::sin(3.0 * t));
            path.push_back({originX + r * std::cos(t) - r, originY + r * std::sin(t)});
        }
        path.push_back(path[0]);
    } else {
        path.push_back(origin);
        double heading = 30.0;
        for (int i = 1; i <= stations; ++i) {
            heading += ((i * 53) % 7 - 3) * 12.0;
            path.push_back(Offset(path.back(), heading, 120.0 + 80.0 * ((i * 37) % 5)));
        }
    }
    const PlanePoint back = Offset(origin, 200.0, 180.0);
    const PlanePoint fore = Offset(path.back(), 70.0, 150.0);
    TraverseCase c{"generated", type, {origin, back, path.back(), fore}, {}};
    if (type == kClosed)
        c.obs = ObservePath(path, back, &path[1], angleNoise, sideNoise);
    else if (type == kDoubleConnection)
        c.obs = ObservePath(path, back, &fore, angleNoise, sideNoise);
    else
        c.obs = ObservePath(path, back, nullptr, angleNoise, sideNoise);
    return c;
}

void LoadCase(CTraverseAdjustDlg& dlg, const TraverseCase& c) {
    dlg.m_nTraverseType = c.type;
    dlg.m_dInitX1 = c.known[0].dX;
    dlg.m_dInitY1 = c.known[0].dY;
    dlg.m_dInitX2 = c.known[1].dX;
    dlg.m_dInitY2 = c.known[1].dY;
    dlg.m_dGoalX1 = c.known[2].dX;
    dlg.m_dGoalY1 = c.known[2].dY;
    dlg.m_dGoalX2 = c.known[3].dX;
    dlg.m_dGoalY2 = c.known[3].dY;
    dlg.m_arrObservations.SetSize(0);
    for (const ObservationRecord& r : RecordsOf(c))
        dlg.m_arrObservations.Add(r);
}

Observations RecordsOf(const TraverseCase& c) {
    std::vector<std::pair<double, double>> records;
    for (const Sighting& o : c.obs)
        records.emplace_back(o.packedAngle, o.distance);
    return c.type == kClosed ? AsLoop(Records(records)) : Records(records);
}

KnownPlanePoints KnownOf(const TraverseCase& c) {
    return {c.known[0], c.known[1], c.known[2], c.known[3]};
}

KnownCoordinates GivenOf(const KnownPlanePoints& k) { return {k.start1, k.start2, k.end1, k.end2}; }

std::variant<AdjustedTraverse, Refusal> AdjustCase(const TraverseCase& c) {
    const Observations obs = RecordsOf(c);
    return AdjustTraverse(static_cast<TraverseType>(c.type), obs, GivenOf(KnownOf(c)));
}

std::vector<double> ForwardModel::Evaluate(const std::vector<double>& x) const {
    std::vector<double> az; // azimuth of side j is az[j]
    const PlanePoint start1 = known[0], start2 = known[1];
    double a = type == kNonOriented ? x[0] * kSecToRad
                                    : std::atan2(start1.dY - start2.dY, start1.dX - start2.dX);
    if (type == kNonOriented) az.push_back(a);
    for (int k = type == kNonOriented ? 1 : 0; k < angles; ++k) {
        a += x[k] * kSecToRad - kPi;
        az.push_back(a);
    }
    std::vector<PlanePoint> p{start1};
    for (int j = 0; j < sides; ++j)
        p.push_back(Offset(p.back(), az[j] * 180.0 / kPi, x[angles + j] / 1000.0));
    const PlanePoint target = type == kClosed ? start1 : known[2];
    std::vector<double> out;
    if (type == kClosed) out.push_back((az.back() - az.front()) / kSecToRad);
    if (type == kDoubleConnection) out.push_back(az.back() / kSecToRad);
    out.push_back((p.back().dX - target.dX) * 1000.0);
    out.push_back((p.back().dY - target.dY) * 1000.0);
    for (const PlanePoint& q : p) {
        out.push_back(q.dX * 1000.0);
        out.push_back(q.dY * 1000.0);
    }
    return out;
}

ForwardModel ModelOf(const TraverseCase& c, const Reduction& reduction, std::vector<double>& x) {
    const int n = static_cast<int>(c.obs.size());
    const int type = c.type;
    ForwardModel model{type, c.known, n, type == kClosed || type == kDoubleConnection ? n - 1 : n};
    x.clear();
    for (int k = 0; k < n; ++k)
        x.push_back(DmsToSeconds(UnpackDms(c.obs[static_cast<size_t>(k)].packedAngle)));
    if (type == kNonOriented) x[0] = DmsToSeconds(reduction.azimuths[0]);
    for (int j = 0; j < model.sides; ++j)
        x.push_back(c.obs[static_cast<size_t>(j)].distance * 1000.0);
    return model;
}
