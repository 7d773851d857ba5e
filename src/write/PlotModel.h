// The traverse drawn to scale with X north up, as a list of shapes in drawing
// coordinates: x to the right, y down, in the units of the drawing's width and height
// (pixels in a window, user units in SVG). The SVG writer and a window's painter draw
// exactly these shapes, in their order. Error ellipses are magnified by a stated factor,
// 1, 2 or 5 times a power of ten, so that the largest semi-major axis is about a
// twentieth of the drawing's smaller side.
#pragma once

#include "write/TraverseResults.h"

#include <string>
#include <utility>
#include <vector>

namespace traverse {

struct PlotLine {
    double x1, y1, x2, y2;
    bool orientation; // towards a known direction point (drawn dashed)
};

struct PlotSymbol {
    double x, y;
    bool known;            // a triangle; a new point is a circle
    bool junction = false; // a network's junction point: a circle in a ring
};

// rx along the semi-major axis; rotation in degrees clockwise from +x (the azimuth
// of the axis less 90).
struct PlotEllipse {
    double cx, cy, rx, ry, rotation;
};

enum class TextAnchor { Start, Middle, End };

struct PlotText {
    double x, y; // y is the baseline
    TextAnchor anchor;
    std::string text; // UTF-8
    double size = 0;  // font size; 0: the plot's
};

struct PlotModel {
    double width = 0, height = 0;
    double symbolSize = 0; // half the width of a point symbol
    double fontSize = 0;
    double magnification = 1; // ellipses are drawn this many times the map scale
    double metresPerUnit = 1; // the map scale
    std::vector<PlotLine> lines;
    std::vector<PlotEllipse> ellipses;
    std::vector<PlotSymbol> symbols;
    // Point names, the north arrow's N, the scale, the title and the legend's words.
    std::vector<PlotText> texts;
    int labelEvery = 1;    // every k-th new point named where all names would not fit
    int marksEvery = 1;    // and marked (symbol, ellipse) where the points stand too close
    PlotLine northArrow{}; // from its foot to its tip
    PlotLine scaleBar{};
};

// The traverse in the drawing: a title at the top left (none when empty), the north
// arrow at the top right, the legend (known point, new point, error ellipse with its
// magnification, orientation line) in a column at the right, the scale bar at the
// bottom left, and the points' names placed clear of the drawing where they fit.
PlotModel BuildPlotModel(const TraverseResults& results, double width, double height,
                         const std::string& title = {});
// A network in the drawing as BuildPlotModel draws a traverse: points (results.points,
// in the network's order) joined by the sides given (indices into the points), dashed
// orientation lines to known backsights, and the junction points ringed (结点 in the
// legend).
struct NetworkPlotShape {
    std::vector<std::pair<int, int>> sides, orientations;
    std::vector<int> junctions;
};
PlotModel BuildNetworkPlotModel(const TraverseResults& results, const NetworkPlotShape& shape,
                                double width, double height, const std::string& title = {});

// "closed.txt　闭合导线": the observation file's name and the traverse's type.
std::string PlotTitle(const std::string& observationFile, int traverseType);

// The largest of 1, 2 and 5 times a power of ten that is at most value (> 0), and the
// one nearest to value (by ratio).
double NiceFloor(double value);
double NiceNearest(double value);

} // namespace traverse
