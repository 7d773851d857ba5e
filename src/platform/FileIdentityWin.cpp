// Files on Windows by volume serial number and file index; names compared without
// regard to case; the writability of a target as CreateFileW and MoveFileExW see it.
#include "platform/OutputTargets.h"

#include "platform/PathNames.h"
#include "platform/StandardHandle.h"
#include "platform/StandardStreams.h"
#include "platform/WideText.h"

#include <windows.h>

namespace traverse {

namespace {
constexpr DWORD kShareAll = FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE;

std::optional<FileId> IdOf(HANDLE file) {
    BY_HANDLE_FILE_INFORMATION info{};
    if (GetFileType(file) != FILE_TYPE_DISK || !GetFileInformationByHandle(file, &info))
        return std::nullopt;
    return FileId{info.dwVolumeSerialNumber,
                  (static_cast<unsigned long long>(info.nFileIndexHigh) << 32) |
                      info.nFileIndexLow};
}

HANDLE OpenForAttributes(const std::string& path) {
    return CreateFileW(Widen(path).c_str(), FILE_READ_ATTRIBUTES, kShareAll, nullptr, OPEN_EXISTING,
                       FILE_FLAG_BACKUP_SEMANTICS, nullptr);
}

std::string FolderOrDot(const std::string& path) {
    const std::string folder = FolderOf(path);
    return folder.empty() ? ".\\" : folder;
}

std::string Lowered(std::string text) {
    for (char& c : text)
        if (c >= 'A' && c <= 'Z') c = static_cast<char>(c - 'A' + 'a');
    return text;
}
} // namespace

bool SameFileName(const std::string& a, const std::string& b) { return Lowered(a) == Lowered(b); }

std::optional<FileId> IdentifyFile(const std::string& path) {
    const HANDLE file = OpenForAttributes(path);
    if (file == INVALID_HANDLE_VALUE) return std::nullopt;
    const auto id = IdOf(file);
    CloseHandle(file);
    return id;
}

std::optional<FileId> StreamFile(int stream) {
    const HANDLE handle = StandardHandle(stream);
    return handle != nullptr ? IdOf(handle) : std::nullopt;
}

WriteResult CheckWriteTarget(const std::string& path) {
    if (path.empty()) return {WriteStatus::NoPath};
    if (path.find('\0') != std::string::npos)
        return {WriteStatus::CannotCreate, ERROR_INVALID_NAME};
    if (StandardStreamOf(path) >= 0) return {};
    const HANDLE file = OpenForAttributes(path);
    if (file == INVALID_HANDLE_VALUE) {
        const DWORD error = GetLastError();
        if (error != ERROR_FILE_NOT_FOUND)
            return {WriteStatus::CannotCreate, static_cast<int>(error)};
        const DWORD folder = GetFileAttributesW(Widen(FolderOrDot(path)).c_str());
        if (folder == INVALID_FILE_ATTRIBUTES || !(folder & FILE_ATTRIBUTE_DIRECTORY))
            return {WriteStatus::CannotCreate, ERROR_PATH_NOT_FOUND};
        return {};
    }
    BY_HANDLE_FILE_INFORMATION info{};
    const DWORD type = GetFileType(file);
    const bool known = GetFileInformationByHandle(file, &info) != 0;
    CloseHandle(file);
    if (type == FILE_TYPE_CHAR) return {};
    if (type != FILE_TYPE_DISK || !known || (info.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY))
        return {WriteStatus::NotAFile};
    if (info.nNumberOfLinks > 1) return {WriteStatus::HardLinked};
    if (info.dwFileAttributes & FILE_ATTRIBUTE_READONLY)
        return {WriteStatus::CannotCreate, ERROR_ACCESS_DENIED};
    return {};
}

} // namespace traverse
