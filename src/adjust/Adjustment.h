// Small pieces of the condition adjustment and the precision assessment: the inverses
// of the normal matrices, the carry of a correction into an azimuth, the error ellipse
// of a point and the check that a result can be shown.
#pragma once

#include "model/Records.h"

// Millimetres of coordinate change per arc second of turn and metre of lever arm.
constexpr double kArcSecondLever = 0.004848132257047973;
// Cofactor of an angle (arc seconds) and of a side per metre of its length (mm).
constexpr double kAngleCofactor = 2.0;
constexpr double kSideCofactorPerMetre = 0.01;

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

class CTraverseAdjustDlg;

// Whether every value the report prints (coordinates, sides, point errors, ellipses)
// and the unit-weight error are finite numbers.
bool ReportValuesFinite(const CTraverseAdjustDlg& w);
