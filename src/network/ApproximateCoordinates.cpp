#include "network/ApproximateCoordinates.h"

#include "model/NumberText.h"
#include "resources/CodePage936.h"
#include "resources/StringTable.h"

#include <cmath>
#include <numbers>
#include <optional>
#include <queue>

namespace traverse {

namespace {
constexpr double kRadiansPerSecond = std::numbers::pi / 648000.0;
constexpr size_t kNamesShown = 5;

double AzimuthOf(const PlanePoint& from, const PlanePoint& to) {
    return std::atan2(to.dY - from.dY, to.dX - from.dX);
}

PlanePoint Polar(const PlanePoint& from, double azimuth, double metres) {
    return {from.dX + metres * std::cos(azimuth), from.dY + metres * std::sin(azimuth)};
}

// Who observes what, by point.
struct Neighbourhood {
    std::vector<std::vector<int>> anglesAt;       // angles by station
    std::vector<std::vector<int>> anglesSighting; // angles by backsight and foresight
    std::vector<std::vector<int>> sides;          // distances by either end

    explicit Neighbourhood(const NetworkObservations& net)
        : anglesAt(net.points.size()), anglesSighting(net.points.size()), sides(net.points.size()) {
        for (size_t k = 0; k < net.angles.size(); ++k) {
            const NetworkAngle& a = net.angles[k];
            anglesAt[static_cast<size_t>(a.station)].push_back(static_cast<int>(k));
            anglesSighting[static_cast<size_t>(a.backsight)].push_back(static_cast<int>(k));
            anglesSighting[static_cast<size_t>(a.foresight)].push_back(static_cast<int>(k));
        }
        for (size_t k = 0; k < net.distances.size(); ++k) {
            sides[static_cast<size_t>(net.distances[k].from)].push_back(static_cast<int>(k));
            sides[static_cast<size_t>(net.distances[k].to)].push_back(static_cast<int>(k));
        }
    }
};

// Coordinates in one frame, the length carried to each point from where it began and
// the angle that placed it (-1: known, or placed by turning a line onto its ends).
struct Frame {
    std::vector<std::optional<PlanePoint>> at;
    std::vector<double> carried;
    std::vector<int> placedBy;
    std::vector<int> set; // points given coordinates, in order

    explicit Frame(size_t n) : at(n), carried(n, 0.0), placedBy(n, -1) {}
    void Set(int p, const PlanePoint& xy, double length, int angle = -1) {
        at[static_cast<size_t>(p)] = xy;
        carried[static_cast<size_t>(p)] = length;
        placedBy[static_cast<size_t>(p)] = angle;
        set.push_back(p);
    }
    void Clear() {
        for (int p : set)
            at[static_cast<size_t>(p)].reset();
        set.clear();
    }
};

// A point's place as one angle carries it, and the length carried to it.
struct Candidate {
    double length;
    int target;
    PlanePoint at;
    int angle; // the angle that carries it
    bool operator>(const Candidate& o) const { return length > o.length; }
};
using Candidates = std::priority_queue<Candidate, std::vector<Candidate>, std::greater<>>;

class Carrier {
public:
    explicit Carrier(const NetworkObservations& net)
        : m_net(net), m_near(net), m_global(net.points.size()), m_local(net.points.size()),
          m_dead(net.points.size(), 0) {}

    std::variant<std::vector<PlanePoint>, Refusal> Run();

private:
    std::optional<double> MeanDistance(int a, int b) const;
    std::optional<Candidate> Carry(const Frame& f, const NetworkAngle& a) const;
    void Offer(const Frame& f, int station, const Frame* outer, Candidates& queue) const;
    void Wake(const Frame& f, int p, const Frame* outer, Candidates& queue) const;
    void Spread(Frame& f, const std::vector<int>& from, const Frame* outer);
    bool CarryNonOriented();
    bool TryLocalFrame(int start, int first, double metres);
    int FarthestMet(int start) const;
    std::vector<int> TurnOnto(int start, int onto);
    std::optional<Refusal> Unreached() const;
    std::optional<Refusal> WidestGap() const;
    std::string GapSources(const NetworkAngle& by, int placedBy) const;

