#include "network/DuplicateObservations.h"

#include "model/NumberText.h"
#include "read/ImportText.h"
#include "resources/CodePage936.h"
#include "resources/StringTable.h"

#include <algorithm>
#include <cmath>
#include <map>
#include <utility>

namespace traverse {

namespace {
constexpr double kFullCircle = 1296000.0; // ″

// b less a, folded into (−648000″, 648000″].
double AngleDifference(double a, double b) {
    double d = std::fmod(b - a, kFullCircle);
    if (d > kFullCircle / 2) d -= kFullCircle;
    if (d <= -kFullCircle / 2) d += kFullCircle;
    return d;
}

// The second angle as measured the way the first was; none if it is another angle.
std::optional<double> SameAngle(const NetworkAngle& a, const NetworkAngle& b) {
    if (a.station != b.station) return std::nullopt;
    if (a.backsight == b.backsight && a.foresight == b.foresight) return b.seconds;
    if (a.backsight == b.foresight && a.foresight == b.backsight) return kFullCircle - b.seconds;
    return std::nullopt;
}

DuplicateObservation Compared(bool side, int i, int k, double difference, double q1, double q2) {
    DuplicateObservation d{side, i, k, difference, std::sqrt(q1 + q2), false};
    d.flagged = std::fabs(difference) > 3.0 * d.standardError;
    return d;
}

std::string Name(const NetworkObservations& n, int p) {
    return Cp936ToUtf8(n.points[static_cast<size_t>(p)].name);
}

std::string FileOf(const NetworkObservations& n, SourceLine s) {
    return s.file >= 0 && s.file < static_cast<int>(n.files.size())
               ? DisplayName(n.files[static_cast<size_t>(s.file)])
               : std::string();
}

std::string Signed(double v) { return (v >= 0.0 ? "+" : "") + FormatFixed(v, 1); }
} // namespace

std::vector<DuplicateObservation>
DuplicateObservations(const NetworkObservations& n,
                      const std::optional<InstrumentPrecision>& instrument) {
    std::vector<DuplicateObservation> out;
    const double qAngle = AngleCofactor(instrument);
    // Candidates share a station (angles) or both ends (sides): grouped, not all pairs.
    std::map<int, std::vector<size_t>> byStation;
    for (size_t i = 0; i < n.angles.size(); ++i)
        byStation[n.angles[i].station].push_back(i);
    for (const auto& [station, group] : byStation)
        for (size_t x = 0; x < group.size(); ++x)
            for (size_t y = x + 1; y < group.size(); ++y) {
                const NetworkAngle &a = n.angles[group[x]], &b = n.angles[group[y]];
                if (a.source.file == b.source.file) continue;
                if (const auto seconds = SameAngle(a, b))
                    out.push_back(Compared(false, static_cast<int>(group[x]),
                                           static_cast<int>(group[y]),
                                           AngleDifference(a.seconds, *seconds), qAngle, qAngle));
            }
    std::map<std::pair<int, int>, std::vector<size_t>> bySide;
    for (size_t i = 0; i < n.distances.size(); ++i)
        bySide[std::minmax(n.distances[i].from, n.distances[i].to)].push_back(i);
    for (const auto& [side, group] : bySide)
        for (size_t x = 0; x < group.size(); ++x)
            for (size_t y = x + 1; y < group.size(); ++y) {
                const NetworkDistance &a = n.distances[group[x]], &b = n.distances[group[y]];
                if (a.source.file == b.source.file) continue;
                out.push_back(Compared(true, static_cast<int>(group[x]), static_cast<int>(group[y]),
                                       (b.metres - a.metres) * 1000.0,
                                       SideCofactor(instrument, a.metres),
                                       SideCofactor(instrument, b.metres)));
            }
    return out;
}

std::string DuplicateLine(const NetworkObservations& n, const DuplicateObservation& d) {
    SourceLine first, second;
    std::string what, unit;
    if (d.side) {
        const NetworkDistance& a = n.distances[static_cast<size_t>(d.first)];
        what = "边 " + Name(n, a.from) + "–" + Name(n, a.to);
        first = a.source;
        second = n.distances[static_cast<size_t>(d.second)].source;
        unit = " mm";
    } else {
        const NetworkAngle& a = n.angles[static_cast<size_t>(d.first)];
        what = "角 " + Name(n, a.backsight) + "–" + Name(n, a.station) + "–" + Name(n, a.foresight);
        first = a.source;
        second = n.angles[static_cast<size_t>(d.second)].source;
        unit = "″";
    }
    std::string line =
        FormatString(str::kNetworkDuplicate,
                     {what, FileOf(n, first), std::to_string(first.line), FileOf(n, second),
                      std::to_string(second.line), Signed(d.difference) + unit,
                      FormatFixed(d.standardError, 1) + unit});
    if (d.flagged) line += LoadString(str::kNetworkDuplicateFlag);
    return line;
}

} // namespace traverse
