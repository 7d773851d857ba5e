// The traverse plot as an SVG document (UTF-8): the shapes of the plot model, black
// lines on white, known points as triangles, new points as circles, error ellipses
// in red. Numbers with two decimals, whatever the locale.
#pragma once

#include "write/PlotModel.h"

#include <string>

namespace traverse {

std::string WriteSvgPlot(const PlotModel& plot);

} // namespace traverse
