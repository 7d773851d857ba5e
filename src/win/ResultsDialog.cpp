// The results window "平差成果" on Win32, modal to the main window: the closure
// statistics against a chosen grade and the coordinate table as read-only text, and
// the files for other programs (CSV, DAT, SVG plot, the calculation sheet, the HTML
// report) saved through the workspace. The grade chosen is kept for the run. It
// computes nothing: the results, checks, texts and files are the core's.
#include "win/TraverseWindow.h"

#include "win/MemoryTemplate.h"

#include "platform/WideText.h"
#include "workspace/TraverseAdjustDlg.h"
#include "write/CalculationSheet.h"
#include "write/CoordinateFiles.h"
#include "write/HtmlReport.h"
#include "write/PlotModel.h"
#include "write/ResultsText.h"
#include "write/SvgPlot.h"

using namespace traverse;

namespace {
enum ResultsControl {
    kGradeBox = 2001,
    kTextBox,
    kSaveCsv,
    kSaveDat,
    kSaveSvg,
    kClose,
    kSaveSheet,
    kSaveHtml,
    kScaleBox
};
constexpr int kSvgWidth = 800, kSvgHeight = 600; // as the other window's plot

struct ResultsRun {
    CTraverseAdjustDlg& ws;
    TraverseResults results;
    HWND& activeDialog;
};

// Statistics, verdict and table, lines ended by CR LF as an edit control wants them.
std::string ResultsText(const TraverseResults& results, const Grade& grade) {
    const GradeChecks checks = CheckGrade(results.closure, grade);
    std::string text;
    for (const KnownPointText& k : KnownPointTexts(results))
        text += k.point + "：" + k.coordinates + "\r\n";
    for (const std::string& line : ClosureSummaryLines(results, grade, checks))
        text += line + "\r\n";
    return text + "\r\n" + CoordinateTableText(results, "\r\n");
}

HWND AddControl(HWND dlg, const wchar_t* cls, const char* text, DWORD style, int id, RECT r) {
    MapDialogRect(dlg, &r);
    const HWND h = CreateWindowExW(
        cls == std::wstring_view(L"EDIT") ? WS_EX_CLIENTEDGE : 0, cls, Widen(text).c_str(),
        WS_CHILD | WS_VISIBLE | style, r.left, r.top, r.right - r.left, r.bottom - r.top, dlg,
        reinterpret_cast<HMENU>(static_cast<INT_PTR>(id)), nullptr, nullptr);
    SendMessageW(h, WM_SETFONT, SendMessageW(dlg, WM_GETFONT, 0, 0), TRUE);
    return h;
}

void ShowText(HWND dlg, ResultsRun& run) {
    const LRESULT chosen = SendDlgItemMessageW(dlg, kGradeBox, CB_GETCURSEL, 0, 0);
    const auto& grades = StandardGrades();
    Grade grade = chosen >= 0 && static_cast<size_t>(chosen) < grades.size()
                      ? grades[static_cast<size_t>(chosen)]
                      : DefaultGrade();
    // The map scale box holds 未选 and then the scales, for the 图根 grades only.
    const HWND scales = GetDlgItem(dlg, kScaleBox);
    EnableWindow(scales, HasMapScale(grade));
    const LRESULT scale = SendMessageW(scales, CB_GETCURSEL, 0, 0);
    if (scale > 0 && static_cast<size_t>(scale) <= std::size(kMapScales))
        grade = WithMapScale(grade, kMapScales[scale - 1]);
    run.ws.m_grade = grade;
    SetDlgItemTextW(dlg, kTextBox, Widen(ResultsText(run.results, grade)).c_str());
}

void BuildControls(HWND dlg, const Grade& remembered) {
    AddControl(dlg, L"STATIC", "导线等级", SS_LEFT, -1, {7, 9, 42, 19});
    const HWND box = AddControl(dlg, L"COMBOBOX", "", CBS_DROPDOWNLIST | WS_TABSTOP | WS_VSCROLL,
                                kGradeBox, {50, 7, 120, 100});
    for (const Grade& g : StandardGrades())
        SendMessageW(box, CB_ADDSTRING, 0, reinterpret_cast<LPARAM>(Widen(g.name).c_str()));
    for (size_t i = 0; i < StandardGrades().size(); ++i)
        if (StandardGrades()[i].name == remembered.name) SendMessageW(box, CB_SETCURSEL, i, 0);
    if (SendMessageW(box, CB_GETCURSEL, 0, 0) < 0) // a grade of one's own: the default here
        for (size_t i = 0; i < StandardGrades().size(); ++i)
            if (StandardGrades()[i].name == DefaultGrade().name)
                SendMessageW(box, CB_SETCURSEL, i, 0);
    AddControl(dlg, L"STATIC", "测图比例尺", SS_LEFT, -1, {130, 9, 175, 19});
    const HWND scales = AddControl(dlg, L"COMBOBOX", "", CBS_DROPDOWNLIST | WS_TABSTOP, kScaleBox,
                                   {178, 7, 228, 100});
    SendMessageW(scales, CB_ADDSTRING, 0, reinterpret_cast<LPARAM>(L"未选"));
    for (size_t i = 0; i < std::size(kMapScales); ++i) {
        const std::string label = "1:" + std::to_string(kMapScales[i]);
        SendMessageW(scales, CB_ADDSTRING, 0, reinterpret_cast<LPARAM>(Widen(label).c_str()));
        if (kMapScales[i] == remembered.mapScale) SendMessageW(scales, CB_SETCURSEL, i + 1, 0);
    }
    if (remembered.mapScale == 0) SendMessageW(scales, CB_SETCURSEL, 0, 0);
    const HWND text = AddControl(dlg, L"EDIT", "",
                                 ES_MULTILINE | ES_READONLY | ES_AUTOVSCROLL | ES_AUTOHSCROLL |
                                     WS_VSCROLL | WS_HSCROLL | WS_TABSTOP,
                                 kTextBox, {7, 24, 453, 232});
    const int stops[] = {40,  100, 160, 192, 224,
                         256, 288, 320, 384}; // X, Y wide enough for grid coordinates
    SendMessageW(text, EM_SETTABSTOPS, std::size(stops), reinterpret_cast<LPARAM>(stops));
    const DWORD button = BS_PUSHBUTTON | WS_TABSTOP;
    AddControl(dlg, L"BUTTON", "保存为 CSV…", button, kSaveCsv, {7, 240, 67, 254});
    AddControl(dlg, L"BUTTON", "保存为 DAT…", button, kSaveDat, {72, 240, 132, 254});
    AddControl(dlg, L"BUTTON", "保存为 SVG…", button, kSaveSvg, {137, 240, 197, 254});
    AddControl(dlg, L"BUTTON", "保存计算表…", button, kSaveSheet, {202, 240, 262, 254});
    AddControl(dlg, L"BUTTON", "保存网页报告…", button, kSaveHtml, {267, 240, 337, 254});
    AddControl(dlg, L"BUTTON", "关闭", BS_DEFPUSHBUTTON | WS_TABSTOP, kClose, {413, 240, 460, 254});
}

bool OnCommand(HWND dlg, ResultsRun& run, WORD id, WORD code) {
    switch (id) {
    case kGradeBox:
    case kScaleBox:
        if (code == CBN_SELCHANGE) ShowText(dlg, run);
        return true;
    case kSaveCsv:
        run.ws.SaveResultAs(kCoordinatesCsvFile, [&] { return CoordinatesCsv(run.results); });
        return true;
    case kSaveDat:
        run.ws.SaveResultAs(kCoordinatesDatFile, [&] { return CoordinatesDat(run.results); });
        return true;
    case kSaveSvg:
        run.ws.SaveResultAs(kPlotSvgFile, [&] {
            return WriteSvgPlot(
                BuildPlotModel(run.results, kSvgWidth, kSvgHeight,
                               PlotTitle(run.ws.m_strObservationPath, run.results.traverseType)));
        });
        return true;
    case kSaveSheet:
        run.ws.SaveResultAs(kCalculationSheetFile, [&] {
            return CalculationSheetCsv(run.results.sheet, run.results.closure, run.ws.m_grade);
        });
        return true;
    case kSaveHtml:
        run.ws.SaveResultAs(kHtmlReportFile, [&] {
            return BuildHtmlReport(run.results, run.ws.CurrentReportContext());
        });
        return true;
    case kClose:
    case IDCANCEL:
        EndDialog(dlg, IDCANCEL);
        return true;
    }
    return false;
}

INT_PTR CALLBACK ResultsProc(HWND dlg, UINT msg, WPARAM w, LPARAM l) {
    if (msg == WM_INITDIALOG) {
        SetWindowLongPtrW(dlg, DWLP_USER, l);
        auto* run = reinterpret_cast<ResultsRun*>(l);
        run->activeDialog = dlg;
        BuildControls(dlg, run->ws.m_grade);
        ShowText(dlg, *run);
        return TRUE;
    }
    auto* run = reinterpret_cast<ResultsRun*>(GetWindowLongPtrW(dlg, DWLP_USER));
    if (run == nullptr || msg != WM_COMMAND) return FALSE;
    return OnCommand(dlg, *run, LOWORD(w), HIWORD(w)) ? TRUE : FALSE;
}

const DialogTemplate& ResultsFrame() {
    static const DialogTemplate kFrame{0, "平差成果", "宋体", 9, 467, 261, {}};
    return kFrame;
}
} // namespace

void CWinTraverseWindow::RunResultsWindow(CTraverseAdjustDlg& ws) {
    const std::vector<WORD> tmpl = BuildMemoryTemplate(ResultsFrame(), kModalDialogStyle);
    ResultsRun run{ws, CollectResults(*ws.m_adjusted), m_activeDialog};
    DialogBoxIndirectParamW(m_instance, reinterpret_cast<LPCDLGTEMPLATEW>(tmpl.data()), m_hwnd,
                            ResultsProc, reinterpret_cast<LPARAM>(&run));
    m_activeDialog = nullptr;
}
