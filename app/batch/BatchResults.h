// The batch tool's outputs: the report, the JSON, plot and coordinate files asked for
// on the command line, and the closure summary on standard error.
#pragma once

#include "BatchArguments.h"
#include "BatchMessages.h"

#include "assess/GradeLimits.h"
#include "platform/ReplaceFile.h"
#include "write/TraverseResults.h"

#include <cstdio>
#include <optional>

// Writes bytes to the path given ("-" standard output) as the report is written, never
// over the file keep; false after the message naming the path (the program's name for
// "-") and why.
bool WriteOutput(const std::string& given, const std::string& bytes,
                 const std::optional<FileId>& keep, const CBatchMessages& messages);

// The report as -o, --sections and --encoding ask: a file, or standard output ("-o -"
// the file's bytes; without -o UTF-8 unless code page 936 was asked for).
bool WriteReportAsAsked(const BatchArguments& a, const AdjustedTraverse& traverse,
                        const std::optional<FileId>& keep, const CBatchMessages& messages);

// Writes each result file as the report is written; false after the message of the
// first that failed.
bool WriteResultFiles(const BatchArguments& a, const TraverseResults& results,
                      const std::optional<FileId>& keep, const CBatchMessages& messages);

// The summary of a run in one write, so that runs in parallel never interleave: the
// message that the adjustment is done, the closures, 1/K, sigma0 and each check of the
// grade, a line each, every line after "FILE: " (UTF-8, shown safely).
void WriteClosureSummary(std::FILE* err, const std::string& file, const TraverseResults& results,
                         const Grade& grade, const GradeChecks& checks);

// The one-line form for collecting runs: FILE, type, f_beta (seconds, "-" without an
// azimuth condition), fD (mm), 1/K, sigma0 (seconds), grade and verdict, tab-separated.
void WriteSummaryLine(std::FILE* err, const std::string& file, const TraverseResults& results,
                      const Grade& grade, const GradeChecks& checks);
