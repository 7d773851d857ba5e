// A Win32 dialog template (DLGTEMPLATEEX) built in memory from the template data: the
// caption, the font ("宋体" 9 pt) and every control with its id, class, text, styles and
// rectangle in dialog units, so that Windows lays the dialog out from the font itself.
#pragma once

#include "workspace/DialogTemplate.h"

#include <windows.h>

#include <vector>

struct DialogStyle {
    DWORD style;
    DWORD exStyle;
};

// The main window: popup, caption, modal frame, no system menu, a task-bar button.
constexpr DialogStyle kMainWindowStyle = {
    WS_POPUP | WS_CAPTION | DS_MODALFRAME | DS_SETFONT | DS_CENTER, WS_EX_APPWINDOW};
// A modal dialog: caption and system menu.
constexpr DialogStyle kModalDialogStyle = {
    WS_POPUP | WS_CAPTION | WS_SYSMENU | DS_MODALFRAME | DS_SETFONT | DS_CENTER, 0};

// The template's bytes, DWORD-aligned as DialogBoxIndirect and CreateDialogIndirect
// want them. Grids and pictures use the window classes of WinGrid and WinDiagram.
std::vector<WORD> BuildMemoryTemplate(const DialogTemplate& t, DialogStyle style);
