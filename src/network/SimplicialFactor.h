// The LDLᵀ factor of a sparse symmetric positive definite matrix A column by column
// (Eigen's simplicial factor) in a given order of elimination, and the selected inverse
// from it by Takahashi's recurrence column by column. For networks whose factor is
// small (traverses and networks of them), where the dense blocks of
// network/SupernodalFactor.h would not pay.
#pragma once

#include "network/SelectedInverse.h"

#include <Eigen/SparseCore>

#include <memory>
#include <span>
#include <vector>

namespace traverse {

// A's lower triangle by column.
using LowerMatrix = Eigen::SparseMatrix<double, Eigen::ColMajor, int>;

class SimplicialFactor {
public:
    // Orders A's columns by approximate minimum degree and analyses the factor's pattern,
    // which every later A keeps.
    explicit SimplicialFactor(const LowerMatrix& a);
    ~SimplicialFactor();
    SimplicialFactor(const SimplicialFactor&) = delete;
    SimplicialFactor& operator=(const SimplicialFactor&) = delete;

    // Σ c² over the columns of L, c a column's entries: the work of a factor.
    double Work() const;

    // False where a pivot is not above least times its diagonal entry; Failed() is then
    // the first such column of A.
    bool Factor(const LowerMatrix& a, double least);
    int Failed() const { return m_failed; }

    // A x = b, in A's columns.
    std::vector<double> Solve(std::span<const double> b) const;

    SelectedInverse Invert() const;

private:
    struct Solver;
    std::unique_ptr<Solver> m_solver;
    int m_failed = -1;
};

} // namespace traverse
