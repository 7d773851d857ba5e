#include "BatchResults.h"

#include "BatchOutputs.h"
#include "BatchRun.h"

#include "platform/LocalDate.h"
#include "platform/ShownText.h"
#include "resources/StringTable.h"
#include "resources/Version.h"
#include "write/CalculationSheet.h"
#include "write/CoordinateFiles.h"
#include "write/HtmlReport.h"
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
    return {a.observationFile, a.grade.value_or(DefaultGrade()), LocalDateText(), ProgramVersion()};
}
} // namespace

bool StageReportAsAsked(const BatchArguments& a, const AdjustedTraverse& traverse,
                        CBatchOutputSet& outputs) {
    ReportSections sections{
        a.header,
        a.approxCoords,
        a.adjCoords,
        a.adjSides,
        a.precision,
        a.closures,
        a.encoding.value_or(a.reportPath ? ReportEncoding::Cp936 : ReportEncoding::Utf8)};
    return outputs.Stage(a.reportPath.value_or("-"),
                         BuildResultsReport(traverse, sections, RunContext(a)));
}

bool StageResultFiles(const BatchArguments& a, const TraverseResults& results,
                      CBatchOutputSet& outputs) {
    if (a.jsonPath &&
        !outputs.Stage(*a.jsonPath, BuildResultsJson(results, a.grade.value_or(DefaultGrade()))))
        return false;
    if (a.plotPath &&
        !outputs.Stage(*a.plotPath, WriteSvgPlot(BuildPlotModel(
                                        results, kPlotWidth, kPlotHeight,
                                        PlotTitle(a.observationFile, results.traverseType)))))
        return false;
    if (a.sheetPath &&
        !outputs.Stage(*a.sheetPath, CalculationSheetCsv(results.sheet, results.closure,
                                                         a.grade.value_or(DefaultGrade()))))
        return false;
    if (a.htmlPath && !outputs.Stage(*a.htmlPath, BuildHtmlReport(results, RunContext(a))))
        return false;
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
                         const Grade& grade, const GradeChecks& checks) {
    std::vector<std::string> lines = {std::string(LoadString(str::kAdjustDone))};
    for (const std::string& line : ClosureSummaryLines(results, grade, checks))
        lines.push_back(line);
    const std::string prefix = ShownText(file) + ": ";
    std::string text;
    for (const std::string& line : lines)
        if (!line.empty()) text += prefix + ShownText(line) + "\n";
    WriteAtOnce(err, text);
}

void WriteSummaryLine(std::FILE* err, const std::string& file, const TraverseResults& results,
                      const Grade& grade, const GradeChecks& checks) {
    const ClosureStatistics& c = results.closure;
    const std::string fields[] = {
        ShownText(file),
        TypeName(results.traverseType),
        c.azimuthCondition ? FormatSignedTenth(c.azimuthClosure) : "-",
        FormatTenth(c.fd),
        "1/" + RelativeClosureText(c.k),
        FormatTenth(c.sigma0),
        grade.mapScale > 0 ? grade.name + "@" + std::to_string(grade.mapScale) : grade.name,
        VerdictText(checks.Pass()),
    };
    std::string line;
    for (const std::string& f : fields)
        line += (line.empty() ? "" : "\t") + f;
    WriteAtOnce(err, line + "\n");
}
