#include "results/ResultsText.h"

#include "resources/StringTable.h"
#include "workspace/NumberText.h"

#include <cmath>

std::string FormatTenth(double value) {
    const std::string s = FormatFixed(value, 1);
    return s == "-0.0" ? "0.0" : s;
}

std::string FormatSignedTenth(double value) {
    const std::string s = FormatTenth(value);
    return s[0] == '-' || s == "0.0" ? s : "+" + s;
}

std::string FormatDms(double degrees, int decimals) {
    const double unit = std::pow(10.0, decimals);
    const double units =
        std::round(degrees * 3600.0 * unit); // the angle in units of the last decimal
    const long long whole = static_cast<long long>(units / unit);
    const double seconds = (units - static_cast<double>(whole) * unit) / unit;
    const long long d = whole / 3600, m = whole / 60 % 60, s = whole % 60;
    std::string sec = FormatFixed(static_cast<double>(s) + seconds, decimals);
    if (s < 10) sec.insert(0, "0");
    std::string min = std::to_string(m);
    if (m < 10) min.insert(0, "0");
    return std::to_string(d % 360) + "°" + min + "′" + sec + "″";
}

std::string RelativeClosureText(const std::optional<long long>& k) {
    return k ? std::to_string(*k) : "∞";
}

std::string VerdictText(bool pass) {
    return std::string(LoadString(pass ? str::kGradePass : str::kGradeFail));
}

std::vector<std::string> ClosureSummaryLines(const TraverseResults& results, const Grade& grade,
                                             const GradeChecks& checks) {
    const ClosureStatistics& c = results.closure;
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
    lines.push_back(
        FormatString(str::kSigma0Line, {FormatTenth(c.sigma0), std::to_string(c.redundancy)}));
    if (c.weakest >= 0) {
        const ResultPoint& p = results.points[static_cast<size_t>(c.weakest)];
        lines.push_back(FormatString(str::kWeakestPointLine, {p.name, FormatTenth(p.m)}));
    }
    return lines;
}
