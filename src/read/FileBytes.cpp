#include "read/FileBytes.h"

#include <cerrno>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

namespace traverse {

namespace {
FileReadStatus ReadDescriptor(int fd, size_t maxBytes, FileBytes& file) {
    struct stat st {};
    if (::fstat(fd, &st) != 0) {
        file.error = errno;
        return FileReadStatus::CannotOpen;
    }
    if (!S_ISREG(st.st_mode)) return FileReadStatus::NotRegular;
    if (st.st_size > static_cast<off_t>(maxBytes)) return FileReadStatus::TooLarge;
    file.device = static_cast<unsigned long long>(st.st_dev);
    file.inode = static_cast<unsigned long long>(st.st_ino);
    file.bytes.clear();
    file.bytes.reserve(static_cast<size_t>(st.st_size));
    char buffer[65536];
    for (;;) {
        const ssize_t n = ::read(fd, buffer, sizeof buffer);
        if (n == 0) return FileReadStatus::Ok;
        if (n < 0) {
            if (errno == EINTR) continue;
            file.error = errno;
            return FileReadStatus::CannotOpen;
        }
        file.bytes.append(buffer, static_cast<size_t>(n));
        if (file.bytes.size() > maxBytes) return FileReadStatus::TooLarge; // it grew
    }
}
} // namespace

FileReadStatus ReadRegularFile(const std::string& path, size_t maxBytes, FileBytes& file) {
    const int fd = ::open(path.c_str(), O_RDONLY | O_NONBLOCK | O_NOCTTY | O_CLOEXEC);
    if (fd < 0) {
        file.error = errno;
        return FileReadStatus::CannotOpen;
    }
    const FileReadStatus status = ReadDescriptor(fd, maxBytes, file);
    ::close(fd);
    return status;
}

} // namespace traverse
