#include "ui/NetworkClosureTab.h"

#include "ui/CheckedCells.h"
#include "ui/GradeChooser.h"
#include "ui/ResultsWindow.h"

#include "platform/ShownText.h"
#include "write/NetworkClosureTable.h"
#include "write/ResultsText.h"

#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QTableWidget>
#include <QVBoxLayout>

using namespace traverse;

namespace {
constexpr size_t kVerdict = 1;        // the column of the line's verdict
constexpr int kMostColumnWidth = 240; // pixels: a long line's points elided

// The headers, their units on a second line as the calculation sheet's.
QStringList Headers() {
    QStringList headers = QtTexts(NetworkClosureHeaders());
    for (QString& h : headers)
        h.replace(QLatin1Char('('), QStringLiteral("\n("));
    return headers;
}

QString Shown(const std::string& utf8) { return QString::fromStdString(ShownText(utf8)); }

// A column no line has a value in (the mean side where the grade has no limit) is hidden.
void HideEmptyColumns(QTableWidget& table) {
    for (int col = 0; col < table.columnCount(); ++col) {
        bool empty = true;
        for (int row = 0; row < table.rowCount() && empty; ++row)
            empty = table.item(row, col) == nullptr || table.item(row, col)->text().isEmpty();
        table.setColumnHidden(col, empty && table.rowCount() > 0);
    }
}
} // namespace

CNetworkClosureTab::CNetworkClosureTab(const NetworkObservations& network,
                                       const NetworkAdjustment& adjustment, Grade& remembered,
                                       QWidget* parent)
    : QWidget(parent), m_network(network), m_adjustment(adjustment), m_remembered(remembered) {
    setObjectName(QStringLiteral("closureTab"));
    m_table = NewChecksTable(this, Headers());
    // Every column as wide as its texts; a long line's points shortened in the middle
    // (whole in its tooltip).
    QHeaderView* header = m_table->horizontalHeader();
    header->setSectionResizeMode(QHeaderView::ResizeToContents);
    header->setMaximumSectionSize(kMostColumnWidth);
    m_table->setTextElideMode(Qt::ElideMiddle);
    m_verdict = NewVerdictLine(this);
    m_sigma0 = NewTextLine({}, "networkSigma0", this);
    m_notes = NewTextLine({}, "closureNotes", this);

    auto* chooser = new QHBoxLayout;
    m_chooser = new CGradeChooser(*this, *chooser, [this] { ShowChecks(); });
    chooser->addStretch();
    auto* layout = new QVBoxLayout(this);
    layout->addLayout(chooser);
    layout->addWidget(m_verdict);
    layout->addWidget(m_sigma0);
    layout->addWidget(m_table, 1);
    layout->addWidget(m_notes);
    m_chooser->Show(m_remembered);
}

void CNetworkClosureTab::ShowChecks() {
    const Grade grade = m_chooser->Chosen();
    m_remembered = grade;
    const NetworkClosureTable table = BuildNetworkClosureTable(m_network, m_adjustment, grade);
    m_table->setRowCount(static_cast<int>(table.rows.size()));
    for (size_t row = 0; row < table.rows.size(); ++row) {
        const std::vector<CheckedCell>& cells = table.rows[row];
        for (size_t col = 0; col < cells.size(); ++col)
            SetCheckedCell(*m_table, static_cast<int>(row), static_cast<int>(col),
                           Shown(cells[col].text), cells[col].pass, col == kVerdict,
                           col > kVerdict);
        m_table->item(static_cast<int>(row), 0)
            ->setToolTip(m_table->item(static_cast<int>(row), 0)->text());
    }
    HideEmptyColumns(*m_table);
    ShowVerdictLine(*m_verdict,
                    "等级 " + QString::fromStdString(grade.name) + "：" +
                        QString::fromStdString(VerdictText(table.pass)),
                    table.pass);
    m_sigma0->setText(Shown(table.sigma0));
    QStringList notes;
    for (const std::string& note : table.notes)
        notes << Shown(note);
    m_notes->setText(notes.join(QLatin1Char('\n')));
}
