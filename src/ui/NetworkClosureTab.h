// Tab "闭合差与限差" of a network: the grade chooser as a traverse's, the grade's verdict
// and σ0 with r above a table of the closures of each line (导线节) against the grade, each
// check coloured pass (green, 合格) or fail (red, 超限), and under it where the length
// limits come from and the observations measured twice. The core builds every text.
#pragma once

#include "assess/GradeLimits.h"
#include "network/Network.h"

#include <QWidget>

using namespace traverse;

class CGradeChooser;
class QLabel;
class QTableWidget;

class CNetworkClosureTab : public QWidget {
public:
    // Opens on the grade remembered and keeps the grade chosen there.
    CNetworkClosureTab(const NetworkObservations& network, const NetworkAdjustment& adjustment,
                       Grade& remembered, QWidget* parent);

private:
    void ShowChecks(); // the table for the grade chosen

    const NetworkObservations& m_network;
    const NetworkAdjustment& m_adjustment;
    Grade& m_remembered;
    CGradeChooser* m_chooser = nullptr;
    QLabel* m_verdict = nullptr; // "等级 图根：合格", green or red
    QLabel* m_sigma0 = nullptr;
    QTableWidget* m_table = nullptr;
    QLabel* m_notes = nullptr;
};
