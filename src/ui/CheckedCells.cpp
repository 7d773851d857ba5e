#include "ui/CheckedCells.h"

#include "ui/ResultsWindow.h"

#include <QHeaderView>
#include <QLabel>
#include <QTableWidget>

namespace {
const QColor kPassTint(221, 242, 221), kFailTint(252, 218, 218);
const QColor kPassText(0, 110, 0), kFailText(190, 0, 0);
} // namespace

QTableWidget* NewChecksTable(QWidget* parent, const QStringList& headers) {
    auto* table = new QTableWidget(0, static_cast<int>(headers.size()), parent);
    table->setObjectName(QStringLiteral("closureTable"));
    table->setHorizontalHeaderLabels(headers);
    table->verticalHeader()->hide();
    table->verticalHeader()->setDefaultSectionSize(parent->fontMetrics().height() + 8);
    CopyRowsOnCopyKey(*table);
    return table;
}

void SetCheckedCell(QTableWidget& table, int row, int col, const QString& text,
                    std::optional<bool> pass, bool verdict, bool number) {
    auto* item = new QTableWidgetItem(text);
    item->setFlags(Qt::ItemIsSelectable | Qt::ItemIsEnabled);
    if (number) item->setTextAlignment(Qt::AlignRight | Qt::AlignVCenter);
    if (pass) {
        item->setBackground(*pass ? kPassTint : kFailTint);
        if (verdict) {
            item->setForeground(*pass ? kPassText : kFailText);
            QFont bold = table.font();
            bold.setBold(true);
            item->setFont(bold);
        }
    }
    table.setItem(row, col, item);
}

QLabel* NewVerdictLine(QWidget* parent) {
    auto* line = new QLabel(parent);
    line->setObjectName(QStringLiteral("gradeVerdict"));
    QFont bold = line->font();
    bold.setBold(true);
    line->setFont(bold);
    return line;
}

void ShowVerdictLine(QLabel& line, const QString& text, bool pass) {
    line.setText(text);
    const QColor& colour = pass ? kPassText : kFailText;
    line.setStyleSheet(QStringLiteral("color: rgb(%1, %2, %3);")
                           .arg(colour.red())
                           .arg(colour.green())
                           .arg(colour.blue()));
}
