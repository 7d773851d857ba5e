// The report text: section headers from the string table, point names as stored
// (code page 936), numbers in the fixed column formats of the report.
#include "write/ResultsReport.h"

#include "model/NumberText.h"
#include "resources/CodePage936.h"
#include "resources/StringTable.h"
#include "write/HeightsText.h"
#include "write/ObservationTestsText.h"

#include <algorithm>
#include <initializer_list>
#include <string>

namespace traverse {

namespace {

// Formats of the report's columns: "%-8.3lf" for metres, "%-3.2lf" for millimetres
// and seconds.
std::string Metres(double v) { return FormatLeft(v, 8, 3); }
std::string Small(double v) { return FormatLeft(v, 3, 2); }

class ReportText {
public:
    explicit ReportText(const Observations& observations) : m_obs(observations) {}

    // A header text of the string table, converted to code page 936.
    void Header(int id) {
        std::string_view text = LoadString(id);
        auto cp936 = Utf8ToCp936(text);
        m_out += cp936 ? *cp936 : std::string(text);
    }

    // Station name of observation i; empty when the workspace has no such record.
    std::string_view Station(int i) const {
        if (i < 0 || i >= static_cast<int>(m_obs.size())) return {};
        return NameOf(m_obs[static_cast<size_t>(i)].szStation);
    }
    std::string_view Foresight(int i) const {
        if (i < 0 || i >= static_cast<int>(m_obs.size())) return {};
        return NameOf(m_obs[static_cast<size_t>(i)].szForesight);
    }
    // A line of UTF-8 text in code page 936; a character that has no form there (in a
    // file name, say) is written as "?".
    void TextLine(std::string_view utf8) {
        if (auto cp936 = Utf8ToCp936(utf8)) {
            m_out += *cp936;
        } else {
            for (size_t i = 0; i < utf8.size();) {
                size_t n = 1;
                const auto lead = static_cast<unsigned char>(utf8[i]);
                if (lead >= 0xF0)
                    n = 4;
                else if (lead >= 0xE0)
                    n = 3;
                else if (lead >= 0xC0)
                    n = 2;
                n = std::min(n, utf8.size() - i);
                m_out += Utf8ToCp936(utf8.substr(i, n)).value_or("?");
                i += n;
            }
        }
        m_out += '\n';
    }

    std::string_view LastForesight() const { return Foresight(static_cast<int>(m_obs.size()) - 1); }

    // "  %s   %-8.3lf   %-8.3lf \t \n"
    void WideCoordinate(std::string_view name, const PlanePoint& p) {
        Line({"  ", name, "   ", Metres(p.dX), "   ", Metres(p.dY), " \t \n"});
    }
    // "  %s  %-8.3lf   %-8.3lf \t \n"
    void NarrowCoordinate(std::string_view name, const PlanePoint& p) {
        Line({"  ", name, "  ", Metres(p.dX), "   ", Metres(p.dY), " \t \n"});
    }
    // "  %s           %s         %-8.3lf \t \n"
    void Side(std::string_view from, std::string_view to, double length) {
        Line({"  ", from, "           ", to, "         ", Metres(length), " \t \n"});
    }
    // "  %s          %-3.2lf             %-3.2lf              %-3.2lf    \t \n"
    void PointError(std::string_view name, double m, double mx, double my) {
        Line({"  ", name, "          ", Small(m), "             ", Small(mx), "              ",
              Small(my), "    \t \n"});
    }
    // "  %s          %-3.2lf          %-3.2lf          %d        %d      %-3.2lf \n"
    void Ellipse(std::string_view name, double a, double b, const AngleDMS& f) {
        Line({"  ", name, "          ", Small(a), "          ", Small(b), "          ",
              std::to_string(f.nDeg), "        ", std::to_string(f.nMin), "      ", Small(f.dSec),
              " \n"});
    }

    // The text with every line feed written as CR LF, as a text-mode file does.
    std::string Bytes() const {
        std::string bytes;
        bytes.reserve(m_out.size() + m_out.size() / 16);
        size_t from = 0;
        for (size_t lf = m_out.find('\n'); lf != std::string::npos; lf = m_out.find('\n', from)) {
            bytes.append(m_out, from, lf - from).append("\r\n");
            from = lf + 1;
        }
        return bytes.append(m_out, from);
    }

private:
    void Line(std::initializer_list<std::string_view> parts) {
        for (std::string_view p : parts)
            m_out += p;
    }

    const Observations& m_obs;
    std::string m_out;
};

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
    ReportText text(t.observations);
    const bool heights = sections.heights && t.heights;
    const TraverseResults results =
        sections.header || sections.closures || heights || sections.tests ? CollectResults(t)
                                                                          : TraverseResults{};
    if (sections.header)
        for (const std::string& line : ReportHeaderLines(results, context))
            text.TextLine(line);
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
    if (heights)
        for (const std::string& line : HeightTableLines(results))
            text.TextLine(line);
    if (sections.closures) {
        for (const std::string& line : ReportClosureLines(results, context.grade))
            text.TextLine(line);
        for (const std::string& line : HeightSummaryLines(results, context.heightGrade))
            text.TextLine(line);
        for (const std::string& line : TestsSummaryLines(results))
            text.TextLine(line);
    }
    if (sections.tests)
        for (const std::string& line : TestsTableLines(results))
            text.TextLine(line);
    return sections.encoding == ReportEncoding::Utf8 ? Cp936ToUtf8(text.Bytes()) : text.Bytes();
}

} // namespace traverse
