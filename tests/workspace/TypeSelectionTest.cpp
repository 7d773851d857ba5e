#include "support/FakeWindowPort.h"
#include "support/TraverseFixtures.h"

#include "model/NumberText.h"
#include "resources/StringTable.h"
#include "workspace/ControlIds.h"
#include "workspace/TraverseAdjustDlg.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <functional>
#include <map>
#include <string>
#include <vector>

using namespace traverse;

namespace {
struct Group {
    int heading;
    std::vector<int> members; // labels and edits
};

const Group kGroups[4] = {
    {ctl::kGroup1Heading,
     {ctl::kGroup1LabelX, ctl::kGroup1LabelY, ctl::kGroup1LabelZ, ctl::kInitName1, ctl::kInitX1,
      ctl::kInitY1, ctl::kInitZ1}},
    {ctl::kGroup2Heading,
     {ctl::kGroup2LabelX, ctl::kGroup2LabelY, ctl::kGroup2LabelZ, ctl::kInitName2, ctl::kInitX2,
      ctl::kInitY2, ctl::kInitZ2}},
    {ctl::kGroup3Heading,
     {ctl::kGroup3LabelX, ctl::kGroup3LabelY, ctl::kGroup3LabelZ, ctl::kGoalName1, ctl::kGoalX1,
      ctl::kGoalY1, ctl::kGoalZ1}},
    {ctl::kGroup4Heading,
     {ctl::kGroup4LabelX, ctl::kGroup4LabelY, ctl::kGroup4LabelZ, ctl::kGoalName2, ctl::kGoalX2,
      ctl::kGoalY2, ctl::kGoalZ2}},
};

using ctl::kNumberEdits;

// What each traverse type shows: the headings of its groups (empty: hidden).
struct Expected {
    int radio;
    std::function<void(CTraverseAdjustDlg&)> click;
    const char* diagram;
    const char* headings[4];
    bool azimuthClosureEnabled;
    const char* names[4]; // on the stations P0 .. P2 sighting P1 .. P3, backsight B
};

const Expected kTypes[4] = {
    {ctl::kRadioNonOriented,
     [](CTraverseAdjustDlg& d) { d.OnTypeNonOriented(); },
     "无定向.bmp",
     {"起始点", "", "终止点", ""},
     false,
     {"P0", "", "P3", ""}},
    {ctl::kRadioSingle,
     [](CTraverseAdjustDlg& d) { d.OnTypeSingleConnection(); },
     "单连接角.bmp",
     {"起始点1", "起始点2", "终止点", ""},
     false,
     {"P0", "B", "P3", ""}},
    {ctl::kRadioClosed,
     [](CTraverseAdjustDlg& d) { d.OnTypeClosed(); },
     "闭合.bmp",
     {"已知点1", "已知点2", "", ""},
     true,
     {"P0", "B", "", ""}},
    {ctl::kRadioDouble,
     [](CTraverseAdjustDlg& d) { d.OnTypeDoubleConnection(); },
     "双连接角.bmp",
     {"起始点1", "起始点2", "终止点1", "终止点2"},
     true,
     {"P0", "B", "P2", "P3"}},
};

// The user checks a button and the window calls its handler.
void Click(CTraverseAdjustDlg& dlg, FakeWindowPort& port, int type) {
    port.radios[ctl::kTypeRadioGroup] = type;
    kTypes[type].click(dlg);
}

void TypeEverything(FakeWindowPort& port) {
    double v = 1.5;
    for (int id : kNumberEdits)
        port.texts[id] = std::to_string(v += 100.25);
}
} // namespace

