#include "ui/ResultsWindow.h"

#include "ui/ClosureTab.h"
#include "ui/CoordinateTab.h"
#include "ui/NetworkClosureTab.h"
#include "ui/PlotTab.h"
#include "ui/ReportPrinter.h"
#include "ui/SheetTab.h"
#include "ui/TestsTab.h"

#include "workspace/TraverseAdjustDlg.h"
#include "write/HtmlReport.h"
#include "write/NetworkHtml.h"
#include "write/NetworkReportContent.h"
#include "write/NetworkResults.h"

#include <QApplication>
#include <QClipboard>
#include <QDialogButtonBox>
#include <QDir>
#include <QFileInfo>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QMessageBox>
#include <QPrintDialog>
#include <QPrinter>
#include <QProgressDialog>
#include <QPushButton>
#include <QScreen>
#include <QTabWidget>
#include <QTableWidget>
#include <QVBoxLayout>

#include <algorithm>
#include <memory>
#include <set>

using namespace traverse;

namespace {
constexpr int kWidth = 820, kHeight = 560; // pixels: room for the table's ten columns

// At least the room the tables want, and as much of the screen as the calculation
// sheet's columns need, less a margin for the frame and the task bar.
QSize OpeningSize(const QWidget& window) {
    const QScreen* screen = window.screen();
    if (screen == nullptr) return {kWidth, kHeight};
    const QRect free = screen->availableGeometry();
    constexpr int kMostWidth = 1280, kMostHeight = 900; // enough for every column
    return {std::clamp(free.width() - 24, kWidth, kMostWidth),
            std::clamp(free.height() * 9 / 10, kHeight, kMostHeight)};
}

// The network's points where the workspace holds a network and no traverse.
const AdjustedNetworkRun* NetworkOf(const CTraverseAdjustDlg& ws) {
    return !ws.m_adjusted && ws.m_network ? &*ws.m_network : nullptr;
}

TraverseResults ResultsOf(const CTraverseAdjustDlg& ws) {
    if (const AdjustedNetworkRun* run = NetworkOf(ws))
        return NetworkPointResults(run->observations, run->adjustment);
    return CollectResults(*ws.m_adjusted);
}
} // namespace

CResultsWindow::CResultsWindow(CTraverseAdjustDlg& ws, QWidget* parent)
    : QDialog(parent), m_ws(ws), m_network(NetworkOf(ws)), m_results(ResultsOf(ws)) {
    setObjectName(QStringLiteral("resultsWindow"));
    setWindowTitle(QStringLiteral("平差成果"));
    if (parent != nullptr) setFont(parent->font());
    setSizeGripEnabled(true);
    resize(OpeningSize(*this));

    m_tabs = new QTabWidget(this);
    if (m_network != nullptr)
        AddNetworkTabs(*m_network);
    else
        AddTraverseTabs();
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(m_tabs);
    layout->addLayout(ButtonRow());
}

void CResultsWindow::AddTraverseTabs() {
    CTraverseAdjustDlg& ws = m_ws;
    m_tabs->addTab(new CClosureTab(m_results, ws.m_grade, ws.m_heightGrade, m_tabs),
                   QStringLiteral("闭合差与限差"));
    m_tabs->addTab(new CCoordinateTab(ws, m_results, m_tabs), QStringLiteral("坐标成果"));
    m_tabs->addTab(new CPlotTab(ws, m_results, m_tabs), QStringLiteral("导线图"));
    m_tabs->addTab(new CSheetTab(ws, m_results, m_tabs), QStringLiteral("导线计算表"));
    m_tabs->addTab(new CTestsTab(*ws.m_adjusted, m_results, m_tabs), QStringLiteral("粗差检验"));
}

// No calculation sheet: a network has none.
void CResultsWindow::AddNetworkTabs(const AdjustedNetworkRun& run) {
    const NetworkObservations& n = run.observations;
    const NetworkAdjustment& a = run.adjustment;
    m_tabs->addTab(new CNetworkClosureTab(n, a, m_ws.m_grade, m_tabs),
                   QStringLiteral("闭合差与限差"));
    m_tabs->addTab(new CCoordinateTab(m_ws, m_results, m_tabs), QStringLiteral("坐标成果"));
    m_tabs->addTab(new CPlotTab(m_ws, NetworkPlot(m_results, n), m_tabs), QStringLiteral("导线图"));
    m_tabs->addTab(new CTestsTab(a.tests, NetworkObservationNamer(n), a.redundancy, m_tabs),
                   QStringLiteral("粗差检验"));
}

