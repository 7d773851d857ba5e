// Every result of an adjusted network as one JSON document (UTF-8, "type": "network"):
// the files, the known points, the junctions, each line with its closures and the
// grade's checks, σ0 and r, the points with their precision, the angles and sides with
// their residuals (″, mm) and redundancy numbers, the observations measured in two files,
// the weights, the tests for blunders and the heights. Field names are listed in the
// README; names in UTF-8, metres, millimetres and arc seconds as the names say.
#pragma once

#include "assess/GradeLimits.h"
#include "network/Network.h"

#include <string>

namespace traverse {

constexpr int kNetworkJsonFormat = 1;

std::string BuildNetworkJson(const NetworkObservations& network,
                             const NetworkAdjustment& adjustment, const Grade& grade);

} // namespace traverse
