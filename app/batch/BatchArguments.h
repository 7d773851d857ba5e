// The command line of the batch tool:
//   traverse-adjust --type TYPE [--start1 [NAME=]X,Y[,H]] [--start2 …] [--end1 …] [--end2 …]
//                   [--known FILE.dat|FILE.csv] [--input-encoding gbk|utf-8]
//                   [--face-tolerance SECONDS] [--refraction K] [--height-grade G]
//                   [--sigma-angle S --sigma-distance A[,B]]
//                   [--sections LIST] [-o REPORT|-] [--encoding gbk|utf-8] [--grade G]
//                   [--json F|-] [--plot F.svg] [--coords F.csv|F.dat] [--sheet F.csv]
//                   [--html F.html] [--quiet]
//                   [--summary=full|line] [--] OBSERVATION_FILE
//   traverse-adjust --type network [--point NAME=X,Y[,H] …] [--known FILE] … FILE…
// Parsing is kept apart from running so that every usage error can be checked alone.
#pragma once

#include "assess/GradeLimits.h"
#include "assess/HeightGrades.h"
#include "model/Records.h"
#include "read/ImportText.h"
#include "read/ObservationReaders.h"
#include "reduce/KnownPoints.h"
#include "write/ResultsReport.h"

#include <optional>
#include <string>
#include <vector>

using namespace traverse;

// The four known points, in the order start 1, start 2, end 1, end 2.
using KnownPoint = KnownPointRole;

// A known point of a network, "--point NAME=X,Y[,H]": the name in UTF-8, as typed.
struct NetworkPointArgument {
    std::string name;
    PlanePoint xy{};
    std::optional<double> height; // m
    std::string text;             // the option's value, for the messages
};

struct BatchArguments {
    int traverseType = 0; // TraverseType 0..3; unused for a network
    bool network = false; // --type network: the files joined into one network
    std::vector<NetworkPointArgument> networkPoints; // --point, any number (network only)
    std::optional<PlanePoint> points[kKnownPointCount];
    std::string pointNames[kKnownPointCount];        // "NAME=" of the option, UTF-8; empty: none
    std::optional<double> heights[kKnownPointCount]; // ",H" of --start1/--end1 (m); none: not given
    std::optional<std::string> knownFile;            // --known: the points the options leave out
    TextEncoding inputEncoding = TextEncoding::Automatic;
    double faceTolerance = kDefaultFaceTolerance; // --face-tolerance, arc seconds (".con")
    std::string project; // --project: the project's name (UTF-8) for the reports; empty: none
    // Report sections; all four unless --sections names others.
    bool header = false; // the report's header and closure sections, on request
    bool closures = false;
    bool approxCoords = true;
    bool adjCoords = true;
    bool adjSides = true;
    bool precision = true;
    bool heightTable = false; // 高程平差, on request (where a known height was given)
    std::optional<std::string>
        reportPath; // -o, "-" standard output; none: UTF-8 to standard output
    std::optional<ReportEncoding> encoding; // --encoding; none: code page 936 to a file
    std::optional<Grade> grade;             // --grade; none: 图根, and no exit status 3
    std::optional<HeightGrade> heightGrade; // --height-grade; none: 图根, and no exit status 3
    double refraction = kDefaultRefraction; // --refraction: k of the trigonometric heights
    // --sigma-angle S and --sigma-distance A[,B]: the weights p = 1/σ² and the global test;
    // none: the classic weights
    std::optional<InstrumentPrecision> instrument;
    bool testsTable = false; // 粗差检验, on request
    std::optional<std::string> jsonPath, plotPath, coordsPath; // "-" standard output (JSON)
    std::optional<std::string> sheetPath;                      // the calculation sheet, .csv
    std::optional<std::string> htmlPath;                       // the HTML report, .html
    bool quiet = false;       // nothing on standard error but refusals
    bool summaryLine = false; // --summary=line: the summary as one tab-separated line
    bool sectionsGiven = false; // --sections was given (a network's report has more by default)
    std::string observationFile;               // the first file given
    std::vector<std::string> observationFiles; // every file given: one, or a network's
};

enum class BatchAction { Run, Help, Version, UsageError };

struct ParsedCommandLine {
    BatchAction action = BatchAction::UsageError;
    BatchArguments arguments; // meaningful for Run
    std::string error;        // UTF-8, one line, for UsageError
};

// args excludes the program name.
ParsedCommandLine ParseBatchArguments(const std::vector<std::string>& args);

// Whether a traverse type uses a known point.
bool TypeUsesPoint(int traverseType, KnownPoint point);

// "--start1" ... "--end2".
const char* PointOption(KnownPoint point);

// "non-oriented", "single", "closed" or "double".
const char* TypeName(int traverseType);

// The usage text printed by --help, UTF-8.
std::string BatchUsageText();
