#include "write/MarkupText.h"

#include "platform/ShownText.h"

namespace traverse {

std::string EscapedMarkup(std::string_view text) {
    std::string out;
    for (char c : ShownText(text)) {
        switch (c) {
        case '&':
            out += "&amp;";
            break;
        case '<':
            out += "&lt;";
            break;
        case '>':
            out += "&gt;";
            break;
        case '"':
            out += "&quot;";
            break;
        default:
            out += c;
        }
    }
    return out;
}

} // namespace traverse
