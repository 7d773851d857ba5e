#include "network/SelectedInverse.h"

#include <Eigen/Dense>

#include <algorithm>
#include <limits>

namespace traverse {

namespace {
using Index = size_t;
using Block = Eigen::Map<Eigen::MatrixXd>;
using ConstBlock = Eigen::Map<const Eigen::MatrixXd>;
} // namespace

// Z(J, J) for the rows J of s below its own columns: Z(J[a], J[b]), b ≥ a, lies in the
// block of J[a]'s supernode, whose rows hold J[b] in order.
void SelectedInverse::Gather(int s, std::vector<double>& zjj) const {
    const SupernodalStructure& st = *m_s;
    const int* j = st.Rows(s) + st.Width(s);
    const int m = st.Height(s) - st.Width(s);
    zjj.resize(static_cast<Index>(m) * static_cast<Index>(m));
    Block out(zjj.data(), m, m);
    for (int a = 0; a < m; ++a) {
        const int t = st.owner[static_cast<Index>(j[a])];
        const int column = j[a] - st.first[static_cast<Index>(t)], height = st.Height(t);
        const int* rows = st.Rows(t);
        const double* z = m_values.data() + st.valueStart[static_cast<Index>(t)] +
                          static_cast<Index>(column) * static_cast<Index>(height);
        int p = column;
        for (int b = a; b < m; ++b) {
            while (p < height && rows[p] < j[b])
                ++p;
            const double value = p < height ? z[p] : 0.0;
            out(b, a) = value;
            out(a, b) = value;
        }
    }
}

SelectedInverse::SelectedInverse(const SupernodalFactor& factor)
    : m_s(factor.SharedStructure()), m_values(m_s->valueStart.back(), 0.0) {
    IndexColumns();
    const SupernodalStructure& st = *m_s;
    std::vector<double> zjj;
    Eigen::MatrixXd y, inverse;
    for (int s = st.Supernodes() - 1; s >= 0; --s) {
        const int w = st.Width(s), m = st.Height(s) - w, f = st.first[static_cast<Index>(s)];
        const ConstBlock l(factor.BlockOf(s), st.Height(s), w);
        Block z(m_values.data() + st.valueStart[static_cast<Index>(s)], st.Height(s), w);
        inverse.setIdentity(w, w);
        l.topRows(w).triangularView<Eigen::UnitLower>().solveInPlace(inverse);
        Eigen::VectorXd pivots(w);
        for (int c = 0; c < w; ++c)
            pivots[c] = 1.0 / factor.Pivot(f + c);
        z.topRows(w).noalias() = inverse.transpose() * pivots.asDiagonal() * inverse;
        if (m == 0) continue;
        Gather(s, zjj);
        y = l.bottomRows(m);
        l.topRows(w).triangularView<Eigen::UnitLower>().solveInPlace<Eigen::OnTheRight>(y);
        z.bottomRows(m).noalias() = -(ConstBlock(zjj.data(), m, m) * y);
        z.topRows(w).noalias() -= z.bottomRows(m).transpose() * y;
    }
}

SelectedInverse::SelectedInverse(std::shared_ptr<const SupernodalStructure> structure,
                                 std::vector<double> values)
    : m_s(std::move(structure)), m_values(std::move(values)) {
    IndexColumns();
}

void SelectedInverse::IndexColumns() {
    const SupernodalStructure& st = *m_s;
    m_position = st.position.data();
    m_rows = st.rows.data();
    m_columns.resize(static_cast<size_t>(st.n));
    for (int t = 0; t < st.Supernodes(); ++t) {
        const int f = st.first[static_cast<size_t>(t)], height = st.Height(t);
        for (int c = 0; c < st.Width(t); ++c)
            m_columns[static_cast<size_t>(f + c)] = {
                st.rowStart[static_cast<size_t>(t)] + c, st.rowStart[static_cast<size_t>(t) + 1],
                st.valueStart[static_cast<size_t>(t)] +
                    static_cast<size_t>(c) * static_cast<size_t>(height + 1)};
    }
}

double SelectedInverse::At(int column1, int column2) const {
    const int i = m_position[column1], j = m_position[column2];
    const Column& c = m_columns[static_cast<size_t>(std::min(i, j))];
    if (i == j) return m_values[c.value];
    const int hi = std::max(i, j);
    const int* begin = m_rows + c.begin + 1;
    const int* end = m_rows + c.end;
    const int* at = std::lower_bound(begin, end, hi);
    if (at == end || *at != hi) return std::numeric_limits<double>::quiet_NaN();
    return m_values[c.value + 1 + static_cast<size_t>(at - begin)];
}

} // namespace traverse
