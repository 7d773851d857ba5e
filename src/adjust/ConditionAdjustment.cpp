// Least-squares adjustment by condition equations of the four traverse types, iterated:
// each round linearises the conditions at the traverse the previous round adjusted,
// until the residuals settle (every change below 1e-6 seconds and 1e-6 mm), so that
// the adjusted traverse meets its known points whatever the misclosure.
//
// Observations: the angle-type columns first (the angles, or the free orientation and
// the angles of a non-oriented traverse), then the sides. Conditions: the azimuth
// closure where there is one, then the x and y closures. A round solves for the total
// residuals v: A v + (w(l + v_prev) - A v_prev) = 0.
#include "adjust/Adjustment.h"
#include "adjust/ConditionSystem.h"
#include "adjust/GrossErrors.h"
#include "model/AngleConversions.h"
#include "resources/StringTable.h"

#include <cmath>
#include <optional>
#include <vector>

namespace traverse {

namespace {
constexpr int kMostRounds = 10;
constexpr double kSettled = 1e-6;      // seconds and millimetres
constexpr double kClosedMetres = 1e-6; // the adjusted traverse on its known point

// What a round needs besides the system: the observations, start point 1 and the
// reduction it starts from.
struct Inputs {
    Observed obs;
    PlanePoint start;
    const Reduction& reduction;
    const std::optional<InstrumentPrecision>& instrument;
};

bool ReductionMatches(const Inputs& in, const ConditionLayout& l, int n) {
    return n >= 1 && l.sides >= 0 &&
           in.reduction.azimuths.size() == static_cast<size_t>(n + l.azimuthOffset) &&
           in.reduction.points.size() == static_cast<size_t>(l.points);
}

// Corrected azimuths (each carried azimuth turned by the corrections of the angles
// before it), corrected sides, and the points run from start point 1 along them. The
// run sums offsets from start point 1, so that grid coordinates lose no digits on a
// long traverse.
void ComputeAdjustedTraverse(Adjustment& a, const Inputs& in, const ConditionLayout& l, int n) {
    a.azimuthCorrections.clear();
    a.sides.clear();
    a.azimuths.clear();
    a.points.clear();
    a.azimuthCorrections.reserve(static_cast<size_t>(n));
    a.azimuths.reserve(static_cast<size_t>(n));
    a.sides.reserve(static_cast<size_t>(l.sides));
    a.points.reserve(static_cast<size_t>(l.sides) + 1);
    double c = 0.0;
    for (int k = 0; k < n; ++k) {
        c += a.residuals[static_cast<size_t>(k)];
        a.azimuthCorrections.push_back(c);
        a.azimuths.push_back(AddSecondsWithCarry(
            in.reduction.azimuths[static_cast<size_t>(k + l.azimuthOffset)], c));
    }
    for (int j = 0; j < l.sides; ++j)
        a.sides.push_back(in.obs[static_cast<size_t>(j)].dDistance +
                          a.residuals[static_cast<size_t>(n + j)] * 0.001);
    a.points.push_back(in.start);
    double dx = 0.0, dy = 0.0;
    for (int k = 0; k < l.sides; ++k) {
        const double theta = DmsToRadians(a.azimuths[static_cast<size_t>(k)]);
        dx += a.sides[static_cast<size_t>(k)] * std::cos(theta);
        dy += a.sides[static_cast<size_t>(k)] * std::sin(theta);
        a.points.push_back(PlanePoint{in.start.dX + dx, in.start.dY + dy});
    }
}

// The misclosures of a round: the shape's own closures less A v_prev. The azimuth
// closure is linear in the angles, so its term stays the carried closure.
void RoundMisclosures(const Adjustment& a, const ConditionLayout& l, const TraverseShape& at,
                      double azimuthClosure, const std::vector<double>& previous,
                      double* misclosure) {
    const int r = a.conditions, u = static_cast<int>(a.residuals.size());
    const PlanePoint& last = at.points.back();
    const double closure[2] = {(last.dX - l.closingPoint.dX) * 1000.0,
                               (last.dY - l.closingPoint.dY) * 1000.0};
    if (r == 3) misclosure[0] = azimuthClosure;
    for (int c = 0; c < 2; ++c) {
        const int row = r - 2 + c;
        double av = 0.0;
        for (int k = 0; k < u; ++k)
            av += a.conditionMatrix[static_cast<size_t>(row) * u + k] *
                  previous[static_cast<size_t>(k)];
        misclosure[row] = closure[c] - av;
    }
}

double LargestChange(const std::vector<double>& v, const std::vector<double>& previous) {
    double largest = 0.0;
    for (size_t i = 0; i < v.size(); ++i)
        largest = std::fmax(largest, std::fabs(v[i] - previous[i]));
    return std::isnan(largest) ? INFINITY : largest;
}

bool ClosesOnItsPoint(const Adjustment& a, const ConditionLayout& l) {
    const PlanePoint& last = a.points[static_cast<size_t>(l.points - 1)];
    return std::hypot(last.dX - l.closingPoint.dX, last.dY - l.closingPoint.dY) < kClosedMetres;
}

// Corrections past the gross-error bounds: the known points and the observations do
// not belong together. The refusal gives the closures and the correction at fault.
std::optional<Refusal> GrossErrors(const Adjustment& a, const Inputs& in, const ConditionLayout& l,
                                   int n) {
    const auto exceeded = FirstGrossError(a.residuals, n, l.freeOrientation, in.obs, a.sides);
    if (!exceeded) return std::nullopt;
    std::optional<double> azimuthClosure;
    if (l.azimuthRow) azimuthClosure = DmsToSeconds(UnpackDms(in.reduction.azimuthClosure));
    return Refusal{str::kGrossError,
                   {ClosurePhrase(in.reduction.fx, in.reduction.fy, azimuthClosure), *exceeded}};
}

// Rounds until the residuals settle.
std::variant<Adjustment, Refusal> Iterate(const Inputs& in, const ConditionLayout& l, int n,
                                          double azimuthClosure) {
    Adjustment a;
    TraverseShape at = CarriedShape(in.reduction, l);
    std::vector<double> previous(static_cast<size_t>(n + l.sides), 0.0);
    for (int round = 1; round <= kMostRounds; ++round) {
        a.rounds = round;
        SetUpConditions(a, l, n, in.obs, at, in.instrument);
        double misclosure[3] = {};
        RoundMisclosures(a, l, at, azimuthClosure, previous, misclosure);
        if (!SolveForResiduals(a, l, misclosure)) return Refusal{str::kBadObservations, {}};
        ComputeAdjustedTraverse(a, in, l, n);
        if (LargestChange(a.residuals, previous) < kSettled && ClosesOnItsPoint(a, l)) {
            // Settled: the last point is the known point, to far below a micrometre.
            a.points[static_cast<size_t>(l.points - 1)] = l.closingPoint;
            if (auto refused = GrossErrors(a, in, l, n)) return *refused;
            return a;
        }
        previous = a.residuals;
        at = AdjustedShape(a, l);
    }
    if (auto refused = GrossErrors(a, in, l, n)) return *refused;
    return Refusal{str::kNoConvergence, {std::to_string(kMostRounds)}};
}

// The layout of each type: a closed loop's closure a_n - a_1 does not contain the
// connection angle at start point 1; a double-connection traverse carries every angle
// to the end azimuth; a non-oriented traverse's first side is not observed but turned
// about start point 1 as a free parameter (column 0).
ConditionLayout LayoutOf(int type, int n, const KnownPlanePoints& known) {
    switch (type) {
    case kClosed:
        return {n - 1, 1, n, true, 0.0, false, known.start1};
    case kDoubleConnection:
        return {n - 1, 1, n, true, 1.0, false, known.end1};
    case kSingleConnection:
        return {n, 1, n + 1, false, 0.0, false, known.end1};
    default:
        return {n, 0, n + 1, false, 0.0, true, known.end1};
    }
}
} // namespace

AngleDMS AddSecondsWithCarry(const AngleDMS& azimuth, double seconds) {
    return CarryUpwards(azimuth.nDeg, azimuth.nMin, azimuth.dSec + seconds);
}

std::variant<Adjustment, Refusal> Adjust(int traverseType, Observed observations,
                                         const KnownPlanePoints& known, const Reduction& reduction,
                                         const std::optional<InstrumentPrecision>& instrument) {
    const int n = static_cast<int>(observations.size());
    const ConditionLayout l = LayoutOf(traverseType, n, known);
    const Inputs in{observations, known.start1, reduction, instrument};
    if (!ReductionMatches(in, l, n)) return Refusal{str::kBadObservations, {}};
    const double azimuthClosure =
        l.azimuthRow ? DmsToSeconds(UnpackDms(reduction.azimuthClosure)) : 0.0;
    return Iterate(in, l, n, azimuthClosure);
}

} // namespace traverse
