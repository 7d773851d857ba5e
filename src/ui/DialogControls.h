// A dialog built from template data: one widget per control, placed in pixels
// converted from dialog units with the dialog font's metrics, addressed by control id.
// The templates are drawn for a 9-point Song face; "宋体" maps to a Song face installed.
#pragma once

#include "workspace/DialogTemplate.h"
#include "workspace/WindowPort.h"

#include <QFont>
#include <QMargins>
#include <QRect>

#include <map>
#include <vector>

class QAbstractButton;
class QButtonGroup;
class QDialog;
class QWidget;

// Dialog units to pixels, rounded: a horizontal unit is a quarter of baseX, a vertical
// unit an eighth of baseY (pixels, the width of a half-width character and the height
// of a character).
struct DialogUnits {
    double baseX = 6;
    double baseY = 12;
    QRect ToPixels(int x, int y, int width, int height) const;
};

// The template's font, or the closest Chinese face installed: Song faces for "宋体".
QFont DialogFont(const DialogTemplate& t);
// Measured on the face the font resolves to. A Song face's half-width letters are half
// an ideograph wide and its lines an ideograph high: 6 x 12 pixels at 9 points. A face
// with wider letters scales both alike, just enough for every label of the template.
DialogUnits UnitsOf(const QFont& font, const DialogTemplate& t);

class CDialogControls : public IControlPort {
public:
    // Creates the controls on dialog, sets its font, caption and fixed size. frame is
    // the room around the template's client area (a caption drawn by the window).
    CDialogControls(QDialog& dialog, const DialogTemplate& t, const QMargins& frame = {});

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
    void FocusControl(int id) override;

private:
    QButtonGroup* GroupOf(int firstId) const;

    DialogUnits m_units;
    std::map<int, QWidget*> m_widgets;
    std::map<int, QButtonGroup*> m_radioGroups; // by the id of the first button
};
