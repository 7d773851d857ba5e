#include "ui/PrintedPages.h"

#include <QFontDatabase>
#include <QFontMetricsF>
#include <QPageLayout>
#include <QPagedPaintDevice>
#include <QPainter>
#include <QTextLayout>

#include <algorithm>
#include <numeric>

namespace {
constexpr double kPointsPerInch = 72.0;
constexpr double kMeasuredPoints = 8.0; // tables are measured at this size and scaled
constexpr double kSmallestPoints = 5.5;
constexpr double kCellPadding = 2.5; // points either side of a cell's text
constexpr double kCellLeading = 1.2; // points above and below

const QColor kFailure(0xbe, 0x00, 0x00);

// A cell in a Chinese face: any character from the CJK radicals on (and the full-width
// forms); digits, signs and the °′″ of angles stay in the number face.
bool IsChinese(const QString& text) {
    return std::any_of(text.begin(), text.end(), [](QChar c) { return c.unicode() >= 0x2E80; });
}

// "ΔX计算值(m)" over two lines: "ΔX计算值" and "(m)".
QStringList HeaderLines(const QString& header, int lines) {
    const qsizetype at = header.indexOf(QLatin1Char('('));
    if (lines == 1 || at <= 0) return {header};
    return {header.left(at), header.mid(at)};
}

double WidestLine(const QFontMetricsF& metrics, const QStringList& lines) {
    double widest = 0;
    for (const QString& line : lines)
        widest = std::max(widest, metrics.horizontalAdvance(line));
    return widest;
}
} // namespace

// Latin and digits in DejaVu Serif, Chinese in the first Song face there is, each of
// whose glyphs a PDF reader maps back to its one character.
QFont SongFont(double points) {
    static const QStringList families = {
        QStringLiteral("DejaVu Serif"), QStringLiteral("AR PL UMing CN"),
        QStringLiteral("SimSun"), QStringLiteral("宋体"), QStringLiteral("Noto Serif CJK SC")};
    QFont font;
    font.setFamilies(families);
    font.setPointSizeF(points);
    return font;
}

QFont NumberFont(double points) {
    QFont font;
    font.setFamilies({QStringLiteral("DejaVu Serif Condensed"), QStringLiteral("DejaVu Serif"),
                      QStringLiteral("Noto Serif CJK SC"), QStringLiteral("AR PL UMing CN")});
    font.setPointSizeF(points);
    return font;
}

PrintedTable MeasureTable(std::vector<QStringList> rows, bool lastIsSum, double width,
                          const QPaintDevice& device) {
    PrintedTable table;
    table.rows = std::move(rows);
    table.lastIsSum = lastIsSum;
    const QFontMetricsF song(SongFont(kMeasuredPoints), &device);
    const QFontMetricsF number(NumberFont(kMeasuredPoints), &device);
    const size_t count = table.rows.front().size();
    std::vector<double> cells(count, 0.0), oneLine(count), twoLines(count);
    for (size_t r = 1; r < table.rows.size(); ++r)
        for (size_t c = 0; c < count && c < static_cast<size_t>(table.rows[r].size()); ++c) {
            const QString& text = table.rows[r][static_cast<qsizetype>(c)];
            cells[c] = std::max(cells[c], (IsChinese(text) ? song : number).horizontalAdvance(text));
        }
    for (size_t c = 0; c < count; ++c) {
        const QString& header = table.rows.front()[static_cast<qsizetype>(c)];
        oneLine[c] = std::max(cells[c], WidestLine(song, HeaderLines(header, 1)));
        twoLines[c] = std::max(cells[c], WidestLine(song, HeaderLines(header, 2)));
    }
    const double perPoint = device.logicalDpiX() / kPointsPerInch;
    const double padding = 2 * kCellPadding * perPoint * static_cast<double>(count);
    const auto sizeFor = [&](const std::vector<double>& widths) {
        const double content = std::accumulate(widths.begin(), widths.end(), 0.0);
        return content > 0 ? kMeasuredPoints * (width - padding) / content : kMeasuredPoints;
    };
    const double one = sizeFor(oneLine), two = sizeFor(twoLines);
    table.headerLines = one >= kMeasuredPoints || one >= two ? 1 : 2;
    const std::vector<double>& content = table.headerLines == 1 ? oneLine : twoLines;
    table.points = std::clamp(std::max(one, two), kSmallestPoints, kMeasuredPoints);
    const double scale = table.points / kMeasuredPoints;
    double used = 0;
    for (double w : content)
        used += (table.columns.emplace_back(w * scale + 2 * kCellPadding * perPoint));
    const double spare = std::max(0.0, width - used) / static_cast<double>(count);
    for (double& w : table.columns)
        w += spare;
    table.rowHeight = std::max(QFontMetricsF(SongFont(table.points), &device).height(),
                               QFontMetricsF(NumberFont(table.points), &device).height()) +
                      2 * kCellLeading * perPoint;
    return table;
}

