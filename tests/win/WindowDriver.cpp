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
#include <windows.h>

#include <cstdio>
#include <cwchar>
#include <functional>
#include <string>
#include <vector>

namespace {
constexpr int kImportKnown = 1058, kInitName1 = 1000, kInitName2 = 1004;
constexpr int kImport = 3, kExit = 2, kAdjust = 1021, kExport = 1020, kResults = 1051;
constexpr int kResultsText = 2002, kResultsClose = 2006; // inside 平差成果
constexpr int kResultsScale = 2009;
constexpr int kInitX1 = 1012, kInitY1 = 1002, kInitX2 = 1005, kInitY2 = 1006;
constexpr int kWx = 1016, kAzimuthClosure = 1019;
constexpr int kOptChecks[] = {1044, 1045, 1046, 1049};
constexpr int kOptFileName = 1047, kOptPath = 1048;
constexpr int kFileNameBoxes[] = {0x47C, 0x480}; // the common dialogs' file name boxes

DWORD g_host = 0; // process id of the host

bool WaitFor(const std::function<bool()>& ready, int seconds = 20) {
    for (int i = 0; i < seconds * 10; ++i) {
        if (ready()) return true;
        Sleep(100);
    }
    return false;
}

std::wstring TextOf(HWND h) {
    wchar_t buffer[1024] = {};
    SendMessageW(h, WM_GETTEXT, 1024, reinterpret_cast<LPARAM>(buffer));
    return buffer;
}

struct Search {
    const std::vector<HWND>* except;
    HWND found;
};

BOOL CALLBACK MatchDialog(HWND h, LPARAM l) {
    auto* s = reinterpret_cast<Search*>(l);
    wchar_t cls[64] = {};
    DWORD pid = 0;
    GetWindowThreadProcessId(h, &pid);
    GetClassNameW(h, cls, 64);
    if (pid != g_host || !IsWindowVisible(h) || std::wcscmp(cls, L"#32770") != 0) return TRUE;
    for (HWND e : *s->except)
        if (e == h) return TRUE;
    s->found = h;
    return FALSE;
}

// A visible dialog of the host (class #32770) other than those in except.
HWND FindDialog(const std::vector<HWND>& except) {
    Search search{&except, nullptr};
    EnumWindows(MatchDialog, reinterpret_cast<LPARAM>(&search));
    return search.found;
}

HWND WaitDialog(const std::vector<HWND>& except, int seconds = 20) {
    HWND found = nullptr;
    WaitFor([&] { return (found = FindDialog(except)) != nullptr; }, seconds);
    return found;
}

BOOL CALLBACK AppendStatic(HWND h, LPARAM l) {
    wchar_t cls[32] = {};
    GetClassNameW(h, cls, 32);
    if (_wcsicmp(cls, L"Static") == 0) *reinterpret_cast<std::wstring*>(l) += TextOf(h);
    return TRUE;
}

// Every static text of a message box, joined.
std::wstring MessageText(HWND box) {
    std::wstring all;
    EnumChildWindows(box, AppendStatic, reinterpret_cast<LPARAM>(&all));
    return all;
}

void Click(HWND dialog, int id) { PostMessageW(GetDlgItem(dialog, id), BM_CLICK, 0, 0); }

void Type(HWND dialog, int id, const wchar_t* text) {
    SendMessageW(GetDlgItem(dialog, id), WM_SETTEXT, 0, reinterpret_cast<LPARAM>(text));
}

int g_passed = 0, g_failures = 0;
void Check(bool ok, const char* what) {
    std::printf("%s: %s\n", ok ? "ok" : "FAILED", what);
    std::fflush(stdout);
    ++(ok ? g_passed : g_failures);
}

BOOL CALLBACK MatchNameBox(HWND h, LPARAM l) {
    wchar_t cls[32] = {};
    GetClassNameW(h, cls, 32);
    const int id = GetDlgCtrlID(h);
    if (_wcsicmp(cls, L"Edit") != 0 || (id != kFileNameBoxes[0] && id != kFileNameBoxes[1]))
        return TRUE;
    *reinterpret_cast<HWND*>(l) = h;
    return FALSE;
}

// Answers a common file dialog with path; true when it closed. The file name box is an
// edit, alone or inside a combo box.
bool AnswerFileDialog(HWND dialog, const wchar_t* path) {
    HWND box = nullptr;
    EnumChildWindows(dialog, MatchNameBox, reinterpret_cast<LPARAM>(&box));
    if (box == nullptr) return std::puts("  the file dialog has no file name box"), false;
    SendMessageW(box, WM_SETTEXT, 0, reinterpret_cast<LPARAM>(path));
    Click(dialog, IDOK);
    return WaitFor([&] { return !IsWindow(dialog); });
}

// Reads the message box on top of the window, then presses its OK.
std::wstring AnswerMessage(HWND owner) {
    HWND box = WaitDialog({owner});
    if (box == nullptr) return L"(no message)";
    WaitFor([&] { return !MessageText(box).empty(); }, 5);
    const std::wstring text = MessageText(box);
    PostMessageW(box, WM_COMMAND, IDOK, 0);
    WaitFor([&] { return !IsWindow(box); });
    return text;
}

void PauseFor(const wchar_t* marker) {
    CloseHandle(CreateFileW(marker, GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, 0, nullptr));
    WaitFor([&] { return GetFileAttributesW(marker) == INVALID_FILE_ATTRIBUTES; }, 120);
}

bool StillOpenAfter(HWND main, UINT msg, WPARAM w) {
    PostMessageW(msg == WM_KEYDOWN ? GetDlgItem(main, kInitX1) : main, msg, w, 0);
    Sleep(700);
    return IsWindow(main) && IsWindowVisible(main);
}
// The host's window once it shows; nullptr when it never does.
HWND StartHost(const wchar_t* host, const wchar_t* folder, PROCESS_INFORMATION& pi) {
    STARTUPINFOW si{};
    si.cb = sizeof si;
    std::wstring command = L"\"" + std::wstring(host) + L"\"";
    if (!CreateProcessW(host, command.data(), nullptr, nullptr, FALSE, 0, nullptr, folder, &si,
                        &pi))
        return nullptr;
    g_host = pi.dwProcessId;
    HWND main = nullptr;
    WaitFor(
        [&] {
            main = FindWindowW(L"#32770", L"导线平差");
            return main != nullptr && IsWindowVisible(main);
        },
        60);
    Sleep(1000); // the window's first messages
    return main;
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

std::string Utf8(const std::wstring& text) {
    std::string out(text.size() * 3, '\0');
    out.resize(WideCharToMultiByte(CP_UTF8, 0, text.c_str(), int(text.size()), out.data(),
                                   int(out.size()), nullptr, nullptr));
    return out;
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
    Click(main, kResults);
    HWND results = WaitDialog({main});
    Check(results != nullptr && TextOf(results) == L"平差成果", "平差成果 opens");
    if (results == nullptr) return;
    if (pause != nullptr) PauseFor(pause);
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
    Click(results, kResultsClose);
    Check(WaitFor([&] { return !IsWindow(results); }), "平差成果 closes");
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
    Click(main, kExit);
    DWORD code = 0;
    const bool ended = WaitForSingleObject(host, 30000) == WAIT_OBJECT_0;
    GetExitCodeProcess(host, &code);
    Check(ended && code == 2, "退出 ends the host with 2");
    if (!ended) TerminateProcess(host, 1);
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
    Check(main != nullptr, "the window 导线平差 appears");
    if (main == nullptr) {
        if (pi.hProcess != nullptr) TerminateProcess(pi.hProcess, 1);
        return 1;
    }
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
    std::printf("%d passed, %d failed\n", g_passed, g_failures);
    return g_failures == 0 ? 0 : 1;
}
