#include "BatchResults.h"

#include "BatchOutputs.h"
#include "BatchRun.h"

#include "model/NumberText.h"
#include "platform/LocalDate.h"
#include "platform/ShownText.h"
#include "resources/StringTable.h"
#include "resources/Version.h"
#include "write/CalculationSheet.h"
#include "write/CoordinateFiles.h"
#include "write/HeightsText.h"
#include "write/HtmlReport.h"
#include "write/ObservationTestsText.h"
#include "write/PlotModel.h"
#include "write/ResultsJson.h"
#include "write/ResultsReport.h"
#include "write/ResultsText.h"
#include "write/SvgPlot.h"

using namespace traverse;

namespace {
constexpr double kPlotWidth = 800, kPlotHeight = 600; // SVG user units

// What the report's header says of the run.
ReportContext RunContext(const BatchArguments& a) {
    return {a.observationFile, a.grade.value_or(DefaultGrade()),
            LocalDateText(),   ProgramVersion(),
            a.project,         a.heightGrade.value_or(DefaultHeightGrade())};
}
} // namespace

TraverseResults ResultsAsNeeded(const BatchArguments& a, const AdjustedTraverse& traverse) {
    return CollectResults(traverse, {.sheet = a.sheetPath || a.jsonPath || a.htmlPath});
}

bool StageReportAsAsked(const BatchArguments& a, const AdjustedTraverse& traverse,
                        const TraverseResults& results, CBatchOutputSet& outputs) {
    ReportSections sections{
        a.header,
        a.approxCoords,
        a.adjCoords,
        a.adjSides,
        a.precision,
        a.closures,
        a.encoding.value_or(a.reportPath ? ReportEncoding::Cp936 : ReportEncoding::Utf8),
        a.heightTable,
        a.testsTable};
    // The report goes to its file as it is made.
    return outputs.Stage(a.reportPath.value_or("-"), [&](const ByteSink& sink) {
        WriteResultsReport(traverse, results, sections, RunContext(a), sink);
    });
}

bool StageResultFiles(const BatchArguments& a, const TraverseResults& results,
                      CBatchOutputSet& outputs) {
    // The JSON goes to its file as it is made: no copy of a long traverse's document.
    const auto json = [&](const ByteSink& sink) {
        WriteResultsJson(results, a.grade.value_or(DefaultGrade()),
                         a.heightGrade.value_or(DefaultHeightGrade()), sink);
    };
    if (a.jsonPath && !outputs.Stage(*a.jsonPath, json)) return false;
    if (a.plotPath &&
        !outputs.Stage(*a.plotPath, WriteSvgPlot(BuildPlotModel(
                                        results, kPlotWidth, kPlotHeight,
                                        PlotTitle(a.observationFile, results.traverseType)))))
        return false;
    if (a.sheetPath &&
        !outputs.Stage(*a.sheetPath,
                       CalculationSheetCsv(results.sheet, results.closure,
                                           a.grade.value_or(DefaultGrade()),
                                           a.heightGrade.value_or(DefaultHeightGrade()))))
        return false;
    const auto html = [&](const ByteSink& sink) { WriteHtmlReport(results, RunContext(a), sink); };
    if (a.htmlPath && !outputs.Stage(*a.htmlPath, html)) return false;
    if (a.coordsPath) {
        const bool dat = CoordinateFormatOf(*a.coordsPath) == CoordinateFormat::Dat;
        return outputs.Stage(*a.coordsPath,
                             dat ? CoordinatesDat(results) : CoordinatesCsv(results));
    }
    return true;
}

namespace {
void WriteAtOnce(std::FILE* err, const std::string& text) {
    std::fwrite(text.data(), 1, text.size(), err);
    std::fflush(err);
}
} // namespace

void WriteClosureSummary(std::FILE* err, const std::string& file, const TraverseResults& results,
                         const Grade& grade, const GradeChecks& checks,
                         const HeightGrade& heightGrade) {
    std::vector<std::string> lines = {std::string(LoadString(str::kAdjustDone))};
    for (const std::string& line : ClosureSummaryLines(results, grade, checks))
        lines.push_back(line);
    for (const std::string& line : HeightSummaryLines(results, heightGrade))
        lines.push_back(line);
    if (results.instrument) { // the global test and the suspects, where a test was made
        lines.push_back(GlobalTestLine(results.tests));
        for (const std::string& line : SuspectLines(results.tests, results.observations))
            lines.push_back(line);
    }
    const std::string prefix = ShownText(file) + ": ";
    std::string text;
    for (const std::string& line : lines)
        if (!line.empty()) text += prefix + ShownText(line) + "\n";
    WriteAtOnce(err, text);
}

namespace {
// The grade so that runs held to different limits are told apart: its map scale, or K
// and the coefficient (seconds, the shortest text that reads back) of one's own.
std::string SummaryGradeText(const Grade& grade) {
    if (grade.name == LoadString(str::kCustomGrade))
        return grade.name + "(" + std::to_string(grade.relativeK) + ":" +
               FormatShortest(grade.angleCoefficient) + ")";
    if (grade.mapScale > 0) return grade.name + "@" + std::to_string(grade.mapScale);
    return grade.name;
}
} // namespace

namespace {
// fh (mm; "-" without a closure or heights) and the height grade's verdict ("-" where
// nothing checks the heights), tab-separated: the fields after the plane's.
std::string HeightSummaryFields(const ResultHeights& h, const HeightGrade& grade) {
    const HeightChecks checks = CheckResultHeights(h, grade);
    const bool checked = checks.closure.applies || checks.reciprocal.applies;
    return (checks.closure.applies ? FormatSignedTenth(h.fh) : "-") + "\t" +
           (checked ? grade.name + VerdictText(checks.Pass()) : "-");
}
} // namespace

void WriteSummaryLine(std::FILE* err, const std::string& file, const TraverseResults& results,
                      const Grade& grade, const GradeChecks& checks,
                      const HeightGrade& heightGrade) {
    const ClosureStatistics& c = results.closure;
    const std::string fields[] = {
        ShownText(file),
        TypeName(results.traverseType),
        c.azimuthCondition ? FormatSignedTenth(c.azimuthClosure) : "-",
        FormatTenth(c.fd),
        "1/" + RelativeClosureText(c.k),
        FormatTenth(c.sigma0),
        SummaryGradeText(grade),
        VerdictText(checks.Pass()),
    };
    std::string line;
    for (const std::string& f : fields)
        line += (line.empty() ? "" : "\t") + f;
    if (results.heights) line += "\t" + HeightSummaryFields(*results.heights, heightGrade);
    // With the instrument's precision the test's field comes last, the heights' places
    // kept ("-") where there are none.
    if (results.instrument)
        line += std::string(results.heights ? "" : "\t-\t-") + "\t" + TestsSummaryField(results);
    WriteAtOnce(err, line + "\n");
}
