// What an import does around the observations: it selects the type the file's shape
// shows, asks once before keeping coordinates typed for another traverse (K1, K2 are
// common names), and a refused file changes nothing.
#include "read/ImportFixture.h"

#include "resources/StringTable.h"
#include "workspace/ControlIds.h"

using namespace traverse;

namespace {
std::string Example(const char* file) { return std::string(TA_EXAMPLES_DIR) + "/" + file; }

// Imports without touching the type buttons: the type is the window's own.
void ImportAsIs(FakeWindowPort& port, CTraverseAdjustDlg& dlg, const std::string& path) {
    port.radios[ctl::kTypeRadioGroup] = dlg.m_nTraverseType;
    port.openPaths.push_back(path);
    dlg.OnImport();
}
} // namespace

TEST_F(ImportTest, TheTypeFollowsTheFilesShape) {
    struct Case {
        const char* file;
        int before, after;
    };
    const Case cases[] = {
        {"closed.txt", kNonOriented, kClosed},
        {"closed.con", kDoubleConnection, kClosed},
        {"non-oriented.txt", kClosed, kNonOriented},
        {"single.txt", kClosed, kSingleConnection},           // open and oriented: one angle
        {"double.txt", kDoubleConnection, kDoubleConnection}, // either annexed type stays
        {"single.txt", kDoubleConnection, kDoubleConnection},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.file);
        Import(Example(c.file), c.before);
        EXPECT_EQ(dlg.m_nTraverseType, c.after);
        EXPECT_EQ(port.radios[ctl::kTypeRadioGroup], c.after) << "the button shows it";
        EXPECT_EQ(port.caption, std::string("导线平差 — ") + c.file);
    }
    // A type chosen after the import is the user's: adjusting never changes it back.
    port.radios[ctl::kTypeRadioGroup] = kDoubleConnection;
    dlg.OnTypeDoubleConnection();
    dlg.OnAdjust();
    EXPECT_EQ(dlg.m_nTraverseType, kDoubleConnection);
}

TEST_F(ImportTest, CoordinatesTypedForAnotherTraverseAreKeptOnlyAfterYes) {
    for (const bool keep : {true, false}) {
        SCOPED_TRACE(keep ? "是" : "否");
        Import(Example("closed.txt"), kClosed);
        for (int id : ctl::kKnownPointEdits)
            port.texts[id] = "";
        port.texts[ctl::kInitX1] = "3381252.418", port.texts[ctl::kInitY1] = "501734.206";
        port.texts[ctl::kInitX2] = "3381685.431", port.texts[ctl::kInitY2] = "501484.203";
        port.questionIds.clear(), port.questionTexts.clear();
        port.yesNoAnswers.push_back(keep);
        ImportAsIs(port, dlg, Example("closed.con")); // the same names
        ASSERT_EQ(port.questionIds, std::vector<int>{str::kKeepKnownPoints});
        EXPECT_EQ(port.questionTexts[0], "保留已输入的已知点坐标（D21、D22）吗？");
        EXPECT_EQ(port.texts[ctl::kInitX1], keep ? "3381252.418" : "");
        EXPECT_EQ(port.texts[ctl::kInitY2], keep ? "501484.203" : "");
    }
    // Names that change drop their coordinates without a question.
    port.questionIds.clear();
    ImportAsIs(port, dlg, Example("double.txt"));
    EXPECT_TRUE(port.questionIds.empty());
}

TEST_F(ImportTest, ARefusedFileChangesNothing) {
    Import(Example("closed.txt"), kClosed);
    port.texts[ctl::kInitX1] = "1000";
    dlg.ReadWindow();
    const std::string cell = Cell(1, 1);
    ImportAsIs(port, dlg, Write("bad.txt", "*A B 1\nB 100 1800000 1800000 1\n*B A 1\n"));
    ASSERT_EQ(port.messageIds.size(), 1u);
    EXPECT_EQ(dlg.m_strObservationPath, Example("closed.txt"));
    EXPECT_EQ(port.caption, "导线平差 — closed.txt") << "the title keeps the file loaded";
    EXPECT_EQ(dlg.m_nTraverseType, kClosed);
    EXPECT_EQ(Cell(1, 1), cell);
    EXPECT_EQ(dlg.m_strInitName1, "D21");
    EXPECT_EQ(dlg.m_dInitX1, 1000);
    EXPECT_TRUE(port.questionIds.empty());
}

// A single-connection or non-oriented traverse has no azimuth condition and nothing
// computes Wz: their boxes stay empty rather than show a 0.0 never computed.
TEST_F(ImportTest, BoxesOfClosuresTheTypeHasNotStayEmpty) {
    struct Case {
        const char* file;
        int type;
        std::vector<std::pair<int, const char*>> known;
        bool azimuth;
    };
    const Case cases[] = {
        {"closed.txt",
         kClosed,
         {{ctl::kInitX1, "3381252.418"},
          {ctl::kInitY1, "501734.206"},
          {ctl::kInitX2, "3381685.431"},
          {ctl::kInitY2, "501484.203"}},
         true},
        {"single.txt",
         kSingleConnection,
         {{ctl::kInitX1, "3382740.318"},
          {ctl::kInitY1, "502915.604"},
          {ctl::kInitX2, "3382951.774"},
          {ctl::kInitY2, "502688.093"},
          {ctl::kGoalX1, "3381790.512"},
          {ctl::kGoalY1, "503944.127"}},
         false},
        {"non-oriented.txt",
         kNonOriented,
         {{ctl::kInitX1, "3378215.046"},
          {ctl::kInitY1, "500120.733"},
          {ctl::kGoalX1, "3379153.901"},
          {ctl::kGoalY1, "501032.467"}},
         false},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.file);
        Import(Example(c.file), c.type);
        for (int id : ctl::kKnownPointEdits)
            port.texts[id] = "";
        for (const auto& [id, text] : c.known)
            port.texts[id] = text;
        dlg.OnAdjust();
        ASSERT_EQ(dlg.m_nState, kAdjusted) << port.messageTexts.back();
        EXPECT_FALSE(port.texts[ctl::kWx].empty());
        EXPECT_EQ(port.texts[ctl::kWz], "");
        EXPECT_EQ(port.texts[ctl::kAzimuthClosure].empty(), !c.azimuth)
            << port.texts[ctl::kAzimuthClosure];
    }
}
