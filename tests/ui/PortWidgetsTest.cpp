// The port's pieces over widgets: controls built from a template and addressed by id,
// the grid over a table widget, the picture, dialog units and file filters.
#include "ui/DialogControls.h"
#include "ui/FileFilter.h"
#include "ui/GridCtrl.h"
#include "ui/ImgEdit.h"

#include <QAbstractButton>
#include <QApplication>
#include <QCheckBox>
#include <QDialog>
#include <QFontDatabase>
#include <QGroupBox>
#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QTableWidget>
#include <QTextLayout>

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace {
using K = ControlKind;

const DialogTemplate& SampleTemplate() {
    static const DialogTemplate t{7,
                                  "样例",
                                  "宋体",
                                  9,
                                  200,
                                  120,
                                  {
                                      {10, K::GroupBox, "框", 2, 2, 196, 116},
                                      {11, K::Label, "标签", 8, 10, 40, 10},
                                      {12, K::Edit, "", 50, 10, 60, 12},
                                      {13, K::PushButton, "按钮", 120, 10, 40, 14},
                                      {14, K::DefaultPushButton, "默认", 160, 10, 36, 14},
                                      {15, K::RadioButton, "甲", 8, 30, 30, 10, false, true},
                                      {16, K::RadioButton, "乙", 40, 30, 30, 10},
                                      {17, K::RadioButton, "丙", 72, 30, 30, 10},
                                      {18, K::RadioButton, "丁", 8, 44, 30, 10, false, true},
                                      {19, K::RadioButton, "戊", 40, 44, 30, 10},
                                      {20, K::CheckBox, "选项", 8, 58, 50, 10, true},
                                      {21, K::Grid, "", 8, 72, 100, 40},
                                      {22, K::Picture, "", 120, 72, 60, 40},
                                  }};
    return t;
}

class Controls : public ::testing::Test {
protected:
    QDialog dialog;
    CDialogControls controls{dialog, SampleTemplate()};
};
} // namespace

TEST_F(Controls, EachKindBecomesItsWidgetAtItsPlace) {
    struct Row {
        int id;
        const char* className;
    };
    const Row rows[] = {{10, "QGroupBox"},   {11, "QLabel"},       {12, "QLineEdit"},
                        {13, "QPushButton"}, {14, "QPushButton"},  {15, "QRadioButton"},
                        {20, "QCheckBox"},   {21, "QTableWidget"}, {22, "QLabel"}};
    for (const Row& r : rows) {
        QWidget* w = controls.Widget(r.id);
        ASSERT_NE(w, nullptr) << r.id;
        EXPECT_STREQ(w->metaObject()->className(), r.className) << r.id;
        EXPECT_EQ(w->objectName(), QStringLiteral("ctl%1").arg(r.id));
    }
    for (const ControlTemplate& c : SampleTemplate().controls) {
        EXPECT_EQ(controls.Widget(c.id)->geometry(),
                  controls.Units().ToPixels(c.x, c.y, c.width, c.height))
            << c.id;
        EXPECT_EQ(controls.Widget(c.id)->isEnabled(), !c.disabled) << c.id;
    }
    EXPECT_TRUE(qobject_cast<QPushButton*>(controls.Widget(14))->isDefault());
    EXPECT_FALSE(qobject_cast<QPushButton*>(controls.Widget(13))->isDefault());
    EXPECT_EQ(dialog.windowTitle(), "样例");
    EXPECT_EQ(dialog.size(), controls.Units().ToPixels(0, 0, 200, 120).size());
    EXPECT_EQ(controls.Widget(99), nullptr);
}

