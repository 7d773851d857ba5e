// Tab "闭合差与限差": the grade chooser (the seven grades of GB 50026 and a custom 1/K
// and ″√n coefficient, and for 图根 the map scale that sets its length limit) and the
// closure statistics in a table, each check of the grade
// coloured pass (green, 合格) or fail (red, 超限), and the grade's verdict above it.
// Where heights were computed, the height grade (四等, 五等, 图根) beside it and the
// heights' checks under the plane's. Values rounded for reading.
#pragma once

#include "assess/GradeLimits.h"
#include "assess/HeightGrades.h"
#include "write/TraverseResults.h"

#include <QWidget>

using namespace traverse;

class CGradeChooser;
class QComboBox;
class QLabel;
class QTableWidget;

class CClosureTab : public QWidget {
public:
    // Opens on the grades remembered and keeps the grades chosen there.
    CClosureTab(const TraverseResults& results, Grade& remembered, HeightGrade& heights,
                QWidget* parent);

private:
    void ShowChecks(); // the table for the grade chosen

    const TraverseResults& m_results;
    Grade& m_remembered;
    HeightGrade& m_rememberedHeights;
    QComboBox* m_heightGrade = nullptr; // shown only where heights were computed
    CGradeChooser* m_chooser = nullptr;
    QTableWidget* m_table = nullptr;
    QLabel* m_verdict = nullptr; // "等级 图根：合格", green or red, above the table
};
