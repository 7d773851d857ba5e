#include "assess/Distributions.h"

#include <cmath>

namespace traverse {

namespace {
constexpr int kMostTerms = 500;
constexpr double kTiny = 1e-300, kPrecision = 1e-15;

// The power series of P(a, x), for x < a + 1.
double GammaSeries(double a, double x) {
    double term = 1.0 / a, sum = term;
    for (int n = 1; n < kMostTerms && std::fabs(term) > std::fabs(sum) * kPrecision; ++n)
        sum += (term *= x / (a + n));
    return sum * std::exp(-x + a * std::log(x) - std::lgamma(a));
}

// The continued fraction of Q(a, x) = 1 − P(a, x), for x >= a + 1 (modified Lentz).
double GammaFraction(double a, double x) {
    double b = x + 1.0 - a, c = 1.0 / kTiny, d = 1.0 / b, h = d;
    for (int i = 1; i < kMostTerms; ++i) {
        const double an = -i * (i - a);
        b += 2.0;
        d = an * d + b;
        d = std::fabs(d) < kTiny ? 1.0 / kTiny : 1.0 / d;
        c = b + an / c;
        if (std::fabs(c) < kTiny) c = kTiny;
        const double step = d * c;
        h *= step;
        if (std::fabs(step - 1.0) < kPrecision) break;
    }
    return std::exp(-x + a * std::log(x) - std::lgamma(a)) * h;
}
} // namespace

double RegularizedGammaP(double a, double x) {
    if (x <= 0.0) return 0.0;
    return x < a + 1.0 ? GammaSeries(a, x) : 1.0 - GammaFraction(a, x);
}

// Bisection on P(dof/2, q/2) = p, from 0 and an upper bound doubled until it holds p.
double ChiSquareQuantile(double p, int dof) {
    const double k = dof;
    double low = 0.0, high = k + 10.0 * std::sqrt(2.0 * k) + 50.0;
    while (RegularizedGammaP(k / 2.0, high / 2.0) < p)
        high *= 2.0;
    for (int i = 0; i < 200 && high - low > 1e-12 * high; ++i) {
        const double mid = 0.5 * (low + high);
        (RegularizedGammaP(k / 2.0, mid / 2.0) < p ? low : high) = mid;
    }
    return 0.5 * (low + high);
}

double ConfidenceEllipseScale(int redundancy) {
    if (redundancy <= 0) return std::sqrt(-2.0 * std::log(0.05));
    const double r = redundancy;
    return std::sqrt(r * (std::pow(0.05, -2.0 / r) - 1.0));
}

} // namespace traverse
