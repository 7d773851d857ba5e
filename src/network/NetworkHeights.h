// The heights of a traverse network in one dimension: the height differences (m) between
// the points adjusted by least squares, weight 1/D with D the horizontal distance in km,
// the known heights fixed. Only points joined to a known height by height differences
// are adjusted; the others keep NaN (height and error), and so does the correction of
// a height difference between them. μ (NetworkHeights::errorPerKm) is the a posteriori
// error of a height difference over 1 km (mm, 0 where r = 0); a point's error is μ·√Q
// (1σ, mm). None without a known height or without height differences.
#pragma once

#include "network/Network.h"

#include <optional>

namespace traverse {

std::optional<NetworkHeights> AdjustNetworkHeights(const NetworkObservations& network);

} // namespace traverse
