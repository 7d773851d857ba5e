#include "write/MarkupText.h"

#include "platform/ShownText.h"
#include "resources/CodePage936.h"

namespace traverse {

namespace {
// Printable ASCII that needs no escape: shown and written as it is.
bool Plain(std::string_view text) { return PrintableAsciiWithout(text, "&<>\""); }

// The entity a character is written as; none for the rest.
const char* EntityOf(char c) {
    switch (c) {
    case '&':
        return "&amp;";
    case '<':
        return "&lt;";
    case '>':
        return "&gt;";
    case '"':
        return "&quot;";
    default:
        return nullptr;
    }
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
    std::string made; // where something had to be made visible
    std::string_view shown = text;
    if (!ShownAsIs(text)) shown = made = ShownText(text);
    if (!ContainsAnyOf(shown, "&<>\"")) {
        out.append(shown);
        return;
    }
    size_t from = 0; // the run of characters written as they are
    for (size_t i = 0; i < shown.size(); ++i) {
        const char* entity = EntityOf(shown[i]);
        if (entity == nullptr) continue;
        out.append(shown.substr(from, i - from)).append(entity);
        from = i + 1;
    }
    out.append(shown.substr(from));
}

} // namespace traverse
