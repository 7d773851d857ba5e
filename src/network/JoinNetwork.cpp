#include "network/JoinNetwork.h"

#include "model/AngleConversions.h"
#include "model/NumberText.h"
#include "network/NetworkLines.h"
#include "network/SightHeights.h"
#include "read/SlopeReduction.h"
#include "resources/CodePage936.h"
#include "resources/StringTable.h"

#include <algorithm>
#include <cmath>
#include <map>
#include <set>
#include <unordered_map>
#include <unordered_set>

namespace traverse {

namespace {
constexpr double kLevelSight = 900000.0;  // packed DMS
constexpr double kFullCircle = 1296000.0; // ″

using KnownByName = std::unordered_map<std::string, NetworkKnownPoint>;

// One name, one place: a second entry must say the same (a height may be added).
std::variant<KnownByName, Refusal> KnownPoints(std::span<const NetworkKnownPoint> known) {
    KnownByName byName;
    for (const NetworkKnownPoint& k : known) {
        auto [it, added] = byName.emplace(k.name, k);
        if (added) continue;
        NetworkKnownPoint& first = it->second;
        const bool heightsDiffer = first.height && k.height && *first.height != *k.height;
        if (first.xy.dX != k.xy.dX || first.xy.dY != k.xy.dY || heightsDiffer)
            return Refusal{str::kNetworkKnownTwice, {Cp936ToUtf8(k.name), first.place, k.place}};
        if (!first.height) first.height = k.height;
    }
    return byName;
}

SourceLine LineOf(int file, const ObservationRecord& r) {
    return {file, r.nSightLine > 0 ? r.nSightLine : r.nStationLine};
}

class Joiner {
public:
    Joiner(std::span<const NetworkFile> files, KnownByName known, double refraction)
        : m_files(files), m_known(std::move(known)), m_refraction(refraction) {
        for (const NetworkFile& f : files) {
            m_net.files.push_back(f.name);
            for (const ObservationRecord& r : f.records)
                m_sighted.insert(std::string(NameOf(r.szForesight)));
        }
    }

    std::variant<NetworkObservations, Refusal> Run() {
        for (int f = 0; f < static_cast<int>(m_files.size()); ++f)
            AddFile(f);
        if (auto refused = CheckJoined()) return *refused;
        if (AnyKnownHeight())
            if (auto refused = AddHeights()) return *refused;
        m_net.junctions = FindJunctions(m_net);
        m_net.lines = SplitLines(m_net);
        return std::move(m_net);
    }

private:
    int PointOf(std::string_view name, SourceLine where) {
        auto [it, added] =
            m_index.emplace(std::string(name), static_cast<int>(m_net.points.size()));
        if (added) {
            NetworkPoint p;
            p.name = std::string(name);
            if (auto k = m_known.find(p.name); k != m_known.end()) {
                p.known = k->second.xy;
                p.knownHeight = k->second.height;
            }
            m_net.points.push_back(std::move(p));
        }
        m_net.points[static_cast<size_t>(it->second)].seen.push_back(where);
        return it->second;
    }
    bool Known(int p) const { return m_net.points[static_cast<size_t>(p)].known.has_value(); }

    // A backsight that is a point: known, or sighted from some set-up; else a label.
    std::optional<int> Backsight(const ObservationRecord& r, SourceLine at) {
        const std::string name(NameOf(r.szBacksight));
        if (name.empty() || (!m_known.contains(name) && !m_sighted.contains(name)))
            return std::nullopt;
        return PointOf(name, at);
    }

    void AddAngle(const ObservationRecord& r, int station, int foresight, SourceLine at) {
        const auto back = Backsight(r, at);
        if (!back || *back == station || *back == foresight) return;
        if (Known(station) && Known(*back) && Known(foresight)) return;
        double seconds = DmsToSeconds(UnpackDms(r.dHorizontalAngle));
        seconds = std::fmod(seconds, kFullCircle);
        if (seconds < 0.0) seconds += kFullCircle;
        m_net.angles.push_back({station, *back, foresight, seconds, at});
    }

    void AddFile(int f) {
        const NetworkFile& file = m_files[static_cast<size_t>(f)];
        Observations records = file.records;
        ReduceSlopeDistances(records);
        std::set<std::pair<int, int>> taken;
        for (size_t k = 0; k < records.size(); ++k) {
            const ObservationRecord& r = records[k];
            const SourceLine at = LineOf(f, r);
            const int station = PointOf(NameOf(r.szStation), at);
            const int foresight = PointOf(NameOf(r.szForesight), at);
            if (station == foresight) continue;
            AddAngle(r, station, foresight, at);
            if (Known(station) && Known(foresight)) continue;
            if (!taken.insert(std::minmax(station, foresight)).second) continue;
            m_net.distances.push_back({station, foresight, r.dDistance, at});
            m_sightOf.push_back(k);
        }
    }

