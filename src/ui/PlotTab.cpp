#include "ui/PlotTab.h"

#include "ui/ResultsWindow.h"

#include "workspace/TraverseAdjustDlg.h"
#include "write/SvgPlot.h"

#include <QHBoxLayout>
#include <QPushButton>
#include <QVBoxLayout>

using namespace traverse;

namespace {
constexpr int kPngWidth = 1600, kPngHeight = 1200;  // pixels
constexpr double kSvgWidth = 800, kSvgHeight = 600; // user units

PlotBuilder TraversePlot(const CTraverseAdjustDlg& ws, const TraverseResults& results) {
    return
        [&results, title = PlotTitle(ws.m_strObservationPath, results.traverseType)](
            double width, double height) { return BuildPlotModel(results, width, height, title); };
}
} // namespace

CPlotTab::CPlotTab(CTraverseAdjustDlg& ws, const TraverseResults& results, QWidget* parent)
    : CPlotTab(ws, TraversePlot(ws, results), parent) {}

CPlotTab::CPlotTab(CTraverseAdjustDlg& ws, const PlotBuilder& build, QWidget* parent)
    : QWidget(parent) {
    setObjectName(QStringLiteral("plotTab"));
    auto* buttons = new QHBoxLayout;
    QPushButton* png = AddResultButton(*buttons, this, "savePng", "保存为 PNG…");
    QPushButton* svg = AddResultButton(*buttons, this, "saveSvg", "保存为 SVG…");
    buttons->addStretch();
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(new CPlotView(build, this), 1);
    layout->addLayout(buttons);

    connect(png, &QPushButton::clicked, this, [&ws, build] {
        ws.SaveResultAs(kPlotPngFile, [&] { return PlotPng(build, kPngWidth, kPngHeight); });
    });
    connect(svg, &QPushButton::clicked, this, [&ws, build] {
        ws.SaveResultAs(kPlotSvgFile, [&] { return WriteSvgPlot(build(kSvgWidth, kSvgHeight)); });
    });
}
