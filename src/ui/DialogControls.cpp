#include "ui/DialogControls.h"

#include <QAbstractButton>
#include <QButtonGroup>
#include <QCheckBox>
#include <QDialog>
#include <QFontDatabase>
#include <QFontMetrics>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QStringList>
#include <QTableWidget>

#include <algorithm>
#include <cmath>

namespace {
QString FromUtf8(std::string_view text) {
    return QString::fromUtf8(text.data(), static_cast<qsizetype>(text.size()));
}

int Scaled(int units, double base, int perBase) {
    return static_cast<int>(std::lround(units * base / perBase));
}

QWidget* CreateControl(const ControlTemplate& c, QDialog& dialog) {
    const QString text = FromUtf8(c.text);
    switch (c.kind) {
    case ControlKind::GroupBox:
        return new QGroupBox(text, &dialog);
    case ControlKind::Label: {
        auto* label = new QLabel(text, &dialog);
        label->setAlignment(Qt::AlignLeft | Qt::AlignVCenter);
        return label;
    }
    case ControlKind::Edit:
        return new QLineEdit(text, &dialog);
    case ControlKind::PushButton:
    case ControlKind::DefaultPushButton: {
        auto* button = new QPushButton(text, &dialog);
        button->setAutoDefault(true);
        button->setDefault(c.kind == ControlKind::DefaultPushButton);
        return button;
    }
    case ControlKind::RadioButton:
        return new QRadioButton(text, &dialog);
    case ControlKind::CheckBox:
        return new QCheckBox(text, &dialog);
    case ControlKind::Grid:
        return new QTableWidget(&dialog);
    case ControlKind::Picture: {
        auto* picture = new QLabel(&dialog);
        picture->setAlignment(Qt::AlignCenter);
        picture->setFrameShape(QFrame::Box);
        picture->setAutoFillBackground(true);
        QPalette palette = picture->palette();
        palette.setColor(QPalette::Window, Qt::white);
        picture->setPalette(palette);
        return picture;
    }
    }
    return new QWidget(&dialog);
}
} // namespace

QRect DialogUnits::ToPixels(int x, int y, int width, int height) const {
    return QRect(Scaled(x, baseX, 4), Scaled(y, baseY, 8), Scaled(width, baseX, 4),
                 Scaled(height, baseY, 8));
}

QFont DialogFont(const DialogTemplate& t) {
    const QStringList installed = QFontDatabase::families();
    QStringList wanted = {FromUtf8(t.fontName)};
    if (t.fontName == "宋体") {
        wanted << "SimSun"
               << "NSimSun";
        // Song (Ming) faces found on Linux desktops.
        wanted << "Noto Serif CJK SC"
               << "Source Han Serif SC"
               << "Source Han Serif CN"
               << "AR PL UMing CN"
               << "AR PL SungtiL GB";
    }
    // Other Chinese faces, in order of preference.
    wanted << "Noto Sans CJK SC"
           << "Source Han Sans SC"
           << "WenQuanYi Micro Hei"
           << "WenQuanYi Zen Hei"
           << "Droid Sans Fallback";
    QFont font;
    for (const QString& family : wanted) {
        if (installed.contains(family, Qt::CaseInsensitive)) {
            font.setFamily(family);
            break;
        }
    }
    font.setPointSize(t.fontPoints);
    // Unshaped, an ellipsis is the face's own full-width "…" after Latin text too
    // ("保存PDF…" as "导入已知点…"); shaped, a Latin run takes its low, narrow "...".
    font.setStyleStrategy(QFont::PreferNoShaping);
    return font;
}

DialogUnits UnitsOf(const QFont& font, const DialogTemplate& t) {
    const QFontMetricsF metrics(font);
    double square = metrics.horizontalAdvance(QChar(0x56FD)); // 国, one ideograph
    if (square < 1.0) square = metrics.height();
    double scale = 1.0;
    for (const ControlTemplate& c : t.controls) {
        if (c.kind != ControlKind::Label || c.width <= 0) continue;
        const double room = c.width * square / 8.0;
        scale = std::max(scale, std::ceil(metrics.horizontalAdvance(FromUtf8(c.text))) / room);
    }
    return DialogUnits{square / 2.0 * scale, square * scale};
}

