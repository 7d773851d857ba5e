// The results window over the adjusted closed example, one test per tab: what each tab
// shows comes from the core, rounded for reading, and what it saves is the core's bytes.
#include "results/AdjustedExamples.h"

#include "ui/PlotPainter.h"
#include "ui/ResultsWindow.h"

#include "results/CoordinateFiles.h"
#include "results/SvgPlot.h"

#include <QAbstractButton>
#include <QApplication>
#include <QClipboard>
#include <QComboBox>
#include <QDoubleSpinBox>
#include <QFile>
#include <QImage>
#include <QSpinBox>
#include <QTabWidget>
#include <QTableWidget>
#include <QTemporaryDir>

#include <gtest/gtest.h>

namespace {
class ResultsWindow : public ::testing::Test {
protected:
    template <class T> T* Find(const char* name) {
        T* child = window.findChild<T*>(QLatin1String(name));
        EXPECT_NE(child, nullptr) << name;
        return child;
    }
    // Saves through a button, the save dialog answered with a file in a new folder.
    QByteArray SaveWith(const char* button, const char* file) {
        run->port.savePaths.push_back(QFile::encodeName(dir.filePath(file)).toStdString());
        Find<QAbstractButton>(button)->click();
        QFile saved(dir.filePath(file));
        return saved.open(QIODevice::ReadOnly) ? saved.readAll() : QByteArray();
    }

    std::unique_ptr<AdjustedExample> run = Adjust(kExamples[0]);
    TraverseResults results = CollectResults(run->dlg);
    CResultsWindow window{run->dlg, nullptr};
    QTemporaryDir dir;
};

// The texts of the closure table's row whose item starts with the given words.
QStringList RowOf(const QTableWidget& table, const QString& item) {
    for (int row = 0; row < table.rowCount(); ++row)
        if (table.item(row, 0)->text().startsWith(item)) {
            QStringList cells;
            for (int col = 0; col < table.columnCount(); ++col)
                cells << table.item(row, col)->text();
            return cells;
        }
    return {};
}
} // namespace

TEST_F(ResultsWindow, ClosuresAgainstTheChosenGrade) {
    auto* table = Find<QTableWidget>("closureTable");
    auto* grade = Find<QComboBox>("gradeChooser");
    ASSERT_TRUE(table && grade);
    EXPECT_EQ(window.windowTitle(), "平差成果");
    EXPECT_EQ(grade->currentText(), "图根");
    EXPECT_EQ(RowOf(*table, "全长闭合差")[1], "2.6 mm");
    EXPECT_EQ(RowOf(*table, "单位权中误差")[1], "0.8″");
    EXPECT_EQ(RowOf(*table, "最弱点")[1], "T3：M = 3.4 mm");

    struct Case {
        const char* name;
        int grade; // index in the chooser; 6 custom, 1/600000 and 1″√n
        QStringList azimuth, relative, verdict;
    };
    const Case cases[] = {
        {"图根",
         5,
         {"-4.0″", "±147.0″（60″√n）", "合格"},
         {"1/578931", "1/2000", "合格"},
         {"", "", "合格"}},
        {"三等",
         0,
         {"-4.0″", "±8.8″（3.6″√n）", "合格"},
         {"1/578931", "1/55000", "合格"},
         {"", "", "合格"}},
        {"custom",
         6,
         {"-4.0″", "±2.4″（1″√n）", "超限"},
         {"1/578931", "1/600000", "超限"},
         {"", "", "超限"}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        grade->setCurrentIndex(c.grade);
        if (c.grade == 6) {
            Find<QSpinBox>("customK")->setValue(600000);
            Find<QDoubleSpinBox>("customCoefficient")->setValue(1.0);
        }
        EXPECT_EQ(RowOf(*table, "方位角闭合差").mid(1), c.azimuth);
        EXPECT_EQ(RowOf(*table, "全长相对闭合差").mid(1), c.relative);
        EXPECT_EQ(RowOf(*table, "等级").mid(1), c.verdict);
    }
    // A failed check in red.
    for (int row = 0; row < table->rowCount(); ++row) {
        const QTableWidgetItem* verdict = table->item(row, 3);
        if (verdict->text() == "超限") {
            EXPECT_EQ(verdict->foreground().color(), QColor(190, 0, 0)) << row;
        }
    }
}

TEST_F(ResultsWindow, CoordinateTableCopiedAndSaved) {
    auto* table = Find<QTableWidget>("coordinateTable");
    ASSERT_NE(table, nullptr);
    ASSERT_EQ(table->rowCount(), 6);
    auto row = [table](int r) {
        QStringList cells;
        for (int col = 0; col < table->columnCount(); ++col)
            cells << table->item(r, col)->text();
        return cells.join(' ');
    };
    EXPECT_EQ(row(0), "D21 3381252.418 501734.206       已知点");
    EXPECT_EQ(row(1), "T1 3381382.324 501961.040 1.83 1.35 1.23 1.41 1.17 330°12′01.99″ 待定点");

    Find<QAbstractButton>("copyCoordinates")->click();
    const QStringList lines = QApplication::clipboard()->text().split('\n');
    ASSERT_GE(lines.size(), 3);
    EXPECT_TRUE(lines[0].startsWith("点名\tX(m)\tY(m)\tM(mm)"));
    EXPECT_EQ(lines[2].split('\t').join(' '), row(1));

    const auto messages = run->port.messageIds;
    EXPECT_EQ(SaveWith("saveCsv", "成果.csv").toStdString(), CoordinatesCsv(results));
    EXPECT_EQ(SaveWith("saveDat", "成果.dat").toStdString(), CoordinatesDat(results));
    EXPECT_EQ(run->port.messageIds, messages) << "written without a message";
}

TEST_F(ResultsWindow, PlotFitsTheWindowAndIsSaved) {
    window.Tabs()->setCurrentIndex(2);
    window.show();
    auto* view = Find<CPlotView>("plotView");
    ASSERT_NE(view, nullptr);
    for (QSize size : {QSize(820, 560), QSize(1000, 700)}) {
        window.resize(size);
        QApplication::processEvents();
        const PlotModel plot = view->Model();
        EXPECT_EQ(plot.width, view->width());
        EXPECT_EQ(plot.ellipses.size(), 5u) << "one per new point";
        const QImage shown = view->grab().toImage();
        int red = 0;
        for (int y = 0; y < shown.height(); ++y)
            for (int x = 0; x < shown.width(); ++x) {
                const QColor c = shown.pixelColor(x, y);
                red += c.red() > 200 && c.green() < 120 && c.blue() < 120;
            }
        EXPECT_GT(red, 50) << "the ellipses are drawn";
    }

    QImage png;
    ASSERT_TRUE(png.loadFromData(SaveWith("savePng", "导线图.png"), "PNG"));
    EXPECT_EQ(png.size(), QSize(1600, 1200));
    EXPECT_EQ(SaveWith("saveSvg", "导线图.svg").toStdString(),
              WriteSvgPlot(BuildPlotModel(results, 800, 600)));
}
