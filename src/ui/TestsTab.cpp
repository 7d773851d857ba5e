#include "ui/TestsTab.h"

#include "ui/ResultsWindow.h"

#include "platform/ShownText.h"
#include "write/ObservationTestsText.h"

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
QString Shown(const std::string& utf8) { return QString::fromStdString(ShownText(utf8)); }

void FillTable(QTableWidget& table, const std::vector<std::vector<std::string>>& rows) {
    table.setRowCount(static_cast<int>(rows.size()));
    for (int row = 0; row < table.rowCount(); ++row) {
        const auto& cells = rows[static_cast<size_t>(row)];
        const bool flagged = cells.back() == "超限";
        for (int col = 0; col < static_cast<int>(cells.size()); ++col) {
            auto* item = new QTableWidgetItem(Shown(cells[static_cast<size_t>(col)]));
            item->setFlags(Qt::ItemIsSelectable | Qt::ItemIsEnabled);
            const bool number = col > 0 && col + 1 < static_cast<int>(cells.size());
            item->setTextAlignment((number ? Qt::AlignRight : Qt::AlignLeft) | Qt::AlignVCenter);
            if (flagged) item->setForeground(QColor(0xbe, 0x00, 0x00));
            table.setItem(row, col, item);
        }
    }
    FitColumnsWhenShown(table);
}
} // namespace

CTestsTab::CTestsTab(const AdjustedTraverse& adjusted, const TraverseResults& results,
                     QWidget* parent)
    : CTestsTab(
          adjusted.tests,
          [&observations = results.observations](const ObservationTest& t) {
              return ObservationName(t, observations);
          },
          adjusted.precision.redundancy, parent) {}

CTestsTab::CTestsTab(const ObservationTests& tests, const ObservationNamer& name, int redundancy,
                     QWidget* parent)
    : QWidget(parent) {
    setObjectName(QStringLiteral("testsTab"));
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(NewTextLine(Shown(GlobalTestLine(tests)), "globalTest", this));
    QStringList suspects;
    for (const std::string& line : SuspectLines(tests, name))
        suspects << Shown(line);
    layout->addWidget(NewTextLine(suspects.join(QLatin1Char('\n')), "suspects", this));
    layout->addWidget(NewTextLine(Shown(EllipseLevelLine(redundancy)), "ellipseLevel", this));

    const QStringList headers = QtTexts(ObservationTestHeaders());
    m_table = new QTableWidget(0, static_cast<int>(headers.size()), this);
    m_table->setObjectName(QStringLiteral("testsTable"));
    m_table->setHorizontalHeaderLabels(headers);
    m_table->verticalHeader()->hide();
    m_table->horizontalHeader()->setStretchLastSection(true);
    m_table->verticalHeader()->setDefaultSectionSize(fontMetrics().height() + 8);
    CopyRowsOnCopyKey(*m_table);
    FillTable(*m_table, ObservationTestRows(tests, name));
    layout->addWidget(m_table, 1);

    auto* buttons = new QHBoxLayout;
    QPushButton* copy = AddResultButton(*buttons, this, "copyTests", "复制到剪贴板");
    buttons->addStretch();
    layout->addLayout(buttons);
    connect(copy, &QPushButton::clicked, this,
            [this] { QApplication::clipboard()->setText(TableText()); });
}

QString CTestsTab::TableText() const { return TabSeparatedText(*m_table); }
