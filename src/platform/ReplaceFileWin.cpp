// Writing a report whole on Windows: a wide-character path, the temporary file
// ".traverse-adjust-PID-N.tmp" beside the target, flushed, then moved over it with
// MoveFileExW (replace, write through). Files are known by volume and file index;
// nNumberOfLinks counts the hard links. The replacement keeps the earlier file's
// hidden, system and archive attributes; its access rights are the folder's, as for any
// new file. Ctrl-C or closing the console during the write removes the temporary file.
#include "platform/ReplaceFile.h"

#include "platform/PathNames.h"
#include "platform/StandardHandle.h"
#include "platform/StandardStreams.h"
#include "platform/WideText.h"

#include <windows.h>

namespace {
constexpr DWORD kShareAll = FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE;
constexpr DWORD kKeptAttributes =
    FILE_ATTRIBUTE_HIDDEN | FILE_ATTRIBUTE_SYSTEM | FILE_ATTRIBUTE_ARCHIVE;

wchar_t g_temporary[MAX_PATH * 4]; // removed by the console handler while it is set

BOOL WINAPI RemoveTemporary(DWORD) {
    if (g_temporary[0] != L'\0') DeleteFileW(g_temporary);
    return FALSE; // the default handler ends the program
}

WriteResult Failed(WriteStatus status) { return {status, static_cast<int>(GetLastError())}; }

bool SameFile(const BY_HANDLE_FILE_INFORMATION& info, const std::optional<FileId>& id) {
    const unsigned long long index =
        (static_cast<unsigned long long>(info.nFileIndexHigh) << 32) | info.nFileIndexLow;
    return id && id->device == info.dwVolumeSerialNumber && id->inode == index;
}

// 0, or the error of the write that failed.
int WriteAll(HANDLE file, std::string_view bytes) {
    while (!bytes.empty()) {
        const DWORD chunk = bytes.size() > (1u << 20) ? (1u << 20) : DWORD(bytes.size());
        DWORD written = 0;
        if (!WriteFile(file, bytes.data(), chunk, &written, nullptr)) return int(GetLastError());
        bytes.remove_prefix(written);
    }
    return 0;
}

WriteResult WriteInPlace(HANDLE file, std::string_view bytes) {
    if (int error = WriteAll(file, bytes); error != 0) return {WriteStatus::StreamFailed, error};
    return {};
}

WriteResult WriteStream(int stream, std::string_view bytes, const std::optional<FileId>& keep) {
    const HANDLE handle = StandardHandle(stream);
    if (handle == nullptr) return {WriteStatus::StreamFailed, ERROR_INVALID_HANDLE};
    BY_HANDLE_FILE_INFORMATION info{};
    if (GetFileType(handle) == FILE_TYPE_DISK && GetFileInformationByHandle(handle, &info) &&
        SameFile(info, keep))
        return {WriteStatus::Protected};
    return WriteInPlace(handle, bytes);
}

// A device such as NUL or the console: written where it is.
WriteResult WriteDevice(const std::wstring& path, std::string_view bytes) {
    const HANDLE file =
        CreateFileW(path.c_str(), GENERIC_WRITE, kShareAll, nullptr, OPEN_EXISTING, 0, nullptr);
    if (file == INVALID_HANDLE_VALUE) return Failed(WriteStatus::CannotCreate);
    const WriteResult result = WriteInPlace(file, bytes);
    CloseHandle(file);
    return result;
}

// Creates ".traverse-adjust-PID-N.tmp" in folder; its full name in name.
HANDLE CreateTemporary(const std::string& folder, std::wstring& name) {
    static unsigned counter = 0;
    const std::string prefix = folder + ".traverse-adjust-" + std::to_string(GetCurrentProcessId());
    for (int attempt = 0; attempt < 100; ++attempt) {
        name = Widen(prefix + "-" + std::to_string(++counter) + ".tmp");
        if (name.size() >= sizeof g_temporary / sizeof g_temporary[0]) break;
        name.copy(g_temporary, name.size());
        g_temporary[name.size()] = L'\0';
        SetConsoleCtrlHandler(RemoveTemporary, TRUE);
        const HANDLE file = CreateFileW(name.c_str(), GENERIC_WRITE, FILE_SHARE_DELETE, nullptr,
                                        CREATE_NEW, FILE_ATTRIBUTE_NORMAL, nullptr);
        if (file != INVALID_HANDLE_VALUE) return file;
        const DWORD error = GetLastError();
        g_temporary[0] = L'\0';
        SetConsoleCtrlHandler(RemoveTemporary, FALSE);
        SetLastError(error);
        if (error != ERROR_FILE_EXISTS && error != ERROR_ALREADY_EXISTS) break;
    }
    return INVALID_HANDLE_VALUE;
}

// Written, flushed, closed, then moved over target; 0 or the error.
int FillAndMove(HANDLE file, const std::wstring& name, const std::wstring& target,
                std::string_view bytes, DWORD attributes) {
    int error = WriteAll(file, bytes);
    if (error == 0 && !FlushFileBuffers(file)) error = int(GetLastError());
    if (!CloseHandle(file) && error == 0) error = int(GetLastError());
    if (error == 0 && attributes != 0) SetFileAttributesW(name.c_str(), attributes);
    if (error == 0 && !MoveFileExW(name.c_str(), target.c_str(),
                                   MOVEFILE_REPLACE_EXISTING | MOVEFILE_WRITE_THROUGH))
        error = int(GetLastError());
    if (error != 0) DeleteFileW(name.c_str());
    return error;
}

WriteResult Replace(const std::string& target, std::string_view bytes, DWORD attributes) {
    std::wstring name;
    const HANDLE file = CreateTemporary(FolderOf(target), name);
    if (file == INVALID_HANDLE_VALUE) return Failed(WriteStatus::CannotCreate);
    const int error = FillAndMove(file, name, Widen(target), bytes, attributes);
    g_temporary[0] = L'\0';
    SetConsoleCtrlHandler(RemoveTemporary, FALSE);
    if (error != 0) return {WriteStatus::WriteFailed, error};
    return {};
}

// The file a symbolic link leads to, so that the link stays a link.
std::string FinalPath(HANDLE file, const std::string& path) {
    wchar_t buffer[MAX_PATH * 4];
    const DWORD n = GetFinalPathNameByHandleW(file, buffer, MAX_PATH * 4, FILE_NAME_NORMALIZED);
    if (n == 0 || n >= MAX_PATH * 4) return path;
    return Narrow(std::wstring_view(buffer, n));
}

// What an existing target is: a result when it is refused or is a device; otherwise
// the file to replace (a symbolic link's target) and the attributes it passes on.
struct Existing {
    std::optional<WriteResult> refused;
    bool device = false;
    std::string target;
    DWORD attributes = 0;
};

Existing Refused(WriteResult result) { return {result, false, {}, 0}; }
Existing Refused(WriteStatus status) { return Refused(WriteResult{status, 0}); }

Existing Inspect(HANDLE file, const std::string& path, const std::optional<FileId>& keep) {
    BY_HANDLE_FILE_INFORMATION info{};
    const DWORD type = GetFileType(file);
    if (type == FILE_TYPE_CHAR) return {std::nullopt, true, {}, 0};
    if (type != FILE_TYPE_DISK) return Refused(WriteStatus::NotAFile);
    if (!GetFileInformationByHandle(file, &info)) return Refused(Failed(WriteStatus::CannotCreate));
    if (SameFile(info, keep)) return Refused(WriteStatus::Protected);
    if (info.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) return Refused(WriteStatus::NotAFile);
    if (info.nNumberOfLinks > 1) return Refused(WriteStatus::HardLinked);
    // A file we may not write stays as it is, as it would with a plain open.
    if (info.dwFileAttributes & FILE_ATTRIBUTE_READONLY)
        return Refused(WriteResult{WriteStatus::CannotCreate, ERROR_ACCESS_DENIED});
    return {std::nullopt, false, FinalPath(file, path), info.dwFileAttributes & kKeptAttributes};
}
} // namespace

WriteResult WriteWholeFile(const std::string& path, std::string_view bytes,
                           const std::optional<FileId>& keep) {
    if (path.empty()) return {WriteStatus::NoPath};
    // A zero byte would cut the path short and write somewhere else.
    if (path.find('\0') != std::string::npos)
        return {WriteStatus::CannotCreate, ERROR_INVALID_NAME};
    if (int stream = StandardStreamOf(path); stream >= 0) return WriteStream(stream, bytes, keep);

    const HANDLE file = CreateFileW(Widen(path).c_str(), FILE_READ_ATTRIBUTES, kShareAll, nullptr,
                                    OPEN_EXISTING, FILE_FLAG_BACKUP_SEMANTICS, nullptr);
    if (file == INVALID_HANDLE_VALUE) {
        if (GetLastError() != ERROR_FILE_NOT_FOUND) return Failed(WriteStatus::CannotCreate);
        return Replace(path, bytes, 0);
    }
    const Existing existing = Inspect(file, path, keep);
    CloseHandle(file);
    if (existing.refused) return *existing.refused;
    if (existing.device) return WriteDevice(Widen(path), bytes);
    return Replace(existing.target, bytes, existing.attributes);
}
