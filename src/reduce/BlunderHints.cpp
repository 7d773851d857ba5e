#include "reduce/BlunderHints.h"

#include "model/AngleConversions.h"
#include "model/NumberText.h"
#include "resources/StringTable.h"

#include <cmath>
#include <numbers>

namespace traverse {

namespace {
constexpr double kSecondsPerRadian = 648000.0 / std::numbers::pi;
constexpr double kLeastGapShare = 0.01; // of the traverse's length

std::string StationText(Observed observations, size_t k) {
    const char* name = observations[k].szStation;
    // " D7 站" beside the Chinese before it, or "第 3 站".
    return name[0] != '\0' ? " " + std::string(name) + " 站" : "第 " + std::to_string(k + 1) + " 站";
}

std::string SideText(Observed observations, size_t j) {
    const char* from = observations[j].szStation;
    const char* to = observations[j].szForesight;
    if (from[0] != '\0' && to[0] != '\0') return "边 " + std::string(from) + "–" + to;
    return "第 " + std::to_string(j + 1) + " 条边";
}
} // namespace

std::optional<std::string> AngleBlunderHint(int type, Observed observations, const Reduction& r) {
    if (type != kClosed && type != kDoubleConnection) return std::nullopt;
    const double closure = DmsToSeconds(UnpackDms(r.azimuthClosure));
    const size_t n = observations.size();
    if (n == 0 || r.points.size() < n) return std::nullopt;
    const PlanePoint end = r.points.back();
    const double turn = -closure / kSecondsPerRadian, c = std::cos(turn), s = std::sin(turn);
    // A closed loop's connection angle at start point 1 is not in its azimuth closure.
    const size_t first = type == kClosed ? 1 : 0;
    std::optional<size_t> best;
    double bestClosure = INFINITY;
    for (size_t k = first; k < n; ++k) {
        const PlanePoint at = r.points[k];
        const double ex = end.dX - at.dX, ey = end.dY - at.dY; // the tail, turned about k
        const double fx = r.fx + ((c - 1.0) * ex - s * ey) * 1000.0;
        const double fy = r.fy + (s * ex + (c - 1.0) * ey) * 1000.0;
        if (std::hypot(fx, fy) < bestClosure) {
            bestClosure = std::hypot(fx, fy);
            best = k;
        }
    }
    if (!best) return std::nullopt;
    return FormatString(str::kAngleBlunderHint, {StationText(observations, *best),
                                                 FormatSignedTenth(-closure),
                                                 FormatTenth(bestClosure)});
}

std::optional<std::string> SideBlunderHint(int type, Observed observations, const Reduction& r) {
    if (type != kClosed && type != kDoubleConnection) return std::nullopt;
    const size_t sides = observations.empty() ? 0 : observations.size() - 1;
    if (sides == 0 || r.azimuths.size() < sides + 1 || std::hypot(r.fx, r.fy) == 0.0)
        return std::nullopt;
    const double direction = std::atan2(r.fy, r.fx);
    std::optional<size_t> best;
    double bestAngle = INFINITY;
    for (size_t j = 0; j < sides; ++j) {
        const double azimuth = DmsToRadians(r.azimuths[j + 1]);
        const double off = std::fabs(std::remainder(azimuth - direction, std::numbers::pi));
        if (off < bestAngle) {
            bestAngle = off;
            best = j;
        }
    }
    return FormatString(str::kSideBlunderHint,
                        {SideText(observations, *best), FormatFixed(observations[*best].dDistance, 3),
                         FormatTenth(bestAngle * 180.0 / std::numbers::pi)});
}

std::optional<Refusal> CheckNonOrientedGap(int type, Observed observations,
                                           const KnownPlanePoints& known) {
    if (type != kNonOriented) return std::nullopt;
    double length = 0.0;
    for (const ObservationRecord& o : observations)
        length += o.dDistance;
    const double gap = std::hypot(known.end1.dX - known.start1.dX, known.end1.dY - known.start1.dY);
    if (!(gap < kLeastGapShare * length)) return std::nullopt;
    return Refusal{str::kNearlyClosedNonOriented, {FormatFixed(gap, 3), FormatFixed(length, 3)}};
}

} // namespace traverse
