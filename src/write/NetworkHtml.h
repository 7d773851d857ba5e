// An adjusted network as one self-contained HTML5 page (UTF-8), styled as the traverse's:
// the header, the closures of each line with σ0, r, the observations measured twice and
// the verdict, the coordinates with their precision, the heights where a height is known,
// the tests for blunders and the network's plot (junctions ringed).
#pragma once

#include "network/Network.h"
#include "write/NetworkText.h"

#include <string>

namespace traverse {

std::string BuildNetworkHtml(const NetworkObservations& network,
                             const NetworkAdjustment& adjustment, const NetworkContext& context);

} // namespace traverse
