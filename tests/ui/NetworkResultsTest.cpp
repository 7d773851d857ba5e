// The results window over the adjusted network of examples/network/ (three traverses
// meeting at J1): its four tabs, the closures of each line as the core checks them, the
// coordinates saved as the core writes them; a traverse keeps its five tabs.
#include "write/AdjustedExamples.h"

#include "ui/ResultsWindow.h"

#include "model/NumberText.h"
#include "network/LineClosures.h"
#include "network/NetworkAdjustment.h"
#include "read/KnownPointFile.h"
#include "write/CoordinateFiles.h"
#include "write/NetworkResults.h"
#include "write/ResultsText.h"

#include <QAbstractButton>
#include <QApplication>
#include <QComboBox>
#include <QDir>
#include <QFile>
#include <QLabel>
#include <QLineEdit>
#include <QRegularExpression>
#include <QSpinBox>
#include <QTabWidget>
#include <QTableWidget>
#include <QTemporaryDir>

#include <gtest/gtest.h>

#include <cstdlib>
#include <stdexcept>

using namespace traverse;

namespace {
const std::string kNetworkDir = std::string(TA_EXAMPLES_DIR) + "/network/";

// Files (paths) joined with the known points and adjusted as the batch tool does, kept in
// the workspace.
std::unique_ptr<AdjustedExample> AdjustAsNetwork(const std::vector<std::string>& paths,
                                                 const std::vector<NetworkKnownPoint>& known) {
    auto run = std::make_unique<AdjustedExample>();
    std::vector<NetworkFile> files;
    for (const std::string& path : paths)
        files.push_back({path, ReadObservationFile(path).read.observations});
    auto network = std::get<NetworkObservations>(JoinNetwork(files, known));
    auto adjustment = std::get<NetworkAdjustment>(AdjustNetwork(network, {}));
    run->dlg.m_network = AdjustedNetworkRun{std::move(network), std::move(adjustment)};
    return run;
}

// examples/network/ with its known.dat.
std::unique_ptr<AdjustedExample> AdjustNetworkExample() {
    std::vector<KnownPointEntry> entries;
    if (ReadKnownPointFile(kNetworkDir + "known.dat", entries)) throw std::runtime_error("known");
    std::vector<NetworkKnownPoint> known;
    for (const KnownPointEntry& e : entries)
        known.push_back({e.name, e.xy, e.height, "known.dat"});
    return AdjustAsNetwork(
        {kNetworkDir + "south.txt", kNetworkDir + "north.txt", kNetworkDir + "east.txt"}, known);
}

QStringList TabTitles(const CResultsWindow& window) {
    QStringList titles;
    for (int i = 0; i < window.Tabs()->count(); ++i)
        titles << window.Tabs()->tabText(i);
    return titles;
}

class NetworkResults : public ::testing::Test {
protected:
    template <class T> T& Find(const char* name) {
        T* child = window.findChild<T*>(QLatin1String(name));
        if (child == nullptr) throw std::runtime_error(name);
        return *child;
    }
    const NetworkObservations& Network() const { return run->dlg.m_network->observations; }
    const NetworkAdjustment& Adjustment() const { return run->dlg.m_network->adjustment; }

    std::unique_ptr<AdjustedExample> run = AdjustNetworkExample();
    CResultsWindow window{run->dlg, nullptr};
    QTemporaryDir dir;
};
} // namespace

