#include "platform/ShownText.h"

#include "resources/CodePage936.h"

#include <cstdio>

namespace traverse {

namespace {

// Characters that move the cursor, change the terminal or reorder what follows.
bool IsHidden(char32_t cp) {
    return cp < 0x20 || (cp >= 0x7F && cp < 0xA0) || cp == 0x200E || cp == 0x200F ||
           (cp >= 0x2028 && cp <= 0x202E) || (cp >= 0x2066 && cp <= 0x2069);
}

void AppendEscape(std::string& out, const char* format, unsigned value) {
    char buffer[8];
    std::snprintf(buffer, sizeof buffer, format, value);
    out += buffer;
}

} // namespace

bool ShownAsIs(std::string_view bytes) {
    for (size_t i = 0; i < bytes.size();) {
        const unsigned char c = static_cast<unsigned char>(bytes[i]);
        if (c >= 0x20 && c < 0x7F) { // printable ASCII: shown
            ++i;
            continue;
        }
        char32_t cp = 0;
        const size_t len = DecodeUtf8(bytes, i, cp);
        if (len == 0 || IsHidden(cp)) return false;
        i += len;
    }
    return true;
}

std::string ShownText(std::string_view bytes) {
    std::string out;
    out.reserve(bytes.size());
    size_t shown = 0; // where the run of characters shown as they are began
    for (size_t i = 0; i < bytes.size();) {
        char32_t cp = 0;
        const size_t len = DecodeUtf8(bytes, i, cp);
        if (len != 0 && !IsHidden(cp)) {
            i += len;
            continue;
        }
        out.append(bytes.substr(shown, i - shown));
        if (len == 0)
            AppendEscape(out, "\\x%02X", static_cast<unsigned char>(bytes[i]));
        else
            AppendEscape(out, cp < 0x80 ? "\\x%02X" : "\\u%04X", static_cast<unsigned>(cp));
        i += len == 0 ? 1 : len;
        shown = i;
    }
    return out.append(bytes.substr(shown));
}

} // namespace traverse
