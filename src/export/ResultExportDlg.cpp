// The export options dialog's data exchange and its file-name button.
#include "export/ResultExportDlg.h"

#include "workspace/ControlIds.h"

void CResultExportDlg::DoDataExchange(IControlPort& controls, bool save) {
    struct CheckBinding {
        int id;
        int CResultExportDlg::*member;
    };
    static constexpr CheckBinding kChecks[] = {
        {ctl::kOptAdjCoords, &CResultExportDlg::m_bAdjCoords},
        {ctl::kOptApproxCoords, &CResultExportDlg::m_bApproxCoords},
        {ctl::kOptPrecision, &CResultExportDlg::m_bPrecision},
        {ctl::kOptAdjSides, &CResultExportDlg::m_bAdjSides},
    };
    if (save) {
        m_strPath = controls.GetControlText(ctl::kOptPath);
        for (const CheckBinding& c : kChecks)
            this->*c.member = controls.GetCheck(c.id) ? 1 : 0;
        m_nEncoding = controls.GetRadioIndex(ctl::kOptEncodingGbk) == 1 ? 1 : 0; // none: GBK
    } else {
        controls.SetControlText(ctl::kOptPath, m_strPath);
        for (const CheckBinding& c : kChecks)
            controls.SetCheck(c.id, this->*c.member == 1);
        controls.SetRadioIndex(ctl::kOptEncodingGbk, m_nEncoding == 1 ? 1 : 0);
    }
}

void CResultExportDlg::OnFileName(IControlPort& controls, IWindowPort& window) {
    DoDataExchange(controls, true);
    auto path = window.ChooseSaveFile("txt", "output.txt", "( *.txt)|*.txt|All Files(*.*)|*.*||");
    if (path) m_strPath = *path;
    DoDataExchange(controls, false);
}
