#include "ui/SheetTab.h"

#include "ui/ResultsWindow.h"

#include "model/NumberText.h"
#include "platform/ShownText.h"
#include "workspace/TraverseAdjustDlg.h"
#include "write/CalculationSheet.h"
#include "write/ResultsText.h"

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
// The closures under the table, as the sheet's CSV gives them.
QString ClosureLine(const ClosureStatistics& c) {
    QStringList parts;
    if (c.azimuthCondition)
        parts << QStringLiteral("fβ = %1″")
                     .arg(QString::fromStdString(FormatSignedTenth(c.azimuthClosure)));
    parts << QStringLiteral("fx = %1 mm").arg(QString::fromStdString(FormatSignedTenth(c.fx)))
          << QStringLiteral("fy = %1 mm").arg(QString::fromStdString(FormatSignedTenth(c.fy)))
          << QStringLiteral("fD = %1 mm").arg(QString::fromStdString(FormatTenth(c.fd)))
          << QStringLiteral("K = 1/%1").arg(QString::fromStdString(RelativeClosureText(c.k)));
    return parts.join(QStringLiteral("，"));
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
    table.resizeColumnsToContents();
}
} // namespace

CSheetTab::CSheetTab(CTraverseAdjustDlg& ws, const TraverseResults& results, QWidget* parent)
    : QWidget(parent) {
    setObjectName(QStringLiteral("sheetTab"));
    const auto cells = CalculationSheetCells(results.sheet);
    m_table = new QTableWidget(0, static_cast<int>(cells.front().size()), this);
    m_table->setObjectName(QStringLiteral("sheetTable"));
    QStringList headers;
    for (const std::string& h : cells.front())
        headers << QString::fromStdString(h);
    m_table->setHorizontalHeaderLabels(headers);
    m_table->verticalHeader()->hide();
    CopyRowsOnCopyKey(*m_table);
    FillTable(*m_table, cells);

    auto* closures = new QLabel(ClosureLine(results.closure), this);
    closures->setObjectName(QStringLiteral("sheetClosures"));
    closures->setTextInteractionFlags(Qt::TextSelectableByMouse);
    auto* buttons = new QHBoxLayout;
    QPushButton* copy = AddResultButton(*buttons, this, "copySheet", "复制到剪贴板");
    QPushButton* csv = AddResultButton(*buttons, this, "saveSheetCsv", "保存为 CSV…");
    buttons->addStretch();
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(m_table);
    layout->addWidget(closures);
    layout->addLayout(buttons);

    connect(copy, &QPushButton::clicked, this,
            [this] { QApplication::clipboard()->setText(TableText()); });
    connect(csv, &QPushButton::clicked, this, [&ws, &results] {
        ws.SaveResultAs(kCalculationSheetFile,
                        [&results] { return CalculationSheetCsv(results.sheet, results.closure); });
    });
}

QString CSheetTab::TableText() const { return TabSeparatedText(*m_table); }
