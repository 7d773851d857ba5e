#include "platform/PrivateFolder.h"

#include <cerrno>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <unistd.h>

std::string TemporaryParent() {
    const char* tmp = std::getenv("TMPDIR");
    return tmp != nullptr && *tmp != '\0' ? tmp : "/tmp";
}

int MakePrivateFolder(std::string& folder) {
    std::string pattern = TemporaryParent() + "/traverse-adjust.XXXXXX";
    if (mkdtemp(pattern.data()) == nullptr) return errno;
    folder = pattern + "/";
    return 0;
}

void RemoveFolderTree(const std::string& folder) {
    std::error_code ignored;
    std::filesystem::remove_all(folder, ignored);
}

int ReadWholeFile(const std::string& path, std::string& bytes) {
    std::FILE* f = std::fopen(path.c_str(), "rb");
    if (f == nullptr) return errno;
    char buffer[65536];
    size_t n;
    while ((n = std::fread(buffer, 1, sizeof buffer, f)) > 0)
        bytes.append(buffer, n);
    const int error = std::ferror(f) ? EIO : 0;
    std::fclose(f);
    return error;
}
