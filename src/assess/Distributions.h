// The few distribution quantiles the tests of an adjustment need: χ² with any number of
// degrees of freedom (the global test's bounds), and the scale of a point's 95 %
// confidence ellipse from its standard (1σ) one.
#pragma once

namespace traverse {

// P(a, x), the regularised lower incomplete gamma function, for a > 0 and x >= 0.
double RegularizedGammaP(double a, double x);

// The p-quantile of χ² with dof degrees of freedom: P(χ² <= q) = p, 0 < p < 1, dof >= 1.
double ChiSquareQuantile(double p, int dof);

// The factor that turns a standard error ellipse into its 95 % confidence region:
// √(2·F(2, r, 0.95)) = √(r·(0.05^(−2/r) − 1)) when σ0 is the a posteriori one on r
// degrees of freedom; √χ²(2, 0.95) = 2.448 when it is known a priori (r = 0).
double ConfidenceEllipseScale(int redundancy);

} // namespace traverse
