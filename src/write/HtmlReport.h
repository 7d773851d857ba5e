// The results as one self-contained HTML5 page (UTF-8) for reading and A4 printing:
// the header, the closures with their limits and the verdict, the calculation sheet,
// the coordinates with their precision and the plot. Styles inline, the plot as inline
// SVG; no script and nothing fetched. Each table starts a printed page and repeats its
// header row on the pages it runs over; the calculation sheet prints in landscape.
#pragma once

#include "write/ReportSummary.h"
#include "write/TraverseResults.h"

#include <functional>
#include <string>
#include <string_view>

namespace traverse {

std::string BuildHtmlReport(const TraverseResults& results, const ReportContext& context);

// The same page as it is made, in pieces of about 64 KB, each table's cells let go once
// written: a long traverse's page is never whole in memory.
void WriteHtmlReport(const TraverseResults& results, const ReportContext& context,
                     const std::function<void(std::string_view)>& sink);

} // namespace traverse
