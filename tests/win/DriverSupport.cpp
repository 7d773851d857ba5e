// What the drivers of the real window share: waiting, finding the host's dialogs and
// message boxes, clicking and typing by control id, answering the common file dialogs,
// and counting the checks.
#include "DriverSupport.h"

#include <cstdio>
#include <cwchar>

namespace driver {
namespace {
constexpr int kFileNameBoxes[] = {0x47C, 0x480}; // the common dialogs' file name boxes

DWORD g_host = 0; // process id of the host
int g_passed = 0, g_failures = 0;

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

BOOL CALLBACK AppendStatic(HWND h, LPARAM l) {
    wchar_t cls[32] = {};
    GetClassNameW(h, cls, 32);
    if (_wcsicmp(cls, L"Static") == 0) *reinterpret_cast<std::wstring*>(l) += TextOf(h);
    return TRUE;
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
} // namespace

bool WaitFor(const std::function<bool()>& ready, int seconds) {
    for (int i = 0; i < seconds * 10; ++i) {
        if (ready()) return true;
        Sleep(100);
    }
    return false;
}

std::wstring TextOf(HWND h) {
    std::wstring text(static_cast<size_t>(SendMessageW(h, WM_GETTEXTLENGTH, 0, 0)) + 1, L'\0');
    text.resize(static_cast<size_t>(
        SendMessageW(h, WM_GETTEXT, text.size(), reinterpret_cast<LPARAM>(text.data()))));
    return text;
}

HWND FindDialog(const std::vector<HWND>& except) {
    Search search{&except, nullptr};
    EnumWindows(MatchDialog, reinterpret_cast<LPARAM>(&search));
    return search.found;
}

HWND WaitDialog(const std::vector<HWND>& except, int seconds) {
    HWND found = nullptr;
    WaitFor([&] { return (found = FindDialog(except)) != nullptr; }, seconds);
    return found;
}

std::wstring MessageText(HWND box) {
    std::wstring all;
    EnumChildWindows(box, AppendStatic, reinterpret_cast<LPARAM>(&all));
    return all;
}

void Click(HWND dialog, int id) { PostMessageW(GetDlgItem(dialog, id), BM_CLICK, 0, 0); }

void Type(HWND dialog, int id, const wchar_t* text) {
    SendMessageW(GetDlgItem(dialog, id), WM_SETTEXT, 0, reinterpret_cast<LPARAM>(text));
}

void Check(bool ok, const char* what) {
    std::printf("%s: %s\n", ok ? "ok" : "FAILED", what);
    std::fflush(stdout);
    ++(ok ? g_passed : g_failures);
}

bool AnswerFileDialog(HWND dialog, const wchar_t* path) {
    HWND box = nullptr;
    EnumChildWindows(dialog, MatchNameBox, reinterpret_cast<LPARAM>(&box));
    if (box == nullptr) return std::puts("  the file dialog has no file name box"), false;
    SendMessageW(box, WM_SETTEXT, 0, reinterpret_cast<LPARAM>(path));
    Click(dialog, IDOK);
    return WaitFor([&] { return !IsWindow(dialog); });
}

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

HWND StartHost(const wchar_t* host, const wchar_t* folder, PROCESS_INFORMATION& pi) {
    STARTUPINFOW si{};
    si.cb = sizeof si;
    std::wstring command = L"\"" + std::wstring(host) + L"\"";
    HWND main = nullptr;
    if (CreateProcessW(host, command.data(), nullptr, nullptr, FALSE, 0, nullptr, folder, &si,
                       &pi)) {
        g_host = pi.dwProcessId;
        WaitFor(
            [&] {
                main = FindWindowW(L"#32770", L"导线平差");
                return main != nullptr && IsWindowVisible(main);
            },
            60);
    }
    Check(main != nullptr, "the window 导线平差 appears");
    if (main == nullptr && pi.hProcess != nullptr) TerminateProcess(pi.hProcess, 1);
    if (main != nullptr) Sleep(1000); // the window's first messages
    return main;
}

HWND OpenResults(HWND main, const wchar_t* pause) {
    constexpr int kResults = 1051; // "平差成果"
    Click(main, kResults);
    HWND results = WaitDialog({main});
    Check(results != nullptr && TextOf(results) == L"平差成果", "平差成果 opens");
    if (results != nullptr && pause != nullptr) PauseFor(pause);
    return results;
}

void CloseResults(HWND results) {
    constexpr int kClose = 2006; // inside 平差成果
    Click(results, kClose);
    Check(WaitFor([&] { return !IsWindow(results); }), "平差成果 closes");
}

std::string Utf8(const std::wstring& text) {
    std::string out(text.size() * 3, '\0');
    out.resize(WideCharToMultiByte(CP_UTF8, 0, text.c_str(), int(text.size()), out.data(),
                                   int(out.size()), nullptr, nullptr));
    return out;
}

bool AnswerFilesDialog(HWND dialog, const wchar_t* folder, const std::vector<std::wstring>& names) {
    HWND box = nullptr;
    EnumChildWindows(dialog, MatchNameBox, reinterpret_cast<LPARAM>(&box));
    if (box == nullptr) return std::puts("  the file dialog has no file name box"), false;
    SendMessageW(box, WM_SETTEXT, 0, reinterpret_cast<LPARAM>(folder));
    Click(dialog, IDOK);
    Sleep(1000);
    std::wstring quoted;
    for (const std::wstring& name : names)
        quoted += L"\"" + name + L"\" ";
    return AnswerFileDialog(dialog, quoted.c_str());
}

void ExitHost(HWND main, HANDLE host) {
    constexpr int kExit = 2; // "退出"
    Click(main, kExit);
    DWORD code = 0;
    const bool ended = WaitForSingleObject(host, 30000) == WAIT_OBJECT_0;
    GetExitCodeProcess(host, &code);
    Check(ended && code == 2, "退出 ends the host with 2");
    if (!ended) TerminateProcess(host, 1);
}

int Summary() {
    std::printf("%d passed, %d failed\n", g_passed, g_failures);
    return g_failures == 0 ? 0 : 1;
}
} // namespace driver
