#include "adjust/GrossErrors.h"

#include "model/NumberText.h"
#include "resources/CodePage936.h"

#include <cmath>

namespace traverse {

namespace {
std::string Name(const char (&field)[kNameFieldSize]) { return Cp936ToUtf8(NameOf(field)); }

std::string SideName(const ObservationRecord& o) {
    return "边 " + Name(o.szStation) + "–" + Name(o.szForesight);
}
} // namespace

std::optional<std::string> FirstGrossError(const std::vector<double>& v, int angleColumns,
                                           bool freeOrientation,
                                           std::span<const ObservationRecord> obs,
                                           const std::vector<double>& adjustedSides) {
    for (size_t j = 0; j < adjustedSides.size() && j < obs.size(); ++j) {
        const size_t column = static_cast<size_t>(angleColumns) + j;
        const double side = obs[j].dDistance;
        if (!(adjustedSides[j] > 0.0))
            return SideName(obs[j]) + " 平差后的边长 " + FormatFixed(adjustedSides[j], 3) +
                   " m 不大于零";
        if (column < v.size() && !(std::fabs(v[column]) <= kMostSideCorrection * side * 1000.0))
            return SideName(obs[j]) + " 的改正数 " + FormatTenth(v[column]) + " mm 超过边长 " +
                   FormatFixed(side, 3) + " m 的十分之一";
    }
    for (int k = freeOrientation ? 1 : 0; k < angleColumns && k < static_cast<int>(obs.size());
         ++k) {
        const double correction = k < static_cast<int>(v.size()) ? v[static_cast<size_t>(k)] : 0.0;
        if (!(std::fabs(correction) <= kMostAngleCorrection))
            return "测站 " + Name(obs[static_cast<size_t>(k)].szStation) + " 的角度改正数 " +
                   FormatTenth(correction) + "″ 超过 1°";
    }
    return std::nullopt;
}

std::string ClosurePhrase(double fx, double fy, std::optional<double> azimuthClosure) {
    std::string text = "坐标闭合差 fx = " + FormatSignedTenth(fx) +
                       " mm，fy = " + FormatSignedTenth(fy) +
                       " mm，fD = " + FormatTenth(std::hypot(fx, fy)) + " mm";
    if (azimuthClosure) text += "，方位角闭合差 fβ = " + FormatSignedTenth(*azimuthClosure) + "″";
    return text;
}

} // namespace traverse
