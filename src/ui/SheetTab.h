// Tab "导线计算表": the traverse calculation sheet as the core prints it, a row per
// station and per known direction and the sums, the footer (Σβ理, fβ, the closures and
// the grade's limits) under the table, for the grade chosen on the closures' tab. Copied
// to the clipboard as tab-separated lines; saved as CSV by the core's writer.
#pragma once

#include "write/TraverseResults.h"

#include <QString>
#include <QWidget>

using namespace traverse;

class QLabel;
class QShowEvent;
class QTableWidget;
class CTraverseAdjustDlg;

class CSheetTab : public QWidget {
public:
    CSheetTab(CTraverseAdjustDlg& ws, const TraverseResults& results, QWidget* parent);

    // The table with its header and sums, a tab between cells, a line feed after each row.
    QString TableText() const;

protected:
    void showEvent(QShowEvent* event) override;

private:
    CTraverseAdjustDlg& m_ws;
    const TraverseResults& m_results;
    QTableWidget* m_table = nullptr;
    QLabel* m_closures = nullptr;
};
