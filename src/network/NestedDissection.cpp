#include "network/NestedDissection.h"

#include <Eigen/OrderingMethods>
#include <Eigen/SparseCore>

#include <algorithm>
#include <utility>

namespace traverse {

namespace {
constexpr size_t kLeaf = 64; // nodes ordered by minimum degree

// The graph of the groups of neighbouring columns with one pattern, without self loops.
struct Graph {
    std::vector<int> first; // group g holds columns first[g] .. first[g+1]
    std::vector<int> start, adjacent;
    int Size() const { return static_cast<int>(first.size()) - 1; }
};

bool SamePattern(const SymmetricPattern& p, int a, int b) {
    const auto rows = [&p](int c) {
        return p.rows.subspan(static_cast<size_t>(p.start[static_cast<size_t>(c)]),
                              static_cast<size_t>(p.start[static_cast<size_t>(c) + 1] -
                                                  p.start[static_cast<size_t>(c)]));
    };
    const auto ra = rows(a), rb = rows(b);
    return std::equal(ra.begin(), ra.end(), rb.begin(), rb.end());
}

Graph Groups(const SymmetricPattern& p) {
    const int n = static_cast<int>(p.start.size()) - 1;
    Graph g;
    std::vector<int> group(static_cast<size_t>(n));
    for (int c = 0; c < n; ++c) {
        if (c == 0 || !SamePattern(p, c - 1, c)) g.first.push_back(c);
        group[static_cast<size_t>(c)] = static_cast<int>(g.first.size()) - 1;
    }
    g.first.push_back(n);
    std::vector<int> seen(g.first.size(), -1);
    g.start.push_back(0);
    for (int k = 0; k < g.Size(); ++k) {
        const int c = g.first[static_cast<size_t>(k)];
        seen[static_cast<size_t>(k)] = k;
        for (int e = p.start[static_cast<size_t>(c)]; e < p.start[static_cast<size_t>(c) + 1];
             ++e) {
            const int other = group[static_cast<size_t>(p.rows[static_cast<size_t>(e)])];
            if (seen[static_cast<size_t>(other)] == k) continue;
            seen[static_cast<size_t>(other)] = k;
            g.adjacent.push_back(other);
        }
        g.start.push_back(static_cast<int>(g.adjacent.size()));
    }
    return g;
}

class Dissection {
public:
    explicit Dissection(const Graph& g)
        : m_g(g), m_piece(static_cast<size_t>(g.Size()), 0), m_level(m_piece.size(), -1) {}

    std::vector<int> Order() {
        std::vector<int> all(m_piece.size());
        for (size_t k = 0; k < all.size(); ++k)
            all[k] = static_cast<int>(k);
        Dissect(std::move(all), 0);
        return std::move(m_order);
    }

private:
    const Graph& m_g;
    std::vector<int> m_piece; // the piece a node is in; -1 once ordered
    std::vector<int> m_level;
    std::vector<int> m_order;
    int m_pieces = 1;

    template <typename Visit> void Neighbours(int node, Visit visit) const {
        for (int e = m_g.start[static_cast<size_t>(node)];
             e < m_g.start[static_cast<size_t>(node) + 1]; ++e)
            visit(m_g.adjacent[static_cast<size_t>(e)]);
    }

    // Breadth first from root within its piece: the nodes by level, and where each
    // level starts in them (the last entry their count).
    std::vector<int> Levels(const std::vector<int>& nodes, int root, std::vector<int>& levelStart) {
        for (int v : nodes)
            m_level[static_cast<size_t>(v)] = -1;
        const int piece = m_piece[static_cast<size_t>(root)];
        std::vector<int> queue{root};
        m_level[static_cast<size_t>(root)] = 0;
        for (size_t next = 0; next < queue.size(); ++next) {
            const int v = queue[next], level = m_level[static_cast<size_t>(v)];
            Neighbours(v, [&](int w) {
                if (m_piece[static_cast<size_t>(w)] != piece ||
                    m_level[static_cast<size_t>(w)] >= 0)
                    return;
                m_level[static_cast<size_t>(w)] = level + 1;
                queue.push_back(w);
            });
        }
        levelStart.clear();
        for (size_t i = 0; i < queue.size(); ++i)
            if (i == 0 || m_level[static_cast<size_t>(queue[i])] !=
                              m_level[static_cast<size_t>(queue[i - 1])])
                levelStart.push_back(static_cast<int>(i));
        levelStart.push_back(static_cast<int>(queue.size()));
        return queue;
    }

    // A node far from the others: the search restarted from the last level until the
    // levels stop growing in number.
    std::vector<int> FarLevels(const std::vector<int>& nodes, std::vector<int>& levelStart) {
        std::vector<int> queue = Levels(nodes, nodes.front(), levelStart);
        for (int tries = 0; tries < 8 && queue.size() == nodes.size(); ++tries) {
            const size_t height = levelStart.size();
            std::vector<int> start;
            std::vector<int> again = Levels(nodes, queue.back(), start);
            if (start.size() <= height) {
                Levels(nodes, queue.front(), levelStart);
                break;
            }
            queue = std::move(again);
            levelStart = std::move(start);
        }
        return queue;
    }

