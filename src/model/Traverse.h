// The values every step of the computation passes along: the traverse types, the
// observations (one record per set-up, in file order) and the known points of a type.
// Metres, X north, Y east; angles packed DMS as the files write them.
#pragma once

#include "model/Records.h"

#include <optional>
#include <vector>

namespace traverse {

// The order of the window's type buttons.
enum TraverseType { kNonOriented = 0, kSingleConnection = 1, kClosed = 2, kDoubleConnection = 3 };

// Whether a value is one of the four types (a cast integer may be none).
constexpr bool IsTraverseType(int type) {
    return type >= kNonOriented && type <= kDoubleConnection;
}

// "无定向导线" ... "双连接角附合导线", the window's names of the four types; empty for
// any other value.
constexpr const char* TraverseTypeTitle(int type) {
    constexpr const char* kTitles[] = {"无定向导线", "单连接角附合导线", "闭合导线",
                                       "双连接角附合导线"};
    return IsTraverseType(type) ? kTitles[type] : "";
}

using Observations = std::vector<ObservationRecord>;

// The known points by role as a caller gives them: none where a point is not given.
// A type reads only the roles it uses (reduce/KnownPoints.h); a used role not given is
// refused, never taken as (0, 0).
// Heights (m) only where given: start point 1 and end point 1, the traverse's ends, are
// the points a height is taken from; none given is a traverse in plane only.
struct KnownCoordinates {
    std::optional<PlanePoint> start1, start2, end1, end2;
    std::optional<double> start1Height = std::nullopt, end1Height = std::nullopt;
};

// The known points once checked, as the reduction and the adjustment read them; a role
// the type does not use holds (0, 0) and is never read.
struct KnownPlanePoints {
    PlanePoint start1{}, start2{}, end1{}, end2{};
};

} // namespace traverse
