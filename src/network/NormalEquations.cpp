#include "network/NormalEquations.h"

#include "network/NestedDissection.h"
#include "network/SimplicialFactor.h"
#include "network/SupernodalFactor.h"

#include <Eigen/SparseCore>

#include <algorithm>

namespace traverse {

namespace {
using SparseMatrix = LowerMatrix;

// A pivot this small against its diagonal entry of N: the columns are dependent.
constexpr double kLeastPivot = 1e-12;

void RightHandSide(std::span<const EquationRow> rows, int unknowns, std::vector<double>& rhs) {
    rhs.assign(static_cast<size_t>(unknowns), 0.0);
    for (const EquationRow& r : rows)
        for (int i = 0; i < r.count; ++i)
            rhs[static_cast<size_t>(r.column[i])] -= r.weight * r.coefficient[i] * r.misclosure;
}

// The pattern of N's lower triangle, by column, rows ascending.
SparseMatrix Pattern(std::span<const EquationRow> rows, int unknowns) {
    std::vector<Eigen::Triplet<double, int>> terms;
    terms.reserve(rows.size() * 21);
    for (const EquationRow& r : rows)
        for (int i = 0; i < r.count; ++i)
            for (int j = 0; j < r.count; ++j)
                if (r.column[j] >= r.column[i]) terms.emplace_back(r.column[j], r.column[i], 0.0);
    SparseMatrix n(unknowns, unknowns);
    n.setFromTriplets(terms.begin(), terms.end());
    n.makeCompressed();
    return n;
}

// N's values on its pattern, each entry summed in the order of the rows.
void Accumulate(std::span<const EquationRow> rows, SparseMatrix& n) {
    std::fill_n(n.valuePtr(), n.nonZeros(), 0.0);
    const int* start = n.outerIndexPtr();
    const int* inner = n.innerIndexPtr();
    double* values = n.valuePtr();
    for (const EquationRow& r : rows)
        for (int i = 0; i < r.count; ++i) {
            const int c = r.column[i];
            const int *begin = inner + start[c], *end = inner + start[c + 1];
            const double pa = r.weight * r.coefficient[i];
            for (int j = 0; j < r.count; ++j) {
                const int* at = std::lower_bound(begin, end, r.column[j]);
                if (r.column[j] >= c && at != end && *at == r.column[j])
                    values[at - inner] += pa * r.coefficient[j];
            }
        }
}

std::span<const int> Starts(const SparseMatrix& m) {
    return {m.outerIndexPtr(), static_cast<size_t>(m.cols()) + 1};
}
std::span<const int> Rows(const SparseMatrix& m) {
    return {m.innerIndexPtr(), static_cast<size_t>(m.nonZeros())};
}

// Where the columns of the factor in minimum-degree order hold this many entries or more
// (root mean square), the network is dense enough for nested dissection and dense
// blocks; traverses and networks of them stay far below.
constexpr double kBlockColumn = 40.0;

// Minimum degree for a sparse factor, column by column; else nested dissection and
// blocks.
void Choose(const SparseMatrix& lower, Factorisation how,
            std::unique_ptr<SimplicialFactor>& simplicial,
            std::unique_ptr<SupernodalFactor>& supernodal) {
    if (how != Factorisation::kBlocks) {
        simplicial = std::make_unique<SimplicialFactor>(lower);
        const double dense = kBlockColumn * kBlockColumn * static_cast<double>(lower.cols());
        if (how == Factorisation::kColumns || simplicial->Work() < dense) return;
        simplicial.reset();
    }
    SparseMatrix full;
    full = lower.selfadjointView<Eigen::Lower>();
    full.makeCompressed();
    const std::vector<int> order = NestedDissectionOrder({Starts(full), Rows(full)});
    supernodal =
        std::make_unique<SupernodalFactor>(AnalyseSupernodes(Starts(lower), Rows(lower), order));
}
} // namespace

struct NormalEquations::Matrix {
    SparseMatrix n;
};

NormalEquations::NormalEquations(int unknowns, Factorisation how)
    : m_unknowns(unknowns), m_how(how) {}

NormalEquations::~NormalEquations() = default;

bool NormalEquations::Factor(std::span<const EquationRow> rows) {
    RightHandSide(rows, m_unknowns, m_rhs);
    if (!m_normals) m_normals = std::make_unique<Matrix>(Matrix{Pattern(rows, m_unknowns)});
    SparseMatrix& n = m_normals->n;
    Accumulate(rows, n);
    if (!m_simplicial && !m_supernodal) Choose(n, m_how, m_simplicial, m_supernodal);
    const bool factored =
        m_simplicial
            ? m_simplicial->Factor(n, kLeastPivot)
            : m_supernodal->Factor({n.valuePtr(), static_cast<size_t>(n.nonZeros())}, kLeastPivot);
    const int failed = m_simplicial ? m_simplicial->Failed() : m_supernodal->Failed();
    m_singular = factored ? -1 : std::max(failed, 0);
    return factored;
}

void NormalEquations::SetMisclosures(std::span<const EquationRow> rows) {
    RightHandSide(rows, m_unknowns, m_rhs);
}

std::vector<double> NormalEquations::Solve() const {
    return m_simplicial ? m_simplicial->Solve(m_rhs) : m_supernodal->Solve(m_rhs);
}

SelectedInverse NormalEquations::Invert() const {
    return m_simplicial ? m_simplicial->Invert() : SelectedInverse(*m_supernodal);
}

} // namespace traverse
