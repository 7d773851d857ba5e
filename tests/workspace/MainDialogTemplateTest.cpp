#include "workspace/ControlIds.h"
#include "workspace/DialogTemplate.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <map>
#include <set>
#include <string>
#include <vector>

namespace {
const ControlTemplate* Find(const DialogTemplate& t, int id) {
    for (const ControlTemplate& c : t.controls)
        if (c.id == id) return &c;
    return nullptr;
}

bool Overlap(const ControlTemplate& a, const ControlTemplate& b) {
    return a.x < b.x + b.width && b.x < a.x + a.width && a.y < b.y + b.height &&
           b.y < a.y + a.height;
}
} // namespace

TEST(MainDialogTemplate, Frame) {
    const DialogTemplate& t = MainDialogTemplate();
    EXPECT_EQ(t.id, 102);
    EXPECT_EQ(t.caption, "导线平差");
    EXPECT_EQ(t.fontName, "宋体");
    EXPECT_EQ(t.fontPoints, 9);
    EXPECT_EQ(t.width, 590);
    EXPECT_EQ(t.height, 326);
}

TEST(MainDialogTemplate, EveryControlWithItsKindAndText) {
    using K = ControlKind;
    struct Row {
        int id;
        K kind;
        std::string text;
        bool disabled;
    };
    const Row rows[] = {
        {ctl::kGrid, K::Grid, "", false},
        {ctl::kGroup1Heading, K::Label, "起始点1", false},
        {ctl::kGroup1LabelX, K::Label, "Init X1", false},
        {ctl::kGroup1LabelY, K::Label, "Init Y1", false},
        {ctl::kGroup1LabelZ, K::Label, "Init Z1", false},
        {ctl::kInitName1, K::Edit, "", false},
        {ctl::kInitX1, K::Edit, "", false},
        {ctl::kInitY1, K::Edit, "", false},
        {ctl::kInitZ1, K::Edit, "", false},
        {ctl::kGroup2Heading, K::Label, "起始点2", false},
        {ctl::kGroup2LabelX, K::Label, "Init X2", false},
        {ctl::kGroup2LabelY, K::Label, "Init Y2", false},
        {ctl::kGroup2LabelZ, K::Label, "Init Z2", true},
        {ctl::kInitName2, K::Edit, "", false},
        {ctl::kInitX2, K::Edit, "", false},
        {ctl::kInitY2, K::Edit, "", false},
        {ctl::kInitZ2, K::Edit, "", true},
        {ctl::kGroup3Heading, K::Label, "终止点1", false},
        {ctl::kGroup3LabelX, K::Label, "Goal X1", false},
        {ctl::kGroup3LabelY, K::Label, "Goal Y1", false},
        {ctl::kGroup3LabelZ, K::Label, "Goal Z1", false},
        {ctl::kGoalName1, K::Edit, "", false},
        {ctl::kGoalX1, K::Edit, "", false},
        {ctl::kGoalY1, K::Edit, "", false},
        {ctl::kGoalZ1, K::Edit, "", false},
        {ctl::kGroup4Heading, K::Label, "终止点2", false},
        {ctl::kGroup4LabelX, K::Label, "Goal X2", false},
        {ctl::kGroup4LabelY, K::Label, "Goal Y2", false},
        {ctl::kGroup4LabelZ, K::Label, "Goal Z2", true},
        {ctl::kGoalName2, K::Edit, "", false},
        {ctl::kGoalX2, K::Edit, "", false},
        {ctl::kGoalY2, K::Edit, "", false},
        {ctl::kGoalZ2, K::Edit, "", true},
        {ctl::kDiagram, K::Picture, "", false},
        {ctl::kWx, K::Edit, "", false},
        {ctl::kWy, K::Edit, "", false},
        {ctl::kWz, K::Edit, "", false},
        {ctl::kAzimuthClosure, K::Edit, "", false},
        {ctl::kAzimuthClosureLabel, K::Label, "方位角闭合差", false},
        {ctl::kRadioNonOriented, K::RadioButton, "无定向导线", false},
        {ctl::kRadioSingle, K::RadioButton, "单连接角附合导线", false},
        {ctl::kRadioClosed, K::RadioButton, "闭合导线", false},
        {ctl::kRadioDouble, K::RadioButton, "双连接角附合导线", false},
        {ctl::kImport, K::DefaultPushButton, "测量数据导入", false},
        {ctl::kImportKnown, K::PushButton, "导入已知点…", false},
        {ctl::kAdjust, K::PushButton, "导线平差", false},
        {ctl::kExport, K::PushButton, "数据结果导出", false},
        {ctl::kExit, K::PushButton, "退出", false},
        {ctl::kSigmaAngle, K::Edit, "", false},
        {ctl::kSigmaDistance, K::Edit, "", false},
        {ctl::kSigmaPpm, K::Edit, "", false},
        {ctl::kResults, K::PushButton, "平差成果", true},
        {ctl::kFaceToleranceLabel, K::Label, "两测回限差(″)", false},
        {ctl::kFaceTolerance, K::Edit, "", false},
        {ctl::kRefraction, K::Edit, "", false},
        {ctl::kRadioNetwork, K::RadioButton, "导线网", false},
        {ctl::kKnownGrid, K::Grid, "", false},
        {ctl::kNetNameLabel, K::Label, "点名", false},
        {ctl::kNetXLabel, K::Label, "X", false},
        {ctl::kNetYLabel, K::Label, "Y", false},
        {ctl::kNetHLabel, K::Label, "H", false},
        {ctl::kNetName, K::Edit, "", false},
        {ctl::kNetX, K::Edit, "", false},
        {ctl::kNetY, K::Edit, "", false},
        {ctl::kNetH, K::Edit, "", false},
        {ctl::kNetSet, K::PushButton, "设为已知点", false},
        {ctl::kNetRemove, K::PushButton, "删除已知点", false},
    };
    const DialogTemplate& t = MainDialogTemplate();
    for (const Row& r : rows) {
        const ControlTemplate* c = Find(t, r.id);
        ASSERT_NE(c, nullptr) << r.id;
        EXPECT_EQ(c->kind, r.kind) << r.id;
        EXPECT_EQ(c->text, r.text) << r.id;
        EXPECT_EQ(c->disabled, r.disabled) << r.id;
    }

    // The static texts without an id: frames, closure captions and units.
    std::multiset<std::string> statics,
        expected = {"坐标计算网格",  "起算数据输入",  "计算结果",      "导线类型",
                    "X坐标闭合差Wx", "Y坐标闭合差Wy", "Z坐标闭合差Wz", "(mm)",
                    "(mm)",          "(mm)",          "(\")",
                    "仪器精度（可不填）：测角中误差(″)", "测距中误差(mm)", "+", "ppm", "折光系数 k"};
    for (const ControlTemplate& c : t.controls)
        if (c.id == -1) statics.insert(std::string(c.text));
    EXPECT_EQ(statics, expected);
    EXPECT_EQ(t.controls.size(), std::size(rows) + expected.size());
}

