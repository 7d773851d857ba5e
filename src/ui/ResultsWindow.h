// The modal window "平差成果" over the workspace's current adjustment: for a traverse five
// tabs, the closures against a grade's limits, the coordinate table, the traverse plot,
// the calculation sheet and the tests for blunders, and the whole report saved as HTML or
// PDF or printed; for a network the same without the calculation sheet, its closures
// per line. It shows what the core computes and writes its files through the core; it
// computes nothing.
#pragma once

#include "ui/ReportPrinter.h"

#include "write/TraverseResults.h"

#include <QDialog>

#include <functional>
#include <string>
#include <vector>

using namespace traverse;

class QHBoxLayout;
class QLabel;
class QPrinter;
class QPushButton;
class QTabWidget;
class QTableWidget;
class CTraverseAdjustDlg;
struct AdjustedNetworkRun;

class CResultsWindow : public QDialog {
public:
    CResultsWindow(CTraverseAdjustDlg& ws, QWidget* parent);

    QTabWidget* Tabs() const { return m_tabs; }
    // The report on a printer as chosen in the print dialog.
    PrintOutcome PrintTo(QPrinter& printer, const PageProgress& progress = {}) const;

private:
    void AddTraverseTabs();
    void AddNetworkTabs(const AdjustedNetworkRun& run);
    QHBoxLayout* ButtonRow();
    std::string HtmlReport() const;
    ReportPages Pages() const; // what the PDF and the print show
    void SavePdf();
    void Print();
    PageProgress PagesProgress();

    CTraverseAdjustDlg& m_ws;
    const AdjustedNetworkRun* m_network; // the workspace's network, when it holds one
    TraverseResults m_results;           // collected once (a network's points): the window is modal
    QTabWidget* m_tabs = nullptr;
};

// A button of a tab's button row, named for the tests.
QPushButton* AddResultButton(QHBoxLayout& row, QWidget* parent, const char* name,
                             const QString& text);
// A line of text in a tab, selectable and wrapped, named for the tests.
QLabel* NewTextLine(const QString& text, const char* name, QWidget* parent);
// UTF-8 texts as Qt's.
QStringList QtTexts(const std::vector<std::string>& texts);
// A table's header and cells, a tab between cells and a line feed after each row, as
// the tabs copy them to the clipboard.
QString TabSeparatedText(const QTableWidget& table);
// Fits the columns to their contents when the table is first shown, not at once: a long
// table is measured when its tab is opened rather than when the window opens. Qt measures
// the same rows either way (the first thousand, from the top), so the widths are the same.
void FitColumnsWhenShown(QTableWidget& table);
// Ctrl+C (the platform's copy keys) on a table copies the rows that hold a selected
// cell, whole and with the header, tab-separated; with nothing selected, every row.
void CopyRowsOnCopyKey(QTableWidget& table);
