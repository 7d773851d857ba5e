// The plot of a traverse or a network on a QPainter and as a widget: the core's plot
// model, built for the size drawn on, painted shape by shape in the model's order (the
// SVG writer's order): sides, north arrow and scale bar, point symbols (junctions
// ringed), error ellipses in red, texts.
#pragma once

#include "network/Network.h"
#include "write/PlotModel.h"
#include "write/TraverseResults.h"

#include <QWidget>

#include <functional>
#include <string>

using namespace traverse;

class QPainter;

void PaintPlot(QPainter& painter, const PlotModel& plot);

// The core's model of a plot for a drawing of width x height units.
using PlotBuilder = std::function<PlotModel(double width, double height)>;

// A network's plot (points: its NetworkPointResults), junctions ringed, under its title.
PlotBuilder NetworkPlot(const TraverseResults& points, const NetworkObservations& network);

// The plot drawn on a white picture of width x height pixels, as PNG bytes.
std::string PlotPng(const PlotBuilder& build, int width, int height);

// Fits the plot to its own size, so the drawing follows the window's resizing.
class CPlotView : public QWidget {
public:
    CPlotView(PlotBuilder build, QWidget* parent);
    // The model for the size the view has now.
    PlotModel Model() const;

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    PlotBuilder m_build;
};
