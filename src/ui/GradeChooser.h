// The grade chooser of the closures' tabs: the seven grades of GB 50026 and a custom 1/K
// and ″√n coefficient (自定义), and for 图根 the map scale that sets its length limit. Its
// labels and boxes go into a row of the tab; a change calls back with the grade chosen.
#pragma once

#include "assess/GradeLimits.h"

#include <QObject>

#include <functional>

using namespace traverse;

class QComboBox;
class QDoubleSpinBox;
class QHBoxLayout;
class QSpinBox;
class QWidget;

class CGradeChooser : public QObject {
public:
    // The boxes are children of parent, laid out in row.
    CGradeChooser(QWidget& parent, QHBoxLayout& row, std::function<void()> changed);

    Grade Chosen() const;
    // A standard grade by its name; anything else as 自定义 with its limits. Calls back.
    void Show(const Grade& grade);

private:
    void OnGradeChosen();

    std::function<void()> m_changed;
    QComboBox* m_grade = nullptr;
    QSpinBox* m_relativeK = nullptr;              // custom 1/K
    QDoubleSpinBox* m_angleCoefficient = nullptr; // custom seconds per sqrt(n)
    QComboBox* m_mapScale = nullptr;              // 图根: the map scale's M, 0 none chosen
};
