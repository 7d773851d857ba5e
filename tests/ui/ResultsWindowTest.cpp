// The results window over the adjusted closed example, one test per tab: what each tab
// shows comes from the core, rounded for reading, and what it saves is the core's bytes.
#include "write/AdjustedExamples.h"

#include "ui/PlotPainter.h"
#include "ui/ResultsWindow.h"

#include "workspace/ControlIds.h"
#include "write/CoordinateFiles.h"
#include "write/SvgPlot.h"

#include <QAbstractButton>
#include <QApplication>
#include <QClipboard>
#include <QComboBox>
#include <QDoubleSpinBox>
#include <QFile>
#include <QHeaderView>
#include <QImage>
#include <QLabel>
#include <QLineEdit>
#include <QPrinter>
#include <QRegularExpression>
#include <QSpinBox>
#include <QTabWidget>
#include <QTableWidget>
#include <QTemporaryDir>
#include <QTest>

#include <gtest/gtest.h>

#include <cstdlib>
#include <stdexcept>

using namespace traverse;

namespace {
// The cells of a table's row, joined by spaces; the row whose first cell starts with
// the given words, or the row at the given index.
QString RowOf(const QTableWidget& table, const QString& first, int index = -1) {
    for (int row = 0; row < table.rowCount(); ++row)
        if (row == index || (index < 0 && table.item(row, 0)->text().startsWith(first))) {
            QStringList cells;
            for (int col = 0; col < table.columnCount(); ++col)
                cells << table.item(row, col)->text();
            return cells.join(' ');
        }
    return {};
}

class ResultsWindow : public ::testing::Test {
protected:
    template <class T> T& Find(const char* name) {
        T* child = window.findChild<T*>(QLatin1String(name));
        if (child == nullptr) throw std::runtime_error(name);
        return *child;
    }
    // Saves through a button, the save dialog answered with a file in a new folder.
    QByteArray SaveWith(const char* button, const char* file) {
        run->port.savePaths.push_back(QFile::encodeName(dir.filePath(file)).toStdString());
        Find<QAbstractButton>(button).click();
        QFile saved(dir.filePath(file));
        return saved.open(QIODevice::ReadOnly) ? saved.readAll() : QByteArray();
    }

    std::unique_ptr<AdjustedExample> run = Adjust(kExamples[0]);
    TraverseResults results = CollectResults(*run->dlg.m_adjusted);
    CResultsWindow window{run->dlg, nullptr};
    QTemporaryDir dir;
};
} // namespace

