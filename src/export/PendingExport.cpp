// Placeholder until the report writer lands: the export does nothing.
#include "workspace/TraverseAdjustDlg.h"

void CTraverseAdjustDlg::ExportResults() {}
