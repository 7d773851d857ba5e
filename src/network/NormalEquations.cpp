#include "network/NormalEquations.h"

#include <Eigen/OrderingMethods>
#include <Eigen/SparseCholesky>
#include <Eigen/SparseCore>

#include <algorithm>
#include <cmath>
#include <limits>

namespace traverse {

namespace {
using SparseMatrix = Eigen::SparseMatrix<double, Eigen::ColMajor, int>;
using Ldlt = Eigen::SimplicialLDLT<SparseMatrix, Eigen::Lower, Eigen::AMDOrdering<int>>;

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

} // namespace

struct NormalEquations::Factorisation {
    Ldlt ldlt;
    bool analysed = false;
};

NormalEquations::NormalEquations(int unknowns)
    : m_f(std::make_unique<Factorisation>()), m_unknowns(unknowns) {}

NormalEquations::~NormalEquations() = default;

bool NormalEquations::Factor(std::span<const EquationRow> rows) {
    RightHandSide(rows, m_unknowns, m_rhs);
    const SparseMatrix n = Normals(rows, m_unknowns);
    if (!m_f->analysed) {
        m_f->ldlt.analyzePattern(n);
        m_f->analysed = true;
    }
    m_f->ldlt.factorize(n);
    const auto& d = m_f->ldlt.vectorD();
    const auto& position = m_f->ldlt.permutationP().indices();
    m_singular = -1;
    for (int c = 0; c < m_unknowns && m_singular < 0; ++c) {
        const double pivot = d[position[c]];
        if (!(pivot > kLeastPivot * n.coeff(c, c))) m_singular = c;
    }
    if (m_f->ldlt.info() != Eigen::Success && m_singular < 0) m_singular = 0;
    return m_singular < 0;
}

void NormalEquations::SetMisclosures(std::span<const EquationRow> rows) {
    RightHandSide(rows, m_unknowns, m_rhs);
}

std::vector<double> NormalEquations::Solve() const {
    const Eigen::Map<const Eigen::VectorXd> b(m_rhs.data(), m_unknowns);
    const Eigen::VectorXd x = m_f->ldlt.solve(b);
    return {x.data(), x.data() + x.size()};
}

namespace {
// Adds Z(R, R) L(R, i) into sum, R the rows of column i below the diagonal (entries
// first.. of the pattern), with Z known for every column after i. R beyond R[a] lies in
// the pattern of column R[a], in order: where it is that pattern's tail, a plain pass;
// else one merge.
void ColumnProduct(const SelectedInverse::Pattern& f, const std::vector<double>& zValues,
                   const std::vector<double>& zDiagonal, int first, int m,
                   std::vector<double>& sum) {
    const int* rows = f.rows;
    const double* lx = f.values;
    for (int a = 0; a < m; ++a) {
        const int ra = rows[first + a], begin = f.start[ra], end = f.start[ra + 1];
        const int tail = m - a - 1, from = end - tail;
        const double la = lx[first + a];
        double sa = zDiagonal[static_cast<size_t>(ra)] * la;
        if (tail == 0 || (from >= begin && rows[from] == rows[first + a + 1])) {
            const double* z = zValues.data() + from - a - 1;
            for (int b = a + 1; b < m; ++b) {
                sa += z[b] * lx[first + b];
                sum[static_cast<size_t>(b)] += z[b] * la;
            }
        } else {
            int p = begin;
            for (int b = a + 1; b < m; ++b) {
                while (p < end && rows[p] < rows[first + b])
                    ++p;
                if (p == end) break;
                const double zab = zValues[static_cast<size_t>(p)];
                sa += zab * lx[first + b];
                sum[static_cast<size_t>(b)] += zab * la;
            }
        }
        sum[static_cast<size_t>(a)] += sa;
    }
}
} // namespace

SelectedInverse NormalEquations::Invert() const {
    const SparseMatrix& l = m_f->ldlt.matrixL().nestedExpression();
    const auto& d = m_f->ldlt.vectorD();
    const auto& position = m_f->ldlt.permutationP().indices();
    const int n = m_unknowns;
    SelectedInverse z;
    z.m_position.assign(position.data(), position.data() + n);
    z.m_start.assign(l.outerIndexPtr(), l.outerIndexPtr() + n + 1);
    z.m_rows.assign(l.innerIndexPtr(), l.innerIndexPtr() + z.m_start[static_cast<size_t>(n)]);
    z.m_values.assign(z.m_rows.size(), 0.0);
    z.m_diagonal.assign(static_cast<size_t>(n), 0.0);
    const SelectedInverse::Pattern factor{z.m_start.data(), z.m_rows.data(), l.valuePtr()};
    std::vector<double> sum;
    for (int i = n - 1; i >= 0; --i) {
        const int first = z.m_start[static_cast<size_t>(i)];
        const int m = z.m_start[static_cast<size_t>(i) + 1] - first;
        sum.assign(static_cast<size_t>(m), 0.0);
        ColumnProduct(factor, z.m_values, z.m_diagonal, first, m, sum);
        double diagonal = 1.0 / d[i];
        for (int a = 0; a < m; ++a) {
            z.m_values[static_cast<size_t>(first + a)] = -sum[static_cast<size_t>(a)];
            diagonal += factor.values[first + a] * sum[static_cast<size_t>(a)];
        }
        z.m_diagonal[static_cast<size_t>(i)] = diagonal;
    }
    return z;
}

double SelectedInverse::At(int column1, int column2) const {
    const int i = m_position[static_cast<size_t>(column1)];
    const int j = m_position[static_cast<size_t>(column2)];
    if (i == j) return m_diagonal[static_cast<size_t>(i)];
    const int lo = std::min(i, j), hi = std::max(i, j);
    const auto begin = m_rows.begin() + m_start[static_cast<size_t>(lo)];
    const auto end = m_rows.begin() + m_start[static_cast<size_t>(lo) + 1];
    const auto it = std::lower_bound(begin, end, hi);
    if (it == end || *it != hi) return std::numeric_limits<double>::quiet_NaN();
    return m_values[static_cast<size_t>(it - m_rows.begin())];
}

} // namespace traverse
