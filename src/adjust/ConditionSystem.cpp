// The condition matrix of a traverse: a turn of one second at point j moves the last
// point by the lever arm from j to it (kArcSecondLever mm per metre); a side's
// correction moves it along the side's azimuth. Q is diagonal: 2.0 for an angle,
// 0.01 S for a side of S metres (or an instrument's σβ² and (a + b·S)²), 0 for the
// free orientation (not an observation).
#include "adjust/ConditionSystem.h"

#include "adjust/Adjustment.h"
#include "adjust/MatrixKernel.h"
#include "model/AngleConversions.h"
#include "model/NumberText.h"
#include "resources/StringTable.h"

#include <algorithm>
#include <cmath>

namespace traverse {

namespace {
void SizeSystem(Adjustment& a, int u, int r, bool freeOrientation) {
    a.conditions = r;
    a.parameters = freeOrientation ? 1 : 0;
    a.cofactors.assign(static_cast<size_t>(u), 0.0);
    a.conditionMatrix.assign(static_cast<size_t>(r) * u, 0.0);
    a.residuals.assign(static_cast<size_t>(u), 0.0);
    for (std::vector<double>* list : {&a.coefXAngle, &a.coefYAngle, &a.coefXSide, &a.coefYSide})
        list->clear();
}

int Columns(const Adjustment& a) { return static_cast<int>(a.residuals.size()); }

// N = A Q A^T (r x r, Q diagonal).
void FormNormalMatrix(const Adjustment& a, double* N) {
    const int r = a.conditions, u = Columns(a);
    const double* m = a.conditionMatrix.data();
    for (int i = 0; i < r; ++i)
        for (int c = 0; c < r; ++c) {
            double sum = 0.0;
            for (int k = 0; k < u; ++k)
                sum += m[i * u + k] * a.cofactors[static_cast<size_t>(k)] * m[c * u + k];
            N[i * r + c] = sum;
        }
}

// Correlates K from N K = -w; with a free orientation the bordered system
// [N b; b^T 0] [K; delta] = [-w; 0], b the orientation's column. delta is 0 without.
bool SolveCorrelates(Adjustment& a, const double* misclosure, double* K, double& delta) {
    const int r = a.conditions, u = Columns(a);
    delta = 0.0;
    if (a.parameters == 0) {
        FormNormalMatrix(a, a.normalMatrix);
        double copy[9];
        for (int i = 0; i < r * r; ++i)
            copy[i] = a.normalMatrix[i];
        for (int c = 0; c < r; ++c)
            K[c] = -misclosure[c];
        return SolveLinearSystem(copy, K, r) == 1;
    }
    double N[4];
    FormNormalMatrix(a, N);
    const double b0 = a.conditionMatrix[0], b1 = a.conditionMatrix[static_cast<size_t>(u)];
    const double bordered[9] = {N[0], N[1], b0, N[2], N[3], b1, b0, b1, 0.0};
    double copy[9], x[3] = {-misclosure[0], -misclosure[1], 0.0};
    for (int i = 0; i < 9; ++i)
        a.normalMatrix[i] = copy[i] = bordered[i];
    if (SolveLinearSystem(copy, x, 3) != 1) return false;
    K[0] = x[0];
    K[1] = x[1];
    delta = x[2];
    return true;
}
} // namespace

TraverseShape CarriedShape(const Reduction& red, const ConditionLayout& l) {
    TraverseShape s;
    s.points.reserve(static_cast<size_t>(std::max(l.points, 0)));
    s.sideAzimuths.reserve(static_cast<size_t>(std::max(l.sides, 0)));
    for (int j = 0; j < l.points; ++j)
        s.points.push_back(red.points[static_cast<size_t>(j)]);
    for (int j = 0; j < l.sides; ++j)
        s.sideAzimuths.push_back(
            DmsToRadians(red.azimuths[static_cast<size_t>(j + l.azimuthOffset)]));
    return s;
}

TraverseShape AdjustedShape(const Adjustment& a, const ConditionLayout& l) {
    TraverseShape s;
    s.points.reserve(static_cast<size_t>(std::max(l.points, 0)));
    s.sideAzimuths.reserve(static_cast<size_t>(std::max(l.sides, 0)));
    for (int j = 0; j < l.points; ++j)
        s.points.push_back(a.points[static_cast<size_t>(j)]);
    for (int j = 0; j < l.sides; ++j)
        s.sideAzimuths.push_back(DmsToRadians(a.azimuths[static_cast<size_t>(j)]));
    return s;
}

std::optional<Refusal> CheckInstrumentPrecision(const std::optional<InstrumentPrecision>& instrument) {
    if (!instrument) return std::nullopt;
    const InstrumentPrecision& p = *instrument;
    const bool sound = std::isfinite(p.angleSeconds) && std::isfinite(p.distanceMm) &&
                       std::isfinite(p.distancePpm) && p.angleSeconds > 0.0 &&
                       p.distanceMm >= 0.0 && p.distancePpm >= 0.0 &&
                       p.distanceMm + p.distancePpm > 0.0;
    if (sound) return std::nullopt;
    return Refusal{str::kBadInstrumentPrecision,
                   {FormatShortest(p.angleSeconds), FormatShortest(p.distanceMm),
                    FormatShortest(p.distancePpm)}};
}

double AngleCofactor(const std::optional<InstrumentPrecision>& instrument) {
    return instrument ? instrument->angleSeconds * instrument->angleSeconds : kAngleCofactor;
}

double SideCofactor(const std::optional<InstrumentPrecision>& instrument, double metres) {
    if (!instrument) return metres * kSideCofactorPerMetre;
    const double sigma = instrument->distanceMm + instrument->distancePpm * metres / 1000.0;
    return sigma * sigma;
}

void SetUpConditions(Adjustment& a, const ConditionLayout& l, int n, Observed obs,
                     const TraverseShape& at, const std::optional<InstrumentPrecision>& instrument) {
    const int r = l.azimuthRow ? 3 : 2;
    const int u = n + l.sides;
    SizeSystem(a, u, r, l.freeOrientation);
    a.angleColumns = n;
    a.sideCount = l.sides;
    auto A = [&](int row, int col) -> double& {
        return a.conditionMatrix[static_cast<size_t>(row) * u + col];
    };
    for (int j = 0; j < n; ++j)
        a.cofactors[static_cast<size_t>(j)] = AngleCofactor(instrument);
    if (l.freeOrientation) a.cofactors[0] = 0.0;
    for (int j = 0; j < l.sides; ++j)
        a.cofactors[static_cast<size_t>(n + j)] =
            SideCofactor(instrument, obs[static_cast<size_t>(j)].dDistance);

    if (l.azimuthRow) {
        for (int j = 0; j < n; ++j)
            A(0, j) = 1.0;
        A(0, 0) = l.firstAngleAzimuthCoef;
    }
    const int xr = r - 2, yr = r - 1;
    const PlanePoint last = at.points.back();
    for (int j = 0; j < l.points; ++j) {
        const PlanePoint& p = at.points[static_cast<size_t>(j)];
        const double ax = (last.dY - p.dY) * -kArcSecondLever;
        const double ay = (last.dX - p.dX) * kArcSecondLever;
        a.coefXAngle.push_back(ax);
        a.coefYAngle.push_back(ay);
        if (j < n) {
            A(xr, j) = ax;
            A(yr, j) = ay;
        }
    }
    for (int j = 0; j < l.sides; ++j) {
        const double alpha = at.sideAzimuths[static_cast<size_t>(j)];
        const double c = std::cos(alpha), s = std::sin(alpha);
        a.coefXSide.push_back(c);
        a.coefYSide.push_back(s);
        A(xr, n + j) = c;
        A(yr, n + j) = s;
    }
}

bool SolveForResiduals(Adjustment& a, const ConditionLayout& l, const double* misclosure) {
    double K[3] = {}, delta = 0.0;
    if (!SolveCorrelates(a, misclosure, K, delta)) return false;
    const int r = a.conditions, u = Columns(a);
    for (int i = 0; i < u; ++i) {
        double sum = 0.0;
        for (int c = 0; c < r; ++c)
            sum += a.conditionMatrix[static_cast<size_t>(c) * u + i] * K[c];
        a.residuals[static_cast<size_t>(i)] = a.cofactors[static_cast<size_t>(i)] * sum;
    }
    if (l.freeOrientation) a.residuals[0] = delta;
    return true;
}

} // namespace traverse
