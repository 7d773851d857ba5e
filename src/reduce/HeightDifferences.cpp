#include "reduce/HeightDifferences.h"

#include "model/AngleConversions.h"
#include "model/NumberText.h"
#include "resources/CodePage936.h"
#include "resources/StringTable.h"

#include <cmath>

namespace traverse {

namespace {
constexpr double kLevel = 900000.0; // packed DMS

int SideCount(int type, int records) {
    return type == kClosed || type == kDoubleConnection ? records - 1 : records;
}

// The level sight minus the zenith angle, radians: positive above the horizon.
double Elevation(double packedZenith) {
    return DmsToRadians(90, 0, 0.0) - DmsToRadians(UnpackDms(packedZenith));
}

std::string Name(const char (&field)[kNameFieldSize]) { return Cp936ToUtf8(NameOf(field)); }

Refusal AtSight(int id, int line, const ObservationRecord& r, std::string what = {},
                std::string value = {}) {
    return {id,
            {std::to_string(line), Name(r.szStation), Name(r.szForesight), std::move(what),
             std::move(value)}};
}

// An instrument or target height a difference is computed from: written, 0 to 10 m.
std::optional<Refusal> CheckSightHeight(const ObservationRecord& r, bool missing, double height,
                                        int line, const char* what) {
    if (missing) return AtSight(str::kSightHeightMissing, line, r, what);
    if (!(height >= 0.0 && height <= kMostSightHeight))
        return AtSight(str::kSightHeightOutOfRange, line, r, what, FormatShortest(height));
    return std::nullopt;
}

std::optional<Refusal> CheckForward(const ObservationRecord& r) {
    if (auto f = CheckSightHeight(r, r.bNoInstrumentHeight, r.dInstrumentHeight, r.nStationLine,
                                  "仪器高"))
        return f;
    return CheckSightHeight(r, r.bNoTargetHeight, r.dTargetHeight, r.nSightLine, "目标高");
}

// The reverse sight at r, the set-up after the side, to its backsight.
std::optional<Refusal> CheckReverse(const ObservationRecord& r) {
    if (!(r.dBackZenith > 0.0 && r.dBackZenith < 1800000.0))
        return AtSight(str::kBackZenithOutOfRange, r.nSightLine, r, Name(r.szBacksight),
                       FormatShortest(r.dBackZenith));
    if (auto f = CheckSightHeight(r, r.bNoInstrumentHeight, r.dInstrumentHeight, r.nStationLine,
                                  "仪器高"))
        return f;
    return CheckSightHeight(r, false, r.dBackTargetHeight, r.nSightLine, "后视目标高");
}
} // namespace

bool RefractionInRange(double k) { return std::isfinite(k) && std::fabs(k) <= kMostRefraction; }

std::variant<std::vector<SideHeightDifference>, Refusal>
HeightDifferences(int type, std::span<const ObservationRecord> obs, double k) {
    if (!RefractionInRange(k)) return Refusal{str::kBadRefraction, {FormatShortest(k)}};
    const int sides = SideCount(type, static_cast<int>(obs.size()));
    bool anyInclined = false;
    for (int s = 0; s < sides; ++s)
        anyInclined = anyInclined || obs[static_cast<size_t>(s)].dVerticalAngle != kLevel;
    if (!anyInclined) return Refusal{str::kNoZenithAngles, {}};
    std::vector<SideHeightDifference> out;
    for (int s = 0; s < sides; ++s) {
        const ObservationRecord& r = obs[static_cast<size_t>(s)];
        if (auto fault = CheckForward(r)) return *fault;
        const double elevation = Elevation(r.dVerticalAngle);
        SideHeightDifference d;
        d.distance = r.dDistance * std::cos(std::fabs(elevation)); // as the plane reduces it
        const double curvature = (1.0 - k) * d.distance * d.distance / (2.0 * kEarthRadius);
        d.forward =
            r.dDistance * std::sin(elevation) + curvature + r.dInstrumentHeight - r.dTargetHeight;
        d.observed = d.forward;
        d.line = r.nSightLine;
        if (static_cast<size_t>(s) + 1 < obs.size() &&
            obs[static_cast<size_t>(s) + 1].dBackZenith != 0.0) {
            const ObservationRecord& back = obs[static_cast<size_t>(s) + 1];
            if (auto fault = CheckReverse(back)) return *fault;
            const double reverse = d.distance * std::tan(Elevation(back.dBackZenith)) + curvature +
                                   back.dInstrumentHeight - back.dBackTargetHeight;
            d.reverse = -reverse;
            d.observed = (d.forward + *d.reverse) * 0.5;
        }
        out.push_back(d);
    }
    return out;
}

} // namespace traverse
