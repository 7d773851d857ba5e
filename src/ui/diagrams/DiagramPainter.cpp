// Draws the five diagrams (four traverse types and the network) the window shows beside the known-point inputs and
// writes them as bitmaps into the directory given on the command line. Known points
// are black triangles, new points circles, known directions double lines; observed
// angles are arcs, the connection angles in red. Known points carry the headings of
// their input groups, so the picture says which inputs belong to which point.
#include <QDir>
#include <QFontDatabase>
#include <QGuiApplication>
#include <QImage>
#include <QLineF>
#include <QPainter>
#include <QPolygonF>

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <cstring>
#include <numbers>
#include <utility>
#include <vector>

namespace {
// The picture control's inside: 157 x 75 dialog units with a 9-point CJK font.
constexpr int kWidth = 272;
constexpr int kHeight = 156;

enum class Kind { Known, New };
enum class Side { Above, Below, Left, Right };

struct Point {
    Kind kind;
    double x, y; // fractions of the picture
    const char* label;
    Side side;
};

struct Angle {
    int at, back, fore;
    bool connection;
};

struct Diagram {
    const char* file;
    std::vector<Point> points;
    std::vector<std::pair<int, int>> sides;
    std::vector<std::pair<int, int>> knownDirections;
    std::vector<Angle> angles;
};

QPointF At(const Point& p) { return {p.x * kWidth, p.y * kHeight}; }

// Direction of b seen from a, degrees counter-clockwise from east with y up.
double DirectionDeg(QPointF a, QPointF b) {
    return std::atan2(-(b.y() - a.y()), b.x() - a.x()) * 180.0 / std::numbers::pi;
}

void DrawAngle(QPainter& p, QPointF at, QPointF back, QPointF fore, bool connection) {
    const double start = DirectionDeg(at, back);
    double span = DirectionDeg(at, fore) - start;
    while (span > 180.0)
        span -= 360.0;
    while (span <= -180.0)
        span += 360.0;
    const double r = connection ? 15.0 : 11.0;
    p.setPen(QPen(connection ? QColor(200, 0, 0) : QColor(0, 90, 200), connection ? 2.0 : 1.5));
    p.setBrush(Qt::NoBrush);
    p.drawArc(QRectF(at.x() - r, at.y() - r, 2 * r, 2 * r), static_cast<int>(start * 16),
              static_cast<int>(span * 16));
}

void DrawKnownDirection(QPainter& p, QPointF a, QPointF b) {
    QLineF line(a, b);
    QLineF normal = line.normalVector();
    normal.setLength(2.5);
    const QPointF offset = normal.p2() - normal.p1();
    p.setPen(QPen(Qt::black, 1.5));
    p.drawLine(line.translated(offset));
    p.drawLine(line.translated(-offset));
}

void DrawPoint(QPainter& p, const Point& pt) {
    const QPointF c = At(pt);
    p.setPen(QPen(Qt::black, 1.5));
    if (pt.kind == Kind::Known) {
        const double s = 7.0;
        QPolygonF triangle;
        triangle << QPointF(c.x(), c.y() - s) << QPointF(c.x() - s * 0.87, c.y() + s * 0.5)
                 << QPointF(c.x() + s * 0.87, c.y() + s * 0.5);
        p.setBrush(Qt::black);
        p.drawPolygon(triangle);
    } else {
        p.setBrush(Qt::white);
        p.drawEllipse(c, 4.0, 4.0);
    }
}

// Without a Chinese font the headings become short Latin names: S start, E end, K known.
bool g_latinLabels = false;

QString LabelText(const char* label) {
    static const std::pair<const char*, const char*> kLatin[] = {
        {"起始点", "S"},   {"起始点1", "S1"}, {"起始点2", "S2"}, {"终止点", "E"},
        {"终止点1", "E1"}, {"终止点2", "E2"}, {"已知点1", "K1"}, {"已知点2", "K2"},
        {"已知点", "K"},   {"结点", "J"}};
    if (g_latinLabels)
        for (const auto& [chinese, latin] : kLatin)
            if (std::strcmp(label, chinese) == 0) return QString::fromLatin1(latin);
    return QString::fromUtf8(label);
}

void DrawLabel(QPainter& p, const Point& pt, const QFont& font) {
    p.setFont(font);
    p.setPen(Qt::black);
    const QString text = LabelText(pt.label);
    const QRectF box = p.fontMetrics().boundingRect(text).adjusted(-1, 0, 1, 0);
    const QPointF c = At(pt);
    QRectF r(QPointF(0, 0), box.size());
    switch (pt.side) {
    case Side::Above:
        r.moveCenter({c.x(), c.y() - 9 - box.height() / 2});
        break;
    case Side::Below:
        r.moveCenter({c.x(), c.y() + 9 + box.height() / 2});
        break;
    case Side::Left:
        r.moveCenter({c.x() - 10 - box.width() / 2, c.y()});
        break;
    case Side::Right:
        r.moveCenter({c.x() + 10 + box.width() / 2, c.y()});
        break;
    }
    // Keep the label inside the picture.
    r.moveLeft(std::clamp(r.left(), 1.0, kWidth - 1.0 - r.width()));
    r.moveTop(std::clamp(r.top(), 1.0, kHeight - 1.0 - r.height()));
    p.drawText(r, Qt::AlignCenter, text);
}

QImage Render(const Diagram& d, const QFont& knownFont, const QFont& newFont) {
    QImage image(kWidth, kHeight, QImage::Format_RGB32);
    image.fill(Qt::white);
    QPainter p(&image);
    p.setRenderHint(QPainter::Antialiasing);
    p.setRenderHint(QPainter::TextAntialiasing);
    for (const Angle& a : d.angles)
        DrawAngle(p, At(d.points[a.at]), At(d.points[a.back]), At(d.points[a.fore]), a.connection);
    p.setPen(QPen(Qt::black, 1.5));
    for (auto [a, b] : d.sides)
        p.drawLine(At(d.points[a]), At(d.points[b]));
    for (auto [a, b] : d.knownDirections)
        DrawKnownDirection(p, At(d.points[a]), At(d.points[b]));
    for (const Point& pt : d.points)
        DrawPoint(p, pt);
    for (const Point& pt : d.points)
        DrawLabel(p, pt, pt.kind == Kind::Known ? knownFont : newFont);
    p.end();
    return image;
}

std::vector<Diagram> Diagrams() {
    using K = Kind;
    using S = Side;
    return {
        {"无定向.bmp",
         {{K::Known, 0.07, 0.62, "起始点", S::Below},
          {K::New, 0.30, 0.30, "1", S::Above},
          {K::New, 0.52, 0.68, "2", S::Below},
          {K::New, 0.73, 0.30, "3", S::Above},
          {K::Known, 0.93, 0.62, "终止点", S::Below}},
         {{0, 1}, {1, 2}, {2, 3}, {3, 4}},
         {},
         {{1, 0, 2, false}, {2, 1, 3, false}, {3, 2, 4, false}}},
        {"单连接角.bmp",
         {{K::Known, 0.07, 0.22, "起始点2", S::Right},
          {K::Known, 0.17, 0.74, "起始点1", S::Below},
          {K::New, 0.40, 0.36, "1", S::Above},
          {K::New, 0.62, 0.70, "2", S::Below},
          {K::Known, 0.90, 0.34, "终止点", S::Above}},
         {{1, 2}, {2, 3}, {3, 4}},
         {{0, 1}},
         {{1, 0, 2, true}, {2, 1, 3, false}, {3, 2, 4, false}}},
        {"闭合.bmp",
         {{K::Known, 0.08, 0.20, "已知点2", S::Right},
          {K::Known, 0.24, 0.70, "已知点1", S::Below},
          {K::New, 0.56, 0.84, "1", S::Right},
          {K::New, 0.84, 0.58, "2", S::Right},
          {K::New, 0.74, 0.18, "3", S::Above},
          {K::New, 0.46, 0.26, "4", S::Above}},
         {{1, 2}, {2, 3}, {3, 4}, {4, 5}, {5, 1}},
         {{0, 1}},
         {{1, 0, 2, true},
          {2, 1, 3, false},
          {3, 2, 4, false},
          {4, 3, 5, false},
          {5, 4, 1, false},
          {1, 5, 2, false}}},
        {"双连接角.bmp",
         {{K::Known, 0.05, 0.20, "起始点2", S::Right},
          {K::Known, 0.15, 0.72, "起始点1", S::Below},
          {K::New, 0.37, 0.36, "1", S::Above},
          {K::New, 0.58, 0.70, "2", S::Below},
          {K::Known, 0.80, 0.36, "终止点1", S::Above},
          {K::Known, 0.95, 0.80, "终止点2", S::Left}},
         {{1, 2}, {2, 3}, {3, 4}},
         {{0, 1}, {4, 5}},
         {{1, 0, 2, true}, {2, 1, 3, false}, {3, 2, 4, false}, {4, 3, 5, true}}},
        // Three traverses from known points meeting at a junction (结点).
        {"导线网.bmp",
         {{K::Known, 0.06, 0.16, "已知点", S::Right},
          {K::New, 0.27, 0.34, "1", S::Above},
          {K::New, 0.50, 0.54, "结点", S::Below},
          {K::New, 0.74, 0.30, "2", S::Above},
          {K::Known, 0.94, 0.14, "已知点", S::Left},
          {K::New, 0.38, 0.80, "3", S::Left},
          {K::Known, 0.12, 0.86, "已知点", S::Right}},
         {{0, 1}, {1, 2}, {2, 3}, {3, 4}, {2, 5}, {5, 6}},
         {},
         {{1, 0, 2, false}, {2, 1, 3, false}, {3, 2, 4, false}, {5, 2, 6, false}}},
    };
}

QFont LabelFont(int pixels, bool bold) {
    const QStringList installed = QFontDatabase::families();
    QFont font;
    g_latinLabels = true;
    for (const char* family : {"Noto Sans CJK SC", "Source Han Sans SC", "WenQuanYi Micro Hei",
                               "WenQuanYi Zen Hei", "Noto Serif CJK SC", "AR PL UMing CN"}) {
        if (installed.contains(QString::fromUtf8(family))) {
            font.setFamily(QString::fromUtf8(family));
            g_latinLabels = false;
            break;
        }
    }
    font.setPixelSize(pixels);
    font.setBold(bold);
    return font;
}
} // namespace

int main(int argc, char** argv) {
    if (argc != 2) {
        std::fprintf(stderr, "usage: %s OUTPUT_DIRECTORY\n", argv[0]);
        return 2;
    }
    qputenv("QT_QPA_PLATFORM", "offscreen");
    QGuiApplication app(argc, argv);
    const QDir out(QString::fromLocal8Bit(argv[1]));
    if (!out.exists() && !QDir().mkpath(out.path())) {
        std::fprintf(stderr, "cannot create %s\n", argv[1]);
        return 1;
    }
    const QFont knownFont = LabelFont(13, true);
    const QFont newFont = LabelFont(12, false);
    if (g_latinLabels)
        std::fprintf(stderr, "no Chinese font installed: the diagrams name the known points "
                             "S (start), E (end) and K (known)\n");
    for (const Diagram& d : Diagrams()) {
        const QString path = out.filePath(QString::fromUtf8(d.file));
        if (!Render(d, knownFont, newFont).save(path, "BMP")) {
            std::fprintf(stderr, "cannot write %s\n", path.toLocal8Bit().constData());
            return 1;
        }
    }
    return 0;
}
