// The normal equations N x = b of a least-squares adjustment by observation equations,
// N = Σ p a aᵀ and b = −Σ p a w over rows a with misclosure w and weight p, on a sparse
// LDLᵀ factor. The pattern is analysed once, on the first rows given (later rows must
// touch the same columns): where the factor in minimum-degree order stays sparse
// (traverses and networks of them), Eigen's factor column by column
// (network/SimplicialFactor.h); where it fills in (every point a junction), nested
// dissection (network/NestedDissection.h) and dense blocks (network/SupernodalFactor.h).
// From the factor, selected inversion (network/SelectedInverse.h) gives the entries of
// Qxx = N⁻¹ that the rows touch, without the whole inverse.
#pragma once

#include "network/ObservationEquations.h"
#include "network/SelectedInverse.h"

#include <memory>
#include <span>
#include <vector>

namespace traverse {

class SimplicialFactor;
class SupernodalFactor;

// Which factor: as the pattern suggests, or one of the two (the tests compare them).
enum class Factorisation { kChosen, kColumns, kBlocks };

class NormalEquations {
public:
    explicit NormalEquations(int unknowns, Factorisation how = Factorisation::kChosen);
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

    // Qxx on the factor's pattern, from the last factor.
    SelectedInverse Invert() const;

private:
    struct Matrix; // N's lower triangle
    std::unique_ptr<Matrix> m_normals;
    std::unique_ptr<SimplicialFactor> m_simplicial; // one of the two
    std::unique_ptr<SupernodalFactor> m_supernodal;
    int m_unknowns = 0;
    Factorisation m_how;
    int m_singular = -1;
    std::vector<double> m_rhs;
};

} // namespace traverse
