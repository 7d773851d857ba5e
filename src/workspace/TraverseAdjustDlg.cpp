// Construction and the message helpers of the workspace.
#include "workspace/TraverseAdjustDlg.h"

#include "resources/StringTable.h"

using namespace traverse;

CTraverseAdjustDlg::CTraverseAdjustDlg(IWindowPort* port) : m_pPort(port) {
    if (m_pPort != nullptr) m_pGrid = &m_pPort->Grid();
    // The first export offers every section, in code page 936.
    m_exportOptions = CResultExportDlg(this);
    m_exportOptions.m_bApproxCoords = m_exportOptions.m_bAdjCoords = 1;
    m_exportOptions.m_bAdjSides = m_exportOptions.m_bPrecision = 1;
    m_exportOptions.m_bHeader = m_exportOptions.m_bClosures = 1;
    // The heights' and the tests' sections are there to be chosen (unchecked at first).
}

void CTraverseAdjustDlg::ShowMessage(int stringId) {
    ShowMessage(stringId, std::string(LoadString(stringId)));
}

void CTraverseAdjustDlg::ShowMessage(int stringId, const std::string& text) {
    if (m_pPort != nullptr) m_pPort->ShowMessage(stringId, text);
}

void CTraverseAdjustDlg::ShowRefusal(const Refusal& refusal) {
    ShowMessage(refusal.messageId, MessageText(refusal));
}
