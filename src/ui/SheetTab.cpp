#include "ui/SheetTab.h"

#include "ui/ResultsWindow.h"

#include "platform/ShownText.h"
#include "workspace/TraverseAdjustDlg.h"
#include "write/CalculationSheet.h"

#include <QApplication>
#include <QClipboard>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QPushButton>
#include <QTableWidget>
#include <QVBoxLayout>

using namespace traverse;

namespace {
// The footer under the table, as the sheet's CSV and the HTML report give it, for the
// grade chosen.
QString FooterText(const TraverseResults& results, const Grade& grade) {
    QStringList parts;
    for (const std::string& line : CalculationSheetFooter(results.sheet, results.closure, grade))
        parts << QString::fromStdString(ShownText(line));
    return parts.join(QStringLiteral("；"));
}

void FillTable(QTableWidget& table, const std::vector<std::vector<std::string>>& cells) {
    table.setRowCount(static_cast<int>(cells.size()) - 1);
    for (int row = 1; row < static_cast<int>(cells.size()); ++row) {
        const std::vector<std::string>& line = cells[static_cast<size_t>(row)];
        const bool sums = row + 1 == static_cast<int>(cells.size());
        for (int col = 0; col < static_cast<int>(line.size()); ++col) {
            const std::string text = col == 0 ? ShownText(line[0]) : line[static_cast<size_t>(col)];
            auto* item = new QTableWidgetItem(QString::fromStdString(text));
            item->setFlags(Qt::ItemIsSelectable | Qt::ItemIsEnabled);
            item->setTextAlignment((col == 0 ? Qt::AlignLeft : Qt::AlignRight) | Qt::AlignVCenter);
            if (sums) item->setBackground(QColor(228, 236, 248));
            table.setItem(row - 1, col, item);
        }
    }
    FitColumnsWhenShown(table);
}
} // namespace

CSheetTab::CSheetTab(CTraverseAdjustDlg& ws, const TraverseResults& results, QWidget* parent)
    : QWidget(parent), m_ws(ws), m_results(results) {
    setObjectName(QStringLiteral("sheetTab"));
    // With heights, their four columns follow (the table then scrolls sideways).
    auto cells = CalculationSheetCells(results.sheet);
    const auto heights = CalculationSheetHeightCells(results.sheet);
    for (size_t row = 0; row < heights.size() && row < cells.size(); ++row)
        cells[row].insert(cells[row].end(), heights[row].begin(), heights[row].end());
    m_table = new QTableWidget(0, static_cast<int>(cells.front().size()), this);
    m_table->setObjectName(QStringLiteral("sheetTable"));
    // Units under the names ("ΔX计算值" over "(m)"), so that the columns are as narrow as
    // their figures and all fifteen fit a 1024-pixel screen.
    QStringList headers;
    for (const std::string& h : cells.front())
        headers << QString::fromStdString(h).replace(QLatin1Char('('), QStringLiteral("\n("));
    m_table->setHorizontalHeaderLabels(headers);
    m_table->verticalHeader()->hide();
    m_table->verticalHeader()->setDefaultSectionSize(fontMetrics().height() + 8);
    CopyRowsOnCopyKey(*m_table);
    FillTable(*m_table, cells);

    m_closures = new QLabel(FooterText(results, ws.m_grade), this);
    m_closures->setObjectName(QStringLiteral("sheetClosures"));
    m_closures->setTextInteractionFlags(Qt::TextSelectableByMouse);
    m_closures->setWordWrap(true);
    auto* buttons = new QHBoxLayout;
    QPushButton* copy = AddResultButton(*buttons, this, "copySheet", "复制到剪贴板");
    QPushButton* csv = AddResultButton(*buttons, this, "saveSheetCsv", "保存为 CSV…");
    buttons->addStretch();
    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(2, 4, 2, 4); // the tab's frame is margin enough
    layout->addWidget(m_table);
    layout->addWidget(m_closures);
    layout->addLayout(buttons);

    connect(copy, &QPushButton::clicked, this,
            [this] { QApplication::clipboard()->setText(TableText()); });
    connect(csv, &QPushButton::clicked, this, [&ws, &results] {
        ws.SaveResultAs(kCalculationSheetFile, [&ws, &results] {
            return CalculationSheetCsv(results.sheet, results.closure, ws.m_grade, ws.m_heightGrade);
        });
    });
}

// The grade may have been chosen anew on the closures' tab since.
void CSheetTab::showEvent(QShowEvent* event) {
    m_closures->setText(FooterText(m_results, m_ws.m_grade));
    QWidget::showEvent(event);
}

QString CSheetTab::TableText() const { return TabSeparatedText(*m_table); }
