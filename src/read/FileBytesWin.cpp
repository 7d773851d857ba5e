// The Windows read: a wide-character path, a disk file only (a folder, a pipe, a
// console or a device is refused), sharing reads and writes with other programs. The
// volume serial number and file index stand for the device and inode.
#include "read/FileBytes.h"

#include "platform/WideText.h"

#include <windows.h>

namespace traverse {

namespace {
FileReadStatus ReadHandle(HANDLE file, size_t maxBytes, FileBytes& out) {
    BY_HANDLE_FILE_INFORMATION info{};
    if (GetFileType(file) != FILE_TYPE_DISK) return FileReadStatus::NotRegular;
    if (!GetFileInformationByHandle(file, &info)) {
        out.error = static_cast<int>(GetLastError());
        return FileReadStatus::CannotOpen;
    }
    if (info.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) return FileReadStatus::NotRegular;
    const unsigned long long size =
        (static_cast<unsigned long long>(info.nFileSizeHigh) << 32) | info.nFileSizeLow;
    if (size > maxBytes) return FileReadStatus::TooLarge;
    out.device = info.dwVolumeSerialNumber;
    out.inode = (static_cast<unsigned long long>(info.nFileIndexHigh) << 32) | info.nFileIndexLow;
    out.bytes.clear();
    out.bytes.reserve(static_cast<size_t>(size));
    char buffer[65536];
    for (;;) {
        DWORD n = 0;
        if (!ReadFile(file, buffer, sizeof buffer, &n, nullptr)) {
            out.error = static_cast<int>(GetLastError());
            return FileReadStatus::CannotOpen;
        }
        if (n == 0) return FileReadStatus::Ok;
        out.bytes.append(buffer, n);
        if (out.bytes.size() > maxBytes) return FileReadStatus::TooLarge; // it grew
    }
}
} // namespace

FileReadStatus ReadRegularFile(const std::string& path, size_t maxBytes, FileBytes& file) {
    const std::wstring wide = Widen(path);
    if (path.empty() || wide.find(L'\0') != std::wstring::npos) {
        file.error = ERROR_INVALID_NAME;
        return FileReadStatus::CannotOpen;
    }
    // A folder opens only with backup semantics, which lets it be told apart.
    const HANDLE handle =
        CreateFileW(wide.c_str(), GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_WRITE, nullptr,
                    OPEN_EXISTING, FILE_FLAG_BACKUP_SEMANTICS, nullptr);
    if (handle == INVALID_HANDLE_VALUE) {
        file.error = static_cast<int>(GetLastError());
        return FileReadStatus::CannotOpen;
    }
    const FileReadStatus status = ReadHandle(handle, maxBytes, file);
    CloseHandle(handle);
    return status;
}

} // namespace traverse
