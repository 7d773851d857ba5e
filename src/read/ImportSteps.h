// Steps of the import that are not members of the workspace.
#pragma once

#include "read/ImportText.h"
#include "workspace/TraverseAdjustDlg.h"

#include <string>
#include <vector>

constexpr int kTableRows = 100; // the observation table's rows, header row included

// Shows the fault's message; returns 0 so that a reader can `return Refuse(...)`.
int Refuse(CTraverseAdjustDlg& dlg, const ImportFault& fault);

// The ".txt" station lines into m_arrStations, with the file line of each in lines;
// then the linking of foresights. 1 when read, 0 when refused (message shown).
int ReadTxtStations(CTraverseAdjustDlg& dlg, ObservationText& file, std::vector<int>& lines);
