// Writing the report file so that a failed export never destroys an earlier report:
// the bytes go to a temporary file in the target's folder, which replaces the
// target only once it is complete, flushed and closed.
#include "export/ResultsReport.h"

#include <cerrno>
#include <cstdlib>
#include <string>

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

namespace {

bool WriteAll(int fd, std::string_view bytes) {
    const char* p = bytes.data();
    size_t left = bytes.size();
    while (left > 0) {
        ssize_t n = ::write(fd, p, left);
        if (n < 0) {
            if (errno == EINTR) continue;
            return false;
        }
        p += n;
        left -= static_cast<size_t>(n);
    }
    return true;
}

// "dir/" of "dir/name", "./" for a bare name, "/" for "/name".
std::string FolderOf(const std::string& path) {
    size_t slash = path.rfind('/');
    if (slash == std::string::npos) return "./";
    return path.substr(0, slash + 1);
}

// A device such as a terminal: nothing to protect, written where it is.
ReportWriteStatus WriteInPlace(const std::string& path, std::string_view bytes) {
    int fd = ::open(path.c_str(), O_WRONLY | O_CLOEXEC | O_NOCTTY);
    if (fd < 0) return ReportWriteStatus::CannotCreate;
    bool ok = WriteAll(fd, bytes);
    ok = (::close(fd) == 0) && ok;
    return ok ? ReportWriteStatus::Written : ReportWriteStatus::WriteFailed;
}

// Opens a new file with a name of its own in folder; -1 when the folder refuses it.
int CreateTemporary(const std::string& folder, std::string& name) {
    static unsigned counter = 0;
    for (int attempt = 0; attempt < 100; ++attempt) {
        name = folder + ".report-" + std::to_string(::getpid()) + "-" + std::to_string(++counter) +
               ".tmp";
        int fd = ::open(name.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, 0666);
        if (fd >= 0 || errno != EEXIST) return fd;
    }
    return -1;
}

void SyncFolder(const std::string& folder) {
    int fd = ::open(folder.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
    if (fd < 0) return;
    ::fsync(fd);
    ::close(fd);
}

} // namespace

ReportWriteStatus WriteReportFile(const std::string& path, std::string_view bytes) {
    // A zero byte would cut the path short and write somewhere else.
    if (path.empty() || path.back() == '/' || path.find('\0') != std::string::npos)
        return ReportWriteStatus::CannotCreate;

    std::string target = path;
    struct stat st {};
    bool exists = ::stat(path.c_str(), &st) == 0;
    if (!exists && errno != ENOENT) return ReportWriteStatus::CannotCreate;
    if (exists) {
        if (S_ISCHR(st.st_mode)) return WriteInPlace(path, bytes);
        if (!S_ISREG(st.st_mode)) return ReportWriteStatus::CannotCreate;
        // A file we may not write stays as it is, as it would with a plain open.
        if (::access(path.c_str(), W_OK) != 0) return ReportWriteStatus::CannotCreate;
        // Replace the file a symbolic link points to, not the link.
        if (char* real = ::realpath(path.c_str(), nullptr)) {
            target = real;
            std::free(real);
        }
    }

    std::string folder = FolderOf(target);
    std::string temporary;
    int fd = CreateTemporary(folder, temporary);
    if (fd < 0) return ReportWriteStatus::CannotCreate;
    if (exists) ::fchmod(fd, st.st_mode & 07777);

    bool ok = WriteAll(fd, bytes) && ::fsync(fd) == 0;
    ok = (::close(fd) == 0) && ok;
    if (ok) ok = ::rename(temporary.c_str(), target.c_str()) == 0;
    if (!ok) {
        ::unlink(temporary.c_str());
        return ReportWriteStatus::WriteFailed;
    }
    SyncFolder(folder);
    return ReportWriteStatus::Written;
}

ReportWriteStatus ExportReport(const CTraverseAdjustDlg& ws, const ReportSections& sections,
                               const std::string& path) {
    return WriteReportFile(path, BuildResultsReport(ws, sections));
}