TEST_F(NetworkResults, FourTabsWithoutTheCalculationSheet) {
    EXPECT_EQ(TabTitles(window), QStringList({"闭合差与限差", "坐标成果", "导线图", "粗差检验"}));
    EXPECT_EQ(window.findChild<QTableWidget*>("sheetTable"), nullptr);
    EXPECT_EQ(static_cast<size_t>(Find<QTableWidget>("testsTable").rowCount()),
              Adjustment().tests.observations.size());
    EXPECT_TRUE(Find<QAbstractButton>("saveHtml").isVisibleTo(&window));
    // With a folder in TA_RESULTS_SHOTS, each tab as the window opens, to be looked at.
    if (const char* shots = std::getenv("TA_RESULTS_SHOTS")) {
        window.show();
        for (int i = 0; i < window.Tabs()->count(); ++i) {
            window.Tabs()->setCurrentIndex(i);
            QApplication::processEvents();
            window.grab().save(QDir(shots).filePath(QStringLiteral("network-%1.png").arg(i)));
        }
    }
}

// Each line's row holds its points, fx, fy, fD, ΣD and 1/K as LineClosures gives them, its
// length limit reduced at the junction, and the verdict of CheckLine for the grade chosen.
TEST_F(NetworkResults, ClosuresPerLineAgainstTheChosenGrade) {
    auto& table = Find<QTableWidget>("closureTable");
    const std::vector<LineClosure> lines = LineClosures(Network(), Adjustment().points);
    ASSERT_EQ(table.rowCount(), static_cast<int>(lines.size()));
    ASSERT_EQ(lines.size(), 3u);
    struct Case {
        int index;   // the chooser's: 6 图根, 0 三等, 7 自定义
        int k;       // a custom 1/K: south.txt's 1/77088 and north.txt's 1/56666 fail
        int failing; // lines
    };
    for (const Case c : {Case{6, 0, 0}, Case{0, 0, 0}, Case{7, 80000, 2}}) {
        Find<QComboBox>("gradeChooser").setCurrentIndex(c.index);
        if (c.k > 0) Find<QSpinBox>("customK").setValue(c.k);
        const Grade chosen = run->dlg.m_grade; // as the chooser keeps it for the run
        EXPECT_EQ(chosen.relativeK,
                  c.k > 0 ? c.k : StandardGrades()[static_cast<size_t>(c.index)].relativeK);
        bool pass = true;
        int failing = 0;
        for (int row = 0; row < table.rowCount(); ++row) {
            SCOPED_TRACE(row);
            const ClosureStatistics& c = lines[static_cast<size_t>(row)].closure;
            const GradeChecks checks = CheckLine(lines[static_cast<size_t>(row)], chosen);
            pass = pass && checks.Pass();
            failing += !checks.Pass();
            const auto cell = [&](int col) { return table.item(row, col)->text().toStdString(); };
            EXPECT_EQ(cell(0),
                      LinePointsText(Network(), Network().lines[static_cast<size_t>(row)]));
            EXPECT_EQ(cell(1), VerdictText(checks.Pass()));
            EXPECT_EQ(table.item(row, 1)->foreground().color(),
                      checks.Pass() ? QColor(0, 110, 0) : QColor(190, 0, 0));
            EXPECT_EQ(cell(2), "—") << "no azimuth condition at J1";
            EXPECT_EQ(cell(4), FormatSignedTenth(c.fx));
            EXPECT_EQ(cell(5), FormatSignedTenth(c.fy));
            EXPECT_EQ(cell(6), FormatTenth(c.fd));
            EXPECT_EQ(cell(7), FormatFixed(c.length, 3));
            EXPECT_EQ(cell(8), chosen.lengthLimit == 0
                                   ? "—"
                                   : FormatShortest(checks.length.limit) + "（" +
                                         FormatShortest(chosen.lengthLimit) + "×0.7）");
            EXPECT_EQ(cell(9), "1/" + RelativeClosureText(c.k));
        }
        EXPECT_EQ(failing, c.failing);
        // The mean side shows only for a grade that limits it.
        EXPECT_EQ(table.isColumnHidden(11), chosen.meanSideLimit == 0);
        EXPECT_EQ(Find<QLabel>("gradeVerdict").text().toStdString(),
                  "等级 " + chosen.name + "：" + VerdictText(pass));
    }
    EXPECT_EQ(Find<QLabel>("networkSigma0").text().toStdString(),
              "单位权中误差 σ0 = " + FormatTenth(Adjustment().sigma0) +
                  "″（多余观测数 r = " + std::to_string(Adjustment().redundancy) + "）");
}

