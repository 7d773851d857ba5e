// Angles from the circle readings of two faces, in angle arithmetic: readings and
// results are packed DMS (degrees*10000 + minutes*100 + seconds), differences are
// folded into [0°, 360°) before they are averaged.
#pragma once

#include <optional>
#include <string>

namespace traverse {

// Horizontal angle from the readings face left to the backsight (h1) and foresight
// (h2), face right to the foresight (h3) and backsight (h4): (h2 - h1) and (h3 - h4),
// each folded, averaged across 0° when they lie on either side of it.
double TwoFaceHorizontalAngle(double h1, double h2, double h3, double h4);

// Zenith angle of the foresight from its vertical readings face left (v2) and face
// right (v3): ((v2 - v3) folded) / 2. A reading of 0 counts as not given: neither gives a
// level sight (900000), v2 alone gives v2, v3 alone 360° - v3.
double TwoFaceZenithAngle(double v2, double v3);

// The face-left angle (h2 - h1) and the face-right angle (h3 - h4), each folded into
// [0, 1296000) seconds, and how far apart they are in seconds, [0, 648000] (two angles
// on either side of 0° are close).
struct FaceAngles {
    double left = 0.0, right = 0.0, difference = 0.0;
};
FaceAngles HorizontalFaces(double h1, double h2, double h3, double h4);

// Twice the index error of the vertical readings face left (v2) and face right (v3)
// of one sight: v2 + v3 - 360°, in seconds folded into [-648000, 648000). None when a
// reading is 0 (not given).
std::optional<double> DoubleIndexError(double v2, double v3);

// Seconds of arc as "105°24′10″" (to 0.1″ when the seconds have a fraction), for messages.
std::string SecondsAsDms(double seconds);

} // namespace traverse