TEST(MainDialogTemplate, IdsAreUniqueAndOneDefaultButton) {
    std::set<int> ids;
    int defaults = 0;
    for (const ControlTemplate& c : MainDialogTemplate().controls) {
        if (c.id != -1) {
            EXPECT_TRUE(ids.insert(c.id).second) << "duplicate id " << c.id;
        }
        if (c.kind == ControlKind::DefaultPushButton) {
            ++defaults;
            EXPECT_EQ(c.id, ctl::kImport);
        }
    }
    EXPECT_EQ(defaults, 1);
}

// The order of the controls is the tab order of both windows: Tab from a point's Y goes
// to the next point's X; the names, filled in by the import, come after the coordinates
// (Tab from Init Y1 into the name box of point 2 had X2 typed over "D22").
TEST(MainDialogTemplate, TabGoesFromAPointsYToTheNextPointsX) {
    std::vector<int> edits;
    for (const ControlTemplate& c : MainDialogTemplate().controls)
        if (c.kind == ControlKind::Edit && !c.disabled && c.id != ctl::kFaceTolerance &&
            std::find(std::begin(ctl::kClosureEdits), std::end(ctl::kClosureEdits), c.id) ==
                std::end(ctl::kClosureEdits))
            edits.push_back(c.id);
    // The ends' heights follow their Y.
    EXPECT_EQ(edits, (std::vector<int>{ctl::kInitX1, ctl::kInitY1, ctl::kInitZ1, ctl::kInitX2,
                                       ctl::kInitY2, ctl::kGoalX1, ctl::kGoalY1, ctl::kGoalZ1,
                                       ctl::kGoalX2, ctl::kGoalY2, ctl::kInitName1,
                                       ctl::kInitName2, ctl::kGoalName1, ctl::kGoalName2,
                                       ctl::kNetName, ctl::kNetX, ctl::kNetY, ctl::kNetH,
                                       ctl::kSigmaAngle, ctl::kSigmaDistance, ctl::kSigmaPpm,
                                       ctl::kRefraction}));
}

