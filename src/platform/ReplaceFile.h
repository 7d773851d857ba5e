// Writing a report whole, so that no write loses earlier data. A regular file is
// written to a temporary file beside it and renamed over it only when complete,
// flushed and closed; it keeps the earlier file's permission bits (less set-user-id,
// set-group-id and sticky) and, where the system allows, its owner, ACL and extended
// attributes. A symbolic link is written through to the file it names, existing or
// not. Standard output and standard error, under any name, and character devices are
// written in place.
#pragma once

#include <functional>
#include <memory>
#include <optional>
#include <string>
#include <string_view>

namespace traverse {

// A file by device and inode, however it is named.
struct FileId {
    unsigned long long device = 0;
    unsigned long long inode = 0;
};

enum class WriteStatus {
    Written,      // complete and in place
    NoPath,       // the path is empty
    CannotCreate, // the file cannot be made there (error says why); nothing changed
    WriteFailed,  // writing the temporary file failed; the earlier file is untouched
    StreamFailed, // writing in place (a standard stream, a device) failed part-way
    NotAFile,     // a folder, pipe, socket or block device: never written
    HardLinked,   // a file with other hard links, which would keep the old text
    Protected,    // the file the caller protects
};

struct WriteResult {
    WriteStatus status = WriteStatus::Written;
    int error = 0; // errno of the failed call; 0 when there is none
};

// One output made ready: a file complete in its temporary (flushed, synced, closed),
// or the bytes for a stream or device, which cannot be staged. Destroyed before
// Finish, it leaves the target as it was and removes the temporary.
class CStagedOutput {
public:
    virtual ~CStagedOutput() = default;
    // A stream or device: Finish writes the bytes there; a file: Finish renames.
    virtual bool InPlace() const = 0;
    virtual WriteResult Finish() = 0;
};

// Prepares path to receive bytes (the platform's bytes), refused as WriteWholeFile
// refuses; Written, with staged set, when it is ready. Nothing is in place yet.
WriteResult StageOutput(const std::string& path, std::string_view bytes,
                        const std::optional<FileId>& keep, std::unique_ptr<CStagedOutput>& staged);

// Bytes made piece by piece: a source calls its sink with each piece in order.
using ByteSink = std::function<void(std::string_view)>;
using ByteSource = std::function<void(const ByteSink&)>;

// StageOutput with the bytes from source, made as they are written to a file's
// temporary (kept whole only for a stream or device). Linux; Windows gathers them first.
WriteResult StageOutput(const std::string& path, const ByteSource& source,
                        const std::optional<FileId>& keep, std::unique_ptr<CStagedOutput>& staged);

// Writes bytes as the whole content of path (the platform's bytes). The file keep,
// reached by whatever name or stream, is never written.
WriteResult WriteWholeFile(const std::string& path, std::string_view bytes,
                           const std::optional<FileId>& keep);

} // namespace traverse