PageFlow::PageFlow(QPagedPaintDevice& device, QPainter* painter, int pages, PageProgress progress)
    : m_device(device), m_painter(painter), m_pages(pages), m_progress(std::move(progress)) {
    m_perPoint = device.logicalDpiX() / kPointsPerInch;
    const QRect body = device.pageLayout().paintRectPixels(device.logicalDpiX());
    m_width = body.width();
    m_footer = 18 * m_perPoint;
    m_bodyHeight = body.height() - m_footer;
}

void PageFlow::Footer() {
    if (m_painter == nullptr) return;
    m_painter->setFont(SongFont(8));
    m_painter->setPen(Qt::black);
    m_painter->drawText(QRectF(0, m_bodyHeight, m_width, m_footer), Qt::AlignCenter,
                        QStringLiteral("第 %1 页　共 %2 页").arg(m_page).arg(m_pages));
}

void PageFlow::NewPage() {
    if (m_stopped) return;
    if (m_painter != nullptr) {
        Footer();
        if (m_progress && !m_progress(m_page, m_pages)) {
            m_stopped = true;
            return;
        }
        m_device.newPage();
    }
    ++m_page;
    m_y = 0;
}

int PageFlow::Finish() {
    if (m_stopped) return m_page;
    Footer();
    if (m_painter != nullptr && m_progress && !m_progress(m_page, m_pages)) m_stopped = true;
    return m_page;
}

void PageFlow::Gap(double points) {
    if (m_y > 0) m_y = std::min(m_bodyHeight, m_y + points * m_perPoint);
}

void PageFlow::Title(const QString& text) {
    const QFont font = SongFont(16);
    const double height = QFontMetricsF(font, &m_device).height();
    if (m_painter != nullptr && !m_stopped) {
        m_painter->setFont(font);
        m_painter->setPen(Qt::black);
        m_painter->drawText(QRectF(0, m_y, m_width, height), Qt::AlignHCenter | Qt::AlignTop,
                            text);
    }
    m_y += height + 8 * m_perPoint;
}

void PageFlow::Heading(const QString& text) {
    const QFont font = SongFont(12);
    const double height = QFontMetricsF(font, &m_device).height();
    Gap(10);
    if (!Fits(height + 4 * m_perPoint)) NewPage();
    if (m_stopped) return;
    if (m_painter != nullptr) {
        m_painter->setFont(font);
        m_painter->setPen(Qt::black);
        m_painter->drawText(QRectF(0, m_y, m_width, height), Qt::AlignLeft | Qt::AlignTop, text);
    }
    m_y += height + 4 * m_perPoint;
}

void PageFlow::LabelledRows(const std::vector<std::pair<QString, QString>>& rows) {
    const QFont label = SongFont(10), value = SongFont(10);
    const QFontMetricsF labels(label, &m_device), values(value, &m_device);
    double key = 0;
    for (const auto& row : rows)
        key = std::max(key, labels.horizontalAdvance(row.first));
    key += 14 * m_perPoint; // the label stands apart from its value
    for (const auto& [name, text] : rows) {
        const QRectF room(key, m_y, m_width - key, m_bodyHeight);
        const double height =
            std::max(labels.height(),
                     values.boundingRect(room, Qt::TextWordWrap | Qt::AlignLeft, text).height()) +
            2 * m_perPoint;
        if (!Fits(height)) NewPage();
        if (m_stopped) return;
        if (m_painter != nullptr) {
            m_painter->setPen(Qt::black);
            m_painter->setFont(label);
            m_painter->drawText(QPointF(0, m_y + labels.ascent()), name);
            m_painter->setFont(value);
            m_painter->drawText(QRectF(key, m_y, m_width - key, height),
                                Qt::TextWordWrap | Qt::AlignLeft | Qt::AlignTop, text);
        }
        m_y += height;
    }
}

void PageFlow::Paragraph(const MarkedLine& line) {
    QString text;
    QList<QTextLayout::FormatRange> marks;
    for (const auto& [run, marked] : line) {
        if (marked) {
            QTextLayout::FormatRange range{static_cast<int>(text.size()),
                                           static_cast<int>(run.size()), {}};
            range.format.setForeground(kFailure);
            // Only a face with a bold of its own gives one (Noto Serif CJK does).
            range.format.setFontFamilies(QStringList{QStringLiteral("Noto Serif CJK SC")} +
                                         SongFont(10).families());
            range.format.setFontWeight(QFont::Bold);
            marks.append(range);
        }
        text += run;
    }
    QTextLayout layout(text, SongFont(10), &m_device);
    layout.setFormats(marks);
    layout.beginLayout();
    double height = 0;
    for (QTextLine row = layout.createLine(); row.isValid(); row = layout.createLine()) {
        row.setLineWidth(m_width);
        row.setPosition(QPointF(0, height));
        height += row.height();
    }
    layout.endLayout();
    height += 3 * m_perPoint;
    if (!Fits(height)) NewPage();
    if (m_stopped) return;
    if (m_painter != nullptr) {
        m_painter->setPen(Qt::black);
        layout.draw(m_painter, QPointF(0, m_y));
    }
    m_y += height;
}