TEST_F(ResultsWindow, ClosuresAgainstTheChosenGrade) {
    auto& table = Find<QTableWidget>("closureTable");
    auto& grade = Find<QComboBox>("gradeChooser");
    EXPECT_EQ(grade.currentText(), "图根");
    EXPECT_EQ(RowOf(table, "全长闭合差"), "全长闭合差 fD 2.6 mm  ");
    EXPECT_EQ(RowOf(table, "最弱点"), "最弱点 T3：M = 3.4 mm  ");
    struct Case {
        int grade, k;       // the chooser's index (7 custom) and a custom 1/K
        double coefficient; // custom seconds per sqrt(n)
        QString azimuth, relative, verdict;
    };
    const Case cases[] = {
        {5, 0, 0, "方位角闭合差 fβ -4.0″ ±98.0″（40″√n） 合格",
         "全长相对闭合差 1/578931 1/2000 合格", "等级 图根首级   合格"},
        {6, 0, 0, "方位角闭合差 fβ -4.0″ ±147.0″（60″√n） 合格",
         "全长相对闭合差 1/578931 1/2000 合格", "等级 图根   合格"},
        {7, 600000, 1, "方位角闭合差 fβ -4.0″ ±2.4″（1″√n） 超限",
         "全长相对闭合差 1/578931 1/600000 超限", "等级 自定义   超限"},
    };
    for (const Case& c : cases) {
        grade.setCurrentIndex(c.grade);
        if (c.k > 0) Find<QSpinBox>("customK").setValue(c.k);
        if (c.k > 0) Find<QDoubleSpinBox>("customCoefficient").setValue(c.coefficient);
        EXPECT_EQ(RowOf(table, "方位角闭合差"), c.azimuth);
        EXPECT_EQ(RowOf(table, "全长相对闭合差"), c.relative);
        EXPECT_EQ(RowOf(table, "等级"), c.verdict);
        // The verdict also stands above the table, where scrolling cannot hide it.
        EXPECT_EQ(Find<QLabel>("gradeVerdict").text(),
                  c.verdict.section(' ', 0, 1) + "：" + c.verdict.section(' ', -1));
    }
    EXPECT_EQ(table.item(table.rowCount() - 1, 3)->foreground().color(), QColor(190, 0, 0));
    // Changing the grade never leaves a column collapsed: the verdict's column fills the
    // width the others leave.
    const QHeaderView& header = *table.horizontalHeader();
    int used = 0;
    for (int col = 0; col < 4; ++col)
        used += header.sectionSize(col);
    EXPECT_GE(used, table.viewport()->width() - 1);

    // 图根's length is held to the map scale chosen; the other grades have their own.
    auto& scale = Find<QComboBox>("mapScale");
    grade.setCurrentIndex(6);
    EXPECT_TRUE(scale.isEnabled());
    EXPECT_EQ(RowOf(table, "导线全长"),
              "导线全长 ΣD 1519.735 m 2000 m（未选测图比例尺，按 1:2000） 合格");
    scale.setCurrentIndex(1);
    EXPECT_EQ(RowOf(table, "导线全长"), "导线全长 ΣD 1519.735 m 500 m（测图比例尺 1:500） 超限");
    EXPECT_EQ(RowOf(table, "等级"), "等级 图根   超限");
    EXPECT_EQ(run->dlg.m_grade.mapScale, 500);
    grade.setCurrentIndex(3);
    EXPECT_FALSE(scale.isEnabled());
    EXPECT_EQ(RowOf(table, "平均边长"), "平均边长 253.289 m 250 m 超限");
}

// Ctrl+C on a table copies the rows of the selection whole, with the header; with
// nothing selected the whole table.
TEST_F(ResultsWindow, CopyKeyCopiesSelectedRowsWithTheHeader) {
    for (const char* name : {"closureTable", "coordinateTable", "sheetTable"}) {
        SCOPED_TRACE(name);
        auto& table = Find<QTableWidget>(name);
        table.clearSelection();
        QTest::keyClick(&table, Qt::Key_C, Qt::ControlModifier);
        const QStringList all = QApplication::clipboard()->text().split('\n', Qt::SkipEmptyParts);
        EXPECT_EQ(all.size(), table.rowCount() + 1);
        table.setSelectionMode(QAbstractItemView::MultiSelection);
        table.item(2, 1)->setSelected(true);
        table.item(1, 0)->setSelected(true);
        QTest::keyClick(&table, Qt::Key_C, Qt::ControlModifier);
        const QStringList lines = QApplication::clipboard()->text().split('\n', Qt::SkipEmptyParts);
        ASSERT_EQ(lines.size(), 3) << "the header and two rows";
        EXPECT_EQ(lines[0], all[0]);
        EXPECT_EQ(lines[1].split('\t').join(' '), RowOf(table, {}, 1));
        EXPECT_EQ(lines[2].split('\t').join(' '), RowOf(table, {}, 2));
    }
}

TEST_F(ResultsWindow, CoordinateTableCopiedAndSaved) {
    auto& table = Find<QTableWidget>("coordinateTable");
    ASSERT_EQ(table.rowCount(), 6);
    EXPECT_EQ(RowOf(table, {}, 0), "D21 3381252.418 501734.206       已知点");
    EXPECT_EQ(RowOf(table, {}, 1),
              "T1 3381382.324 501961.040 1.83 1.35 1.23 1.41 1.17 330°12′01.99″ 待定点");

    Find<QAbstractButton>("copyCoordinates").click();
    const QStringList lines = QApplication::clipboard()->text().split('\n');
    ASSERT_GE(lines.size(), 3);
    EXPECT_TRUE(lines[0].startsWith("点名\tX(m)\tY(m)\tM(mm)"));
    EXPECT_EQ(lines[2].split('\t').join(' '), RowOf(table, {}, 1));

    const auto messages = run->port.messageIds;
    EXPECT_EQ(SaveWith("saveCsv", "成果.csv").toStdString(), CoordinatesCsv(results));
    EXPECT_EQ(SaveWith("saveDat", "成果.dat").toStdString(), CoordinatesDat(results));
    EXPECT_EQ(run->port.messageIds, messages) << "written without a message";
}

