// Results belong to the inputs they came from. A change of traverse type, a known point
// typed with another value and every import drop them (CTraverseAdjustDlg::DiscardResults);
// the export then asks for a new adjustment.
#pragma once

class CTraverseAdjustDlg;

// Held by the import command from the chosen file to its end, however it ends (read,
// refused or empty): drops the results at once; at the end sets the state by what was
// loaded and shows the observation grid from its first row.
class CImportScope {
public:
    explicit CImportScope(CTraverseAdjustDlg& dlg);
    ~CImportScope();
    CImportScope(const CImportScope&) = delete;
    CImportScope& operator=(const CImportScope&) = delete;

private:
    CTraverseAdjustDlg& m_dlg;
};
