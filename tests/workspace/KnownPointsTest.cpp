// Known points around the observations: a box left empty, a point typed twice, a name
// that is not the file's, an absurd coordinate or an end point far off refuse the
// adjustment with what is wrong, and leave nothing adjusted.
#include "read/ImportFixture.h"
#include "support/TraverseFixtures.h"

#include "resources/StringTable.h"
#include "workspace/ControlIds.h"

#include <map>

using namespace traverse;

namespace {
struct Example {
    const char* file;
    int type;
    std::map<int, std::string> points; // the coordinates of examples/README.md
};

const Example kClosedExample = {"closed.txt",
                                kClosed,
                                {{ctl::kInitX1, "3381252.418"},
                                 {ctl::kInitY1, "501734.206"},
                                 {ctl::kInitX2, "3381685.431"},
                                 {ctl::kInitY2, "501484.203"}}};
const Example kDoubleExample = {"double.txt",
                                kDoubleConnection,
                                {{ctl::kInitX1, "3379420.615"},
                                 {ctl::kInitY1, "498310.442"},
                                 {ctl::kInitX2, "3379103.882"},
                                 {ctl::kInitY2, "498401.737"},
                                 {ctl::kGoalX1, "3380168.503"},
                                 {ctl::kGoalY1, "499508.214"},
                                 {ctl::kGoalX2, "3380301.246"},
                                 {ctl::kGoalY2, "499827.961"}}};
const Example kNonOrientedExample = {"non-oriented.txt",
                                     kNonOriented,
                                     {{ctl::kInitX1, "3378215.046"},
                                      {ctl::kInitY1, "500120.733"},
                                      {ctl::kGoalX1, "3379153.901"},
                                      {ctl::kGoalY1, "501032.467"}}};

class KnownPoints : public ImportTest {
protected:
    // Imports the example as its type, then types its known points and the changes.
    void Load(const Example& e, const std::map<int, std::string>& changes) {
        Import(std::string(TA_EXAMPLES_DIR) + "/" + e.file, e.type);
        for (int id : ctl::kKnownPointEdits)
            port.texts[id] = "";
        for (const auto& [id, text] : e.points)
            port.texts[id] = text;
        for (const auto& [id, text] : changes)
            port.texts[id] = text;
        port.messageIds.clear();
        port.messageTexts.clear();
    }
};
} // namespace

