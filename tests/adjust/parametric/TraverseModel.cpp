#include "adjust/parametric/TraverseModel.h"

#include <cmath>
#include <numbers>

namespace parametric {
namespace {

constexpr double kPi = std::numbers::pi;
constexpr double kAngleCofactor = 2.0;     // arcsec^2
constexpr double kSideCofactorPerM = 0.01; // mm^2 per metre

double Normalised(double a) {
    a = std::fmod(a, 2.0 * kPi);
    return a < 0.0 ? a + 2.0 * kPi : a;
}

// Approximate points by carrying the observed angles and sides from start point 1.
std::vector<Point> CarryTraverse(Point start, double firstAzimuth,
                                 const std::vector<double>& angles, int firstAngle,
                                 const std::vector<ObservationRecord>& records, int sides) {
    std::vector<Point> chain{start};
    double az = firstAzimuth;
    for (int i = 0; i < sides; ++i) {
        if (i >= firstAngle) az += angles[static_cast<size_t>(i)] - kPi;
        const double d = records[static_cast<size_t>(i)].dDistance;
        const Point& p = chain.back();
        chain.push_back({p.x + d * std::cos(az), p.y + d * std::sin(az)});
    }
    return chain;
}

} // namespace

double PackedDmsToRadians(double packed) {
    const double deg = std::floor(packed / 10000.0);
    const double rest = packed - deg * 10000.0;
    const double min = std::floor(rest / 100.0);
    const double sec = rest - min * 100.0;
    return (deg + min / 60.0 + sec / 3600.0) * kPi / 180.0;
}

double RadiansToPackedDms(double radians, int secondsDecimals) {
    double seconds = Normalised(radians) * 648000.0 / kPi;
    if (secondsDecimals >= 0) {
        const double scale = std::pow(10.0, secondsDecimals);
        seconds = std::round(seconds * scale) / scale;
    }
    if (seconds >= 1296000.0) seconds -= 1296000.0;
    const double deg = std::floor(seconds / 3600.0);
    seconds -= deg * 3600.0;
    const double min = std::floor(seconds / 60.0);
    seconds -= min * 60.0;
    return deg * 10000.0 + min * 100.0 + seconds;
}

double AzimuthClosureSeconds(const TraverseData& d) {
    const int n = static_cast<int>(d.records.size());
    const auto beta = [&](int i) {
        return PackedDmsToRadians(d.records[static_cast<size_t>(i)].dHorizontalAngle);
    };
    double carried = 0.0, known = 0.0;
    if (d.type == kTypeClosed) {
        // The loop's first side carried round the loop back onto itself.
        for (int i = 1; i < n; ++i)
            carried += beta(i) - kPi;
    } else {
        carried = Azimuth(d.known.start2, d.known.start1);
        for (int i = 0; i < n; ++i)
            carried += beta(i) - kPi;
        known = Azimuth(d.known.end1, d.known.end2);
    }
    double w = std::remainder(carried - known, 2.0 * kPi);
    if (w <= -kPi) w += 2.0 * kPi;
    return w * 648000.0 / kPi;
}

int ChainLength(int type, int records) {
    return type == kTypeClosed || type == kTypeDouble ? records : records + 1;
}

TraverseNetwork BuildTraverseNetwork(const TraverseData& data) {
    TraverseNetwork out;
    Network& net = out.network;
    const int n = static_cast<int>(data.records.size());
    std::vector<double> beta;
    for (const ObservationRecord& r : data.records)
        beta.push_back(PackedDmsToRadians(r.dHorizontalAngle));

    const bool closed = data.type == kTypeClosed;
    const bool annexed = data.type == kTypeDouble;
    const int sides = closed || annexed ? n - 1 : n;
    const int chain = ChainLength(data.type, n);
    const KnownPoints& k = data.known;

    // Approximate coordinates carried from start point 1.
    std::vector<Point> approx;
    if (data.type == kTypeNonOriented) {
        const std::vector<Point> trial = CarryTraverse(k.start1, 0.0, beta, 1, data.records, sides);
        out.orientation = Normalised(Azimuth(k.start1, k.end1) - Azimuth(k.start1, trial.back()));
        approx = CarryTraverse(k.start1, out.orientation, beta, 1, data.records, sides);
    } else {
        approx = CarryTraverse(k.start1, Azimuth(k.start2, k.start1), beta, 0, data.records, sides);
    }

    out.carried = approx;

    // Network points: the distinct traverse points, then the orientation points.
    const int distinct = closed ? chain - 1 : chain;
    for (int i = 0; i < distinct; ++i) {
        net.points.push_back(approx[static_cast<size_t>(i)]);
        net.fixed.push_back(false);
        out.chainPoint.push_back(i);
    }
    net.points[0] = k.start1;
    net.fixed[0] = true;
    if (closed) out.chainPoint.push_back(0);
    if (data.type == kTypeSingle || data.type == kTypeNonOriented || annexed) {
        net.points[static_cast<size_t>(distinct - 1)] = k.end1;
        net.fixed[static_cast<size_t>(distinct - 1)] = true;
    }
    int start2 = -1, end2 = -1;
    if (data.type != kTypeNonOriented) {
        start2 = static_cast<int>(net.points.size());
        net.points.push_back(k.start2);
        net.fixed.push_back(true);
    }
    if (annexed) {
        end2 = static_cast<int>(net.points.size());
        net.points.push_back(k.end2);
        net.fixed.push_back(true);
    }
    for (int i = 0; i < chain; ++i)
        if (!net.fixed[static_cast<size_t>(out.chainPoint[static_cast<size_t>(i)])])
            out.newChainPoints.push_back(i);

    const auto at = [&](int i) { return out.chainPoint[static_cast<size_t>(i)]; };
    const auto angle = [&](int station, int back, int fore, int record) {
        net.observations.push_back({ObsKind::Angle, station, back, fore,
                                    beta[static_cast<size_t>(record)], kAngleCofactor});
    };
    // Angles: the station of record i is traverse point i. A non-oriented traverse has
    // no angle at start point 1: its orientation is free, fixed only by end point 1.
    if (data.type != kTypeNonOriented) angle(at(0), start2, at(1), 0);
    const int lastAngle = closed ? n - 2 : annexed ? n - 2 : n - 1;
    for (int i = 1; i <= lastAngle; ++i)
        angle(at(i), at(i - 1), at(i + 1), i);
    if (closed) angle(at(0), at(n - 2), at(1), n - 1); // start point 1 again, turned into the loop
    if (annexed) angle(at(n - 1), at(n - 2), end2, n - 1);
    // Sides: record i from traverse point i to point i + 1.
    for (int i = 0; i < sides; ++i) {
        const double s = data.records[static_cast<size_t>(i)].dDistance;
        net.observations.push_back({ObsKind::Side, at(i), -1, at(i + 1), s, kSideCofactorPerM * s});
    }
    return out;
}

} // namespace parametric
