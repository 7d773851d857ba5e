#include "adjust/MatrixKernel.h"

#include "platform/Diagnostic.h"
#include "resources/StringTable.h"

#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <new>
#include <utility>
#include <vector>

namespace traverse {

namespace {
bool NegligiblePivot(double d) { return d + 1.0 == 1.0; }

void Fail() { WriteDiagnostic("fail\n"); }

// Largest remaining element of the block k.., first met in a row-by-row scan.
double FindPivot(const double* a, int n, int k, int& row, int& col) {
    double d = 0.0;
    for (int i = k; i < n; ++i)
        for (int j = k; j < n; ++j)
            if (std::fabs(a[i * n + j]) > d) {
                d = std::fabs(a[i * n + j]);
                row = i;
                col = j;
            }
    return d;
}

void EliminateStep(double* a, double* b, int n, int k) {
    double p = a[k * n + k];
    for (int j = k + 1; j < n; ++j)
        a[k * n + j] /= p;
    b[k] /= p;
    for (int i = k + 1; i < n; ++i) {
        for (int j = k + 1; j < n; ++j)
            a[i * n + j] -= a[k * n + j] * a[i * n + k];
        b[i] -= b[k] * a[i * n + k];
    }
}
} // namespace

int SolveLinearSystem(double* a, double* b, int n) {
    if (n < 1) return 0;
    std::vector<int> js(static_cast<size_t>(n), 0);
    for (int k = 0; k < n - 1; ++k) {
        int is = k;
        js[k] = k;
        double d = FindPivot(a, n, k, is, js[k]);
        if (NegligiblePivot(d)) {
            Fail();
            return 0;
        }
        if (js[k] != k)
            for (int i = 0; i < n; ++i)
                std::swap(a[i * n + k], a[i * n + js[k]]);
        if (is != k) {
            for (int j = k; j < n; ++j)
                std::swap(a[k * n + j], a[is * n + j]);
            std::swap(b[k], b[is]);
        }
        EliminateStep(a, b, n, k);
    }
    double p = a[(n - 1) * n + (n - 1)];
    if (NegligiblePivot(std::fabs(p))) {
        Fail();
        return 0;
    }
    b[n - 1] /= p;
    for (int i = n - 2; i >= 0; --i) {
        double t = 0.0;
        for (int j = i + 1; j < n; ++j)
            t += a[i * n + j] * b[j];
        b[i] -= t;
    }
    js[n - 1] = n - 1;
    for (int k = n - 1; k >= 0; --k)
        if (js[k] != k) std::swap(b[k], b[js[k]]);
    return 1;
}

double MultiplyMatrices(const double* A, int m, int n, const double* B, int p, int q, double** C) {
    bool mismatch = n != p;
    if (mismatch) {
        WriteDiagnostic(std::string(LoadString(str::kCannotMultiply)).c_str());
    }
    size_t count = static_cast<size_t>(m > 0 ? m : 0) * static_cast<size_t>(q > 0 ? q : 0);
    double* c = static_cast<double*>(std::malloc(count ? count * sizeof(double) : 1));
    if (c == nullptr) throw std::bad_alloc();
    *C = c;
    for (size_t i = 0; i < count; ++i)
        c[i] = 0.0;
    if (mismatch) return 1.0;
    for (int i = 0; i < m; ++i)
        for (int k = 0; k < q; ++k)
            for (int j = 0; j < n; ++j)
                c[i * q + k] = c[i * q + k] + A[i * n + j] * B[j * q + k];
    return 1.0;
}

} // namespace traverse
