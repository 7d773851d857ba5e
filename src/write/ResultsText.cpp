#include "write/ResultsText.h"

#include "model/FixedDecimal.h"
#include "model/NumberText.h"
#include "reduce/KnownPoints.h"
#include "resources/StringTable.h"

#include <algorithm>
#include <charconv>
#include <cmath>
#include <string_view>

namespace traverse {

const std::vector<std::string>& CoordinateTableHeaders() {
    static const std::vector<std::string> kHeaders = {"点名",   "X(m)",  "Y(m)",  "M(mm)", "Mx(mm)",
                                                      "My(mm)", "A(mm)", "B(mm)", "F",     "点类"};
    return kHeaders;
}

std::vector<std::string> CoordinateTableRow(const ResultPoint& p) {
    std::vector<std::string> cells;
    cells.reserve(CoordinateTableHeaders().size());
    cells.push_back(p.name);
    cells.push_back(FormatFixed(p.xy.dX, 3));
    cells.push_back(FormatFixed(p.xy.dY, 3));
    if (p.known) {
        cells.resize(CoordinateTableHeaders().size() - 1);
        cells.push_back("已知点");
        return cells;
    }
    for (double mm : {p.m, p.mx, p.my, p.a, p.b})
        cells.push_back(FormatFixed(mm, 2));
    cells.push_back(FormatDms(p.f, 2));
    cells.push_back("待定点");
    return cells;
}

const std::vector<std::string>& HeightTableHeaders() {
    static const std::vector<std::string> kHeaders = {"H(m)", "mH(mm)"};
    return kHeaders;
}

std::vector<std::string> HeightTableRow(const ResultPoint& p) {
    return {p.h ? FormatFixed(*p.h, 3) : "", p.mh ? FormatFixed(*p.mh, 1) : ""};
}

std::string CoordinateTableText(const TraverseResults& results, std::string_view lineEnd) {
    auto line = [&](const std::vector<std::string>& cells) {
        std::string text;
        for (const std::string& c : cells)
            text += (text.empty() ? "" : "\t") + c;
        return text + std::string(lineEnd);
    };
    std::string text = line(CoordinateTableHeaders());
    for (const ResultPoint& p : results.points)
        text += line(CoordinateTableRow(p));
    return text;
}

std::string FormatDms(double degrees, int decimals) {
    constexpr double kUnits[] = {1, 10, 100, 1000, 10000, 100000, 1000000, 10000000, 100000000,
                                 1000000000};
    const double unit = decimals >= 0 && decimals <= 9 ? kUnits[decimals] : std::pow(10.0, decimals);
    const double units =
        std::round(degrees * 3600.0 * unit); // the angle in units of the last decimal
    const long long whole = static_cast<long long>(units / unit);
    const double seconds = (units - static_cast<double>(whole) * unit) / unit;
    const long long d = whole / 3600, m = whole / 60 % 60, s = whole % 60;
    constexpr std::string_view kDegree = "°", kMinute = "′", kSecond = "″";
    char text[kMaxFixedChars + 64];
    char* end = std::to_chars(text, text + 24, d % 360).ptr;
    end = std::copy(kDegree.begin(), kDegree.end(), end);
    if (m < 10) *end++ = '0';
    end = std::to_chars(end, end + 24, m).ptr;
    end = std::copy(kMinute.begin(), kMinute.end(), end);
    if (s < 10) *end++ = '0';
    end = WriteFixed(end, static_cast<double>(s) + seconds, decimals);
    end = std::copy(kSecond.begin(), kSecond.end(), end);
    return std::string(text, end);
}

std::string RelativeClosureText(const std::optional<long long>& k) {
    return k ? std::to_string(*k) : "∞";
}

std::string VerdictText(bool pass) {
    return std::string(LoadString(pass ? str::kGradePass : str::kGradeFail));
}

std::vector<KnownPointText> KnownPointTexts(const TraverseResults& results) {
    std::vector<KnownPointText> texts;
    for (const KnownPointEcho& k : results.knownPoints) {
        int role = 0;
        while (role < kKnownPointCount && std::string_view(RoleKey(role)) != k.role)
            ++role;
        texts.push_back(
            {std::string(RoleHeading(results.traverseType, role)) + " " + k.name,
             "X = " + FormatFixed(k.xy.dX, 3) + " m，Y = " + FormatFixed(k.xy.dY, 3) + " m"});
    }
    return texts;
}

std::string MapScaleNote(const Grade& grade) {
    if (!HasMapScale(grade)) return {};
    if (grade.mapScale == 0)
        return "（未选测图比例尺，按 1:" + std::to_string(kMostMapScale) + "）";
    return "（测图比例尺 1:" + std::to_string(grade.mapScale) + "）";
}

std::vector<std::string> LengthLines(const ClosureStatistics& c, const Grade& grade,
                                     const GradeChecks& checks) {
    std::vector<std::string> lines;
    if (checks.length.applies)
        lines.push_back(FormatString(str::kLengthLine,
                                     {FormatFixed(c.length, 3), FormatShortest(checks.length.limit),
                                      MapScaleNote(grade), VerdictText(checks.length.pass)}));
    if (checks.meanSide.applies)
        lines.push_back(FormatString(str::kMeanSideLine, {FormatFixed(c.length / c.sideCount, 3),
                                                          FormatShortest(checks.meanSide.limit),
                                                          VerdictText(checks.meanSide.pass)}));
    return lines;
}

std::vector<std::string> ClosureCheckLines(const ClosureStatistics& c, const Grade& grade,
                                           const GradeChecks& checks) {
    const std::string n = std::to_string(c.angleCount);
    std::vector<std::string> lines;
    if (checks.azimuth.applies)
        lines.push_back(FormatString(
            str::kAzimuthClosureLine,
            {FormatSignedTenth(c.azimuthClosure), FormatTenth(checks.azimuth.limit),
             FormatShortest(grade.angleCoefficient), n, VerdictText(checks.azimuth.pass)}));
    else
        lines.push_back(FormatString(str::kNoAzimuthConditionLine, {n}));
    lines.push_back(
        FormatString(str::kCoordinateClosureLine, {FormatSignedTenth(c.fx), FormatSignedTenth(c.fy),
                                                   FormatTenth(c.fd), FormatFixed(c.length, 3)}));
    lines.push_back(FormatString(str::kRelativeClosureLine,
                                 {RelativeClosureText(c.k), std::to_string(grade.relativeK),
                                  VerdictText(checks.relative.pass)}));
    return lines;
}

std::vector<std::string> ClosureSummaryLines(const TraverseResults& results, const Grade& grade,
                                             const GradeChecks& checks) {
    const ClosureStatistics& c = results.closure;
    std::vector<std::string> lines = ClosureCheckLines(c, grade, checks);
    for (std::string& line : LengthLines(c, grade, checks))
        lines.push_back(std::move(line));
    lines.push_back(
        results.instrument
            ? FormatString(str::kSigma0PrioriLine,
                           {FormatFixed(c.sigma0, 2), std::to_string(c.redundancy)})
            : FormatString(str::kSigma0Line, {FormatTenth(c.sigma0), std::to_string(c.redundancy)}));
    if (c.weakest >= 0) {
        const ResultPoint& p = results.points[static_cast<size_t>(c.weakest)];
        lines.push_back(FormatString(str::kWeakestPointLine, {p.name, FormatTenth(p.m)}));
    }
    lines.push_back(
        FormatString(str::kBatchGradeVerdict, {grade.name, VerdictText(checks.Pass())}));
    return lines;
}

std::string PaddedRow(const std::vector<std::string>& cells, const std::vector<size_t>& widths) {
    std::string line = "  ";
    for (size_t i = 0; i < cells.size(); ++i) {
        line += cells[i];
        size_t width = 0;
        for (unsigned char c : cells[i])
            width += c < 0x80 ? 1 : (c >= 0xC0 ? 2 : 0);
        const size_t column = i < widths.size() ? widths[i] : 0;
        if (i + 1 < cells.size()) line += std::string(width < column ? column - width : 1, ' ');
    }
    return line;
}

} // namespace traverse
