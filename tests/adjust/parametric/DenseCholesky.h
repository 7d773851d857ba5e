// A small dense solver for symmetric positive definite systems (row-major n x n).
#pragma once

#include <vector>

namespace parametric {

// Overwrites the lower triangle of a with L, a = L L^T. False when a pivot is not
// clearly positive (the matrix is singular or indefinite).
bool CholeskyFactor(std::vector<double>& a, int n);

// Solves L L^T x = b in place, L from CholeskyFactor.
void CholeskySolve(const std::vector<double>& l, int n, double* b);

// The inverse of the matrix whose factor is l, full n x n.
std::vector<double> CholeskyInverse(const std::vector<double>& l, int n);

} // namespace parametric
