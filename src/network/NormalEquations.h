// The normal equations N x = b of a least-squares adjustment by observation equations,
// N = Σ p a aᵀ and b = −Σ p a w over rows a with misclosure w and weight p, on a
// sparse LDLᵀ factor with a fill-reducing (approximate minimum degree) ordering. The pattern is
// analysed once, on the first rows given; later rows must touch the same columns.
// From the factor, selected inversion gives the entries of Qxx = N⁻¹ on the factor's
// pattern (every pair of columns one row touches lies on it) without the whole inverse.
#pragma once

#include "network/ObservationEquations.h"

#include <memory>
#include <span>
#include <vector>

namespace traverse {

// Entries of N⁻¹ on the pattern of the factor, by the columns of N.
class SelectedInverse {
public:
    // The strictly lower factor L, by column.
    struct Pattern {
        const int* start;
        const int* rows;
        const double* values;
    };

    // NaN for a pair off the pattern.
    double At(int column1, int column2) const;

private:
    friend class NormalEquations;
    std::vector<int> m_position;      // column of N -> column of the factor
    std::vector<int> m_start, m_rows; // the factor's strictly lower pattern, by column
    std::vector<double> m_values, m_diagonal;
};

class NormalEquations {
public:
    explicit NormalEquations(int unknowns);
    ~NormalEquations();
    NormalEquations(const NormalEquations&) = delete;
    NormalEquations& operator=(const NormalEquations&) = delete;

    // Forms and factors. False when a pivot vanishes against its diagonal entry
    // (SingularColumn says where).
    bool Factor(std::span<const EquationRow> rows);
    int SingularColumn() const { return m_singular; }

    // b alone, the factor kept (rows of the same pattern).
    void SetMisclosures(std::span<const EquationRow> rows);

    // x, from the last factor.
    std::vector<double> Solve() const;

    // Takahashi's recurrence Z = D⁻¹L⁻¹ + (I − Lᵀ) Z from the last column up, on the
    // factor's pattern only.
    SelectedInverse Invert() const;

private:
    struct Factorisation;
    std::unique_ptr<Factorisation> m_f;
    int m_unknowns = 0;
    int m_singular = -1;
    std::vector<double> m_rhs;
};

} // namespace traverse