    // Every file joined to the first through shared point names, and something known to
    // hold the network.
    std::optional<Refusal> CheckJoined() const {
        if (std::none_of(m_net.points.begin(), m_net.points.end(),
                         [](const NetworkPoint& p) { return p.known.has_value(); }))
            return Refusal{str::kNetworkNoKnownPoint, {}};
        // Files joined through shared names, from the first one on.
        std::vector<bool> joined(m_files.size(), false);
        joined[0] = true;
        for (bool grew = true; grew;) {
            grew = false;
            for (const NetworkPoint& p : m_net.points) {
                const bool reached = std::any_of(p.seen.begin(), p.seen.end(), [&](SourceLine s) {
                    return joined[static_cast<size_t>(s.file)];
                });
                for (const SourceLine& s : p.seen)
                    if (reached && !joined[static_cast<size_t>(s.file)])
                        grew = joined[static_cast<size_t>(s.file)] = true;
            }
        }
        for (size_t f = 0; f < m_files.size(); ++f)
            if (!joined[f]) return Refusal{str::kNetworkFileApart, {m_files[f].name}};
        return std::nullopt;
    }

    bool AnyKnownHeight() const {
        return std::any_of(m_net.points.begin(), m_net.points.end(),
                           [](const NetworkPoint& p) { return p.knownHeight.has_value(); });
    }

    // The set-ups of each file that sighted back in both faces, by station and backsight.
    using ReverseSights =
        std::map<std::pair<std::string_view, std::string_view>, const ObservationRecord*>;
    ReverseSights ReverseSightsOf(int f) const {
        ReverseSights out;
        for (const ObservationRecord& r : m_files[static_cast<size_t>(f)].records)
            if (r.dBackZenith != 0.0)
                out.emplace(std::make_pair(NameOf(r.szStation), NameOf(r.szBacksight)), &r);
        return out;
    }

    // As a traverse levels: every side of a file with a zenith angle anywhere (a level
    // sight too); none of a file whose sights are all level (no zenith angles).
    std::vector<bool> InclinedFiles() const {
        std::vector<bool> inclined(m_files.size(), false);
        for (size_t d = 0; d < m_net.distances.size(); ++d) {
            const auto f = static_cast<size_t>(m_net.distances[d].source.file);
            if (m_files[f].records[m_sightOf[d]].dVerticalAngle != kLevelSight) inclined[f] = true;
        }
        return inclined;
    }

    std::optional<Refusal> AddHeights() {
        std::vector<ReverseSights> reverse;
        for (int f = 0; f < static_cast<int>(m_files.size()); ++f)
            reverse.push_back(ReverseSightsOf(f));
        const std::vector<bool> inclined = InclinedFiles();
        for (size_t d = 0; d < m_net.distances.size(); ++d) {
            const NetworkDistance& side = m_net.distances[d];
            if (!inclined[static_cast<size_t>(side.source.file)]) continue;
            const NetworkFile& file = m_files[static_cast<size_t>(side.source.file)];
            const ObservationRecord& r = file.records[m_sightOf[d]];
            const auto& back = reverse[static_cast<size_t>(side.source.file)];
            const auto it = back.find({NameOf(r.szForesight), NameOf(r.szStation)});
            auto h = SightHeightDifference(r, it == back.end() ? nullptr : it->second, m_refraction,
                                           file.name);
            if (auto* refused = std::get_if<Refusal>(&h)) return *refused;
            const SightHeight& sight = std::get<SightHeight>(h);
            m_net.heights.push_back(
                {side.from, side.to, sight.metres, sight.distance, side.source});
        }
        return std::nullopt;
    }

    std::span<const NetworkFile> m_files;
    KnownByName m_known;
    double m_refraction;
    std::unordered_set<std::string> m_sighted;
    std::unordered_map<std::string, int> m_index;
    std::vector<size_t> m_sightOf; // per distance, its record in its file
    NetworkObservations m_net;
};
} // namespace

std::variant<NetworkObservations, Refusal> JoinNetwork(std::span<const NetworkFile> files,
                                                       std::span<const NetworkKnownPoint> known,
                                                       double refraction) {
    if (!RefractionInRange(refraction))
        return Refusal{str::kBadRefraction, {FormatShortest(refraction)}};
    auto byName = KnownPoints(known);
    if (auto* refused = std::get_if<Refusal>(&byName)) return *refused;
    return Joiner(files, std::get<KnownByName>(std::move(byName)), refraction).Run();
}

} // namespace traverse
