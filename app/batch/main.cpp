// traverse-adjust: adjusts one traverse from the command line.
#include "BatchArguments.h"
#include "BatchRun.h"

#include "platform/Program.h"
#include "platform/ShownText.h"
#include "platform/StandardStreams.h"
#include "resources/StringTable.h"

#include <cstdio>
#include <string>
#include <vector>

using namespace traverse;

#ifndef TA_VERSION
#define TA_VERSION "0"
#endif

namespace {
// One line on standard error, named after the program; then the status.
int Refuse(const std::string& message, int status, const std::string& next = "") {
    std::string text = std::string(kBatchProgramName) + ": " + ShownText(message) + "\n" + next;
    std::fputs(text.c_str(), stderr);
    return status;
}
} // namespace

int main(int argc, char** argv) {
    if (int error = OpenClosedStandardStreams(); error != 0)
        return Refuse(FormatString(str::kBatchNoDevNull, {ErrorText(error)}), kExitDataRefused);
    ReportFileSizeLimitAsWriteError();
    KeepFreedMemoryForReuse();
    const std::vector<std::string> args = CommandLineArguments(argc, argv);
    ParsedCommandLine parsed = ParseBatchArguments(args);
    switch (parsed.action) {
    case BatchAction::Help:
        std::fputs(BatchUsageText().c_str(), stdout);
        return std::fflush(stdout) == 0 ? kExitReportWritten : kExitDataRefused;
    case BatchAction::Version:
        std::fputs(kBatchProgramName, stdout);
        std::fputs(" " TA_VERSION "\n", stdout);
        return std::fflush(stdout) == 0 ? kExitReportWritten : kExitDataRefused;
    case BatchAction::UsageError:
        return Refuse(parsed.error, kExitUsage,
                      std::string("用法见 ") + kBatchProgramName + " --help\n");
    case BatchAction::Run:
        break;
    }
    // The adjustment prints its own diagnostic ("fail") on the C stream stdout, which
    // the report never uses: that stream now writes to standard error. The descriptors
    // stay where the caller put them, so a report goes only where it was sent.
    SendCStdoutToStderr();
    return RunBatch(parsed.arguments, stderr);
}
