// The full report on paper: A4 landscape pages of the header, the closures with every
// 超限 in bold red, the lines for signatures, the calculation sheet (a traverse's) with
// its figures, the coordinate table, the heights and the tests for blunders (each run on
// from where the last ends, header rows repeated on the pages a table runs over), then a
// page with the plot drawn as vectors; "第 i 页　共 n 页" under each. Drawn page by page,
// so that a progress dialog can follow and stop it. Text stays text in a PDF.
#pragma once

#include "ui/PlotPainter.h"
#include "ui/PrintedPages.h"

#include "write/ReportContent.h"
#include "write/ReportSummary.h"
#include "write/TraverseResults.h"

#include <string>

using namespace traverse;

class QPagedPaintDevice;

enum class PrintOutcome { kDone, kStopped, kFailed };

// What the pages show: the report's title, its texts as the core words them, its plot
// and the plot page's heading.
struct ReportPages {
    QString title; // 导线平差成果
    ReportContent content;
    PlotBuilder plot;
    QString plotHeading; // 导线图
};

// The pages on the device from the first. Stopped: a printer's job is aborted; a PDF
// writer's output is to be thrown away.
PrintOutcome PrintPages(QPagedPaintDevice& device, const ReportPages& pages,
                        const PageProgress& progress = {});
// The pages as the bytes of a PDF file in `bytes` when done.
PrintOutcome PagesPdf(const ReportPages& pages, std::string& bytes,
                      const PageProgress& progress = {});

// A traverse's report.
ReportPages TraversePages(const TraverseResults& results, const ReportContext& context);

// Draws the report on the device from its first page. Stopped: a printer's job is
// aborted; a PDF writer's output is to be thrown away.
PrintOutcome PrintReport(QPagedPaintDevice& device, const TraverseResults& results,
                         const ReportContext& context, const PageProgress& progress = {});
// The report as the bytes of a PDF file in `bytes` when done.
PrintOutcome ReportPdf(const TraverseResults& results, const ReportContext& context,
                       std::string& bytes, const PageProgress& progress = {});
