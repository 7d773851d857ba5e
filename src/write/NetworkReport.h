// The report of an adjusted network, code page 936 (UTF-8 on request) with CR LF line
// ends, its sections in order: the header (files, known points, junctions, weights,
// grade), the closures of each line with σ0 and r, 近似坐标值, 坐标平差值, 边平差值,
// 点位中误差 and 误差椭圆 in the traverse report's table layouts (the new points only in
// the precision tables), the heights where a height is known, and 粗差检验.
#pragma once

#include "network/Network.h"
#include "write/NetworkText.h"
#include "write/ResultsReport.h"

#include <string>

namespace traverse {

std::string BuildNetworkReport(const NetworkObservations& network,
                               const NetworkAdjustment& adjustment, const ReportSections& sections,
                               const NetworkContext& context);

// The heights' table (点号, 高程, 中误差; known ones 已知), points in the report's order,
// and the error of a 1 km difference with the redundancy.
std::vector<std::vector<std::string>> NetworkHeightCells(const NetworkObservations& network,
                                                         const NetworkHeights& heights);
std::string NetworkHeightErrorLine(const NetworkHeights& heights);

} // namespace traverse
