// The least-squares adjustment of a traverse by condition equations, as a value: the
// residuals and the system of the last round (which the precision assessment needs),
// and the adjusted azimuths, sides and points. Columns: the angle-type observations
// (seconds; a free orientation is column 0), then the sides (mm); rows: the azimuth
// closure where there is one (seconds), then the x and y closures (mm).
#pragma once

#include "model/Refusal.h"
#include "model/Traverse.h"
#include "reduce/Reduction.h"

#include <optional>
#include <variant>
#include <vector>

namespace traverse {

// Millimetres of coordinate change per arc second of turn and metre of lever arm.
constexpr double kArcSecondLever = 0.004848132257047973;
// Cofactor of an angle (arc seconds) and of a side per metre of its length (mm).
constexpr double kAngleCofactor = 2.0;
constexpr double kSideCofactorPerMetre = 0.01;

// An instrument's a priori precision: an angle's standard error σβ and a side's
// a + b·D (D in km). Given, the weights are p = 1/σ² and σ0 a priori is 1 (no unit);
// without it the cofactors above stand and σ0 is in seconds.
struct InstrumentPrecision {
    double angleSeconds = 0.0; // σβ, ″
    double distanceMm = 0.0;   // a, mm
    double distancePpm = 0.0;  // b, mm per km
};

// Refused (kBadInstrumentPrecision) unless σβ > 0, a, b >= 0, a + b > 0, all finite.
std::optional<Refusal> CheckInstrumentPrecision(const std::optional<InstrumentPrecision>& instrument);

// The cofactors of an angle (″²) and of a side of the given length (mm²).
double AngleCofactor(const std::optional<InstrumentPrecision>& instrument);
double SideCofactor(const std::optional<InstrumentPrecision>& instrument, double metres);

// Inverse of a symmetric 3 x 3 block through its adjugate; in is read only, out must
// be a distinct block. No test for a zero determinant. Returns 1.
int InvertSymmetric3x3(const double in[9], double out[9]);

// Inverse of a 2 x 2 block through its adjugate; in is read only. Returns 1.
int Invert2x2(const double in[4], double out[4]);

// The azimuth turned by a correction in seconds: seconds reaching 60 carry into the
// minutes (fraction kept), minutes reaching 60 into the degrees. Negative seconds
// stay negative (no borrow) and the degrees are not folded into 0..360.
AngleDMS AddSecondsWithCarry(const AngleDMS& azimuth, double seconds);

struct ErrorEllipse {
    double dA;  // semi-major axis, mm
    double dB;  // semi-minor axis, mm
    AngleDMS F; // azimuth of the semi-major axis
};

// Ellipse of a point from the cofactors of its coordinates and the unit-weight error.
// F is in [0, 90] or (270, 360) degrees; a circle (Qxy = 0, Qxx = Qyy) gets F = 0.
ErrorEllipse ComputeErrorEllipse(double qxx, double qyy, double qxy, double sigma0);

struct Adjustment {
    int angleColumns = 0;                // n
    int sideCount = 0;                   // corrected sides, from record 0 on
    int conditions = 0;                  // r
    int parameters = 0;                  // 1 with a free orientation; the redundancy is r - this
    int rounds = 0;                      // linearisations it took
    std::vector<double> residuals;       // v, u = n + sides entries
    std::vector<double> cofactors;       // the diagonal of Q; 0 for the free orientation
    std::vector<double> conditionMatrix; // A, r x u row-major
    // The x and y coefficients of every point's angle columns (lever arms, mm per
    // second) and of every side (cosine, sine of its azimuth).
    std::vector<double> coefXAngle, coefYAngle, coefXSide, coefYSide;
    // N = A Q A^T (r x r, row-major), or with a free orientation the bordered
    // [N b; b^T 0] (3 x 3), b the orientation's column.
    double normalMatrix[9] = {};
    std::vector<double> azimuthCorrections; // seconds, carried from the first angle on
    std::vector<AngleDMS> azimuths;         // adjusted
    std::vector<double> sides;              // adjusted, m
    std::vector<PlanePoint> points;         // adjusted; the last is the known end point
};

// The iterated adjustment of a traverse type from its reduction: every round
// linearises the conditions at the traverse the round before adjusted, until no
// residual changes by 1e-6″ or 1e-6 mm. Refused: singular equations (kBadObservations),
// no settling in 10 rounds (kNoConvergence), corrections past the gross-error bounds
// (kGrossError, with the closures). Weighted by the instrument's precision when given.
std::variant<Adjustment, Refusal>
Adjust(int traverseType, Observed observations, const KnownPlanePoints& known,
       const Reduction& reduction, const std::optional<InstrumentPrecision>& instrument = {});

} // namespace traverse