TEST_F(KnownPoints, RefusedBeforeAnythingIsComputed) {
    struct Case {
        const char* name;
        const Example& example;
        std::map<int, std::string> changes;
        int message, focus;
        const char* mentions;
    };
    const Case cases[] = {
        {"已知点2 not typed",
         kClosedExample,
         {{ctl::kInitX2, ""}},
         str::kEnterKnownPoint,
         ctl::kInitX2,
         "请输入已知点2的坐标。"},
        {"终止点2 Y not typed",
         kDoubleExample,
         {{ctl::kGoalY2, " "}},
         str::kEnterKnownPoint,
         ctl::kGoalY2,
         "终止点2"},
        {"nothing typed: not a 50″ closure",
         kDoubleExample,
         {{ctl::kInitX1, ""},
          {ctl::kInitY1, ""},
          {ctl::kInitX2, ""},
          {ctl::kInitY2, ""},
          {ctl::kGoalX1, ""},
          {ctl::kGoalY1, ""},
          {ctl::kGoalX2, ""},
          {ctl::kGoalY2, ""}},
         str::kEnterKnownPoint,
         ctl::kInitX1,
         "起始点1"},
        {"已知点2 typed as 已知点1",
         kClosedExample,
         {{ctl::kInitX2, "3381252.418"}, {ctl::kInitY2, "501734.206"}},
         str::kKnownPointsCoincide,
         ctl::kInitX2,
         "已知点1“D21”与已知点2“D22”相距不足1毫米，不能确定起始边的方位"},
        {"half a millimetre apart",
         kClosedExample,
         {{ctl::kInitX2, "3381252.4184"}, {ctl::kInitY2, "501734.2063"}},
         str::kKnownPointsCoincide,
         ctl::kInitX2,
         "相距不足1毫米"},
        {"non-oriented end on its start",
         kNonOrientedExample,
         {{ctl::kGoalX1, "3378215.046"}, {ctl::kGoalY1, "500120.733"}},
         str::kKnownPointsCoincide,
         ctl::kGoalX1,
         "无定向导线的起点和终点不能是同一点"},
        {"终止点2 on 终止点1",
         kDoubleExample,
         {{ctl::kGoalX2, "3380168.503"}, {ctl::kGoalY2, "499508.214"}},
         str::kKnownPointsCoincide,
         ctl::kGoalX2,
         "不能确定终止边的方位"},
        {"coordinates of 1e20",
         kClosedExample,
         {{ctl::kInitX1, "1e20"}},
         str::kKnownPointOutOfRange,
         ctl::kInitX1,
         "已知点1“D21”的坐标超出"},
        {"hexadecimal coordinate",
         kClosedExample,
         {{ctl::kInitY2, "0x105.66"}},
         str::kEnterNumber,
         ctl::kInitY2,
         "请输入一个数字。"},
        {"终止点 named XYZ",
         kNonOrientedExample,
         {{ctl::kGoalName1, "XYZ"}},
         str::kKnownNameMismatch,
         ctl::kGoalName1,
         "终止点的点名“XYZ”与观测数据中该点的点名“D42”不一致"},
        {"another traverse's point",
         kDoubleExample,
         {{ctl::kInitName2, "D22"}},
         str::kKnownNameMismatch,
         ctl::kInitName2,
         "“D22”与观测数据中该点的点名“D14”"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        Load(c.example, c.changes);
        dlg.OnAdjust();
        ASSERT_EQ(port.messageIds, std::vector<int>{c.message});
        EXPECT_NE(port.messageTexts[0].find(c.mentions), std::string::npos) << port.messageTexts[0];
        EXPECT_EQ(port.focused, c.focus);
        EXPECT_EQ(dlg.m_nState, kObservationsLoaded);
        EXPECT_FALSE(dlg.m_adjusted.has_value()) << "nothing was computed";
    }
}

TEST_F(KnownPoints, TypedZeroAndNamesAsTheFileHasThemAreAdjusted) {
    struct Case {
        const char* name;
        const Example& example;
        std::map<int, std::string> changes;
    };
    const Case cases[] = {
        {"已知点1 at 0, 0: a typed 0 counts",
         kClosedExample,
         {{ctl::kInitX1, "0"}, {ctl::kInitY1, "0"}}},
        {"a name with spaces around it", kDoubleExample, {{ctl::kGoalName2, " D17 "}}},
        {"a name cleared: shown again", kNonOrientedExample, {{ctl::kInitName1, ""}}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        Load(c.example, c.changes);
        dlg.OnAdjust();
        EXPECT_EQ(port.messageIds, std::vector<int>{str::kAdjustDone});
        EXPECT_EQ(dlg.m_nState, kAdjusted);
    }
    EXPECT_EQ(port.texts[ctl::kInitName1], "D41");
}

// Each point group is named after the station it stands for; an import that renames a
// group drops the coordinates typed for the old name, and keeps the others.
TEST_F(KnownPoints, AnImportNamesTheGroupsAndDropsCoordinatesOfRenamedOnes) {
    Load(kClosedExample, {});
    EXPECT_EQ(port.texts[ctl::kInitName1], "D21");
    EXPECT_EQ(port.texts[ctl::kInitName2], "D22");
    for (const auto& [id, text] : kClosedExample.points)
        port.texts[id] = text;

    port.openPaths.push_back(std::string(TA_EXAMPLES_DIR) + "/closed.con");
    port.yesNoAnswers.push_back(true); // 保留已输入的已知点坐标（D21、D22）吗？
    dlg.OnImport();
    EXPECT_EQ(port.questionIds, std::vector<int>{str::kKeepKnownPoints});
    EXPECT_EQ(port.texts[ctl::kInitName1], "D21");
    EXPECT_EQ(port.texts[ctl::kInitX1], "3381252.418") << "the same point keeps its coordinates";
    EXPECT_EQ(port.texts[ctl::kInitY2], "501484.203");

    port.texts[ctl::kInitName2] = "";
    port.openPaths.push_back(std::string(TA_EXAMPLES_DIR) + "/double.txt");
    port.yesNoAnswers.push_back(true);
    dlg.OnImport();
    EXPECT_EQ(port.texts[ctl::kInitName1], "D15");
    EXPECT_EQ(port.texts[ctl::kInitX1], "") << "D21's coordinates are not D15's";
    EXPECT_EQ(port.texts[ctl::kInitName2], "D14");
    EXPECT_EQ(port.texts[ctl::kInitX2], "3381685.431") << "typed without a name: kept";
}

// A one-side traverse once absorbed an end point 100 km off as a side of -1127 m; every
// correction past its bound now refuses, and a larger error is never accepted where a
// smaller one is refused.
TEST(GrossErrors, RefusedAndGrowingWithTheError) {
    struct Case {
        const char* name;
        int type;
        int sides;
        double endOff; // metres, east of the true end point
        int message;
    };
    const Case cases[] = {
        {"one side, 1 cm", kSingleConnection, 1, 0.01, str::kAdjustDone},
        {"one side, 1 km", kSingleConnection, 1, 1000.0, str::kGrossError},
        {"one side, 100 km", kSingleConnection, 1, 1e5, str::kGrossError},
        {"one side, 10,000 km", kSingleConnection, 1, 1e7, str::kGrossError},
        {"one side non-oriented, 1 km", kNonOriented, 1, 1000.0, str::kGrossError},
        {"three sides, 300 m", kSingleConnection, 3, 300.0, str::kGrossError},
        {"three sides, 2 cm", kSingleConnection, 3, 0.02, str::kAdjustDone},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        FakeWindowPort port;
        CTraverseAdjustDlg dlg(&port);
        // Due north from (0, 0), oriented from the south: 100 m sides at 180°.
        SetObservations(dlg, std::vector<std::pair<double, double>>(c.sides, {1800000, 100}));
        port.ResetEdits(c.type);
        port.SetKnownPoints(0, 0, -100, 0, 100.0 * c.sides, c.endOff);
        dlg.m_nState = kObservationsLoaded;
        dlg.OnAdjust();
        ASSERT_EQ(port.messageIds, std::vector<int>{c.message});
        if (c.message == str::kGrossError) {
            EXPECT_NE(port.messageTexts[0].find("坐标闭合差 fx = "), std::string::npos);
            EXPECT_EQ(dlg.m_nState, kObservationsLoaded);
        }
    }
}