TEST_F(Controls, TextsRoundTripForEveryKind) {
    for (int id : {10, 11, 12, 13, 15, 20}) {
        const std::string text = "点名 A-" + std::to_string(id) + " 3.25";
        controls.SetControlText(id, text);
        EXPECT_EQ(controls.GetControlText(id), text) << id;
    }
    EXPECT_EQ(qobject_cast<QLineEdit*>(controls.Widget(12))->text(), "点名 A-12 3.25");
    EXPECT_EQ(qobject_cast<QGroupBox*>(controls.Widget(10))->title(), "点名 A-10 3.25");
    controls.SetControlText(12, "12.534314990043521");
    EXPECT_EQ(qobject_cast<QLineEdit*>(controls.Widget(12))->cursorPosition(), 0)
        << "a long number shows its leading digits";
    controls.SetControlText(99, "nothing");
    EXPECT_EQ(controls.GetControlText(99), "");
}

TEST_F(Controls, RadioGroupsAreIndependent) {
    EXPECT_EQ(controls.GetRadioIndex(15), -1);
    controls.SetRadioIndex(15, 2);
    controls.SetRadioIndex(18, 0);
    EXPECT_TRUE(qobject_cast<QRadioButton*>(controls.Widget(17))->isChecked());
    EXPECT_TRUE(qobject_cast<QRadioButton*>(controls.Widget(18))->isChecked());
    EXPECT_EQ(controls.GetRadioIndex(15), 2);
    EXPECT_EQ(controls.GetRadioIndex(18), 0);

    controls.Button(16)->click(); // the user's click moves the first group only
    EXPECT_EQ(controls.GetRadioIndex(15), 1);
    EXPECT_EQ(controls.GetRadioIndex(18), 0);

    controls.SetRadioIndex(15, 7); // no such button: none checked
    EXPECT_EQ(controls.GetRadioIndex(15), -1);
    controls.SetRadioIndex(15, 0);
    EXPECT_EQ(controls.GetRadioIndex(15), 0) << "the group is exclusive again";
    controls.Button(17)->click();
    EXPECT_FALSE(controls.Button(15)->isChecked());
    EXPECT_EQ(controls.GetRadioIndex(16), -1) << "a group is addressed by its first button";
}

TEST_F(Controls, ChecksShowEnableAndFocus) {
    controls.SetCheck(20, true);
    EXPECT_TRUE(controls.GetCheck(20));
    EXPECT_TRUE(qobject_cast<QCheckBox*>(controls.Widget(20))->isChecked());
    controls.SetCheck(20, false);
    EXPECT_FALSE(controls.GetCheck(20));
    EXPECT_FALSE(controls.GetCheck(12)) << "an edit is never checked";

    controls.SetControlText(12, "12,5"); // an edit that holds no number is pointed at
    controls.FocusControl(12);
    EXPECT_EQ(dialog.focusWidget(), controls.Widget(12));
    EXPECT_EQ(qobject_cast<QLineEdit*>(controls.Widget(12))->selectedText(), "12,5");

    for (bool on : {false, true}) {
        controls.ShowControl(11, on);
        controls.EnableControl(12, on);
        EXPECT_EQ(controls.Widget(11)->isHidden(), !on);
        EXPECT_EQ(controls.Widget(12)->isEnabled(), on);
    }
}

TEST(DialogUnits, ConvertWithRounding) {
    struct Case {
        double baseX, baseY;
        int x, y, w, h;
        QRect expected;
    };
    const Case cases[] = {
        {7, 17, 590, 295, 590, 295, QRect(1033, 627, 1033, 627)},
        {7, 17, 1, 1, 2, 4, QRect(2, 2, 4, 9)},
        {6, 12, 3, 5, 157, 75, QRect(5, 8, 236, 113)},
        {8, 16, 0, 0, 4, 8, QRect(0, 0, 8, 16)},
    };
    for (const Case& c : cases) {
        DialogUnits u{c.baseX, c.baseY};
        EXPECT_EQ(u.ToPixels(c.x, c.y, c.w, c.h), c.expected) << c.baseX << "x" << c.baseY;
    }
}

