// A dialog built from template data: one widget per control, placed in pixels
// converted from dialog units with the dialog font's metrics, addressed by control id.
#pragma once

#include "resources/DialogTemplate.h"
#include "workspace/WindowPort.h"

#include <QFont>
#include <QRect>

#include <map>
#include <vector>

class QAbstractButton;
class QButtonGroup;
class QDialog;
class QWidget;

// Dialog units to pixels: horizontal units are a quarter of the font's average
// character width, vertical units an eighth of its height.
struct DialogUnits {
    int baseX = 6;
    int baseY = 12;
    QRect ToPixels(int x, int y, int width, int height) const;
};

// The template's font, or a CJK font of the system when it is not installed.
QFont DialogFont(const DialogTemplate& t);
DialogUnits UnitsOf(const QFont& font);

class CDialogControls : public IControlPort {
public:
    // Creates the controls on dialog, sets its font, caption and fixed size.
    CDialogControls(QDialog& dialog, const DialogTemplate& t);

    QWidget* Widget(int id) const;
    QAbstractButton* Button(int id) const;
    const DialogUnits& Units() const { return m_units; }

    std::string GetControlText(int id) const override;
    void SetControlText(int id, const std::string& text) override;
    bool GetCheck(int id) const override;
    void SetCheck(int id, bool checked) override;
    int GetRadioIndex(int firstId) const override;
    void SetRadioIndex(int firstId, int index) override;
    void ShowControl(int id, bool show) override;
    void EnableControl(int id, bool enable) override;

private:
    QButtonGroup* GroupOf(int firstId) const;

    DialogUnits m_units;
    std::map<int, QWidget*> m_widgets;
    std::map<int, QButtonGroup*> m_radioGroups; // by the id of the first button
};
