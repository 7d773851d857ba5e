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

void AddTests(ReportContent& content, const NetworkObservations& n, const NetworkAdjustment& a) {
    const ObservationNamer name = NetworkObservationNamer(n);
    content.tests = {"观测值的权：" + WeightsText(a.instrument), GlobalTestLine(a.tests)};
    for (std::string& line : SuspectLines(a.tests, name))
        content.tests.push_back(std::move(line));
    content.tests.push_back(EllipseLevelLine(a.redundancy));
    content.testTable = {ObservationTestHeaders()};
    for (std::vector<std::string>& row : ObservationTestRows(a.tests, name))
        content.testTable.push_back(std::move(row));
}
} // namespace

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
    AddTests(content, n, a);
    content.plotTitle = NetworkPlotTitle(n);
    return content;
}

} // namespace traverse
