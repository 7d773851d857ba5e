#include "platform/StandardStreams.h"

#include <cerrno>
#include <cstdio>
#include <string_view>

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

namespace traverse {

namespace {
bool g_closedAtStart[3];
} // namespace

int OpenClosedStandardStreams() {
    for (int fd = STDIN_FILENO; fd <= STDERR_FILENO; ++fd) {
        if (::fcntl(fd, F_GETFD) != -1 || errno != EBADF) continue;
        g_closedAtStart[fd] = true;
        // The lowest free number is fd itself: 0, 1 and 2 are opened in order.
        int opened = ::open("/dev/null", fd == STDIN_FILENO ? O_RDONLY : O_WRONLY);
        if (opened < 0) return errno;
        if (opened != fd) {
            ::dup2(opened, fd);
            ::close(opened);
        }
    }
    return 0;
}

bool StandardStreamWasClosed(int stream) {
    return stream >= STDIN_FILENO && stream <= STDERR_FILENO && g_closedAtStart[stream];
}

void SendCStdoutToStderr() {
    std::fflush(stdout);
    stdout = stderr;
}

int StandardStreamOf(const std::string& path) {
    struct Name {
        std::string_view path;
        int fd;
    };
    static constexpr Name kNames[] = {
        {"/dev/stdout", 1}, {"/dev/fd/1", 1}, {"/proc/self/fd/1", 1},
        {"/dev/stderr", 2}, {"/dev/fd/2", 2}, {"/proc/self/fd/2", 2},
    };
    for (const Name& n : kNames)
        if (path == n.path) return n.fd;

    struct stat target {};
    if (::stat(path.c_str(), &target) != 0) return -1;
    for (int fd : {STDOUT_FILENO, STDERR_FILENO}) {
        // A stream closed at start holds /dev/null, which stays a device of its own.
        if (g_closedAtStart[fd]) continue;
        struct stat stream {};
        if (::fstat(fd, &stream) == 0 && stream.st_dev == target.st_dev &&
            stream.st_ino == target.st_ino)
            return fd;
    }
    return -1;
}

} // namespace traverse
