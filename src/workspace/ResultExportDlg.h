// The export options dialog (template 130): which report sections to write, the
// report's path and its encoding. Core logic only; the window shows it through the port.
// The workspace that owns it chooses and confirms the path (default name, overwrite
// question); a dialog without an owner asks nothing.
#pragma once

#include "workspace/WindowPort.h"
#include "write/ResultsReport.h"

#include <string>

using namespace traverse;

class CResultExportDlg {
public:
    explicit CResultExportDlg(CTraverseAdjustDlg* owner = nullptr) : m_pOwner(owner) {}

    // Edit 1048 <-> m_strPath; check boxes 1045, 1044, 1046, 1049, 1054, 1055 <-> the options;
    // radio group 1052 (GBK, UTF-8) <-> m_nEncoding. save = true: controls to members.
    void DoDataExchange(IControlPort& controls, bool save);
    // Button 1047 "文件名": exchange in, the owner's save dialog, exchange out.
    void OnFileName(IControlPort& controls, IWindowPort& window);
    // Button "确认": exchange in; true when the dialog may close. With no section ticked
    // it says so and stays open; a path that names an existing file (not just confirmed
    // through "文件名") is replaced only after 是.
    bool OnOK(IControlPort& controls, IWindowPort& window);
    // Whether any of the six sections is ticked (exactly 1).
    bool AnySection() const;
    // The sections ticked (an option counts when it is exactly 1) and the encoding.
    ReportSections Sections() const;

    std::string m_strPath; // UTF-8 as typed or chosen
    int m_bAdjCoords = 0;
    int m_bApproxCoords = 0;
    int m_bPrecision = 0;
    int m_bAdjSides = 0;
    int m_bHeader = 0;   // the report's header
    int m_bClosures = 0; // its closures and precision with the verdict
    int m_bHeights = 0;  // 高程平差, where heights were computed
    int m_bTests = 0;    // 粗差检验: every observation's r, w, ∇ and MDB
    int m_nEncoding = 0; // the report's text: 0 code page 936, 1 UTF-8

private:
    CTraverseAdjustDlg* m_pOwner = nullptr;
    std::string m_strConfirmedPath; // replacement already confirmed in the save dialog
};
