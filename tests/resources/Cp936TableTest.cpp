// The table gives what glibc's converter gives, both ways: every pair and lone byte read
// (replaced or refused as the converter refuses it), every code point written, and texts
// that mix characters with ASCII, with a cut or overlong sequence and with bytes that
// start no character.
#ifndef _WIN32
#include "resources/CodePage936.h"

#include <gtest/gtest.h>

#include <cerrno>
#include <iconv.h>
#include <optional>
#include <string>

using namespace traverse;

namespace {
constexpr const char* kReplacement = "\xEF\xBF\xBD";

// The converter in one direction, as the table was made from it.
class CConverter {
public:
    CConverter(const char* to, const char* from) : m_cd(iconv_open(to, from)) {}
    ~CConverter() { iconv_close(m_cd); }
    // The whole text converted; none where the converter stops, unless replace is set,
    // when the byte where it stopped becomes U+FFFD and it goes on after that byte.
    std::optional<std::string> operator()(const std::string& text, bool replace = false) {
        iconv(m_cd, nullptr, nullptr, nullptr, nullptr);
        std::string out;
        char* in = const_cast<char*>(text.data());
        size_t inLeft = text.size();
        while (inLeft > 0) {
            char buffer[256];
            char* at = buffer;
            size_t outLeft = sizeof buffer;
            const size_t r = iconv(m_cd, &in, &inLeft, &at, &outLeft);
            out.append(buffer, static_cast<size_t>(at - buffer));
            if (r != static_cast<size_t>(-1) || errno == E2BIG) continue;
            if (!replace) return std::nullopt;
            out += kReplacement;
            ++in;
            --inLeft;
        }
        return out;
    }

private:
    iconv_t m_cd;
};

std::string Utf8(char32_t c) {
    if (c < 0x80) return {char(c)};
    if (c < 0x800) return {char(0xC0 | c >> 6), char(0x80 | (c & 0x3F))};
    if (c < 0x10000)
        return {char(0xE0 | c >> 12), char(0x80 | (c >> 6 & 0x3F)), char(0x80 | (c & 0x3F))};
    return {char(0xF0 | c >> 18), char(0x80 | (c >> 12 & 0x3F)), char(0x80 | (c >> 6 & 0x3F)),
            char(0x80 | (c & 0x3F))};
}
} // namespace

TEST(Cp936Table, EveryPairAndLoneByteReadsAsTheConverterReadsIt) {
    CConverter read("UTF-8", "GBK");
    int characters = 0;
    for (int lead = 0x80; lead <= 0xFF; ++lead) {
        const std::string alone = {char(lead)};
        ASSERT_EQ(Cp936ToUtf8(alone), *read(alone, true)) << lead;
        ASSERT_EQ(IsValidCp936(alone), read(alone).has_value()) << lead;
        for (int trail = 0; trail <= 0xFF; ++trail) {
            const std::string pair = {char(lead), char(trail)};
            const std::optional<std::string> expected = read(pair);
            ASSERT_EQ(Cp936ToUtf8(pair), *read(pair, true)) << lead << " " << trail;
            ASSERT_EQ(IsValidCp936(pair), expected.has_value()) << lead << " " << trail;
            characters += expected.has_value() && lead != 0x80;
        }
    }
    EXPECT_GT(characters, 21000);
}

TEST(Cp936Table, EveryCodePointWritesAsTheConverterWritesIt) {
    CConverter write("GBK", "UTF-8");
    for (char32_t c = 0x80; c <= 0x10FFFF; ++c) {
        const std::string utf8 = Utf8(c);
        ASSERT_EQ(Utf8ToCp936(utf8), write(utf8)) << std::hex << static_cast<unsigned>(c);
    }
}

TEST(Cp936Table, MixedTextsAsTheConverterTakesThem) {
    CConverter write("GBK", "UTF-8"), read("UTF-8", "GBK");
    const std::string utf8[] = {
        "导线 P1 \xE9\xBE\x98 终",                    // 龘 among ASCII and Chinese
        "边长 \xF0\x9F\x98\x80",                      // an emoji: refused
        "点 \xE0\x80\xAF", "点 \xC0\xAF",             // overlong slashes: refused
        "度 \xE0\x82\xB0",                            // an overlong degree sign: refused
        "测站 \xE6\xB5", "测站 \xE6\xB5 1",           // a cut sequence, at the end and inside
        "角 \xC2\xA0 \xE2\x82\xAC",                   // a no-break space and the euro sign
        "标签 \xF3\xA0\x80\x81\xF3\xA0\x81\xBF 止",   // tag characters: written as nothing
        "代理 \xED\xA0\x80", "\xF4\x90\x80\x80",      // a surrogate, beyond U+10FFFF: refused
        "\xFE\x80", "\x80\x80\x80",                   // lone continuation bytes: refused
    };
    for (const std::string& text : utf8) EXPECT_EQ(Utf8ToCp936(text), write(text)) << text;
    const std::string cp936[] = {
        "\xB5\xBC\xCF\xDF P1",   // 导线 P1
        "\xB5\xBC\xB5",          // a lead byte cut off at the end
        "\xB5\x31\xCF\xDF",      // a lead byte before an ASCII digit
        "\x80\xFF\xB5\xBC\x7F",  // the euro sign, a byte that starts nothing
        "\x81\x7F\x81\x40",      // a trail byte outside the pairs, then a pair
    };
    for (const std::string& text : cp936) {
        EXPECT_EQ(Cp936ToUtf8(text), *read(text, true)) << text;
        EXPECT_EQ(IsValidCp936(text), read(text).has_value()) << text;
    }
}
#endif