void PageFlow::TableHeader(const PrintedTable& table) {
    const double height = table.rowHeight + (table.headerLines - 1) * (table.rowHeight -
                                                                       2 * kCellLeading * m_perPoint);
    if (m_painter != nullptr) {
        const QFont font = SongFont(table.points);
        const QFontMetricsF metrics(font, &m_device);
        m_painter->fillRect(QRectF(0, m_y, m_width, height), QColor(0xee, 0xee, 0xee));
        m_painter->setFont(font);
        m_painter->setPen(Qt::black);
        double x = 0;
        for (size_t c = 0; c < table.columns.size(); ++c) {
            const QStringList lines =
                HeaderLines(table.rows.front()[static_cast<qsizetype>(c)], table.headerLines);
            double y = m_y + kCellLeading * m_perPoint + metrics.ascent();
            for (const QString& line : lines) {
                m_painter->drawText(
                    QPointF(x + (table.columns[c] - metrics.horizontalAdvance(line)) / 2, y), line);
                y += metrics.height();
            }
            x += table.columns[c];
        }
        m_painter->setPen(QPen(Qt::black, 0.6 * m_perPoint));
        m_painter->drawLine(QPointF(0, m_y), QPointF(m_width, m_y));
        m_painter->drawLine(QPointF(0, m_y + height), QPointF(m_width, m_y + height));
    }
    m_y += height;
}

void PageFlow::TableRow(const PrintedTable& table, const QStringList& cells, bool sum) {
    if (m_painter != nullptr) {
        const QFont song = SongFont(table.points), number = NumberFont(table.points);
        const QFontMetricsF songMetrics(song, &m_device), numberMetrics(number, &m_device);
        const double pad = kCellPadding * m_perPoint;
        const double baseline = m_y + kCellLeading * m_perPoint +
                                std::max(songMetrics.ascent(), numberMetrics.ascent());
        m_painter->setPen(Qt::black);
        double x = 0;
        const QFont* current = nullptr;
        for (size_t c = 0; c < table.columns.size() && c < static_cast<size_t>(cells.size());
             ++c) {
            const QString& text = cells[static_cast<qsizetype>(c)];
            const bool chinese = IsChinese(text);
            const QFont& font = chinese ? song : number;
            if (current != &font) m_painter->setFont(*(current = &font));
            const double advance = (chinese ? songMetrics : numberMetrics).horizontalAdvance(text);
            // Names from the left, Chinese words centred, numbers to the right.
            const double at = c == 0 ? x + pad
                              : chinese ? x + (table.columns[c] - advance) / 2
                                        : x + table.columns[c] - pad - advance;
            m_painter->drawText(QPointF(at, baseline), text);
            x += table.columns[c];
        }
        const double rule = (sum ? 1.2 : 0.3) * m_perPoint;
        m_painter->setPen(QPen(Qt::black, rule));
        if (sum) m_painter->drawLine(QPointF(0, m_y), QPointF(m_width, m_y));
        m_painter->setPen(QPen(Qt::black, 0.3 * m_perPoint));
        m_painter->drawLine(QPointF(0, m_y + table.rowHeight),
                            QPointF(m_width, m_y + table.rowHeight));
    }
    m_y += table.rowHeight;
}

void PageFlow::ColumnRules(const PrintedTable& table, double top) {
    if (m_painter == nullptr) return;
    m_painter->setPen(QPen(Qt::black, 0.6 * m_perPoint));
    double x = 0;
    m_painter->drawLine(QPointF(x, top), QPointF(x, m_y));
    for (double w : table.columns) {
        x += w;
        m_painter->drawLine(QPointF(x, top), QPointF(x, m_y));
    }
}

void PageFlow::Table(const QString& heading, const PrintedTable& table, int keep) {
    const size_t rows = table.rows.size() - 1;
    const double headingRoom =
        heading.isEmpty() ? 0.0 : QFontMetricsF(SongFont(12), &m_device).height() + 14 * m_perPoint;
    const double start =
        headingRoom + table.rowHeight * (table.headerLines + std::min<size_t>(keep, rows));
    if (m_y > 0 && !Fits(start)) NewPage();
    if (!heading.isEmpty()) Heading(heading);
    if (m_stopped) return;
    double top = m_y;
    TableHeader(table);
    for (size_t r = 1; r <= rows; ++r) {
        if (!Fits(table.rowHeight)) {
            ColumnRules(table, top);
            NewPage();
            if (m_stopped) return;
            top = m_y;
            TableHeader(table);
        }
        TableRow(table, table.rows[r], table.lastIsSum && r == rows);
    }
    ColumnRules(table, top);
    m_y += 4 * m_perPoint;
}

QRectF PageFlow::FullPage(const QString& heading) {
    if (m_y > 0) NewPage();
    Heading(heading);
    return {0, m_y, m_width, m_bodyHeight - m_y};
}
