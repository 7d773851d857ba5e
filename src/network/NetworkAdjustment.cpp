// The plane is solved in a frame with its origin at the first known point, so that
// millions of metres of grid coordinates leave the corrections their digits.
#include "network/NetworkAdjustment.h"

#include "network/ApproximateCoordinates.h"
#include "network/NetworkChecks.h"
#include "network/NetworkHeights.h"
#include "network/NormalEquations.h"
#include "network/ObservationEquations.h"
#include "resources/CodePage936.h"
#include "resources/StringTable.h"

#include <algorithm>
#include <cmath>
#include <limits>

namespace traverse {

namespace {
constexpr double kFreshFactor = 0.1; // mm

PlanePoint Origin(const NetworkObservations& net) {
    for (const NetworkPoint& p : net.points)
        if (p.known) return *p.known;
    return {};
}

std::vector<PlanePoint> Moved(const std::vector<PlanePoint>& points, const PlanePoint& by,
                              double sign) {
    std::vector<PlanePoint> moved;
    moved.reserve(points.size());
    for (const PlanePoint& p : points)
        moved.push_back({p.dX + sign * by.dX, p.dY + sign * by.dY});
    return moved;
}

int Unknowns(const std::vector<int>& columns) {
    int n = 0;
    for (int c : columns)
        n = std::max(n, c + 2);
    return n;
}

Refusal Singular(const NetworkObservations& net, const std::vector<int>& columns, int column) {
    for (size_t p = 0; p < columns.size(); ++p)
        if (columns[p] >= 0 && (columns[p] == column || columns[p] + 1 == column))
            return Refusal{str::kNetworkSingular, {Cp936ToUtf8(net.points[p].name)}};
    return Refusal{str::kBadObservations, {}};
}

struct Rounds {
    int count = 0;
    double moved = 0.0; // mm, the largest coordinate change since the last factor
};

// Gauss-Newton rounds until the corrections settle. The factor is kept while the points
// have moved by less than kFreshFactor since it was formed: N changes by that over a
// side's length, and the rounds still settle on the same least-squares point.
std::variant<Rounds, Refusal> Iterate(const NetworkObservations& net, const NetworkOptions& options,
                                      const std::vector<int>& columns, NormalEquations& normals,
                                      std::vector<PlanePoint>& at) {
    Rounds r{0, std::numeric_limits<double>::infinity()};
    while (++r.count <= kMostNetworkRounds) {
        const std::vector<EquationRow> rows = PlaneEquations(net, at, columns, options.instrument);
        if (r.moved <= kFreshFactor) {
            normals.SetMisclosures(rows);
        } else {
            if (!normals.Factor(rows)) return Singular(net, columns, normals.SingularColumn());
            r.moved = 0.0;
        }
        const std::vector<double> dx = normals.Solve();
        double largest = 0.0;
        for (size_t p = 0; p < at.size(); ++p) {
            const int c = columns[p];
            if (c < 0) continue;
            const double cx = dx[static_cast<size_t>(c)], cy = dx[static_cast<size_t>(c) + 1];
            at[p].dX += cx / 1000.0;
            at[p].dY += cy / 1000.0;
            largest = std::max({largest, std::fabs(cx), std::fabs(cy)});
        }
        if (!std::isfinite(largest)) return Refusal{str::kNonFiniteResult, {}};
        r.moved += largest;
        if (largest <= kNetworkSettled) return r;
    }
    return Refusal{str::kNoConvergence, {std::to_string(kMostNetworkRounds)}};
}

// a Qxx aᵀ for one row.
double RowForm(const EquationRow& row, const SelectedInverse& q) {
    double sum = 0.0;
    for (int i = 0; i < row.count; ++i)
        for (int j = 0; j < row.count; ++j)
            sum += row.coefficient[i] * q.At(row.column[i], row.column[j]) * row.coefficient[j];
    return sum;
}

PointPrecision PointOf(double qxx, double qyy, double qxy, double sigma0) {
    PointPrecision p;
    p.qxx = qxx;
    p.qyy = qyy;
    p.qxy = qxy;
    p.mx = std::sqrt(std::fabs(qxx)) * sigma0;
    p.my = std::sqrt(std::fabs(qyy)) * sigma0;
    p.m = std::sqrt(std::max(qxx + qyy, 0.0)) * sigma0;
    p.ellipse = ComputeErrorEllipse(qxx, qyy, qxy, sigma0);
    return p;
}

// Residuals, cofactors, redundancy numbers and σ0 from the rows at the adjusted points.
void AssessObservations(NetworkAdjustment& a, const std::vector<EquationRow>& rows,
                        const SelectedInverse* q, size_t angles) {
    double pvv = 0.0;
    for (size_t i = 0; i < rows.size(); ++i) {
        const EquationRow& row = rows[i];
        const double v = row.misclosure, r = 1.0 - (q ? row.weight * RowForm(row, *q) : 0.0);
        pvv += v * v * row.weight;
        const bool angle = i < angles;
        (angle ? a.angleResiduals : a.distanceResiduals).push_back(v);
        (angle ? a.angleCofactors : a.distanceCofactors).push_back(1.0 / row.weight);
        (angle ? a.angleRedundancy : a.distanceRedundancy).push_back(r);
    }
    a.sigma0 = a.redundancy > 0 ? std::sqrt(pvv / a.redundancy) : 0.0;
}

void AssessPoints(NetworkAdjustment& a, const std::vector<int>& columns, const SelectedInverse* q) {
    for (size_t p = 0; p < columns.size(); ++p) {
        const int c = columns[p];
        a.precision.push_back(
            c < 0 || !q ? PointPrecision{}
                        : PointOf(q->At(c, c), q->At(c + 1, c + 1), q->At(c, c + 1), a.sigma0));
    }
}

ObservationTests Tests(const NetworkAdjustment& a) {
    std::vector<TestedObservation> observations;
    for (size_t i = 0; i < a.angleResiduals.size(); ++i)
        observations.push_back({ObservationKind::kAngle, static_cast<int>(i), a.angleResiduals[i],
                                a.angleCofactors[i], a.angleRedundancy[i]});
    for (size_t i = 0; i < a.distanceResiduals.size(); ++i)
        observations.push_back({ObservationKind::kSide, static_cast<int>(i), a.distanceResiduals[i],
                                a.distanceCofactors[i], a.distanceRedundancy[i]});
    return TestObservations(observations, a.redundancy, a.instrument.has_value());
}

bool Finite(const NetworkAdjustment& a) {
    const auto finite = [](double x) { return std::isfinite(x); };
    for (const PlanePoint& p : a.points)
        if (!finite(p.dX) || !finite(p.dY)) return false;
    for (const PointPrecision& p : a.precision)
        if (!finite(p.m) || !finite(p.ellipse.dA) || !finite(p.ellipse.dB)) return false;
    return finite(a.sigma0) &&
           std::all_of(a.angleResiduals.begin(), a.angleResiduals.end(), finite) &&
           std::all_of(a.distanceResiduals.begin(), a.distanceResiduals.end(), finite);
}
} // namespace

std::variant<NetworkAdjustment, Refusal> AdjustNetwork(const NetworkObservations& net,
                                                       const NetworkOptions& options) {
    if (std::optional<Refusal> r = CheckNetwork(net, options)) return *r;
    auto carried = ApproximateCoordinates(net);
    if (auto* r = std::get_if<Refusal>(&carried)) return *r;
    NetworkAdjustment a;
    a.approximate = std::get<std::vector<PlanePoint>>(std::move(carried));
    a.instrument = options.instrument;

    const PlanePoint origin = Origin(net);
    const std::vector<int> columns = CoordinateColumns(net);
    const int unknowns = Unknowns(columns);
    std::vector<PlanePoint> at = Moved(a.approximate, origin, -1.0);
    NormalEquations normals(unknowns);
    Rounds rounds;
    if (unknowns > 0) {
        auto iterated = Iterate(net, options, columns, normals, at);
        if (auto* r = std::get_if<Refusal>(&iterated)) return *r;
        rounds = std::get<Rounds>(iterated);
        a.rounds = rounds.count;
    }
    const std::vector<EquationRow> rows = PlaneEquations(net, at, columns, options.instrument);
    std::optional<SelectedInverse> q;
    if (unknowns > 0) {
        if (rounds.moved > kFreshFactor && !normals.Factor(rows))
            return Singular(net, columns, normals.SingularColumn());
        q = normals.Invert();
    }
    a.points = Moved(at, origin, 1.0);
    for (size_t p = 0; p < net.points.size(); ++p)
        if (net.points[p].known) a.points[p] = *net.points[p].known;
    a.redundancy = static_cast<int>(rows.size()) - unknowns;
    AssessObservations(a, rows, q ? &*q : nullptr, net.angles.size());
    AssessPoints(a, columns, q ? &*q : nullptr);
    if (!Finite(a)) return Refusal{str::kNonFiniteResult, {}};
    a.tests = Tests(a);
    a.heights = AdjustNetworkHeights(net);
    return a;
}

} // namespace traverse
