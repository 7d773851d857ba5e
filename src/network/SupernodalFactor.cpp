// Left-looking by supernodes: each block gathers A's entries, then the updates of the
// earlier supernodes whose rows reach its columns (each waits in the list of the
// supernode its next row falls in), then factors its diagonal block and solves the rows
// below it against that.
#include "network/SupernodalFactor.h"

#include <Eigen/Core>
#include <Eigen/Dense>

#include <cmath>

namespace traverse {

namespace {
using Index = size_t;
using Block = Eigen::Map<Eigen::MatrixXd>;
using ConstBlock = Eigen::Map<const Eigen::MatrixXd>;
} // namespace

SupernodalFactor::SupernodalFactor(std::shared_ptr<const SupernodalStructure> structure)
    : m_s(std::move(structure)) {}

void SupernodalFactor::Assemble(int s, std::span<const double> values) {
    const SupernodalStructure& st = *m_s;
    const int f = st.first[static_cast<Index>(s)], height = st.Height(s);
    double* block = m_values.data() + st.valueStart[static_cast<Index>(s)];
    for (int j = f; j < st.first[static_cast<Index>(s) + 1]; ++j) {
        double* column = block + static_cast<Index>(j - f) * static_cast<Index>(height);
        for (int e = st.entryStart[static_cast<Index>(j)];
             e < st.entryStart[static_cast<Index>(j) + 1]; ++e) {
            const int row = st.entryRow[static_cast<Index>(e)];
            const double value = values[static_cast<Index>(st.entryFrom[static_cast<Index>(e)])];
            column[m_local[static_cast<Index>(row)]] += value;
            if (row == j) m_diagonal[static_cast<Index>(j)] = value;
        }
    }
}

// Supernode d's update of s's columns: C = L(rows ≥ s, d) D_d L(rows in s, d)ᵀ, less
// from s's block; then d waits for the supernode of its next row.
void SupernodalFactor::Update(int d, int s, std::vector<int>& next, std::vector<int>& head,
                              std::vector<int>& nextRow) {
    const SupernodalStructure& st = *m_s;
    const int* rows = st.Rows(d);
    const int height = st.Height(d), width = st.Width(d), p = nextRow[static_cast<Index>(d)];
    const int f = st.first[static_cast<Index>(s)], last = st.first[static_cast<Index>(s) + 1];
    int q = p;
    while (q < height && rows[q] < last)
        ++q;
    const int k = q - p, m = height - p;
    const ConstBlock ld(BlockOf(d), height, width);
    const Eigen::Map<const Eigen::VectorXd> pivots(m_d.data() + st.first[static_cast<Index>(d)],
                                                   width);
    m_scaled.resize(static_cast<Index>(k) * static_cast<Index>(width));
    m_update.resize(static_cast<Index>(m) * static_cast<Index>(k));
    Block scaled(m_scaled.data(), k, width), update(m_update.data(), m, k);
    scaled.noalias() = ld.middleRows(p, k) * pivots.asDiagonal();
    update.noalias() = ld.middleRows(p, m) * scaled.transpose();
    const int h = st.Height(s);
    double* target = m_values.data() + st.valueStart[static_cast<Index>(s)];
    for (int c = 0; c < k; ++c) {
        double* column = target + static_cast<Index>(rows[p + c] - f) * static_cast<Index>(h);
        for (int r = c; r < m; ++r)
            column[m_local[static_cast<Index>(rows[p + r])]] -= update(r, c);
    }
    nextRow[static_cast<Index>(d)] = q;
    if (q < height) {
        const int t = st.owner[static_cast<Index>(rows[q])];
        next[static_cast<Index>(d)] = head[static_cast<Index>(t)];
        head[static_cast<Index>(t)] = d;
    }
}

// The diagonal block as L11 D L11ᵀ column by column, then L21 = A21 L11⁻ᵀ D⁻¹.
bool SupernodalFactor::FactorBlock(int s, double least) {
    const SupernodalStructure& st = *m_s;
    const int f = st.first[static_cast<Index>(s)], width = st.Width(s), height = st.Height(s);
    Block l(m_values.data() + st.valueStart[static_cast<Index>(s)], height, width);
    for (int c = 0; c < width; ++c) {
        const int j = f + c;
        const double pivot = l(c, c);
        m_d[static_cast<Index>(j)] = pivot;
        if (!(pivot > least * m_diagonal[static_cast<Index>(j)])) {
            const int column = st.order[static_cast<Index>(j)];
            if (m_failed < 0 || column < m_failed) m_failed = column;
            if (!(pivot != 0.0) || !std::isfinite(pivot)) return false;
        }
        const int rest = width - c - 1;
        auto below = l.col(c).segment(c + 1, rest);
        below /= pivot;
        l.block(c + 1, c + 1, rest, rest).selfadjointView<Eigen::Lower>().rankUpdate(below, -pivot);
        l(c, c) = 1.0;
    }
    if (height > width) {
        auto below = l.bottomRows(height - width);
        l.topRows(width)
            .transpose()
            .triangularView<Eigen::UnitUpper>()
            .solveInPlace<Eigen::OnTheRight>(below);
        const Eigen::Map<const Eigen::VectorXd> pivots(m_d.data() + f, width);
        below = below * pivots.cwiseInverse().asDiagonal();
    }
    return true;
}

bool SupernodalFactor::Factor(std::span<const double> values, double least) {
    const SupernodalStructure& st = *m_s;
    const int count = st.Supernodes();
    m_values.assign(st.valueStart.back(), 0.0);
    m_d.assign(static_cast<Index>(st.n), 0.0);
    m_local.assign(static_cast<Index>(st.n), 0);
    m_diagonal.assign(static_cast<Index>(st.n), 0.0);
    m_failed = -1;
    std::vector<int> head(static_cast<Index>(count), -1), next(static_cast<Index>(count), -1),
        nextRow(static_cast<Index>(count), 0);
    for (int s = 0; s < count; ++s) {
        for (int i = 0; i < st.Height(s); ++i)
            m_local[static_cast<Index>(st.Rows(s)[i])] = i;
        Assemble(s, values);
        for (int d = head[static_cast<Index>(s)]; d >= 0;) {
            const int after = next[static_cast<Index>(d)];
            Update(d, s, next, head, nextRow);
            d = after;
        }
        head[static_cast<Index>(s)] = -1;
        if (!FactorBlock(s, least)) return false;
        nextRow[static_cast<Index>(s)] = st.Width(s);
        if (st.Height(s) > st.Width(s)) {
            const int t = st.owner[static_cast<Index>(st.Rows(s)[st.Width(s)])];
            next[static_cast<Index>(s)] = head[static_cast<Index>(t)];
            head[static_cast<Index>(t)] = s;
        }
    }
    return m_failed < 0;
}

// Column by column within each block: the blocks are mostly narrow, and a solve reads
// each entry of L once whatever the order.
std::vector<double> SupernodalFactor::Solve(std::span<const double> b) const {
    const SupernodalStructure& st = *m_s;
    std::vector<double> y(static_cast<Index>(st.n));
    for (Index j = 0; j < y.size(); ++j)
        y[j] = b[static_cast<Index>(st.order[j])];
    for (int s = 0; s < st.Supernodes(); ++s) {
        const int f = st.first[static_cast<Index>(s)], width = st.Width(s), height = st.Height(s);
        const int* rows = st.Rows(s);
        const double* l = BlockOf(s);
        for (int c = 0; c < width; ++c, l += height) {
            const double yc = y[static_cast<Index>(f + c)];
            for (int r = c + 1; r < height; ++r)
                y[static_cast<Index>(rows[r])] -= l[r] * yc;
        }
    }
    for (Index j = 0; j < y.size(); ++j)
        y[j] /= m_d[j];
    for (int s = st.Supernodes() - 1; s >= 0; --s) {
        const int f = st.first[static_cast<Index>(s)], width = st.Width(s), height = st.Height(s);
        const int* rows = st.Rows(s);
        for (int c = width - 1; c >= 0; --c) {
            const double* l = BlockOf(s) + static_cast<Index>(c) * static_cast<Index>(height);
            double sum = y[static_cast<Index>(f + c)];
            for (int r = c + 1; r < height; ++r)
                sum -= l[r] * y[static_cast<Index>(rows[r])];
            y[static_cast<Index>(f + c)] = sum;
        }
    }
    std::vector<double> x(y.size());
    for (Index j = 0; j < y.size(); ++j)
        x[static_cast<Index>(st.order[j])] = y[j];
    return x;
}

} // namespace traverse
