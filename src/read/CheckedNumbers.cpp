#include "read/CheckedNumbers.h"

#include "model/AngleConversions.h"
#include "resources/StringTable.h"

#include <cmath>

namespace traverse {

bool AngleInRange(double packed, AngleKind kind) {
    if (kind == AngleKind::Circle) return packed >= 0.0 && packed < 3600000.0;
    return packed > 0.0 && packed < 1800000.0;
}

int AngleFault(double packed, AngleKind kind) {
    if (!AngleInRange(packed, kind))
        return kind == AngleKind::Circle ? str::kCircleOutOfRange : str::kZenithOutOfRange;
    const double degrees = std::floor(packed / 10000.0);
    const double rest = packed - degrees * 10000.0;
    const double minutes = std::floor(rest / 100.0);
    if (minutes >= 60.0 || rest - minutes * 100.0 >= 60.0) return str::kMinutesOrSeconds;
    return 0;
}

int HeightFault(double height) {
    return std::fabs(height) <= kMostHeight ? 0 : str::kImplausibleHeight;
}

int SightFault(double slope, double zenith) {
    if (!(slope > 0.0)) return str::kBadDistance;
    const double tilt = std::fabs(DmsToRadians(90, 0, 0.0) - DmsToRadians(UnpackDms(zenith)));
    return std::cos(tilt) >= 0.1 ? 0 : str::kImplausibleSight;
}

} // namespace traverse
