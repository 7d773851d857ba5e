// The folder is made with the default access rights of the user's temporary folder,
// which other users cannot enter; its name carries the process id and a counter.
#include "platform/PrivateFolder.h"

#include "platform/WideText.h"

#include <filesystem>

#include <windows.h>

std::string TemporaryParent() {
    wchar_t buffer[MAX_PATH + 1];
    const DWORD n = GetTempPathW(MAX_PATH + 1, buffer);
    return n == 0 || n > MAX_PATH ? std::string(".\\") : Narrow(std::wstring_view(buffer, n));
}

int MakePrivateFolder(std::string& folder) {
    static unsigned counter = 0;
    const std::string parent = TemporaryParent();
    for (int attempt = 0; attempt < 100; ++attempt) {
        const std::string name = parent + "traverse-adjust." +
                                 std::to_string(GetCurrentProcessId()) + "." +
                                 std::to_string(++counter);
        if (CreateDirectoryW(Widen(name).c_str(), nullptr)) {
            folder = name + "\\";
            return 0;
        }
        if (GetLastError() != ERROR_ALREADY_EXISTS) return int(GetLastError());
    }
    return ERROR_ALREADY_EXISTS;
}

void RemoveFolderTree(const std::string& folder) {
    std::error_code ignored;
    std::filesystem::remove_all(std::filesystem::path(Widen(folder)), ignored);
}

int ReadWholeFile(const std::string& path, std::string& bytes) {
    const HANDLE file = CreateFileW(Widen(path).c_str(), GENERIC_READ, FILE_SHARE_READ, nullptr,
                                    OPEN_EXISTING, 0, nullptr);
    if (file == INVALID_HANDLE_VALUE) return int(GetLastError());
    char buffer[65536];
    DWORD n = 0;
    int error = 0;
    while ((error = ReadFile(file, buffer, sizeof buffer, &n, nullptr) ? 0 : int(GetLastError())) ==
               0 &&
           n > 0)
        bytes.append(buffer, n);
    CloseHandle(file);
    return error;
}