TEST(DialogUnits, FontCanShowChinese) {
    const QFont font = DialogFont(SampleTemplate());
    EXPECT_EQ(font.pointSize(), 9);
    bool anyCjk = false;
    for (const QString& f : QFontDatabase::families())
        anyCjk =
            anyCjk || QFontDatabase::writingSystems(f).contains(QFontDatabase::SimplifiedChinese);
    if (!anyCjk) GTEST_SKIP() << "no Chinese font installed";
    EXPECT_TRUE(
        QFontDatabase::writingSystems(font.family()).contains(QFontDatabase::SimplifiedChinese))
        << font.family().toStdString();
    const DialogUnits u = UnitsOf(font, SampleTemplate());
    EXPECT_GT(u.baseX, 0);
    EXPECT_GT(u.baseY, u.baseX);
}

namespace {
class Grid : public ::testing::Test {
protected:
    void SetUp() override {
        ASSERT_TRUE(grid.SetFixedRowCount(1));
        ASSERT_TRUE(grid.SetFixedColumnCount(1));
        ASSERT_TRUE(grid.SetRowCount(5));
        ASSERT_TRUE(grid.SetColumnCount(4));
    }
    QTableWidget table;
    CQtGridCtrl grid{table};
};
} // namespace

TEST_F(Grid, FixedRowAndColumnAreTheHeaders) {
    EXPECT_EQ(table.rowCount(), 4);
    EXPECT_EQ(table.columnCount(), 3);
    EXPECT_EQ(grid.GetRowCount(), 5);
    EXPECT_EQ(grid.GetColumnCount(), 4);
    EXPECT_FALSE(grid.SetFixedRowCount(2));
    EXPECT_FALSE(grid.SetFixedColumnCount(-1));
    EXPECT_EQ(grid.GetFixedRowCount(), 1);
}

TEST_F(Grid, CellTexts) {
    struct Case {
        int row, col;
        std::string text;
        bool accepted;
    };
    const Case cases[] = {
        {0, 0, "角", true},  {0, 2, "测站点后视", true},
        {3, 0, "3", true},   {2, 3, "\t 1.500000\n", true},
        {4, 1, "", true},    {5, 0, "x", false},
        {0, 4, "x", false},  {-1, 1, "x", false},
        {1, -1, "x", false},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(grid.SetItemText(c.row, c.col, c.text), c.accepted) << c.row << "," << c.col;
        EXPECT_EQ(grid.GetItemText(c.row, c.col), c.accepted ? c.text : "")
            << c.row << "," << c.col;
    }
    EXPECT_EQ(table.horizontalHeaderItem(1)->text(), "测站点后视");
    EXPECT_EQ(table.verticalHeaderItem(2)->text(), "3");
    EXPECT_EQ(table.item(1, 2)->text(), "1.500000") << "shown without the white space";

    table.item(1, 2)->setText("typed"); // the user edits the cell
    EXPECT_EQ(grid.GetItemText(2, 3), "typed");
}

TEST_F(Grid, FormatsSizesAndBackground) {
    struct Case {
        unsigned format;
        Qt::Alignment expected;
    };
    const Case cases[] = {
        {kDtCenter | kDtVCenter | kDtWordBreak, Qt::AlignHCenter | Qt::AlignVCenter},
        {0, Qt::AlignLeft | Qt::AlignTop},
        {0x2 | 0x8, Qt::AlignRight | Qt::AlignBottom},
    };
    for (const Case& c : cases) {
        grid.SetItemFormat(2, 2, c.format);
        grid.SetItemFormat(0, 1, c.format);
        EXPECT_EQ(Qt::Alignment(table.item(1, 1)->textAlignment()), c.expected) << c.format;
        EXPECT_EQ(Qt::Alignment(table.horizontalHeaderItem(0)->textAlignment()), c.expected);
    }

    EXPECT_TRUE(grid.SetRowHeight(0, 20));
    EXPECT_TRUE(grid.SetRowHeight(2, 25));
    EXPECT_TRUE(grid.SetColumnWidth(0, 30));
    EXPECT_TRUE(grid.SetColumnWidth(3, 100));
    EXPECT_FALSE(grid.SetRowHeight(5, 20));
    EXPECT_FALSE(grid.SetColumnWidth(4, 20));
    EXPECT_EQ(table.horizontalHeader()->height(), 20);
    EXPECT_EQ(table.rowHeight(1), 25);
    EXPECT_EQ(table.verticalHeader()->width(), 30);
    EXPECT_EQ(table.columnWidth(2), 100);

    grid.SetDefaultCellBackground(0x00D7E4FFu); // 0x00BBGGRR
    EXPECT_EQ(table.palette().color(QPalette::Base), QColor(255, 228, 215));
    grid.Refresh();
}

