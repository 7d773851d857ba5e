#include "win/WinControls.h"

#include "platform/WideText.h"

using namespace traverse;

CWinDialogControls::CWinDialogControls(HWND dialog, const DialogTemplate& t) : m_dialog(dialog) {
    std::vector<int>* group = nullptr;
    for (const ControlTemplate& c : t.controls) {
        if (c.kind != ControlKind::RadioButton) {
            group = nullptr;
            continue;
        }
        if (c.groupStart || group == nullptr) group = &m_radioGroups[c.id];
        group->push_back(c.id);
    }
}

const std::vector<int>* CWinDialogControls::GroupOf(int firstId) const {
    auto it = m_radioGroups.find(firstId);
    return it == m_radioGroups.end() ? nullptr : &it->second;
}

std::string CWinDialogControls::GetControlText(int id) const {
    const HWND item = Item(id);
    if (item == nullptr) return {};
    std::wstring text(static_cast<size_t>(GetWindowTextLengthW(item)) + 1, L'\0');
    const int n = GetWindowTextW(item, text.data(), static_cast<int>(text.size()));
    text.resize(static_cast<size_t>(n > 0 ? n : 0));
    return Narrow(text);
}

void CWinDialogControls::SetControlText(int id, const std::string& text) {
    SetDlgItemTextW(m_dialog, id, Widen(text).c_str());
}

bool CWinDialogControls::GetCheck(int id) const {
    return IsDlgButtonChecked(m_dialog, id) == BST_CHECKED;
}

void CWinDialogControls::SetCheck(int id, bool checked) {
    CheckDlgButton(m_dialog, id, checked ? BST_CHECKED : BST_UNCHECKED);
}

int CWinDialogControls::GetRadioIndex(int firstId) const {
    const std::vector<int>* group = GroupOf(firstId);
    if (group == nullptr) return -1;
    for (size_t i = 0; i < group->size(); ++i)
        if (GetCheck((*group)[i])) return static_cast<int>(i);
    return -1;
}

// An index outside the group leaves none checked.
void CWinDialogControls::SetRadioIndex(int firstId, int index) {
    const std::vector<int>* group = GroupOf(firstId);
    if (group == nullptr) return;
    for (size_t i = 0; i < group->size(); ++i)
        SetCheck((*group)[i], static_cast<int>(i) == index);
}

void CWinDialogControls::ShowControl(int id, bool show) {
    if (const HWND item = Item(id)) ShowWindow(item, show ? SW_SHOW : SW_HIDE);
}

void CWinDialogControls::EnableControl(int id, bool enable) {
    if (const HWND item = Item(id)) EnableWindow(item, enable ? TRUE : FALSE);
}
