#include "BatchResults.h"

#include "BatchOutputs.h"
#include "BatchPort.h"

#include "platform/ShownText.h"
#include "resources/StringTable.h"
#include "write/CoordinateFiles.h"
#include "write/PlotModel.h"
#include "write/ResultsJson.h"
#include "write/ResultsReport.h"
#include "write/ResultsText.h"
#include "write/SvgPlot.h"

namespace {
constexpr double kPlotWidth = 800, kPlotHeight = 600; // SVG user units

bool WriteOne(CTraverseAdjustDlg& dlg, CBatchWindowPort& port, const std::string& path,
              const std::string& bytes) {
    port.SetMessagePrefix(path);
    const WriteResult result = WriteReport(dlg, path, bytes);
    if (result.status == WriteStatus::Written) return true;
    ShowWriteFailure(dlg, result, path);
    return false;
}
} // namespace

bool WriteResultFiles(CTraverseAdjustDlg& dlg, CBatchWindowPort& port, const BatchArguments& a,
                      const TraverseResults& results) {
    if (a.jsonPath && !WriteOne(dlg, port, OutputPath(*a.jsonPath),
                                BuildResultsJson(results, a.grade.value_or(DefaultGrade()))))
        return false;
    if (a.plotPath && !WriteOne(dlg, port, *a.plotPath,
                                WriteSvgPlot(BuildPlotModel(results, kPlotWidth, kPlotHeight))))
        return false;
    if (a.coordsPath) {
        const bool dat = CoordinateFormatOf(*a.coordsPath) == CoordinateFormat::Dat;
        return WriteOne(dlg, port, *a.coordsPath,
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

void WriteClosureSummary(std::FILE* err, const std::string& file, const std::string& done,
                         const TraverseResults& results, const Grade& grade,
                         const GradeChecks& checks) {
    std::vector<std::string> lines = {done};
    for (const std::string& line : ClosureSummaryLines(results, grade, checks))
        lines.push_back(line);
    lines.push_back(
        FormatString(str::kBatchGradeVerdict, {grade.name, VerdictText(checks.Pass())}));
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
        grade.name,
        VerdictText(checks.Pass()),
    };
    std::string line;
    for (const std::string& f : fields)
        line += (line.empty() ? "" : "\t") + f;
    WriteAtOnce(err, line + "\n");
}