// Every type from every type: another type keeps every typed coordinate, names the
// groups after their stations, shows its layout (a hidden group keeps the heading it
// had) and drops the results; the current type clicked again changes nothing. The
// observations stay.
TEST(TypeSelection, EveryTypeFromEveryType) {
    for (int from = 0; from < 4; ++from) {
        for (int to = 0; to < 4; ++to) {
            SCOPED_TRACE("from " + std::to_string(from) + " to " + std::to_string(to));
            FakeWindowPort port;
            CTraverseAdjustDlg dlg(&port);
            dlg.OnInitDialog();
            Click(dlg, port, from);
            std::map<int, std::string> headingsBefore;
            for (const Group& g : kGroups)
                headingsBefore[g.heading] = port.texts[g.heading];

            SetObservations(dlg, {{1800000, 100}, {1800000, 120}, {1800000, 90}});
            port.grid.SetItemText(1, 1, "P0");
            dlg.m_nState = kAdjusted;
            dlg.m_dWx = 12.5;
            TypeEverything(port);
            port.messageIds.clear();
            const int displays = port.diagram.displayCount;

            Click(dlg, port, to);
            const Expected& e = kTypes[to];

            EXPECT_TRUE(port.messageIds.empty());
            EXPECT_EQ(dlg.m_nTraverseType, to);
            EXPECT_EQ(port.radios[ctl::kTypeRadioGroup], to);
            double typed = 1.5;
            for (int id : ctl::kNumberEdits) {
                typed += 100.25;
                const bool closure =
                    std::find(std::begin(ctl::kClosureEdits), std::end(ctl::kClosureEdits), id) !=
                    std::end(ctl::kClosureEdits);
                EXPECT_EQ(port.texts[id], closure ? "" : FormatShortest(typed)) << id << " kept";
            }
            EXPECT_EQ(dlg.m_dGoalZ2, 1.5 + 15 * 100.25);
            for (double f : {dlg.m_dWx, dlg.m_dWy, dlg.m_dWz, dlg.m_dAzimuthClosure})
                EXPECT_EQ(f, 0.0);
            const int names[4] = {ctl::kInitName1, ctl::kInitName2, ctl::kGoalName1,
                                  ctl::kGoalName2};
            for (int g = 0; g < 4 && from != to; ++g)
                if (*e.names[g] != '\0') {
                    EXPECT_EQ(port.texts[names[g]], e.names[g]) << g + 1;
                }

            for (int g = 0; g < 4; ++g) {
                const bool shown = *e.headings[g] != '\0';
                EXPECT_EQ(port.hidden[kGroups[g].heading], !shown) << "group " << g + 1;
                for (int id : kGroups[g].members)
                    EXPECT_EQ(port.hidden[id], !shown) << "group " << g + 1 << " control " << id;
                const std::string heading =
                    shown ? e.headings[g] : headingsBefore[kGroups[g].heading];
                EXPECT_EQ(port.texts[kGroups[g].heading], heading) << "group " << g + 1;
            }
            EXPECT_EQ(port.disabled[ctl::kAzimuthClosure], !e.azimuthClosureEnabled);
            for (int z : {ctl::kInitZ1, ctl::kInitZ2, ctl::kGoalZ1, ctl::kGoalZ2, ctl::kWz})
                EXPECT_FALSE(port.disabled.count(z) && !port.disabled[z]) << "Z edit enabled";

            EXPECT_EQ(port.diagram.image, std::string("/opt/traverse/") + e.diagram);
            EXPECT_FALSE(port.diagram.flag26);
            EXPECT_EQ(port.diagram.displayCount, displays + (from != to ? 1 : 0));

            EXPECT_EQ(dlg.m_nState, kObservationsLoaded) << "the results went with the type";
            EXPECT_TRUE(dlg.m_bResultsDiscarded);
            EXPECT_EQ(dlg.m_arrObservations.GetSize(), 3);
            EXPECT_EQ(dlg.m_arrObservations[1].dDistance, 120.0);
            EXPECT_EQ(port.grid.GetItemText(1, 1), "P0");
        }
    }
}

TEST(TypeSelection, NonOrientedHandlerReturnsTheType) {
    FakeWindowPort port;
    CTraverseAdjustDlg dlg(&port);
    dlg.OnInitDialog();
    Click(dlg, port, kClosed);
    port.radios[ctl::kTypeRadioGroup] = kNonOriented;
    EXPECT_EQ(dlg.OnTypeNonOriented(), kNonOriented);
}

