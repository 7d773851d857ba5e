#include "read/ObservationFile.h"

#include "platform/ShownText.h"
#include "read/FileBytes.h"
#include "resources/StringTable.h"

#include <cctype>

namespace traverse {

namespace {
enum class FileKind { Txt, Con, Other };

// By the last three characters of the path, whatever their case.
FileKind KindOf(const std::string& path) {
    if (path.size() < 3) return FileKind::Other;
    std::string ext = path.substr(path.size() - 3);
    for (char& c : ext)
        c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
    if (ext == "txt") return FileKind::Txt;
    if (ext == "con") return FileKind::Con;
    return FileKind::Other;
}

ObservationFile Refused(int messageId, std::vector<std::string> arguments) {
    ObservationFile f;
    f.read.refusal = Refusal{messageId, std::move(arguments)};
    return f;
}
} // namespace

ObservationFile ReadObservationFile(const std::string& path, const ReadOptions& options) {
    const std::string name = DisplayName(path);
    const FileKind kind = KindOf(path);
    if (kind == FileKind::Other) return Refused(str::kUnsupportedExtension, {name});
    FileBytes bytes;
    switch (ReadRegularFile(path, kMaxFileBytes, bytes)) {
    case FileReadStatus::Ok:
        break;
    case FileReadStatus::CannotOpen:
        return Refused(str::kCannotOpenFileReason, {name, ErrorText(bytes.error)});
    case FileReadStatus::NotRegular:
        return Refused(str::kNotRegularFile, {name});
    case FileReadStatus::TooLarge:
        return Refused(str::kFileTooLarge, {name});
    }
    ObservationFile f;
    f.read = kind == FileKind::Txt ? ReadTxtObservations(bytes.bytes, name, options.encoding)
                                   : ReadConObservations(bytes.bytes, name, options);
    f.file = FileId{bytes.device, bytes.inode};
    return f;
}

} // namespace traverse
