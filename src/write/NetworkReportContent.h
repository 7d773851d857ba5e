// An adjusted network's full report as text, in the traverse report's shape (ReportContent)
// for a page or HTML: the header's rows (the context's 项目名称 where typed, files, known points,
// junctions, lines and observations, grade, weights, date, version), each line's closures
// with σ0, r, the observations measured twice and the verdict last, the coordinate table,
// the heights' table with the error of a 1 km difference under it (where a height is
// known), the tests for blunders (weights, global test, suspects, ellipses; the table) and
// the plot's title. No calculation sheet: a network has none. UTF-8 throughout.
#pragma once

#include "network/Network.h"
#include "write/NetworkText.h"
#include "write/ReportContent.h"

#include <string>
#include <vector>

namespace traverse {

// The tests for blunders: the weights, the global test, the suspects and what the
// ellipses mean; the table (header row first).
std::vector<std::string> NetworkTestsLines(const NetworkObservations& network,
                                           const NetworkAdjustment& adjustment);
TextCells NetworkTestCells(const NetworkObservations& network, const NetworkAdjustment& adjustment);

ReportContent BuildNetworkReportContent(const NetworkObservations& network,
                                        const NetworkAdjustment& adjustment,
                                        const NetworkContext& context);

} // namespace traverse
