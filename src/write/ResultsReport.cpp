// The report text: section headers from the string table, point names as stored
// (code page 936), numbers in the fixed column formats of the report.
#include "write/ResultsReport.h"

#include "model/NumberText.h"
#include "resources/CodePage936.h"
#include "resources/StringTable.h"
#include "write/HeightsText.h"
#include "write/ObservationTestsText.h"
#include "write/ReportText.h"

#include <algorithm>
#include <initializer_list>
#include <string>

namespace traverse {

namespace {

bool EndsAtForesight(int traverseType) {
    return traverseType == kNonOriented || traverseType == kSingleConnection;
}

// Coordinates of the traverse points. Closed and double-connection traverses name
// every point after its station; the other two have one point more than stations,
// the end point, named after the last foresight and always written as a wide line.
void WriteCoordinates(ReportText& text, int traverseType, const std::vector<PlanePoint>& points,
                      bool narrow) {
    const int count = static_cast<int>(points.size());
    const bool endPoint = EndsAtForesight(traverseType);
    const int named = endPoint ? count - 1 : count;
    for (int i = 0; i < named; ++i) {
        if (narrow)
            text.NarrowCoordinate(text.Station(i), points[static_cast<size_t>(i)]);
        else
            text.WideCoordinate(text.Station(i), points[static_cast<size_t>(i)]);
    }
    if (endPoint && count > 0) text.WideCoordinate(text.LastForesight(), points.back());
}

// The point error and error ellipse tables. Entry i belongs to the point at the end
// of side i (named after station i + 1); the last two entries, the known end point,
// are left out.
void WritePrecision(ReportText& text, const Precision& precision) {
    const int entries = static_cast<int>(precision.points.size()) - 2;

    text.Header(str::kPointErrorTitle);
    text.Header(str::kPointErrorHeader);
    for (int i = 0; i < entries; ++i) {
        const PointPrecision& p = precision.points[static_cast<size_t>(i)];
        text.PointError(text.Station(i + 1), p.m, p.mx, p.my);
    }

    text.Header(str::kEllipseTitle);
    text.Header(str::kEllipseHeader);
    for (int i = 0; i < entries; ++i) {
        const ErrorEllipse& e = precision.points[static_cast<size_t>(i)].ellipse;
        text.Ellipse(text.Station(i + 1), e.dA, e.dB, e.F);
    }
}

} // namespace

std::string BuildResultsReport(const AdjustedTraverse& t, const ReportSections& sections,
                               const ReportContext& context) {
    const bool gathered =
        sections.header || sections.closures || (sections.heights && t.heights) || sections.tests;
    return BuildResultsReport(t, gathered ? CollectResults(t, {.sheet = false}) : TraverseResults{},
                              sections, context);
}

namespace {
// The four tables of the classic report, those asked for.
void WriteTables(ReportText& text, const AdjustedTraverse& t, const ReportSections& sections) {
    if (sections.approxCoords) {
        text.Header(str::kApproxCoordTitle);
        text.Header(str::kApproxCoordHeader);
        WriteCoordinates(text, t.traverseType, t.reduction.points, false);
    }
    if (sections.adjCoords) {
        text.Header(str::kAdjCoordTitle);
        text.Header(str::kAdjCoordHeader);
        WriteCoordinates(text, t.traverseType, t.adjustment.points, true);
    }
    if (sections.adjSides) {
        text.Header(str::kSideTitle);
        text.Header(str::kSideHeader);
        for (size_t i = 0; i < t.adjustment.sides.size(); ++i)
            text.Side(text.Station(static_cast<int>(i)), text.Foresight(static_cast<int>(i)),
                      t.adjustment.sides[i]);
    }
    if (sections.precision) WritePrecision(text, t.precision);
}

void WriteSections(ReportText& text, const AdjustedTraverse& t, const TraverseResults& results,
                   const ReportSections& sections, const ReportContext& context) {
    const auto lines = [&text](const std::vector<std::string>& all) {
        for (const std::string& line : all)
            text.TextLine(line);
    };
    if (sections.header) lines(ReportHeaderLines(results, context));
    WriteTables(text, t, sections);
    if (sections.heights && t.heights) lines(HeightTableLines(results));
    if (sections.closures) {
        lines(ReportClosureLines(results, context.grade));
        lines(HeightSummaryLines(results, context.heightGrade));
        lines(TestsSummaryLines(results));
    }
    if (sections.tests) lines(TestsTableLines(results));
}
} // namespace

std::string BuildResultsReport(const AdjustedTraverse& t, const TraverseResults& results,
                               const ReportSections& sections, const ReportContext& context) {
    ReportText text(t.observations, 5 * t.observations.size()); // five tables at most
    WriteSections(text, t, results, sections, context);
    std::string bytes = text.TakeBytes();
    if (sections.encoding == ReportEncoding::Utf8) return Cp936ToUtf8(bytes);
    return bytes;
}

void WriteResultsReport(const AdjustedTraverse& t, const TraverseResults& results,
                        const ReportSections& sections, const ReportContext& context,
                        const ByteSink& sink) {
    const bool utf8 = sections.encoding == ReportEncoding::Utf8;
    // Pieces end at a line's end: no character is cut in two.
    ReportText text(t.observations, utf8 ? ReportText::Sink([&sink](std::string_view piece) {
                        sink(Cp936ToUtf8(piece));
                    })
                                         : ReportText::Sink(sink));
    WriteSections(text, t, results, sections, context);
    text.Finish();
}

} // namespace traverse
