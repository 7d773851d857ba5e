// The main window after its initialisation and through the type buttons: the widgets
// show what the workspace put through the port.
#include "ModalHelper.h"

#include "ui/TraverseWindow.h"

#include "workspace/ControlIds.h"
#include "workspace/TraverseAdjustDlg.h"

#include <QAbstractButton>
#include <QApplication>
#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QMessageBox>
#include <QPushButton>
#include <QScrollBar>
#include <QSignalSpy>
#include <QTableWidget>
#include <QTest>

#include <gtest/gtest.h>

#include <cmath>
#include <string>
#include <vector>

namespace {
using ctl::kNumberEdits;

// Heading, then labels and edits, of the four known-point groups.
const std::vector<int> kGroups[4] = {
    {ctl::kGroup1Heading, ctl::kGroup1LabelX, ctl::kGroup1LabelY, ctl::kGroup1LabelZ,
     ctl::kInitName1, ctl::kInitX1, ctl::kInitY1, ctl::kInitZ1},
    {ctl::kGroup2Heading, ctl::kGroup2LabelX, ctl::kGroup2LabelY, ctl::kGroup2LabelZ,
     ctl::kInitName2, ctl::kInitX2, ctl::kInitY2, ctl::kInitZ2},
    {ctl::kGroup3Heading, ctl::kGroup3LabelX, ctl::kGroup3LabelY, ctl::kGroup3LabelZ,
     ctl::kGoalName1, ctl::kGoalX1, ctl::kGoalY1, ctl::kGoalZ1},
    {ctl::kGroup4Heading, ctl::kGroup4LabelX, ctl::kGroup4LabelY, ctl::kGroup4LabelZ,
     ctl::kGoalName2, ctl::kGoalX2, ctl::kGoalY2, ctl::kGoalZ2},
};

class MainWindow : public ::testing::Test {
protected:
    void SetUp() override {
        window.Attach(ws);
        ws.OnInitDialog();
    }
    QWidget* W(int id) { return window.Controls().Widget(id); }
    QLineEdit* Edit(int id) { return qobject_cast<QLineEdit*>(W(id)); }
    QAbstractButton* Button(int id) { return window.Controls().Button(id); }
    QString Text(int id) { return QString::fromStdString(window.GetControlText(id)); }
    QTableWidget& Table() { return window.GridCtrl().Table(); }
    std::string DiagramPath(const char* file) {
        return QCoreApplication::applicationDirPath().toStdString() + "/" + file;
    }

    CTraverseWindow window;
    CTraverseAdjustDlg ws{&window};
};
} // namespace

TEST_F(MainWindow, AfterInitialisation) {
    for (int id : ctl::kKnownPointEdits)
        EXPECT_EQ(Edit(id)->text(), "") << id << ": untyped, not 0";
    for (int id : ctl::kClosureEdits)
        EXPECT_EQ(Edit(id)->text(), "") << id << ": no closure before an adjustment";
    EXPECT_TRUE(Button(ctl::kRadioNonOriented)->isChecked());
    for (int id : {ctl::kRadioSingle, ctl::kRadioClosed, ctl::kRadioDouble})
        EXPECT_FALSE(Button(id)->isChecked()) << id;
    for (int g = 0; g < 4; ++g)
        for (int id : kGroups[g])
            EXPECT_EQ(W(id)->isHidden(), g == 1 || g == 3) << id;
    EXPECT_EQ(Text(ctl::kGroup1Heading), "起始点");
    EXPECT_EQ(Text(ctl::kGroup3Heading), "终止点");
    EXPECT_FALSE(W(ctl::kAzimuthClosure)->isEnabled());
    // Heights are taken at the ends only; the orienting points' Z stays disabled.
    for (int id : {ctl::kInitZ2, ctl::kGoalZ2, ctl::kResults})
        EXPECT_FALSE(W(id)->isEnabled()) << id;
    for (int id : {ctl::kInitZ1, ctl::kGoalZ1, ctl::kWz})
        EXPECT_TRUE(W(id)->isEnabled()) << id;
    EXPECT_EQ(Text(ctl::kRefraction), "0.13");

    EXPECT_EQ(window.windowTitle(), "导线平差");
    EXPECT_TRUE(qobject_cast<QPushButton*>(Button(ctl::kImport))->isDefault());
}

