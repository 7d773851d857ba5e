#include "workspace/ResultExportDlg.h"
#include "support/FakeWindowPort.h"
#include "workspace/ControlIds.h"
#include "workspace/DialogTemplate.h"
#include "workspace/TraverseAdjustDlg.h"
#include "write/ResultsReport.h"

#include <gtest/gtest.h>

#include <map>

using namespace traverse;

namespace {

const std::pair<int, int CResultExportDlg::*> kBoxes[] = {
    {ctl::kOptApproxCoords, &CResultExportDlg::m_bApproxCoords},
    {ctl::kOptAdjCoords, &CResultExportDlg::m_bAdjCoords},
    {ctl::kOptAdjSides, &CResultExportDlg::m_bAdjSides},
    {ctl::kOptPrecision, &CResultExportDlg::m_bPrecision},
    {ctl::kOptHeader, &CResultExportDlg::m_bHeader},
    {ctl::kOptClosures, &CResultExportDlg::m_bClosures},
    {ctl::kOptHeights, &CResultExportDlg::m_bHeights},
    {ctl::kOptTests, &CResultExportDlg::m_bTests}};

// One box ticked at a time: exactly its member reads 1, and shows back as the only tick.
TEST(ResultExportDlg, EachCheckBoxSetsItsOwnMember) {
    for (auto [ticked, member] : kBoxes) {
        FakeWindowPort in, out;
        in.SetCheck(ticked, true);
        in.SetControlText(ctl::kOptPath, "/home/测量/out.txt");
        CResultExportDlg dlg;
        dlg.DoDataExchange(in, true);
        dlg.DoDataExchange(out, false);
        for (auto [box, m] : kBoxes) {
            EXPECT_EQ(dlg.*m, box == ticked ? 1 : 0) << ticked << " " << box;
            EXPECT_EQ(out.GetCheck(box), box == ticked) << ticked << " " << box;
        }
        EXPECT_EQ(out.GetControlText(ctl::kOptPath), "/home/测量/out.txt");
    }
}

// The report's encoding: GBK unless UTF-8 is chosen (and by default), shown back as chosen.
TEST(ResultExportDlg, EncodingChoice) {
    const struct {
        int radioIndex; // the button checked, -1 none
        ReportEncoding report;
    } cases[] = {
        {0, ReportEncoding::Cp936}, {1, ReportEncoding::Utf8}, {-1, ReportEncoding::Cp936}};
    for (const auto& c : cases) {
        FakeWindowPort in, out;
        in.SetRadioIndex(ctl::kOptEncodingGbk, c.radioIndex);
        CResultExportDlg dlg;
        dlg.DoDataExchange(out, false);
        EXPECT_EQ(out.GetRadioIndex(ctl::kOptEncodingGbk), 0) << "GBK at first";
        dlg.DoDataExchange(in, true);
        dlg.DoDataExchange(out, false);
        EXPECT_EQ(dlg.Sections().encoding, c.report) << c.radioIndex;
        EXPECT_EQ(out.GetRadioIndex(ctl::kOptEncodingGbk), dlg.m_nEncoding) << c.radioIndex;
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
        EXPECT_EQ(port.saveRequests, std::vector<std::string>{
                                         "txt|typed.txt|文本文件 (*.txt)|*.txt|所有文件 (*)|*||"});
    }
}

// The controls the dialog addresses exist in template 130 with the right kind and
// lie inside the dialog.
TEST(ResultExportDlg, TemplateHoldsTheAddressedControls) {
    const DialogTemplate& t = ExportDialogTemplate();
    std::map<int, ControlKind> kinds;
    for (const ControlTemplate& c : t.controls) {
        EXPECT_TRUE(c.id == -1 || kinds.emplace(c.id, c.kind).second) << "twice: " << c.id;
        EXPECT_TRUE(c.x >= 0 && c.y >= 0 && c.x + c.width <= t.width && c.y + c.height <= t.height)
            << c.text;
    }
    std::map<int, ControlKind> expected = {{ctl::kOptPath, ControlKind::Edit},
                                           {ctl::kOptFileName, ControlKind::PushButton},
                                           {ctl::kOk, ControlKind::DefaultPushButton},
                                           {ctl::kCancel, ControlKind::PushButton},
                                           {ctl::kOptEncodingGbk, ControlKind::RadioButton},
                                           {ctl::kOptEncodingUtf8, ControlKind::RadioButton}};
    for (auto [box, member] : kBoxes)
        expected[box] = ControlKind::CheckBox;
    EXPECT_EQ(kinds, expected);
    EXPECT_EQ(t.id, 130);
}

} // namespace

// The heights' and the tests' boxes choose their sections, each enough on its own; the
// first export leaves both unticked, so that its report is the classic one.
TEST(ResultExportDlg, HeightsAndTestsBoxesChooseTheirSections) {
    CResultExportDlg heights, tests, none;
    heights.m_bHeights = 1;
    tests.m_bTests = 1;
    EXPECT_TRUE(heights.Sections().heights && !heights.Sections().tests);
    EXPECT_TRUE(tests.Sections().tests && !tests.Sections().heights);
    EXPECT_TRUE(heights.AnySection() && tests.AnySection());
    EXPECT_FALSE(none.AnySection());
    CTraverseAdjustDlg window(nullptr);
    EXPECT_EQ(window.m_exportOptions.m_bHeights + window.m_exportOptions.m_bTests, 0);
}
