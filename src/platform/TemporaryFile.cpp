#include "platform/TemporaryFile.h"

#include <cerrno>
#include <csignal>
#include <cstring>

#include <fcntl.h>
#include <unistd.h>

namespace {

constexpr int kSignals[] = {SIGINT, SIGTERM, SIGHUP};
constexpr int kSignalCount = 3;

// What the handler removes: a name in a folder, both set while no handler runs.
int g_folderFd = -1;
char g_name[64];
struct sigaction g_previous[kSignalCount];
bool g_installed[kSignalCount];

extern "C" void RemoveAndEnd(int signal) {
    if (g_folderFd >= 0) ::unlinkat(g_folderFd, g_name, 0);
    // The earlier action, usually the default one, takes the signal again once this
    // handler returns: the program ends with the usual status for it.
    for (int i = 0; i < kSignalCount; ++i)
        if (kSignals[i] == signal) ::sigaction(signal, &g_previous[i], nullptr);
    ::raise(signal);
}

// A signal the caller ignores (nohup) stays ignored.
void InstallHandlers() {
    struct sigaction action {};
    action.sa_handler = RemoveAndEnd;
    sigemptyset(&action.sa_mask);
    for (int s : kSignals)
        sigaddset(&action.sa_mask, s);
    action.sa_flags = SA_RESTART;
    for (int i = 0; i < kSignalCount; ++i) {
        g_installed[i] = false;
        if (::sigaction(kSignals[i], nullptr, &g_previous[i]) != 0) continue;
        if (g_previous[i].sa_handler == SIG_IGN) continue;
        g_installed[i] = ::sigaction(kSignals[i], &action, nullptr) == 0;
    }
}

void RestoreHandlers() {
    for (int i = 0; i < kSignalCount; ++i)
        if (g_installed[i]) ::sigaction(kSignals[i], &g_previous[i], nullptr);
}

} // namespace

CTemporaryFile::CTemporaryFile(int folderFd) : m_folderFd(folderFd) {
    static unsigned counter = 0;
    const std::string prefix = ".traverse-adjust-" + std::to_string(::getpid()) + "-";
    for (int attempt = 0; attempt < 100; ++attempt) {
        m_name = prefix + std::to_string(++counter) + ".tmp";
        // Handlers first: a signal right after the file appears still finds its name.
        std::strncpy(g_name, m_name.c_str(), sizeof g_name - 1);
        g_folderFd = folderFd;
        InstallHandlers();
        m_fd = ::openat(folderFd, m_name.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, 0666);
        if (m_fd >= 0) {
            m_created = true;
            return;
        }
        m_error = errno;
        RestoreHandlers();
        g_folderFd = -1;
        if (m_error != EEXIST) return;
    }
}

CTemporaryFile::~CTemporaryFile() {
    Close();
    if (!m_created) return;
    if (!m_renamed) ::unlinkat(m_folderFd, m_name.c_str(), 0);
    RestoreHandlers();
    g_folderFd = -1;
}

int CTemporaryFile::Close() {
    if (m_fd < 0) return 0;
    int result = ::close(m_fd) == 0 ? 0 : errno;
    m_fd = -1;
    return result;
}

int CTemporaryFile::RenameTo(const std::string& name) {
    if (::renameat(m_folderFd, m_name.c_str(), m_folderFd, name.c_str()) != 0) return errno;
    m_renamed = true;
    return 0;
}