TEST_F(ResultsWindow, CalculationSheetCopiedAndSaved) {
    auto& table = Find<QTableWidget>("sheetTable");
    ASSERT_EQ(table.rowCount(), 9) << "the start direction, seven stations and the sums";
    EXPECT_TRUE(RowOf(table, {}, 0).startsWith("D22→D21    149°59′59.0″"));
    EXPECT_TRUE(RowOf(table, "T5")
                    .startsWith("T5 244°39′20.0″ 0.7 244°39′20.7″ 4°15′24.0″ 277.841 "
                                "-0.2 277.075 20.623 -1 0 277.074 20.623"));
    EXPECT_TRUE(RowOf(table, "合计").startsWith("合计 1439°59′56.0″ 4.0 1440°00′00.0″  1519.736"));
    const QString footer = Find<QLabel>("sheetClosures").text();
    EXPECT_TRUE(footer.startsWith("理论角值和（外角，n = 6，不含 D21 连接角）Σβ理 = (n + 2)·180° = "
                                  "1440°00′00.0″；方位角闭合差 fβ(″) = Σβ测 − Σβ理 = -4.0；"));
    EXPECT_TRUE(footer.endsWith("允许相对闭合差 K允 = 1/2000"));

    Find<QAbstractButton>("copySheet").click();
    const QStringList lines = QApplication::clipboard()->text().split('\n');
    ASSERT_GE(lines.size(), 10);
    EXPECT_TRUE(lines[0].startsWith("点号\t观测角(左角)\t改正数(″)"));
    EXPECT_EQ(lines[9].split('\t').join(' '), RowOf(table, "合计"));
    EXPECT_EQ(SaveWith("saveSheetCsv", "计算表.csv").toStdString(),
              CalculationSheetCsv(results.sheet, results.closure, DefaultGrade()));
}

// The footer's limits and the saved sheet's follow the grade chosen on the closures' tab.
TEST_F(ResultsWindow, SheetFooterFollowsTheChosenGrade) {
    window.show();
    Find<QComboBox>("gradeChooser").setCurrentIndex(0); // 三等: ±3.6″√n, 1/55000
    window.Tabs()->setCurrentIndex(3);
    QApplication::processEvents();
    const QString footer = Find<QLabel>("sheetClosures").text();
    EXPECT_TRUE(footer.contains("；方位角闭合差限差 fβ允(″) = ±3.6√n = ±8.8；"));
    EXPECT_TRUE(footer.endsWith("允许相对闭合差 K允 = 1/55000"));
    EXPECT_EQ(SaveWith("saveSheetCsv", "计算表.csv").toStdString(),
              CalculationSheetCsv(results.sheet, results.closure, StandardGrades().front()));
}

// The long tables are fitted to their cells when their tab first shows: each column as
// wide as its widest cell or its header, the tests' last column to the table's edge.
TEST_F(ResultsWindow, TablesFitTheirCellsOnceShown) {
    window.show();
    for (const char* name : {"coordinateTable", "sheetTable", "testsTable"}) {
        SCOPED_TRACE(name);
        auto& table = Find<QTableWidget>(name);
        window.Tabs()->setCurrentWidget(table.parentWidget());
        QApplication::processEvents();
        const QHeaderView& header = *table.horizontalHeader();
        const int last = table.columnCount() - 1;
        for (int col = 0; col < last + (header.stretchLastSection() ? 0 : 1); ++col)
            EXPECT_EQ(header.sectionSize(col),
                      std::max(static_cast<const QAbstractItemView&>(table).sizeHintForColumn(col),
                               header.sectionSizeHint(col)))
                << col;
        if (header.stretchLastSection()) {
            EXPECT_EQ(header.length(), table.viewport()->width());
        }
    }
}

