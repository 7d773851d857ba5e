// Tab "导线计算表": the traverse calculation sheet as the core prints it, a row per
// station and the sums, the closures under the table. Copied to the clipboard as tab-
// separated lines; saved as CSV by the core's writer.
#pragma once

#include "write/TraverseResults.h"

#include <QString>
#include <QWidget>

using namespace traverse;

class QTableWidget;
class CTraverseAdjustDlg;

class CSheetTab : public QWidget {
public:
    CSheetTab(CTraverseAdjustDlg& ws, const TraverseResults& results, QWidget* parent);

    // The table with its header and sums, a tab between cells, a line feed after each row.
    QString TableText() const;

private:
    QTableWidget* m_table = nullptr;
};
