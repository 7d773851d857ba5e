#include "network/NormalEquations.h"

#include "network/NestedDissection.h"

#include <Eigen/SparseCore>

namespace traverse {

namespace {
using SparseMatrix = Eigen::SparseMatrix<double, Eigen::ColMajor, int>;

// A pivot this small against its diagonal entry of N: the columns are dependent.
constexpr double kLeastPivot = 1e-12;

void RightHandSide(std::span<const EquationRow> rows, int unknowns, std::vector<double>& rhs) {
    rhs.assign(static_cast<size_t>(unknowns), 0.0);
    for (const EquationRow& r : rows)
        for (int i = 0; i < r.count; ++i)
            rhs[static_cast<size_t>(r.column[i])] -= r.weight * r.coefficient[i] * r.misclosure;
}

// The lower triangle of N.
SparseMatrix Normals(std::span<const EquationRow> rows, int unknowns) {
    std::vector<Eigen::Triplet<double, int>> terms;
    terms.reserve(rows.size() * 21);
    for (const EquationRow& r : rows)
        for (int i = 0; i < r.count; ++i) {
            for (int j = 0; j < r.count; ++j)
                if (r.column[j] >= r.column[i])
                    terms.emplace_back(r.column[j], r.column[i],
                                       r.weight * r.coefficient[i] * r.coefficient[j]);
        }
    SparseMatrix n(unknowns, unknowns);
    n.setFromTriplets(terms.begin(), terms.end());
    return n;
}

std::span<const int> Starts(const SparseMatrix& m) {
    return {m.outerIndexPtr(), static_cast<size_t>(m.cols()) + 1};
}
std::span<const int> Rows(const SparseMatrix& m) {
    return {m.innerIndexPtr(), static_cast<size_t>(m.nonZeros())};
}

// The factor's structure for N's pattern, in nested-dissection order.
std::shared_ptr<const SupernodalStructure> Analyse(const SparseMatrix& lower) {
    SparseMatrix full = lower.selfadjointView<Eigen::Lower>();
    full.makeCompressed();
    const std::vector<int> order = NestedDissectionOrder({Starts(full), Rows(full)});
    return AnalyseSupernodes(Starts(lower), Rows(lower), order);
}
} // namespace

NormalEquations::NormalEquations(int unknowns) : m_unknowns(unknowns) {}

bool NormalEquations::Factor(std::span<const EquationRow> rows) {
    RightHandSide(rows, m_unknowns, m_rhs);
    const SparseMatrix n = Normals(rows, m_unknowns);
    if (!m_factor) m_factor = std::make_unique<SupernodalFactor>(Analyse(n));
    const bool factored =
        m_factor->Factor({n.valuePtr(), static_cast<size_t>(n.nonZeros())}, kLeastPivot);
    m_singular = factored ? -1 : std::max(m_factor->Failed(), 0);
    return factored;
}

void NormalEquations::SetMisclosures(std::span<const EquationRow> rows) {
    RightHandSide(rows, m_unknowns, m_rhs);
}

std::vector<double> NormalEquations::Solve() const { return m_factor->Solve(m_rhs); }

SelectedInverse NormalEquations::Invert() const { return SelectedInverse(*m_factor); }

} // namespace traverse
