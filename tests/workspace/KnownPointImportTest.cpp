// "导入已知点…": a known-point file fills the coordinates of the groups by their names,
// says which it filled and which the file lacks; a refused file changes nothing.
#include "read/ImportFixture.h"

#include "resources/StringTable.h"
#include "workspace/ControlIds.h"

#include <map>

using namespace traverse;

namespace {
class KnownPointImport : public ImportTest {
protected:
    // The closed example imported with only 已知点2 typed, by hand.
    void LoadClosed() {
        Import(std::string(TA_EXAMPLES_DIR) + "/closed.txt", kClosed);
        for (int id : ctl::kKnownPointEdits)
            port.texts[id] = "";
        port.texts[ctl::kInitX2] = "1.5";
        port.messageIds.clear();
        port.messageTexts.clear();
        port.focused = 0;
    }
    void ImportKnown(const std::string& name, const std::string& bytes) {
        port.openPaths.push_back(Write(name, bytes));
        dlg.OnImportKnownPoints();
    }
};

const char kBothDat[] = "D21,,501734.206,3381252.418,0\nD22,,501484.203,3381685.431,12.5\n";
} // namespace

TEST_F(KnownPointImport, FillsByNameSaysWhatTheFileLacksAndRefusesABadFile) {
    struct Case {
        const char* name;
        const char* file;
        std::string bytes;
        int message;
        const char* mentions;
        const char *x1, *x2; // the boxes afterwards
        int focus;
    };
    const Case cases[] = {
        {"a .dat, east before north", "k.dat", kBothDat, str::kKnownPointsFilled, "D21、D22",
         "3381252.418", "3381685.431", 0},
        {"the coordinate table", "k.CSV",
         "点名,X北(m),Y东(m),M(mm)\nD22,3381685.431,501484.203,0\n", str::kKnownPointsPartlyFilled,
         "D22。\n文件中没有D21，", "", "3381685.431", ctl::kInitX1},
        {"neither point", "k.dat", "K9,,1,2\n", str::kKnownPointsNotFound, "没有D21、D22", "",
         "1.5", ctl::kInitX1},
        {"a word for a coordinate", "k.dat", "D21,,501734.206,3381252.418\nD22,,东,3381685\n",
         str::kKnownFileBadLine, "“k.dat”第2行", "", "1.5", 0},
        {"neither .dat nor .csv", "k.txt", kBothDat, str::kKnownFileExtension, "“k.txt”", "", "1.5",
         0},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        LoadClosed();
        ImportKnown(c.file, c.bytes);
        ASSERT_EQ(port.messageIds, std::vector<int>{c.message});
        EXPECT_NE(port.messageTexts[0].find(c.mentions), std::string::npos) << port.messageTexts[0];
        EXPECT_EQ(port.texts[ctl::kInitX1], c.x1);
        EXPECT_EQ(port.texts[ctl::kInitX2], c.x2);
        EXPECT_EQ(port.focused, c.focus);
    }
}

// Names are compared as code page 936 bytes, whichever encoding each file has.
TEST_F(KnownPointImport, ChineseNamesFromAUtf8FileMatchAGbkTraverse) {
    Import(Data("names-cp936.txt"), kSingleConnection);
    ImportKnown("k.csv", "点名,X北(m),Y东(m)\n起点,100,200\nK0,0,200\n");
    ASSERT_EQ(port.messageIds, std::vector<int>{str::kKnownPointsPartlyFilled});
    EXPECT_NE(port.messageTexts[0].find("起点、K0。\n文件中没有乙3"), std::string::npos);
    EXPECT_EQ(port.texts[ctl::kInitY1], "200");
}

// Nothing to look up before an import; new coordinates drop the adjustment, the same
// ones keep it.
TEST_F(KnownPointImport, AsksForObservationsFirstAndKeepsResultsOfTheSamePoints) {
    dlg.OnImportKnownPoints();
    EXPECT_EQ(port.messageIds, std::vector<int>{str::kKnownPointsNoNames});
    EXPECT_TRUE(port.openFilters.empty()) << "no file asked for";
    LoadClosed();
    ImportKnown("k.dat", kBothDat);
    dlg.OnAdjust();
    ASSERT_EQ(dlg.m_nState, kAdjusted);
    ImportKnown("same.dat", kBothDat);
    EXPECT_EQ(dlg.m_nState, kAdjusted);
    ImportKnown("moved.dat", "D21,,501734.206,3381252.5\n");
    EXPECT_EQ(dlg.m_nState, kObservationsLoaded);
}
