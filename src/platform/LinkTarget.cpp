#include "platform/LinkTarget.h"

#include "platform/PathNames.h"

#include <sys/stat.h>
#include <unistd.h>

#include <vector>

namespace traverse {

namespace {
constexpr int kMostLinks = 40; // as the system follows them

// What the link at path holds; empty when path is no link or cannot be read.
std::string LinkText(const std::string& path) {
    struct stat st {};
    if (::lstat(path.c_str(), &st) != 0 || !S_ISLNK(st.st_mode)) return {};
    std::vector<char> text(static_cast<size_t>(st.st_size) + 2);
    const ssize_t n = ::readlink(path.c_str(), text.data(), text.size());
    // One byte more than the size given: a link that grew since is not read half.
    if (n <= 0 || static_cast<size_t>(n) >= text.size()) return {};
    return std::string(text.data(), static_cast<size_t>(n));
}
} // namespace

std::string LinkTarget(const std::string& path) {
    std::string current = path;
    for (int link = 0; link < kMostLinks; ++link) {
        const std::string text = LinkText(current);
        if (text.empty()) return current;
        current = text.front() == '/' ? text : FolderOf(current) + text;
    }
    return path;
}

} // namespace traverse
