#include "ui/ReportPrinter.h"

#include "ui/PlotPainter.h"

#include "write/PlotModel.h"
#include "write/ReportContent.h"

#include <QBuffer>
#include <QPageLayout>
#include <QPagedPaintDevice>
#include <QPainter>
#include <QPdfWriter>
#include <QPrinter>

using namespace traverse;

namespace {
QString Text(const std::string& utf8) { return QString::fromStdString(utf8); }

std::vector<QStringList> Rows(const TextCells& cells) {
    std::vector<QStringList> rows;
    rows.reserve(cells.size());
    for (const auto& row : cells) {
        QStringList texts;
        texts.reserve(static_cast<qsizetype>(row.size()));
        for (const std::string& cell : row)
            texts.append(Text(cell));
        rows.push_back(std::move(texts));
    }
    return rows;
}

MarkedLine Marked(const std::string& line) {
    MarkedLine runs;
    for (const auto& [text, failed] : FailureRuns(line))
        runs.emplace_back(Text(text), failed);
    return runs;
}

struct Report {
    const ReportPages& pages;
    PrintedTable sheet, coordinates, heights, tests;
};

// The plot fills the rest of its page; drawn in points, so that its lines and texts
// have the sizes they have on a screen of 72 dots per inch.
void Plot(QPainter& painter, const QRectF& room, double perPoint, const Report& report) {
    painter.save();
    painter.translate(room.topLeft());
    painter.scale(perPoint, perPoint);
    PaintPlot(painter, report.pages.plot(room.width() / perPoint, room.height() / perPoint));
    painter.restore();
}

// The calculation sheet with its figures under it, where the report has one.
void Sheet(PageFlow& flow, const Report& report) {
    const ReportContent& c = report.pages.content;
    if (c.sheet.empty()) return;
    flow.Table(QStringLiteral("导线计算表"), report.sheet, 5);
    QStringList figures;
    for (const std::string& line : c.sheetFigures)
        figures.append(Text(line));
    flow.Paragraph({{figures.join(QStringLiteral("；")), false}});
}

// The report's pages in order; the count of pages.
int Flow(PageFlow& flow, QPainter* painter, const Report& report) {
    const ReportContent& c = report.pages.content;
    flow.Title(report.pages.title);
    std::vector<std::pair<QString, QString>> header;
    for (const auto& [key, value] : c.header)
        header.emplace_back(Text(key), Text(value));
    flow.LabelledRows(header);
    flow.Heading(QStringLiteral("闭合差与精度"));
    for (const std::string& line : c.closures) // the verdict last
        flow.Paragraph(Marked(line));
    flow.Gap(12);
    flow.Paragraph({{Text(c.signatures), false}});
    Sheet(flow, report);
    flow.Table(QStringLiteral("坐标成果与点位精度"), report.coordinates, 5);
    if (!c.heightTable.empty()) {
        flow.Table(QStringLiteral("高程平差"), report.heights, 5);
        flow.Paragraph(Marked(c.heightModel));
    }
    flow.Heading(QStringLiteral("粗差检验"));
    for (const std::string& line : c.tests)
        flow.Paragraph(Marked(line));
    flow.Table({}, report.tests, 5);
    const QRectF plot = flow.FullPage(report.pages.plotHeading);
    if (painter != nullptr && !flow.Stopped()) Plot(*painter, plot, flow.PerPoint(), report);
    return flow.Finish();
}
} // namespace

PrintOutcome PrintPages(QPagedPaintDevice& device, const ReportPages& pages,
                        const PageProgress& progress) {
    device.setPageLayout(QPageLayout(QPageSize(QPageSize::A4), QPageLayout::Landscape,
                                     QMarginsF(12, 12, 12, 12), QPageLayout::Millimeter));
    const ReportContent& c = pages.content;
    Report report{pages, {}, {}, {}, {}};
    const double width = device.pageLayout().paintRectPixels(device.logicalDpiX()).width();
    if (!c.sheet.empty()) report.sheet = MeasureTable(Rows(c.sheet), true, width, device);
    report.coordinates = MeasureTable(Rows(c.coordinates), false, width, device);
    report.tests = MeasureTable(Rows(c.testTable), false, width, device);
    if (!c.heightTable.empty())
        report.heights = MeasureTable(Rows(c.heightTable), false, width, device);
    PageFlow measure(device, nullptr, 0, {});
    const int count = Flow(measure, nullptr, report);

    QPainter painter;
    if (!painter.begin(&device)) return PrintOutcome::kFailed;
    PageFlow flow(device, &painter, count, progress);
    Flow(flow, &painter, report);
    if (flow.Stopped())
        if (auto* printer = dynamic_cast<QPrinter*>(&device)) printer->abort();
    const bool ended = painter.end();
    if (flow.Stopped()) return PrintOutcome::kStopped;
    return ended ? PrintOutcome::kDone : PrintOutcome::kFailed;
}

PrintOutcome PagesPdf(const ReportPages& pages, std::string& bytes, const PageProgress& progress) {
    QBuffer buffer;
    buffer.open(QIODevice::WriteOnly);
    PrintOutcome outcome = PrintOutcome::kFailed;
    {
        QPdfWriter pdf(&buffer);
        pdf.setResolution(600);
        pdf.setTitle(pages.title);
        pdf.setCreator(QStringLiteral("traverse-adjust"));
        outcome = PrintPages(pdf, pages, progress);
    }
    if (outcome == PrintOutcome::kDone) bytes = buffer.data().toStdString();
    return outcome;
}

ReportPages TraversePages(const TraverseResults& results, const ReportContext& context) {
    ReportPages pages{QStringLiteral("导线平差成果"),
                      BuildReportContent(results, context),
                      {},
                      QStringLiteral("导线图")};
    pages.plot = [&results, title = pages.content.plotTitle](double width, double height) {
        return BuildPlotModel(results, width, height, title);
    };
    return pages;
}

PrintOutcome PrintReport(QPagedPaintDevice& device, const TraverseResults& results,
                         const ReportContext& context, const PageProgress& progress) {
    return PrintPages(device, TraversePages(results, context), progress);
}

PrintOutcome ReportPdf(const TraverseResults& results, const ReportContext& context,
                       std::string& bytes, const PageProgress& progress) {
    return PagesPdf(TraversePages(results, context), bytes, progress);
}
