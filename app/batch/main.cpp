// traverse-adjust: adjusts one traverse from the command line.
#include "BatchArguments.h"
#include "BatchRun.h"

#include <cstdio>
#include <string>
#include <unistd.h>
#include <vector>

#ifndef TA_VERSION
#define TA_VERSION "0"
#endif

int main(int argc, char** argv) {
    std::vector<std::string> args(argv + 1, argv + argc);
    ParsedCommandLine parsed = ParseBatchArguments(args);
    switch (parsed.action) {
    case BatchAction::Help:
        std::fputs(BatchUsageText().c_str(), stdout);
        return std::fflush(stdout) == 0 ? kExitReportWritten : kExitDataRefused;
    case BatchAction::Version:
        std::fputs(kBatchProgramName, stdout);
        std::fputs(" " TA_VERSION "\n", stdout);
        return std::fflush(stdout) == 0 ? kExitReportWritten : kExitDataRefused;
    case BatchAction::UsageError: {
        std::string text = std::string(kBatchProgramName) + ": " + parsed.error + "\n" + "用法见 " +
                           kBatchProgramName + " --help\n";
        std::fputs(text.c_str(), stderr);
        return kExitUsage;
    }
    case BatchAction::Run:
        break;
    }
    // Standard output carries the report alone: the computation writes its own
    // diagnostics ("fail") to standard output, so that goes to standard error instead
    // and the report to a duplicate of the original.
    std::FILE* report = stdout;
    int reportFd = dup(STDOUT_FILENO);
    if (reportFd >= 0) {
        report = fdopen(reportFd, "wb");
        if (report == nullptr || dup2(STDERR_FILENO, STDOUT_FILENO) < 0) {
            if (report != nullptr)
                std::fclose(report);
            else
                close(reportFd);
            report = stdout;
        }
    }
    int status = RunBatch(parsed.arguments, report, stderr);
    std::fflush(stdout);
    if (report != stdout) std::fclose(report);
    return status;
}
