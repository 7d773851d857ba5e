// The results window "平差成果" on Win32, modal to the main window: the closure
// statistics against a chosen grade and the coordinate table as read-only text, and
// the files for other programs (CSV, DAT, SVG plot, the calculation sheet, the HTML
// report) saved through the workspace. A network shows each line's closures and has no
// calculation sheet. The grade chosen is kept for the run. It computes nothing: the
// results, checks, texts and files are the core's.
#include "win/TraverseWindow.h"

#include "win/MemoryTemplate.h"

#include "platform/WideText.h"
#include "workspace/TraverseAdjustDlg.h"
#include "write/CalculationSheet.h"
#include "write/CoordinateFiles.h"
#include "write/HtmlReport.h"
#include "write/NetworkHtml.h"
#include "write/NetworkResults.h"
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

// The adjustment shown: a traverse's, or a network's (then network is set and results
// holds its points).
struct ResultsRun {
    CTraverseAdjustDlg& ws;
    const AdjustedNetworkRun* network;
    TraverseResults results;
    HWND& activeDialog;
};

// The known points, statistics and verdict of a traverse, or each line's of a network
// (without the report's rule above them).
std::vector<std::string> ClosureLines(const ResultsRun& run, const Grade& grade) {
    std::vector<std::string> lines;
    if (run.network != nullptr) {
        for (std::string& line :
             NetworkClosureLines(run.network->observations, run.network->adjustment, grade))
            if (line.rfind("------", 0) != 0) lines.push_back(std::move(line));
        return lines;
    }
    for (const KnownPointText& k : KnownPointTexts(run.results))
        lines.push_back(k.point + "：" + k.coordinates);
    const GradeChecks checks = CheckGrade(run.results.closure, grade);
    for (std::string& line : ClosureSummaryLines(run.results, grade, checks))
        lines.push_back(std::move(line));
    return lines;
}

// Statistics, verdict and table, lines ended by CR LF as an edit control wants them.
std::string ResultsText(const ResultsRun& run, const Grade& grade) {
    std::string text;
    for (const std::string& line : ClosureLines(run, grade))
        text += line + "\r\n";
    return text + "\r\n" + CoordinateTableText(run.results, "\r\n");
}

PlotModel Plot(const ResultsRun& run) {
    if (run.network == nullptr)
        return BuildPlotModel(run.results, kSvgWidth, kSvgHeight,
                              PlotTitle(run.ws.m_strObservationPath, run.results.traverseType));
    const NetworkObservations& n = run.network->observations;
    return BuildNetworkPlotModel(run.results, NetworkShape(n), kSvgWidth, kSvgHeight,
                                 NetworkPlotTitle(n));
}

std::string HtmlReport(const ResultsRun& run) {
    if (run.network == nullptr) return BuildHtmlReport(run.results, run.ws.CurrentReportContext());
    return BuildNetworkHtml(run.network->observations, run.network->adjustment,
                            run.ws.CurrentNetworkContext());
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
    SetDlgItemTextW(dlg, kTextBox, Widen(ResultsText(run, grade)).c_str());
}

// The save buttons side by side, in dialog units; a network has no calculation sheet.
void AddSaveButtons(HWND dlg, bool network) {
    struct SaveButton {
        const char* label;
        int id, width;
    };
    static constexpr SaveButton kButtons[] = {{"保存为 CSV…", kSaveCsv, 60},
                                              {"保存为 DAT…", kSaveDat, 60},
                                              {"保存为 SVG…", kSaveSvg, 60},
                                              {"保存计算表…", kSaveSheet, 60},
                                              {"保存网页报告…", kSaveHtml, 70}};
    int left = 7;
    for (const SaveButton& b : kButtons) {
        if (network && b.id == kSaveSheet) continue;
        AddControl(dlg, L"BUTTON", b.label, BS_PUSHBUTTON | WS_TABSTOP, b.id,
                   {left, 240, left + b.width, 254});
        left += b.width + 5;
    }
}

void BuildControls(HWND dlg, const Grade& remembered, bool network) {
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
    AddSaveButtons(dlg, network);
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
        run.ws.SaveResultAs(kPlotSvgFile, [&] { return WriteSvgPlot(Plot(run)); });
        return true;
    case kSaveSheet:
        if (run.network == nullptr)
            run.ws.SaveResultAs(kCalculationSheetFile, [&] {
                return CalculationSheetCsv(run.results.sheet, run.results.closure, run.ws.m_grade);
            });
        return true;
    case kSaveHtml:
        run.ws.SaveResultAs(kHtmlReportFile, [&] { return HtmlReport(run); });
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
        BuildControls(dlg, run->ws.m_grade, run->network != nullptr);
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
    if (!ws.m_network && !ws.m_adjusted) return;
    const std::vector<WORD> tmpl = BuildMemoryTemplate(ResultsFrame(), kModalDialogStyle);
    const AdjustedNetworkRun* network = ws.m_network ? &*ws.m_network : nullptr;
    ResultsRun run{ws, network,
                   network != nullptr
                       ? NetworkPointResults(network->observations, network->adjustment)
                       : CollectResults(*ws.m_adjusted),
                   m_activeDialog};
    DialogBoxIndirectParamW(m_instance, reinterpret_cast<LPCDLGTEMPLATEW>(tmpl.data()), m_hwnd,
                            ResultsProc, reinterpret_cast<LPARAM>(&run));
    m_activeDialog = nullptr;
}
