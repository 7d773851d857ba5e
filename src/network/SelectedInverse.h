// Entries of A⁻¹ (the cofactors Qxx = N⁻¹) on the pattern of a supernodal factor
// (network/SupernodalFactor.h), without the whole inverse: every pair of columns that
// one row of A touches lies on it. Takahashi's recurrence by blocks, from the last
// supernode up: with J the rows of supernode s below its own columns and
// Y = L21 L11⁻¹, Z(J, s) = −Z(J, J) Y and Z(s, s) = L11⁻ᵀ D⁻¹ L11⁻¹ − Z(J, s)ᵀ Y, Z(J, J)
// gathered from the later blocks.
#pragma once

#include "network/SupernodalFactor.h"

#include <memory>
#include <vector>

namespace traverse {

class SelectedInverse {
public:
    explicit SelectedInverse(const SupernodalFactor& factor);
    // Z already known, in blocks of that structure (network/SimplicialFactor.h hands
    // its recurrence's result over so, one column a block).
    SelectedInverse(std::shared_ptr<const SupernodalStructure> structure,
                    std::vector<double> values);

    // By A's columns; NaN for a pair off the pattern.
    double At(int column1, int column2) const;

private:
    std::shared_ptr<const SupernodalStructure> m_s;
    std::vector<double> m_values; // Z in the factor's blocks, diagonal blocks whole
    // Per column of the factor: its rows from its diagonal on, rows[begin .. end), and
    // where Z holds the diagonal's.
    struct Column {
        int begin, end;
        size_t value;
    };
    std::vector<Column> m_columns;
    const int* m_position = nullptr; // the structure's, for At
    const int* m_rows = nullptr;

    void IndexColumns();

    void Gather(int s, std::vector<double>& zjj) const;
};

} // namespace traverse
