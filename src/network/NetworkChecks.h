// The checks a traverse network passes before it is adjusted: every observation's
// points within the point list and distinct (station, backsight, foresight; a
// distance's ends), angles finite in [0, 1 296 000″), distances and the horizontal
// distances of height differences finite and positive, height differences and known
// coordinates and heights finite; the instrument's precision, where given, sound
// (σβ > 0, a, b >= 0, a + b > 0). Refused with the observation's file and line
// (kNetworkBadObservation) or the precision (kBadInstrumentPrecision).
#pragma once

#include "network/Network.h"

#include <optional>

namespace traverse {

std::optional<Refusal> CheckNetwork(const NetworkObservations& network,
                                    const NetworkOptions& options);

} // namespace traverse
