// The traverse plot on a QPainter and as a widget: the core's plot model, built for the
// size drawn on, painted shape by shape in the model's order (the SVG writer's order):
// sides, north arrow and scale bar, point symbols, error ellipses in red, texts.
#pragma once

#include "write/PlotModel.h"
#include "write/TraverseResults.h"

#include <QWidget>

#include <string>

using namespace traverse;

class QPainter;

void PaintPlot(QPainter& painter, const PlotModel& plot);

// The plot drawn on a white picture of width x height pixels, as PNG bytes.
std::string PlotPng(const TraverseResults& results, int width, int height,
                    const std::string& title);

// Fits the plot to its own size, so the drawing follows the window's resizing.
class CPlotView : public QWidget {
public:
    CPlotView(const TraverseResults& results, std::string title, QWidget* parent);
    // The model for the size the view has now.
    PlotModel Model() const;

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    const TraverseResults& m_results;
    std::string m_title;
};
