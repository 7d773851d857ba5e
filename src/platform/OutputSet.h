// The outputs of one run, which stand or fall together. Each file is first written
// whole to its temporary beside the target; a standard stream or a device, which
// cannot be staged, keeps its bytes. Commit then writes the streams and devices, and
// only when all of them succeeded renames every temporary over its target. A failure
// before the renames leaves every file as it was; the temporaries are removed however
// the set ends. Only a failure or a crash between two renames leaves some files
// replaced and the others not.
#pragma once

#include "platform/ReplaceFile.h"

#include <cstddef>
#include <memory>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace traverse {

class COutputSet {
public:
    // Stages bytes for path as StageOutput does; Written when staged. A refused output
    // is not part of the set.
    WriteResult Stage(const std::string& path, std::string_view bytes,
                      const std::optional<FileId>& keep);
    // The same with bytes made as they are written (StageOutput's ByteSource).
    WriteResult Stage(const std::string& path, const ByteSource& source,
                      const std::optional<FileId>& keep);

    struct Failure {
        size_t index;        // of the output among those staged, in order
        WriteResult result;  // why it failed
        size_t filesInPlace; // files already renamed over their targets
    };
    // Streams and devices first, then the renames, each in the order staged; stops at
    // the first failure. Afterwards the set is empty.
    std::optional<Failure> Commit();

private:
    std::optional<Failure> FinishAll(bool inPlace, size_t& filesInPlace);

    std::vector<std::unique_ptr<CStagedOutput>> m_staged;
};

} // namespace traverse
