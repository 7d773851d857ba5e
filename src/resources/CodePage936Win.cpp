// Code page 936 through the Windows conversion functions, which agree with glibc's GBK:
// the single byte 0x80 is the euro sign, 0xFF is no character.
#include "resources/CodePage936.h"

#include <windows.h>

namespace traverse {

namespace {
constexpr UINT kCp936 = 936;
constexpr std::string_view kReplacement = "\xEF\xBF\xBD"; // U+FFFD

bool IsLeadByte(unsigned char c) { return c >= 0x81 && c <= 0xFE; }

// One character of code page 936 (one or two bytes) to UTF-16; false when invalid.
bool DecodeCharacter(std::string_view bytes, std::wstring& out) {
    wchar_t wide[2];
    const int n = MultiByteToWideChar(kCp936, MB_ERR_INVALID_CHARS, bytes.data(),
                                      static_cast<int>(bytes.size()), wide, 2);
    if (n <= 0) return false;
    out.append(wide, static_cast<size_t>(n));
    return true;
}

// The length of the character at i, appended to wide; 0 when no character starts there.
size_t DecodeAt(std::string_view cp936, size_t i, std::wstring& wide) {
    const unsigned char c = static_cast<unsigned char>(cp936[i]);
    if (c < 0x80) {
        wide.push_back(static_cast<wchar_t>(c));
        return 1;
    }
    if (IsLeadByte(c) && i + 1 < cp936.size() && DecodeCharacter(cp936.substr(i, 2), wide))
        return 2;
    if (c == 0x80 && DecodeCharacter(cp936.substr(i, 1), wide)) return 1;
    return 0;
}

std::string Utf16ToUtf8(const std::wstring& wide) {
    if (wide.empty()) return {};
    const int size = static_cast<int>(wide.size());
    const int n = WideCharToMultiByte(CP_UTF8, 0, wide.data(), size, nullptr, 0, nullptr, nullptr);
    std::string out(static_cast<size_t>(n), '\0');
    WideCharToMultiByte(CP_UTF8, 0, wide.data(), size, out.data(), n, nullptr, nullptr);
    return out;
}
} // namespace

std::optional<std::string> Utf8ToCp936(std::string_view utf8) {
    if (!HasNonAscii(utf8)) return std::string(utf8);
    const int size = static_cast<int>(utf8.size());
    const int wideSize =
        MultiByteToWideChar(CP_UTF8, MB_ERR_INVALID_CHARS, utf8.data(), size, nullptr, 0);
    if (wideSize <= 0) return std::nullopt;
    std::wstring wide(static_cast<size_t>(wideSize), L'\0');
    MultiByteToWideChar(CP_UTF8, MB_ERR_INVALID_CHARS, utf8.data(), size, wide.data(), wideSize);

    BOOL usedDefault = FALSE;
    const int n = WideCharToMultiByte(kCp936, WC_NO_BEST_FIT_CHARS, wide.data(), wideSize, nullptr,
                                      0, nullptr, &usedDefault);
    if (n <= 0 || usedDefault) return std::nullopt;
    std::string out(static_cast<size_t>(n), '\0');
    WideCharToMultiByte(kCp936, WC_NO_BEST_FIT_CHARS, wide.data(), wideSize, out.data(), n, nullptr,
                        &usedDefault);
    if (usedDefault) return std::nullopt;
    return out;
}

// Character by character, so that a bad byte costs one U+FFFD and the next byte is read
// afresh, as glibc's converter and the Linux table do.
std::string Cp936ToUtf8(std::string_view cp936) {
    if (!HasNonAscii(cp936)) return std::string(cp936);
    std::string out;
    std::wstring wide;
    size_t i = 0;
    while (i < cp936.size()) {
        if (const size_t length = DecodeAt(cp936, i, wide); length != 0) {
            i += length;
            continue;
        }
        out += Utf16ToUtf8(wide);
        wide.clear();
        out += kReplacement;
        ++i;
    }
    return out + Utf16ToUtf8(wide);
}

bool IsValidCp936(std::string_view bytes) {
    std::wstring wide;
    for (size_t i = 0; i < bytes.size(); wide.clear()) {
        const size_t length = DecodeAt(bytes, i, wide);
        if (length == 0) return false;
        i += length;
    }
    return true;
}

} // namespace traverse
