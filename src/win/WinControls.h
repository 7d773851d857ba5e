// The controls of a dialog window addressed by control id, for the workspace and the
// export options: texts in UTF-8, check boxes, radio groups as laid out by the template
// (a group runs from its first button to the next control that is not a radio button).
#pragma once

#include "workspace/DialogTemplate.h"
#include "workspace/WindowPort.h"

#include <windows.h>

#include <map>
#include <vector>

class CWinDialogControls : public IControlPort {
public:
    CWinDialogControls(HWND dialog, const DialogTemplate& t);

    std::string GetControlText(int id) const override;
    void SetControlText(int id, const std::string& text) override;
    bool GetCheck(int id) const override;
    void SetCheck(int id, bool checked) override;
    int GetRadioIndex(int firstId) const override;
    void SetRadioIndex(int firstId, int index) override;
    void ShowControl(int id, bool show) override;
    void EnableControl(int id, bool enable) override;

private:
    HWND Item(int id) const { return GetDlgItem(m_dialog, id); }
    const std::vector<int>* GroupOf(int firstId) const;

    HWND m_dialog;
    std::map<int, std::vector<int>> m_radioGroups; // button ids by the first one's id
};
