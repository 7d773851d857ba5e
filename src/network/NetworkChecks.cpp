#include "network/NetworkChecks.h"

#include "model/NumberText.h"
#include "resources/StringTable.h"

#include <cmath>

namespace traverse {

namespace {
constexpr double kFullCircle = 1296000.0; // ″

Refusal Bad(const NetworkObservations& net, const SourceLine& at, const char* what) {
    const bool named = at.file >= 0 && static_cast<size_t>(at.file) < net.files.size();
    return Refusal{str::kNetworkBadObservation,
                   {named ? net.files[static_cast<size_t>(at.file)] : std::string{},
                    std::to_string(at.line), what}};
}

bool InList(const NetworkObservations& net, std::initializer_list<int> points) {
    for (int p : points)
        if (p < 0 || static_cast<size_t>(p) >= net.points.size()) return false;
    return true;
}

std::optional<Refusal> CheckAngles(const NetworkObservations& net) {
    for (const NetworkAngle& a : net.angles) {
        if (!InList(net, {a.station, a.backsight, a.foresight}))
            return Bad(net, a.source, "点号超出点表");
        if (a.station == a.backsight || a.station == a.foresight || a.backsight == a.foresight)
            return Bad(net, a.source, "测站、后视点与前视点应各不相同");
        if (!(a.seconds >= 0.0 && a.seconds < kFullCircle))
            return Bad(net, a.source, "水平角应在 0° 与 360° 之间");
    }
    return std::nullopt;
}

std::optional<Refusal> CheckDistances(const NetworkObservations& net) {
    for (const NetworkDistance& d : net.distances) {
        if (!InList(net, {d.from, d.to})) return Bad(net, d.source, "点号超出点表");
        if (d.from == d.to) return Bad(net, d.source, "边的两端是同一点");
        if (!(std::isfinite(d.metres) && d.metres > 0.0)) return Bad(net, d.source, "平距应为正数");
    }
    for (const NetworkHeightDifference& h : net.heights) {
        if (!InList(net, {h.from, h.to})) return Bad(net, h.source, "点号超出点表");
        if (h.from == h.to) return Bad(net, h.source, "高差的两端是同一点");
        if (!(std::isfinite(h.metres) && std::isfinite(h.distance) && h.distance > 0.0))
            return Bad(net, h.source, "高差或其平距无效");
    }
    return std::nullopt;
}

std::optional<Refusal> CheckKnown(const NetworkObservations& net) {
    for (const NetworkPoint& p : net.points) {
        const bool bad = (p.known && !(std::isfinite(p.known->dX) && std::isfinite(p.known->dY))) ||
                         (p.knownHeight && !std::isfinite(*p.knownHeight));
        if (bad) {
            const SourceLine at = p.seen.empty() ? SourceLine{} : p.seen.front();
            return Bad(net, at, "已知点的坐标或高程无效");
        }
    }
    return std::nullopt;
}

} // namespace

std::optional<Refusal> CheckNetwork(const NetworkObservations& network,
                                    const NetworkOptions& options) {
    if (auto r = CheckInstrumentPrecision(options.instrument)) return r;
    if (auto r = CheckAngles(network)) return r;
    if (auto r = CheckDistances(network)) return r;
    return CheckKnown(network);
}

} // namespace traverse
