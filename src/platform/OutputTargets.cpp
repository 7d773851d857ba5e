#include "platform/OutputTargets.h"

#include "platform/PathNames.h"
#include "platform/StandardStreams.h"

#include <cerrno>
#include <cstdlib>

#include <sys/stat.h>
#include <unistd.h>

namespace {
FileId IdOf(const struct stat& st) {
    return {static_cast<unsigned long long>(st.st_dev), static_cast<unsigned long long>(st.st_ino)};
}

bool Same(const FileId& a, const FileId& b) { return a.device == b.device && a.inode == b.inode; }

std::string FolderOrDot(const std::string& path) {
    const std::string folder = FolderOf(path);
    return folder.empty() ? "./" : folder;
}

// The folder a replacement is made in takes a new file: writable and searchable.
WriteResult CheckFolder(const std::string& path) {
    if (::access(FolderOrDot(path).c_str(), W_OK | X_OK) != 0)
        return {WriteStatus::CannotCreate, errno};
    return {};
}
} // namespace

bool OutputTarget::SameAs(const OutputTarget& other) const {
    if (kind != other.kind || kind == Kind::Unknown) return false;
    if (kind == Kind::Stream) return stream == other.stream;
    return Same(file, other.file) && name == other.name;
}

bool OutputTarget::Reaches(const FileId& id) const {
    if (kind == Kind::Existing) return Same(file, id);
    return kind == Kind::Stream && streamFile && Same(*streamFile, id);
}

std::optional<FileId> IdentifyFile(const std::string& path) {
    struct stat st {};
    if (::stat(path.c_str(), &st) != 0) return std::nullopt;
    return IdOf(st);
}

OutputTarget IdentifyOutput(const std::string& path) {
    OutputTarget t;
    if (const int stream = StandardStreamOf(path); stream >= 0) {
        t.kind = OutputTarget::Kind::Stream;
        t.stream = stream;
        struct stat st {};
        if (::fstat(stream, &st) == 0 && S_ISREG(st.st_mode)) t.streamFile = IdOf(st);
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
    if (path.find('\0') != std::string::npos) return {WriteStatus::CannotCreate, EINVAL};
    if (StandardStreamOf(path) >= 0) return {};
    struct stat st {};
    if (::stat(path.c_str(), &st) != 0)
        return errno == ENOENT ? CheckFolder(path) : WriteResult{WriteStatus::CannotCreate, errno};
    if (S_ISCHR(st.st_mode)) return {};
    if (!S_ISREG(st.st_mode)) return {WriteStatus::NotAFile};
    if (st.st_nlink > 1) return {WriteStatus::HardLinked};
    if (::access(path.c_str(), W_OK) != 0) return {WriteStatus::CannotCreate, errno};
    std::string target = path; // a symbolic link's file is replaced in its own folder
    if (char* real = ::realpath(path.c_str(), nullptr)) {
        target = real;
        std::free(real);
    }
    return CheckFolder(target);
}
