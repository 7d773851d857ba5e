// Tab "粗差检验": the tests for blunders as the core words them: the global test (or why
// there is none), the suspects, what the error ellipses mean, and a row per observation
// (by |w|, the uncontrolled ones last) with its correction, redundancy number, w,
// estimated error, minimal detectable error and verdict. Copied as tab-separated lines.
#pragma once

#include "assess/AdjustedTraverse.h"
#include "write/ObservationTestsText.h"
#include "write/TraverseResults.h"

#include <QString>
#include <QWidget>

using namespace traverse;

class QTableWidget;

class CTestsTab : public QWidget {
public:
    CTestsTab(const AdjustedTraverse& adjusted, const TraverseResults& results, QWidget* parent);
    // Any adjustment's tests, its observations named by name (a network's).
    CTestsTab(const ObservationTests& tests, const ObservationNamer& name, int redundancy,
              QWidget* parent);

    QString TableText() const;

private:
    QTableWidget* m_table = nullptr;
};
