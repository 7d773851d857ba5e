#include "platform/PathNames.h"

namespace traverse {

std::string FileNameOf(const std::string& path) { return path.substr(FolderOf(path).size()); }

std::string FolderOf(const std::string& path) {
    const size_t slash = path.rfind('/');
    return slash == std::string::npos ? std::string() : path.substr(0, slash + 1);
}

} // namespace traverse