TEST_F(ResultsWindow, PlotFitsTheWindowAndIsSaved) {
    window.Tabs()->setCurrentIndex(2);
    window.show();
    auto& view = Find<CPlotView>("plotView");
    for (QSize size : {QSize(820, 560), QSize(1000, 700)}) {
        window.resize(size);
        QApplication::processEvents();
        EXPECT_EQ(view.Model().width, view.width());
        const QImage shown = view.grab().toImage();
        int red = 0; // the error ellipses
        for (int y = 0; y < shown.height(); ++y)
            for (int x = 0; x < shown.width(); ++x)
                red += shown.pixelColor(x, y).red() > 200 && shown.pixelColor(x, y).green() < 120;
        EXPECT_GT(red, 50);
    }
    QImage png;
    ASSERT_TRUE(png.loadFromData(SaveWith("savePng", "导线图.png"), "PNG"));
    EXPECT_EQ(png.size(), QSize(1600, 1200));
    EXPECT_EQ(
        SaveWith("saveSvg", "导线图.svg").toStdString(),
        WriteSvgPlot(BuildPlotModel(
            results, 800, 600, PlotTitle(run->dlg.m_strObservationPath, results.traverseType))));
}

namespace {
// A PDF's text as pdftotext reads it, without blanks.
QString PdfText(const QString& pdf) {
    const QString text = pdf + ".txt";
    const std::string command =
        "pdftotext -layout '" + pdf.toStdString() + "' '" + text.toStdString() + "'";
    if (std::system(command.c_str()) != 0) return {};
    QFile file(text);
    if (!file.open(QIODevice::ReadOnly)) return {};
    return QString::fromUtf8(file.readAll()).remove(QRegularExpression(QStringLiteral("\\s")));
}
} // namespace

// The grade chosen is the run's: a new results window opens on it, and the reports
// judge against it.
TEST_F(ResultsWindow, ChosenGradeIsKeptForTheRunAndInTheReports) {
    Find<QComboBox>("gradeChooser").setCurrentIndex(5);
    EXPECT_EQ(run->dlg.m_grade.name, "图根首级");
    CResultsWindow again{run->dlg, nullptr};
    EXPECT_EQ(again.findChild<QComboBox*>("gradeChooser")->currentText(), "图根首级");
    const QByteArray html = SaveWith("saveHtml", "报告.html");
    EXPECT_TRUE(html.contains("±98.0″（40″√n，n = 6）：合格"));
    EXPECT_TRUE(html.startsWith("<!DOCTYPE html>"));
}

// Printing and the saved PDF hold the report as text: the closures, the verdict, the
// sheet's sums and every point with its coordinates.
TEST_F(ResultsWindow, PrintsAndSavesThePdfAsText) {
    Find<QLineEdit>("projectName").setText(" 城北控制测量 ");
    EXPECT_EQ(run->dlg.m_strProject, "城北控制测量");
    QPrinter printer(QPrinter::HighResolution);
    printer.setOutputFormat(QPrinter::PdfFormat);
    printer.setOutputFileName(dir.filePath("printed.pdf"));
    ASSERT_EQ(window.PrintTo(printer), PrintOutcome::kDone);
    ASSERT_FALSE(SaveWith("savePdf", "报告.pdf").isEmpty());
    for (const char* pdf : {"printed.pdf", "报告.pdf"}) {
        SCOPED_TRACE(pdf);
        const QString text = PdfText(dir.filePath(pdf));
        for (const char* wanted :
             {"导线平差成果", "闭合导线", "全长相对闭合差 1/578931，限差 1/2000：合格",
              "等级 图根：合格", "导线计算表", "合计", "坐标成果与点位精度", "导线图", "第 1 页",
              "T1 3381382.324 501961.040", "T5 3380975.344 501713.583", "项目名称 城北控制测量",
              "计算者", "检查者"})
            EXPECT_TRUE(text.contains(QString::fromUtf8(wanted).remove(' '))) << wanted;
    }
}

