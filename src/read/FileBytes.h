// One read of an observation file into memory. Regular files only: the file is opened
// without blocking and a pipe, a device or a folder is refused, never waited on. The
// device and inode are those of the descriptor that was read.
#pragma once

#include <cstddef>
#include <string>

namespace traverse {

enum class FileReadStatus { Ok, CannotOpen, NotRegular, TooLarge };

struct FileBytes {
    std::string bytes;
    unsigned long long device = 0;
    unsigned long long inode = 0;
    int error = 0; // the system's error when the file could not be opened or read
};

// Reads the whole file; TooLarge past maxBytes (checked before and while reading).
FileReadStatus ReadRegularFile(const std::string& path, size_t maxBytes, FileBytes& file);

} // namespace traverse
