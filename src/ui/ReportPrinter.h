// The full report on paper: A4 landscape pages of the header, the closures with every
// 超限 in bold red, the lines for signatures, the calculation sheet with its figures and
// the coordinate table (each run on from where the last ends, header rows repeated on
// the pages a table runs over), then a page with the plot drawn as vectors; "第 i 页　共
// n 页" under each. Drawn page by page, so that a progress dialog can follow and stop it.
// Text stays text in a PDF.
#pragma once

#include "ui/PrintedPages.h"

#include "write/ReportSummary.h"
#include "write/TraverseResults.h"

#include <string>

using namespace traverse;

class QPagedPaintDevice;

enum class PrintOutcome { kDone, kStopped, kFailed };

// Draws the report on the device from its first page. Stopped: a printer's job is
// aborted; a PDF writer's output is to be thrown away.
PrintOutcome PrintReport(QPagedPaintDevice& device, const TraverseResults& results,
                         const ReportContext& context, const PageProgress& progress = {});
// The report as the bytes of a PDF file in `bytes` when done.
PrintOutcome ReportPdf(const TraverseResults& results, const ReportContext& context,
                       std::string& bytes, const PageProgress& progress = {});
