// Least-squares adjustment by observation equations (Gauss-Markov model) of a small
// plane network: unknowns the coordinates of the free points, observations angles,
// azimuths and horizontal distances, iterated (Gauss-Newton) to convergence.
// Units: coordinates in metres (X north, Y east); residuals in arc seconds and
// millimetres; cofactors of the observations in arcsec^2 and mm^2; coordinate
// cofactors in mm^2.
#pragma once

#include <vector>

namespace parametric {

struct Point {
    double x; // north, m
    double y; // east, m
};

enum class ObsKind {
    Angle,   // at station `at`, turned from backsight `back` to foresight `to`
    Side,    // horizontal distance from `at` to `to`
    Azimuth, // direction from `at` to `to`, measured from +X towards +Y
};

struct Observation {
    ObsKind kind;
    int at;
    int back; // angles only
    int to;
    double value;    // radians (angles, azimuths) or metres (sides)
    double cofactor; // arcsec^2 (angles, azimuths) or mm^2 (sides)
};

struct Network {
    std::vector<Point> points; // known coordinates, or approximations of the free points
    std::vector<bool> fixed;
    std::vector<Observation> observations;
};

struct PointPrecision {
    double qxx = 0, qyy = 0, qxy = 0; // mm^2
    double mx = 0, my = 0, m = 0;     // mm
    double a = 0, b = 0;              // semi-axes, mm
    double phiDeg = 0;                // semi-major axis from +X towards +Y, [0, 180)
};

struct Solution {
    bool ok = false; // false: singular normal equations or no convergence
    int iterations = 0;
    std::vector<Point> points;
    std::vector<double> residuals; // computed - observed, arcsec or mm
    std::vector<double> redundancyNumbers; // (Qvv P)_ii = 1 - p_i a_i' Qxx a_i
    double vtpv = 0;
    int redundancy = 0;
    double sigma0 = 0;
    std::vector<PointPrecision> precision; // per point; zero for fixed points
};

Solution AdjustNetwork(const Network& network);

// Error figure of a 2 x 2 coordinate cofactor block scaled by sigma0.
PointPrecision ErrorFigure(double qxx, double qyy, double qxy, double sigma0);

// Azimuth of p -> q in [0, 2pi).
double Azimuth(Point p, Point q);

} // namespace parametric
