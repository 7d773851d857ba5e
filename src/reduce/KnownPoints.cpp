#include "reduce/KnownPoints.h"

#include "resources/CodePage936.h"
#include "resources/StringTable.h"

#include <cmath>

namespace traverse {

namespace {
constexpr const char* kHeadings[4][kKnownPointCount] = {
    {"起始点", nullptr, "终止点", nullptr},
    {"起始点1", "起始点2", "终止点", nullptr},
    {"已知点1", "已知点2", nullptr, nullptr},
    {"起始点1", "起始点2", "终止点1", "终止点2"},
};

bool IsType(int type) { return type >= 0 && type < 4; }
bool IsRole(int role) { return role >= 0 && role < kKnownPointCount; }

bool IsSpace(char c) { return c == ' ' || c == '\t' || c == '\r' || c == '\n'; }

std::string Trimmed(std::string_view text) {
    while (!text.empty() && IsSpace(text.front()))
        text.remove_prefix(1);
    while (!text.empty() && IsSpace(text.back()))
        text.remove_suffix(1);
    return std::string(text);
}

KnownPointFault Fault(int id, std::initializer_list<std::string_view> args, int role,
                      KnownPointBox box) {
    return {{id, std::vector<std::string>(args.begin(), args.end())}, role, box};
}

std::optional<KnownPointFault> CheckCoordinates(int type, int role, const TypedKnownPoint& p) {
    const std::string_view heading = RoleHeading(type, role);
    if (!p.x || !p.y)
        return Fault(str::kEnterKnownPoint, {heading}, role,
                     p.x ? KnownPointBox::Y : KnownPointBox::X);
    for (const auto box : {KnownPointBox::X, KnownPointBox::Y}) {
        const double v = box == KnownPointBox::X ? *p.x : *p.y;
        if (!std::isfinite(v) || std::fabs(v) > kMostCoordinate)
            return Fault(str::kKnownPointOutOfRange, {heading, Trimmed(p.name)}, role, box);
    }
    if (p.z && RoleCarriesHeight(type, role) &&
        !(std::isfinite(*p.z) && std::fabs(*p.z) <= kMostKnownHeight))
        return Fault(str::kKnownHeightOutOfRange, {heading, Trimmed(p.name)}, role,
                     KnownPointBox::Z);
    return std::nullopt;
}

std::optional<KnownPointFault> CheckName(int type, int role, const TypedKnownPoint& p,
                                         std::span<const ObservationRecord> obs) {
    const std::string_view station = StationOfRole(type, role, obs);
    if (station.empty()) return std::nullopt;
    const std::string stationText = Cp936ToUtf8(station);
    const std::string typed = Trimmed(p.name);
    if (typed.empty()) return std::nullopt; // no name given: nothing to tie
    if (TypedNameBytes(typed) != std::string(station))
        return Fault(str::kKnownNameMismatch, {RoleHeading(type, role), typed, stationText}, role,
                     KnownPointBox::Name);
    return std::nullopt;
}

// The pairs that fix a direction, and what a pair closer than a millimetre leaves open.
struct OrientingPair {
    int type, first, second;
    const char* why;
};

constexpr OrientingPair kPairs[] = {
    {0, kStart1, kEnd1, "无定向导线的起点和终点不能是同一点"},
    {1, kStart1, kStart2, "不能确定起始边的方位"},
    {2, kStart1, kStart2, "不能确定起始边的方位"},
    {3, kStart1, kStart2, "不能确定起始边的方位"},
    {3, kEnd1, kEnd2, "不能确定终止边的方位"},
};
} // namespace

bool TypeUsesRole(int type, int role) {
    return IsType(type) && IsRole(role) && kHeadings[type][role] != nullptr;
}

std::string_view RoleHeading(int type, int role) {
    return TypeUsesRole(type, role) ? kHeadings[type][role] : std::string_view();
}

const char* RoleKey(int role) {
    static constexpr const char* kKeys[kKnownPointCount] = {"start1", "start2", "end1", "end2"};
    return IsRole(role) ? kKeys[role] : "";
}

bool RoleCarriesHeight(int type, int role) {
    return TypeUsesRole(type, role) && (role == kStart1 || role == kEnd1);
}

std::string_view StationOfRole(int type, int role, std::span<const ObservationRecord> obs) {
    if (!TypeUsesRole(type, role) || obs.empty()) return {};
    const ObservationRecord& first = obs.front();
    const ObservationRecord& last = obs.back();
    switch (role) {
    case kStart1:
        return NameOf(first.szStation);
    case kStart2:
        return NameOf(first.szBacksight);
    case kEnd1:
        return type == 3 ? NameOf(last.szStation) : NameOf(last.szForesight);
    default:
        return NameOf(last.szForesight);
    }
}

std::optional<std::string> TypedNameBytes(std::string_view typed) {
    return Utf8ToCp936(Trimmed(typed));
}

std::optional<KnownPointFault> CheckKnownPoints(int type,
                                                const TypedKnownPoint (&points)[kKnownPointCount],
                                                std::span<const ObservationRecord> obs) {
    for (int role = 0; role < kKnownPointCount; ++role) {
        if (!TypeUsesRole(type, role)) continue;
        if (auto fault = CheckCoordinates(type, role, points[role])) return fault;
        if (auto fault = CheckName(type, role, points[role], obs)) return fault;
    }
    for (const OrientingPair& pair : kPairs) {
        if (pair.type != type) continue;
        const TypedKnownPoint &a = points[pair.first], &b = points[pair.second];
        if (std::hypot(*a.x - *b.x, *a.y - *b.y) >= kLeastOrientingDistance) continue;
        return Fault(str::kKnownPointsCoincide,
                     {RoleHeading(type, pair.first), Trimmed(a.name),
                      RoleHeading(type, pair.second), Trimmed(b.name), pair.why},
                     pair.second, KnownPointBox::X);
    }
    return std::nullopt;
}

} // namespace traverse
