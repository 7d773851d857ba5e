// How the closures' tabs show a check of the grade: its cells tinted green (合格) or red
// (超限), the verdict's cell in bold green or red, and the verdict line above the table in
// the same colours. A cell of no check stays plain. Cells are read-only.
#pragma once

#include <QString>
#include <QStringList>

#include <optional>

class QLabel;
class QTableWidget;
class QWidget;

// A table of checks named closureTable: rows as high as a line of text (every check and
// the verdict in the window as it opens), no row numbers, Ctrl+C copying rows.
QTableWidget* NewChecksTable(QWidget* parent, const QStringList& headers);

void SetCheckedCell(QTableWidget& table, int row, int col, const QString& text,
                    std::optional<bool> pass, bool verdict, bool number);

// The bold line "等级 图根：合格" above a table, named gradeVerdict.
QLabel* NewVerdictLine(QWidget* parent);
void ShowVerdictLine(QLabel& line, const QString& text, bool pass);
