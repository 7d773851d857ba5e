// A fill-reducing elimination order for a sparse symmetric matrix by nested dissection:
// the graph of its columns is cut by one level of a breadth-first search from a far
// node into two parts and the cut; each part is ordered first (and cut again in turn),
// the cut last. Pieces of a few dozen nodes are ordered by approximate minimum degree.
// Neighbouring columns with the same pattern (a point's dx and dy) are kept together.
#pragma once

#include <span>
#include <vector>

namespace traverse {

// A symmetric pattern by column: the rows of column j are rows[start[j] .. start[j+1]),
// both triangles, the diagonal allowed.
struct SymmetricPattern {
    std::span<const int> start;
    std::span<const int> rows;
};

// The columns in elimination order.
std::vector<int> NestedDissectionOrder(const SymmetricPattern& pattern);

} // namespace traverse
