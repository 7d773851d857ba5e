#include "BatchKnownPoints.h"

#include "platform/ShownText.h"
#include "resources/CodePage936.h"
#include "resources/StringTable.h"

using namespace traverse;

bool ReadKnownPointFile(const std::string& path, const CBatchMessages& messages,
                        std::vector<KnownPointEntry>& points) {
    const std::optional<Refusal> refused = traverse::ReadKnownPointFile(path, points);
    if (refused) messages.Refuse(path, *refused);
    return !refused;
}

bool ResolveKnownPoints(const BatchArguments& a, const Observations& observations,
                        const std::vector<KnownPointEntry>& known, const CBatchMessages& messages,
                        TypedKnownPoint (&points)[kKnownPointCount]) {
    for (int role = 0; role < kKnownPointCount; ++role) {
        if (!TypeUsesRole(a.traverseType, role)) continue;
        // A point not named on the command line goes by the station it stands for.
        const std::string_view station = StationOfRole(a.traverseType, role, observations);
        if (a.points[role]) {
            const std::string& named = a.pointNames[role];
            points[role] = {named.empty() ? Cp936ToUtf8(station) : named, a.points[role]->dX,
                            a.points[role]->dY, a.heights[role]};
            continue;
        }
        const KnownPointEntry* entry = FindKnownPoint(known, station);
        if (entry == nullptr) {
            messages.Refuse(*a.knownFile, {str::kKnownFileLacksPoint,
                                           {DisplayName(*a.knownFile),
                                            std::string(RoleHeading(a.traverseType, role)),
                                            Cp936ToUtf8(station)}});
            return false;
        }
        points[role] = {Cp936ToUtf8(station), entry->xy.dX, entry->xy.dY,
                        RoleCarriesHeight(a.traverseType, role) ? entry->height : std::nullopt};
    }
    return true;
}

KnownCoordinates CoordinatesOf(const TypedKnownPoint (&p)[kKnownPointCount]) {
    auto xy = [](const TypedKnownPoint& t) -> std::optional<PlanePoint> {
        if (!t.x || !t.y) return std::nullopt;
        return PlanePoint{*t.x, *t.y};
    };
    return {xy(p[kStart1]), xy(p[kStart2]), xy(p[kEnd1]), xy(p[kEnd2]), p[kStart1].z, p[kEnd1].z};
}
