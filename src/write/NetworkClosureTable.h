// A network's closures as a table for the windows: a row per line (导线节: its points),
// its verdict (second, where a wide table keeps it in sight), fβ (″, "—" where the line
// has no azimuth condition) with its limit ±coefficient·√n and n, fx, fy, fD (mm, 0.1),
// ΣD (m, 0.001) with its length limit (m; 0.7 of the grade's where the line ends at a
// junction: "1400（2000×0.7）"), 1/K with 1/limit, the mean side with its limit where the
// grade has one (else empty). A check's value and limit carry its pass or fail; the
// verdict cell the line's. UTF-8.
#pragma once

#include "assess/GradeLimits.h"
#include "network/Network.h"

#include <optional>
#include <string>
#include <vector>

namespace traverse {

struct CheckedCell {
    std::string text;
    std::optional<bool> pass; // the grade's check this cell shows; none for a plain value
};

// 导线节, 结论, fβ(″), fβ限差(″), fx(mm), fy(mm), fD(mm), ΣD(m), ΣD限差(m), 1/K, 1/K限差,
// 平均边长(m), 平均边长限差(m).
const std::vector<std::string>& NetworkClosureHeaders();

struct NetworkClosureTable {
    std::vector<std::vector<CheckedCell>> rows; // by NetworkClosureHeaders
    std::string sigma0;                         // σ0 and r, as the report words them
    // Under the table: where the length limits come from, the observations measured twice.
    std::vector<std::string> notes;
    bool pass = true; // every line within the grade
};

NetworkClosureTable BuildNetworkClosureTable(const NetworkObservations& network,
                                             const NetworkAdjustment& adjustment,
                                             const Grade& grade);

} // namespace traverse