CDialogControls::CDialogControls(QDialog& dialog, const DialogTemplate& t, const QMargins& frame) {
    const QFont font = DialogFont(t);
    dialog.setFont(font);
    dialog.setWindowTitle(FromUtf8(t.caption));
    m_units = UnitsOf(font, t);
    const QRect client = m_units.ToPixels(0, 0, t.width, t.height);
    dialog.setFixedSize(client.size().grownBy(frame));

    QButtonGroup* group = nullptr;
    int groupFirstId = -1;
    for (const ControlTemplate& c : t.controls) {
        QWidget* widget = CreateControl(c, dialog);
        widget->setGeometry(
            m_units.ToPixels(c.x, c.y, c.width, c.height).translated(frame.left(), frame.top()));
        widget->setEnabled(!c.disabled);
        if (c.id != -1) {
            widget->setObjectName(QStringLiteral("ctl%1").arg(c.id));
            m_widgets[c.id] = widget;
        }
        if (c.kind == ControlKind::RadioButton) {
            if (c.groupStart || group == nullptr) {
                group = new QButtonGroup(&dialog);
                groupFirstId = c.id;
                m_radioGroups[groupFirstId] = group;
            }
            group->addButton(static_cast<QRadioButton*>(widget), group->buttons().size());
        } else {
            group = nullptr;
        }
    }
}

QWidget* CDialogControls::Widget(int id) const {
    auto it = m_widgets.find(id);
    return it == m_widgets.end() ? nullptr : it->second;
}

QAbstractButton* CDialogControls::Button(int id) const {
    return qobject_cast<QAbstractButton*>(Widget(id));
}

QButtonGroup* CDialogControls::GroupOf(int firstId) const {
    auto it = m_radioGroups.find(firstId);
    return it == m_radioGroups.end() ? nullptr : it->second;
}

std::string CDialogControls::GetControlText(int id) const {
    QWidget* w = Widget(id);
    QString text;
    if (auto* edit = qobject_cast<QLineEdit*>(w))
        text = edit->text();
    else if (auto* label = qobject_cast<QLabel*>(w))
        text = label->text();
    else if (auto* button = qobject_cast<QAbstractButton*>(w))
        text = button->text();
    else if (auto* box = qobject_cast<QGroupBox*>(w))
        text = box->title();
    return text.toStdString();
}

void CDialogControls::SetControlText(int id, const std::string& utf8) {
    QWidget* w = Widget(id);
    const QString text = QString::fromStdString(utf8);
    if (auto* edit = qobject_cast<QLineEdit*>(w)) {
        edit->setText(text);
        edit->setCursorPosition(0); // a long number shows its leading digits
    } else if (auto* label = qobject_cast<QLabel*>(w)) {
        label->setText(text);
    } else if (auto* button = qobject_cast<QAbstractButton*>(w)) {
        button->setText(text);
    } else if (auto* box = qobject_cast<QGroupBox*>(w)) {
        box->setTitle(text);
    }
}

bool CDialogControls::GetCheck(int id) const {
    QAbstractButton* button = Button(id);
    return button != nullptr && button->isChecked();
}

void CDialogControls::SetCheck(int id, bool checked) {
    if (QAbstractButton* button = Button(id)) button->setChecked(checked);
}

int CDialogControls::GetRadioIndex(int firstId) const {
    QButtonGroup* group = GroupOf(firstId);
    return group == nullptr ? -1 : group->checkedId();
}

void CDialogControls::SetRadioIndex(int firstId, int index) {
    QButtonGroup* group = GroupOf(firstId);
    if (group == nullptr) return;
    if (QAbstractButton* button = group->button(index)) {
        button->setChecked(true);
        return;
    }
    // No such button: none is checked.
    group->setExclusive(false);
    for (QAbstractButton* b : group->buttons())
        b->setChecked(false);
    group->setExclusive(true);
}

void CDialogControls::ShowControl(int id, bool show) {
    if (QWidget* w = Widget(id)) w->setVisible(show);
}

void CDialogControls::EnableControl(int id, bool enable) {
    if (QWidget* w = Widget(id)) w->setEnabled(enable);
}

void CDialogControls::FocusControl(int id) {
    QWidget* w = Widget(id);
    if (w == nullptr) return;
    w->setFocus(Qt::OtherFocusReason);
    if (auto* edit = qobject_cast<QLineEdit*>(w)) edit->selectAll();
}
