// One batch run: import, adjust and write through the core, as the window does.
#pragma once

#include "BatchArguments.h"

#include <cstdio>

constexpr int kExitReportWritten = 0;
constexpr int kExitDataRefused = 1;
constexpr int kExitUsage = 2;
constexpr int kExitGradeExceeded = 3; // report written, a closure beyond the grade's limit

constexpr const char* kBatchProgramName = "traverse-adjust";

// Writes the report to a.reportPath ("-" standard output), or without one converted to
// UTF-8 to standard output, and the JSON, plot and coordinate files asked for, all or
// none; messages and the closure summary go to err. Returns the exit status.
int RunBatch(const BatchArguments& a, std::FILE* err);
