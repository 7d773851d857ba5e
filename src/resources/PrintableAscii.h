// Whether a text is printable ASCII (0x20 to 0x7E) without a few special bytes: text
// that a writer (JSON, markup) copies as it is. Read eight bytes at a time; inline, with
// the specials a literal, because writers ask it of every key, name and cell.
#pragma once

#include <cstddef>
#include <cstdint>
#include <cstring>
#include <string_view>

namespace traverse {

namespace ascii_words {
constexpr std::uint64_t kEachByte = 0x0101010101010101ULL, kHighBits = 0x8080808080808080ULL;

// Whether any of the eight bytes of w is below n (n at most 128); exact.
constexpr bool AnyBelow(std::uint64_t w, std::uint64_t n) {
    return ((w - kEachByte * n) & ~w & kHighBits) != 0;
}

template <size_t N> inline bool PlainWord(std::uint64_t w, const char (&specials)[N]) {
    // 0x7F and above (a carry out of 0xFF only ever follows a byte that is found).
    if ((((w + kEachByte) | w) & kHighBits) != 0 || AnyBelow(w, 0x20)) return false;
    for (size_t i = 0; i + 1 < N; ++i)
        if (AnyBelow(w ^ (kEachByte * static_cast<unsigned char>(specials[i])), 1)) return false;
    return true;
}
} // namespace ascii_words

// True when every byte is printable ASCII and none is one of specials (a literal).
template <size_t N>
inline bool PrintableAsciiWithout(std::string_view bytes, const char (&specials)[N]) {
    using namespace ascii_words;
    const size_t n = bytes.size();
    std::uint64_t w;
    if (n >= 8) { // the last eight overlap the word before them
        for (size_t i = 0; i + 8 <= n; i += 8) {
            std::memcpy(&w, bytes.data() + i, sizeof w);
            if (!PlainWord(w, specials)) return false;
        }
        std::memcpy(&w, bytes.data() + n - 8, sizeof w);
        return PlainWord(w, specials);
    }
    // A short text (a key, a name) made a word by repeating its first byte.
    if (n == 0) return true;
    w = kEachByte * static_cast<unsigned char>(bytes[0]);
    std::memcpy(&w, bytes.data(), n);
    return PlainWord(w, specials);
}

} // namespace traverse
