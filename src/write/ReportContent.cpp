#include "write/ReportContent.h"

#include "read/ImportText.h"
#include "model/NumberText.h"
#include "write/CalculationSheet.h"
#include "write/HeightsText.h"
#include "write/ObservationTestsText.h"
#include "write/PlotModel.h"
#include "write/ResultsText.h"

namespace traverse {

namespace {
std::vector<std::pair<std::string, std::string>> HeaderRows(const TraverseResults& r,
                                                            const ReportContext& c) {
    std::vector<std::pair<std::string, std::string>> rows;
    if (!c.project.empty()) rows.emplace_back("项目名称", c.project);
    rows.emplace_back("观测文件", DisplayName(c.observationFile));
    rows.emplace_back("导线类型", TraverseTypeTitle(r.traverseType));
    for (const KnownPointText& k : KnownPointTexts(r))
        rows.emplace_back(k.point, k.coordinates);
    for (const ResultPoint& p : r.points) // the known heights the heights start from
        if (p.heightKnown && p.h) rows.emplace_back("已知高程", p.name + "：H = " + FormatFixed(*p.h, 3) + " m");
    rows.emplace_back("等级", GradeDescription(c.grade));
    rows.emplace_back("观测值的权", WeightsText(r.instrument));
    rows.emplace_back("日期", c.date);
    rows.emplace_back("程序版本", c.version);
    return rows;
}
} // namespace

ReportContent BuildReportContent(const TraverseResults& r, const ReportContext& c) {
    ReportContent content = BuildReportOutline(r, c);
    content.sheet = CalculationSheetCells(r.sheet);
    content.coordinates = CoordinateCells(r);
    content.testTable = TestCells(r);
    return content;
}

ReportContent BuildReportOutline(const TraverseResults& r, const ReportContext& c) {
    ReportContent content;
    content.header = HeaderRows(r, c);
    content.closures = ClosureSummaryLines(r, c.grade, CheckGrade(r.closure, c.grade));
    for (const std::string& line : HeightSummaryLines(r, c.heightGrade))
        content.closures.push_back(line);
    // Refused heights have no table: the closures above say why.
    content.heightTable = HeightTableCells(r);
    if (!content.heightTable.empty()) content.heightModel = RefractionLine(*r.heights);
    content.signatures = kSignaturesLine;
    content.sheetFigures = CalculationSheetFooter(r.sheet, r.closure, c.grade);
    content.plotTitle = PlotTitle(c.observationFile, r.traverseType);
    content.tests = TestsSummaryLines(r);
    return content;
}

TextCells CoordinateCells(const TraverseResults& r) {
    TextCells cells;
    cells.reserve(r.points.size() + 1);
    cells.push_back(CoordinateTableHeaders());
    for (const ResultPoint& p : r.points)
        cells.push_back(CoordinateTableRow(p));
    return cells;
}

TextCells TestCells(const TraverseResults& r) {
    TextCells rows = ObservationTestRows(r.tests, r.observations);
    TextCells cells;
    cells.reserve(rows.size() + 1);
    cells.push_back(ObservationTestHeaders());
    for (auto& row : rows)
        cells.push_back(std::move(row));
    return cells;
}

std::vector<std::pair<std::string, bool>> FailureRuns(const std::string& line) {
    const std::string fail = VerdictText(false);
    std::vector<std::pair<std::string, bool>> runs;
    size_t from = 0;
    for (size_t at = line.find(fail); at != std::string::npos; at = line.find(fail, from)) {
        if (at > from) runs.emplace_back(line.substr(from, at - from), false);
        runs.emplace_back(fail, true);
        from = at + fail.size();
    }
    if (from < line.size()) runs.emplace_back(line.substr(from), false);
    return runs;
}

} // namespace traverse
