// Steps of the import that are not members of the workspace.
#pragma once

#include "import/ImportText.h"
#include "workspace/TraverseAdjustDlg.h"

#include <string>
#include <vector>

constexpr int kTableRows = 100; // the observation table's rows, header row included

// Shows the fault's message; returns 0 so that a reader can `return Refuse(...)`.
int Refuse(CTraverseAdjustDlg& dlg, const ImportFault& fault);

// Opens and decodes a file, reporting string 12 or the refusal. True when readable.
bool OpenObservationFile(CTraverseAdjustDlg& dlg, ObservationText& file, const std::string& path);

// The ".txt" first pass and the linking of foresights; 1 when the file was read.
int ReadTxtStations(CTraverseAdjustDlg& dlg, const std::string& path);

// Combines the four circle readings of a two-face horizontal angle (packed DMS):
// (H2 - H1) and (H3 - H4), each folded into [0, 360), averaged, packed back.
double TwoFaceHorizontalAngle(double h1, double h2, double h3, double h4);

// Index of the first record whose horizontal distance is not positive or shorter than a
// tenth of its slope distance (given in slope, one per record); -1 when all are sound.
int FindImplausibleSight(const CGrowableArray<ObservationRecord>& records,
                         const std::vector<double>& slope);
