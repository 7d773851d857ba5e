#include "platform/OutputSet.h"

namespace traverse {

WriteResult COutputSet::Stage(const std::string& path, std::string_view bytes,
                              const std::optional<FileId>& keep) {
    return Stage(
        path, [bytes](const ByteSink& sink) { sink(bytes); }, keep);
}

WriteResult COutputSet::Stage(const std::string& path, const ByteSource& source,
                              const std::optional<FileId>& keep) {
    std::unique_ptr<CStagedOutput> staged;
    const WriteResult result = StageOutput(path, source, keep, staged);
    if (result.status == WriteStatus::Written) m_staged.push_back(std::move(staged));
    return result;
}

std::optional<COutputSet::Failure> COutputSet::FinishAll(bool inPlace, size_t& filesInPlace) {
    for (size_t i = 0; i < m_staged.size(); ++i) {
        if (m_staged[i]->InPlace() != inPlace) continue;
        const WriteResult result = m_staged[i]->Finish();
        if (result.status != WriteStatus::Written) return Failure{i, result, filesInPlace};
        if (!inPlace) ++filesInPlace;
    }
    return std::nullopt;
}

std::optional<COutputSet::Failure> COutputSet::Commit() {
    size_t filesInPlace = 0;
    auto failure = FinishAll(true, filesInPlace);
    if (!failure) failure = FinishAll(false, filesInPlace);
    m_staged.clear();
    return failure;
}

WriteResult WriteWholeFile(const std::string& path, std::string_view bytes,
                           const std::optional<FileId>& keep) {
    COutputSet set;
    if (const WriteResult staged = set.Stage(path, bytes, keep);
        staged.status != WriteStatus::Written)
        return staged;
    const auto failure = set.Commit();
    return failure ? failure->result : WriteResult{};
}

} // namespace traverse
