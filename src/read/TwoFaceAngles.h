// Angles from the circle readings of two faces, in angle arithmetic: readings and
// results are packed DMS (degrees*10000 + minutes*100 + seconds), differences are
// folded into [0°, 360°) before they are averaged.
#pragma once

// Horizontal angle from the readings face left to the backsight (h1) and foresight
// (h2), face right to the foresight (h3) and backsight (h4): (h2 - h1) and (h3 - h4),
// each folded, averaged across 0° when they lie on either side of it.
double TwoFaceHorizontalAngle(double h1, double h2, double h3, double h4);

// Zenith angle of the foresight from its vertical readings face left (v2) and face
// right (v3): ((v2 - v3) folded) / 2. A reading of 0 counts as not given: neither gives a
// level sight (900000), v2 alone gives v2, v3 alone 360° - v3.
double TwoFaceZenithAngle(double v2, double v3);
