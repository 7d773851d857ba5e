// Tab "导线图": the plot of a traverse or a network fitted to the window, saved as PNG
// (drawn by Qt, 1600 x 1200 pixels) or SVG (written by the core, 800 x 600 units, as the
// batch tool's).
#pragma once

#include "ui/PlotPainter.h"

#include "write/TraverseResults.h"

#include <QWidget>

using namespace traverse;

class CTraverseAdjustDlg;

class CPlotTab : public QWidget {
public:
    CPlotTab(CTraverseAdjustDlg& ws, const TraverseResults& results, QWidget* parent);
    CPlotTab(CTraverseAdjustDlg& ws, const PlotBuilder& build, QWidget* parent);
};
