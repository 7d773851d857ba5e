// The main window's caption, drawn by the window itself: its title and nothing else (no
// close box, no minimise or maximise, no system menu), whatever frame a window manager
// would add. Dragging it moves the window.
#pragma once

#include <QPoint>
#include <QWidget>

class CCaptionBar : public QWidget {
public:
    explicit CCaptionBar(QWidget& window);

    // Pixels the caption needs for the window's font.
    static int HeightFor(const QFont& font);

protected:
    void paintEvent(QPaintEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;

private:
    static QFont TitleFont(const QFont& font);

    // Moving by hand, where the window manager cannot move the window: the mouse's
    // offset from the window's top left corner.
    bool m_dragging = false;
    QPoint m_grabOffset;
};
