// The module's exported entry: one run of the program in a modal window.
#include "ui/TraverseApp.h"
#include "ui/TraverseWindow.h"

#include <cstdio>
#include <exception>

// Returns 2 when the window was closed with "退出", -1 when no window could be shown.
extern "C" __attribute__((visibility("default"))) int Kavrel() {
    try {
        CTraverseApp app;
        if (!app.InitInstance()) return -1;
        return RunTraverseWindow();
    } catch (const std::exception& e) {
        std::fprintf(stderr, "traverse-adjust: %s\n", e.what());
    } catch (...) {
        std::fputs("traverse-adjust: unexpected failure\n", stderr);
    }
    return -1;
}
