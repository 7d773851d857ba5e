// The batch tool's messages on standard error: one line each, in one write, after the
// name of the file it concerns ("closed.txt: …"); names from the command line and the
// files are shown safely (control characters and bytes that are not UTF-8 escaped).
#pragma once

#include "model/Refusal.h"

#include <cstdio>
#include <string>

using namespace traverse;

class CBatchMessages {
public:
    explicit CBatchMessages(std::FILE* err) : m_err(err) {}
    // "prefix: text".
    void Say(const std::string& prefix, const std::string& text) const;
    // The refusal's message after prefix.
    void Refuse(const std::string& prefix, const Refusal& refusal) const;

private:
    std::FILE* m_err;
};
