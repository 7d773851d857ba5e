// Output targets on Windows: files by volume serial number and file index; a file
// still to be made by its folder's and its name, compared without regard to case.
#include "platform/OutputTargets.h"

#include "platform/PathNames.h"
#include "platform/StandardHandle.h"
#include "platform/StandardStreams.h"
#include "platform/WideText.h"

#include <windows.h>

namespace {
constexpr DWORD kShareAll = FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE;

bool Same(const FileId& a, const FileId& b) { return a.device == b.device && a.inode == b.inode; }

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

bool OutputTarget::SameAs(const OutputTarget& other) const {
    if (kind != other.kind || kind == Kind::Unknown) return false;
    if (kind == Kind::Stream) return stream == other.stream;
    return Same(file, other.file) && Lowered(name) == Lowered(other.name);
}

bool OutputTarget::Reaches(const FileId& id) const {
    if (kind == Kind::Existing) return Same(file, id);
    return kind == Kind::Stream && streamFile && Same(*streamFile, id);
}

std::optional<FileId> IdentifyFile(const std::string& path) {
    const HANDLE file = OpenForAttributes(path);
    if (file == INVALID_HANDLE_VALUE) return std::nullopt;
    const auto id = IdOf(file);
    CloseHandle(file);
    return id;
}

OutputTarget IdentifyOutput(const std::string& path) {
    OutputTarget t;
    if (const int stream = StandardStreamOf(path); stream >= 0) {
        t.kind = OutputTarget::Kind::Stream;
        t.stream = stream;
        if (const HANDLE handle = StandardHandle(stream)) t.streamFile = IdOf(handle);
        return t;
    }
    if (const auto id = IdentifyFile(path)) {
        t.kind = OutputTarget::Kind::Existing;
        t.file = *id;
    } else if (const auto folder = IdentifyFile(FolderOrDot(path))) {
        t.kind = OutputTarget::Kind::New;
        t.file = *folder;
        t.name = FileNameOf(path);
    }
    return t;
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
