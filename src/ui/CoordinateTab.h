// Tab "坐标成果": one row per traverse point, as in the coordinate files: name, X, Y
// (m, 3 decimals), M, Mx, My, A, B (mm, 2 decimals), F (degrees, minutes, seconds) and
// the kind, known points tinted and without precision. Copied to the clipboard as
// tab-separated lines; saved as CSV or DAT by the core's writers.
#pragma once

#include "write/TraverseResults.h"

#include <QString>
#include <QWidget>

using namespace traverse;

class QTableWidget;
class CTraverseAdjustDlg;

class CCoordinateTab : public QWidget {
public:
    CCoordinateTab(CTraverseAdjustDlg& ws, const TraverseResults& results, QWidget* parent);

    // The table with its header, a tab between cells and a line feed after each row.
    QString TableText() const;

private:
    QTableWidget* m_table = nullptr;
};
