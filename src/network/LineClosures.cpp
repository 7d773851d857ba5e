#include "network/LineClosures.h"

#include <algorithm>
#include <cmath>

namespace traverse {

namespace {
constexpr double kHalfTurn = 648000.0; // ″
constexpr double kSecondsToRadians = 3.14159265358979 / kHalfTurn;

double Azimuth(const PlanePoint& from, const PlanePoint& to) {
    return std::atan2(to.dY - from.dY, to.dX - from.dX) / kSecondsToRadians;
}

double Folded(double seconds) {
    double d = std::fmod(seconds, 2.0 * kHalfTurn);
    if (d > kHalfTurn) d -= 2.0 * kHalfTurn;
    if (d <= -kHalfTurn) d += 2.0 * kHalfTurn;
    return d;
}

// The line's angle at each of its points, in order (-1: none).
std::vector<int> AnglesByPoint(const NetworkObservations& n, const NetworkLine& line) {
    const size_t count = line.points.size();
    std::vector<int> at(count, -1);
    size_t k = 0;
    for (const int a : line.angles) {
        const NetworkAngle& angle = n.angles[static_cast<size_t>(a)];
        while (k < count && line.points[k] != angle.station)
            ++k;
        if (k == count) break;
        at[k++] = a;
    }
    return at;
}

class LineWalk {
public:
    LineWalk(const NetworkObservations& n, const NetworkLine& line,
             const std::vector<PlanePoint>& points)
        : m_n(n), m_line(line), m_points(points), m_angles(AnglesByPoint(n, line)) {}

    ClosureStatistics Walk() {
        ClosureStatistics c;
        const size_t last = m_line.points.size() - 1;
        double azimuth = StartAzimuth();
        const double firstSide = azimuth;
        PlanePoint p = At(0);
        for (size_t k = 0; k < last; ++k) {
            if (k > 0) azimuth = Turned(k, azimuth, At(k + 1));
            const double d = m_n.distances[static_cast<size_t>(m_line.distances[k])].metres;
            p = {p.dX + d * std::cos(azimuth * kSecondsToRadians),
                 p.dY + d * std::sin(azimuth * kSecondsToRadians)};
            c.length += d;
        }
        c.sideCount = static_cast<int>(last);
        c.angleCount = static_cast<int>(
            std::count_if(m_angles.begin(), m_angles.end(), [](int a) { return a >= 0; }));
        c.fx = (p.dX - At(last).dX) * 1000.0;
        c.fy = (p.dY - At(last).dY) * 1000.0;
        c.fd = std::hypot(c.fx, c.fy);
        if (c.fd > 0.0) c.k = static_cast<long long>(std::floor(c.length * 1000.0 / c.fd));
        // A loop closes on its first side: the start's angle turns both that side and the
        // one it closes on, so it is not in the closure's n (the closed type's count).
        if (ClosesOnFirstSide() && m_angles[0] >= 0) --c.angleCount;
        if (const auto known = EndAzimuth(firstSide); known && m_startKnown) {
            const NetworkAngle& end = Angle(last);
            c.azimuthCondition = true;
            c.azimuthClosure = Folded(azimuth + kHalfTurn + end.seconds - *known);
        }
        return c;
    }

private:
    const PlanePoint& At(size_t k) const { return m_points[static_cast<size_t>(m_line.points[k])]; }
    const NetworkAngle& Angle(size_t k) const {
        return m_n.angles[static_cast<size_t>(m_angles[k])];
    }
    bool Known(int p) const { return m_n.points[static_cast<size_t>(p)].known.has_value(); }

    // The first side's azimuth: turned from the start's backsight where it has an angle.
    double StartAzimuth() {
        if (m_angles[0] < 0) return Azimuth(At(0), At(1));
        const NetworkAngle& a = Angle(0);
        m_startKnown = Known(a.backsight);
        return Azimuth(At(0), m_points[static_cast<size_t>(a.backsight)]) + a.seconds;
    }

    // The next side's azimuth, turned at point k from the side before; its adjusted
    // azimuth where the line has no angle there.
    double Turned(size_t k, double azimuth, const PlanePoint& next) const {
        if (m_angles[k] < 0) return Azimuth(At(k), next);
        return azimuth + kHalfTurn + Angle(k).seconds;
    }

    // The known azimuth the end's angle turns to: its known foresight's, or the first
    // side's where a loop closes on it; none otherwise.
    bool ClosesOnFirstSide() const {
        const size_t last = m_line.points.size() - 1;
        return last >= 1 && m_angles[last] >= 0 && m_line.points[0] == m_line.points[last] &&
               Angle(last).foresight == m_line.points[1];
    }

    std::optional<double> EndAzimuth(double firstSide) const {
        const size_t last = m_line.points.size() - 1;
        if (last < 1 || m_angles[last] < 0) return std::nullopt;
        const NetworkAngle& end = Angle(last);
        if (ClosesOnFirstSide()) return firstSide;
        if (!Known(m_line.points[last]) || !Known(end.foresight)) return std::nullopt;
        return Azimuth(At(last), m_points[static_cast<size_t>(end.foresight)]);
    }

    const NetworkObservations& m_n;
    const NetworkLine& m_line;
    const std::vector<PlanePoint>& m_points;
    std::vector<int> m_angles;
    bool m_startKnown = false;
};

bool IsJunction(const NetworkObservations& n, int p) {
    return std::find(n.junctions.begin(), n.junctions.end(), p) != n.junctions.end();
}
} // namespace

std::vector<LineClosure> LineClosures(const NetworkObservations& n,
                                      const std::vector<PlanePoint>& points) {
    std::vector<LineClosure> out;
    for (const NetworkLine& line : n.lines) {
        LineClosure c;
        if (line.points.size() >= 2 && points.size() == n.points.size())
            c.closure = LineWalk(n, line, points).Walk();
        c.endsAtJunction = !line.points.empty() && (IsJunction(n, line.points.front()) ||
                                                    IsJunction(n, line.points.back()));
        out.push_back(c);
    }
    return out;
}

GradeChecks CheckLine(const LineClosure& line, const Grade& grade) {
    Grade held = grade;
    if (line.endsAtJunction) held.lengthLimit *= kJunctionLengthFactor;
    return CheckGrade(line.closure, held);
}

} // namespace traverse
