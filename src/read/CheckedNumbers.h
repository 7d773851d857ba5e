// Checks of the numbers an observation file gives, each returning 0 when sound or the
// string id that refuses it. Angles are packed DMS (degrees*10000 + minutes*100 +
// seconds): horizontal angles and circle readings in [0°, 360°), zenith angles in
// (0°, 180°), minutes and seconds under 60. Distances in metres.
#pragma once

namespace traverse {

enum class AngleKind { Circle, Zenith };

// The range alone, on the packed value (with sound minutes and seconds the packed
// order is the angle's order).
bool AngleInRange(double packed, AngleKind kind);

// Range first (so 1e100 is out of range), then minutes and seconds.
int AngleFault(double packed, AngleKind kind);

// An instrument or target height (m): kImplausibleHeight beyond kMostHeight either way
// (a number from another column, a decimal comma that shifted the words).
constexpr double kMostHeight = 100.0;
int HeightFault(double height);

// A sight of a slope distance and a zenith angle within range: kBadDistance when the
// distance is not positive, kImplausibleSight when the sight is so steep (beyond about
// 84° from level) that its horizontal distance is under a tenth of the slope one.
int SightFault(double slope, double zenith);

} // namespace traverse
