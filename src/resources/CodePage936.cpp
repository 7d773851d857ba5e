// Code page 936 by a table made from glibc's converter (Cp936Table.inc, written and
// checked by scripts/make-cp936-table.py; a test compares it with the converter both
// ways); CodePage936Win.cpp does the same with the Windows conversion functions.
// Nothing is loaded at run time and nothing is kept between calls.
#include "resources/CodePage936.h"

#include <array>
#include <cstdint>

namespace traverse {

namespace {
constexpr unsigned kFirstLead = 0x81, kLastLead = 0xFE;
constexpr unsigned kFirstTrail = 0x40, kLastTrail = 0xFE;
constexpr unsigned kTrails = kLastTrail - kFirstTrail + 1;
constexpr char32_t kEuro = 0x20AC;                     // the single byte 0x80
constexpr char32_t kFirstTag = 0xE0000, kLastTag = 0xE007F; // written as nothing
constexpr std::string_view kReplacement = "\xEF\xBF\xBD"; // U+FFFD

// The character of each pair, by lead then trail; 0 where the pair is none.
constexpr std::uint16_t kByPair[] = {
#include "resources/Cp936Table.inc"
};
static_assert(std::size(kByPair) == (kLastLead - kFirstLead + 1) * kTrails);

// The pair of each character of the basic plane (the table turned round): 0 where it has
// none, 0x80 for the euro sign, whose form is that one byte.
constexpr auto kByCharacter = [] {
    std::array<std::uint16_t, 0x10000> pairs{};
    for (unsigned i = 0; i < std::size(kByPair); ++i)
        if (kByPair[i] != 0)
            pairs[kByPair[i]] = static_cast<std::uint16_t>(
                (kFirstLead + i / kTrails) << 8 | (kFirstTrail + i % kTrails));
    pairs[kEuro] = 0x80;
    return pairs;
}();

unsigned Byte(std::string_view text, size_t i) { return static_cast<unsigned char>(text[i]); }

// The character of the non-ASCII byte or pair at i and the bytes it takes; no
// character (0) where none starts there: 0xFF, a lead byte cut off at the end, or a
// pair the table lacks, which takes one byte.
std::pair<char32_t, size_t> ReadCharacter(std::string_view cp936, size_t i) {
    const unsigned lead = Byte(cp936, i);
    if (lead == 0x80) return {kEuro, 1};
    if (lead > kLastLead || i + 1 >= cp936.size()) return {0, 1};
    const unsigned trail = Byte(cp936, i + 1);
    if (trail < kFirstTrail || trail > kLastTrail) return {0, 1};
    const char32_t character = kByPair[(lead - kFirstLead) * kTrails + (trail - kFirstTrail)];
    return {character, character != 0 ? 2 : 1};
}

void AppendUtf8(char32_t c, std::string& out) { // c from the table: below U+10000
    if (c < 0x800) {
        out += static_cast<char>(0xC0 | c >> 6);
    } else {
        out += static_cast<char>(0xE0 | c >> 12);
        out += static_cast<char>(0x80 | (c >> 6 & 0x3F));
    }
    out += static_cast<char>(0x80 | (c & 0x3F));
}

} // namespace

std::optional<std::string> Utf8ToCp936(std::string_view utf8) {
    if (!HasNonAscii(utf8)) return std::string(utf8);
    std::string out;
    out.reserve(utf8.size());
    for (size_t i = 0; i < utf8.size();) {
        if (Byte(utf8, i) < 0x80) {
            out += utf8[i++];
            continue;
        }
        char32_t code = 0;
        const size_t length = DecodeUtf8(utf8, i, code);
        if (length == 0) return std::nullopt;
        i += length;
        if (code >= kFirstTag && code <= kLastTag) continue;
        const std::uint16_t pair = code < 0x10000 ? kByCharacter[code] : 0;
        if (pair == 0) return std::nullopt;
        if (pair > 0xFF) out += static_cast<char>(pair >> 8);
        out += static_cast<char>(pair & 0xFF);
    }
    return out;
}

std::string Cp936ToUtf8(std::string_view cp936) {
    if (!HasNonAscii(cp936)) return std::string(cp936);
    std::string out;
    out.reserve(cp936.size() + cp936.size() / 2);
    for (size_t i = 0; i < cp936.size();) {
        if (Byte(cp936, i) < 0x80) {
            out += cp936[i++];
            continue;
        }
        const auto [character, length] = ReadCharacter(cp936, i);
        if (character != 0)
            AppendUtf8(character, out);
        else
            out += kReplacement; // and the reading goes on at the next byte
        i += length;
    }
    return out;
}

bool IsValidCp936(std::string_view bytes) {
    if (!HasNonAscii(bytes)) return true;
    for (size_t i = 0; i < bytes.size();) {
        if (Byte(bytes, i) < 0x80) {
            ++i;
            continue;
        }
        const auto [character, length] = ReadCharacter(bytes, i);
        if (character == 0) return false;
        i += length;
    }
    return true;
}

} // namespace traverse
