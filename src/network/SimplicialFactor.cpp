#include "network/SimplicialFactor.h"

#include <Eigen/SparseCholesky>
#include <Eigen/SparseCore>

namespace traverse {

namespace {
using Index = size_t;
using Permutation = Eigen::PermutationMatrix<Eigen::Dynamic, Eigen::Dynamic, int>;
// The column counts of the analysis are known before the factor: Eigen keeps them, and
// its matrixL() is only for a factor made.
struct Ldlt : Eigen::SimplicialLDLT<LowerMatrix, Eigen::Lower, Eigen::AMDOrdering<int>> {
    const auto& ColumnCounts() const { return m_nonZerosPerCol; }
};
} // namespace

struct SimplicialFactor::Solver {
    Ldlt ldlt;
};

SimplicialFactor::SimplicialFactor(const LowerMatrix& a) : m_solver(std::make_unique<Solver>()) {
    m_solver->ldlt.analyzePattern(a);
}

SimplicialFactor::~SimplicialFactor() = default;

double SimplicialFactor::Work() const {
    double work = 0.0;
    for (const int below : m_solver->ldlt.ColumnCounts()) {
        const double entries = below + 1.0;
        work += entries * entries;
    }
    return work;
}

bool SimplicialFactor::Factor(const LowerMatrix& a, double least) {
    Ldlt& ldlt = m_solver->ldlt;
    ldlt.factorize(a);
    const auto& d = ldlt.vectorD();
    const auto& position = ldlt.permutationP().indices();
    m_failed = -1;
    for (Eigen::Index c = 0; c < a.cols() && m_failed < 0; ++c) {
        const double pivot = d[position[c]];
        if (!(pivot > least * a.coeff(c, c))) m_failed = static_cast<int>(c);
    }
    if (ldlt.info() != Eigen::Success && m_failed < 0) m_failed = 0;
    return m_failed < 0;
}

std::vector<double> SimplicialFactor::Solve(std::span<const double> b) const {
    const Eigen::Map<const Eigen::VectorXd> rhs(b.data(), static_cast<Eigen::Index>(b.size()));
    const Eigen::VectorXd x = m_solver->ldlt.solve(rhs);
    return {x.data(), x.data() + x.size()};
}

namespace {
// Z = Qxx in the layout of network/SelectedInverse.h, one column a block: column j of
// L's strictly lower pattern at start[j] .. start[j+1] is Z's at start[j] + j + 1 on,
// after Z(j, j).
struct Blocks {
    const int* start;
    const int* rows;
    const double* l;
    double* z;

    double Diagonal(int j) const { return z[start[j] + j]; }
    double* Column(int j) const { return z + start[j] + j + 1; }
};

// Adds Z(R, R) L(R, i) into sum, R the rows of column i below the diagonal (entries
// first.. of the pattern), with Z known for every column after i. R beyond R[a] lies in
// the pattern of column R[a], in order: where it is that pattern's tail, a plain pass;
// else one merge.
void ColumnProduct(const Blocks& f, int first, int m, std::vector<double>& sum) {
    const int* rows = f.rows;
    const double* lx = f.l;
    for (int a = 0; a < m; ++a) {
        const int ra = rows[first + a], begin = f.start[ra], end = f.start[ra + 1];
        const int tail = m - a - 1, from = end - tail;
        const double la = lx[first + a];
        const double* zra = f.Column(ra) - begin; // by L's positions in column ra
        double sa = f.Diagonal(ra) * la;
        if (tail == 0 || (from >= begin && rows[from] == rows[first + a + 1])) {
            const double* z = zra + from - a - 1;
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
                const double zab = zra[p];
                sa += zab * lx[first + b];
                sum[static_cast<size_t>(b)] += zab * la;
            }
        }
        sum[static_cast<size_t>(a)] += sa;
    }
}

// The structure of one column a block, each its diagonal first.
std::shared_ptr<SupernodalStructure> ColumnBlocks(const LowerMatrix& l, const Permutation& p,
                                                  const Permutation& pinv) {
    const int n = static_cast<int>(l.cols());
    const int* start = l.outerIndexPtr();
    auto s = std::make_shared<SupernodalStructure>();
    s->n = n;
    s->order.assign(pinv.indices().data(), pinv.indices().data() + n);
    s->position.assign(p.indices().data(), p.indices().data() + n);
    s->first.resize(static_cast<Index>(n) + 1);
    s->rowStart.resize(static_cast<Index>(n) + 1);
    s->valueStart.resize(static_cast<Index>(n) + 1);
    s->owner.resize(static_cast<Index>(n));
    s->rows.resize(static_cast<Index>(start[n] + n));
    for (int j = 0; j <= n; ++j) {
        s->first[static_cast<Index>(j)] = j;
        s->rowStart[static_cast<Index>(j)] = start[j] + j;
        s->valueStart[static_cast<Index>(j)] = static_cast<size_t>(start[j] + j);
        if (j == n) break;
        s->owner[static_cast<Index>(j)] = j;
        int* rows = s->rows.data() + start[j] + j;
        *rows++ = j;
        std::copy(l.innerIndexPtr() + start[j], l.innerIndexPtr() + start[j + 1], rows);
    }
    return s;
}
} // namespace

// Takahashi's recurrence Z = D⁻¹L⁻¹ + (I − Lᵀ) Z from the last column up, on the
// factor's pattern only.
SelectedInverse SimplicialFactor::Invert() const {
    const Ldlt& ldlt = m_solver->ldlt;
    const LowerMatrix& l = ldlt.matrixL().nestedExpression();
    const auto& d = ldlt.vectorD();
    const int n = static_cast<int>(l.cols());
    std::vector<double> z(static_cast<Index>(l.outerIndexPtr()[n] + n), 0.0);
    const Blocks f{l.outerIndexPtr(), l.innerIndexPtr(), l.valuePtr(), z.data()};
    std::vector<double> sum;
    for (int i = n - 1; i >= 0; --i) {
        const int first = f.start[i];
        const int m = f.start[i + 1] - first;
        sum.assign(static_cast<Index>(m), 0.0);
        ColumnProduct(f, first, m, sum);
        double zii = 1.0 / d[i];
        double* column = f.Column(i);
        for (int a = 0; a < m; ++a) {
            column[a] = -sum[static_cast<Index>(a)];
            zii += f.l[first + a] * sum[static_cast<Index>(a)];
        }
        column[-1] = zii;
    }
    return SelectedInverse(ColumnBlocks(l, ldlt.permutationP(), ldlt.permutationPinv()),
                           std::move(z));
}

} // namespace traverse