// The project's name, the report saved as HTML or PDF or printed, and 关闭.
QHBoxLayout* CResultsWindow::ButtonRow() {
    auto* buttons = new QDialogButtonBox(this);
    QPushButton* close = buttons->addButton(QStringLiteral("关闭"), QDialogButtonBox::RejectRole);
    close->setObjectName(QStringLiteral("closeResults"));
    auto* row = new QHBoxLayout;
    // The project's name for the HTML report, the PDF and the print, kept for the run.
    auto* project = new QLineEdit(QString::fromStdString(m_ws.m_strProject), this);
    project->setObjectName(QStringLiteral("projectName"));
    project->setPlaceholderText(QStringLiteral("（可不填）"));
    connect(project, &QLineEdit::textChanged, this,
            [this](const QString& text) { m_ws.m_strProject = text.trimmed().toStdString(); });
    row->addWidget(new QLabel(QStringLiteral("项目名称"), this));
    row->addWidget(project, 1);
    QPushButton* html = AddResultButton(*row, this, "saveHtml", QStringLiteral("保存网页报告…"));
    QPushButton* pdf = AddResultButton(*row, this, "savePdf", QStringLiteral("保存PDF…"));
    QPushButton* print = AddResultButton(*row, this, "printReport", QStringLiteral("打印…"));
    row->addStretch();
    row->addWidget(buttons);
    connect(html, &QPushButton::clicked, this,
            [this] { m_ws.SaveResultAs(kHtmlReportFile, [this] { return HtmlReport(); }); });
    connect(pdf, &QPushButton::clicked, this, [this] { SavePdf(); });
    connect(print, &QPushButton::clicked, this, [this] { Print(); });
    connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);
    return row;
}

std::string CResultsWindow::HtmlReport() const {
    if (m_network != nullptr)
        return BuildNetworkHtml(m_network->observations, m_network->adjustment,
                                m_ws.CurrentNetworkContext());
    return BuildHtmlReport(m_results, m_ws.CurrentReportContext());
}

void CResultsWindow::SavePdf() {
    // The file first: nothing is drawn for a dialog that is cancelled.
    const auto path =
        m_ws.ChooseSaveTarget(kPdfReportFile.extension, kPdfReportFile.what, kPdfReportFile.filter);
    if (!path) return;
    std::string bytes;
    const PrintOutcome outcome = PagesPdf(Pages(), bytes, PagesProgress());
    if (outcome == PrintOutcome::kStopped) return; // nothing saved, as asked
    if (outcome != PrintOutcome::kDone) {          // nothing is saved that holds no report
        QMessageBox::warning(this, windowTitle(), QStringLiteral("PDF 不能生成，未保存。"));
        return;
    }
    m_ws.SaveResultFile(*path, bytes);
}

PrintOutcome CResultsWindow::PrintTo(QPrinter& printer, const PageProgress& progress) const {
    return PrintPages(printer, Pages(), progress);
}

ReportPages CResultsWindow::Pages() const {
    if (m_network == nullptr) return TraversePages(m_results, m_ws.CurrentReportContext());
    const NetworkObservations& n = m_network->observations;
    return {QStringLiteral("导线网平差成果"),
            BuildNetworkReportContent(n, m_network->adjustment, m_ws.CurrentNetworkContext()),
            NetworkPlot(m_results, n), QStringLiteral("导线网图")};
}

// Shown when the pages take longer than a moment; 取消 stops the drawing after the page
// being drawn.
PageProgress CResultsWindow::PagesProgress() {
    auto dialog = std::make_shared<QProgressDialog>(QStringLiteral("正在生成报告的页面…"),
                                                    QStringLiteral("取消"), 0, 1, this);
    dialog->setWindowTitle(windowTitle());
    dialog->setWindowModality(Qt::WindowModal);
    dialog->setMinimumDuration(300);
    dialog->setAutoClose(false);
    dialog->setValue(0);
    return [dialog](int page, int pages) {
        dialog->setMaximum(pages);
        dialog->setLabelText(
            QStringLiteral("正在生成报告：第 %1 页，共 %2 页").arg(page).arg(pages));
        dialog->setValue(page);
        return !dialog->wasCanceled();
    };
}

