#include "network/SightHeights.h"

#include "model/AngleConversions.h"
#include "model/NumberText.h"
#include "reduce/HeightDifferences.h"
#include "resources/CodePage936.h"
#include "resources/StringTable.h"

#include <cmath>
#include <optional>

namespace traverse {

namespace {
// The level sight minus the zenith angle, radians: positive above the horizon.
double Elevation(double packedZenith) {
    return DmsToRadians(90, 0, 0.0) - DmsToRadians(UnpackDms(packedZenith));
}

std::string Name(const char (&field)[kNameFieldSize]) { return Cp936ToUtf8(NameOf(field)); }

std::optional<Refusal> CheckHeight(const std::string& file, const ObservationRecord& r,
                                   bool missing, double height, int line, const char* what) {
    const std::vector<std::string> at{file, std::to_string(line), Name(r.szStation),
                                      Name(r.szForesight), what};
    if (missing) return Refusal{str::kNetworkSightHeightMissing, at};
    if (!(height >= 0.0 && height <= kMostSightHeight)) {
        std::vector<std::string> args = at;
        args.push_back(FormatShortest(height));
        return Refusal{str::kNetworkSightHeightOutOfRange, args};
    }
    return std::nullopt;
}

std::optional<Refusal> CheckForward(const std::string& file, const ObservationRecord& r) {
    if (auto f = CheckHeight(file, r, r.bNoInstrumentHeight, r.dInstrumentHeight, r.nStationLine,
                             "仪器高"))
        return f;
    return CheckHeight(file, r, r.bNoTargetHeight, r.dTargetHeight, r.nSightLine, "目标高");
}

std::optional<Refusal> CheckReverse(const std::string& file, const ObservationRecord& r) {
    if (!(r.dBackZenith > 0.0 && r.dBackZenith < 1800000.0))
        return Refusal{str::kNetworkBackZenithOutOfRange,
                       {file, std::to_string(r.nSightLine), Name(r.szStation), Name(r.szBacksight),
                        FormatShortest(r.dBackZenith)}};
    if (auto f = CheckHeight(file, r, r.bNoInstrumentHeight, r.dInstrumentHeight, r.nStationLine,
                             "仪器高"))
        return f;
    return CheckHeight(file, r, false, r.dBackTargetHeight, r.nSightLine, "后视目标高");
}
} // namespace

std::variant<SightHeight, Refusal> SightHeightDifference(const ObservationRecord& r,
                                                         const ObservationRecord* reverse, double k,
                                                         const std::string& file) {
    if (auto fault = CheckForward(file, r)) return *fault;
    const double elevation = Elevation(r.dVerticalAngle);
    SightHeight out;
    out.distance = r.dDistance * std::cos(std::fabs(elevation));
    const double curvature = (1.0 - k) * out.distance * out.distance / (2.0 * kEarthRadius);
    out.metres =
        r.dDistance * std::sin(elevation) + curvature + r.dInstrumentHeight - r.dTargetHeight;
    if (reverse == nullptr) return out;
    if (auto fault = CheckReverse(file, *reverse)) return *fault;
    const double back = out.distance * std::tan(Elevation(reverse->dBackZenith)) + curvature +
                        reverse->dInstrumentHeight - reverse->dBackTargetHeight;
    out.metres = (out.metres - back) * 0.5;
    return out;
}

} // namespace traverse
