#include "write/NetworkReportContent.h"

#include "write/NetworkReport.h"
#include "write/NetworkResults.h"

namespace traverse {

namespace {
// "观测文件：a.txt、b.txt" as the row (观测文件, a.txt、b.txt); a line without "：" (the
// title) is left out.
void AddHeaderRows(ReportContent& content, const std::vector<std::string>& lines) {
    const std::string colon = "：";
    for (const std::string& line : lines) {
        const size_t at = line.find(colon);
        if (at != std::string::npos)
            content.header.emplace_back(line.substr(0, at), line.substr(at + colon.size()));
    }
}

} // namespace

std::vector<std::string> NetworkTestsLines(const NetworkObservations& n,
                                           const NetworkAdjustment& a) {
    std::vector<std::string> lines{"观测值的权：" + WeightsText(a.instrument),
                                   GlobalTestLine(a.tests)};
    for (std::string& line : SuspectLines(a.tests, NetworkObservationNamer(n)))
        lines.push_back(std::move(line));
    lines.push_back(EllipseLevelLine(a.redundancy));
    return lines;
}

TextCells NetworkTestCells(const NetworkObservations& n, const NetworkAdjustment& a) {
    TextCells cells{ObservationTestHeaders()};
    for (std::vector<std::string>& row : ObservationTestRows(a.tests, NetworkObservationNamer(n)))
        cells.push_back(std::move(row));
    return cells;
}

ReportContent BuildNetworkReportContent(const NetworkObservations& n, const NetworkAdjustment& a,
                                        const NetworkContext& context) {
    ReportContent content;
    if (!context.project.empty()) content.header.emplace_back("项目名称", context.project);
    AddHeaderRows(content, NetworkHeaderLines(n, a.instrument, context));
    content.closures = NetworkClosureLines(n, a, context.grade);
    content.closures.erase(content.closures.begin()); // the text report's rule
    content.signatures = kSignaturesLine;
    content.coordinates = CoordinateCells(NetworkPointResults(n, a));
    if (a.heights) {
        content.heightTable = NetworkHeightCells(n, *a.heights);
        content.heightModel = NetworkHeightErrorLine(*a.heights);
    }
    content.tests = NetworkTestsLines(n, a);
    content.testTable = NetworkTestCells(n, a);
    content.plotTitle = NetworkPlotTitle(n);
    return content;
}

} // namespace traverse
