#include "platform/Program.h"

#include "platform/PathNames.h"
#include "platform/WideText.h"

#include <windows.h>

#include <shellapi.h>

namespace traverse {

std::string ProgramDirectory() {
    std::wstring path(MAX_PATH, L'\0');
    for (;;) {
        const DWORD n = GetModuleFileNameW(nullptr, path.data(), DWORD(path.size()));
        if (n == 0) return "./";
        if (n < path.size()) {
            path.resize(n);
            break;
        }
        path.resize(path.size() * 2);
    }
    const std::string folder = FolderOf(Narrow(path));
    return folder.empty() ? "./" : folder;
}

std::vector<std::string> CommandLineArguments(int, char**) {
    int count = 0;
    wchar_t** wide = CommandLineToArgvW(GetCommandLineW(), &count);
    std::vector<std::string> args;
    for (int i = 1; wide != nullptr && i < count; ++i)
        args.push_back(Narrow(wide[i]));
    if (wide != nullptr) LocalFree(wide);
    return args;
}

void ReportFileSizeLimitAsWriteError() {}

void KeepFreedMemoryForReuse() {}

} // namespace traverse
