// Placeholder until the observation readers land: the import does nothing.
#include "workspace/TraverseAdjustDlg.h"

void CTraverseAdjustDlg::OnImport() {}
