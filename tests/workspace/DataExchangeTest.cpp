#include "model/NumberText.h"
#include "support/FakeWindowPort.h"
#include "workspace/ControlIds.h"
#include "workspace/TraverseAdjustDlg.h"

#include "resources/StringTable.h"

#include <gtest/gtest.h>

#include <clocale>
#include <cmath>
#include <limits>

using namespace traverse;

TEST(DataExchange, RoundTripKeepsEveryDoubleExactly) {
    const double values[] = {0.0,  120.345,   -0.1,      3380123.456789,
                             1e-7, 1.0 / 3.0, 500000.25, -1234530.5};
    for (double v : values) {
        FakeWindowPort port;
        port.ResetEdits(kClosed);
        CTraverseAdjustDlg dlg(&port);
        dlg.m_dInitX1 = v;
        dlg.m_dGoalY2 = -v;
        dlg.m_nTraverseType = kDoubleConnection;
        dlg.ShowWorkspace();
        EXPECT_EQ(port.radios[ctl::kTypeRadioGroup], kDoubleConnection);
        CTraverseAdjustDlg other(&port);
        ASSERT_TRUE(other.ReadWindow());
        EXPECT_EQ(other.m_dInitX1, v) << port.texts[ctl::kInitX1];
        EXPECT_EQ(other.m_dGoalY2, -v);
        EXPECT_EQ(other.m_nTraverseType, kDoubleConnection);
    }
}

TEST(DataExchange, ShowsTheShortestText) {
    EXPECT_EQ(FormatShortest(120.345), "120.345");
    EXPECT_EQ(FormatShortest(0.0), "0");
    EXPECT_EQ(FormatShortest(3380000.0), "3380000");
    EXPECT_EQ(FormatShortest(-0.5), "-0.5");
}

TEST(DataExchange, MapsEachEditToItsField) {
    FakeWindowPort port;
    port.ResetEdits(kNonOriented);
    const std::pair<int, double CTraverseAdjustDlg::*> map[] = {
        {ctl::kInitX1, &CTraverseAdjustDlg::m_dInitX1},
        {ctl::kInitX2, &CTraverseAdjustDlg::m_dInitX2},
        {ctl::kInitY1, &CTraverseAdjustDlg::m_dInitY1},
        {ctl::kInitY2, &CTraverseAdjustDlg::m_dInitY2},
        {ctl::kInitZ1, &CTraverseAdjustDlg::m_dInitZ1},
        {ctl::kInitZ2, &CTraverseAdjustDlg::m_dInitZ2},
        {ctl::kGoalX1, &CTraverseAdjustDlg::m_dGoalX1},
        {ctl::kGoalX2, &CTraverseAdjustDlg::m_dGoalX2},
        {ctl::kGoalY2, &CTraverseAdjustDlg::m_dGoalY2},
        {ctl::kGoalY1, &CTraverseAdjustDlg::m_dGoalY1},
        {ctl::kGoalZ1, &CTraverseAdjustDlg::m_dGoalZ1},
        {ctl::kGoalZ2, &CTraverseAdjustDlg::m_dGoalZ2}};
    auto typeAll = [&] {
        double v = 1.5;
        for (const auto& [id, field] : map)
            port.texts[id] = FormatShortest(v += 1.0);
    };
    typeAll();
    CTraverseAdjustDlg dlg(&port);
    ASSERT_TRUE(dlg.ReadWindow()); // new known points clear the closures
    typeAll();
    for (int id : ctl::kClosureEdits)
        port.texts[id] = "99.5";
    ASSERT_TRUE(dlg.ReadWindow()); // the same ones again; a closure box is never read
    double v = 1.5;
    for (const auto& [id, field] : map)
        EXPECT_EQ(dlg.*field, v += 1.0) << "control " << id;
    EXPECT_EQ(dlg.m_dWx, 0.0);
    EXPECT_EQ(dlg.m_dAzimuthClosure, 0.0);
}

TEST(DataExchange, NonNumberPromptsAndChangesNothing) {
    const char* bad[] = {"abc",   "1,2,5", "1.2.3",    "nan",     "inf",
                         "1e999", "12 3",  "0x105.66", "１２／５"};
    for (const char* text : bad) {
        FakeWindowPort port;
        port.ResetEdits(kClosed);
        port.texts[ctl::kInitX1] = "7";
        port.texts[ctl::kGoalY1] = text; // late in the map: earlier fields must stay too
        CTraverseAdjustDlg dlg(&port);
        dlg.m_dInitX1 = 1.0;
        EXPECT_FALSE(dlg.ReadWindow()) << text;
        ASSERT_EQ(port.messageIds.size(), 1u) << text;
        EXPECT_EQ(port.messageIds[0], str::kEnterNumber);
        EXPECT_EQ(port.messageTexts[0], "请输入一个数字。");
        EXPECT_EQ(port.focused, ctl::kGoalY1) << "the wrong edit gets the focus";
        EXPECT_EQ(dlg.m_dInitX1, 1.0) << text;
        EXPECT_EQ(dlg.m_nTraverseType, kNonOriented);
    }
}

