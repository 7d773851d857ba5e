#include "write/MarkupText.h"

#include "platform/ShownText.h"

namespace traverse {

namespace {
// Printable ASCII that needs no escape: shown and written as it is.
bool Plain(std::string_view text) {
    for (const char c : text)
        if (c < 0x20 || c > 0x7E || c == '&' || c == '<' || c == '>' || c == '"') return false;
    return true;
}
} // namespace

std::string EscapedMarkup(std::string_view text) {
    std::string out;
    AppendEscapedMarkup(out, text);
    return out;
}

void AppendEscapedMarkup(std::string& out, std::string_view text) {
    if (Plain(text)) {
        out.append(text);
        return;
    }
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
}

} // namespace traverse
