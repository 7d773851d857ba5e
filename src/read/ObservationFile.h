// An observation file by its path: read once, whole (a regular file of at most 32 MB;
// a pipe, a device or a folder is refused unread), and parsed by the reader its
// extension names (".txt" or ".con", any case). The file's identity comes along, so
// that nothing is ever written over it.
#pragma once

#include "platform/ReplaceFile.h"
#include "read/ObservationReaders.h"

#include <optional>
#include <string>

namespace traverse {

struct ObservationFile {
    ReadResult read;            // the records, or the refusal
    std::optional<FileId> file; // the file read, by device and inode
};

ObservationFile ReadObservationFile(const std::string& path, const ReadOptions& options = {});

} // namespace traverse
