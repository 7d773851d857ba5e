#include "adjust/parametric/DenseCholesky.h"

#include <cmath>

namespace parametric {

bool CholeskyFactor(std::vector<double>& a, int n) {
    const auto at = [&](int r, int c) -> double& {
        return a[static_cast<size_t>(r) * static_cast<size_t>(n) + static_cast<size_t>(c)];
    };
    double largest = 0.0;
    for (int i = 0; i < n; ++i)
        largest = std::fmax(largest, std::fabs(at(i, i)));
    const double floor = largest * 1e-14;
    for (int j = 0; j < n; ++j) {
        double d = at(j, j);
        for (int k = 0; k < j; ++k)
            d -= at(j, k) * at(j, k);
        if (!(d > floor)) return false;
        const double ljj = std::sqrt(d);
        at(j, j) = ljj;
        for (int i = j + 1; i < n; ++i) {
            double s = at(i, j);
            for (int k = 0; k < j; ++k)
                s -= at(i, k) * at(j, k);
            at(i, j) = s / ljj;
        }
    }
    return true;
}

void CholeskySolve(const std::vector<double>& l, int n, double* b) {
    const auto at = [&](int r, int c) {
        return l[static_cast<size_t>(r) * static_cast<size_t>(n) + static_cast<size_t>(c)];
    };
    for (int i = 0; i < n; ++i) {
        double s = b[i];
        for (int k = 0; k < i; ++k)
            s -= at(i, k) * b[k];
        b[i] = s / at(i, i);
    }
    for (int i = n - 1; i >= 0; --i) {
        double s = b[i];
        for (int k = i + 1; k < n; ++k)
            s -= at(k, i) * b[k];
        b[i] = s / at(i, i);
    }
}

std::vector<double> CholeskyInverse(const std::vector<double>& l, int n) {
    const size_t un = static_cast<size_t>(n);
    std::vector<double> inv(un * un, 0.0);
    std::vector<double> column(un);
    for (size_t c = 0; c < un; ++c) {
        for (size_t r = 0; r < un; ++r)
            column[r] = r == c ? 1.0 : 0.0;
        CholeskySolve(l, n, column.data());
        for (size_t r = 0; r < un; ++r)
            inv[r * un + c] = column[r];
    }
    return inv;
}

} // namespace parametric