// The tab 粗差检验 holds a row per observation and says whether a test was made; σ0 is
// in seconds with the classic weights and unitless (1 a priori) with the instrument's.
TEST(ResultsWindowTests, TestsTabAndSigma0FollowTheWeights) {
    const std::map<int, std::string> instrument = {
        {ctl::kSigmaAngle, "2"}, {ctl::kSigmaDistance, "2"}, {ctl::kSigmaPpm, "2"}};
    for (const bool given : {false, true}) {
        SCOPED_TRACE(given);
        const auto run = Adjust(kExamples[0], given ? instrument : std::map<int, std::string>{});
        ASSERT_TRUE(run->dlg.m_adjusted.has_value());
        CResultsWindow window{run->dlg, nullptr};
        EXPECT_EQ(window.Tabs()->tabText(4), QStringLiteral("粗差检验"));
        const auto* tests = window.findChild<QTableWidget*>("testsTable");
        ASSERT_NE(tests, nullptr);
        EXPECT_EQ(static_cast<size_t>(tests->rowCount()),
                  run->dlg.m_adjusted->tests.observations.size());
        EXPECT_EQ(window.findChild<QLabel*>("globalTest")->text().contains(QStringLiteral("卡方检验")),
                  given);
        const auto* closures = window.findChild<QTableWidget*>("closureTable");
        QString sigma0;
        for (int row = 0; row < closures->rowCount(); ++row)
            if (closures->item(row, 0)->text() == QStringLiteral("单位权中误差 σ0"))
                sigma0 = closures->item(row, 1)->text();
        EXPECT_EQ(sigma0.endsWith(QStringLiteral("（验前 1）")), given) << sigma0.toStdString();
        EXPECT_EQ(sigma0.endsWith(QStringLiteral("″")), !given) << sigma0.toStdString();
    }
}

// Heights typed at both ends: the closure tab checks fh against the height grade chosen
// (kept for the run), and 坐标成果 gains H and mH; without heights neither shows.
TEST(ResultsWindowHeights, ClosureAndCoordinatesShowTheHeights) {
    for (const bool heights : {false, true}) {
        SCOPED_TRACE(heights);
        auto run = std::make_unique<AdjustedExample>();
        run->port.ResetEdits(kSingleConnection);
        run->port.SetKnownPoints(1000, 1000, 1000, 800, 1500, 1650, 0, 0);
        if (heights) {
            run->port.texts[ctl::kInitZ1] = "45.3";
            run->port.texts[ctl::kGoalZ1] = "61.455";
        }
        run->port.openPaths.push_back(std::string(TA_TEST_DATA_DIR) + "/heights.con");
        run->dlg.OnImport();
        run->dlg.OnAdjust();
        ASSERT_TRUE(run->dlg.m_adjusted.has_value());
        CResultsWindow window{run->dlg, nullptr};
        const auto* closures = window.findChild<QTableWidget*>("closureTable");
        const auto* coordinates = window.findChild<QTableWidget*>("coordinateTable");
        auto* chooser = window.findChild<QComboBox*>("heightGradeChooser");
        ASSERT_NE(chooser, nullptr);
        EXPECT_EQ(chooser->isHidden(), !heights);
        EXPECT_EQ(coordinates->columnCount(), heights ? 12 : 10);
        // The sheet's four height columns (观测高差 .. 高程) follow its fifteen.
        EXPECT_EQ(window.findChild<QTableWidget*>("sheetTable")->columnCount(), heights ? 19 : 15);
        if (!heights) {
            EXPECT_TRUE(RowOf(*closures, QStringLiteral("高程")).isEmpty());
            continue;
        }
        EXPECT_EQ(coordinates->horizontalHeaderItem(10)->text(), QStringLiteral("H(m)"));
        EXPECT_EQ(coordinates->item(0, 10)->text(), QStringLiteral("45.300"));
        EXPECT_TRUE(RowOf(*closures, QStringLiteral("高程闭合差 fh")).contains(QStringLiteral("+19.0 mm")));
        const QString verdict = window.findChild<QLabel*>("gradeVerdict")->text();
        EXPECT_TRUE(verdict.contains(QStringLiteral("高程等级 图根"))) << verdict.toStdString();
        chooser->setCurrentIndex(0); // 四等: 20√L
        EXPECT_TRUE(RowOf(*closures, QStringLiteral("高程闭合差 fh")).contains(QStringLiteral("20√L")));
        EXPECT_EQ(run->dlg.m_heightGrade.name, "四等");
        EXPECT_EQ(run->dlg.CurrentReportContext().heightGrade.name, "四等");
    }
}
