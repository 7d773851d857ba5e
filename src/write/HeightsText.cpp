#include "write/HeightsText.h"

#include "model/NumberText.h"
#include "resources/StringTable.h"
#include "write/ResultsText.h"

#include <cmath>

namespace traverse {

namespace {
std::string Mm(double v) { return FormatSignedTenth(v); }

std::string Row(const std::vector<std::string>& cells) {
    static const std::vector<size_t> kWidths{12, 14, 12, 14, 14, 12};
    return PaddedRow(cells, kWidths);
}
} // namespace

HeightChecks CheckResultHeights(const ResultHeights& h, const HeightGrade& grade) {
    std::vector<ReciprocalDifference> reciprocal;
    for (size_t k = 0; k < h.sides.size(); ++k)
        if (h.sides[k].reciprocal)
            reciprocal.push_back(
                {static_cast<int>(k), h.sides[k].distance, *h.sides[k].reciprocal});
    if (!h.Computed()) return {};
    return CheckHeightGrade(h.closure ? std::optional<double>(h.fh) : std::nullopt, h.length,
                            reciprocal, grade);
}

std::vector<std::vector<std::string>> HeightTableCells(const TraverseResults& r) {
    if (!r.heights || !r.heights->Computed()) return {};
    const ResultHeights& h = *r.heights;
    std::vector<std::vector<std::string>> table{
        {"点号", "高差观测值\\m", "改正数\\mm", "平差后高差\\m", "高程\\m", "高程中误差\\mm"}};
    const size_t rows = h.sides.size() + 1;
    for (size_t i = 0; i < rows; ++i) {
        // A closed loop's return to its start is the first point again.
        const ResultPoint& p = r.points[i < r.points.size() ? i : 0];
        std::vector<std::string> cells(6);
        cells[0] = p.name;
        if (i > 0) {
            const ResultHeightSide& s = h.sides[i - 1];
            cells[1] = FormatFixed(s.observed, 3);
            cells[2] = Mm(s.correction);
            cells[3] = FormatFixed(s.adjusted, 3);
        }
        if (p.h) cells[4] = FormatFixed(*p.h, 3);
        if (p.mh) cells[5] = FormatTenth(*p.mh);
        if (p.heightKnown) cells[5] = "已知";
        table.push_back(cells);
    }
    return table;
}

std::string RefractionLine(const ResultHeights& h) {
    return "大气折光系数 k = " + FormatShortest(h.refraction) +
           "，地球半径 R = 6371000 m；高差 h = S·cosZ + (1 - k)·D·D/(2R) + i - v";
}

std::vector<std::string> HeightTableLines(const TraverseResults& r) {
    if (!r.heights) return {};
    const ResultHeights& h = *r.heights;
    std::vector<std::string> lines = {"------------高程平差------------"};
    if (!h.Computed()) {
        lines.push_back(FormatString(str::kHeightsRefused, {MessageText(*h.refused)}));
        return lines;
    }
    for (const std::vector<std::string>& cells : HeightTableCells(r))
        lines.push_back(Row(cells));
    lines.push_back(RefractionLine(h));
    return lines;
}

std::vector<std::string> HeightSummaryLines(const TraverseResults& r, const HeightGrade& grade) {
    if (!r.heights) return {};
    const ResultHeights& h = *r.heights;
    if (!h.Computed()) return {FormatString(str::kHeightsRefused, {MessageText(*h.refused)})};
    const HeightChecks checks = CheckResultHeights(h, grade);
    std::vector<std::string> lines;
    if (checks.closure.applies)
        lines.push_back(FormatString(
            str::kHeightClosureLine,
            {Mm(h.fh), FormatTenth(checks.closure.limit), FormatShortest(grade.closureCoefficient),
             FormatFixed(h.length / 1000.0, 3), VerdictText(checks.closure.pass)}));
    else
        lines.push_back(FormatString(str::kNoHeightCheckLine, {h.carriedFrom}));
    if (checks.reciprocal.applies) {
        const ResultHeightSide& s = h.sides[static_cast<size_t>(checks.worstSide)];
        lines.push_back(FormatString(str::kReciprocalLine,
                                     {std::to_string(checks.reciprocalSides), Mm(checks.worst),
                                      s.from + "—" + s.to, FormatTenth(checks.reciprocal.limit),
                                      FormatShortest(grade.reciprocalCoefficient),
                                      VerdictText(checks.reciprocal.pass)}));
    }
    if (h.closure && h.weakest >= 0) {
        const ResultPoint& p = r.points[static_cast<size_t>(h.weakest)];
        lines.push_back(FormatString(str::kHeightErrorLine,
                                     {FormatTenth(h.errorPerKm), p.name, FormatTenth(*p.mh)}));
    }
    if (checks.closure.applies || checks.reciprocal.applies)
        lines.push_back(
            FormatString(str::kHeightGradeVerdict, {grade.name, VerdictText(checks.Pass())}));
    return lines;
}

bool HeightsExceed(const TraverseResults& r, const HeightGrade& grade) {
    return r.heights && r.heights->Computed() && !CheckResultHeights(*r.heights, grade).Pass();
}

} // namespace traverse
