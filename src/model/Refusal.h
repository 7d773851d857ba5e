// A refusal as a value: the id of its message in the string table and the message's
// arguments (UTF-8): the file, the line and the word where there is one. The core
// never shows a message; whoever called turns a refusal into the one it shows.
#pragma once

#include <string>
#include <vector>

struct Refusal {
    int messageId = 0;
    std::vector<std::string> arguments;
};