// A Chinese input method in full-width mode types ０-９, ．, －, ＋ (and the full-width
// space and comma); they read as their ASCII forms, a comma decimal is named.
TEST(DataExchange, ReadsFullWidthDigitsAndNamesACommaDecimal) {
    struct Case {
        const char* text;
        double value; // NaN: refused
        int message;
    };
    const double no = std::numeric_limits<double>::quiet_NaN();
    const Case cases[] = {
        {"３３８１２５２．４１８", 3381252.418, 0},
        {"－０．２５", -0.25, 0},
        {"＋５", 5.0, 0},
        {"\u3000１２0.5\u3000", 120.5, 0}, // mixed widths, full-width spaces around
        {"1e３", 1000.0, 0},
        {"120,345", no, str::kUseDecimalPoint},
        {"１２０，３４５", no, str::kUseDecimalPoint},
        {"-0,5", no, str::kUseDecimalPoint},
        {"1,234.5", no, str::kEnterNumber},  // a thousands separator is no decimal comma
        {"\xEF\xBC", no, str::kEnterNumber}, // a cut sequence is read past, never beyond
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.text);
        FakeWindowPort port;
        port.ResetEdits(kClosed);
        port.texts[ctl::kInitY2] = c.text;
        CTraverseAdjustDlg dlg(&port);
        EXPECT_EQ(dlg.ReadWindow(), c.message == 0);
        if (c.message == 0) {
            EXPECT_EQ(dlg.m_dInitY2, c.value);
            EXPECT_TRUE(port.messageIds.empty());
            continue;
        }
        EXPECT_EQ(port.messageIds, std::vector<int>{c.message});
        EXPECT_EQ(port.focused, ctl::kInitY2);
    }
    FakeWindowPort port;
    CTraverseAdjustDlg dlg(&port);
    dlg.ShowMessage(str::kUseDecimalPoint);
    EXPECT_EQ(port.messageTexts.at(0), "请用小数点“.”代替逗号“,”。");
}

TEST(DataExchange, AcceptsSurroundingSpaceSignsAndExponents) {
    const std::pair<const char*, double> good[] = {{" 120.345 ", 120.345},
                                                   {"+5", 5.0},
                                                   {"-0.25", -0.25},
                                                   {"1e3", 1000.0},
                                                   {"3380000.", 3380000.0}};
    for (const auto& [text, value] : good)
        EXPECT_EQ(ParseNumberText(text), value) << text;
}

TEST(NumberText, IndependentOfTheDesktopLocale) {
    const char* locales[] = {"de_DE.UTF-8", "de_DE", "fr_FR.UTF-8", "C.UTF-8"};
    for (const char* name : locales) {
        if (std::setlocale(LC_ALL, name) == nullptr) continue;
        EXPECT_EQ(ParseNumberText("120.345"), 120.345) << name;
        EXPECT_EQ(FormatFixed(120.345, 6), "120.345000") << name;
        EXPECT_EQ(FormatLeft(3.5, 8, 3), "3.500   ") << name;
        EXPECT_EQ(FormatShortest(0.5), "0.5") << name;
    }
    std::setlocale(LC_ALL, "C");
}

TEST(NumberText, ScanDoubleFollowsFormattedInput) {
    struct Case {
        const char* text;
        ScanResult result;
        double value;
        size_t end;
    };
    const Case cases[] = {
        {"  120.345 K2", ScanResult::Ok, 120.345, 9},
        {"1023015,", ScanResult::Ok, 1023015.0, 7},
        {"-1.5e2x", ScanResult::Ok, -150.0, 6},
        {"K2", ScanResult::NoNumber, 0.0, 0},
        {"", ScanResult::NoNumber, 0.0, 0},
        {"nan", ScanResult::NoNumber, 0.0, 0},
        {"1e400", ScanResult::NotFinite, 0.0, 5},
        {"1e-400", ScanResult::Ok, 0.0, 6},
        {"inf", ScanResult::NoNumber, 0.0, 0},
        {"0x105.66", ScanResult::Ok, 0.0, 1},
        {".5e", ScanResult::Ok, 0.5, 2},
        {"-.", ScanResult::NoNumber, 0.0, 0},
    };
    for (const Case& c : cases) {
        size_t pos = 0;
        double v = 0.0;
        EXPECT_EQ(ScanDouble(c.text, pos, v), c.result) << c.text;
        if (c.result == ScanResult::Ok) {
            EXPECT_EQ(v, c.value) << c.text;
        }
        EXPECT_EQ(pos, c.end) << c.text;
    }
}
