// The port: everything the workspace needs of a window, and nothing more. The Qt
// window, the Win32 window, the batch tool and the tests' scripted fake implement it.
// All texts that cross the port are UTF-8; paths are the platform's bytes (UTF-8 on
// Windows, where the platform layer widens them).
#pragma once

#include <optional>
#include <string>
#include <vector>

class CResultExportDlg;
class CTraverseAdjustDlg;

// Draw-text flags used for grid cell formats.
constexpr unsigned kDtCenter = 0x1, kDtVCenter = 0x4, kDtWordBreak = 0x10;

// Minimal grid: one fixed header row and column, settable cell texts.
class CGridCtrl {
public:
    virtual ~CGridCtrl() = default;
    virtual int GetRowCount() const = 0;
    virtual int GetColumnCount() const = 0;
    virtual int GetFixedRowCount() const = 0;
    virtual int GetFixedColumnCount() const = 0;
    virtual bool SetRowCount(int rows) = 0;
    virtual bool SetColumnCount(int cols) = 0;
    virtual bool SetFixedRowCount(int rows) = 0;
    virtual bool SetFixedColumnCount(int cols) = 0;
    virtual bool SetItemText(int row, int col, const std::string& text) = 0;
    virtual std::string GetItemText(int row, int col) const = 0;
    virtual void SetItemFormat(int row, int col, unsigned format) = 0;
    virtual bool SetRowHeight(int row, int pixels) = 0;
    virtual bool SetColumnWidth(int col, int pixels) = 0;
    virtual void SetDefaultCellBackground(unsigned rgb) = 0; // 0x00BBGGRR
    virtual void Refresh() = 0;
    // Scrolls the cell into view; a grid that does not scroll ignores it.
    virtual void EnsureVisible(int row, int col) { (void)row, (void)col; }
};

// The diagram picture control.
class CImgEdit {
public:
    virtual ~CImgEdit() = default;
    virtual void SetImage(const std::string& path) = 0;
    virtual void SetFlag26(bool value) = 0;
    virtual void Display() = 0;
};

// Controls of one dialog, addressed by control id.
class IControlPort {
public:
    virtual ~IControlPort() = default;
    virtual std::string GetControlText(int id) const = 0;
    virtual void SetControlText(int id, const std::string& text) = 0;
    virtual bool GetCheck(int id) const = 0;
    virtual void SetCheck(int id, bool checked) = 0;
    // Index of the checked button of the radio group that starts at firstId, -1 if none.
    virtual int GetRadioIndex(int firstId) const = 0;
    virtual void SetRadioIndex(int firstId, int index) = 0;
    virtual void ShowControl(int id, bool show) = 0;
    virtual void EnableControl(int id, bool enable) = 0;
    // Keyboard focus to the control, an edit's text selected; a window without keyboard
    // focus (the batch tool's) ignores it.
    virtual void FocusControl(int id) { (void)id; }
};

class IWindowPort : public IControlPort {
public:
    // OK message box; text is the string-table text (already formatted) of stringId.
    virtual void ShowMessage(int stringId, const std::string& text) = 0;
    // Yes/No question; true for Yes.
    virtual bool AskYesNo(int stringId, const std::string& text) = 0;
    // Filters in the "(*.txt)|*.txt|...||" form. No value when cancelled.
    virtual std::optional<std::string> ChooseOpenFile(const std::string& filter) = 0;
    virtual std::optional<std::string> ChooseSaveFile(const std::string& defaultExt,
                                                      const std::string& initialName,
                                                      const std::string& filter) = 0;
    // Several files at once (a network's observations); empty when cancelled. A window
    // whose dialog takes one file at a time chooses one.
    virtual std::vector<std::string> ChooseOpenFiles(const std::string& filter) {
        std::optional<std::string> one = ChooseOpenFile(filter);
        return one ? std::vector<std::string>{*one} : std::vector<std::string>{};
    }
    virtual CGridCtrl& Grid() = 0;
    // The network's known-point table (control kKnownGrid). A click on one of its rows
    // is forwarded to CTraverseAdjustDlg::OnKnownPointRowChosen.
    virtual CGridCtrl& KnownPointGrid() = 0;
    virtual CImgEdit& Diagram() = 0;
    // Redraw the whole window, background erased.
    virtual void Invalidate() = 0;
    // The window's title, e.g. "导线平差 — closed.txt"; a port without one ignores it.
    virtual void SetCaption(const std::string& text) { (void)text; }
    // Runs the export options dialog modally; true when closed with OK.
    virtual bool RunExportDialog(CResultExportDlg& dlg) = 0;
    // Runs the results window "平差成果" modally over the workspace's current
    // adjustment; a port without windows shows nothing.
    virtual void RunResultsWindow(CTraverseAdjustDlg& ws) { (void)ws; }
    // Opens a document with the desktop's default program; never through a shell. False
    // when no program opened it.
    virtual bool OpenDocument(const std::string& path) = 0;
    // Directory of the host executable, with a trailing '/'.
    virtual std::string ModuleDirectory() const = 0;
};
