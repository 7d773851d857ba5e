// The same angle or side measured in two files, both kept as observations: their
// difference and its standard error √(q1 + q2) from the cofactors the adjustment weighs
// them by (classic: ″ and mm with σ0 taken as 1; or the instrument's precision), and
// whether it is over three times that. An angle is the same when its station and its two
// sights are (an angle measured the other way round counts as 360° less it); a side
// when its two ends are, either way.
#pragma once

#include "network/Network.h"

#include <optional>
#include <string>
#include <vector>

namespace traverse {

struct DuplicateObservation {
    bool side = false; // false: an angle (indices into angles), true: a distance
    int first = -1, second = -1;
    double difference = 0.0;    // second less first, ″ or mm
    double standardError = 0.0; // of the difference, ″ or mm
    bool flagged = false;       // |difference| > 3 standardError
};

std::vector<DuplicateObservation>
DuplicateObservations(const NetworkObservations& network,
                      const std::optional<InstrumentPrecision>& instrument);

// The report's line (UTF-8): "重复观测 角 T5–D21–T1：“a.txt”第12行与“b.txt”第3行相差
// +4.2″，差值中误差 2.0″", with the warning where flagged.
std::string DuplicateLine(const NetworkObservations& network, const DuplicateObservation& d);

} // namespace traverse
