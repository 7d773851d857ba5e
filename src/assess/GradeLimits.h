// Closure limits of the traverse grades (GB 50026 Tables 3.3.1 and 5.2.7): the azimuth
// closure within +-coefficient * sqrt(n) seconds, the relative closure 1/K within
// 1/limit, the traverse's length and mean side within the grade's (metres). For 图根 the
// length is at most alpha * M for the map scale 1:M (alpha = 1). A check informs; it
// never refuses an adjustment.
#pragma once

#include "assess/ClosureStatistics.h"

#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace traverse {

struct Grade {
    std::string name;           // UTF-8: 三等 ... 图根, or 自定义
    double angleCoefficient;    // seconds per sqrt(n)
    long long relativeK;        // the relative closure must be at most 1/relativeK
    double lengthLimit = 0.0;   // m; 0: none
    double meanSideLimit = 0.0; // m; 0: none
    int mapScale = 0;           // 图根: M of the map scale 1:M chosen; 0: none chosen
};

// The map scales a 图根 traverse is held to: 1:500, 1:1000 and 1:2000. Without a chosen
// scale a 图根 traverse is held to the length no scale allows beyond (1:2000).
inline constexpr int kMapScales[] = {500, 1000, 2000};
inline constexpr int kMostMapScale = 2000;
// Whether the grade's length depends on the map scale (图根 and 图根首级).
bool HasMapScale(const Grade& grade);
// The grade held to the map scale 1:m (m one of kMapScales); unchanged for other grades.
Grade WithMapScale(Grade grade, int m);

// 三等, 四等, 一级, 二级, 三级, 图根首级 (图根 as first control, 40″√n) and 图根 (一般, 60″√n,
// the default), in that order.
const std::vector<Grade>& StandardGrades();
// 图根.
const Grade& DefaultGrade();
// Bounds of a grade of one's own: a relative closure beyond 1/10^7 or an azimuth
// coefficient beyond 1000″ is no limit a survey is held to.
constexpr double kMostRelativeK = 1e7;
constexpr double kMostAngleCoefficient = 1000.0;

// A standard grade by name (a 图根 grade with "@M" after its name is held to the map
// scale 1:M, e.g. "图根@1000"), or "K:COEF" (for example "20000:8"): K a whole number from
// 1 to kMostRelativeK, COEF seconds above 0 up to kMostAngleCoefficient. No value for
// anything else.
std::optional<Grade> ParseGrade(std::string_view text);

struct GradeCheck {
    bool applies = false; // the azimuth check only where there is an azimuth condition
    bool pass = true;
    double limit = 0.0; // seconds for the azimuth closure; K for the relative closure
};

struct GradeChecks {
    GradeCheck azimuth, relative;
    GradeCheck length, meanSide; // m; where the grade has the limit
    bool Pass() const { return azimuth.pass && relative.pass && length.pass && meanSide.pass; }
};

GradeChecks CheckGrade(const ClosureStatistics& closure, const Grade& grade);

} // namespace traverse
