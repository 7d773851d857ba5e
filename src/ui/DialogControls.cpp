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

namespace {
QString FromUtf8(std::string_view text) {
    return QString::fromUtf8(text.data(), static_cast<qsizetype>(text.size()));
}

// Multiplies and divides with rounding, as dialog unit conversion does.
int MulDiv(int value, int numerator, int denominator) {
    long long product = static_cast<long long>(value) * numerator;
    long long half = denominator / 2;
    return static_cast<int>(product >= 0 ? (product + half) / denominator
                                         : (product - half) / denominator);
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
    return QRect(MulDiv(x, baseX, 4), MulDiv(y, baseY, 8), MulDiv(width, baseX, 4),
                 MulDiv(height, baseY, 8));
}

QFont DialogFont(const DialogTemplate& t) {
    const QStringList installed = QFontDatabase::families();
    QStringList wanted = {FromUtf8(t.fontName)};
    if (t.fontName == "宋体")
        wanted << "SimSun"
               << "NSimSun";
    // Chinese fonts commonly found on Linux desktops, in order of preference.
    wanted << "Noto Sans CJK SC"
           << "Source Han Sans SC"
           << "WenQuanYi Micro Hei"
           << "WenQuanYi Zen Hei"
           << "Noto Serif CJK SC"
           << "AR PL UMing CN"
           << "Droid Sans Fallback";
    QFont font;
    for (const QString& family : wanted) {
        if (installed.contains(family, Qt::CaseInsensitive)) {
            font.setFamily(family);
            break;
        }
    }
    font.setPointSize(t.fontPoints);
    return font;
}

DialogUnits UnitsOf(const QFont& font) {
    QFontMetrics metrics(font);
    DialogUnits units;
    const int letters = metrics.horizontalAdvance(
        QStringLiteral("ABCDEFGHIJKLMNOPQRSTUVWXYZabcdefghijklmnopqrstuvwxyz"));
    units.baseX = std::max(1, (letters / 26 + 1) / 2);
    units.baseY = std::max(1, metrics.height());
    return units;
}

CDialogControls::CDialogControls(QDialog& dialog, const DialogTemplate& t) {
    const QFont font = DialogFont(t);
    dialog.setFont(font);
    dialog.setWindowTitle(FromUtf8(t.caption));
    m_units = UnitsOf(font);
    const QRect frame = m_units.ToPixels(0, 0, t.width, t.height);
    dialog.setFixedSize(frame.size());

    QButtonGroup* group = nullptr;
    int groupFirstId = -1;
    for (const ControlTemplate& c : t.controls) {
        QWidget* widget = CreateControl(c, dialog);
        widget->setGeometry(m_units.ToPixels(c.x, c.y, c.width, c.height));
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
