// The export options dialog "数据结果导出" (template 130), modal to the main window:
// its members shown in the controls, "文件名" through the save dialog, "确认" closes it
// when the choice holds (CResultExportDlg::OnOK).
#include "win/TraverseWindow.h"

#include "win/MemoryTemplate.h"

#include "workspace/ControlIds.h"
#include "workspace/DialogTemplate.h"
#include "workspace/ResultExportDlg.h"

namespace {
// The path box scrolled to its end, so that the file's name shows however deep its folder.
void ShowPathEnd(HWND dialog) {
    const HWND edit = GetDlgItem(dialog, ctl::kOptPath);
    const LRESULT length = GetWindowTextLengthW(edit);
    SendMessageW(edit, EM_SETSEL, WPARAM(length), LPARAM(length));
}

struct ExportRun {
    CResultExportDlg& options;
    IWindowPort& window;
    HWND& activeDialog;
    std::unique_ptr<CWinDialogControls> controls;
};

INT_PTR CALLBACK ExportProc(HWND hwnd, UINT msg, WPARAM w, LPARAM l) {
    if (msg == WM_INITDIALOG) {
        SetWindowLongPtrW(hwnd, DWLP_USER, l);
        auto* run = reinterpret_cast<ExportRun*>(l);
        run->activeDialog = hwnd;
        run->controls = std::make_unique<CWinDialogControls>(hwnd, ExportDialogTemplate());
        run->options.DoDataExchange(*run->controls, false);
        ShowPathEnd(hwnd);
        return TRUE;
    }
    auto* run = reinterpret_cast<ExportRun*>(GetWindowLongPtrW(hwnd, DWLP_USER));
    if (run == nullptr || msg != WM_COMMAND || HIWORD(w) != BN_CLICKED) return FALSE;
    switch (LOWORD(w)) {
    case ctl::kOptFileName:
        run->options.OnFileName(*run->controls, run->window);
        ShowPathEnd(hwnd);
        return TRUE;
    case ctl::kOk:
        if (run->options.OnOK(*run->controls, run->window)) EndDialog(hwnd, IDOK);
        return TRUE;
    case ctl::kCancel:
        EndDialog(hwnd, IDCANCEL);
        return TRUE;
    }
    return FALSE;
}
} // namespace

bool CWinTraverseWindow::RunExportDialog(CResultExportDlg& dlg) {
    const std::vector<WORD> tmpl = BuildMemoryTemplate(ExportDialogTemplate(), kModalDialogStyle);
    ExportRun run{dlg, *this, m_activeDialog, nullptr};
    const INT_PTR result =
        DialogBoxIndirectParamW(m_instance, reinterpret_cast<LPCDLGTEMPLATEW>(tmpl.data()), m_hwnd,
                                ExportProc, reinterpret_cast<LPARAM>(&run));
    m_activeDialog = nullptr;
    return result == IDOK;
}
