#include "win/TraverseWindow.h"

#include "win/FileDialogs.h"
#include "win/MemoryTemplate.h"

#include "platform/PathNames.h"
#include "platform/Program.h"
#include "platform/WideText.h"
#include "resources/StringTable.h"
#include "workspace/ControlIds.h"
#include "workspace/TraverseAdjustDlg.h"

#include <shellapi.h>

using namespace traverse;

namespace {
std::wstring Caption() { return Widen("导线平差"); }

bool IsEditBox(HWND control) {
    wchar_t name[16] = {};
    return GetClassNameW(control, name, 16) > 0 && lstrcmpiW(name, L"Edit") == 0;
}

// The modal loop of the main window, without the dialog manager's Escape (which would
// close it like "退出"); Enter in an edit box moves to the next box as Tab does.
// Returns false when the thread was asked to quit.
bool PumpUntil(HWND window, const bool& done) {
    MSG msg;
    while (!done) {
        const BOOL got = GetMessageW(&msg, nullptr, 0, 0);
        if (got == 0) {
            PostQuitMessage(static_cast<int>(msg.wParam));
            return false;
        }
        if (got < 0) return false;
        const bool ours = msg.hwnd == window || IsChild(window, msg.hwnd);
        if (ours && msg.message == WM_KEYDOWN && msg.wParam == VK_ESCAPE) continue;
        if (ours && msg.message == WM_KEYDOWN && msg.wParam == VK_RETURN && IsEditBox(msg.hwnd)) {
            SendMessageW(window, WM_NEXTDLGCTL, 0, FALSE); // the next tab stop, text selected
            continue;
        }
        if (!IsDialogMessageW(window, &msg)) {
            TranslateMessage(&msg);
            DispatchMessageW(&msg);
        }
    }
    return true;
}
} // namespace

int CWinTraverseWindow::RunModal(CTraverseAdjustDlg& workspace) {
    if (!CWinGridCtrl::RegisterClass(m_instance) || !CWinImgEdit::RegisterClass(m_instance))
        return -1;
    m_workspace = &workspace;
    const std::vector<WORD> tmpl = BuildMemoryTemplate(MainDialogTemplate(), kMainWindowStyle);
    const HWND hwnd =
        CreateDialogIndirectParamW(m_instance, reinterpret_cast<LPCDLGTEMPLATEW>(tmpl.data()),
                                   nullptr, DialogProc, reinterpret_cast<LPARAM>(this));
    if (hwnd == nullptr) return -1;
    ShowWindow(hwnd, SW_SHOW);
    SetForegroundWindow(hwnd);
    PumpUntil(hwnd, m_exit);
    DestroyWindow(hwnd);
    m_hwnd = nullptr;
    return kCancelResult;
}

void CWinTraverseWindow::OnInitDialog(HWND hwnd) {
    m_hwnd = hwnd;
    m_controls = std::make_unique<CWinDialogControls>(hwnd, MainDialogTemplate());
    m_grid.Attach(GetDlgItem(hwnd, ctl::kGrid));
    m_knownGrid.Attach(GetDlgItem(hwnd, ctl::kKnownGrid));
    m_knownGrid.OnRowClicked([this](int row) { m_workspace->OnKnownPointRowChosen(row); });
    m_diagram.Attach(GetDlgItem(hwnd, ctl::kDiagram));
    m_workspace->OnInitDialog();
}

bool CWinTraverseWindow::OnCommand(int id) {
    CTraverseAdjustDlg& ws = *m_workspace;
    switch (id) {
    case ctl::kImport:
        ws.OnImport();
        return true;
    case ctl::kImportKnown:
        ws.OnImportKnownPoints();
        return true;
    case ctl::kAdjust:
        ws.OnAdjust();
        return true;
    case ctl::kExport:
        ws.ExportResults();
        return true;
    case ctl::kResults:
        ws.OnShowResults();
        return true;
    case ctl::kRadioNonOriented:
        ws.OnTypeNonOriented();
        return true;
    case ctl::kRadioSingle:
        ws.OnTypeSingleConnection();
        return true;
    case ctl::kRadioClosed:
        ws.OnTypeClosed();
        return true;
    case ctl::kRadioDouble:
        ws.OnTypeDoubleConnection();
        return true;
    case ctl::kRadioNetwork:
        ws.OnTypeNetwork();
        return true;
    case ctl::kNetSet:
        ws.OnSetKnownPoint();
        return true;
    case ctl::kNetRemove:
        ws.OnRemoveKnownPoint();
        return true;
    case ctl::kExit:
        m_exit = ws.OnExit();
        return true;
    }
    return false;
}

