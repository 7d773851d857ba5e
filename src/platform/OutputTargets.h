// Where an output goes, known before anything is written: a standard stream, a file
// that exists (by device and inode, however it is named), or a file still to be made
// (by its folder's device and inode and its name). And whether a write there could
// succeed, with the same refusals the write itself makes.
#pragma once

#include "platform/ReplaceFile.h"

#include <optional>
#include <string>

namespace traverse {

struct OutputTarget {
    enum class Kind { Stream, Existing, New, Unknown } kind = Kind::Unknown;
    int stream = -1;                  // Stream: 1 standard output, 2 standard error
    FileId file;                      // Existing: the file; New: its folder
    std::string name;                 // New: the file name in that folder
    std::optional<FileId> streamFile; // Stream: the file behind it, when it is one

    // The same place: one stream, one file, or one name in one folder.
    bool SameAs(const OutputTarget& other) const;
    // Whether writing here would write over the file id.
    bool Reaches(const FileId& id) const;
};

// What path names as an output ("-" is not a path: the caller maps it to a stream).
OutputTarget IdentifyOutput(const std::string& path);

// The file at path by device and inode; none when it cannot be reached.
std::optional<FileId> IdentifyFile(const std::string& path);
// The file behind a standard stream (1 or 2) when it is one.
std::optional<FileId> StreamFile(int stream);
// Whether two names in one folder name one file (Windows ignores case).
bool SameFileName(const std::string& a, const std::string& b);

// Whether a write to path could succeed, refused as WriteWholeFile refuses (a folder,
// a pipe, a hard-linked file, no permission, a missing folder); Written when it could.
WriteResult CheckWriteTarget(const std::string& path);

} // namespace traverse