// No frame from the window manager: the window's own caption shows the title and
// nothing else, and the whole window fits a 1024 x 768 screen with a taskbar.
TEST_F(MainWindow, TitleAndNothingElseAndFitsTheScreen) {
    EXPECT_TRUE(window.windowFlags() & Qt::FramelessWindowHint);
    for (Qt::WindowType hint : {Qt::WindowCloseButtonHint, Qt::WindowSystemMenuHint,
                                Qt::WindowMinimizeButtonHint, Qt::WindowMaximizeButtonHint})
        EXPECT_FALSE(window.windowFlags() & hint) << hint;
    const QWidget* caption = window.findChild<QWidget*>("caption");
    ASSERT_NE(caption, nullptr);
    EXPECT_TRUE(caption->findChildren<QWidget*>().isEmpty()) << "no buttons on the caption";

    const QSize client = window.Controls().Units().ToPixels(0, 0, 590, 326).size();
    EXPECT_EQ(window.size(), client + QSize(2, 2 + caption->height()));
    EXPECT_EQ(window.minimumSize(), window.maximumSize());
    EXPECT_LE(window.width(), 1000);
    EXPECT_LE(window.height(), 700);
}

TEST_F(MainWindow, GridShowsTheHeadersRowNumbersAndBackground) {
    QTableWidget& t = Table();
    ASSERT_EQ(t.rowCount(), 99);
    ASSERT_EQ(t.columnCount(), 8);
    const QStringList headers = {"测站点", "测站点前视", "测站点后视", "斜距",
                                 "水平角", "竖直角",     "仪器高",     "标杆高"};
    for (int c = 0; c < 8; ++c) {
        ASSERT_NE(t.horizontalHeaderItem(c), nullptr);
        EXPECT_EQ(t.horizontalHeaderItem(c)->text(), headers[c]);
        EXPECT_EQ(t.columnWidth(c), 100);
    }
    for (int r = 0; r < 99; ++r) {
        ASSERT_NE(t.verticalHeaderItem(r), nullptr);
        EXPECT_EQ(t.verticalHeaderItem(r)->text(), QString::number(r + 1));
        EXPECT_EQ(t.rowHeight(r), 20);
    }
    EXPECT_EQ(t.verticalHeader()->width(), 30);
    EXPECT_EQ(t.horizontalHeader()->height(), 20);
    EXPECT_EQ(t.palette().color(QPalette::Base), QColor(255, 228, 215));
    EXPECT_FALSE(t.horizontalHeader()->isHidden());
    EXPECT_FALSE(t.verticalHeader()->isHidden());
}

TEST_F(MainWindow, EachTypeButtonAppliesItsLayout) {
    struct Case {
        int radio;
        const char* diagram;
        const char* headings[4]; // empty: hidden
        bool azimuthClosureEnabled;
    };
    const Case cases[] = {
        {ctl::kRadioDouble, "双连接角.bmp", {"起始点1", "起始点2", "终止点1", "终止点2"}, true},
        {ctl::kRadioClosed, "闭合.bmp", {"已知点1", "已知点2", "", ""}, true},
        {ctl::kRadioSingle, "单连接角.bmp", {"起始点1", "起始点2", "终止点", ""}, false},
        {ctl::kRadioNonOriented, "无定向.bmp", {"起始点", "", "终止点", ""}, false},
    };
    ObservationRecord record{};
    SetName(record.szStation, "A");
    ws.m_arrObservations.Add(record);
    ws.m_nState = kObservationsLoaded;
    window.Grid().SetItemText(1, 1, "A");

    for (const Case& c : cases) {
        SCOPED_TRACE(c.diagram);
        for (int id : ctl::kKnownPointEdits)
            if (W(id)->isEnabled()) Edit(id)->setText("4321.5");
        Button(c.radio)->click();

        EXPECT_TRUE(Button(c.radio)->isChecked());
        for (int id : ctl::kKnownPointEdits)
            EXPECT_EQ(Edit(id)->text(), W(id)->isEnabled() ? "4321.5" : "") << id << " kept";
        for (int g = 0; g < 4; ++g) {
            const bool shown = *c.headings[g] != '\0';
            for (int id : kGroups[g])
                EXPECT_EQ(W(id)->isHidden(), !shown) << id;
            if (shown) {
                EXPECT_EQ(Text(kGroups[g][0]), c.headings[g]);
            }
        }
        EXPECT_EQ(W(ctl::kAzimuthClosure)->isEnabled(), c.azimuthClosureEnabled);
        for (int id : {ctl::kInitZ2, ctl::kGoalZ2, ctl::kResults})
            EXPECT_FALSE(W(id)->isEnabled()) << id;
        EXPECT_EQ(window.ImgEdit().Image(), DiagramPath(c.diagram));
        EXPECT_FALSE(window.ImgEdit().Label().pixmap().isNull());

        EXPECT_EQ(Table().item(0, 0)->text(), "A") << "the grid keeps the observations";
        EXPECT_EQ(ws.m_arrObservations.GetSize(), 1);
        EXPECT_EQ(ws.m_nState, kObservationsLoaded);
    }
}

