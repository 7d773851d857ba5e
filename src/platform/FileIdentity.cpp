// Files by device and inode; the writability of a target as write(2) and rename(2) see it.
#include "platform/OutputTargets.h"

#include "platform/LinkTarget.h"
#include "platform/PathNames.h"
#include "platform/StandardStreams.h"

#include <cerrno>

#include <sys/stat.h>
#include <unistd.h>

namespace traverse {

namespace {
FileId IdOf(const struct stat& st) {
    return {static_cast<unsigned long long>(st.st_dev), static_cast<unsigned long long>(st.st_ino)};
}

// The folder a replacement is made in takes a new file: writable and searchable.
WriteResult CheckFolder(const std::string& path) {
    const std::string folder = FolderOf(path);
    if (::access(folder.empty() ? "." : folder.c_str(), W_OK | X_OK) != 0)
        return {WriteStatus::CannotCreate, errno};
    return {};
}
} // namespace

bool SameFileName(const std::string& a, const std::string& b) { return a == b; }

std::optional<FileId> IdentifyFile(const std::string& path) {
    struct stat st {};
    if (::stat(path.c_str(), &st) != 0) return std::nullopt;
    return IdOf(st);
}

std::optional<FileId> StreamFile(int stream) {
    struct stat st {};
    if (::fstat(stream, &st) != 0 || !S_ISREG(st.st_mode)) return std::nullopt;
    return IdOf(st);
}

WriteResult CheckWriteTarget(const std::string& path) {
    if (path.empty()) return {WriteStatus::NoPath};
    if (path.find('\0') != std::string::npos) return {WriteStatus::CannotCreate, EINVAL};
    if (const int stream = StandardStreamOf(path); stream >= 0) {
        if (StandardStreamWasClosed(stream)) return {WriteStatus::StreamFailed, EBADF};
        return {};
    }
    // A symbolic link's file, existing or not, is made or replaced in its own folder.
    const std::string target = LinkTarget(path);
    struct stat st {};
    if (::stat(target.c_str(), &st) != 0)
        return errno == ENOENT ? CheckFolder(target)
                               : WriteResult{WriteStatus::CannotCreate, errno};
    if (S_ISCHR(st.st_mode)) return {};
    if (!S_ISREG(st.st_mode)) return {WriteStatus::NotAFile};
    if (st.st_nlink > 1) return {WriteStatus::HardLinked};
    if (::access(target.c_str(), W_OK) != 0) return {WriteStatus::CannotCreate, errno};
    return CheckFolder(target);
}

} // namespace traverse