// A known-point edit that holds no number: the prompt is shown, the edit shows its field
// again, and the clicked type, its button and its layout agree.
TEST(TypeSelection, ANonNumberIsPromptedAndTheClickedTypeApplies) {
    for (int to = 0; to < 4; ++to) {
        SCOPED_TRACE(to);
        FakeWindowPort port;
        CTraverseAdjustDlg dlg(&port);
        dlg.OnInitDialog();
        Click(dlg, port, kDoubleConnection);
        port.texts[ctl::kGoalX2] = "12,5";
        port.messageIds.clear();

        Click(dlg, port, to);

        EXPECT_EQ(port.messageIds, std::vector<int>{str::kUseDecimalPoint});
        EXPECT_EQ(dlg.m_nTraverseType, to);
        EXPECT_EQ(port.radios[ctl::kTypeRadioGroup], to);
        EXPECT_EQ(port.texts[ctl::kGoalX2], "");
        EXPECT_EQ(port.diagram.image, std::string("/opt/traverse/") + kTypes[to].diagram);
        EXPECT_EQ(port.disabled[ctl::kAzimuthClosure], !kTypes[to].azimuthClosureEnabled);
    }
}

// A handler whose button is not the checked one changes nothing: the layout stays the
// checked type's, so the window never shows one type's inputs under another's button.
TEST(TypeSelection, HandlerOfAnUncheckedButtonKeepsTheCheckedLayout) {
    FakeWindowPort port;
    CTraverseAdjustDlg dlg(&port);
    dlg.OnInitDialog();
    Click(dlg, port, kSingleConnection);
    TypeEverything(port);
    dlg.OnTypeClosed(); // the checked button is still "单连接角附合导线"

    EXPECT_EQ(dlg.m_nTraverseType, kSingleConnection);
    EXPECT_EQ(port.radios[ctl::kTypeRadioGroup], kSingleConnection);
    EXPECT_EQ(port.diagram.image, "/opt/traverse/单连接角.bmp");
    EXPECT_TRUE(port.disabled[ctl::kAzimuthClosure]);
    EXPECT_EQ(port.texts[ctl::kInitX1], "101.75") << "what was typed stays";
}

TEST(TypeSelection, LayoutOfAnUnknownTypeChangesNothing) {
    FakeWindowPort port;
    CTraverseAdjustDlg dlg(&port);
    dlg.OnInitDialog();
    const auto hidden = port.hidden;
    const auto image = port.diagram.image;
    for (int type : {-1, 5, 100})
        dlg.ApplyLayout(type);
    EXPECT_EQ(port.hidden, hidden);
    EXPECT_EQ(port.diagram.image, image);
}

// After a change of type a group is named after its new station only where the name is
// the one filled in and nothing is typed under it; coordinates stay with the name they
// were typed under, and the adjustment then says which point they belong to.
TEST(TypeSelection, CoordinatesStayWithTheirName) {
    struct Case {
        const char* name;
        std::map<int, std::string> typed; // after the single-connection names are filled
        const char* end1Name;             // group 3 under the double-connection type
        int message;                      // of the adjustment, 0: none checked
    };
    const Case cases[] = {
        {"a filled name without coordinates follows its station", {}, "P2", 0},
        {"coordinates typed under P3 keep P3",
         {{ctl::kGoalX1, "1300"}, {ctl::kGoalY1, "1000"}},
         "P3",
         str::kKnownNameMismatch},
        {"a name the user typed stays", {{ctl::kGoalName1, "XY"}}, "XY", 0},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        FakeWindowPort port;
        CTraverseAdjustDlg dlg(&port);
        dlg.OnInitDialog();
        SetObservations(dlg, {{1800000, 100}, {1800000, 100}, {1800000, 100}});
        dlg.m_nState = kObservationsLoaded;
        Click(dlg, port, kSingleConnection);
        ASSERT_EQ(port.texts[ctl::kGoalName1], "P3");
        for (const auto& [id, text] : c.typed)
            port.texts[id] = text;
        Click(dlg, port, kDoubleConnection);
        EXPECT_EQ(port.texts[ctl::kGoalName1], c.end1Name);
        EXPECT_EQ(port.texts[ctl::kGoalName2], "P3");
        if (c.message == 0) continue;
        port.SetKnownPoints(1000, 1000, 900, 1000, 1300, 1000, 1400, 1000);
        port.messageIds.clear();
        dlg.OnAdjust();
        EXPECT_EQ(port.messageIds, std::vector<int>{c.message});
    }
}
