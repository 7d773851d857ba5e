// Approximate coordinates of a traverse network's points (m, X north, Y east), carried
// along its traverses from the known points the way a surveyor would: an angle at a
// station with coordinates, whose backsight (or foresight) has coordinates too, gives
// the direction to the other sight, and the distance observed to it (the mean where
// observed both ways) gives its place. A known point sighted from a known point gives
// the first direction; a side just computed gives the next. Repeated until nothing
// more can be reached, the shortest carrying first: a point takes its place from the
// way with the least length carried from known points (the longer of the lengths to
// the station and to the sight giving the direction, plus the side).
//
// A traverse between two points with coordinates and no direction at either end (a
// non-oriented one) is carried in a local frame from one end, its first side at
// azimuth 0, and turned about that end onto the other one; its scale stays that of
// the observed distances.
//
// Refused: fewer than two known points observed (no datum: with one, no direction can
// be sighted; kNetworkNoDatum); points no carrying reaches (kNetworkUnreachable, named);
// a point that two carryings put more than the gross-error bound apart
// (kNetworkJunctionGap): max(0.5 m, 1/1000 of the lengths carried to it along both
// ways, from their known points). Names in the messages are converted to UTF-8.
#pragma once

#include "network/Network.h"

#include <variant>
#include <vector>

namespace traverse {

inline constexpr double kLeastJunctionGap = 0.5;      // m
inline constexpr double kJunctionGapPerMetre = 0.001; // of the lengths carried to the point

std::variant<std::vector<PlanePoint>, Refusal>
ApproximateCoordinates(const NetworkObservations& network);

} // namespace traverse
