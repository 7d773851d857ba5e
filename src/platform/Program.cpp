#include "platform/Program.h"

#include <climits>
#include <csignal>
#include <unistd.h>

#ifdef __GLIBC__
#include <cstdint>
#include <cstdlib>
#include <malloc.h>
#include <sys/mman.h>
#endif

namespace traverse {

std::string ProgramDirectory() {
    char buffer[PATH_MAX];
    const ssize_t n = readlink("/proc/self/exe", buffer, sizeof buffer - 1);
    if (n <= 0) return "./";
    const std::string path(buffer, static_cast<size_t>(n));
    const size_t slash = path.rfind('/');
    return slash == std::string::npos ? "./" : path.substr(0, slash + 1);
}

std::vector<std::string> CommandLineArguments(int argc, char** argv) {
    return argc > 1 ? std::vector<std::string>(argv + 1, argv + argc) : std::vector<std::string>();
}

void ReportFileSizeLimitAsWriteError() { std::signal(SIGXFSZ, SIG_IGN); }

void KeepFreedMemoryForReuse() {
#ifdef __GLIBC__
    constexpr std::uintptr_t kLargePage = 2 << 20, kNear = 2 << 20; // bytes
    mallopt(M_MMAP_THRESHOLD, 32 << 20);                            // the most glibc takes
    mallopt(M_TRIM_THRESHOLD, 256 << 20);
    mallopt(M_TOP_PAD, 64 << 20);
    // A block past the heap's end grows it by the pad now; freed, it stays in the heap.
    const auto before = reinterpret_cast<std::uintptr_t>(sbrk(0));
    void* volatile block = std::malloc(256 << 10); // volatile: kept, not optimised away
    std::free(block);
    const auto after = reinterpret_cast<std::uintptr_t>(sbrk(0));
    const std::uintptr_t far = (before + kNear + kLargePage - 1) & ~(kLargePage - 1);
    if (before != 0 && after > far)
        madvise(reinterpret_cast<void*>(far), after - far, MADV_HUGEPAGE);
#endif
}

} // namespace traverse
