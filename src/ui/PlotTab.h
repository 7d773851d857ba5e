// Tab "导线图": the traverse plot fitted to the window, saved as PNG (drawn by Qt,
// 1600 x 1200 pixels) or SVG (written by the core, 800 x 600 units, as the batch tool's).
#pragma once

#include "write/TraverseResults.h"

#include <QWidget>

using namespace traverse;

class CTraverseAdjustDlg;

class CPlotTab : public QWidget {
public:
    CPlotTab(CTraverseAdjustDlg& ws, const TraverseResults& results, QWidget* parent);
};
