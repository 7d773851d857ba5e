#include "network/DuplicateObservations.h"

#include "model/NumberText.h"
#include "resources/CodePage936.h"
#include "resources/StringTable.h"

#include <cmath>

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
               ? n.files[static_cast<size_t>(s.file)]
               : std::string();
}

std::string Signed(double v) { return (v >= 0.0 ? "+" : "") + FormatFixed(v, 1); }
} // namespace

std::vector<DuplicateObservation>
DuplicateObservations(const NetworkObservations& n,
                      const std::optional<InstrumentPrecision>& instrument) {
    std::vector<DuplicateObservation> out;
    const double qAngle = AngleCofactor(instrument);
    for (size_t i = 0; i < n.angles.size(); ++i)
        for (size_t k = i + 1; k < n.angles.size(); ++k) {
            const NetworkAngle &a = n.angles[i], &b = n.angles[k];
            if (a.source.file == b.source.file) continue;
            if (const auto seconds = SameAngle(a, b))
                out.push_back(Compared(false, static_cast<int>(i), static_cast<int>(k),
                                       AngleDifference(a.seconds, *seconds), qAngle, qAngle));
        }
    for (size_t i = 0; i < n.distances.size(); ++i)
        for (size_t k = i + 1; k < n.distances.size(); ++k) {
            const NetworkDistance &a = n.distances[i], &b = n.distances[k];
            const bool same = (a.from == b.from && a.to == b.to) ||
                              (a.from == b.to && a.to == b.from);
            if (!same || a.source.file == b.source.file) continue;
            out.push_back(Compared(true, static_cast<int>(i), static_cast<int>(k),
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
        what = "边 " + Name(n, a.from) + "-" + Name(n, a.to);
        first = a.source;
        second = n.distances[static_cast<size_t>(d.second)].source;
        unit = " mm";
    } else {
        const NetworkAngle& a = n.angles[static_cast<size_t>(d.first)];
        what = "角 " + Name(n, a.backsight) + "-" + Name(n, a.station) + "-" + Name(n, a.foresight);
        first = a.source;
        second = n.angles[static_cast<size_t>(d.second)].source;
        unit = "″";
    }
    std::string line = FormatString(
        str::kNetworkDuplicate,
        {what, FileOf(n, first), std::to_string(first.line), FileOf(n, second),
         std::to_string(second.line), Signed(d.difference) + unit,
         FormatFixed(d.standardError, 1) + unit});
    if (d.flagged) line += LoadString(str::kNetworkDuplicateFlag);
    return line;
}

} // namespace traverse
