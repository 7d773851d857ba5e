#include "BatchOutputSet.h"

#include "BatchOutputs.h"
#include "BatchRun.h"

#include "platform/ShownText.h"
#include "resources/StringTable.h"
#include "write/ResultsReport.h"

using namespace traverse;

bool CBatchOutputSet::Stage(const std::string& given, const std::string& bytes) {
    return Stage(given, [&bytes](const ByteSink& sink) { sink(bytes); });
}

bool CBatchOutputSet::Stage(const std::string& given, const ByteSource& source) {
    const WriteResult result = m_set.Stage(OutputPath(given), source, m_keep);
    if (result.status != WriteStatus::Written) {
        Refuse(given, result, 0);
        return false;
    }
    m_given.push_back(given);
    return true;
}

bool CBatchOutputSet::Commit() {
    const auto failure = m_set.Commit();
    if (failure) Refuse(m_given[failure->index], failure->result, failure->filesInPlace);
    m_given.clear();
    return !failure;
}

// A rename that fails after others succeeded says that those files hold the new results.
void CBatchOutputSet::Refuse(const std::string& given, const WriteResult& result,
                             size_t filesInPlace) const {
    const std::string path = OutputPath(given);
    const std::string prefix = given == "-" ? kBatchProgramName : given;
    if (filesInPlace > 0 && result.status == WriteStatus::WriteFailed) {
        m_messages.Say(prefix, FormatString(str::kBatchPartlyReplaced,
                                            {ShownText(path), ErrorText(result.error),
                                             std::to_string(filesInPlace)}));
        return;
    }
    if (const auto refused = WriteFailure(result, path)) m_messages.Refuse(prefix, *refused);
}
