#include "ui/GridCtrl.h"

#include <QColor>
#include <QHeaderView>
#include <QPalette>
#include <QTableWidget>

namespace {
// The raw cell text; the table shows it without surrounding white space.
constexpr int kRawTextRole = Qt::UserRole + 1;

Qt::Alignment AlignmentOf(unsigned format) {
    constexpr unsigned kDtRight = 0x2, kDtBottom = 0x8;
    Qt::Alignment a;
    if (format & kDtCenter)
        a |= Qt::AlignHCenter;
    else if (format & kDtRight)
        a |= Qt::AlignRight;
    else
        a |= Qt::AlignLeft;
    if (format & kDtVCenter)
        a |= Qt::AlignVCenter;
    else if (format & kDtBottom)
        a |= Qt::AlignBottom;
    else
        a |= Qt::AlignTop;
    return a;
}
} // namespace

CQtGridCtrl::CQtGridCtrl(QTableWidget& table) : m_table(table) {
    m_table.setRowCount(0);
    m_table.setColumnCount(0);
    m_table.setWordWrap(true);
    m_table.verticalHeader()->setSectionResizeMode(QHeaderView::Fixed);
    m_table.verticalHeader()->setMinimumSectionSize(1);
    m_table.horizontalHeader()->setMinimumSectionSize(1);
    m_table.verticalHeader()->setDefaultAlignment(Qt::AlignCenter);
    m_table.horizontalHeader()->setHighlightSections(false);
    m_table.verticalHeader()->setHighlightSections(false);
    m_table.setTabKeyNavigation(false);
    m_table.setEditTriggers(QAbstractItemView::NoEditTriggers);
    SyncShape();
}

void CQtGridCtrl::SyncShape() {
    m_table.horizontalHeader()->setVisible(m_fixedRows == 1);
    m_table.verticalHeader()->setVisible(m_fixedColumns == 1);
    m_table.setRowCount(std::max(0, m_rows - m_fixedRows));
    m_table.setColumnCount(std::max(0, m_columns - m_fixedColumns));
}

bool CQtGridCtrl::SetRowCount(int rows) {
    if (rows < 0) return false;
    m_rows = rows;
    SyncShape();
    return true;
}

bool CQtGridCtrl::SetColumnCount(int cols) {
    if (cols < 0) return false;
    m_columns = cols;
    SyncShape();
    return true;
}

bool CQtGridCtrl::SetFixedRowCount(int rows) {
    if (rows < 0 || rows > 1) return false;
    m_fixedRows = rows;
    if (m_rows < rows) m_rows = rows;
    SyncShape();
    return true;
}

bool CQtGridCtrl::SetFixedColumnCount(int cols) {
    if (cols < 0 || cols > 1) return false;
    m_fixedColumns = cols;
    if (m_columns < cols) m_columns = cols;
    SyncShape();
    return true;
}

bool CQtGridCtrl::Contains(int row, int col) const {
    return row >= 0 && col >= 0 && row < m_rows && col < m_columns;
}

QTableWidgetItem* CQtGridCtrl::Item(int row, int col, bool create) const {
    const bool headerRow = row < m_fixedRows, headerColumn = col < m_fixedColumns;
    if (headerRow && headerColumn) return nullptr;
    const int r = row - m_fixedRows, c = col - m_fixedColumns;
    QTableWidgetItem* item = nullptr;
    if (headerRow) {
        item = m_table.horizontalHeaderItem(c);
        if (item == nullptr && create) {
            item = new QTableWidgetItem();
            m_table.setHorizontalHeaderItem(c, item);
        }
    } else if (headerColumn) {
        item = m_table.verticalHeaderItem(r);
        if (item == nullptr && create) {
            item = new QTableWidgetItem();
            m_table.setVerticalHeaderItem(r, item);
        }
    } else {
        item = m_table.item(r, c);
        if (item == nullptr && create) {
            item = new QTableWidgetItem();
            item->setTextAlignment(Qt::AlignLeft | Qt::AlignVCenter);
            m_table.setItem(r, c, item);
        }
    }
    return item;
}

bool CQtGridCtrl::SetItemText(int row, int col, const std::string& text) {
    if (!Contains(row, col)) return false;
    const QString raw = QString::fromStdString(text);
    QTableWidgetItem* item = Item(row, col, true);
    if (item == nullptr) {
        m_corner = raw;
        return true;
    }
    item->setData(kRawTextRole, raw);
    item->setText(raw.trimmed());
    return true;
}

std::string CQtGridCtrl::GetItemText(int row, int col) const {
    if (!Contains(row, col)) return {};
    QTableWidgetItem* item = Item(row, col, false);
    if (row < m_fixedRows && col < m_fixedColumns) return m_corner.toStdString();
    if (item == nullptr) return {};
    // A cell the user has typed into gives the typed text.
    const QString raw = item->data(kRawTextRole).toString();
    return (raw.trimmed() == item->text() ? raw : item->text()).toStdString();
}

void CQtGridCtrl::SetItemFormat(int row, int col, unsigned format) {
    if (!Contains(row, col)) return;
    if (QTableWidgetItem* item = Item(row, col, true)) item->setTextAlignment(AlignmentOf(format));
}

bool CQtGridCtrl::SetRowHeight(int row, int pixels) {
    if (row < 0 || row >= m_rows || pixels < 0) return false;
    if (row < m_fixedRows)
        m_table.horizontalHeader()->setFixedHeight(pixels);
    else
        m_table.setRowHeight(row - m_fixedRows, pixels);
    return true;
}

bool CQtGridCtrl::SetColumnWidth(int col, int pixels) {
    if (col < 0 || col >= m_columns || pixels < 0) return false;
    if (col < m_fixedColumns)
        m_table.verticalHeader()->setFixedWidth(pixels);
    else
        m_table.setColumnWidth(col - m_fixedColumns, pixels);
    return true;
}

void CQtGridCtrl::SetDefaultCellBackground(unsigned rgb) {
    const QColor color(static_cast<int>(rgb & 0xFF), static_cast<int>((rgb >> 8) & 0xFF),
                       static_cast<int>((rgb >> 16) & 0xFF));
    QPalette palette = m_table.palette();
    palette.setColor(QPalette::Base, color);
    m_table.setPalette(palette);
}

void CQtGridCtrl::Refresh() { m_table.viewport()->update(); }

// A header row or column stands for the first row or column of cells.
void CQtGridCtrl::EnsureVisible(int row, int col) {
    if (!Contains(row, col)) return;
    const int r = std::max(0, row - m_fixedRows), c = std::max(0, col - m_fixedColumns);
    if (r >= m_table.rowCount() || c >= m_table.columnCount()) return;
    m_table.scrollTo(m_table.model()->index(r, c), QAbstractItemView::EnsureVisible);
}
