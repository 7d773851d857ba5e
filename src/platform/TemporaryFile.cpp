#include "platform/TemporaryFile.h"

#include <cerrno>
#include <csignal>
#include <cstring>

#include <fcntl.h>
#include <unistd.h>

namespace traverse {

namespace {

constexpr int kSignals[] = {SIGINT, SIGTERM, SIGHUP, SIGQUIT};
constexpr int kSignalCount = 4;
constexpr int kSlots = 16;

// What the handler removes: names in folders. A slot is filled or emptied only while
// the signals are blocked; folderFd -1 marks it free.
struct Slot {
    int folderFd = -1;
    char name[64] = {};
};
Slot g_slots[kSlots];
int g_used = 0;
struct sigaction g_previous[kSignalCount];
bool g_installed[kSignalCount];
struct sigaction g_previousFileSize;

extern "C" void RemoveAndEnd(int signal) {
    for (const Slot& slot : g_slots)
        if (slot.folderFd >= 0) ::unlinkat(slot.folderFd, slot.name, 0);
    // The earlier action, usually the default one, takes the signal again once this
    // handler returns: the program ends with the usual status for it.
    for (int i = 0; i < kSignalCount; ++i)
        if (kSignals[i] == signal) ::sigaction(signal, &g_previous[i], nullptr);
    ::raise(signal);
}

sigset_t HandledSignals() {
    sigset_t set;
    sigemptyset(&set);
    for (int s : kSignals)
        sigaddset(&set, s);
    return set;
}

// The handled signals held back while the slots change.
class CSignalsBlocked {
public:
    CSignalsBlocked() {
        const sigset_t set = HandledSignals();
        ::sigprocmask(SIG_BLOCK, &set, &m_previous);
    }
    ~CSignalsBlocked() { ::sigprocmask(SIG_SETMASK, &m_previous, nullptr); }

private:
    sigset_t m_previous;
};

// A signal the caller ignores (nohup) stays ignored.
void InstallHandlers() {
    struct sigaction action {};
    action.sa_handler = RemoveAndEnd;
    action.sa_mask = HandledSignals();
    action.sa_flags = SA_RESTART;
    for (int i = 0; i < kSignalCount; ++i) {
        g_installed[i] = false;
        if (::sigaction(kSignals[i], nullptr, &g_previous[i]) != 0) continue;
        if (g_previous[i].sa_handler == SIG_IGN) continue;
        g_installed[i] = ::sigaction(kSignals[i], &action, nullptr) == 0;
    }
    struct sigaction ignore {};
    ignore.sa_handler = SIG_IGN;
    ::sigaction(SIGXFSZ, &ignore, &g_previousFileSize);
}

void RestoreHandlers() {
    for (int i = 0; i < kSignalCount; ++i)
        if (g_installed[i]) ::sigaction(kSignals[i], &g_previous[i], nullptr);
    ::sigaction(SIGXFSZ, &g_previousFileSize, nullptr);
}

// A free slot holding name, the handlers installed with the first; -1 when all are taken.
int TakeSlot(int folderFd, const std::string& name) {
    CSignalsBlocked blocked;
    for (int i = 0; i < kSlots; ++i) {
        Slot& slot = g_slots[i];
        if (slot.folderFd >= 0) continue;
        std::strncpy(slot.name, name.c_str(), sizeof slot.name - 1);
        slot.folderFd = folderFd;
        if (g_used++ == 0) InstallHandlers();
        return i;
    }
    return -1;
}

void FreeSlot(int i) {
    CSignalsBlocked blocked;
    g_slots[i].folderFd = -1;
    if (--g_used == 0) RestoreHandlers();
}

} // namespace

CTemporaryFile::CTemporaryFile(int folderFd) : m_folderFd(folderFd) {
    static unsigned counter = 0;
    const std::string prefix = ".traverse-adjust-" + std::to_string(::getpid()) + "-";
    for (int attempt = 0; attempt < 100; ++attempt) {
        m_name = prefix + std::to_string(++counter) + ".tmp";
        // The slot first: a signal right after the file appears still finds its name.
        m_slot = TakeSlot(folderFd, m_name);
        if (m_slot < 0) {
            m_error = EMFILE;
            return;
        }
        m_fd = ::openat(folderFd, m_name.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, 0666);
        if (m_fd >= 0) return;
        m_error = errno;
        FreeSlot(m_slot);
        m_slot = -1;
        if (m_error != EEXIST) return;
    }
}

CTemporaryFile::~CTemporaryFile() {
    Close();
    if (m_slot < 0) return;
    if (!m_renamed) ::unlinkat(m_folderFd, m_name.c_str(), 0);
    FreeSlot(m_slot);
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
    // Renamed, it is no longer the handler's to remove.
    FreeSlot(m_slot);
    m_slot = -1;
    return 0;
}

} // namespace traverse
