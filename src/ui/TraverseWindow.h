// The main window "导线平差": built from template 102 under a caption of its own, it
// implements the port for the workspace and routes its buttons to the workspace's
// commands. It computes nothing; the grid and the closure boxes only show results.
#pragma once

#include "ui/DialogControls.h"
#include "ui/GridCtrl.h"
#include "ui/ImgEdit.h"

#include "workspace/WindowPort.h"

#include <QDialog>

#include <memory>
#include <optional>
#include <string>
#include <vector>

class CTraverseAdjustDlg;

class CTraverseWindow : public QDialog, public IWindowPort {
public:
    CTraverseWindow();
    ~CTraverseWindow() override;

    // Routes the buttons to the workspace's commands.
    void Attach(CTraverseAdjustDlg& workspace);

    CDialogControls& Controls() { return m_controls; }
    CQtGridCtrl& GridCtrl() { return *m_grid; }
    CQtImgEdit& ImgEdit() { return *m_diagram; }

    // controls
    std::string GetControlText(int id) const override { return m_controls.GetControlText(id); }
    void SetControlText(int id, const std::string& text) override {
        m_controls.SetControlText(id, text);
    }
    bool GetCheck(int id) const override { return m_controls.GetCheck(id); }
    void SetCheck(int id, bool checked) override { m_controls.SetCheck(id, checked); }
    int GetRadioIndex(int firstId) const override { return m_controls.GetRadioIndex(firstId); }
    void SetRadioIndex(int firstId, int index) override {
        m_controls.SetRadioIndex(firstId, index);
    }
    void ShowControl(int id, bool show) override { m_controls.ShowControl(id, show); }
    void EnableControl(int id, bool enable) override { m_controls.EnableControl(id, enable); }
    void FocusControl(int id) override { m_controls.FocusControl(id); }

    // window
    void ShowMessage(int stringId, const std::string& text) override;
    bool AskYesNo(int stringId, const std::string& text) override;
    std::optional<std::string> ChooseOpenFile(const std::string& filter) override;
    std::vector<std::string> ChooseOpenFiles(const std::string& filter) override;
    std::optional<std::string> ChooseSaveFile(const std::string& defaultExt,
                                              const std::string& initialName,
                                              const std::string& filter) override;
    CGridCtrl& Grid() override { return *m_grid; }
    CGridCtrl& KnownPointGrid() override { return *m_knownGrid; }
    CImgEdit& Diagram() override { return *m_diagram; }
    void Invalidate() override;
    void SetCaption(const std::string& text) override;
    bool RunExportDialog(CResultExportDlg& dlg) override;
    void RunResultsWindow(CTraverseAdjustDlg& ws) override;
    bool OpenDocument(const std::string& path) override;
    std::string ModuleDirectory() const override;

    // The modal result after "退出".
    static constexpr int kCancelResult = 2;

    // Only "退出" ends the window: Escape and the window manager's close do nothing.
    void reject() override;

protected:
    void paintEvent(QPaintEvent* event) override;
    // Enter in an edit box moves to the next box, as Tab does; elsewhere it presses the
    // default button, "测量数据导入".
    void keyPressEvent(QKeyEvent* event) override;
    void changeEvent(QEvent* event) override;

private:
    QWidget* DialogParent();
    // The folder a file dialog starts in: the one last used in this run, at first the
    // current folder.
    QString StartFolder() const;
    void RememberFolder(const QString& chosenFile);

    CDialogControls m_controls;
    std::unique_ptr<CQtGridCtrl> m_grid;
    std::unique_ptr<CQtGridCtrl> m_knownGrid; // the network's known points
    std::unique_ptr<CQtImgEdit> m_diagram;
    QWidget* m_caption = nullptr; // owned by the window
    QString m_lastFolder;
    bool m_exiting = false;
};

// The environment variable in which the host program hands over a file to import when
// the window opens ("traverse-adjust-gui FILE", the desktop's "打开方式").
constexpr const char* kStartupFileVariable = "TRAVERSE_ADJUST_OPEN";

// The file handed over, taken from the environment once; none when there is none.
std::optional<std::string> TakeStartupFile();

// Creates the workspace and its window, initialises them, imports the file handed over
// and runs the window modally. Returns 2 after "退出".
int RunTraverseWindow();
