// The report's two sections around the tables: the header (title, observation file,
// traverse type, known points, grade, date and program version) and the closures with
// their limits and the verdict. UTF-8 lines without line ends.
#pragma once

#include "assess/GradeLimits.h"
#include "assess/HeightGrades.h"
#include "write/TraverseResults.h"

#include <string>
#include <vector>

namespace traverse {

// What the report says of its run besides the results.
struct ReportContext {
    std::string observationFile; // as chosen; the report shows its name
    Grade grade = DefaultGrade();
    std::string date;    // "2026-12-07"
    std::string version; // the program's
    std::string project; // 项目名称 (UTF-8) as the user typed it; empty: none
    HeightGrade heightGrade = DefaultHeightGrade(); // the heights' limits, where there are heights
};

// The grade with its limits: "四等（全长相对闭合差 1/35000，方位角闭合差 ±5″√n，导线全长 ≤
// 9000 m，平均边长 ≤ 1500 m）"; a 图根 grade's length with its map scale.
std::string GradeDescription(const Grade& grade);

std::vector<std::string> ReportHeaderLines(const TraverseResults& results,
                                           const ReportContext& context);
// The closure lines with their limits, then the grade's verdict.
std::vector<std::string> ReportClosureLines(const TraverseResults& results, const Grade& grade);

} // namespace traverse
