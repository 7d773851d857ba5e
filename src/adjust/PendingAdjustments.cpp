// Placeholder until the condition adjustments land: every adjustment fails, so the
// adjust command never reports a result it did not compute.
#include "workspace/TraverseAdjustDlg.h"

int CTraverseAdjustDlg::AdjustClosedOrDoubleTraverse() { return 0; }
int CTraverseAdjustDlg::AdjustSingleConnectionTraverse() { return 0; }
int CTraverseAdjustDlg::AdjustNonOrientedTraverse() { return 0; }
int CTraverseAdjustDlg::AssessPrecision() { return 0; }
