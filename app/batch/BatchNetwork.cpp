#include "BatchNetwork.h"

#include "BatchKnownPoints.h"
#include "BatchMessages.h"
#include "BatchOutputSet.h"
#include "BatchOutputs.h"
#include "BatchRun.h"

#include "model/NumberText.h"
#include "network/JoinNetwork.h"
#include "network/LineClosures.h"
#include "network/NetworkAdjustment.h"
#include "platform/LocalDate.h"
#include "platform/ShownText.h"
#include "read/ImportText.h"
#include "read/ObservationFile.h"
#include "resources/CodePage936.h"
#include "resources/StringTable.h"
#include "resources/Version.h"
#include "write/CoordinateFiles.h"
#include "write/NetworkHtml.h"
#include "write/NetworkJson.h"
#include "write/NetworkReport.h"
#include "write/NetworkResults.h"
#include "write/ResultsText.h"
#include "write/SvgPlot.h"

#include <algorithm>
#include <cmath>

using namespace traverse;

namespace {
constexpr double kPlotWidth = 800, kPlotHeight = 600; // SVG user units, as a traverse's

// The known points: the file's, then the options' (whose names must be code page 936).
bool KnownPoints(const BatchArguments& a, const CBatchMessages& messages,
                 std::vector<NetworkKnownPoint>& known) {
    std::vector<KnownPointEntry> entries;
    if (a.knownFile && !ReadKnownPointFile(*a.knownFile, messages, entries)) return false;
    for (const KnownPointEntry& e : entries)
        known.push_back({e.name, e.xy, e.height,
                         DisplayName(*a.knownFile) + " 第" + std::to_string(e.line) + "行"});
    for (const NetworkPointArgument& p : a.networkPoints) {
        const auto name = Utf8ToCp936(p.name);
        if (!name || name->size() > static_cast<size_t>(kMaxNameBytes)) {
            messages.Say(kBatchProgramName, FormatString(str::kBatchBadNetworkPoint, {p.text}));
            return false;
        }
        known.push_back({*name, p.xy, p.height, "--point " + p.text});
    }
    return true;
}

// Every file as read; the first's identity kept, so that no output replaces it.
bool ReadFiles(const BatchArguments& a, const CBatchMessages& messages,
               std::vector<NetworkFile>& files, std::optional<FileId>& first) {
    for (const std::string& path : a.observationFiles) {
        ObservationFile file = ReadObservationFile(path, {a.inputEncoding, a.faceTolerance});
        if (file.read.refusal) {
            messages.Refuse(path, *file.read.refusal);
            return false;
        }
        if (files.empty()) first = file.file;
        files.push_back({path, std::move(file.read.observations)});
    }
    return true;
}

ReportSections SectionsOf(const BatchArguments& a) {
    // Without --sections a network's report has its header and closures too.
    const bool all = !a.sectionsGiven;
    return {a.header || all,
            a.approxCoords,
            a.adjCoords,
            a.adjSides,
            a.precision,
            a.closures || all,
            a.encoding.value_or(a.reportPath ? ReportEncoding::Cp936 : ReportEncoding::Utf8),
            a.heightTable || all,
            a.testsTable};
}

bool StageOutputs(const BatchArguments& a, const NetworkObservations& n,
                  const NetworkAdjustment& adjusted, CBatchOutputSet& outputs) {
    const NetworkContext context{a.grade.value_or(DefaultGrade()), LocalDateText(),
                                 ProgramVersion()};
    if (!outputs.Stage(a.reportPath.value_or("-"),
                       BuildNetworkReport(n, adjusted, SectionsOf(a), context)))
        return false;
    if (a.jsonPath && !outputs.Stage(*a.jsonPath, BuildNetworkJson(n, adjusted, context.grade)))
        return false;
    const TraverseResults points = NetworkPointResults(n, adjusted);
    if (a.plotPath && !outputs.Stage(*a.plotPath, WriteSvgPlot(BuildNetworkPlotModel(
                                                      points, NetworkShape(n), kPlotWidth,
                                                      kPlotHeight, NetworkPlotTitle(n)))))
        return false;
    if (a.htmlPath && !outputs.Stage(*a.htmlPath, BuildNetworkHtml(n, adjusted, context)))
        return false;
    if (a.coordsPath) {
        const bool dat = CoordinateFormatOf(*a.coordsPath) == CoordinateFormat::Dat;
        if (!outputs.Stage(*a.coordsPath, dat ? CoordinatesDat(points) : CoordinatesCsv(points)))
            return false;
    }
    return outputs.Commit();
}

std::string FilesText(const BatchArguments& a) {
    std::string text;
    for (const std::string& f : a.observationFiles)
        text += (text.empty() ? "" : "+") + DisplayName(f);
    return text;
}

void WriteAtOnce(std::FILE* err, const std::string& text) {
    std::fwrite(text.data(), 1, text.size(), err);
    std::fflush(err);
}

// The closures' lines after "south.txt+north.txt: " (the files' names), or one
// tab-separated line: the files, "network", the largest |fβ| (″, "-" where no line has
// one), the largest fD (mm), the smallest K, σ0, the grade and the verdict.
void WriteSummary(std::FILE* err, const BatchArguments& a, const NetworkObservations& n,
                  const NetworkAdjustment& adjusted, const Grade& grade) {
    const std::string files = ShownText(FilesText(a));
    if (a.summaryLine) {
        std::optional<double> fb;
        double fd = 0.0;
        std::optional<long long> k;
        for (const LineClosure& l : LineClosures(n, adjusted.points)) {
            if (l.closure.azimuthCondition)
                fb = std::max(fb.value_or(0.0), std::fabs(l.closure.azimuthClosure));
            fd = std::max(fd, l.closure.fd);
            if (l.closure.k) k = std::min(k.value_or(*l.closure.k), *l.closure.k);
        }
        const std::string line = files + "\tnetwork\t" + (fb ? FormatTenth(*fb) : "-") + "\t" +
                                 FormatTenth(fd) + "\t1/" + RelativeClosureText(k) + "\t" +
                                 FormatTenth(adjusted.sigma0) + "\t" + grade.name + "\t" +
                                 VerdictText(NetworkPasses(n, adjusted, grade)) + "\n";
        WriteAtOnce(err, line);
        return;
    }
    std::string text = files + ": " + std::string(LoadString(str::kAdjustDone)) + "\n";
    for (const std::string& line : NetworkClosureLines(n, adjusted, grade))
        if (line.rfind("------", 0) != 0) text += files + ": " + ShownText(line) + "\n";
    WriteAtOnce(err, text);
}
} // namespace

