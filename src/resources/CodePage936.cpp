// Code page 936 through glibc's iconv (Linux); CodePage936Win.cpp does the same with
// the Windows conversion functions.
#include "resources/CodePage936.h"

#include <cerrno>
#include <iconv.h>

namespace traverse {

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

bool IsValidCp936(std::string_view bytes) {
    if (!HasNonAscii(bytes)) return true;
    std::string ignored;
    return Convert("UTF-8", "GBK", bytes, ignored, false, {}, 0);
}

} // namespace traverse
