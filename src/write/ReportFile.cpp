// A write that failed, as the refusal that names its path and the system's reason.
#include "write/ResultsReport.h"

#include "platform/ShownText.h"
#include "resources/StringTable.h"

namespace traverse {

std::optional<Refusal> WriteFailure(const WriteResult& result, const std::string& path) {
    struct Failure {
        WriteStatus status;
        int messageId; // %1 the path, %2 the reason
    };
    static constexpr Failure kFailures[] = {
        {WriteStatus::NoPath, str::kCannotWriteReport},
        {WriteStatus::CannotCreate, str::kCannotCreateReport},
        {WriteStatus::WriteFailed, str::kReportWriteFailed},
        {WriteStatus::StreamFailed, str::kReportStreamFailed},
        {WriteStatus::NotAFile, str::kReportNotAFile},
        {WriteStatus::HardLinked, str::kReportHardLinked},
        {WriteStatus::Protected, str::kReportIsObservations},
    };
    const std::string reason = result.error != 0 ? ErrorText(result.error) : std::string();
    for (const Failure& f : kFailures)
        if (f.status == result.status) return Refusal{f.messageId, {ShownText(path), reason}};
    return std::nullopt;
}

} // namespace traverse
