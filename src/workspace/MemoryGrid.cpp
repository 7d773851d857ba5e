#include "workspace/MemoryGrid.h"

bool CMemoryGrid::SetRowCount(int r) {
    if (r < 0) return false;
    rows = r;
    Resize();
    return true;
}

bool CMemoryGrid::SetColumnCount(int c) {
    if (c < 0) return false;
    cols = c;
    Resize();
    return true;
}

void CMemoryGrid::Resize() {
    cells.resize(static_cast<size_t>(rows));
    for (auto& row : cells)
        row.resize(static_cast<size_t>(cols));
}

bool CMemoryGrid::SetItemText(int row, int col, const std::string& text) {
    if (row < 0 || col < 0 || row >= rows || col >= cols) {
        ++outOfRangeWrites;
        return false;
    }
    cells[static_cast<size_t>(row)][static_cast<size_t>(col)] = text;
    return true;
}

std::string CMemoryGrid::GetItemText(int row, int col) const {
    if (row < 0 || col < 0 || row >= rows || col >= cols) return {};
    return cells[static_cast<size_t>(row)][static_cast<size_t>(col)];
}

void CMemoryGrid::SetItemFormat(int row, int col, unsigned format) { formats[{row, col}] = format; }

bool CMemoryGrid::SetRowHeight(int row, int px) {
    rowHeights[row] = px;
    return true;
}

bool CMemoryGrid::SetColumnWidth(int col, int px) {
    colWidths[col] = px;
    return true;
}
