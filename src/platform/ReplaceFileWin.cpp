// Writing a report whole on Windows: a wide-character path, the temporary file
// ".traverse-adjust-PID-N.tmp" beside the target, flushed, then moved over it with
// MoveFileExW (replace, write through). Files are known by volume and file index;
// nNumberOfLinks counts the hard links. The replacement keeps the earlier file's
// hidden, system and archive attributes; its access rights are the folder's, as for any
// new file. Ctrl-C or closing the console during the write removes the temporary files.
#include "platform/ReplaceFile.h"

#include "platform/PathNames.h"
#include "platform/StandardHandle.h"
#include "platform/StandardStreams.h"
#include "platform/WideText.h"

#include <windows.h>

namespace traverse {

namespace {
constexpr DWORD kShareAll = FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE;
constexpr DWORD kKeptAttributes =
    FILE_ATTRIBUTE_HIDDEN | FILE_ATTRIBUTE_SYSTEM | FILE_ATTRIBUTE_ARCHIVE;
constexpr int kSlots = 16;

// Removed by the console handler while set; an empty name marks a free slot.
wchar_t g_temporaries[kSlots][MAX_PATH * 4];

BOOL WINAPI RemoveTemporaries(DWORD) {
    for (const auto& name : g_temporaries)
        if (name[0] != L'\0') DeleteFileW(name);
    return FALSE; // the default handler ends the program
}

// A free slot holding name; -1 when none is free or the name is too long.
int TakeSlot(const std::wstring& name) {
    if (name.size() >= MAX_PATH * 4) return -1;
    for (int i = 0; i < kSlots; ++i) {
        if (g_temporaries[i][0] != L'\0') continue;
        name.copy(g_temporaries[i], name.size());
        g_temporaries[i][name.size()] = L'\0';
        SetConsoleCtrlHandler(RemoveTemporaries, TRUE);
        return i;
    }
    return -1;
}

void FreeSlot(int i) {
    g_temporaries[i][0] = L'\0';
    SetConsoleCtrlHandler(RemoveTemporaries, FALSE);
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

// A standard stream or a device: the bytes kept until Finish writes them in place.
class CStagedStream final : public CStagedOutput {
public:
    CStagedStream(HANDLE handle, bool owned, std::string_view bytes)
        : m_handle(handle), m_owned(owned), m_bytes(bytes) {}
    ~CStagedStream() override {
        if (m_owned) CloseHandle(m_handle);
    }
    bool InPlace() const override { return true; }
    WriteResult Finish() override {
        if (int error = WriteAll(m_handle, m_bytes); error != 0)
            return {WriteStatus::StreamFailed, error};
        return {};
    }

private:
    HANDLE m_handle;
    bool m_owned;
    std::string m_bytes;
};

// A file complete in ".traverse-adjust-PID-N.tmp" beside its target; Finish moves it
// over the target.
class CStagedFile final : public CStagedOutput {
public:
    explicit CStagedFile(const std::string& target) : m_target(Widen(target)) {}
    ~CStagedFile() override {
        if (m_slot < 0) return;
        if (!m_moved) DeleteFileW(m_name.c_str());
        FreeSlot(m_slot);
    }
    // Created, written, flushed and closed, with the attributes to keep.
    WriteResult Fill(const std::string& folder, std::string_view bytes, DWORD attributes) {
        const HANDLE file = Create(folder);
        if (file == INVALID_HANDLE_VALUE) return Failed(WriteStatus::CannotCreate);
        int error = WriteAll(file, bytes);
        if (error == 0 && !FlushFileBuffers(file)) error = int(GetLastError());
        if (!CloseHandle(file) && error == 0) error = int(GetLastError());
        if (error != 0) return {WriteStatus::WriteFailed, error};
        if (attributes != 0) SetFileAttributesW(m_name.c_str(), attributes);
        return {};
    }
    bool InPlace() const override { return false; }
    WriteResult Finish() override {
        if (!MoveFileExW(m_name.c_str(), m_target.c_str(),
                         MOVEFILE_REPLACE_EXISTING | MOVEFILE_WRITE_THROUGH))
            return Failed(WriteStatus::WriteFailed);
        m_moved = true;
        return {};
    }

private:
    // Creates the temporary in folder, its name in a slot the console handler reads.
    HANDLE Create(const std::string& folder) {
        static unsigned counter = 0;
        const std::string prefix =
            folder + ".traverse-adjust-" + std::to_string(GetCurrentProcessId());
        for (int attempt = 0; attempt < 100; ++attempt) {
            m_name = Widen(prefix + "-" + std::to_string(++counter) + ".tmp");
            m_slot = TakeSlot(m_name);
            if (m_slot < 0) break;
            const HANDLE file = CreateFileW(m_name.c_str(), GENERIC_WRITE, FILE_SHARE_DELETE,
                                            nullptr, CREATE_NEW, FILE_ATTRIBUTE_NORMAL, nullptr);
            if (file != INVALID_HANDLE_VALUE) return file;
            const DWORD error = GetLastError();
            FreeSlot(m_slot);
            m_slot = -1;
            SetLastError(error);
            if (error != ERROR_FILE_EXISTS && error != ERROR_ALREADY_EXISTS) break;
        }
        if (m_slot < 0 && GetLastError() == 0) SetLastError(ERROR_TOO_MANY_OPEN_FILES);
        return INVALID_HANDLE_VALUE;
    }

    std::wstring m_target;
    std::wstring m_name;
    int m_slot = -1;
    bool m_moved = false;
};

WriteResult StageStream(int stream, std::string_view bytes, const std::optional<FileId>& keep,
                        std::unique_ptr<CStagedOutput>& staged) {
    const HANDLE handle = StandardHandle(stream);
    if (handle == nullptr) return {WriteStatus::StreamFailed, ERROR_INVALID_HANDLE};
    BY_HANDLE_FILE_INFORMATION info{};
    if (GetFileType(handle) == FILE_TYPE_DISK && GetFileInformationByHandle(handle, &info) &&
        SameFile(info, keep))
        return {WriteStatus::Protected};
    staged = std::make_unique<CStagedStream>(handle, false, bytes);
    return {};
}

// A device such as NUL or the console: written where it is.
WriteResult StageDevice(const std::wstring& path, std::string_view bytes,
                        std::unique_ptr<CStagedOutput>& staged) {
    const HANDLE file =
        CreateFileW(path.c_str(), GENERIC_WRITE, kShareAll, nullptr, OPEN_EXISTING, 0, nullptr);
    if (file == INVALID_HANDLE_VALUE) return Failed(WriteStatus::CannotCreate);
    staged = std::make_unique<CStagedStream>(file, true, bytes);
    return {};
}

WriteResult StageFile(const std::string& target, std::string_view bytes, DWORD attributes,
                      std::unique_ptr<CStagedOutput>& staged) {
    auto file = std::make_unique<CStagedFile>(target);
    const WriteResult result = file->Fill(FolderOf(target), bytes, attributes);
    if (result.status == WriteStatus::Written) staged = std::move(file);
    return result;
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

WriteResult StageOutput(const std::string& path, std::string_view bytes,
                        const std::optional<FileId>& keep, std::unique_ptr<CStagedOutput>& staged) {
    if (path.empty()) return {WriteStatus::NoPath};
    // A zero byte would cut the path short and write somewhere else.
    if (path.find('\0') != std::string::npos)
        return {WriteStatus::CannotCreate, ERROR_INVALID_NAME};
    if (int stream = StandardStreamOf(path); stream >= 0)
        return StageStream(stream, bytes, keep, staged);

    const HANDLE file = CreateFileW(Widen(path).c_str(), FILE_READ_ATTRIBUTES, kShareAll, nullptr,
                                    OPEN_EXISTING, FILE_FLAG_BACKUP_SEMANTICS, nullptr);
    if (file == INVALID_HANDLE_VALUE) {
        if (GetLastError() != ERROR_FILE_NOT_FOUND) return Failed(WriteStatus::CannotCreate);
        return StageFile(path, bytes, 0, staged);
    }
    const Existing existing = Inspect(file, path, keep);
    CloseHandle(file);
    if (existing.refused) return *existing.refused;
    if (existing.device) return StageDevice(Widen(path), bytes, staged);
    return StageFile(existing.target, bytes, existing.attributes, staged);
}

WriteResult StageOutput(const std::string& path, const ByteSource& source,
                        const std::optional<FileId>& keep, std::unique_ptr<CStagedOutput>& staged) {
    std::string bytes;
    source([&bytes](std::string_view piece) { bytes.append(piece); });
    return StageOutput(path, std::string_view(bytes), keep, staged);
}

} // namespace traverse
