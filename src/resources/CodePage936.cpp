#include "resources/CodePage936.h"

#include <cerrno>
#include <iconv.h>

namespace {
// One iconv conversion. Returns false on an invalid or unconvertible sequence unless
// replace is set, in which case the offending bytes become replacement.
bool Convert(const char* to, const char* from, std::string_view in, std::string& out, bool replace,
             std::string_view replacement, size_t skip) {
    iconv_t cd = iconv_open(to, from);
    if (cd == reinterpret_cast<iconv_t>(-1)) return false;
    out.clear();
    char* src = const_cast<char*>(in.data());
    size_t srcLeft = in.size();
    char buffer[1024];
    bool ok = true;
    while (srcLeft > 0) {
        char* dst = buffer;
        size_t dstLeft = sizeof buffer;
        size_t r = iconv(cd, &src, &srcLeft, &dst, &dstLeft);
        out.append(buffer, static_cast<size_t>(dst - buffer));
        if (r != static_cast<size_t>(-1)) continue;
        if (errno == E2BIG) continue;
        if (!replace) {
            ok = false;
            break;
        }
        out.append(replacement);
        size_t n = skip < srcLeft ? skip : srcLeft;
        src += n;
        srcLeft -= n;
    }
    iconv_close(cd);
    return ok;
}
} // namespace

std::optional<std::string> Utf8ToCp936(std::string_view utf8) {
    if (!HasNonAscii(utf8)) return std::string(utf8);
    std::string out;
    if (!Convert("GBK", "UTF-8", utf8, out, false, {}, 0)) return std::nullopt;
    return out;
}

std::string Cp936ToUtf8(std::string_view cp936) {
    if (!HasNonAscii(cp936)) return std::string(cp936);
    std::string out;
    Convert("UTF-8", "GBK", cp936, out, true, "\xEF\xBF\xBD", 1);
    return out;
}

bool HasNonAscii(std::string_view bytes) {
    for (unsigned char c : bytes)
        if (c >= 0x80) return true;
    return false;
}

bool HasUtf8BeyondU07FF(std::string_view validUtf8) {
    for (unsigned char c : validUtf8)
        if (c >= 0xE0) return true; // the lead byte of a three- or four-byte sequence
    return false;
}

bool IsValidUtf8(std::string_view s) {
    size_t i = 0;
    while (i < s.size()) {
        unsigned char c = static_cast<unsigned char>(s[i]);
        size_t len = c < 0x80           ? 1
                     : (c >> 5) == 0x6  ? 2
                     : (c >> 4) == 0xE  ? 3
                     : (c >> 3) == 0x1E ? 4
                                        : 0;
        if (len == 0 || i + len > s.size()) return false;
        unsigned cp = len == 1 ? c : c & (0x7F >> len);
        for (size_t k = 1; k < len; ++k) {
            unsigned char cc = static_cast<unsigned char>(s[i + k]);
            if ((cc & 0xC0) != 0x80) return false;
            cp = (cp << 6) | (cc & 0x3F);
        }
        if ((len == 2 && cp < 0x80) || (len == 3 && cp < 0x800) || (len == 4 && cp < 0x10000) ||
            cp > 0x10FFFF || (cp >= 0xD800 && cp <= 0xDFFF))
            return false;
        i += len;
    }
    return true;
}
