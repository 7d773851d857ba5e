#include "assess/AdjustedTraverse.h"

#include "resources/StringTable.h"

std::variant<AdjustedTraverse, Refusal> AdjustTraverse(int type, Observed observations,
                                                       const KnownCoordinates& known) {
    AdjustedTraverse t;
    t.traverseType = type;
    t.observations.assign(observations.begin(), observations.end());
    t.known = known;
    auto reduced = Reduce(type, observations, known);
    if (auto* refused = std::get_if<Refusal>(&reduced)) return *refused;
    t.reduction = std::get<Reduction>(std::move(reduced));
    if (auto refused = CheckAzimuthClosure(type, t.reduction)) return *refused;
    auto adjusted = Adjust(type, observations, known, t.reduction);
    if (auto* refused = std::get_if<Refusal>(&adjusted)) return *refused;
    t.adjustment = std::get<Adjustment>(std::move(adjusted));
    auto assessed = AssessPrecision(t.adjustment);
    if (auto* refused = std::get_if<Refusal>(&assessed)) return *refused;
    t.precision = std::get<Precision>(std::move(assessed));
    if (!ResultsFinite(t.reduction, t.adjustment, t.precision))
        return Refusal{str::kNonFiniteResult, {}};
    return t;
}
