#include "ui/CaptionBar.h"

#include <QFontMetrics>
#include <QMouseEvent>
#include <QPainter>
#include <QWindow>

namespace {
constexpr int kPadding = 3; // pixels above and below the title, and before it
} // namespace

CCaptionBar::CCaptionBar(QWidget& window) : QWidget(&window) {
    setObjectName(QStringLiteral("caption"));
    setAttribute(Qt::WA_OpaquePaintEvent);
}

QFont CCaptionBar::TitleFont(const QFont& font) {
    QFont bold = font;
    bold.setBold(true);
    return bold;
}

int CCaptionBar::HeightFor(const QFont& font) {
    return QFontMetrics(TitleFont(font)).height() + 2 * kPadding;
}

void CCaptionBar::paintEvent(QPaintEvent*) {
    const QPalette::ColorGroup group = isActiveWindow() ? QPalette::Active : QPalette::Inactive;
    QPainter painter(this);
    painter.fillRect(rect(), palette().color(group, QPalette::Highlight));
    painter.setPen(palette().color(group, QPalette::HighlightedText));
    painter.setFont(TitleFont(font()));
    const QRect text = rect().adjusted(2 * kPadding, 0, -2 * kPadding, 0);
    const QString title =
        painter.fontMetrics().elidedText(window()->windowTitle(), Qt::ElideRight, text.width());
    painter.drawText(text, Qt::AlignLeft | Qt::AlignVCenter, title);
}

// The window manager moves the window where it can; else the caption follows the mouse.
void CCaptionBar::mousePressEvent(QMouseEvent* event) {
    if (event->button() != Qt::LeftButton) return;
    QWindow* handle = window()->windowHandle();
    if (handle != nullptr && handle->startSystemMove()) return;
    m_dragging = true;
    m_grabOffset = event->globalPosition().toPoint() - window()->pos();
}

void CCaptionBar::mouseMoveEvent(QMouseEvent* event) {
    if (m_dragging) window()->move(event->globalPosition().toPoint() - m_grabOffset);
}

void CCaptionBar::mouseReleaseEvent(QMouseEvent*) { m_dragging = false; }
