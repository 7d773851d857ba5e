// Template 102, the main window "导线平差": the observation grid on top; below it the
// known points (four groups of name, X, Y and Z), the closures, the traverse types,
// the diagram, the two-face tolerance of an import and the commands. Rectangles in dialog units;
// the Z inputs of the orienting points are disabled, and so is "平差成果" until there is
// an adjustment.
#include "workspace/ControlIds.h"
#include "workspace/DialogTemplate.h"

namespace {
using K = ControlKind;

// One known-point group: heading and name edit on the first line, then X, Y and Z,
// each a label and an edit. (x, y) is the group's top left corner.
struct PointGroup {
    int x, y;
    int heading;
    std::string_view headingText;
    int labels[3];
    std::string_view labelTexts[3];
    int edits[4]; // name, X, Y, Z
};

// The order of the controls is the tab order: the coordinates of the four groups
// first, one after the other (Y of a point, then X of the next), then the names, which
// the import fills in.
void AddPointGroups(std::vector<ControlTemplate>& out, const PointGroup (&groups)[4]) {
    for (const PointGroup& g : groups)
        for (int i = 0; i < 3; ++i) {
            // Heights are taken at the traverse's ends (groups 1 and 3); the orienting
            // points' Z stays disabled.
            const bool z = i == 2 && g.edits[0] != ctl::kInitName1 && g.edits[0] != ctl::kGoalName1;
            const int rowY = g.y + 14 * (i + 1);
            out.push_back({g.labels[i], K::Label, g.labelTexts[i], g.x, rowY + 1, 36, 10, z});
            out.push_back({g.edits[i + 1], K::Edit, "", g.x + 38, rowY, 72, 12, z});
        }
    for (const PointGroup& g : groups) {
        out.push_back({g.heading, K::Label, g.headingText, g.x, g.y + 1, 36, 10});
        out.push_back({g.edits[0], K::Edit, "", g.x + 38, g.y, 72, 12});
    }
}

// The network's known points, in the frame of the four groups and shown in their place:
// one row of edits (name and height, then X and Y) with the buttons that set or remove
// a point, and the table under them. Shown only for the network (ApplyLayout).
void AddNetworkTable(std::vector<ControlTemplate>& out) {
    struct Box {
        int label, edit;
        std::string_view text;
        int x, y;
    };
    // In the tab order: the name, X, Y, then H (beside the name).
    const Box boxes[4] = {{ctl::kNetNameLabel, ctl::kNetName, "点名", 14, 173},
                          {ctl::kNetXLabel, ctl::kNetX, "X", 14, 188},
                          {ctl::kNetYLabel, ctl::kNetY, "Y", 97, 188},
                          {ctl::kNetHLabel, ctl::kNetH, "H", 97, 173}};
    for (const Box& b : boxes) {
        out.push_back({b.label, K::Label, b.text, b.x, b.y + 1, 18, 10});
        out.push_back({b.edit, K::Edit, "", b.x + 19, b.y, 60, 12});
    }
    out.push_back({ctl::kNetSet, K::PushButton, "设为已知点", 178, 172, 66, 14});
    out.push_back({ctl::kNetRemove, K::PushButton, "删除已知点", 178, 187, 66, 14});
    out.push_back({ctl::kKnownGrid, K::Grid, "", 14, 204, 230, 96});
}

DialogTemplate Build() {
    DialogTemplate t{102, "导线平差", "宋体", 9, 590, 326, {}};
    auto& c = t.controls;

    c.push_back({-1, K::GroupBox, "坐标计算网格", 7, 5, 576, 148});
    c.push_back({ctl::kGrid, K::Grid, "", 13, 20, 564, 128});

    // A frame's first row sits 16 units below its top, clear of a title drawn above the
    // frame's line (Qt) as well as on it (Win32).
    c.push_back({-1, K::GroupBox, "起算数据输入", 7, 157, 244, 148});
    const PointGroup groups[4] = {
        {14,
         173,
         ctl::kGroup1Heading,
         "起始点1",
         {ctl::kGroup1LabelX, ctl::kGroup1LabelY, ctl::kGroup1LabelZ},
         {"Init X1", "Init Y1", "Init Z1"},
         {ctl::kInitName1, ctl::kInitX1, ctl::kInitY1, ctl::kInitZ1}},
        {134,
         173,
         ctl::kGroup2Heading,
         "起始点2",
         {ctl::kGroup2LabelX, ctl::kGroup2LabelY, ctl::kGroup2LabelZ},
         {"Init X2", "Init Y2", "Init Z2"},
         {ctl::kInitName2, ctl::kInitX2, ctl::kInitY2, ctl::kInitZ2}},
        {14,
         239,
         ctl::kGroup3Heading,
         "终止点1",
         {ctl::kGroup3LabelX, ctl::kGroup3LabelY, ctl::kGroup3LabelZ},
         {"Goal X1", "Goal Y1", "Goal Z1"},
         {ctl::kGoalName1, ctl::kGoalX1, ctl::kGoalY1, ctl::kGoalZ1}},
        {134,
         239,
         ctl::kGroup4Heading,
         "终止点2",
         {ctl::kGroup4LabelX, ctl::kGroup4LabelY, ctl::kGroup4LabelZ},
         {"Goal X2", "Goal Y2", "Goal Z2"},
         {ctl::kGoalName2, ctl::kGoalX2, ctl::kGoalY2, ctl::kGoalZ2}},
    };
    AddPointGroups(c, groups);
    AddNetworkTable(c);

    c.push_back({-1, K::GroupBox, "计算结果", 257, 157, 161, 74});
    struct ClosureRow {
        int captionId;
        std::string_view caption;
        int edit;
        std::string_view unit;
        bool disabled;
    };
    const ClosureRow rows[4] = {
        {-1, "X坐标闭合差Wx", ctl::kWx, "(mm)", false},
        {-1, "Y坐标闭合差Wy", ctl::kWy, "(mm)", false},
        {-1, "Z坐标闭合差Wz", ctl::kWz, "(mm)", false},
        {ctl::kAzimuthClosureLabel, "方位角闭合差", ctl::kAzimuthClosure, "(\")", false},
    };
    for (int i = 0; i < 4; ++i) {
        const int y = 173 + 14 * i;
        c.push_back(
            {rows[i].captionId, K::Label, rows[i].caption, 263, y + 1, 56, 10, rows[i].disabled});
        c.push_back({rows[i].edit, K::Edit, "", 321, y, 64, 12, rows[i].disabled});
        c.push_back({-1, K::Label, rows[i].unit, 388, y + 1, 26, 10});
    }

    // The type frame is as wide as its longest button; the network's button is the fifth.
    c.push_back({-1, K::GroupBox, "导线类型", 257, 235, 95, 72});
    c.push_back(
        {ctl::kRadioNonOriented, K::RadioButton, "无定向导线", 265, 250, 84, 10, false, true});
    c.push_back({ctl::kRadioSingle, K::RadioButton, "单连接角附合导线", 265, 261, 84, 10});
    c.push_back({ctl::kRadioClosed, K::RadioButton, "闭合导线", 265, 272, 84, 10});
    c.push_back({ctl::kRadioDouble, K::RadioButton, "双连接角附合导线", 265, 283, 84, 10});
    c.push_back({ctl::kRadioNetwork, K::RadioButton, "导线网", 265, 294, 84, 10});

    c.push_back({ctl::kDiagram, K::Picture, "", 424, 160, 157, 75});

    // Beside the import buttons: how far a ".con" group's faces may differ.
    c.push_back({ctl::kFaceToleranceLabel, K::Label, "两测回限差(″)", 358, 241, 60, 10});
    c.push_back({ctl::kFaceTolerance, K::Edit, "", 358, 253, 60, 12});

    // The commands in the order of a run: the observations and the known points, the
    // adjustment and its results, the export and the exit.
    c.push_back({ctl::kImport, K::DefaultPushButton, "测量数据导入", 424, 242, 76, 18});
    c.push_back({ctl::kImportKnown, K::PushButton, "导入已知点…", 505, 242, 76, 18});
    c.push_back({ctl::kAdjust, K::PushButton, "导线平差", 424, 264, 76, 18});
    // Enabled by the workspace while it holds a current adjustment.
    c.push_back({ctl::kResults, K::PushButton, "平差成果", 505, 264, 76, 18, true});
    c.push_back({ctl::kExport, K::PushButton, "数据结果导出", 424, 286, 76, 18});
    c.push_back({ctl::kExit, K::PushButton, "退出", 505, 286, 76, 18});

    // Under the frames, last in the tab order: the instrument's precision, which weighs
    // the adjustment and makes the global test; left empty, the classic weights.
    // The first label holds 14 characters of 宋体 and "(″)", some 215 pixels.
    c.push_back({-1, K::Label, "仪器精度（可不填）：测角中误差(″)", 14, 312, 146, 10});
    c.push_back({ctl::kSigmaAngle, K::Edit, "", 162, 310, 40, 12});
    c.push_back({-1, K::Label, "测距中误差(mm)", 212, 312, 58, 10});
    c.push_back({ctl::kSigmaDistance, K::Edit, "", 272, 310, 40, 12});
    c.push_back({-1, K::Label, "+", 316, 312, 8, 10});
    c.push_back({ctl::kSigmaPpm, K::Edit, "", 326, 310, 40, 12});
    c.push_back({-1, K::Label, "ppm", 370, 312, 20, 10});
    // The heights' refraction coefficient (trigonometric levelling), empty for 0.13.
    c.push_back({-1, K::Label, "折光系数 k", 400, 312, 40, 10});
    c.push_back({ctl::kRefraction, K::Edit, "", 442, 310, 36, 12});
    return t;
}
} // namespace

const DialogTemplate& MainDialogTemplate() {
    static const DialogTemplate kTemplate = Build();
    return kTemplate;
}