// 导线网: its table and boxes in place of the four groups; a click on a row of the table
// brings its point into the boxes, 设为已知点 puts the boxes' point into the table.
TEST_F(MainWindow, TheNetworkShowsItsTableAndARowClickedFillsTheBoxes) {
    Button(ctl::kRadioNetwork)->click();
    for (int id : ctl::kNetworkControls)
        EXPECT_FALSE(W(id)->isHidden()) << id;
    for (const std::vector<int>& group : kGroups)
        for (int id : group)
            EXPECT_TRUE(W(id)->isHidden()) << id;
    EXPECT_EQ(window.ImgEdit().Image(), DiagramPath("导线网.bmp"));
    EXPECT_FALSE(window.ImgEdit().Label().pixmap().isNull());

    ws.m_networkKnown = {{"K1", 3380000.5, 500000.25, NAN}, {"J1"}};
    ws.ShowKnownPointTable();
    auto* known = qobject_cast<QTableWidget*>(W(ctl::kKnownGrid));
    ASSERT_NE(known, nullptr);
    window.show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&window));
    QTest::mouseClick(known->viewport(), Qt::LeftButton, {},
                      known->visualItemRect(known->item(0, 1)).center());
    EXPECT_EQ(Text(ctl::kNetName), "K1");
    EXPECT_EQ(Text(ctl::kNetX), "3380000.5");
    EXPECT_EQ(Text(ctl::kNetH), "");

    Edit(ctl::kNetName)->setText("J1");
    Edit(ctl::kNetX)->setText("3380100");
    Edit(ctl::kNetY)->setText("500100");
    Button(ctl::kNetSet)->click();
    EXPECT_EQ(known->item(1, 1)->text(), "3380100");
    window.hide();
}

TEST_F(MainWindow, NonNumberPromptsAndTheClickedTypeStillApplies) {
    Edit(ctl::kInitX1)->setText("12a");
    WhenMessageBox([](QWidget* box) {
        EXPECT_EQ(qobject_cast<QMessageBox*>(box)->text(), "请输入一个数字。");
        qobject_cast<QMessageBox*>(box)->button(QMessageBox::Ok)->click();
    });
    Button(ctl::kRadioClosed)->click();
    EXPECT_TRUE(Button(ctl::kRadioClosed)->isChecked());
    EXPECT_EQ(Edit(ctl::kInitX1)->text(), "") << "the text that was no number is gone";
    EXPECT_TRUE(W(ctl::kAzimuthClosure)->isEnabled());
    EXPECT_EQ(ws.m_nTraverseType, kClosed);
}

