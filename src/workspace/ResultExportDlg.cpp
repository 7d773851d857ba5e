// The export options dialog's data exchange, its file-name button and its OK.
#include "workspace/ResultExportDlg.h"

#include "resources/StringTable.h"
#include "workspace/ControlIds.h"
#include "workspace/TraverseAdjustDlg.h"

using namespace traverse;

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
        {ctl::kOptHeader, &CResultExportDlg::m_bHeader},
        {ctl::kOptClosures, &CResultExportDlg::m_bClosures},
        {ctl::kOptHeights, &CResultExportDlg::m_bHeights},
        {ctl::kOptTests, &CResultExportDlg::m_bTests},
    };
    if (save) {
        m_strPath = controls.GetControlText(ctl::kOptPath);
        for (const CheckBinding& c : kChecks)
            this->*c.member = controls.GetCheck(c.id) ? 1 : 0;
        m_nEncoding = controls.GetRadioIndex(ctl::kOptEncodingGbk) == 1 ? 1 : 0; // none: GBK
    } else {
        m_strConfirmedPath.clear(); // a dialog shown anew asks anew
        controls.SetControlText(ctl::kOptPath, m_strPath);
        for (const CheckBinding& c : kChecks)
            controls.SetCheck(c.id, this->*c.member == 1);
        controls.SetRadioIndex(ctl::kOptEncodingGbk, m_nEncoding == 1 ? 1 : 0);
    }
}

namespace {
constexpr const char* kReportFilter = "文本文件 (*.txt)|*.txt|所有文件 (*)|*||";
}

void CResultExportDlg::OnFileName(IControlPort& controls, IWindowPort& window) {
    DoDataExchange(controls, true);
    const auto path =
        m_pOwner != nullptr
            ? m_pOwner->ChooseSaveTarget("txt", "平差报告.txt", kReportFilter, m_strPath)
            : window.ChooseSaveFile("txt", m_strPath.empty() ? "output.txt" : m_strPath,
                                    kReportFilter);
    if (path) m_strPath = *path;
    DoDataExchange(controls, false);
    if (path) m_strConfirmedPath = *path;
}

ReportSections CResultExportDlg::Sections() const {
    ReportSections s;
    s.approxCoords = m_bApproxCoords == 1;
    s.adjCoords = m_bAdjCoords == 1;
    s.adjSides = m_bAdjSides == 1;
    s.precision = m_bPrecision == 1;
    s.header = m_bHeader == 1;
    s.closures = m_bClosures == 1;
    s.heights = m_bHeights == 1;
    s.tests = m_bTests == 1;
    if (m_nEncoding == 1) s.encoding = ReportEncoding::Utf8;
    return s;
}

bool CResultExportDlg::AnySection() const {
    return m_bApproxCoords == 1 || m_bAdjCoords == 1 || m_bAdjSides == 1 || m_bPrecision == 1 ||
           m_bHeader == 1 || m_bClosures == 1 || m_bHeights == 1 || m_bTests == 1;
}

bool CResultExportDlg::OnOK(IControlPort& controls, IWindowPort& window) {
    DoDataExchange(controls, true);
    if (!AnySection()) {
        window.ShowMessage(str::kNoSectionChosen, std::string(LoadString(str::kNoSectionChosen)));
        return false;
    }
    if (m_pOwner == nullptr || m_strPath == m_strConfirmedPath) return true;
    if (!m_pOwner->ConfirmReplace(m_strPath)) return false;
    m_strConfirmedPath = m_strPath;
    return true;
}
