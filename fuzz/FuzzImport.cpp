// One input as an observation file, imported through the command on the scripted
// window. Built once per extension (TA_FUZZ_EXTENSION). Besides the sanitizers it
// checks that the table is never written out of range, that a refused import leaves
// no observations, and that the import never sets the adjusted state.
#include "support/FakeWindowPort.h"
#include "workspace/TraverseAdjustDlg.h"

#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <string>
#include <unistd.h>

extern "C" const char* __ubsan_default_options() { return "halt_on_error=1:print_stacktrace=1"; }

namespace {
std::string g_reserved, g_path;

void RemoveFiles() {
    std::remove(g_path.c_str());
    std::remove(g_reserved.c_str());
}

const std::string& InputPath() {
    if (g_path.empty()) {
        char pattern[] = "/tmp/ta-fuzz-XXXXXX";
        int fd = mkstemp(pattern);
        if (fd < 0) std::abort();
        close(fd);
        g_reserved = pattern;
        g_path = g_reserved + TA_FUZZ_EXTENSION;
        std::atexit(RemoveFiles);
    }
    return g_path;
}
} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    const std::string& path = InputPath();
    std::FILE* f = std::fopen(path.c_str(), "wb");
    if (f == nullptr) std::abort();
    if (size > 0 && std::fwrite(data, 1, size, f) != size) std::abort();
    std::fclose(f);

    FakeWindowPort port;
    port.grid.SetRowCount(100);
    port.grid.SetColumnCount(9);
    port.ResetEdits(size > 0 ? data[0] % 4 : 0);
    port.openPaths.push_back(path);
    CTraverseAdjustDlg dlg(&port);
    dlg.OnImport();

    if (port.grid.outOfRangeWrites != 0) std::abort();
    if (!port.messageIds.empty() && dlg.m_arrObservations.GetSize() != 0) std::abort();
    if (dlg.m_nState != kNothingLoaded && dlg.m_nState != kObservationsLoaded) std::abort();
    return 0;
}
