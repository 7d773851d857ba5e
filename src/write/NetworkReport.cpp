#include "write/NetworkReport.h"

#include "model/NumberText.h"
#include "write/NetworkReportContent.h"
#include "write/ReportText.h"
#include "write/ResultsText.h"

#include <algorithm>
#include <cmath>
#include <utility>

namespace traverse {

namespace {
// The points as the lines run, each once, then those no line reaches (known backsights).
std::vector<size_t> RouteOrder(const NetworkObservations& n) {
    std::vector<size_t> order;
    std::vector<bool> listed(n.points.size(), false);
    auto add = [&](size_t p) {
        if (p < listed.size() && !listed[p]) order.push_back(p), listed[p] = true;
    };
    for (const NetworkLine& line : n.lines)
        for (const int p : line.points)
            add(static_cast<size_t>(p));
    for (size_t p = 0; p < n.points.size(); ++p)
        add(p);
    return order;
}

void WriteCoordinates(ReportText& text, const NetworkObservations& n,
                      const std::vector<PlanePoint>& points, bool narrow) {
    for (const size_t p : RouteOrder(n)) {
        if (p >= points.size()) continue;
        if (narrow)
            text.NarrowCoordinate(n.points[p].name, points[p]);
        else
            text.WideCoordinate(n.points[p].name, points[p]);
    }
}

// One line per side, as adjusted: a side measured in two files once.
void WriteSides(ReportText& text, const NetworkObservations& n, const NetworkAdjustment& a) {
    std::vector<std::pair<int, int>> written;
    for (const NetworkDistance& d : n.distances) {
        const std::pair<int, int> side = std::minmax(d.from, d.to);
        if (std::find(written.begin(), written.end(), side) != written.end()) continue;
        written.push_back(side);
        const PlanePoint &from = a.points[static_cast<size_t>(d.from)],
                         &to = a.points[static_cast<size_t>(d.to)];
        text.Side(n.points[static_cast<size_t>(d.from)].name,
                  n.points[static_cast<size_t>(d.to)].name,
                  std::hypot(to.dX - from.dX, to.dY - from.dY));
    }
}

void WritePrecision(ReportText& text, const NetworkObservations& n, const NetworkAdjustment& a) {
    auto fresh = [&](size_t p) { return !n.points[p].known && p < a.precision.size(); };
    text.Header(str::kPointErrorTitle);
    text.Header(str::kPointErrorHeader);
    const std::vector<size_t> order = RouteOrder(n);
    for (const size_t p : order)
        if (fresh(p))
            text.PointError(n.points[p].name, a.precision[p].m, a.precision[p].mx,
                            a.precision[p].my);
    text.Header(str::kEllipseTitle);
    text.Header(str::kEllipseHeader);
    for (const size_t p : order)
        if (fresh(p)) {
            const ErrorEllipse& e = a.precision[p].ellipse;
            text.Ellipse(n.points[p].name, e.dA, e.dB, e.F);
        }
}

std::vector<std::string> HeightLines(const NetworkObservations& n, const NetworkHeights& h) {
    static const std::vector<size_t> kWidths{12, 14, 12};
    std::vector<std::string> lines{"------------高程平差------------"};
    for (const std::vector<std::string>& row : NetworkHeightCells(n, h))
        lines.push_back(PaddedRow(row, kWidths));
    lines.push_back(NetworkHeightErrorLine(h));
    return lines;
}

std::vector<std::string> TestLines(const NetworkObservations& n, const NetworkAdjustment& a) {
    static const std::vector<size_t> kWidths{28, 12, 16, 14, 14, 16, 8};
    std::vector<std::string> lines{"------------粗差检验------------"};
    for (std::string& line : NetworkTestsLines(n, a))
        lines.push_back(std::move(line));
    for (const std::vector<std::string>& row : NetworkTestCells(n, a)) // the header first
        lines.push_back(PaddedRow(row, kWidths));
    return lines;
}
} // namespace

std::vector<std::vector<std::string>> NetworkHeightCells(const NetworkObservations& n,
                                                         const NetworkHeights& h) {
    std::vector<std::vector<std::string>> cells{{"点号", "高程(m)", "中误差(mm)"}};
    for (const size_t p : RouteOrder(n)) {
        if (p >= h.heights.size() || std::isnan(h.heights[p])) continue;
        cells.push_back({PointNameText(n, static_cast<int>(p)), FormatFixed(h.heights[p], 3),
                         n.points[p].knownHeight ? "已知" : FormatFixed(h.errors[p], 1)});
    }
    return cells;
}

std::string NetworkHeightErrorLine(const NetworkHeights& h) {
    return "每千米高差中误差 " + FormatFixed(h.errorPerKm, 1) +
           " mm（多余观测数 r = " + std::to_string(h.redundancy) + "）";
}

std::string BuildNetworkReport(const NetworkObservations& n, const NetworkAdjustment& a,
                               const ReportSections& sections, const NetworkContext& context) {
    const Observations none;
    ReportText text(none);
    auto lines = [&text](const std::vector<std::string>& all) {
        for (const std::string& line : all)
            text.TextLine(line);
    };
    if (sections.header) lines(NetworkHeaderLines(n, a.instrument, context));
    if (sections.closures) lines(NetworkClosureLines(n, a, context.grade));
    if (sections.approxCoords) {
        text.Header(str::kApproxCoordTitle);
        text.Header(str::kApproxCoordHeader);
        WriteCoordinates(text, n, a.approximate, false);
    }
    if (sections.adjCoords) {
        text.Header(str::kAdjCoordTitle);
        text.Header(str::kAdjCoordHeader);
        WriteCoordinates(text, n, a.points, true);
    }
    if (sections.adjSides) {
        text.Header(str::kSideTitle);
        text.Header(str::kSideHeader);
        WriteSides(text, n, a);
    }
    if (sections.precision) WritePrecision(text, n, a);
    if (sections.heights && a.heights) lines(HeightLines(n, *a.heights));
    if (sections.tests) lines(TestLines(n, a));
    std::string bytes = text.TakeBytes();
    if (sections.encoding == ReportEncoding::Utf8) return Cp936ToUtf8(bytes);
    return bytes;
}

} // namespace traverse
