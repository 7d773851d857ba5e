// Limits of the trigonometric height grades (电磁波测距三角高程, GB 50026): the closure of
// an annexed line or a loop within ±c·√L mm (L = ΣD in km) and each side's reciprocal
// difference (对向观测高差较差) within ±c′·√D mm (D in km): 四等 20 and 40, 五等 30 and 60,
// 图根 40 and 80. A check informs; only a closure over 1 m refuses the heights.
#pragma once

#include "adjust/HeightAdjustment.h"
#include "assess/GradeLimits.h"

#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace traverse {

struct HeightGrade {
    std::string name;             // UTF-8: 四等, 五等, 图根
    double closureCoefficient;    // mm per √km of the line's length
    double reciprocalCoefficient; // mm per √km of the side
};

// 四等, 五等, 图根 (the default), in that order.
const std::vector<HeightGrade>& HeightGrades();
const HeightGrade& DefaultHeightGrade();
// A height grade by its name; none for any other text.
std::optional<HeightGrade> ParseHeightGrade(std::string_view text);

struct HeightChecks {
    GradeCheck closure;      // mm: |fh| within c·√L; applies where there is a closure
    GradeCheck reciprocal;   // mm: the worst side against its limit; applies with reverse sights
    int reciprocalSides = 0; // sides with a reverse sight
    int worstSide = -1;      // the side whose difference takes most of its limit; -1: none
    double worst = 0.0;      // its reciprocal difference, mm
    bool Pass() const { return closure.pass && reciprocal.pass; }
};

// A side sighted both ways: its index, horizontal length (m) and h + h′ (mm).
struct ReciprocalDifference {
    int side = 0;
    double distance = 0.0, difference = 0.0;
};

// The closure fh (mm; none without one) over the line's length (m), and the sides
// sighted both ways.
HeightChecks CheckHeightGrade(std::optional<double> fh, double length,
                              const std::vector<ReciprocalDifference>& reciprocal,
                              const HeightGrade& grade);
HeightChecks CheckHeightGrade(const HeightAdjustment& heights, const HeightGrade& grade);

} // namespace traverse
