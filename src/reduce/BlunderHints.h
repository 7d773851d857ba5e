// Where the blunder of a refused traverse most likely is, the classic way, from its
// reduction (the traverse carried along the observed angles and sides):
//   an angle, when the azimuth closure fβ refuses a closed or double-connection
//   traverse: turn each station's angle back by the whole fβ (the traverse beyond it
//   turns about it) and keep the station whose traverse then closes best;
//   a side, when the coordinate closure does: the side whose direction is nearest the
//   closure's (a side too long or too short moves the end along itself).
// A hint is a sentence (UTF-8) for the refusal's message, or none.
#pragma once

#include "reduce/Reduction.h"

#include <optional>
#include <string>

namespace traverse {

std::optional<std::string> AngleBlunderHint(int traverseType, Observed observations,
                                            const Reduction& reduction);
std::optional<std::string> SideBlunderHint(int traverseType, Observed observations,
                                           const Reduction& reduction);

// A non-oriented traverse whose end point lies within 1 % of its length of its start
// point cannot be oriented: the rotation that points it at the end is lost in the
// closure. Refused (kNearlyClosedNonOriented) with the gap and the length.
std::optional<Refusal> CheckNonOrientedGap(int traverseType, Observed observations,
                                           const KnownPlanePoints& known);

} // namespace traverse