    void Dissect(std::vector<int> nodes, int piece) {
        if (nodes.size() <= kLeaf) return OrderLeaf(nodes);
        std::vector<int> levelStart;
        const std::vector<int> queue = FarLevels(nodes, levelStart);
        if (queue.size() < nodes.size()) return SplitOff(nodes, piece);
        const int height = static_cast<int>(levelStart.size()) - 1;
        if (height < 3) return OrderLeaf(nodes);
        Cut(queue, piece, Middle(levelStart));
    }

    // The level that halves the nodes, not the first or the last.
    static int Middle(const std::vector<int>& levelStart) {
        const int height = static_cast<int>(levelStart.size()) - 1;
        const int half = levelStart.back() / 2;
        int k = 1;
        while (k < height - 2 && levelStart[static_cast<size_t>(k) + 1] <= half)
            ++k;
        return k;
    }

    // The nodes of piece joined to root, moved to piece mine.
    std::vector<int> Component(int root, int piece, int mine) {
        std::vector<int> part{root};
        m_piece[static_cast<size_t>(root)] = mine;
        for (size_t i = 0; i < part.size(); ++i)
            Neighbours(part[i], [&](int w) {
                if (m_piece[static_cast<size_t>(w)] != piece) return;
                m_piece[static_cast<size_t>(w)] = mine;
                part.push_back(w);
            });
        return part;
    }

    // A piece in parts that nothing joins: each ordered apart.
    void SplitOff(const std::vector<int>& nodes, int piece) {
        std::vector<std::pair<std::vector<int>, int>> parts;
        for (int v : nodes)
            if (m_piece[static_cast<size_t>(v)] == piece) {
                const int mine = m_pieces++;
                parts.emplace_back(Component(v, piece, mine), mine);
            }
        for (auto& [part, mine] : parts)
            Dissect(std::move(part), mine);
    }

    // Level k the cut, less its nodes that touch no later level.
    void Cut(const std::vector<int>& queue, int piece, int k) {
        const int before = m_pieces++, after = m_pieces++;
        std::vector<int> a, b, cut;
        for (int i = 0; i < static_cast<int>(queue.size()); ++i) {
            const int v = queue[static_cast<size_t>(i)];
            const int level = m_level[static_cast<size_t>(v)];
            if (level < k) {
                a.push_back(v);
            } else if (level > k) {
                b.push_back(v);
            } else {
                bool touches = false;
                Neighbours(v, [&](int w) {
                    touches = touches || (m_piece[static_cast<size_t>(w)] == piece &&
                                          m_level[static_cast<size_t>(w)] == k + 1);
                });
                (touches ? cut : a).push_back(v);
            }
        }
        for (int v : a)
            m_piece[static_cast<size_t>(v)] = before;
        for (int v : b)
            m_piece[static_cast<size_t>(v)] = after;
        for (int v : cut)
            m_piece[static_cast<size_t>(v)] = -1;
        Dissect(std::move(a), before);
        Dissect(std::move(b), after);
        m_order.insert(m_order.end(), cut.begin(), cut.end());
    }

    void OrderLeaf(const std::vector<int>& nodes) {
        const int n = static_cast<int>(nodes.size());
        for (int i = 0; i < n; ++i)
            m_level[static_cast<size_t>(nodes[static_cast<size_t>(i)])] = i;
        const int piece = m_piece[static_cast<size_t>(nodes.front())];
        std::vector<Eigen::Triplet<double, int>> entries;
        for (int i = 0; i < n; ++i) {
            entries.emplace_back(i, i, 1.0);
            Neighbours(nodes[static_cast<size_t>(i)], [&](int w) {
                if (m_piece[static_cast<size_t>(w)] == piece)
                    entries.emplace_back(m_level[static_cast<size_t>(w)], i, 1.0);
            });
        }
        Eigen::SparseMatrix<double, Eigen::ColMajor, int> c(n, n);
        c.setFromTriplets(entries.begin(), entries.end());
        Eigen::PermutationMatrix<Eigen::Dynamic, Eigen::Dynamic, int> perm;
        Eigen::internal::minimum_degree_ordering(c, perm);
        for (int i = 0; i < n; ++i)
            m_order.push_back(nodes[static_cast<size_t>(perm.indices()[i])]);
        for (int v : nodes)
            m_piece[static_cast<size_t>(v)] = -1;
    }
};
} // namespace

std::vector<int> NestedDissectionOrder(const SymmetricPattern& pattern) {
    const Graph g = Groups(pattern);
    std::vector<int> columns;
    columns.reserve(static_cast<size_t>(g.first.back()));
    for (int node : Dissection(g).Order())
        for (int c = g.first[static_cast<size_t>(node)]; c < g.first[static_cast<size_t>(node) + 1];
             ++c)
            columns.push_back(c);
    return columns;
}

} // namespace traverse