TEST(ImgEdit, ShowsAFileAndClearsForAMissingOne) {
    QLabel label;
    label.resize(200, 100);
    CQtImgEdit img(label);
    const std::string dir = QCoreApplication::applicationDirPath().toStdString() + "/";

    img.SetImage(dir + "闭合.bmp");
    img.SetFlag26(false);
    img.Display();
    ASSERT_FALSE(label.pixmap().isNull());
    EXPECT_LE(label.pixmap().width(), label.contentsRect().width());
    EXPECT_LE(label.pixmap().height(), label.contentsRect().height());

    img.SetImage(dir + "no such diagram.bmp");
    img.Display();
    EXPECT_TRUE(label.pixmap().isNull());
}

TEST(FileFilter, ToNameFilters) {
    struct Case {
        std::string filter;
        QStringList expected;
    };
    const Case cases[] = {
        {"( *.txt)|*.txt|All Files(*.*)|*.*||", {"(*.txt)", "All Files (*.*)"}},
        {"(*.txt)|*.txt|(*.con)|*.con||", {"(*.txt)", "(*.con)"}},
        {"观测数据(*.txt;*.con)|*.txt;*.con||", {"观测数据 (*.txt *.con)"}},
        {"Text|*.txt", {"Text (*.txt)"}},
        {"|*.txt||", {"(*.txt)"}},
        {"", {"(*)"}},
        {"Broken|", {"(*)"}},
    };
    for (const Case& c : cases)
        EXPECT_EQ(ToNameFilters(c.filter), c.expected) << c.filter;
}

// "保存PDF…" ended in a low, narrow "..." beside "导入已知点…" and its full-width "…":
// shaped with the Latin run before it, the ellipsis took another glyph.
TEST(DialogUnits, AnEllipsisIsOneGlyphAfterLatinAndChineseText) {
    const QFont font = DialogFont(MainDialogTemplate());
    auto lastGlyph = [&font](const QString& text) {
        QTextLayout layout(text, font);
        layout.beginLayout();
        layout.createLine();
        layout.endLayout();
        const QList<QGlyphRun> runs = layout.glyphRuns(int(text.size()) - 1, 1);
        return runs.isEmpty() || runs[0].glyphIndexes().isEmpty() ? 0u
                                                                  : runs[0].glyphIndexes().last();
    };
    EXPECT_NE(lastGlyph("导入已知点…"), 0u);
    for (const char* latin : {"保存PDF…", "保存为 CSV…", "打印 A4…"})
        EXPECT_EQ(lastGlyph(latin), lastGlyph("导入已知点…")) << latin;
}

// Nothing crosses a frame: a control over a group box lies inside the box's contents,
// below its title, as the style draws it (the type buttons and the export dialog's
// 文件名 button once sat on their frames' lines).
TEST(DialogFrames, EveryControlOverAFrameLiesWithinIt) {
    for (const DialogTemplate* t : {&MainDialogTemplate(), &ExportDialogTemplate()}) {
        QDialog dialog;
        CDialogControls controls(dialog, *t);
        for (QGroupBox* frame : dialog.findChildren<QGroupBox*>()) {
            const QRect inside = frame->geometry().marginsRemoved(frame->contentsMargins());
            for (QWidget* w : dialog.findChildren<QWidget*>(Qt::FindDirectChildrenOnly)) {
                if (qobject_cast<QGroupBox*>(w) != nullptr) continue;
                EXPECT_TRUE(!w->geometry().intersects(frame->geometry()) ||
                            inside.contains(w->geometry()))
                    << frame->title().toStdString() << ": " << w->objectName().toStdString();
            }
        }
    }
}
