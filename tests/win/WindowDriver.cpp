// Drives the real window from outside, as a user would, by control ids: starts the host,
// adjusts and imports known points too early and presses Enter, imports through the open
// dialog, picks the type, imports start point 1 from a known-point file and types the
// other, adjusts, exports through the options and save dialogs, checks
// that Escape and the close command leave the window open and that "退出" ends the host
// with 2.
//
// window_driver HOST FILE TYPE_ID X1 Y1 X2 Y2 REPORT WORKDIR [PAUSE]; prints each step.
// With PAUSE, it creates that file once the adjustment is shown, once 平差成果 is open and
// once the export options hold the path, and waits each time until it is deleted (a
// picture is taken meanwhile).
#include "DriverSupport.h"

#include <cstdio>
#include <cwchar>
#include <string>

using namespace driver;

namespace {
constexpr int kImportKnown = 1058, kInitName1 = 1000, kInitName2 = 1004;
constexpr int kImport = 3, kAdjust = 1021, kExport = 1020;
constexpr int kResultsText = 2002; // inside 平差成果
constexpr int kResultsScale = 2009;
constexpr int kInitX1 = 1012, kInitY1 = 1002, kInitX2 = 1005, kInitY2 = 1006;
constexpr int kWx = 1016, kAzimuthClosure = 1019;
constexpr int kOptChecks[] = {1044, 1045, 1046, 1049};
constexpr int kOptFileName = 1047, kOptPath = 1048;

bool StillOpenAfter(HWND main, UINT msg, WPARAM w) {
    PostMessageW(msg == WM_KEYDOWN ? GetDlgItem(main, kInitX1) : main, msg, w, 0);
    Sleep(700);
    return IsWindow(main) && IsWindowVisible(main);
}

// Before any import: adjust and 导入已知点… ask for data first; Enter in an edit box moves
// to the next box and opens nothing.
void FreshWindow(HWND main) {
    Click(main, kAdjust);
    Check(AnswerMessage(main) == L"请先导入数据！", "adjust before an import: 请先导入数据！");
    Click(main, kImportKnown);
    Check(AnswerMessage(main) == L"已知点按点名查找，请先导入测量数据。",
          "导入已知点… before an import asks for the observations");
    PostMessageW(GetDlgItem(main, kInitX1), WM_KEYDOWN, VK_RETURN, 0);
    Sleep(1000);
    Check(FindDialog({main}) == nullptr, "Enter in a coordinate box opens nothing");
}

// 起始点1 from a ".dat" file (name, code, east, north) in folder, through 导入已知点…;
// the message names it and 起始点2, which the file lacks.
void ImportStartPoint(HWND main, const wchar_t* folder, const wchar_t* x, const wchar_t* y) {
    const std::wstring name = TextOf(GetDlgItem(main, kInitName1));
    const std::wstring path = std::wstring(folder) + L"\\控制点.dat";
    const std::string line = Utf8(name + L",," + y + L"," + x + L",0\r\n");
    const HANDLE file =
        CreateFileW(path.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, 0, nullptr);
    DWORD written = 0;
    WriteFile(file, line.data(), DWORD(line.size()), &written, nullptr);
    CloseHandle(file);
    Click(main, kImportKnown);
    HWND open = WaitDialog({main});
    Check(open != nullptr && AnswerFileDialog(open, path.c_str()),
          "导入已知点… through the open dialog");
    const std::wstring said = AnswerMessage(main);
    Check(said.find(L"已从“控制点.dat”填入已知点的坐标：" + name + L"。") == 0 &&
              said.find(L"文件中没有" + TextOf(GetDlgItem(main, kInitName2))) != std::wstring::npos,
          "导入已知点… says what it filled and what the file lacks");
    Check(TextOf(GetDlgItem(main, kInitX1)) == x && TextOf(GetDlgItem(main, kInitY1)) == y,
          "导入已知点… fills X and Y of 起始点1");
}

// Import, type, known points, adjust: argv as the usage says.
void ImportAndAdjust(HWND main, wchar_t** argv) {
    Click(main, kImport);
    HWND open = WaitDialog({main});
    Check(open != nullptr && AnswerFileDialog(open, argv[2]), "import through the open dialog");
    SendMessageW(GetDlgItem(main, std::wcstol(argv[3], nullptr, 10)), BM_CLICK, 0, 0);
    ImportStartPoint(main, argv[9], argv[4], argv[5]);
    Type(main, kInitX2, argv[6]);
    Type(main, kInitY2, argv[7]);
    Click(main, kAdjust);
    Check(AnswerMessage(main) == L"导线平差已完成,请导出结果.", "adjust: 导线平差已完成");
    Check(TextOf(GetDlgItem(main, kWx)) != L"0" &&
              !TextOf(GetDlgItem(main, kAzimuthClosure)).empty(),
          "the closures are shown");
}

// 平差成果 shows the statistics against 图根 and the table, then closes; with a pause
// marker it waits there for a picture first.
void ShowResults(HWND main, const wchar_t* pause) {
    const HWND results = OpenResults(main, pause);
    if (results == nullptr) return;
    const std::wstring text = TextOf(GetDlgItem(results, kResultsText));
    Check(text.find(L"等级 图根：合格") != std::wstring::npos &&
              text.find(L"T3\t") != std::wstring::npos,
          "平差成果 shows the grade's verdict and the points");
    // 图根 for 1:500 holds the 1.5 km loop to 500 m; 未选 again before the export.
    for (const int choice : {1, 0}) {
        const HWND scale = GetDlgItem(results, kResultsScale);
        SendMessageW(scale, CB_SETCURSEL, choice, 0);
        SendMessageW(results, WM_COMMAND, MAKEWPARAM(kResultsScale, CBN_SELCHANGE),
                     reinterpret_cast<LPARAM>(scale));
        const std::wstring judged = TextOf(GetDlgItem(results, kResultsText));
        Check(judged.find(choice == 1
                              ? L"限差 500 m（测图比例尺 1:500）：超限"
                              : L"（未选测图比例尺，按 1:2000）：合格") != std::wstring::npos,
              "the map scale sets 图根's length limit");
    }
    CloseResults(results);
}

// Every section, the path through the save dialog, then the report opened; with a pause
// marker it waits for a picture of the options with the path first.
void Export(HWND main, const wchar_t* report, const wchar_t* pause) {
    Click(main, kExport);
    HWND options = WaitDialog({main});
    Check(options != nullptr && TextOf(options) == L"数据结果导出", "the export options open");
    for (int id : kOptChecks)
        SendMessageW(GetDlgItem(options, id), BM_SETCHECK, BST_CHECKED, 0);
    Click(options, kOptFileName);
    HWND save = WaitDialog({main, options});
    Check(save != nullptr && AnswerFileDialog(save, report), "path through the save dialog");
    Check(!TextOf(GetDlgItem(options, kOptPath)).empty(), "the chosen path is shown");
    if (pause != nullptr) PauseFor(pause);
    Click(options, IDOK);
    Check(WaitFor([&] { return GetFileAttributesW(report) != INVALID_FILE_ATTRIBUTES; }),
          "export writes the report");
}

// The report opens in the program associated with .txt (Wine's Notepad), which is closed
// again, and a message says where the report is (and why it did not open, if not).
void CloseTheReport(HWND main) {
    const std::wstring said = AnswerMessage(main);
    if (said.rfind(L"报告已保存：", 0) != 0) std::printf("  said: %ls\n", said.c_str());
    Check(said.rfind(L"报告已保存：", 0) == 0 && said.find(L'\n') == std::wstring::npos,
          "the report opens, and the window says where it is");
    HWND viewer = nullptr;
    WaitFor([&] { return (viewer = FindWindowW(L"Notepad", nullptr)) != nullptr; }, 15);
    Check(viewer != nullptr, "the report opens in the program associated with .txt");
    if (viewer != nullptr) PostMessageW(viewer, WM_CLOSE, 0, 0);
    WaitFor([&] { return !IsWindow(viewer); }, 10);
    SetForegroundWindow(main); // the window has the user's attention again
}

void Exit(HWND main, HANDLE host) {
    Check(StillOpenAfter(main, WM_KEYDOWN, VK_ESCAPE), "Escape leaves the window open");
    Check(StillOpenAfter(main, WM_CLOSE, 0), "the close command leaves the window open");
    ExitHost(main, host);
}
} // namespace

int wmain(int argc, wchar_t** argv) {
    if (argc != 10 && argc != 11) {
        std::fputs("usage: window_driver HOST FILE TYPE_ID X1 Y1 X2 Y2 REPORT WORKDIR [PAUSE]\n",
                   stderr);
        return 2;
    }
    PROCESS_INFORMATION pi{};
    const HWND main = StartHost(argv[1], argv[9], pi);
    if (main == nullptr) return Summary();
    RECT frame{};
    GetWindowRect(main, &frame);
    std::printf("  the window is %ld x %ld pixels\n", frame.right - frame.left,
                frame.bottom - frame.top);
    Check(frame.right - frame.left <= 1024 && frame.bottom - frame.top <= 768,
          "the window fits a 1024 x 768 screen");
    FreshWindow(main);
    ImportAndAdjust(main, argv);
    if (argc == 11) PauseFor(argv[10]);
    ShowResults(main, argc == 11 ? argv[10] : nullptr);
    Export(main, argv[8], argc == 11 ? argv[10] : nullptr);
    CloseTheReport(main);
    Exit(main, pi.hProcess);
    return Summary();
}
