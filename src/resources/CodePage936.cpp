// Code page 936 through glibc's iconv (Linux); CodePage936Win.cpp does the same with
// the Windows conversion functions. The program's own characters are also kept in a
// table made from the converter, so that a report of ASCII names needs no converter,
// either way. Each thread opens each direction once (opening
// looks the converter up, a cost a long traverse's every name would pay) and starts
// each conversion from its initial state.
#include "resources/CodePage936.h"

#include <algorithm>
#include <array>
#include <cerrno>
#include <cstdint>
#include <iconv.h>
#include <iterator>

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
// The characters of the program's own texts, as the converter gives them.
struct CommonCharacter {
    char32_t code;
    std::uint16_t cp936;
};
constexpr CommonCharacter kCommon[] = {
#include "resources/Cp936Common.inc"
};

// The same entries ordered by their code page 936 form, for reading back.
constexpr auto kByCp936 = [] {
    std::array<CommonCharacter, std::size(kCommon)> sorted{};
    std::copy(std::begin(kCommon), std::end(kCommon), sorted.begin());
    std::sort(sorted.begin(), sorted.end(),
              [](const CommonCharacter& a, const CommonCharacter& b) { return a.cp936 < b.cp936; });
    return sorted;
}();

// Code page 936 text of ASCII and those characters' pairs alone, to UTF-8 without the
// converter; false on any other byte, which the converter then takes whole (a lead byte
// takes the byte after it as its trail there too).
bool CommonToUtf8(std::string_view cp936, std::string& out) {
    out.clear();
    out.reserve(cp936.size() + cp936.size() / 2);
    for (size_t i = 0; i < cp936.size();) {
        const auto lead = static_cast<unsigned char>(cp936[i]);
        if (lead < 0x80) {
            out += static_cast<char>(lead);
            ++i;
            continue;
        }
        if (i + 1 >= cp936.size()) return false;
        const auto pair = static_cast<std::uint16_t>(lead << 8 | static_cast<unsigned char>(cp936[i + 1]));
        const auto* found = std::lower_bound(
            kByCp936.begin(), kByCp936.end(), pair,
            [](const CommonCharacter& c, std::uint16_t value) { return c.cp936 < value; });
        if (found == kByCp936.end() || found->cp936 != pair) return false;
        const char32_t c = found->code; // two or three bytes of UTF-8: all are below U+10000
        if (c < 0x800) {
            out += static_cast<char>(0xC0 | c >> 6);
        } else {
            out += static_cast<char>(0xE0 | c >> 12);
            out += static_cast<char>(0x80 | (c >> 6 & 0x3F));
        }
        out += static_cast<char>(0x80 | (c & 0x3F));
        i += 2;
    }
    return true;
}

// Text made of ASCII and those characters alone (a report's headers, units and verdicts
// around ASCII names) converted without the converter, which is loaded on first use;
// false on anything else, which the converter then takes whole.
bool CommonToCp936(std::string_view utf8, std::string& out) {
    const auto trail = [&utf8](size_t i) {
        return i < utf8.size() && (static_cast<unsigned char>(utf8[i]) & 0xC0) == 0x80;
    };
    const auto bits = [&utf8](size_t i) { return char32_t(static_cast<unsigned char>(utf8[i])); };
    out.clear();
    out.reserve(utf8.size());
    for (size_t i = 0; i < utf8.size();) {
        const char32_t lead = bits(i);
        char32_t code;
        if (lead < 0x80) {
            out += static_cast<char>(lead);
            ++i;
            continue;
        }
        if (lead >= 0xC2 && lead < 0xE0 && trail(i + 1)) {
            code = (lead & 0x1F) << 6 | (bits(i + 1) & 0x3F);
            i += 2;
        } else if (lead >= 0xE0 && lead < 0xF0 && trail(i + 1) && trail(i + 2)) {
            code = (lead & 0x0F) << 12 | (bits(i + 1) & 0x3F) << 6 | (bits(i + 2) & 0x3F);
            i += 3; // an overlong form or a surrogate is in no entry below
        } else {
            return false;
        }
        const auto* found = std::lower_bound(
            std::begin(kCommon), std::end(kCommon), code,
            [](const CommonCharacter& c, char32_t value) { return c.code < value; });
        if (found == std::end(kCommon) || found->code != code) return false;
        out += static_cast<char>(found->cp936 >> 8);
        out += static_cast<char>(found->cp936 & 0xFF);
    }
    return true;
}
} // namespace

std::optional<std::string> Utf8ToCp936(std::string_view utf8) {
    if (!HasNonAscii(utf8)) return std::string(utf8);
    std::string out;
    if (CommonToCp936(utf8, out)) return out;
    if (!Convert(ToGbk(), utf8, out, false, {}, 0)) return std::nullopt;
    return out;
}

std::string Cp936ToUtf8(std::string_view cp936) {
    if (!HasNonAscii(cp936)) return std::string(cp936);
    std::string out;
    if (CommonToUtf8(cp936, out)) return out;
    Convert(ToUtf8(), cp936, out, true, "\xEF\xBF\xBD", 1);
    return out;
}

bool IsValidCp936(std::string_view bytes) {
    if (!HasNonAscii(bytes)) return true;
    std::string ignored;
    return CommonToUtf8(bytes, ignored) || Convert(ToUtf8(), bytes, ignored, false, {}, 0);
}

} // namespace traverse
