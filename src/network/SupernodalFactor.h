// The LDLᵀ factor of a sparse symmetric positive definite matrix A (the normal matrix,
// its columns in a fill-reducing order) by supernodes: runs of neighbouring columns of L
// with (nearly) one pattern below their diagonal are kept as one dense column-major
// block (rows × width, the block's own columns first, zeros stored where the patterns
// differ), so that the work is done by dense products. L has a unit diagonal and D is
// kept apart. The pattern is analysed once (elimination tree, column counts, supernodes
// and their rows); each factorisation reuses it.
#pragma once

#include <cstddef>
#include <memory>
#include <span>
#include <vector>

namespace traverse {

struct SupernodalStructure {
    int n = 0;
    std::vector<int> order;    // column of the factor -> column of A
    std::vector<int> position; // column of A -> column of the factor
    std::vector<int> first;    // supernode s holds the factor's columns first[s] .. first[s+1]
    std::vector<int> owner;    // column of the factor -> its supernode
    std::vector<int> rowStart; // supernode s: rows[rowStart[s] .. rowStart[s+1]), ascending
    std::vector<int> rows;
    std::vector<size_t> valueStart; // supernode s: its block at values[valueStart[s]]
    // A's lower triangle in the factor's columns: for column j the entries
    // entryStart[j] .. entryStart[j+1], each at row entryRow and A's value entryFrom.
    std::vector<int> entryStart, entryRow, entryFrom;

    int Supernodes() const { return static_cast<int>(first.size()) - 1; }
    int Width(int s) const {
        return first[static_cast<size_t>(s) + 1] - first[static_cast<size_t>(s)];
    }
    int Height(int s) const {
        return rowStart[static_cast<size_t>(s) + 1] - rowStart[static_cast<size_t>(s)];
    }
    const int* Rows(int s) const { return rows.data() + rowStart[static_cast<size_t>(s)]; }
};

// A's lower triangle by column (rows ascending, diagonal included) and the order of
// elimination (the columns of A, first eliminated first).
std::shared_ptr<const SupernodalStructure> AnalyseSupernodes(std::span<const int> start,
                                                             std::span<const int> rows,
                                                             std::span<const int> order);

class SupernodalFactor {
public:
    explicit SupernodalFactor(std::shared_ptr<const SupernodalStructure> structure);

    // A's values as its pattern had them. False where a pivot is not above least times
    // its diagonal entry of A; Failed() is then the first such column of A.
    bool Factor(std::span<const double> values, double least);
    int Failed() const { return m_failed; }

    // A x = b, in A's columns.
    std::vector<double> Solve(std::span<const double> b) const;

    const SupernodalStructure& Structure() const { return *m_s; }
    const std::shared_ptr<const SupernodalStructure>& SharedStructure() const { return m_s; }
    const double* BlockOf(int s) const {
        return m_values.data() + m_s->valueStart[static_cast<size_t>(s)];
    }
    double Pivot(int column) const { return m_d[static_cast<size_t>(column)]; }

private:
    std::shared_ptr<const SupernodalStructure> m_s;
    std::vector<double> m_values, m_d;
    int m_failed = -1;
    std::vector<double> m_diagonal, m_scaled, m_update; // A's diagonal; workspaces
    std::vector<int> m_local;                           // row -> its place in a block

    void Assemble(int s, std::span<const double> values);
    void Update(int d, int s, std::vector<int>& next, std::vector<int>& head,
                std::vector<int>& nextRow);
    bool FactorBlock(int s, double least);
};

} // namespace traverse
