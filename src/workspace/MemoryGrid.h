// A grid kept in memory: counts, cell texts, formats, sizes. The batch tool's window and
// the tests use it where no widget shows the observation table.
#pragma once

#include "workspace/WindowPort.h"

#include <map>
#include <string>
#include <utility>
#include <vector>

class CMemoryGrid : public CGridCtrl {
public:
    int GetRowCount() const override { return rows; }
    int GetColumnCount() const override { return cols; }
    int GetFixedRowCount() const override { return fixedRows; }
    int GetFixedColumnCount() const override { return fixedCols; }
    bool SetRowCount(int r) override;
    bool SetColumnCount(int c) override;
    bool SetFixedRowCount(int r) override {
        fixedRows = r;
        return true;
    }
    bool SetFixedColumnCount(int c) override {
        fixedCols = c;
        return true;
    }
    bool SetItemText(int row, int col, const std::string& text) override;
    std::string GetItemText(int row, int col) const override;
    void SetItemFormat(int row, int col, unsigned format) override;
    bool SetRowHeight(int row, int px) override;
    bool SetColumnWidth(int col, int px) override;
    void SetDefaultCellBackground(unsigned rgb) override { background = rgb; }
    void Refresh() override { ++refreshCount; }

    int rows = 0, cols = 0, fixedRows = 0, fixedCols = 0;
    std::vector<std::vector<std::string>> cells; // [row][col]
    std::map<std::pair<int, int>, unsigned> formats;
    std::map<int, int> rowHeights, colWidths;
    unsigned background = 0xFFFFFFu;
    int refreshCount = 0;
    int outOfRangeWrites = 0; // writes to cells the grid does not have

private:
    void Resize();
};