    const NetworkObservations& m_net;
    Neighbourhood m_near;
    Frame m_global, m_local;
    std::vector<char> m_dead; // tried in a local frame that reached no other point
};

std::optional<double> Carrier::MeanDistance(int a, int b) const {
    double sum = 0.0;
    int count = 0;
    for (int k : m_near.sides[static_cast<size_t>(a)]) {
        const NetworkDistance& d = m_net.distances[static_cast<size_t>(k)];
        if ((d.from == a && d.to == b) || (d.from == b && d.to == a)) {
            sum += d.metres;
            ++count;
        }
    }
    if (count == 0) return std::nullopt;
    return sum / count;
}

// What one angle at a station carries: the sight without coordinates, placed by the
// direction to the other sight, and the length carried to it (the longer of the two
// carried to the station and to that sight, plus the side).
std::optional<Candidate> Carrier::Carry(const Frame& f, const NetworkAngle& a) const {
    const auto& station = f.at[static_cast<size_t>(a.station)];
    const auto& back = f.at[static_cast<size_t>(a.backsight)];
    const auto& fore = f.at[static_cast<size_t>(a.foresight)];
    if (!station || back.has_value() == fore.has_value()) return std::nullopt;
    const int target = back ? a.foresight : a.backsight, by = back ? a.backsight : a.foresight;
    const std::optional<double> d = MeanDistance(a.station, target);
    if (!d) return std::nullopt;
    const double beta = a.seconds * kRadiansPerSecond;
    const double azimuth =
        AzimuthOf(*station, *f.at[static_cast<size_t>(by)]) + (back ? beta : -beta);
    const double length =
        std::max(f.carried[static_cast<size_t>(a.station)], f.carried[static_cast<size_t>(by)]) +
        *d;
    return Candidate{length, target, Polar(*station, azimuth, *d),
                     static_cast<int>(&a - m_net.angles.data())};
}

// Offers what the angles at a station carry. With an outer frame (a local one), a point
// that has coordinates there takes some here but carries no further: it is where the
// local frame is turned onto the outer one.
void Carrier::Offer(const Frame& f, int s, const Frame* outer, Candidates& queue) const {
    if (outer && outer->at[static_cast<size_t>(s)] && f.set.front() != s) return;
    for (int k : m_near.anglesAt[static_cast<size_t>(s)])
        if (std::optional<Candidate> c = Carry(f, m_net.angles[static_cast<size_t>(k)]))
            queue.push(*c);
}

// The stations whose angles a point with new coordinates may let carry further.
void Carrier::Wake(const Frame& f, int p, const Frame* outer, Candidates& queue) const {
    Offer(f, p, outer, queue);
    for (int k : m_near.anglesSighting[static_cast<size_t>(p)])
        Offer(f, m_net.angles[static_cast<size_t>(k)].station, outer, queue);
}

// Carries from the given points, the shortest carrying first, so that a point is
// reached from the nearest known points rather than round a long way.
void Carrier::Spread(Frame& f, const std::vector<int>& from, const Frame* outer) {
    Candidates queue;
    for (int p : from)
        Wake(f, p, outer, queue);
    while (!queue.empty()) {
        const Candidate c = queue.top();
        queue.pop();
        if (f.at[static_cast<size_t>(c.target)]) continue;
        f.Set(c.target, c.at, c.length, c.angle);
        Wake(f, c.target, outer, queue);
    }
}

// A non-oriented traverse: from a point with coordinates along an observed side into
// points without, in a local frame, until a second point with coordinates is met.
bool Carrier::CarryNonOriented() {
    for (size_t p = 0; p < m_net.points.size(); ++p) {
        if (!m_global.at[p]) continue;
        for (int k : m_near.sides[p]) {
            const NetworkDistance& d = m_net.distances[static_cast<size_t>(k)];
            const int other = d.from == static_cast<int>(p) ? d.to : d.from;
            if (m_global.at[static_cast<size_t>(other)] || m_dead[static_cast<size_t>(other)])
                continue;
            if (TryLocalFrame(static_cast<int>(p), other, *MeanDistance(d.from, d.to))) return true;
        }
    }
    return false;
}

// The point met in the local frame, other than its start, that has coordinates and lies
// farthest from the start (at least 1 mm away); -1 where there is none.
int Carrier::FarthestMet(int start) const {
    const PlanePoint& origin = *m_local.at[static_cast<size_t>(start)];
    int onto = -1;
    double farthest = 1e-3;
    for (int p : m_local.set) {
        const PlanePoint& xy = *m_local.at[static_cast<size_t>(p)];
        const double away = std::hypot(xy.dX - origin.dX, xy.dY - origin.dY);
        if (p != start && m_global.at[static_cast<size_t>(p)] && away > farthest) {
            onto = p;
            farthest = away;
        }
    }
    return onto;
}

// The local frame turned about its start so that `onto` points where it lies: the
// points without coordinates take theirs from it.
std::vector<int> Carrier::TurnOnto(int start, int onto) {
    const PlanePoint origin = *m_global.at[static_cast<size_t>(start)];
    const double turn = AzimuthOf(origin, *m_global.at[static_cast<size_t>(onto)]) -
                        AzimuthOf(origin, *m_local.at[static_cast<size_t>(onto)]);
    const double c = std::cos(turn), s = std::sin(turn);
    std::vector<int> reached;
    for (int p : m_local.set) {
        if (m_global.at[static_cast<size_t>(p)]) continue;
        const PlanePoint& xy = *m_local.at[static_cast<size_t>(p)];
        const double dx = xy.dX - origin.dX, dy = xy.dY - origin.dY;
        m_global.Set(p, {origin.dX + c * dx - s * dy, origin.dY + s * dx + c * dy},
                     m_local.carried[static_cast<size_t>(p)]);
        reached.push_back(p);
    }
    return reached;
}

bool Carrier::TryLocalFrame(int start, int first, double metres) {
    const PlanePoint origin = *m_global.at[static_cast<size_t>(start)];
    const double carried = m_global.carried[static_cast<size_t>(start)];
    m_local.Set(start, origin, carried);
    m_local.Set(first, Polar(origin, 0.0, metres), carried + metres);
    Spread(m_local, {start, first}, &m_global);
    const int onto = FarthestMet(start);
    std::vector<int> reached;
    if (onto < 0) {
        for (int p : m_local.set)
            m_dead[static_cast<size_t>(p)] = 1;
    } else {
        reached = TurnOnto(start, onto);
    }
    m_local.Clear();
    if (onto < 0) return false;
    Spread(m_global, reached, nullptr);
    return true;
}

std::string NameList(const NetworkObservations& net, const std::vector<int>& points) {
    std::string text;
    for (size_t i = 0; i < points.size() && i < kNamesShown; ++i)
        text += (i ? "、" : "") + Cp936ToUtf8(net.points[static_cast<size_t>(points[i])].name);
    if (points.size() > kNamesShown) text += "等";
    return text;
}

std::optional<Refusal> Carrier::Unreached() const {
    std::vector<int> missing;
    for (size_t p = 0; p < m_net.points.size(); ++p)
        if (!m_global.at[p]) missing.push_back(static_cast<int>(p));
    if (missing.empty()) return std::nullopt;
    return Refusal{str::kNetworkUnreachable,
                   {NameList(m_net, missing), std::to_string(missing.size())}};
}

// Where the two places come from, a sentence after the message: "推算所用的观测：“b.txt”
// 第 7 行；该点原由“a.txt”第 12 行的观测推算。", the second where an angle placed the point.
std::string Carrier::GapSources(const NetworkAngle& by, int placedBy) const {
    auto where = [&](const SourceLine& s) {
        if (s.file < 0 || static_cast<size_t>(s.file) >= m_net.files.size() || s.line <= 0)
            return std::string();
        return "“" + m_net.files[static_cast<size_t>(s.file)] + "”第 " + std::to_string(s.line) +
               " 行";
    };
    const std::string now = where(by.source);
    const std::string before =
        placedBy >= 0 ? where(m_net.angles[static_cast<size_t>(placedBy)].source) : "";
    if (now.empty()) return "";
    return "推算所用的观测：" + now + (before.empty() ? "" : "；该点原由" + before + "的观测推算") +
           "。";
}

// Every angle with a distance to one of its sights predicts that sight from the other:
// where two carryings met, the prediction and the point differ by their misclosure.
std::optional<Refusal> Carrier::WidestGap() const {
    const auto& at = m_global.at;
    for (const NetworkAngle& a : m_net.angles) {
        const PlanePoint& s = *at[static_cast<size_t>(a.station)];
        const double beta = a.seconds * kRadiansPerSecond;
        const int sights[2] = {a.foresight, a.backsight};
        const double azimuths[2] = {AzimuthOf(s, *at[static_cast<size_t>(a.backsight)]) + beta,
                                    AzimuthOf(s, *at[static_cast<size_t>(a.foresight)]) - beta};
        for (int i = 0; i < 2; ++i) {
            const std::optional<double> d = MeanDistance(a.station, sights[i]);
            if (!d) continue;
            const PlanePoint predicted = Polar(s, azimuths[i], *d);
            const PlanePoint& point = *at[static_cast<size_t>(sights[i])];
            const double gap = std::hypot(predicted.dX - point.dX, predicted.dY - point.dY);
            const double lengths = std::max(m_global.carried[static_cast<size_t>(a.station)],
                                            m_global.carried[static_cast<size_t>(sights[1 - i])]) +
                                   *d + m_global.carried[static_cast<size_t>(sights[i])];
            const double bound = std::max(kLeastJunctionGap, kJunctionGapPerMetre * lengths);
            if (gap > bound)
                return Refusal{
                    str::kNetworkJunctionGap,
                    {NameList(m_net, {sights[i]}), FormatFixed(gap, 3), FormatFixed(bound, 3)},
                    GapSources(a, m_global.placedBy[static_cast<size_t>(sights[i])])};
        }
    }
    return std::nullopt;
}

std::variant<std::vector<PlanePoint>, Refusal> Carrier::Run() {
    std::vector<int> queue, known;
    for (size_t p = 0; p < m_net.points.size(); ++p)
        if (m_net.points[p].known) {
            m_global.Set(static_cast<int>(p), *m_net.points[p].known, 0.0);
            if (!m_near.anglesAt[p].empty() || !m_near.anglesSighting[p].empty() ||
                !m_near.sides[p].empty())
                known.push_back(static_cast<int>(p));
            queue.push_back(static_cast<int>(p));
        }
    if (known.size() < 2)
        return Refusal{str::kNetworkNoDatum,
                       {known.empty() ? "" : "（" + NameList(m_net, known) + "）",
                        std::to_string(known.size())}};
    Spread(m_global, queue, nullptr);
    while (m_global.set.size() < m_net.points.size() && CarryNonOriented()) {
    }
    if (std::optional<Refusal> r = Unreached()) return *r;
    if (std::optional<Refusal> r = WidestGap()) return *r;
    std::vector<PlanePoint> points;
    for (const auto& p : m_global.at)
        points.push_back(*p);
    return points;
}
} // namespace

std::variant<std::vector<PlanePoint>, Refusal>
ApproximateCoordinates(const NetworkObservations& network) {
    return Carrier(network).Run();
}

} // namespace traverse
