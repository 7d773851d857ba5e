#include "assess/AdjustedTraverse.h"

#include "model/NumberText.h"
#include "read/SlopeReduction.h"
#include "reduce/BlunderHints.h"
#include "reduce/KnownPoints.h"
#include "reduce/TraverseShape.h"
#include "resources/StringTable.h"

#include <cmath>
#include <string>

namespace traverse {

namespace {
// The known points the type uses, checked as the window checks them (without names):
// each given, finite and in range, and those that fix a direction apart.
std::optional<Refusal> CheckGiven(TraverseType type, const KnownCoordinates& known,
                                  Observed observations) {
    const std::optional<PlanePoint>* given[kKnownPointCount] = {&known.start1, &known.start2,
                                                                &known.end1, &known.end2};
    const std::optional<double> heights[kKnownPointCount] = {known.start1Height, std::nullopt,
                                                             known.end1Height, std::nullopt};
    TypedKnownPoint points[kKnownPointCount];
    for (int role = 0; role < kKnownPointCount; ++role)
        if (const auto& p = *given[role]) points[role] = {"", p->dX, p->dY, heights[role]};
    if (auto fault = CheckKnownPoints(type, points, observations)) return fault->refusal;
    return std::nullopt;
}

// The heights from the observations as read, where the type reads a known height.
std::optional<HeightOutcome> Heights(TraverseType type, Observed asRead,
                                     const KnownCoordinates& known, double refraction) {
    const std::optional<double> start = known.start1Height;
    const std::optional<double> end =
        RoleCarriesHeight(type, kEnd1) ? known.end1Height : std::nullopt;
    if (!start && !end) return std::nullopt;
    auto sides = HeightDifferences(type, asRead, refraction);
    if (auto* refused = std::get_if<Refusal>(&sides)) return *refused;
    auto adjusted = AdjustHeights(
        type, std::get<std::vector<SideHeightDifference>>(std::move(sides)), start, end);
    if (auto* refused = std::get_if<Refusal>(&adjusted)) return *refused;
    return std::get<HeightAdjustment>(std::move(adjusted));
}

KnownPlanePoints PlanePointsOf(const KnownCoordinates& k) {
    return {k.start1.value_or(PlanePoint{}), k.start2.value_or(PlanePoint{}),
            k.end1.value_or(PlanePoint{}), k.end2.value_or(PlanePoint{})};
}

// Reduce, test the azimuth closure, adjust and assess the horizontal traverse t holds.
std::optional<Refusal> Compute(AdjustedTraverse& t) {
    const TraverseType type = t.traverseType;
    const Observed observations(t.observations);
    if (auto refused = CheckNonOrientedGap(type, observations, t.known)) return refused;
    auto reduced = Reduce(type, observations, t.known);
    if (auto* refused = std::get_if<Refusal>(&reduced)) return *refused;
    t.reduction = std::get<Reduction>(std::move(reduced));
    if (auto refused = CheckAzimuthClosure(type, t.reduction)) return refused;
    auto adjusted = Adjust(type, observations, t.known, t.reduction, t.instrument);
    if (auto* refused = std::get_if<Refusal>(&adjusted)) return *refused;
    t.adjustment = std::get<Adjustment>(std::move(adjusted));
    auto assessed = AssessPrecision(t.adjustment);
    if (auto* refused = std::get_if<Refusal>(&assessed)) return *refused;
    t.precision = std::get<Precision>(std::move(assessed));
    if (!ResultsFinite(t.reduction, t.adjustment, t.precision))
        return Refusal{str::kNonFiniteResult, {}};
    t.tests = TestObservations(t.adjustment, t.instrument.has_value());
    return std::nullopt;
}

// Where to look first, when the shape gives no better advice: the angle for the 50″
// rule, the side for corrections past the gross-error bounds.
void AddBlunderHint(Refusal& refusal, const AdjustedTraverse& t) {
    if (!refusal.hint.empty()) return;
    std::optional<std::string> hint;
    if (refusal.messageId == str::kAzimuthClosureOver50)
        hint = AngleBlunderHint(t.traverseType, t.observations, t.reduction);
    else if (refusal.messageId == str::kGrossError)
        hint = SideBlunderHint(t.traverseType, t.observations, t.reduction);
    if (hint) refusal.hint = *hint;
}

} // namespace

std::variant<AdjustedTraverse, Refusal>
AdjustTraverse(TraverseType type, Observed asRead, const KnownCoordinates& known,
               double refraction, const std::optional<InstrumentPrecision>& instrument) {
    if (!IsTraverseType(type))
        return Refusal{str::kUnknownTraverseType, {std::to_string(static_cast<int>(type))}};
    if (!RefractionInRange(refraction))
        return Refusal{str::kBadRefraction, {FormatShortest(refraction)}};
    if (asRead.empty()) return Refusal{str::kBadObservations, {}};
    if (auto refused = CheckShape(type, asRead)) return *refused;
    if (auto refused = CheckGiven(type, known, asRead)) return *refused;
    if (auto refused = CheckInstrumentPrecision(instrument)) return *refused;
    AdjustedTraverse t;
    t.traverseType = type;
    t.instrument = instrument;
    t.observations.assign(asRead.begin(), asRead.end());
    ReduceSlopeDistances(t.observations); // once, here: the caller gives them as read
    t.known = PlanePointsOf(known);
    if (auto refused = Compute(t)) {
        AddShapeHint(*refused, type, ShapeOf(asRead));
        AddBlunderHint(*refused, t);
        return *refused;
    }
    t.refraction = refraction;
    t.heights = Heights(type, asRead, known, refraction);
    return t;
}

} // namespace traverse
