#include "BatchOutputs.h"

#include "BatchRun.h"

#include "platform/OutputTargets.h"
#include "platform/ShownText.h"
#include "platform/StandardStreams.h"
#include "resources/StringTable.h"
#include "write/ResultsReport.h"

#include <vector>

using namespace traverse;

namespace {
struct Output {
    std::string option; // as the messages name it
    std::string path;   // as given
    OutputTarget target;
};

std::vector<Output> OutputsOf(const BatchArguments& a) {
    std::vector<Output> outputs;
    auto add = [&](const std::string& option, const std::optional<std::string>& path) {
        if (path) outputs.push_back({option, *path, IdentifyOutput(OutputPath(*path))});
    };
    add(a.reportPath ? "-o" : "报告（未给出 -o）", a.reportPath.value_or("-"));
    add("--json", a.jsonPath);
    add("--plot", a.plotPath);
    add("--coords", a.coordsPath);
    add("--sheet", a.sheetPath);
    add("--html", a.htmlPath);
    return outputs;
}

int Say(std::FILE* err, const std::string& prefix, const std::string& text, int status) {
    const std::string line = ShownText(prefix) + ": " + ShownText(text) + "\n";
    std::fputs(line.c_str(), err);
    std::fflush(err);
    return status;
}

int CheckPairs(const std::vector<Output>& outputs, std::FILE* err) {
    for (size_t i = 0; i < outputs.size(); ++i)
        for (size_t k = i + 1; k < outputs.size(); ++k) {
            const Output &a = outputs[i], &b = outputs[k];
            if (!a.target.SameAs(b.target)) continue;
            const std::string text =
                a.target.kind == OutputTarget::Kind::Stream
                    ? FormatString(str::kBatchTwoOnStandardOutput, {a.option, b.option})
                    : FormatString(str::kBatchSameOutput, {a.option, b.option, b.path});
            return Say(err, kBatchProgramName, text, kExitUsage);
        }
    return 0;
}

int CheckInputs(const BatchArguments& a, const std::vector<Output>& outputs, std::FILE* err) {
    std::vector<FileId> inputs;
    std::vector<std::string> paths = a.observationFiles;
    if (paths.empty()) paths.push_back(a.observationFile);
    const size_t observationFiles = paths.size();
    if (a.knownFile) paths.push_back(*a.knownFile);
    for (size_t i = 0; i < paths.size(); ++i) {
        const auto id = IdentifyFile(paths[i]);
        if (!id) continue;
        // One observation file given twice would count its observations twice.
        for (const FileId& earlier : inputs)
            if (i < observationFiles && earlier.device == id->device && earlier.inode == id->inode)
                return Say(err, kBatchProgramName,
                           FormatString(str::kBatchFileTwice, {paths[i]}), kExitUsage);
        inputs.push_back(*id);
    }
    for (const Output& o : outputs)
        for (const FileId& input : inputs)
            if (o.target.Reaches(input))
                return Say(err, kBatchProgramName,
                           FormatString(str::kBatchOutputIsInput, {o.option, OutputPath(o.path)}),
                           kExitUsage);
    return 0;
}
} // namespace

std::string OutputPath(const std::string& given) {
    return given == "-" ? kStandardOutputPath : given;
}

int CheckOutputs(const BatchArguments& a, std::FILE* err) {
    const std::vector<Output> outputs = OutputsOf(a);
    if (const int status = CheckPairs(outputs, err); status != 0) return status;
    if (const int status = CheckInputs(a, outputs, err); status != 0) return status;
    for (const Output& o : outputs) {
        const std::string path = OutputPath(o.path);
        const WriteResult result = CheckWriteTarget(path);
        if (result.status == WriteStatus::Written) continue;
        const bool stream = o.target.kind == OutputTarget::Kind::Stream;
        return Say(err, stream ? kBatchProgramName : path, MessageText(*WriteFailure(result, path)),
                   kExitDataRefused);
    }
    return 0;
}
