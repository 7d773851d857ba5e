// The outputs of a batch run, which stand or fall together (COutputSet): each is
// staged as soon as it is made, and all are put in place once every one is ready.
// A failure is said on standard error with the path and the reason.
#pragma once

#include "BatchMessages.h"

#include "platform/OutputSet.h"

#include <optional>
#include <string>
#include <vector>

using namespace traverse;

class CBatchOutputSet {
public:
    // Never writes over keep (the observation file), by whatever name or stream.
    CBatchOutputSet(const std::optional<FileId>& keep, const CBatchMessages& messages)
        : m_keep(keep), m_messages(messages) {}
    // Stages bytes for the path given ("-" standard output); false after the message.
    bool Stage(const std::string& given, const std::string& bytes);
    // The same with bytes made as they are written.
    bool Stage(const std::string& given, const ByteSource& source);
    // Writes the streams, then puts every file in place; false after the message.
    bool Commit();

private:
    void Refuse(const std::string& given, const WriteResult& result, size_t filesInPlace) const;

    std::optional<FileId> m_keep;
    const CBatchMessages& m_messages;
    COutputSet m_set;
    std::vector<std::string> m_given; // the paths staged, in order
};