INT_PTR CALLBACK CWinTraverseWindow::DialogProc(HWND hwnd, UINT msg, WPARAM w, LPARAM l) {
    if (msg == WM_INITDIALOG) {
        SetWindowLongPtrW(hwnd, DWLP_USER, l);
        reinterpret_cast<CWinTraverseWindow*>(l)->OnInitDialog(hwnd);
        return TRUE;
    }
    auto* window = reinterpret_cast<CWinTraverseWindow*>(GetWindowLongPtrW(hwnd, DWLP_USER));
    if (window == nullptr) return FALSE;
    switch (msg) {
    case WM_COMMAND:
        if (HIWORD(w) != BN_CLICKED) return FALSE;
        return window->OnCommand(LOWORD(w)) ? TRUE : FALSE;
    case WM_SYSCOMMAND:
        return (w & 0xFFF0) == SC_CLOSE ? TRUE : FALSE;
    case WM_CLOSE:
        return TRUE;
    }
    return FALSE;
}

void CWinTraverseWindow::ShowMessage(int stringId, const std::string& text) {
    const UINT icon = IsNotice(stringId) ? MB_ICONINFORMATION : MB_ICONWARNING;
    MessageBoxW(Owner(), Widen(text).c_str(), Caption().c_str(), MB_OK | icon);
}

bool CWinTraverseWindow::AskYesNo(int, const std::string& text) {
    return MessageBoxW(Owner(), Widen(text).c_str(), Caption().c_str(),
                       MB_YESNO | MB_ICONQUESTION) == IDYES;
}

std::optional<std::string> CWinTraverseWindow::ChooseOpenFile(const std::string& filter) {
    return ShowOpenDialog(Owner(), filter);
}

std::vector<std::string> CWinTraverseWindow::ChooseOpenFiles(const std::string& filter) {
    return ShowOpenFilesDialog(Owner(), filter);
}

std::optional<std::string> CWinTraverseWindow::ChooseSaveFile(const std::string& defaultExt,
                                                              const std::string& initialName,
                                                              const std::string& filter) {
    return ShowSaveDialog(Owner(), defaultExt, initialName, filter);
}

void CWinTraverseWindow::Invalidate() {
    if (m_hwnd != nullptr) InvalidateRect(m_hwnd, nullptr, TRUE);
}

void CWinTraverseWindow::SetCaption(const std::string& text) {
    if (m_hwnd != nullptr) SetWindowTextW(m_hwnd, Widen(text).c_str());
}

// The report is opened by the program Windows associates with it; no command line is
// built from its path.
bool CWinTraverseWindow::OpenDocument(const std::string& path) {
    const auto result = reinterpret_cast<INT_PTR>(
        ShellExecuteW(m_hwnd, L"open", Widen(path).c_str(), nullptr, nullptr, SW_SHOWNORMAL));
    return result > 32;
}

// The folder of the host program, where the diagrams ship beside it.
// The folder of the module that holds this window (traverse-adjust.dll), wherever the
// host program is: the diagrams ship beside it.
std::string CWinTraverseWindow::ModuleDirectory() const {
    static const char anchor = 0;
    HMODULE module = nullptr;
    if (!GetModuleHandleExW(GET_MODULE_HANDLE_EX_FLAG_FROM_ADDRESS |
                                GET_MODULE_HANDLE_EX_FLAG_UNCHANGED_REFCOUNT,
                            reinterpret_cast<LPCWSTR>(&anchor), &module))
        return ProgramDirectory();
    std::wstring path(MAX_PATH, L'\0');
    DWORD n = 0;
    while ((n = GetModuleFileNameW(module, path.data(), DWORD(path.size()))) == path.size())
        path.resize(path.size() * 2);
    if (n == 0) return ProgramDirectory();
    path.resize(n);
    const std::string folder = FolderOf(Narrow(path));
    return folder.empty() ? ProgramDirectory() : folder;
}
