// The normal equations N x = b of a least-squares adjustment by observation equations,
// N = Σ p a aᵀ and b = −Σ p a w over rows a with misclosure w and weight p, on a
// supernodal LDLᵀ factor (network/SupernodalFactor.h) in a nested-dissection order
// (network/NestedDissection.h). The pattern is analysed once, on the first rows given;
// later rows must touch the same columns. From the factor, selected inversion
// (network/SelectedInverse.h) gives the entries of Qxx = N⁻¹ that the rows touch.
#pragma once

#include "network/ObservationEquations.h"
#include "network/SelectedInverse.h"
#include "network/SupernodalFactor.h"

#include <memory>
#include <span>
#include <vector>

namespace traverse {

class NormalEquations {
public:
    explicit NormalEquations(int unknowns);
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

    // Qxx on the factor's pattern, from the last factor.
    SelectedInverse Invert() const;

private:
    std::unique_ptr<SupernodalFactor> m_factor;
    int m_unknowns = 0;
    int m_singular = -1;
    std::vector<double> m_rhs;
};

} // namespace traverse
