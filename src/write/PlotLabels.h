// Point names placed on the plot: each beside its point, at the one of eight places
// around it (or of eight beyond its ellipse) that crosses the fewest sides and ellipses
// and covers no point symbol, no name already placed and nothing outside the drawing.
// Where the names cannot all stand clear of one another, only the known points' and
// every k-th new point's are written, k the smallest of 1, 2, 5, 10, 20, ... that fits.
// Drawing units, y down; a text's width is estimated from its characters.
#pragma once

#include "write/PlotModel.h"

#include <string>
#include <string_view>
#include <vector>

namespace traverse {

struct LabelRequest {
    double x, y; // the point
    std::string text;
    bool known;
    double clearance = 0; // the drawn semi-major axis of the point's ellipse
};

struct PlacedLabels {
    std::vector<PlotText> texts;
    int every = 1; // k: every k-th new point named
};

// Width of a UTF-8 text at the font size: wide (CJK) characters one em, others 0.6 em.
double EstimatedTextWidth(std::string_view text, double fontSize);

// With marksFollowNames only the named new points are drawn, so only their symbols are
// to be kept clear; otherwise every point's.
PlacedLabels PlaceLabels(const std::vector<LabelRequest>& requests, const PlotModel& plot,
                         bool marksFollowNames);

} // namespace traverse
