// The known points of a traverse type: which of the four point groups (start point 1,
// start point 2, end point 1, end point 2) the type uses, each group's heading, the
// station of the observations each stands for, and the checks that refuse a known
// point before anything is computed from it. Coordinates in metres, X north, Y east;
// typed names UTF-8, station names code page 936 bytes as in the observation records.
#pragma once

#include "model/Records.h"
#include "model/Refusal.h"

#include <optional>
#include <span>
#include <string>
#include <string_view>

namespace traverse {

// The point groups, in the order of the window's groups 1 to 4.
enum KnownPointRole { kStart1 = 0, kStart2 = 1, kEnd1 = 2, kEnd2 = 3, kKnownPointCount = 4 };

// Known coordinates must be finite and within this many metres of 0.
constexpr double kMostCoordinate = 1e9;
// Two known points that fix a direction must be at least this far apart (m).
constexpr double kLeastOrientingDistance = 0.001;
// Known heights must be finite and within this many metres of 0.
constexpr double kMostKnownHeight = 10000.0;

// Whether a traverse type (0..3) uses a role: non-oriented start 1 and end 1; single
// adds start 2; closed start 1 and 2; double all four.
bool TypeUsesRole(int traverseType, int role);

// The heading of a role's group for the type ("起始点", "已知点2", ...); empty when the
// type does not use the role.
std::string_view RoleHeading(int traverseType, int role);

// "start1", "start2", "end1", "end2".
const char* RoleKey(int role);

// Whether a role's height is used: start point 1 and, where the type has it, end point 1
// (the traverse's ends); the points that only orient carry none.
bool RoleCarriesHeight(int traverseType, int role);

// The station a role stands for in the observations, code page 936: start 1 is the
// first station, start 2 its backsight; end 1 is the station the traverse ends on (the
// last foresight, or for a double-connection traverse the last station), end 2 that
// station's foresight. Empty when the type does not use the role or nothing is loaded.
std::string_view StationOfRole(int traverseType, int role,
                               std::span<const ObservationRecord> observations);

// A known point as typed: its name (UTF-8), coordinates and height (m), none where a
// box is empty.
struct TypedKnownPoint {
    std::string name;
    std::optional<double> x, y;
    std::optional<double> z = std::nullopt;
};

// What a refusal points at, so that the window can focus it.
enum class KnownPointBox { Name, X, Y, Z };

struct KnownPointFault {
    Refusal refusal;
    int role = kStart1;
    KnownPointBox box = KnownPointBox::X;
};

// The first fault of the points the type uses, group by group: a coordinate not typed
// or beyond ±kMostCoordinate, a height its role carries beyond ±kMostKnownHeight (the
// others' heights are not read), a name given that is not the station the group stands
// for (an empty name ties nothing);
// then two points that must fix a direction closer than kLeastOrientingDistance.
std::optional<KnownPointFault> CheckKnownPoints(int traverseType,
                                                const TypedKnownPoint (&points)[kKnownPointCount],
                                                std::span<const ObservationRecord> observations);

// A name as typed, without surrounding white space, in code page 936; none when it
// has no code page 936 form.
std::optional<std::string> TypedNameBytes(std::string_view typed);

} // namespace traverse
