#include "ui/PlotTab.h"

#include "ui/PlotPainter.h"
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

} // namespace

CPlotTab::CPlotTab(CTraverseAdjustDlg& ws, const TraverseResults& results, QWidget* parent)
    : QWidget(parent) {
    setObjectName(QStringLiteral("plotTab"));
    auto* buttons = new QHBoxLayout;
    QPushButton* png = AddResultButton(*buttons, this, "savePng", "保存为 PNG…");
    QPushButton* svg = AddResultButton(*buttons, this, "saveSvg", "保存为 SVG…");
    buttons->addStretch();
    auto* layout = new QVBoxLayout(this);
    const std::string title = PlotTitle(ws.m_strObservationPath, results.traverseType);
    layout->addWidget(new CPlotView(results, title, this), 1);
    layout->addLayout(buttons);

    connect(png, &QPushButton::clicked, this, [&ws, &results, title] {
        ws.SaveResultAs(kPlotPngFile,
                        [&] { return PlotPng(results, kPngWidth, kPngHeight, title); });
    });
    connect(svg, &QPushButton::clicked, this, [&ws, &results, title] {
        ws.SaveResultAs(kPlotSvgFile, [&] {
            return WriteSvgPlot(BuildPlotModel(results, kSvgWidth, kSvgHeight, title));
        });
    });
}
