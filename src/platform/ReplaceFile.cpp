#include "platform/ReplaceFile.h"

#include "platform/FileAttributes.h"
#include "platform/LinkTarget.h"
#include "platform/PathNames.h"
#include "platform/StandardStreams.h"
#include "platform/TemporaryFile.h"

#include <cerrno>
#include <string>
#include <vector>

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

namespace traverse {

namespace {

// 0, or the errno of the write that failed.
int WriteAll(int fd, std::string_view bytes) {
    while (!bytes.empty()) {
        ssize_t n = ::write(fd, bytes.data(), bytes.size());
        if (n < 0) {
            if (errno == EINTR) continue;
            return errno;
        }
        bytes.remove_prefix(static_cast<size_t>(n));
    }
    return 0;
}

bool SameFile(const struct stat& st, const std::optional<FileId>& id) {
    return id && st.st_dev == id->device && st.st_ino == id->inode;
}

// A standard stream or a device: the bytes kept until Finish writes them in place.
class CStagedStream final : public CStagedOutput {
public:
    // The bytes are kept in the pieces they come in (a long report's 64 KB each): one
    // string grown to the whole would hold twice its size while it doubles.
    CStagedStream(int fd, bool owned, const ByteSource& source) : m_fd(fd), m_owned(owned) {
        source([this](std::string_view piece) {
            if (!piece.empty()) m_pieces.emplace_back(piece);
        });
    }
    ~CStagedStream() override {
        if (m_owned) ::close(m_fd);
    }
    bool InPlace() const override { return true; }
    WriteResult Finish() override {
        int error = 0;
        for (size_t i = 0; i < m_pieces.size() && error == 0; ++i)
            error = WriteAll(m_fd, m_pieces[i]);
        if (m_owned && ::close(m_fd) != 0 && error == 0) error = errno;
        m_owned = false;
        if (error != 0) return {WriteStatus::StreamFailed, error};
        return {};
    }

private:
    int m_fd;
    bool m_owned;
    std::vector<std::string> m_pieces;
};

// The folder a replacement is made in, open until the staged file is gone.
struct CFolder {
    explicit CFolder(const std::string& path)
        : fd(::open(path.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC)), error(fd < 0 ? errno : 0) {}
    ~CFolder() {
        if (fd >= 0) ::close(fd);
    }
    CFolder(const CFolder&) = delete;
    CFolder& operator=(const CFolder&) = delete;
    int fd;
    int error;
};

// A file complete in its temporary beside the target; Finish renames it over the target.
class CStagedFile final : public CStagedOutput {
public:
    CStagedFile(const std::string& folder, const std::string& name)
        : m_folder(folder), m_temporary(m_folder.fd), m_name(name) {}
    // The temporary written whole, synced and closed; CannotCreate when the folder or
    // the temporary cannot be opened, WriteFailed when a write, the sync or close fails.
    WriteResult Fill(const ByteSource& source, const std::string& earlierPath,
                     const struct stat* earlier) {
        if (m_folder.fd < 0) return {WriteStatus::CannotCreate, m_folder.error};
        if (m_temporary.Fd() < 0) return {WriteStatus::CannotCreate, m_temporary.Error()};
        if (earlier != nullptr) TakeOverAttributes(earlierPath, *earlier);
        int error = 0; // the first write's that failed; later pieces are dropped
        source([&](std::string_view piece) {
            if (error == 0) error = WriteAll(m_temporary.Fd(), piece);
        });
        if (error == 0 && ::fsync(m_temporary.Fd()) != 0) error = errno;
        const int closeError = m_temporary.Close();
        if (error == 0) error = closeError;
        if (error != 0) return {WriteStatus::WriteFailed, error};
        return {};
    }
    bool InPlace() const override { return false; }
    WriteResult Finish() override {
        if (const int error = m_temporary.RenameTo(m_name); error != 0)
            return {WriteStatus::WriteFailed, error};
        ::fsync(m_folder.fd);
        return {};
    }

private:
    // The replacement takes over the earlier file's permission bits, never the special
    // ones, its owner where the system allows it (root), its ACL and extended
    // attributes; elsewhere it belongs to whoever writes it, as a new file would.
    void TakeOverAttributes(const std::string& earlierPath, const struct stat& earlier) {
        [[maybe_unused]] int owner = ::fchown(m_temporary.Fd(), earlier.st_uid, earlier.st_gid);
        ::fchmod(m_temporary.Fd(), earlier.st_mode & 0777);
        CopyAccessControl(earlierPath, m_temporary.Fd());
        CopyExtendedAttributes(earlierPath, m_temporary.Fd());
    }

