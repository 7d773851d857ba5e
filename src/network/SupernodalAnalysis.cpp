// The analysis of network/SupernodalFactor.h: A's lower triangle moved into the factor's
// columns, the elimination tree, the column counts of L by row subtrees, the supernodes
// (runs of columns each the parent of the one before, where the block stays nearly
// full) and the rows of each, its children's rows merged in.
#include "network/SupernodalFactor.h"

#include <algorithm>

namespace traverse {

namespace {
using Index = size_t;

// A by the factor's columns: each entry at (max, min) of its rows' positions, as the
// lower triangle (entries under the smaller column) and as the strictly upper one.
void MoveEntries(SupernodalStructure& s, std::span<const int> start, std::span<const int> rows,
                 std::vector<int>& upperStart, std::vector<int>& upperRow) {
    const Index n = static_cast<Index>(s.n);
    s.entryStart.assign(n + 1, 0);
    upperStart.assign(n + 1, 0);
    const auto each = [&](auto visit) {
        for (Index c = 0; c < n; ++c)
            for (int e = start[c]; e < start[c + 1]; ++e) {
                const int i = s.position[static_cast<Index>(rows[static_cast<Index>(e)])];
                const int j = s.position[c];
                visit(std::min(i, j), std::max(i, j), e);
            }
    };
    each([&](int lo, int hi, int) {
        ++s.entryStart[static_cast<Index>(lo) + 1];
        if (lo != hi) ++upperStart[static_cast<Index>(hi) + 1];
    });
    for (Index j = 0; j < n; ++j) {
        s.entryStart[j + 1] += s.entryStart[j];
        upperStart[j + 1] += upperStart[j];
    }
    s.entryRow.resize(static_cast<Index>(s.entryStart[n]));
    s.entryFrom.resize(s.entryRow.size());
    upperRow.resize(static_cast<Index>(upperStart[n]));
    std::vector<int> at(s.entryStart.begin(), s.entryStart.end() - 1);
    std::vector<int> up(upperStart.begin(), upperStart.end() - 1);
    each([&](int lo, int hi, int e) {
        const Index k = static_cast<Index>(at[static_cast<Index>(lo)]++);
        s.entryRow[k] = hi;
        s.entryFrom[k] = e;
        if (lo != hi) upperRow[static_cast<Index>(up[static_cast<Index>(hi)]++)] = lo;
    });
}

std::vector<int> EliminationTree(int n, const std::vector<int>& upperStart,
                                 const std::vector<int>& upperRow) {
    std::vector<int> parent(static_cast<Index>(n), -1), ancestor(static_cast<Index>(n), -1);
    for (int k = 0; k < n; ++k)
        for (int e = upperStart[static_cast<Index>(k)]; e < upperStart[static_cast<Index>(k) + 1];
             ++e) {
            for (int i = upperRow[static_cast<Index>(e)]; i >= 0 && i < k;) {
                const int next = ancestor[static_cast<Index>(i)];
                ancestor[static_cast<Index>(i)] = k;
                if (next < 0) parent[static_cast<Index>(i)] = k;
                i = next;
            }
        }
    return parent;
}

// Entries of each column of L, the diagonal included: row k of L is the union of the
// tree's paths from the columns of row k of A up to k.
std::vector<int> ColumnCounts(int n, const std::vector<int>& parent,
                              const std::vector<int>& upperStart,
                              const std::vector<int>& upperRow) {
    std::vector<int> count(static_cast<Index>(n), 1), mark(static_cast<Index>(n), -1);
    for (int k = 0; k < n; ++k) {
        mark[static_cast<Index>(k)] = k;
        for (int e = upperStart[static_cast<Index>(k)]; e < upperStart[static_cast<Index>(k) + 1];
             ++e)
            for (int i = upperRow[static_cast<Index>(e)];
                 i >= 0 && mark[static_cast<Index>(i)] != k; i = parent[static_cast<Index>(i)]) {
                ++count[static_cast<Index>(i)];
                mark[static_cast<Index>(i)] = k;
            }
    }
    return count;
}

// Whether a block of width columns, rows high, holding entries of L, keeps few enough
// zeros: narrow blocks are worth some, wide ones few.
bool FewZeros(double width, double rows, double entries) {
    const double stored = width * rows - width * (width - 1.0) / 2.0;
    const double zeros = (stored - entries) / stored;
    return zeros == 0.0 || (width <= 4 && zeros <= 0.5) || (width <= 16 && zeros <= 0.3) ||
           (width <= 48 && zeros <= 0.1) || zeros <= 0.05;
}

// Column j joins the supernode before it where it is its last column's parent and the
// block keeps few zeros; the block's rows are then its own columns and j's rows.
void Supernodes(SupernodalStructure& s, const std::vector<int>& parent,
                const std::vector<int>& count) {
    const Index n = static_cast<Index>(s.n);
    s.owner.resize(n);
    double entries = 0.0;
    for (Index j = 0; j < n; ++j) {
        const double width = s.first.empty() ? 0.0 : static_cast<double>(j) - s.first.back() + 1.0;
        const bool joins = j > 0 && parent[j - 1] == static_cast<int>(j) &&
                           FewZeros(width, width - 1 + count[j], entries + count[j]);
        if (!joins) {
            s.first.push_back(static_cast<int>(j));
            entries = 0.0;
        }
        entries += count[j];
        s.owner[j] = static_cast<int>(s.first.size()) - 1;
    }
    s.first.push_back(s.n);
    s.rowStart.assign(1, 0);
    s.valueStart.assign(1, 0);
    for (int k = 0; k < s.Supernodes(); ++k) {
        const int last = s.first[static_cast<Index>(k) + 1] - 1;
        const int height = s.Width(k) - 1 + count[static_cast<Index>(last)];
        s.rowStart.push_back(s.rowStart.back() + height);
        s.valueStart.push_back(s.valueStart.back() +
                               static_cast<size_t>(height) * static_cast<size_t>(s.Width(k)));
    }
}

// The rows of each supernode: its own columns, A's rows under them and its children's
// rows below their own columns.
void SupernodeRows(SupernodalStructure& s, const std::vector<int>& parent) {
    const int count = s.Supernodes();
    std::vector<int> head(static_cast<Index>(count), -1), next(static_cast<Index>(count), -1);
    for (int k = count - 1; k >= 0; --k) {
        const int up = parent[static_cast<Index>(s.first[static_cast<Index>(k) + 1] - 1)];
        if (up < 0) continue;
        const int p = s.owner[static_cast<Index>(up)];
        next[static_cast<Index>(k)] = head[static_cast<Index>(p)];
        head[static_cast<Index>(p)] = k;
    }
    s.rows.resize(static_cast<Index>(s.rowStart.back()));
    std::vector<int> mark(static_cast<Index>(s.n), -1), below;
    for (int k = 0; k < count; ++k) {
        const int f = s.first[static_cast<Index>(k)], last = s.first[static_cast<Index>(k) + 1];
        below.clear();
        const auto add = [&](int r) {
            if (r < last || mark[static_cast<Index>(r)] == k) return;
            mark[static_cast<Index>(r)] = k;
            below.push_back(r);
        };
        for (int j = f; j < last; ++j)
            for (int e = s.entryStart[static_cast<Index>(j)];
                 e < s.entryStart[static_cast<Index>(j) + 1]; ++e)
                add(s.entryRow[static_cast<Index>(e)]);
        for (int c = head[static_cast<Index>(k)]; c >= 0; c = next[static_cast<Index>(c)])
            for (int i = s.Width(c); i < s.Height(c); ++i)
                add(s.Rows(c)[i]);
        std::sort(below.begin(), below.end());
        int* out = s.rows.data() + s.rowStart[static_cast<Index>(k)];
        const int room = s.Height(k) - (last - f);
        for (int j = f; j < last; ++j)
            *out++ = j;
        std::copy_n(below.begin(), std::min(room, static_cast<int>(below.size())), out);
    }
}
} // namespace

std::shared_ptr<const SupernodalStructure> AnalyseSupernodes(std::span<const int> start,
                                                             std::span<const int> rows,
                                                             std::span<const int> order) {
    auto s = std::make_shared<SupernodalStructure>();
    s->n = static_cast<int>(order.size());
    s->order.assign(order.begin(), order.end());
    s->position.assign(order.size(), 0);
    for (size_t j = 0; j < order.size(); ++j)
        s->position[static_cast<Index>(order[j])] = static_cast<int>(j);
    std::vector<int> upperStart, upperRow;
    MoveEntries(*s, start, rows, upperStart, upperRow);
    const std::vector<int> parent = EliminationTree(s->n, upperStart, upperRow);
    Supernodes(*s, parent, ColumnCounts(s->n, parent, upperStart, upperRow));
    SupernodeRows(*s, parent);
    return s;
}

} // namespace traverse