TEST_F(NetworkResults, CoordinatesSavedAsTheCoreWritesThem) {
    const TraverseResults points = NetworkPointResults(Network(), Adjustment());
    EXPECT_EQ(Find<QTableWidget>("coordinateTable").rowCount(),
              static_cast<int>(Network().points.size()));
    run->port.savePaths.push_back(QFile::encodeName(dir.filePath("网.csv")).toStdString());
    Find<QAbstractButton>("saveCsv").click();
    QFile saved(dir.filePath("网.csv"));
    ASSERT_TRUE(saved.open(QIODevice::ReadOnly));
    EXPECT_EQ(saved.readAll().toStdString(), CoordinatesCsv(points));
}

// The HTML page and the PDF hold the network's report with the project's name typed.
TEST_F(NetworkResults, ReportsSavedAsHtmlAndPdf) {
    Find<QLineEdit>("projectName").setText("城南加密");
    const auto saved = [&](const char* button, const QString& file) {
        run->port.savePaths.push_back(QFile::encodeName(dir.filePath(file)).toStdString());
        Find<QAbstractButton>(button).click();
        QFile bytes(dir.filePath(file));
        return bytes.open(QIODevice::ReadOnly) ? bytes.readAll() : QByteArray();
    };
    const QByteArray html = saved("saveHtml", "网.html");
    EXPECT_TRUE(html.contains("<h1>导线网平差成果</h1>"));
    EXPECT_TRUE(html.contains("城南加密"));
    ASSERT_TRUE(saved("savePdf", "网.pdf").startsWith("%PDF"));
    const QString text = dir.filePath("网.txt");
    const std::string command = "pdftotext -layout '" + dir.filePath("网.pdf").toStdString() +
                                "' '" + text.toStdString() + "'";
    ASSERT_EQ(std::system(command.c_str()), 0);
    QFile file(text);
    ASSERT_TRUE(file.open(QIODevice::ReadOnly));
    const QString pages = QString::fromUtf8(file.readAll()).remove(QRegularExpression("\\s"));
    for (const char* wanted :
         {"导线网平差成果", "项目名称城南加密", "结点J1", "导线节1（south.txt）",
          "坐标成果与点位精度", "粗差检验", "导线网图", "第1页"})
        EXPECT_TRUE(pages.contains(QString::fromUtf8(wanted))) << wanted;
    EXPECT_FALSE(pages.contains("导线计算表"));
}

// closed.txt adjusted as a one-file network: its one line closes as the traverse does.
TEST(NetworkResultsTraverse, AClosedTraverseAsANetworkClosesAsTheTraverse) {
    const Example& closed = kExamples[0];
    const auto run =
        AdjustAsNetwork({std::string(TA_EXAMPLES_DIR) + "/" + closed.file},
                        {{"D21", closed.start1, {}, "D21"}, {"D22", closed.start2, {}, "D22"}});
    CResultsWindow window{run->dlg, nullptr};
    const auto* table = window.findChild<QTableWidget*>("closureTable");
    ASSERT_EQ(table->rowCount(), 1);
    QStringList cells;
    for (const int col : {2, 6, 9})
        cells << table->item(0, col)->text();
    EXPECT_EQ(cells.join(' '), "-4.0 2.6 1/578931"); // fβ, fD and 1/K of the traverse's tab
}

TEST(NetworkResultsTraverse, ATraverseKeepsItsFiveTabs) {
    const auto run = Adjust(kExamples[0]);
    CResultsWindow window{run->dlg, nullptr};
    EXPECT_EQ(TabTitles(window),
              QStringList({"闭合差与限差", "坐标成果", "导线图", "导线计算表", "粗差检验"}));
}
