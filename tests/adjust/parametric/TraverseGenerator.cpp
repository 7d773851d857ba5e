#include "adjust/parametric/TraverseGenerator.h"

#include <cmath>
#include <numbers>
#include <string>

namespace parametric {
namespace {

constexpr double kPi = std::numbers::pi;
constexpr double kRho = 648000.0 / kPi; // arc seconds per radian
constexpr double kShortestSide = 50.0, kLongestSide = 500.0;

Point Offset(Point p, double azimuth, double distance) {
    return {p.x + distance * std::cos(azimuth), p.y + distance * std::sin(azimuth)};
}

Point ToMillimetre(Point p) {
    return {std::round(p.x * 1000.0) / 1000.0, std::round(p.y * 1000.0) / 1000.0};
}

Point Origin(Random& random, Frame frame) {
    switch (frame) {
    case Frame::Local:
        return {random.Uniform(500.0, 5000.0), random.Uniform(500.0, 5000.0)};
    case Frame::Grid:
        return {random.Uniform(2.5e6, 5.5e6), random.Uniform(3.0e5, 7.0e5)};
    case Frame::ZonedGrid:
        return {random.Uniform(2.5e6, 5.5e6), 3.8e7 + random.Uniform(3.0e5, 7.0e5)};
    }
    return {0.0, 0.0};
}

// An open traverse of `sides` legs wandering from the origin.
std::vector<Point> OpenTraverse(Random& random, Point origin, int sides) {
    std::vector<Point> pts{origin};
    double heading = random.Uniform(0.0, 2.0 * kPi);
    for (int i = 0; i < sides; ++i) {
        if (i > 0) heading += random.Uniform(-50.0, 50.0) * kPi / 180.0;
        pts.push_back(Offset(pts.back(), heading, random.Uniform(kShortestSide, kLongestSide)));
    }
    return pts;
}

// A loop of m distinct points around an irregular circle, every side 50..500 m.
std::vector<Point> Loop(Random& random, Point origin, int m) {
    for (;;) {
        const double meanSide = random.Uniform(80.0, 400.0);
        const double radius = meanSide / (2.0 * std::sin(kPi / m));
        const double turn = random.Uniform(0.0, 2.0 * kPi);
        const double sense = random.Uniform() < 0.5 ? 1.0 : -1.0;
        std::vector<Point> pts;
        for (int k = 0; k < m; ++k) {
            const double theta = turn + sense * (2.0 * kPi * (k + random.Uniform(-0.3, 0.3)) / m);
            const double r = radius * random.Uniform(0.8, 1.2);
            pts.push_back({r * std::cos(theta), r * std::sin(theta)});
        }
        bool good = true;
        for (int k = 0; k < m && good; ++k) {
            const Point& a = pts[static_cast<size_t>(k)];
            const Point& b = pts[static_cast<size_t>((k + 1) % m)];
            const double s = std::hypot(b.x - a.x, b.y - a.y);
            good = s >= kShortestSide && s <= kLongestSide;
        }
        if (!good) continue;
        const Point first = pts[0];
        for (Point& p : pts)
            p = {p.x - first.x + origin.x, p.y - first.y + origin.y};
        pts.push_back(pts[0]); // back to start point 1
        return pts;
    }
}

double Length(const std::vector<Point>& pts) {
    double sum = 0.0;
    for (size_t i = 1; i < pts.size(); ++i)
        sum += std::hypot(pts[i].x - pts[i - 1].x, pts[i].y - pts[i - 1].y);
    return sum;
}

std::string PointName(int i) { return "T" + std::to_string(i); }

ObservationRecord Record(const std::string& station, const std::string& back,
                         const std::string& fore, double distance, double packedAngle) {
    ObservationRecord r{};
    SetName(r.szStation, station);
    SetName(r.szBacksight, back);
    SetName(r.szForesight, fore);
    r.dDistance = distance;
    r.dHorizontalAngle = packedAngle;
    r.dVerticalAngle = 900000.0;
    r.dInstrumentHeight = 1.5;
    r.dTargetHeight = 1.5;
    return r;
}

struct Observer {
    Random& random;
    const Noise& noise;

