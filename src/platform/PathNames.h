// Paths as the system writes them: where the folder ends and the file name begins.
// Linux separates with '/'; Windows with '\' or '/', after an optional drive "C:".
#pragma once

#include <string>

namespace traverse {

// The file name of path: everything after its last separator (all of it when none).
std::string FileNameOf(const std::string& path);
// The folder of path with its separator ("dir/"), or "" when path names no folder.
std::string FolderOf(const std::string& path);
// The extension of the file name of path in lower case, with its point (".csv"), or "".
std::string LowercaseExtension(const std::string& path);

} // namespace traverse
