#include "ui/ReportPrinter.h"

#include "ui/PlotPainter.h"

#include "write/HtmlReport.h"
#include "write/PlotModel.h"

#include <QAbstractTextDocumentLayout>
#include <QBuffer>
#include <QPageLayout>
#include <QPagedPaintDevice>
#include <QPainter>
#include <QPdfWriter>
#include <QTextDocument>

using namespace traverse;

namespace {
constexpr double kPointsPerInch = 72.0;

QFont SongFont(double points) {
    QFont font;
    font.setFamilies({QStringLiteral("DejaVu Serif Condensed"), QStringLiteral("DejaVu Serif"),
                      QStringLiteral("AR PL UMing CN"), QStringLiteral("Noto Serif CJK SC"),
                      QStringLiteral("SimSun"), QStringLiteral("宋体")});
    font.setPointSizeF(points);
    return font;
}

// The page's body above the footer band, in device pixels from the paint rectangle's
// top left; points to device pixels.
struct Page {
    QPainter& painter;
    double width, height, footer, perPoint;
};

void Footer(const Page& p, int number, int count) {
    p.painter.setFont(SongFont(8));
    p.painter.setPen(Qt::black);
    p.painter.drawText(QRectF(0, p.height, p.width, p.footer), Qt::AlignCenter,
                       QStringLiteral("第 %1 页　共 %2 页").arg(number).arg(count));
}

// The plot fills the body under its heading; drawn in points, so that its lines and
// texts have the sizes they have on a screen of 72 dots per inch.
void PlotPage(const Page& p, const TraverseResults& results, const std::string& title) {
    QFont bold = SongFont(12);
    bold.setBold(true);
    p.painter.setFont(bold);
    p.painter.setPen(Qt::black);
    const double heading = 24 * p.perPoint;
    p.painter.drawText(QRectF(0, 0, p.width, heading), Qt::AlignLeft | Qt::AlignTop,
                       QStringLiteral("导线图"));
    p.painter.save();
    p.painter.translate(0, heading);
    p.painter.scale(p.perPoint, p.perPoint);
    PaintPlot(p.painter, BuildPlotModel(results, p.width / p.perPoint,
                                        (p.height - heading) / p.perPoint, title));
    p.painter.restore();
}
} // namespace

bool PrintReport(QPagedPaintDevice& device, const TraverseResults& results,
                 const ReportContext& context) {
    device.setPageLayout(QPageLayout(QPageSize(QPageSize::A4), QPageLayout::Landscape,
                                     QMarginsF(12, 12, 12, 12), QPageLayout::Millimeter));
    QPainter painter;
    if (!painter.begin(&device)) return false;
    const double perPoint = device.logicalDpiX() / kPointsPerInch;
    const QRect body = device.pageLayout().paintRectPixels(device.logicalDpiX());
    const Page page{painter, static_cast<double>(body.width()), body.height() - 18 * perPoint,
                    18 * perPoint, perPoint};

    QTextDocument doc; // laid out for the device, so that its points are the paper's
    doc.documentLayout()->setPaintDevice(&device);
    doc.setDefaultFont(SongFont(10));
    doc.setDocumentMargin(0);
    doc.setHtml(QString::fromStdString(BuildHtmlReport(results, context, {false, true})));
    doc.setPageSize(QSizeF(page.width, page.height));
    const int count = doc.pageCount() + 1; // and the plot's
    for (int i = 0; i < doc.pageCount(); ++i) {
        if (i > 0) device.newPage();
        painter.save();
        painter.translate(0, -i * page.height);
        doc.drawContents(&painter, QRectF(0, i * page.height, page.width, page.height));
        painter.restore();
        Footer(page, i + 1, count);
    }
    device.newPage();
    PlotPage(page, results, PlotTitle(context.observationFile, results.traverseType));
    Footer(page, count, count);
    return painter.end();
}

std::string ReportPdf(const TraverseResults& results, const ReportContext& context) {
    QBuffer buffer;
    buffer.open(QIODevice::WriteOnly);
    {
        QPdfWriter pdf(&buffer);
        pdf.setResolution(600);
        pdf.setTitle(QStringLiteral("导线平差成果"));
        pdf.setCreator(QStringLiteral("traverse-adjust"));
        if (!PrintReport(pdf, results, context)) return {};
    }
    return buffer.data().toStdString();
}
