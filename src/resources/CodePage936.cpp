// Code page 936 through glibc's iconv (Linux); CodePage936Win.cpp does the same with
// the Windows conversion functions. Each thread opens each direction once (opening
// looks the converter up, a cost a long traverse's every name would pay) and starts
// each conversion from its initial state.
#include "resources/CodePage936.h"

#include <cerrno>
#include <iconv.h>

namespace traverse {

namespace {
// One direction of conversion, open while the thread runs.
class CConverter {
public:
    CConverter(const char* to, const char* from) : m_cd(iconv_open(to, from)) {}
    ~CConverter() {
        if (Open()) iconv_close(m_cd);
    }
    CConverter(const CConverter&) = delete;
    CConverter& operator=(const CConverter&) = delete;
    bool Open() const { return m_cd != reinterpret_cast<iconv_t>(-1); }
    // The descriptor in its initial state.
    iconv_t Reset() {
        iconv(m_cd, nullptr, nullptr, nullptr, nullptr);
        return m_cd;
    }

private:
    iconv_t m_cd;
};

CConverter& ToGbk() {
    thread_local CConverter converter("GBK", "UTF-8");
    return converter;
}
CConverter& ToUtf8() {
    thread_local CConverter converter("UTF-8", "GBK");
    return converter;
}

// One iconv conversion. Returns false on an invalid or unconvertible sequence unless
// replace is set, in which case the offending bytes become replacement.
bool Convert(CConverter& converter, std::string_view in, std::string& out, bool replace,
             std::string_view replacement, size_t skip) {
    if (!converter.Open()) return false;
    iconv_t cd = converter.Reset();
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
    return ok;
}
} // namespace

std::optional<std::string> Utf8ToCp936(std::string_view utf8) {
    if (!HasNonAscii(utf8)) return std::string(utf8);
    std::string out;
    if (!Convert(ToGbk(), utf8, out, false, {}, 0)) return std::nullopt;
    return out;
}

std::string Cp936ToUtf8(std::string_view cp936) {
    if (!HasNonAscii(cp936)) return std::string(cp936);
    std::string out;
    Convert(ToUtf8(), cp936, out, true, "\xEF\xBF\xBD", 1);
    return out;
}

bool IsValidCp936(std::string_view bytes) {
    if (!HasNonAscii(bytes)) return true;
    std::string ignored;
    return Convert(ToUtf8(), bytes, ignored, false, {}, 0);
}

} // namespace traverse
