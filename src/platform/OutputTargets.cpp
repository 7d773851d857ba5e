#include "platform/OutputTargets.h"

#include "platform/LinkTarget.h"
#include "platform/PathNames.h"
#include "platform/StandardStreams.h"

namespace traverse {

namespace {
bool Same(const FileId& a, const FileId& b) { return a.device == b.device && a.inode == b.inode; }

std::string FolderOrDot(const std::string& path) {
    const std::string folder = FolderOf(path);
    return folder.empty() ? "./" : folder;
}
} // namespace

bool OutputTarget::SameAs(const OutputTarget& other) const {
    if (kind != other.kind || kind == Kind::Unknown) return false;
    if (kind == Kind::Stream) return stream == other.stream;
    return Same(file, other.file) && SameFileName(name, other.name);
}

bool OutputTarget::Reaches(const FileId& id) const {
    if (kind == Kind::Existing) return Same(file, id);
    return kind == Kind::Stream && streamFile && Same(*streamFile, id);
}

OutputTarget IdentifyOutput(const std::string& path) {
    OutputTarget t;
    if (const int stream = StandardStreamOf(path); stream >= 0) {
        t.kind = OutputTarget::Kind::Stream;
        t.stream = stream;
        t.streamFile = StreamFile(stream);
        return t;
    }
    // A link to a file still to be made stands for that file, by its folder and name.
    const std::string target = LinkTarget(path);
    if (const auto id = IdentifyFile(target)) {
        t.kind = OutputTarget::Kind::Existing;
        t.file = *id;
    } else if (const auto folder = IdentifyFile(FolderOrDot(target))) {
        t.kind = OutputTarget::Kind::New;
        t.file = *folder;
        t.name = FileNameOf(target);
    }
    return t;
}

} // namespace traverse
