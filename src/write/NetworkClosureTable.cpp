#include "write/NetworkClosureTable.h"

#include "model/NumberText.h"
#include "network/DuplicateObservations.h"
#include "network/LineClosures.h"
#include "write/NetworkText.h"
#include "write/ResultsText.h"

namespace traverse {

namespace {
CheckedCell Checked(const GradeCheck& check, std::string text) {
    if (!check.applies) return {"—", std::nullopt};
    return {std::move(text), check.pass};
}

// fβ and its limit with the count of angles it is held to.
void AzimuthCells(std::vector<CheckedCell>& row, const ClosureStatistics& c,
                  const GradeCheck& check) {
    row.push_back(Checked(check, FormatSignedTenth(c.azimuthClosure)));
    row.push_back(Checked(check, "±" + FormatTenth(check.limit) +
                                     "（n = " + std::to_string(c.angleCount) + "）"));
}

// ΣD with its limit, 1/K with its, the mean side with its.
void LengthCells(std::vector<CheckedCell>& row, const LineClosure& line, const Grade& grade,
                 const GradeChecks& checks) {
    const ClosureStatistics& c = line.closure;
    row.push_back({FormatFixed(c.length, 3),
                   checks.length.applies ? std::optional<bool>(checks.length.pass) : std::nullopt});
    std::string limit = FormatShortest(checks.length.limit);
    if (line.endsAtJunction)
        limit += "（" + FormatShortest(grade.lengthLimit) + "×" +
                 FormatShortest(kJunctionLengthFactor) + "）";
    row.push_back(Checked(checks.length, limit));
    row.push_back({"1/" + RelativeClosureText(c.k), checks.relative.pass});
    row.push_back({"1/" + std::to_string(static_cast<long long>(checks.relative.limit)),
                   checks.relative.pass});
    if (!checks.meanSide.applies) {
        row.insert(row.end(), 2, CheckedCell{});
        return;
    }
    row.push_back({FormatFixed(c.length / c.sideCount, 3), checks.meanSide.pass});
    row.push_back({FormatShortest(checks.meanSide.limit), checks.meanSide.pass});
}

std::vector<CheckedCell> LineRow(const NetworkObservations& n, const NetworkLine& l,
                                 const LineClosure& line, const Grade& grade,
                                 const GradeChecks& checks) {
    const ClosureStatistics& c = line.closure;
    std::vector<CheckedCell> row{{LinePointsText(n, l), std::nullopt},
                                 {VerdictText(checks.Pass()), checks.Pass()}};
    AzimuthCells(row, c, checks.azimuth);
    for (const double mm : {c.fx, c.fy})
        row.push_back({FormatSignedTenth(mm), std::nullopt});
    row.push_back({FormatTenth(c.fd), std::nullopt});
    LengthCells(row, line, grade, checks);
    return row;
}

// Where the length limits come from, why a line has no fβ, the observations measured twice.
std::vector<std::string> Notes(const NetworkObservations& n, const NetworkAdjustment& a,
                               const Grade& grade, bool junction, bool noAzimuth) {
    std::vector<std::string> notes;
    if (grade.lengthLimit > 0)
        notes.push_back(
            "ΣD限差：按等级 " + FormatShortest(grade.lengthLimit) + " m" + MapScaleNote(grade) +
            (junction ? "；附合于结点的导线节按其 " + FormatShortest(kJunctionLengthFactor) + " 倍"
                      : std::string()));
    if (noAzimuth) notes.emplace_back("fβ 为“—”：导线节未附合于两端的已知方向，无方位角闭合条件");
    for (const DuplicateObservation& d : DuplicateObservations(n, a.instrument))
        notes.push_back(DuplicateLine(n, d));
    return notes;
}
} // namespace

const std::vector<std::string>& NetworkClosureHeaders() {
    static const std::vector<std::string> headers{
        "导线节", "结论",      "fβ(″)", "fβ限差(″)", "fx(mm)",      "fy(mm)",         "fD(mm)",
        "ΣD(m)",  "ΣD限差(m)", "1/K",   "1/K限差",   "平均边长(m)", "平均边长限差(m)"};
    return headers;
}

NetworkClosureTable BuildNetworkClosureTable(const NetworkObservations& n,
                                             const NetworkAdjustment& a, const Grade& grade) {
    NetworkClosureTable table;
    const std::vector<LineClosure> closures = NetworkLineClosures(n, a);
    bool junction = false, noAzimuth = false;
    for (size_t i = 0; i < closures.size() && i < n.lines.size(); ++i) {
        const GradeChecks checks = CheckLine(closures[i], grade);
        table.rows.push_back(LineRow(n, n.lines[i], closures[i], grade, checks));
        table.pass = table.pass && checks.Pass();
        junction = junction || (closures[i].endsAtJunction && checks.length.applies);
        noAzimuth = noAzimuth || !checks.azimuth.applies;
    }
    table.sigma0 = NetworkSigma0Line(a);
    table.notes = Notes(n, a, grade, junction, noAzimuth);
    return table;
}

} // namespace traverse