    double Angle(Point station, Point back, Point fore) const {
        const double truth = Azimuth(station, fore) - Azimuth(station, back);
        const double observed = truth + noise.angleSd * random.Normal() / kRho;
        return RadiansToPackedDms(observed, noise.quantise ? 2 : -1);
    }
    double Side(Point a, Point b) const {
        const double s = std::hypot(b.x - a.x, b.y - a.y);
        const double observed =
            s + noise.sideScale * std::sqrt(0.01 * s) * random.Normal() / 1000.0;
        return noise.quantise ? std::round(observed * 10000.0) / 10000.0 : observed;
    }
};

} // namespace

double Random::Uniform() { return static_cast<double>(m_engine() >> 11) * 0x1.0p-53; }

int Random::Integer(int lo, int hi) {
    return lo + static_cast<int>(Uniform() * static_cast<double>(hi - lo + 1));
}

double Random::Normal() {
    const double u1 = 1.0 - Uniform(); // (0, 1]
    const double u2 = Uniform();
    return std::sqrt(-2.0 * std::log(u1)) * std::cos(2.0 * kPi * u2);
}

GeneratedTraverse GenerateTraverse(Random& random, int type, int records, Frame frame,
                                   const Noise& noise, bool winding) {
    GeneratedTraverse g;
    g.frame = frame;
    TraverseData& d = g.data;
    d.type = type;
    const Point origin = Origin(random, frame);
    const int n = records;

    if (type == kTypeClosed) {
        g.truth = Loop(random, origin, n - 1);
    } else {
        const int sides = type == kTypeDouble ? n - 1 : n;
        for (;;) {
            g.truth = OpenTraverse(random, origin, sides);
            const Point& a = g.truth.front();
            const Point& b = g.truth.back();
            const double gap = std::hypot(b.x - a.x, b.y - a.y);
            if (winding) {
                if (gap >= 150.0 && gap <= 600.0 && Length(g.truth) >= 3000.0) break;
                continue;
            }
            // A non-oriented traverse needs a clear line from start to end point.
            if (type != kTypeNonOriented || gap > 100.0) break;
        }
    }
    for (Point& p : g.truth)
        p = ToMillimetre(p);
    const Point first = g.truth.front();
    const Point last = g.truth.back();
    d.known.start1 = first;
    if (type != kTypeNonOriented)
        d.known.start2 = ToMillimetre(
            Offset(first, random.Uniform(0.0, 2.0 * kPi), random.Uniform(100.0, 1000.0)));
    if (type != kTypeClosed) d.known.end1 = last;
    if (type == kTypeDouble)
        d.known.end2 = ToMillimetre(
            Offset(last, random.Uniform(0.0, 2.0 * kPi), random.Uniform(100.0, 1000.0)));

    const Observer obs{random, noise};
    const auto pt = [&](int i) { return g.truth[static_cast<size_t>(i)]; };
    for (int attempt = 0;; ++attempt) {
        d.records.clear();
        for (int i = 0; i < n; ++i) {
            const bool isFirst = i == 0;
            const bool isLast = i == n - 1;
            Point back, fore;
            std::string backName, foreName, station = PointName(i);
            double distance = 0.0, angle = 0.0;
            if (type == kTypeClosed) {
                // Record n-1 is start point 1 again, turned from the last loop point into the loop.
                const int here = isLast ? 0 : i;
                back = isFirst ? d.known.start2 : pt(isLast ? n - 2 : i - 1);
                fore = pt(isLast ? 1 : i + 1);
                station = PointName(here);
                backName = isFirst ? "B0" : PointName(isLast ? n - 2 : i - 1);
                foreName = PointName(isLast ? 1 : (i + 1 == n - 1 ? 0 : i + 1));
                angle = obs.Angle(pt(here), back, fore);
                distance = obs.Side(pt(here), fore); // unused on the last record
            } else if (type == kTypeDouble) {
                back = isFirst ? d.known.start2 : pt(i - 1);
                fore = isLast ? d.known.end2 : pt(i + 1);
                backName = isFirst ? "B0" : PointName(i - 1);
                foreName = isLast ? "E2" : PointName(i + 1);
                angle = obs.Angle(pt(i), back, fore);
                distance = obs.Side(pt(i), fore); // unused on the last record
            } else {
                fore = pt(i + 1);
                foreName = PointName(i + 1);
                distance = obs.Side(pt(i), fore);
                if (isFirst && type == kTypeNonOriented) {
                    backName = "";
                    angle = RadiansToPackedDms(random.Uniform(0.0, 2.0 * kPi), 2); // not used
                } else {
                    back = isFirst ? d.known.start2 : pt(i - 1);
                    backName = isFirst ? "B0" : PointName(i - 1);
                    angle = obs.Angle(pt(i), back, fore);
                }
            }
            d.records.push_back(Record(station, backName, foreName, distance, angle));
        }
        const bool checked = type == kTypeClosed || type == kTypeDouble;
        if (!checked || std::fabs(AzimuthClosureSeconds(d)) < 45.0 || attempt > 1000) break;
    }
    return g;
}

} // namespace parametric
