#include "export/ResultExportDlg.h"
#include "resources/DialogTemplate.h"
#include "support/FakeWindowPort.h"
#include "workspace/ControlIds.h"

#include <gtest/gtest.h>

#include <set>

namespace {

int CResultExportDlg::*const kMembers[] = {
    &CResultExportDlg::m_bApproxCoords, &CResultExportDlg::m_bAdjCoords,
    &CResultExportDlg::m_bAdjSides, &CResultExportDlg::m_bPrecision};
const int kBoxes[] = {ctl::kOptApproxCoords, ctl::kOptAdjCoords, ctl::kOptAdjSides,
                      ctl::kOptPrecision};

TEST(ResultExportDlg, EachCheckBoxSetsItsOwnMember) {
    for (int ticked = 0; ticked < 4; ++ticked) {
        FakeWindowPort controls;
        controls.SetCheck(kBoxes[ticked], true);
        controls.SetControlText(ctl::kOptPath, "/home/测量/out.txt");
        CResultExportDlg dlg;
        dlg.DoDataExchange(controls, true);
        EXPECT_EQ(dlg.m_strPath, "/home/测量/out.txt");
        for (int k = 0; k < 4; ++k)
            EXPECT_EQ(dlg.*kMembers[k], k == ticked ? 1 : 0) << ticked;

        FakeWindowPort shown;
        dlg.DoDataExchange(shown, false);
        for (int k = 0; k < 4; ++k)
            EXPECT_EQ(shown.GetCheck(kBoxes[k]), k == ticked) << ticked;
        EXPECT_EQ(shown.GetControlText(ctl::kOptPath), "/home/测量/out.txt");
    }
}

// The file-name button keeps ticks and a typed path; a cancelled save keeps the path.
TEST(ResultExportDlg, FileNameButtonKeepsTheOtherChoices) {
    for (bool chosen : {true, false}) {
        FakeWindowPort port;
        port.SetCheck(ctl::kOptPrecision, true);
        port.SetControlText(ctl::kOptPath, "typed.txt");
        if (chosen) port.savePaths.push_back("/data/报告.txt");
        CResultExportDlg dlg;
        dlg.OnFileName(port, port);
        const std::string path = chosen ? "/data/报告.txt" : "typed.txt";
        EXPECT_EQ(dlg.m_strPath, path);
        EXPECT_EQ(port.GetControlText(ctl::kOptPath), path);
        EXPECT_EQ(dlg.m_bPrecision, 1);
        EXPECT_TRUE(port.GetCheck(ctl::kOptPrecision));
        EXPECT_EQ(port.saveRequests,
                  std::vector<std::string>{"txt|output.txt|( *.txt)|*.txt|All Files(*.*)|*.*||"});
    }
}

// Every control the dialog exchanges exists in its template with the right kind, and
// every control lies inside the dialog.
TEST(ResultExportDlg, TemplateHoldsTheExchangedControls) {
    const DialogTemplate& t = ExportDialogTemplate();
    EXPECT_EQ(t.id, 130);
    std::set<int> checks, ids;
    int defaults = 0;
    for (const ControlTemplate& c : t.controls) {
        if (c.id != -1) {
            EXPECT_TRUE(ids.insert(c.id).second) << "duplicate id " << c.id;
        }
        if (c.kind == ControlKind::CheckBox) checks.insert(c.id);
        if (c.kind == ControlKind::DefaultPushButton) {
            ++defaults;
            EXPECT_EQ(c.id, ctl::kOk);
        }
        if (c.id == ctl::kOptPath) {
            EXPECT_EQ(c.kind, ControlKind::Edit);
        }
        if (c.id == ctl::kOptFileName) {
            EXPECT_EQ(c.kind, ControlKind::PushButton);
        }
        EXPECT_TRUE(c.x >= 0 && c.y >= 0 && c.x + c.width <= t.width && c.y + c.height <= t.height)
            << c.id << " " << c.text;
    }
    EXPECT_EQ(checks, std::set<int>(std::begin(kBoxes), std::end(kBoxes)));
    EXPECT_EQ(defaults, 1);
    EXPECT_TRUE(ids.count(ctl::kCancel) && ids.count(ctl::kOptPath) &&
                ids.count(ctl::kOptFileName));
}

} // namespace
