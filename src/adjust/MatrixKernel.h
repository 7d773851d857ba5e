// Dense matrix routines of the adjustment: row-major arrays of doubles, element (i, j)
// of an r x c matrix at i * c + j. Diagnostics go to standard output.
#pragma once

namespace traverse {

// Solves a x = b for an n x n matrix by Gaussian elimination with complete pivoting.
// Destroys a; replaces b by x. Returns 1, or 0 after printing "fail\n" when a pivot p
// has |p| + 1.0 == 1.0 (absolute threshold).
int SolveLinearSystem(double* a, double* b, int n);

// C = A (m x n) times B (p x q); allocates C (m x q, zeroed) with malloc into *C; the
// caller frees it. When n != p prints string 15 and returns a zero m x q result.
// Returns 1.0.
double MultiplyMatrices(const double* A, int m, int n, const double* B, int p, int q, double** C);

} // namespace traverse
