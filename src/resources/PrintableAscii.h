// Whether a text is printable ASCII (0x20 to 0x7E) without a few special bytes: text
// that a writer (JSON, markup) copies as it is; and whether it holds any of a few ASCII
// bytes. Read eight bytes at a time; inline, with the bytes a literal, because writers
// ask it of every key, name and cell.
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

// One to seven bytes as a word for the tests above: every byte of it is one of them,
// some twice (two overlapping loads, no copy through memory that a load must wait for).
inline std::uint64_t ShortWord(const char* p, size_t n) {
    if (n >= 4) {
        std::uint32_t lo, hi;
        std::memcpy(&lo, p, 4);
        std::memcpy(&hi, p + n - 4, 4);
        return lo | (std::uint64_t{hi} << 32);
    }
    const auto at = [p](size_t i) { return std::uint64_t{static_cast<unsigned char>(p[i])}; };
    return (kEachByte * at(0)) ^ ((at(0) ^ at(n / 2)) << 8) ^ ((at(0) ^ at(n - 1)) << 16);
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
    // A short text: a key, a name.
    return n == 0 || PlainWord(ShortWord(bytes.data(), n), specials);
}

// True when some byte of the text is one of bytes (a literal of ASCII characters).
template <size_t N> inline bool ContainsAnyOf(std::string_view text, const char (&bytes)[N]) {
    using namespace ascii_words;
    const auto found = [&bytes](std::uint64_t w) {
        for (size_t i = 0; i + 1 < N; ++i)
            if (AnyBelow(w ^ (kEachByte * static_cast<unsigned char>(bytes[i])), 1)) return true;
        return false;
    };
    const size_t n = text.size();
    std::uint64_t w;
    size_t i = 0;
    for (; i + 8 <= n; i += 8) {
        std::memcpy(&w, text.data() + i, sizeof w);
        if (found(w)) return true;
    }
    return i < n && found(ShortWord(text.data() + i, n - i)); // the tail
}

} // namespace traverse