    CFolder m_folder; // before the temporary, which is removed from it
    CTemporaryFile m_temporary;
    std::string m_name;
};

WriteResult StageStream(int fd, const ByteSource& bytes, const std::optional<FileId>& keep,
                        std::unique_ptr<CStagedOutput>& staged) {
    // A stream closed when the program started is not there to write to.
    if (StandardStreamWasClosed(fd)) return {WriteStatus::StreamFailed, EBADF};
    struct stat st {};
    if (::fstat(fd, &st) == 0 && SameFile(st, keep)) return {WriteStatus::Protected};
    staged = std::make_unique<CStagedStream>(fd, false, bytes);
    return {};
}

// A device such as a terminal: nothing to protect, written where it is.
WriteResult StageDevice(const std::string& path, const ByteSource& bytes,
                        std::unique_ptr<CStagedOutput>& staged) {
    int fd = ::open(path.c_str(), O_WRONLY | O_CLOEXEC | O_NOCTTY);
    if (fd < 0) return {WriteStatus::CannotCreate, errno};
    staged = std::make_unique<CStagedStream>(fd, true, bytes);
    return {};
}

// "dir/name" is staged in "dir/"; a bare name in "./".
WriteResult StageFile(const std::string& target, const ByteSource& bytes, const struct stat* earlier,
                      std::unique_ptr<CStagedOutput>& staged) {
    const std::string folder = FolderOf(target);
    auto file = std::make_unique<CStagedFile>(folder.empty() ? "./" : folder, FileNameOf(target));
    const WriteResult result = file->Fill(bytes, target, earlier);
    if (result.status == WriteStatus::Written) staged = std::move(file);
    return result;
}

} // namespace

WriteResult StageOutput(const std::string& path, std::string_view bytes,
                        const std::optional<FileId>& keep, std::unique_ptr<CStagedOutput>& staged) {
    return StageOutput(
        path, [bytes](const ByteSink& sink) { sink(bytes); }, keep, staged);
}

WriteResult StageOutput(const std::string& path, const ByteSource& bytes,
                        const std::optional<FileId>& keep, std::unique_ptr<CStagedOutput>& staged) {
    if (path.empty()) return {WriteStatus::NoPath};
    // A zero byte would cut the path short and write somewhere else.
    if (path.find('\0') != std::string::npos) return {WriteStatus::CannotCreate, EINVAL};
    if (int stream = StandardStreamOf(path); stream >= 0)
        return StageStream(stream, bytes, keep, staged);

    // A symbolic link stays a link: the file it names is written, existing or not.
    const std::string target = LinkTarget(path);
    struct stat st {};
    if (::stat(target.c_str(), &st) != 0) {
        if (errno != ENOENT) return {WriteStatus::CannotCreate, errno};
        return StageFile(target, bytes, nullptr, staged);
    }
    if (SameFile(st, keep)) return {WriteStatus::Protected};
    if (S_ISCHR(st.st_mode)) return StageDevice(path, bytes, staged);
    if (!S_ISREG(st.st_mode)) return {WriteStatus::NotAFile};
    if (st.st_nlink > 1) return {WriteStatus::HardLinked};
    // A file we may not write stays as it is, as it would with a plain open.
    if (::access(target.c_str(), W_OK) != 0) return {WriteStatus::CannotCreate, errno};
    return StageFile(target, bytes, &st, staged);
}

} // namespace traverse
