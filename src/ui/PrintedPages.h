// Pages drawn by hand on a paged device (a PDF writer, a printer): a cursor runs down
// each page's body, placing headings, label–value rows, wrapped paragraphs with marked
// runs, and ruled tables that run over pages with their header row repeated. A flow
// without a painter only measures, so that a first pass counts the pages for the
// footers ("第 i 页　共 n 页") and a second draws them. Lengths are device pixels; sizes
// are given in points. One weight throughout (Song faces seldom have a bold, and a bold
// Latin beside a regular Chinese reads as a fault): headings stand out by size, header
// rows by their shading, the 合计 row by its rule, and only a failed check in bold red.
#pragma once

#include <QFont>
#include <QRectF>
#include <QString>
#include <QStringList>

#include <functional>
#include <utility>
#include <vector>

class QPagedPaintDevice;
class QPainter;
class QPaintDevice;

QFont SongFont(double points);
QFont NumberFont(double points);

// Called after each page is drawn with its number and the count; false stops the drawing.
using PageProgress = std::function<bool(int page, int pages)>;

// A table measured once for the device: the size its font takes so that it fits the
// width (8 points down to 5.5), the header split at "(" over two lines where one is too
// wide, the column widths from the widest cell.
struct PrintedTable {
    std::vector<QStringList> rows; // the header row first
    bool lastIsSum = false;        // a 合计 row, set apart
    double points = 8;
    std::vector<double> columns; // widths
    int headerLines = 1;
    double rowHeight = 0;
};
PrintedTable MeasureTable(std::vector<QStringList> rows, bool lastIsSum, double width,
                          const QPaintDevice& device);

// A line as runs of text, each marked (bold red: a failed check) or not.
using MarkedLine = std::vector<std::pair<QString, bool>>;

class PageFlow {
public:
    // painter null: measure only. pages: the count the footers give (0 while measuring).
    PageFlow(QPagedPaintDevice& device, QPainter* painter, int pages, PageProgress progress);

    double Width() const { return m_width; }
    double PerPoint() const { return m_perPoint; }
    bool Stopped() const { return m_stopped; }

    void Title(const QString& text);
    void Heading(const QString& text);
    void LabelledRows(const std::vector<std::pair<QString, QString>>& rows);
    void Paragraph(const MarkedLine& line);
    void Gap(double points);
    // The table from here, on as many pages as it needs; it starts on a new page unless
    // its heading (none where empty), its header and `keep` rows fit on this one.
    void Table(const QString& heading, const PrintedTable& table, int keep);
    // The rest of a page of its own, under a heading, for a drawing.
    QRectF FullPage(const QString& heading);
    // The last page's footer; the count of pages.
    int Finish();

private:
    bool Fits(double height) const { return m_y + height <= m_bodyHeight; }
    void NewPage();
    void Footer();
    void TableHeader(const PrintedTable& table);
    void TableRow(const PrintedTable& table, const QStringList& cells, bool sum);
    void ColumnRules(const PrintedTable& table, double top);

    QPagedPaintDevice& m_device;
    QPainter* m_painter;
    int m_pages;
    PageProgress m_progress;
    double m_perPoint = 1, m_width = 0, m_bodyHeight = 0, m_footer = 0;
    double m_y = 0;
    int m_page = 1;
    bool m_stopped = false;
};
