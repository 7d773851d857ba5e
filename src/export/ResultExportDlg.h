// The export options dialog (template 130): which report sections to write and the
// report's path. Core logic only; the window shows it through the port.
#pragma once

#include "workspace/WindowPort.h"

#include <string>

class CResultExportDlg {
public:
    CResultExportDlg() = default;

    // Edit 1048 <-> m_strPath; check boxes 1045, 1044, 1046, 1049 <-> the options;
    // radio group 1052 (GBK, UTF-8) <-> m_nEncoding. save = true: controls to members.
    void DoDataExchange(IControlPort& controls, bool save);
    // Button 1047 "文件名": exchange in, save-file dialog, exchange out.
    void OnFileName(IControlPort& controls, IWindowPort& window);

    std::string m_strPath; // UTF-8 as typed or chosen
    int m_bAdjCoords = 0;
    int m_bApproxCoords = 0;
    int m_bPrecision = 0;
    int m_bAdjSides = 0;
    int m_nEncoding = 0; // the report's text: 0 code page 936, 1 UTF-8
};
