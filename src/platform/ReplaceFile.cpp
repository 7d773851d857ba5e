#include "platform/ReplaceFile.h"

#include "platform/StandardStreams.h"
#include "platform/TemporaryFile.h"

#include <cerrno>
#include <cstdlib>

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

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

WriteResult WriteInPlace(int fd, std::string_view bytes) {
    int error = WriteAll(fd, bytes);
    if (error != 0) return {WriteStatus::StreamFailed, error};
    return {};
}

WriteResult WriteStream(int fd, std::string_view bytes, const std::optional<FileId>& keep) {
    struct stat st {};
    if (::fstat(fd, &st) == 0 && SameFile(st, keep)) return {WriteStatus::Protected};
    return WriteInPlace(fd, bytes);
}

// A device such as a terminal: nothing to protect, written where it is.
WriteResult WriteDevice(const std::string& path, std::string_view bytes) {
    int fd = ::open(path.c_str(), O_WRONLY | O_CLOEXEC | O_NOCTTY);
    if (fd < 0) return {WriteStatus::CannotCreate, errno};
    WriteResult result = WriteInPlace(fd, bytes);
    if (::close(fd) != 0 && result.status == WriteStatus::Written)
        result = {WriteStatus::StreamFailed, errno};
    return result;
}

// The replacement takes over the earlier file's permission bits, never the special
// ones, and its owner where the system allows it (root); elsewhere it belongs to
// whoever writes it, as a new file would.
void TakeOverAttributes(int fd, const struct stat& earlier) {
    [[maybe_unused]] int owner = ::fchown(fd, earlier.st_uid, earlier.st_gid);
    ::fchmod(fd, earlier.st_mode & 0777);
}

WriteResult ReplaceIn(int folderFd, const std::string& name, std::string_view bytes,
                      const struct stat* earlier) {
    CTemporaryFile temporary(folderFd);
    if (temporary.Fd() < 0) return {WriteStatus::CannotCreate, temporary.Error()};
    if (earlier != nullptr) TakeOverAttributes(temporary.Fd(), *earlier);
    int error = WriteAll(temporary.Fd(), bytes);
    if (error == 0 && ::fsync(temporary.Fd()) != 0) error = errno;
    const int closeError = temporary.Close();
    if (error == 0) error = closeError;
    if (error == 0) error = temporary.RenameTo(name);
    if (error != 0) return {WriteStatus::WriteFailed, error};
    ::fsync(folderFd);
    return {};
}

// "dir/name" is replaced in "dir/"; a bare name in "./".
WriteResult Replace(const std::string& target, std::string_view bytes, const struct stat* earlier) {
    const size_t slash = target.rfind('/');
    const std::string folder = slash == std::string::npos ? "./" : target.substr(0, slash + 1);
    const std::string name = slash == std::string::npos ? target : target.substr(slash + 1);
    int folderFd = ::open(folder.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
    if (folderFd < 0) return {WriteStatus::CannotCreate, errno};
    WriteResult result = ReplaceIn(folderFd, name, bytes, earlier);
    ::close(folderFd);
    return result;
}

} // namespace

WriteResult WriteWholeFile(const std::string& path, std::string_view bytes,
                           const std::optional<FileId>& keep) {
    if (path.empty()) return {WriteStatus::NoPath};
    // A zero byte would cut the path short and write somewhere else.
    if (path.find('\0') != std::string::npos) return {WriteStatus::CannotCreate, EINVAL};
    if (int stream = StandardStreamOf(path); stream >= 0) return WriteStream(stream, bytes, keep);

    struct stat st {};
    if (::stat(path.c_str(), &st) != 0) {
        if (errno != ENOENT) return {WriteStatus::CannotCreate, errno};
        return Replace(path, bytes, nullptr);
    }
    if (SameFile(st, keep)) return {WriteStatus::Protected};
    if (S_ISCHR(st.st_mode)) return WriteDevice(path, bytes);
    if (!S_ISREG(st.st_mode)) return {WriteStatus::NotAFile};
    if (st.st_nlink > 1) return {WriteStatus::HardLinked};
    // A file we may not write stays as it is, as it would with a plain open.
    if (::access(path.c_str(), W_OK) != 0) return {WriteStatus::CannotCreate, errno};
    // Replace the file a symbolic link points to, not the link.
    std::string target = path;
    if (char* real = ::realpath(path.c_str(), nullptr)) {
        target = real;
        std::free(real);
    }
    return Replace(target, bytes, &st);
}