TEST(MainDialogTemplate, RadioGroupInTypeOrder) {
    const auto& controls = MainDialogTemplate().controls;
    std::vector<int> radios;
    std::vector<bool> starts;
    for (const ControlTemplate& c : controls)
        if (c.kind == ControlKind::RadioButton) {
            radios.push_back(c.id);
            starts.push_back(c.groupStart);
        }
    EXPECT_EQ(radios, (std::vector<int>{ctl::kRadioNonOriented, ctl::kRadioSingle,
                                        ctl::kRadioClosed, ctl::kRadioDouble,
                                        ctl::kRadioNetwork}));
    EXPECT_EQ(starts, (std::vector<bool>{true, false, false, false, false}));
    auto first = std::find_if(controls.begin(), controls.end(), [](const ControlTemplate& c) {
        return c.id == ctl::kRadioNonOriented;
    });
    for (int i = 0; i < 5; ++i)
        EXPECT_EQ((first + i)->kind, ControlKind::RadioButton) << "the group is contiguous";
}

TEST(MainDialogTemplate, ControlsFitAndDoNotOverlap) {
    const DialogTemplate& t = MainDialogTemplate();
    const ControlTemplate* diagram = Find(t, ctl::kDiagram);
    ASSERT_NE(diagram, nullptr);
    EXPECT_EQ((std::vector<int>{diagram->x, diagram->y, diagram->width, diagram->height}),
              (std::vector<int>{424, 160, 157, 75}));

    std::vector<const ControlTemplate*> frames, others;
    for (const ControlTemplate& c : t.controls) {
        EXPECT_GT(c.width, 0);
        EXPECT_GT(c.height, 0);
        EXPECT_GE(c.x, 0);
        EXPECT_GE(c.y, 0);
        EXPECT_LE(c.x + c.width, t.width) << c.text << " " << c.id;
        EXPECT_LE(c.y + c.height, t.height) << c.text << " " << c.id;
        (c.kind == ControlKind::GroupBox ? frames : others).push_back(&c);
    }
    // The network's table takes the place of the four point groups: one or the other shows.
    const auto network = [](const ControlTemplate* c) {
        return std::find(std::begin(ctl::kNetworkControls), std::end(ctl::kNetworkControls),
                         c->id) != std::end(ctl::kNetworkControls);
    };
    const auto group = [](const ControlTemplate* c) {
        return (c->id >= ctl::kInitName1 && c->id <= ctl::kGoalZ1) ||
               (c->id >= ctl::kGroup1LabelX && c->id <= ctl::kGroup4LabelZ);
    };
    for (size_t i = 0; i < others.size(); ++i)
        for (size_t j = i + 1; j < others.size(); ++j)
            EXPECT_TRUE(!Overlap(*others[i], *others[j]) ||
                        (network(others[i]) && group(others[j])) ||
                        (group(others[i]) && network(others[j])))
                << others[i]->id << " " << others[i]->text << " / " << others[j]->id << " "
                << others[j]->text;
    for (size_t i = 0; i < frames.size(); ++i)
        for (size_t j = i + 1; j < frames.size(); ++j)
            EXPECT_FALSE(Overlap(*frames[i], *frames[j])) << frames[i]->text << frames[j]->text;
}

// Nothing crosses a frame in either window: a control over a group box lies within it,
// at least 15 units below its top, where a title drawn above the frame's line (Qt) ends
// as well as one drawn on it (Win32), and clear of its sides and bottom.
TEST(DialogTemplates, ControlsOverAFrameLieWithinItBelowItsTitle) {
    for (const DialogTemplate* t : {&MainDialogTemplate(), &ExportDialogTemplate()})
        for (const ControlTemplate& frame : t->controls) {
            if (frame.kind != ControlKind::GroupBox) continue;
            for (const ControlTemplate& c : t->controls) {
                if (c.kind == ControlKind::GroupBox || !Overlap(frame, c)) continue;
                EXPECT_GE(c.y, frame.y + 15) << t->id << " " << frame.text << ": " << c.id;
                EXPECT_LE(c.y + c.height, frame.y + frame.height - 3) << frame.text << ": " << c.id;
                EXPECT_GE(c.x, frame.x + 3) << frame.text << ": " << c.id;
                EXPECT_LE(c.x + c.width, frame.x + frame.width - 2) << frame.text << ": " << c.id;
            }
        }
}
