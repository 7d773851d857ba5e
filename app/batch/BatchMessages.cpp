#include "BatchMessages.h"

#include "platform/ShownText.h"
#include "resources/StringTable.h"

using namespace traverse;

void CBatchMessages::Say(const std::string& prefix, const std::string& text) const {
    const std::string line = ShownText(prefix) + ": " + ShownText(text) + "\n";
    std::fwrite(line.data(), 1, line.size(), m_err);
    std::fflush(m_err);
}

void CBatchMessages::Refuse(const std::string& prefix, const Refusal& refusal) const {
    Say(prefix, MessageText(refusal));
}
