// The batch tool's results beyond the report: the JSON, plot and coordinate files
// asked for on the command line, and the closure summary on standard error.
#pragma once

#include "BatchArguments.h"

#include "results/GradeLimits.h"
#include "results/TraverseResults.h"

#include <cstdio>

class CTraverseAdjustDlg;
class CBatchWindowPort;

// Writes each file as the report is written (never over the observation file); false
// after the message of the first that failed.
bool WriteResultFiles(CTraverseAdjustDlg& dlg, CBatchWindowPort& port, const BatchArguments& a,
                      const TraverseResults& results);

// The closures, 1/K, sigma0 and each check of the grade, one line each, UTF-8.
void WriteClosureSummary(std::FILE* err, const TraverseResults& results, const Grade& grade,
                         const GradeChecks& checks);
