// The main window "导线平差" on Win32: a dialog built from template 102, the port of the
// workspace, its buttons routed to the workspace's commands. It computes nothing. Only
// "退出" ends it: Escape, Alt+F4 and the close command do nothing.
#pragma once

#include "win/WinControls.h"
#include "win/WinDiagram.h"
#include "win/WinGrid.h"

#include "workspace/WindowPort.h"

#include <windows.h>

#include <memory>
#include <vector>

class CTraverseAdjustDlg;

class CWinTraverseWindow : public IWindowPort {
public:
    explicit CWinTraverseWindow(HINSTANCE instance) : m_instance(instance) {}

    // Creates the window, initialises the workspace on it and runs it until "退出".
    // Returns 2 then, -1 when the window cannot be created.
    int RunModal(CTraverseAdjustDlg& workspace);

    // controls
    std::string GetControlText(int id) const override { return m_controls->GetControlText(id); }
    void SetControlText(int id, const std::string& text) override {
        m_controls->SetControlText(id, text);
    }
    bool GetCheck(int id) const override { return m_controls->GetCheck(id); }
    void SetCheck(int id, bool checked) override { m_controls->SetCheck(id, checked); }
    int GetRadioIndex(int firstId) const override { return m_controls->GetRadioIndex(firstId); }
    void SetRadioIndex(int firstId, int index) override {
        m_controls->SetRadioIndex(firstId, index);
    }
    void ShowControl(int id, bool show) override { m_controls->ShowControl(id, show); }
    void EnableControl(int id, bool enable) override { m_controls->EnableControl(id, enable); }

    // window
    void ShowMessage(int stringId, const std::string& text) override;
    bool AskYesNo(int stringId, const std::string& text) override;
    std::optional<std::string> ChooseOpenFile(const std::string& filter) override;
    std::vector<std::string> ChooseOpenFiles(const std::string& filter) override;
    std::optional<std::string> ChooseSaveFile(const std::string& defaultExt,
                                              const std::string& initialName,
                                              const std::string& filter) override;
    CGridCtrl& Grid() override { return m_grid; }
    CGridCtrl& KnownPointGrid() override { return m_knownGrid; }
    CImgEdit& Diagram() override { return m_diagram; }
    void Invalidate() override;
    void SetCaption(const std::string& text) override;
    bool RunExportDialog(CResultExportDlg& dlg) override;
    void RunResultsWindow(CTraverseAdjustDlg& ws) override;
    bool OpenDocument(const std::string& path) override;
    std::string ModuleDirectory() const override;

    static constexpr int kCancelResult = 2; // IDCANCEL, after "退出"

private:
    static INT_PTR CALLBACK DialogProc(HWND hwnd, UINT msg, WPARAM w, LPARAM l);
    void OnInitDialog(HWND hwnd);
    // True when the command was one of the window's buttons.
    bool OnCommand(int id);
    // The window that owns a message box or file dialog: the export options while they
    // are open, else the main window.
    HWND Owner() const { return m_activeDialog != nullptr ? m_activeDialog : m_hwnd; }

    HINSTANCE m_instance;
    HWND m_hwnd = nullptr;
    HWND m_activeDialog = nullptr;
    CTraverseAdjustDlg* m_workspace = nullptr;
    std::unique_ptr<CWinDialogControls> m_controls;
    CWinGridCtrl m_grid;
    CWinGridCtrl m_knownGrid; // the network's known points
    CWinImgEdit m_diagram;
    bool m_exit = false;
};
