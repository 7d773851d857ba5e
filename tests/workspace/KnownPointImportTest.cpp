// "导入已知点…": a known-point file fills the coordinates of the groups by their names,
// says which it filled and which the file lacks; a refused file changes nothing.
#include "read/ImportFixture.h"

#include "resources/CodePage936.h"
#include "resources/StringTable.h"
#include "workspace/ControlIds.h"

#include <map>

using namespace traverse;

namespace {
// A known-point file imported over the closed example, and what the window shows after.
struct FileCase {
    const char* name;
    const char* file;
    std::string bytes;
    int message;
    const char* mentions;
    std::map<int, std::string> boxes;
    int focus; // the box focused afterwards, 0 for none
};

class KnownPointImport : public ImportTest {
protected:
    // The closed example imported, only 已知点2 typed by hand, the messages cleared.
    void LoadClosed() {
        Import(std::string(TA_EXAMPLES_DIR) + "/closed.txt", kClosed);
        for (int id : ctl::kKnownPointEdits)
            port.texts[id] = "";
        port.texts[ctl::kInitX2] = "1.5";
        port.texts[ctl::kInitY2] = "2.5";
        port.messageIds.clear();
        port.messageTexts.clear();
        port.focused = 0;
    }
    void ImportKnown(const std::string& name, const std::string& bytes) {
        port.openPaths.push_back(Write(name, bytes));
        dlg.OnImportKnownPoints();
    }
    void Expect(const FileCase& c) {
        SCOPED_TRACE(c.name);
        LoadClosed();
        ImportKnown(c.file, c.bytes);
        ASSERT_EQ(port.messageIds, std::vector<int>{c.message});
        EXPECT_NE(port.messageTexts[0].find(c.mentions), std::string::npos) << port.messageTexts[0];
        for (const auto& [id, text] : c.boxes)
            EXPECT_EQ(port.texts[id], text) << id;
        EXPECT_EQ(port.focused, c.focus);
    }
};

const char kBothDat[] = "D21,,501734.206,3381252.418,0\nD22,,501484.203,3381685.431,12.5\n";
const std::map<int, std::string> kUnchanged = {{ctl::kInitX1, ""}, {ctl::kInitX2, "1.5"}};
} // namespace

TEST_F(KnownPointImport, FillsTheGroupsTheFileNamesAndSaysWhichItLacks) {
    const std::map<int, std::string> both = {{ctl::kInitX1, "3381252.418"},
                                             {ctl::kInitY1, "501734.206"},
                                             {ctl::kInitX2, "3381685.431"},
                                             {ctl::kInitY2, "501484.203"}};
    const FileCase cases[] = {
        {"a .dat, east before north", "k.dat", kBothDat, str::kKnownPointsFilled, "D21、D22", both,
         0},
        {"the coordinate table", "k.CSV",
         "点名,X北(m),Y东(m),M(mm)\nD22,3381685.431,501484.203,0\nD21,3381252.418,501734.206,0\n",
         str::kKnownPointsFilled, "“k.CSV”", both, 0},
        {"已知点2 not in the file: kept as typed",
         "k.dat",
         "D21,,501734.206,3381252.418\n",
         str::kKnownPointsPartlyFilled,
         "D21。\n文件中没有D22",
         {{ctl::kInitX1, "3381252.418"}, {ctl::kInitX2, "1.5"}, {ctl::kInitY2, "2.5"}},
         ctl::kInitX2},
        {"neither point", "k.dat", "K9,,1,2\n", str::kKnownPointsNotFound, "没有D21、D22",
         kUnchanged, ctl::kInitX1},
    };
    for (const FileCase& c : cases)
        Expect(c);
    ImportKnown("k.dat", kBothDat);
    dlg.OnAdjust(); // the adjustment goes on from the boxes filled
    EXPECT_EQ(port.messageIds.back(), str::kAdjustDone);
}

TEST_F(KnownPointImport, ARefusedFileChangesNothing) {
    const FileCase cases[] = {
        {"a word for a coordinate", "k.dat", "D21,,501734.206,3381252.418\nD22,,东,3381685\n",
         str::kKnownFileBadLine, "“k.dat”第2行", kUnchanged, 0},
        {"one name, two places", "k.dat", std::string(kBothDat) + "D21,,1,2\n",
         str::kKnownFileDuplicate, "第3行", kUnchanged, 0},
        {"neither .dat nor .csv", "k.txt", kBothDat, str::kKnownFileExtension, "“k.txt”",
         kUnchanged, 0},
        {"no points", "k.csv", "点名,X北(m),Y东(m)\n", str::kKnownFileEmpty, "“k.csv”", kUnchanged,
         0},
    };
    for (const FileCase& c : cases)
        Expect(c);
}

// Names are compared as code page 936 bytes, whichever encoding each file has.
TEST_F(KnownPointImport, ChineseNamesFromAUtf8FileMatchAGbkTraverse) {
    Import(Data("names-cp936.txt"), kSingleConnection);
    ImportKnown("k.csv", "点名,X北(m),Y东(m)\n起点,100,200\nK0,0,200\n");
    ASSERT_EQ(port.messageIds, std::vector<int>{str::kKnownPointsPartlyFilled});
    EXPECT_NE(port.messageTexts[0].find("起点、K0。\n文件中没有乙3"), std::string::npos)
        << port.messageTexts[0];
    EXPECT_EQ(port.texts[ctl::kInitY1], "200");
    EXPECT_EQ(port.texts[ctl::kInitX2], "0");
    EXPECT_EQ(port.focused, ctl::kGoalX1);
}

TEST_F(KnownPointImport, NothingToLookUpBeforeAnImport) {
    dlg.OnImportKnownPoints();
    EXPECT_EQ(port.messageIds, std::vector<int>{str::kKnownPointsNoNames});
    EXPECT_TRUE(port.openFilters.empty()) << "no file asked for";
}

// New coordinates drop the adjustment they did not give; the same ones keep it.
TEST_F(KnownPointImport, ResultsStayOnlyWithTheSameCoordinates) {
    LoadClosed();
    ImportKnown("k.dat", kBothDat);
    dlg.OnAdjust();
    ASSERT_EQ(dlg.m_nState, kAdjusted);
    ImportKnown("same.dat", kBothDat);
    EXPECT_EQ(dlg.m_nState, kAdjusted);
    ImportKnown("moved.dat", "D21,,501734.206,3381252.5\n");
    EXPECT_EQ(dlg.m_nState, kObservationsLoaded);
    EXPECT_EQ(port.texts[ctl::kWx], "");
}
