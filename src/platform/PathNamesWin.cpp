#include "platform/PathNames.h"

namespace traverse {

std::string FileNameOf(const std::string& path) { return path.substr(FolderOf(path).size()); }

std::string FolderOf(const std::string& path) {
    size_t end = path.find_last_of("\\/");
    if (end == std::string::npos && path.size() >= 2 && path[1] == ':') end = 1; // "C:name"
    return end == std::string::npos ? std::string() : path.substr(0, end + 1);
}

} // namespace traverse
