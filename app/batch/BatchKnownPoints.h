// The known points of a batch run: those given as options (with the name when one was
// given, which the adjustment then checks), the others looked up in the --known file
// by the names the import gave their groups.
#pragma once

#include "BatchArguments.h"

#include "read/KnownPointFile.h"

#include <vector>

class CTraverseAdjustDlg;
class CBatchWindowPort;

// Reads the --known file; false after the message naming the file (and its line).
bool ReadKnownPointFile(const std::string& path, CBatchWindowPort& port,
                        std::vector<KnownPointEntry>& points);

// Types every point the type uses into the window; false after the message naming a
// point the file lacks.
bool TypeKnownPoints(const CTraverseAdjustDlg& dlg, CBatchWindowPort& port, const BatchArguments& a,
                     const std::vector<KnownPointEntry>& known);
