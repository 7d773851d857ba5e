// The HTML report's content on paper: A4 landscape pages of the header, the closures, the
// calculation sheet and the coordinates (Qt's rich text from the core's HTML, table
// headers repeated, Song face), then a page with the plot drawn as vectors. Page numbers
// under each page. Text stays text in a PDF.
#pragma once

#include "write/ReportSummary.h"
#include "write/TraverseResults.h"

#include <string>

using namespace traverse;

class QPagedPaintDevice;

// Lays the report out on the device's pages from its first; false if it cannot paint.
bool PrintReport(QPagedPaintDevice& device, const TraverseResults& results,
                 const ReportContext& context);
// The report as the bytes of a PDF file; empty if it could not be drawn.
std::string ReportPdf(const TraverseResults& results, const ReportContext& context);
