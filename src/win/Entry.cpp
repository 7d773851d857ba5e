// The module's only export, __Kavrel@0 (see traverse-adjust.def): one run of the program
// in a modal window. No arguments, the callee cleans the stack (stdcall); returns 2 when
// the window was closed with "退出", -1 when it could not be created.
#include "win/TraverseApp.h"
#include "win/TraverseWindow.h"

#include "workspace/TraverseAdjustDlg.h"

#include <exception>

#include <windows.h>

extern "C" IMAGE_DOS_HEADER __ImageBase; // this module, where its window classes live

extern "C" int __stdcall Kavrel() {
    try {
        CTraverseApp app;
        if (!app.InitInstance()) return -1;
        CWinTraverseWindow window(reinterpret_cast<HINSTANCE>(&__ImageBase));
        CTraverseAdjustDlg workspace(&window);
        return window.RunModal(workspace);
    } catch (const std::exception&) {
    } catch (...) {
    }
    return -1;
}