// The grid and the closure boxes show what was computed: typing into them changes
// nothing, Tab passes the closure boxes by, and an import shows the grid from its top.
TEST_F(MainWindow, GridAndClosureBoxesAreOutputs) {
    window.Grid().SetItemText(87, 4, "\t 294.489000\n");
    QTableWidget& t = Table();
    t.setCurrentCell(86, 3);
    QTest::keyClicks(&t, "300");
    EXPECT_EQ(t.viewport()->findChild<QLineEdit*>(), nullptr) << "no cell editor opened";
    EXPECT_EQ(t.item(86, 3)->text(), "294.489000");

    Button(ctl::kRadioClosed)->click(); // the azimuth closure box is active
    for (int id : {ctl::kWx, ctl::kWy, ctl::kAzimuthClosure}) {
        QTest::keyClicks(Edit(id), "5");
        EXPECT_EQ(Edit(id)->text(), "") << id;
        EXPECT_FALSE(Edit(id)->focusPolicy() & Qt::TabFocus) << id;
    }

    window.show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&window));
    t.verticalScrollBar()->setValue(t.verticalScrollBar()->maximum());
    ASSERT_GT(t.verticalScrollBar()->value(), 0);
    window.Grid().EnsureVisible(1, 1);
    EXPECT_EQ(t.verticalScrollBar()->value(), 0);
}

// Enter in a box moves on as Tab does (it used to start the import from a coordinate
// box); elsewhere it still presses "测量数据导入", never "导线平差". Tab goes from a
// point's Y to the next point's X, not to the next point's name the import filled in.
TEST(MainWindowKeys, EnterAndTabMoveThroughTheCoordinatesInOrder) {
    CTraverseWindow window; // not attached: only the buttons' clicks are watched
    CTraverseAdjustDlg ws(&window);
    ws.OnInitDialog();
    window.SetRadioIndex(ctl::kTypeRadioGroup, kDoubleConnection);
    ws.OnTypeDoubleConnection(); // all four groups shown
    window.SetControlText(ctl::kInitName2, "D22");
    window.show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&window));
    QSignalSpy imports(window.Controls().Button(ctl::kImport), &QAbstractButton::clicked);
    QSignalSpy adjusts(window.Controls().Button(ctl::kAdjust), &QAbstractButton::clicked);
    const std::pair<int, int> steps[] = {
        {ctl::kInitX1, ctl::kInitY1}, {ctl::kInitY1, ctl::kInitZ1},    {ctl::kInitZ1, ctl::kInitX2},
        {ctl::kInitY2, ctl::kGoalX1}, {ctl::kGoalY1, ctl::kGoalZ1},    {ctl::kGoalZ1, ctl::kGoalX2},
        {ctl::kGoalY2, ctl::kInitName1},
    };
    for (const Qt::Key key : {Qt::Key_Return, Qt::Key_Enter, Qt::Key_Tab})
        for (const auto& [from, to] : steps) {
            QWidget* edit = window.Controls().Widget(from);
            edit->setFocus();
            QTest::keyClick(edit, key);
            EXPECT_EQ(QApplication::focusWidget(), window.Controls().Widget(to))
                << key << " from " << from;
        }
    EXPECT_EQ(imports.count(), 0);
    QWidget* radio = window.Controls().Widget(ctl::kRadioClosed);
    radio->setFocus();
    QTest::keyClick(radio, Qt::Key_Return);
    EXPECT_EQ(imports.count(), 1);
    EXPECT_EQ(adjusts.count(), 0);
    // Typed after Tab from Z1, X2 goes into its own box; D22 stays.
    window.Controls().Widget(ctl::kInitZ1)->setFocus();
    QTest::keyClick(window.Controls().Widget(ctl::kInitZ1), Qt::Key_Tab);
    QTest::keyClicks(QApplication::focusWidget(), "3381685.431");
    EXPECT_EQ(window.GetControlText(ctl::kInitName2), "D22");
    EXPECT_EQ(window.GetControlText(ctl::kInitX2), "3381685.431");
}

TEST(MainWindowKeys, OnlyExitEndsTheWindow) {
    CTraverseWindow window;
    CTraverseAdjustDlg ws(&window);
    window.Attach(ws);
    ws.OnInitDialog();
    window.show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&window));

    QTest::keyClick(&window, Qt::Key_Escape);
    EXPECT_TRUE(window.isVisible()) << "Escape";
    window.close();
    EXPECT_TRUE(window.isVisible()) << "close";
    window.reject();
    EXPECT_TRUE(window.isVisible()) << "reject";

    window.Controls().Button(ctl::kExit)->click();
    EXPECT_FALSE(window.isVisible());
    EXPECT_EQ(window.result(), QDialog::Rejected);
}
