// Dropping results whose inputs changed: the workflow state falls back to the
// observations alone, "平差成果" is disabled and the closure boxes are emptied.
#include "workspace/ResultValidity.h"

#include "workspace/ControlIds.h"
#include "workspace/TraverseAdjustDlg.h"

void CTraverseAdjustDlg::DiscardResults() {
    int state = m_nState;
    if (state == kAdjusted) {
        state = kObservationsLoaded;
        m_bResultsDiscarded = true;
    }
    if (m_arrObservations.IsEmpty()) state = kNothingLoaded;
    SetState(state);
    m_dWx = m_dWy = m_dWz = m_dAzimuthClosure = 0.0;
    m_bClosuresShown = false;
    m_adjusted.reset();
    m_network.reset();
    if (m_pPort == nullptr) return;
    for (int id : ctl::kClosureEdits)
        m_pPort->SetControlText(id, "");
}

CImportScope::CImportScope(CTraverseAdjustDlg& dlg) : m_dlg(dlg) { m_dlg.DiscardResults(); }

CImportScope::~CImportScope() {
    m_dlg.DiscardResults();
    if (m_dlg.m_pGrid != nullptr)
        m_dlg.m_pGrid->EnsureVisible(m_dlg.m_pGrid->GetFixedRowCount(),
                                     m_dlg.m_pGrid->GetFixedColumnCount());
}
