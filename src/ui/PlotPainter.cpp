#include "ui/PlotPainter.h"

#include "write/NetworkResults.h"

#include <QBuffer>
#include <QImage>
#include <QPainter>
#include <QPainterPath>

#include <cmath>

namespace {
QPointF From(const PlotLine& l) { return {l.x1, l.y1}; }
QPointF To(const PlotLine& l) { return {l.x2, l.y2}; }

QPen Pen(const QColor& colour, double width) {
    QPen pen(colour, width);
    pen.setCapStyle(Qt::FlatCap);
    return pen;
}

void DrawLines(QPainter& p, const PlotModel& plot) {
    for (const PlotLine& l : plot.lines) {
        QPen pen = Pen(Qt::black, 1);
        if (l.orientation) pen.setDashPattern({6, 4});
        p.setPen(pen);
        p.drawLine(From(l), To(l));
    }
}

// The arrow's shaft and its filled head at the tip; the scale bar with a tick at each end.
void DrawNorthArrowAndScale(QPainter& p, const PlotModel& plot) {
    const PlotLine& a = plot.northArrow;
    const double s = plot.symbolSize;
    p.setPen(Pen(Qt::black, 1.5));
    p.drawLine(From(a), To(a));
    p.setBrush(Qt::black);
    const QPointF head[3] = {To(a), {a.x2 - s, a.y2 + 2.5 * s}, {a.x2 + s, a.y2 + 2.5 * s}};
    p.drawPolygon(head, 3);
    const PlotLine& bar = plot.scaleBar;
    p.setPen(Pen(Qt::black, 2));
    p.drawLine(From(bar), To(bar));
    p.setPen(Pen(Qt::black, 1));
    for (double x : {bar.x1, bar.x2})
        p.drawLine(QPointF(x, bar.y1 - 2 * s), QPointF(x, bar.y1));
}

// Known points as black triangles, new points as white circles, junctions ringed.
void DrawSymbols(QPainter& p, const PlotModel& plot) {
    const double r = plot.symbolSize;
    p.setPen(Pen(Qt::black, 1));
    for (const PlotSymbol& s : plot.symbols) {
        if (!s.known) {
            p.setBrush(Qt::white);
            if (s.junction) p.drawEllipse(QPointF(s.x, s.y), 1.8 * r, 1.8 * r);
            p.drawEllipse(QPointF(s.x, s.y), r, r);
            continue;
        }
        p.setBrush(Qt::black);
        const QPointF triangle[3] = {
            {s.x, s.y - 1.3 * r}, {s.x - 1.15 * r, s.y + 0.7 * r}, {s.x + 1.15 * r, s.y + 0.7 * r}};
        p.drawPolygon(triangle, 3);
    }
}

void DrawEllipses(QPainter& p, const PlotModel& plot) {
    p.setPen(Pen(Qt::red, 1));
    p.setBrush(Qt::NoBrush);
    for (const PlotEllipse& e : plot.ellipses) {
        p.save();
        p.translate(e.cx, e.cy);
        p.rotate(e.rotation); // clockwise on a y-down drawing, as in SVG
        p.drawEllipse(QPointF(0, 0), e.rx, e.ry);
        p.restore();
    }
}

void DrawTexts(QPainter& p, const PlotModel& plot) {
    QFont font(QStringLiteral("Noto Sans CJK SC"));
    font.setPixelSize(std::max(1, static_cast<int>(std::lround(plot.fontSize))));
    p.setFont(font);
    p.setPen(Qt::black);
    for (const PlotText& t : plot.texts) {
        QFont sized = font;
        if (t.size > 0) sized.setPixelSize(std::max(1, static_cast<int>(std::lround(t.size))));
        p.setFont(sized);
        const QString text = QString::fromStdString(t.text);
        const double width = QFontMetricsF(sized).horizontalAdvance(text);
        const double shift = t.anchor == TextAnchor::Start    ? 0.0
                             : t.anchor == TextAnchor::Middle ? width / 2
                                                              : width;
        p.drawText(QPointF(t.x - shift, t.y), text);
    }
}
} // namespace

void PaintPlot(QPainter& painter, const PlotModel& plot) {
    painter.save();
    painter.setRenderHint(QPainter::Antialiasing);
    painter.fillRect(QRectF(0, 0, plot.width, plot.height), Qt::white);
    DrawLines(painter, plot);
    DrawNorthArrowAndScale(painter, plot);
    DrawSymbols(painter, plot);
    DrawEllipses(painter, plot);
    DrawTexts(painter, plot);
    painter.restore();
}

PlotBuilder NetworkPlot(const TraverseResults& points, const NetworkObservations& network) {
    return [&points, shape = NetworkShape(network),
            title = NetworkPlotTitle(network)](double width, double height) {
        return BuildNetworkPlotModel(points, shape, width, height, title);
    };
}

std::string PlotPng(const PlotBuilder& build, int width, int height) {
    QImage image(width, height, QImage::Format_RGB32);
    image.fill(Qt::white);
    {
        QPainter painter(&image);
        PaintPlot(painter, build(width, height));
    }
    QByteArray bytes;
    QBuffer buffer(&bytes);
    buffer.open(QIODevice::WriteOnly);
    image.save(&buffer, "PNG");
    return bytes.toStdString();
}

CPlotView::CPlotView(PlotBuilder build, QWidget* parent)
    : QWidget(parent), m_build(std::move(build)) {
    setObjectName(QStringLiteral("plotView"));
    setMinimumSize(320, 240);
    setSizePolicy(QSizePolicy::Expanding, QSizePolicy::Expanding);
}

PlotModel CPlotView::Model() const { return m_build(width(), height()); }

void CPlotView::paintEvent(QPaintEvent*) {
    QPainter painter(this);
    PaintPlot(painter, Model());
}
