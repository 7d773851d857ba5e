// One batch run, step by step through the core: the outputs checked, the known-point
// file and the observation file read, the known points checked, the traverse adjusted,
// then the report and the result files staged and put in place together, and the
// summary written.
#include "BatchRun.h"

#include "BatchKnownPoints.h"
#include "BatchMessages.h"
#include "BatchNetwork.h"
#include "BatchOutputs.h"
#include "BatchResults.h"

#include "read/ObservationFile.h"
#include "reduce/TraverseShape.h"
#include "resources/StringTable.h"
#include "write/HeightsText.h"

using namespace traverse;

namespace {
// The observations as read; none after the message naming the file.
std::optional<ObservationFile> Import(const BatchArguments& a, const CBatchMessages& messages) {
    ObservationFile file =
        ReadObservationFile(a.observationFile, {a.inputEncoding, a.faceTolerance});
    if (file.read.refusal) {
        messages.Refuse(a.observationFile, *file.read.refusal);
        return std::nullopt;
    }
    return file;
}

// The traverse adjusted from the known points the run was given; none after the message.
std::optional<AdjustedTraverse> Adjusted(const BatchArguments& a, const ReadResult& read,
                                         const std::vector<KnownPointEntry>& known,
                                         const CBatchMessages& messages) {
    const Observations& observations = read.observations;
    const auto type = static_cast<TraverseType>(a.traverseType);
    // A file that cannot be the type is said before any known point is asked for.
    if (const auto refused = CheckShape(type, observations)) {
        messages.Refuse(a.observationFile, *refused);
        return std::nullopt;
    }
    TypedKnownPoint points[kKnownPointCount];
    if (!ResolveKnownPoints(a, observations, known, messages, points)) return std::nullopt;
    if (const auto fault = CheckKnownPoints(a.traverseType, points, observations)) {
        messages.Refuse(a.observationFile, fault->refusal);
        return std::nullopt;
    }
    auto adjusted =
        AdjustTraverse(type, observations, CoordinatesOf(points), a.refraction, a.instrument);
    if (const auto* refused = std::get_if<Refusal>(&adjusted)) {
        messages.Refuse(a.observationFile, *refused);
        return std::nullopt;
    }
    return std::get<AdjustedTraverse>(std::move(adjusted));
}
// Heights asked for (a known height given) that could not be computed; a file without
// zenith angles is adjusted in plane only, as said, and is no refusal.
bool HeightsRefused(const TraverseResults& r) {
    return r.heights && r.heights->refused && r.heights->refused->messageId != str::kNoZenithAngles;
}
} // namespace

int RunBatch(const BatchArguments& a, std::FILE* err) {
    if (a.network) return RunNetworkBatch(a, err);
    if (const int status = CheckOutputs(a, err); status != 0) return status;
    const CBatchMessages messages(err);
    std::vector<KnownPointEntry> known;
    if (a.knownFile && !ReadKnownPointFile(*a.knownFile, messages, known)) return kExitDataRefused;
    const auto file = Import(a, messages);
    if (!file) return kExitDataRefused;
    const auto traverse = Adjusted(a, file->read, known, messages);
    if (!traverse) return kExitDataRefused;

    // Every output made ready before any is put in place: they stand or fall together.
    CBatchOutputSet outputs(file->file, messages);
    const TraverseResults results = ResultsAsNeeded(a, *traverse);
    if (!StageReportAsAsked(a, *traverse, results, outputs)) return kExitDataRefused;
    if (!StageResultFiles(a, results, outputs) || !outputs.Commit()) return kExitDataRefused;
    const Grade grade = a.grade.value_or(DefaultGrade());
    const HeightGrade heightGrade = a.heightGrade.value_or(DefaultHeightGrade());
    const GradeChecks checks = CheckGrade(results.closure, grade);
    if (!a.quiet && a.summaryLine)
        WriteSummaryLine(err, a.observationFile, results, grade, checks, heightGrade);
    else if (!a.quiet)
        WriteClosureSummary(err, a.observationFile, results, grade, checks, heightGrade);
    if (HeightsRefused(results)) {
        if (a.quiet || a.summaryLine) messages.Refuse(a.observationFile, *results.heights->refused);
        return kExitDataRefused; // the plane's results are written all the same
    }
    const bool exceeded = !checks.Pass() || HeightsExceed(results, heightGrade);
    return (a.grade || a.heightGrade) && exceeded ? kExitGradeExceeded : kExitReportWritten;
}