void CResultsWindow::Print() {
    QPrinter printer(QPrinter::HighResolution);
    // The job's name, and the file 打印到文件 proposes, follow the observation file
    // ("closed-平差成果.pdf"). The dialog proposes it, as it is made, in the folder the
    // program runs in when that is under the home folder: the observation file's, here.
    const QFileInfo proposed(QString::fromStdString(m_ws.DefaultSavePath("平差成果")));
    printer.setDocName(proposed.fileName());
    const QString before = QDir::currentPath();
    if (!m_ws.m_strLastFolder.empty()) QDir::setCurrent(proposed.absolutePath());
    QPrintDialog dialog(&printer, this);
    QDir::setCurrent(before);
    dialog.setWindowTitle(QStringLiteral("打印平差成果"));
    if (dialog.exec() != QDialog::Accepted) return;
    if (PrintTo(printer, PagesProgress()) == PrintOutcome::kFailed)
        QMessageBox::warning(this, windowTitle(), QStringLiteral("打印机不能打印，报告未打印。"));
}

namespace {
// The header and the given rows, a tab between cells, a line feed after each row.
QString RowsText(const QTableWidget& table, const QList<int>& rows) {
    QStringList headers;
    for (int col = 0; col < table.columnCount(); ++col)
        headers << (table.horizontalHeaderItem(col)
                        ? table.horizontalHeaderItem(col)->text().remove(QLatin1Char('\n'))
                        : QString()); // a header over two lines is one name
    QString text = headers.join('\t') + '\n';
    for (int row : rows) {
        QStringList cells;
        for (int col = 0; col < table.columnCount(); ++col)
            cells << (table.item(row, col) ? table.item(row, col)->text() : QString());
        text += cells.join('\t') + '\n';
    }
    return text;
}

class CopyKeyFilter : public QObject {
public:
    explicit CopyKeyFilter(QTableWidget& table) : QObject(&table), m_table(table) {}

protected:
    bool eventFilter(QObject* watched, QEvent* event) override {
        if (event->type() != QEvent::KeyPress ||
            !static_cast<QKeyEvent*>(event)->matches(QKeySequence::Copy))
            return QObject::eventFilter(watched, event);
        std::set<int> selected;
        for (const QTableWidgetItem* item : m_table.selectedItems())
            selected.insert(item->row());
        QList<int> rows(selected.begin(), selected.end());
        if (rows.isEmpty())
            for (int row = 0; row < m_table.rowCount(); ++row)
                rows << row;
        QApplication::clipboard()->setText(RowsText(m_table, rows));
        return true;
    }

private:
    QTableWidget& m_table;
};

class FitOnFirstShow : public QObject {
public:
    explicit FitOnFirstShow(QTableWidget& table) : QObject(&table), m_table(table) {}

protected:
    bool eventFilter(QObject* watched, QEvent* event) override {
        if (event->type() == QEvent::Show) {
            m_table.removeEventFilter(this);
            m_table.resizeColumnsToContents();
            // A last column that stretches is stretched again: the fitting just set it.
            QHeaderView& header = *m_table.horizontalHeader();
            if (header.stretchLastSection()) {
                header.setStretchLastSection(false);
                header.setStretchLastSection(true);
            }
            deleteLater();
        }
        return QObject::eventFilter(watched, event);
    }

private:
    QTableWidget& m_table;
};
} // namespace

QString TabSeparatedText(const QTableWidget& table) {
    QList<int> rows;
    for (int row = 0; row < table.rowCount(); ++row)
        rows << row;
    return RowsText(table, rows);
}

void CopyRowsOnCopyKey(QTableWidget& table) { table.installEventFilter(new CopyKeyFilter(table)); }

void FitColumnsWhenShown(QTableWidget& table) {
    table.installEventFilter(new FitOnFirstShow(table));
}

QLabel* NewTextLine(const QString& text, const char* name, QWidget* parent) {
    auto* label = new QLabel(text, parent);
    label->setObjectName(QLatin1String(name));
    label->setTextInteractionFlags(Qt::TextSelectableByMouse);
    label->setWordWrap(true);
    return label;
}

QStringList QtTexts(const std::vector<std::string>& texts) {
    QStringList out;
    for (const std::string& text : texts)
        out << QString::fromStdString(text);
    return out;
}

QPushButton* AddResultButton(QHBoxLayout& row, QWidget* parent, const char* name,
                             const QString& text) {
    auto* button = new QPushButton(text, parent);
    button->setObjectName(QLatin1String(name));
    row.addWidget(button);
    return button;
}
