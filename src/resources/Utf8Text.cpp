// Tests on bytes that decide how a text is read: ASCII or not, valid UTF-8 or not.
#include "resources/CodePage936.h"

#include <cstdint>
#include <cstring>

namespace traverse {

bool HasNonAscii(std::string_view bytes) {
    size_t i = 0;
    for (; i + 8 <= bytes.size(); i += 8) { // eight bytes at a time: any high bit set
        std::uint64_t word;
        std::memcpy(&word, bytes.data() + i, sizeof word);
        if ((word & 0x8080808080808080ULL) != 0) return true;
    }
    for (; i < bytes.size(); ++i)
        if (static_cast<unsigned char>(bytes[i]) >= 0x80) return true;
    return false;
}

bool HasUtf8BeyondU07FF(std::string_view validUtf8) {
    for (unsigned char c : validUtf8)
        if (c >= 0xE0) return true; // the lead byte of a three- or four-byte sequence
    return false;
}

size_t DecodeUtf8(std::string_view s, size_t i, char32_t& cp) {
    const unsigned char c = static_cast<unsigned char>(s[i]);
    const size_t len = c < 0x80                ? 1
                       : c >= 0xC2 && c < 0xE0 ? 2
                       : c >= 0xE0 && c < 0xF0 ? 3
                       : c >= 0xF0 && c < 0xF5 ? 4
                                               : 0;
    if (len == 0 || i + len > s.size()) return 0;
    cp = len == 1 ? c : c & (0x7F >> len);
    for (size_t k = 1; k < len; ++k) {
        const unsigned char cc = static_cast<unsigned char>(s[i + k]);
        if ((cc & 0xC0) != 0x80) return 0;
        cp = (cp << 6) | (cc & 0x3F);
    }
    const bool overlong = (len == 3 && cp < 0x800) || (len == 4 && cp < 0x10000);
    if (overlong || cp > 0x10FFFF || (cp >= 0xD800 && cp <= 0xDFFF)) return 0;
    return len;
}

bool IsValidUtf8(std::string_view s) {
    for (size_t i = 0; i < s.size();) {
        char32_t cp = 0;
        const size_t len = DecodeUtf8(s, i, cp);
        if (len == 0) return false;
        i += len;
    }
    return true;
}

} // namespace traverse
