// The results report: up to seven sections in fixed order (the header, approximate
// coordinates, adjusted coordinates, adjusted sides, point errors with error ellipses,
// the heights, the closures and precision with the verdict), code page 936 text (UTF-8 on request)
// with CR LF line ends. The four tables alone are the report as it always was.
#pragma once

#include "assess/AdjustedTraverse.h"
#include "model/Refusal.h"
#include "platform/ReplaceFile.h"
#include "write/ReportSummary.h"
#include "write/TraverseResults.h"

#include <string>

namespace traverse {

enum class ReportEncoding { Cp936, Utf8 };

// The sections to write, and the text's encoding.
struct ReportSections {
    bool header = false; // title, observation file, type, known points, grade, date, version
    bool approxCoords = false;
    bool adjCoords = false;
    bool adjSides = false;
    bool precision = false;
    bool closures = false; // closures and precision against the grade, and the verdict
    ReportEncoding encoding = ReportEncoding::Cp936;
    // 高程平差 after the precision, where heights were asked for (a known height given);
    // its closure lines join the closures section whenever heights were.
    bool heights = false;
    // 粗差检验 last: the weights, the global test, the suspects, the ellipses' meaning and
    // every observation's r, w, ∇ and MDB. Its summary lines join the closures section.
    bool tests = false;
};

// The report bytes of an adjusted traverse: code page 936 (or UTF-8, the same text
// converted), every line feed written as CR LF.
std::string BuildResultsReport(const AdjustedTraverse& traverse, const ReportSections& sections,
                               const ReportContext& context = {});
// The same from results already gathered from that traverse (the sheet not needed).
std::string BuildResultsReport(const AdjustedTraverse& traverse, const TraverseResults& results,
                               const ReportSections& sections, const ReportContext& context = {});
// The same bytes handed to sink as they are made, in pieces.
void WriteResultsReport(const AdjustedTraverse& traverse, const TraverseResults& results,
                        const ReportSections& sections, const ReportContext& context,
                        const ByteSink& sink);

// Why a write did not succeed, as a refusal naming the path (shown safely) and the
// system's reason; no value for a write that succeeded.
std::optional<Refusal> WriteFailure(const WriteResult& result, const std::string& path);

} // namespace traverse
