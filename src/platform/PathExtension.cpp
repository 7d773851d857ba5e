// The extension of a file name, the same on every system once FileNameOf has split it.
#include "platform/PathNames.h"

namespace traverse {

std::string LowercaseExtension(const std::string& path) {
    const std::string name = FileNameOf(path);
    const size_t dot = name.rfind('.');
    std::string ext = dot == std::string::npos ? std::string() : name.substr(dot);
    for (char& c : ext)
        if (c >= 'A' && c <= 'Z') c = static_cast<char>(c - 'A' + 'a');
    return ext;
}

} // namespace traverse