int RunNetworkBatch(const BatchArguments& a, std::FILE* err) {
    if (const int status = CheckOutputs(a, err); status != 0) return status;
    const CBatchMessages messages(err);
    std::vector<NetworkKnownPoint> known;
    if (!KnownPoints(a, messages, known)) return kExitDataRefused;
    std::vector<NetworkFile> files;
    std::optional<FileId> first;
    if (!ReadFiles(a, messages, files, first)) return kExitDataRefused;
    auto joined = JoinNetwork(files, known, a.refraction);
    if (const auto* refused = std::get_if<Refusal>(&joined)) {
        messages.Refuse(kBatchProgramName, *refused);
        return kExitDataRefused;
    }
    const NetworkObservations& network = std::get<NetworkObservations>(joined);
    auto adjusted = AdjustNetwork(network, {a.instrument});
    if (const auto* refused = std::get_if<Refusal>(&adjusted)) {
        messages.Refuse(kBatchProgramName, *refused);
        return kExitDataRefused;
    }
    const NetworkAdjustment& result = std::get<NetworkAdjustment>(adjusted);
    CBatchOutputSet outputs(first, messages);
    if (!StageOutputs(a, network, result, outputs)) return kExitDataRefused;
    const Grade grade = a.grade.value_or(DefaultGrade());
    if (!a.quiet) WriteSummary(err, a, network, result, grade);
    return a.grade && !NetworkPasses(network, result, grade) ? kExitGradeExceeded
                                                             : kExitReportWritten;
}
