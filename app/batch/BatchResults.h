// The batch tool's outputs: the report, the JSON, plot and coordinate files asked for
// on the command line, and the closure summary on standard error.
#pragma once

#include "BatchArguments.h"
#include "BatchOutputSet.h"

#include "assess/GradeLimits.h"
#include "assess/HeightGrades.h"
#include "write/TraverseResults.h"

#include <cstdio>

using namespace traverse;

// The report as -o, --sections and --encoding ask, staged in outputs: a file, or
// standard output ("-o -" the file's bytes; without -o UTF-8 unless code page 936 was
// asked for). False after the message naming the path.
bool StageReportAsAsked(const BatchArguments& a, const AdjustedTraverse& traverse,
                        const TraverseResults& results, CBatchOutputSet& outputs);

// The results gathered once for every output: the calculation sheet only where the
// sheet, the JSON or the HTML page is asked for.
TraverseResults ResultsAsNeeded(const BatchArguments& a, const AdjustedTraverse& traverse);

// Stages each result file asked for in outputs; false after the message of the first
// that failed.
bool StageResultFiles(const BatchArguments& a, const TraverseResults& results,
                      CBatchOutputSet& outputs);

// The summary of a run in one write, so that runs in parallel never interleave: the
// message that the adjustment is done, the closures, 1/K, sigma0 and each check of the
// grade, a line each, every line after "FILE: " (UTF-8, shown safely).
// With heights, their lines follow (fh or that nothing checks them, the reciprocal
// differences, μ, the height grade's verdict; or why there are none).
void WriteClosureSummary(std::FILE* err, const std::string& file, const TraverseResults& results,
                         const Grade& grade, const GradeChecks& checks,
                         const HeightGrade& heightGrade);

// The one-line form for collecting runs: FILE, type, f_beta (seconds, "-" without an
// azimuth condition), fD (mm), 1/K, sigma0 (seconds), grade ("图根@1000" with its map
// scale, "自定义(20000:8)" with K and the coefficient) and verdict, tab-separated.
// With heights two fields follow: fh (mm, "-" without a closure) and the height grade
// with its verdict ("图根合格"; "-" where nothing checks the heights).
void WriteSummaryLine(std::FILE* err, const std::string& file, const TraverseResults& results,
                      const Grade& grade, const GradeChecks& checks,
                      const HeightGrade& heightGrade);
