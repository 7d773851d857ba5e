// The observation grid over a read-only table widget: it shows what the computation
// uses. The fixed header row and column are the table's own headers, so they stay in
// view while the cells scroll; grid cell (r, c) is table cell (r - 1, c - 1) when both are fixed.
#pragma once

#include "workspace/WindowPort.h"

#include <QString>

class QTableWidget;
class QTableWidgetItem;

class CQtGridCtrl : public CGridCtrl {
public:
    explicit CQtGridCtrl(QTableWidget& table);

    int GetRowCount() const override { return m_rows; }
    int GetColumnCount() const override { return m_columns; }
    int GetFixedRowCount() const override { return m_fixedRows; }
    int GetFixedColumnCount() const override { return m_fixedColumns; }
    bool SetRowCount(int rows) override;
    bool SetColumnCount(int cols) override;
    // At most one fixed row and one fixed column.
    bool SetFixedRowCount(int rows) override;
    bool SetFixedColumnCount(int cols) override;
    bool SetItemText(int row, int col, const std::string& text) override;
    std::string GetItemText(int row, int col) const override;
    void SetItemFormat(int row, int col, unsigned format) override;
    bool SetRowHeight(int row, int pixels) override;
    bool SetColumnWidth(int col, int pixels) override;
    void SetDefaultCellBackground(unsigned rgb) override;
    void Refresh() override;
    void EnsureVisible(int row, int col) override;

    QTableWidget& Table() const { return m_table; }

private:
    bool Contains(int row, int col) const;
    // The table item that shows cell (row, col), created on demand; nullptr for the corner.
    QTableWidgetItem* Item(int row, int col, bool create) const;
    void SyncShape();

    QTableWidget& m_table;
    int m_rows = 0, m_columns = 0, m_fixedRows = 0, m_fixedColumns = 0;
    QString m_corner; // cell (0, 0) when both are fixed; the table has no place for it
};
