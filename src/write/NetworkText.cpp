#include "write/NetworkText.h"

#include "model/NumberText.h"
#include "network/DuplicateObservations.h"
#include "read/ImportText.h"
#include "resources/CodePage936.h"
#include "resources/StringTable.h"
#include "write/ReportSummary.h"
#include "write/ResultsText.h"

namespace traverse {

namespace {
std::string Metres(double v) { return FormatFixed(v, 3); }

std::string KnownPointLine(const NetworkPoint& p) {
    std::string line = "已知点 " + Cp936ToUtf8(p.name) + "：X = " + Metres(p.known->dX) +
                       " m，Y = " + Metres(p.known->dY) + " m";
    if (p.knownHeight) line += "，H = " + Metres(*p.knownHeight) + " m";
    return line;
}

std::vector<std::string> LineLines(const NetworkObservations& n, size_t index,
                                   const LineClosure& line, const Grade& grade) {
    const NetworkLine& l = n.lines[index];
    const ClosureStatistics& c = line.closure;
    const GradeChecks checks = CheckLine(line, grade);
    std::vector<std::string> lines{"导线节 " + std::to_string(index + 1) + "（" +
                                   DisplayName(n.files[static_cast<size_t>(l.file)]) + "）：" +
                                   LinePointsText(n, l)};
    for (std::string& text : ClosureCheckLines(c, grade, checks))
        lines.push_back(std::move(text));
    Grade held = grade;
    if (line.endsAtJunction) held.lengthLimit *= kJunctionLengthFactor;
    for (std::string& text : LengthLines(c, held, checks)) {
        if (line.endsAtJunction && checks.length.applies && text.find("ΣD") != std::string::npos)
            text += LoadString(str::kNetworkJunctionLimit);
        lines.push_back(std::move(text));
    }
    return lines;
}

} // namespace

std::vector<LineClosure> NetworkLineClosures(const NetworkObservations& n,
                                             const NetworkAdjustment& a) {
    return LineClosures(n, a.points.size() == n.points.size() ? a.points : a.approximate);
}

std::string NetworkSigma0Line(const NetworkAdjustment& a) {
    return a.instrument ? FormatString(str::kSigma0PrioriLine,
                                       {FormatFixed(a.sigma0, 2), std::to_string(a.redundancy)})
                        : FormatString(str::kSigma0Line,
                                       {FormatTenth(a.sigma0), std::to_string(a.redundancy)});
}

std::string PointNameText(const NetworkObservations& n, int point) {
    if (point < 0 || point >= static_cast<int>(n.points.size())) return {};
    return Cp936ToUtf8(n.points[static_cast<size_t>(point)].name);
}

std::string LinePointsText(const NetworkObservations& n, const NetworkLine& line) {
    std::string text;
    for (const int p : line.points)
        text += (text.empty() ? "" : "–") + PointNameText(n, p);
    return text;
}

std::vector<std::string> NetworkHeaderLines(const NetworkObservations& n,
                                            const std::optional<InstrumentPrecision>& instrument,
                                            const NetworkContext& context) {
    std::string files;
    for (const std::string& f : n.files)
        files += (files.empty() ? "" : "、") + DisplayName(f);
    std::vector<std::string> lines{"导线网平差成果", "观测文件：" + files};
    for (const NetworkPoint& p : n.points)
        if (p.known) lines.push_back(KnownPointLine(p));
    std::string junctions;
    for (const int j : n.junctions)
        junctions += (junctions.empty() ? "" : "、") + PointNameText(n, j);
    lines.push_back("结点：" + (junctions.empty() ? std::string("无") : junctions));
    lines.push_back(FormatString(str::kNetworkHeader,
                                 {std::to_string(n.lines.size()), std::to_string(n.angles.size()),
                                  std::to_string(n.distances.size())}));
    lines.push_back("等级：" + GradeDescription(context.grade));
    lines.push_back("观测值的权：" + WeightsText(instrument));
    lines.push_back("日期：" + context.date + "　程序版本：" + context.version);
    return lines;
}

std::vector<std::string> NetworkClosureLines(const NetworkObservations& n,
                                             const NetworkAdjustment& a, const Grade& grade) {
    std::vector<std::string> lines{"------------闭合差与精度------------"};
    const std::vector<LineClosure> closures = NetworkLineClosures(n, a);
    for (size_t i = 0; i < closures.size(); ++i)
        for (std::string& line : LineLines(n, i, closures[i], grade))
            lines.push_back(std::move(line));
    lines.push_back(NetworkSigma0Line(a));
    for (const DuplicateObservation& d : DuplicateObservations(n, a.instrument))
        lines.push_back(DuplicateLine(n, d));
    lines.push_back(FormatString(str::kBatchGradeVerdict,
                                 {grade.name, VerdictText(NetworkPasses(n, a, grade))}));
    return lines;
}

bool NetworkPasses(const NetworkObservations& n, const NetworkAdjustment& a, const Grade& grade) {
    for (const LineClosure& line : NetworkLineClosures(n, a))
        if (!CheckLine(line, grade).Pass()) return false;
    return true;
}

ObservationNamer NetworkObservationNamer(const NetworkObservations& n) {
    return [&n](const ObservationTest& t) -> std::string {
        const auto k = static_cast<size_t>(t.record);
        if (t.kind == ObservationKind::kAngle) {
            if (k >= n.angles.size()) return "第 " + std::to_string(k + 1) + " 个水平角";
            const NetworkAngle& a = n.angles[k];
            return "水平角 " + PointNameText(n, a.backsight) + "–" + PointNameText(n, a.station) +
                   "–" + PointNameText(n, a.foresight);
        }
        if (k >= n.distances.size()) return "第 " + std::to_string(k + 1) + " 条边";
        const NetworkDistance& d = n.distances[k];
        return "边 " + PointNameText(n, d.from) + "–" + PointNameText(n, d.to);
    };
}

} // namespace traverse
