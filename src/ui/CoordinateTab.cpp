#include "ui/CoordinateTab.h"

#include "ui/ResultsWindow.h"

#include "platform/ShownText.h"
#include "workspace/TraverseAdjustDlg.h"
#include "write/CoordinateFiles.h"
#include "write/ResultsText.h"

#include <QApplication>
#include <QClipboard>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QPushButton>
#include <QTableWidget>
#include <QVBoxLayout>

#include <vector>

using namespace traverse;

namespace {
bool HeightsComputed(const TraverseResults& r) { return r.heights && r.heights->Computed(); }

// The coordinates' columns, then the heights' where they were computed.
QStringList Headers(const TraverseResults& results) {
    QStringList headers = QtTexts(CoordinateTableHeaders());
    if (HeightsComputed(results)) headers << QtTexts(HeightTableHeaders());
    return headers;
}

QStringList Cells(const ResultPoint& p, bool heights) {
    std::vector<std::string> cells = CoordinateTableRow(p);
    cells[0] = ShownText(cells[0]);
    if (heights)
        for (std::string& cell : HeightTableRow(p))
            cells.push_back(std::move(cell));
    return QtTexts(cells);
}

void FillTable(QTableWidget& table, const TraverseResults& results) {
    table.setRowCount(static_cast<int>(results.points.size()));
    const int kind = static_cast<int>(CoordinateTableHeaders().size()) - 1; // 点类
    for (int row = 0; row < table.rowCount(); ++row) {
        const ResultPoint& p = results.points[static_cast<size_t>(row)];
        const QStringList cells = Cells(p, HeightsComputed(results));
        for (int col = 0; col < cells.size(); ++col) {
            auto* item = new QTableWidgetItem(cells[col]);
            item->setFlags(Qt::ItemIsSelectable | Qt::ItemIsEnabled);
            const bool number = col > 0 && col != kind;
            item->setTextAlignment((number ? Qt::AlignRight : Qt::AlignLeft) | Qt::AlignVCenter);
            if (p.known) item->setBackground(QColor(228, 236, 248));
            table.setItem(row, col, item);
        }
    }
    FitColumnsWhenShown(table);
}

} // namespace

CCoordinateTab::CCoordinateTab(CTraverseAdjustDlg& ws, const TraverseResults& results,
                               QWidget* parent)
    : QWidget(parent) {
    setObjectName(QStringLiteral("coordinatesTab"));
    const QStringList headers = Headers(results);
    m_table = new QTableWidget(0, static_cast<int>(headers.size()), this);
    m_table->setObjectName(QStringLiteral("coordinateTable"));
    m_table->setHorizontalHeaderLabels(headers);
    m_table->verticalHeader()->hide();
    CopyRowsOnCopyKey(*m_table);
    FillTable(*m_table, results);

    auto* buttons = new QHBoxLayout;
    QPushButton* copy = AddResultButton(*buttons, this, "copyCoordinates", "复制到剪贴板");
    QPushButton* csv = AddResultButton(*buttons, this, "saveCsv", "保存为 CSV…");
    QPushButton* dat = AddResultButton(*buttons, this, "saveDat", "保存为 DAT…");
    buttons->addStretch();
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(m_table);
    layout->addLayout(buttons);

    connect(copy, &QPushButton::clicked, this,
            [this] { QApplication::clipboard()->setText(TableText()); });
    connect(csv, &QPushButton::clicked, this, [&ws, &results] {
        ws.SaveResultAs(kCoordinatesCsvFile, [&results] { return CoordinatesCsv(results); });
    });
    connect(dat, &QPushButton::clicked, this, [&ws, &results] {
        ws.SaveResultAs(kCoordinatesDatFile, [&results] { return CoordinatesDat(results); });
    });
}

QString CCoordinateTab::TableText() const { return TabSeparatedText(*m_table); }
