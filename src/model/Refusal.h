// A refusal as a value: the id of its message in the string table and the message's
// arguments (UTF-8): the file, the line and the word where there is one. The core
// never shows a message; whoever called turns a refusal into the one it shows.
#pragma once

#include <string>
#include <utility>
#include <vector>

namespace traverse {

struct Refusal {
    Refusal() = default;
    Refusal(int id, std::vector<std::string> args, std::string hintText = {})
        : messageId(id), arguments(std::move(args)), hint(std::move(hintText)) {}

    int messageId = 0;
    std::vector<std::string> arguments;
    std::string hint; // a sentence said after the message (UTF-8); empty when none
};

} // namespace traverse
