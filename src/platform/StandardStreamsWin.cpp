// Standard streams on Windows. There are no numbered descriptors to fill: a missing
// standard handle is simply one that nothing writes to. Standard output under another
// name is recognised by its volume and file index.
#include "platform/StandardStreams.h"

#include "platform/StandardHandle.h"
#include "platform/WideText.h"

#include <cstdio>
#include <string_view>

#include <io.h>
#include <windows.h>

namespace traverse {

namespace {
bool g_outputKept = false;
HANDLE g_output = nullptr; // standard output once the C stream stdout went elsewhere

bool SameFile(HANDLE a, HANDLE b) {
    BY_HANDLE_FILE_INFORMATION x{}, y{};
    return GetFileType(a) == FILE_TYPE_DISK && GetFileType(b) == FILE_TYPE_DISK &&
           GetFileInformationByHandle(a, &x) && GetFileInformationByHandle(b, &y) &&
           x.dwVolumeSerialNumber == y.dwVolumeSerialNumber &&
           x.nFileIndexHigh == y.nFileIndexHigh && x.nFileIndexLow == y.nFileIndexLow;
}
} // namespace

void* StandardHandle(int stream) {
    if (stream == 1 && g_outputKept) return g_output;
    const HANDLE h = GetStdHandle(stream == 1 ? STD_OUTPUT_HANDLE : STD_ERROR_HANDLE);
    return h == INVALID_HANDLE_VALUE ? nullptr : h;
}

int OpenClosedStandardStreams() { return 0; }

// A missing standard handle already fails the write (StandardHandle gives nullptr).
bool StandardStreamWasClosed(int) { return false; }

void SendCStdoutToStderr() {
    std::fflush(stdout);
    const HANDLE process = GetCurrentProcess();
    if (HANDLE out = StandardHandle(1))
        if (!DuplicateHandle(process, out, process, &g_output, 0, FALSE, DUPLICATE_SAME_ACCESS))
            g_output = nullptr;
    g_outputKept = true;
    _dup2(_fileno(stderr), _fileno(stdout));
}

int StandardStreamOf(const std::string& path) {
    struct Name {
        std::string_view path;
        int stream;
    };
    static constexpr Name kNames[] = {
        {"/dev/stdout", 1}, {"/dev/fd/1", 1}, {"/dev/stderr", 2}, {"/dev/fd/2", 2}};
    for (const Name& n : kNames)
        if (path == n.path) return n.stream;

    const HANDLE target = CreateFileW(Widen(path).c_str(), FILE_READ_ATTRIBUTES,
                                      FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE,
                                      nullptr, OPEN_EXISTING, FILE_FLAG_BACKUP_SEMANTICS, nullptr);
    if (target == INVALID_HANDLE_VALUE) return -1;
    int stream = -1;
    for (int s : {1, 2})
        if (stream < 0 && StandardHandle(s) != nullptr && SameFile(target, StandardHandle(s)))
            stream = s;
    CloseHandle(target);
    return stream;
}

} // namespace traverse
