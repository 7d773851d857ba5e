// The table of the program's own characters gives what glibc's converter gives, both
// ways: each entry alone, and texts that mix them with ASCII, with characters the table
// lacks, with an overlong form or a cut sequence (those go to the converter whole).
#ifndef _WIN32
#include "resources/CodePage936.h"

#include <gtest/gtest.h>

#include <cstdint>
#include <iconv.h>
#include <optional>
#include <string>

using namespace traverse;

namespace {
struct CommonCharacter {
    char32_t code;
    std::uint16_t cp936;
};
constexpr CommonCharacter kCommon[] = {
#include "resources/Cp936Common.inc"
};

std::string Utf8(char32_t c) {
    if (c < 0x800) return {char(0xC0 | c >> 6), char(0x80 | (c & 0x3F))};
    return {char(0xE0 | c >> 12), char(0x80 | (c >> 6 & 0x3F)), char(0x80 | (c & 0x3F))};
}

// The converter itself, as the table was made from it.
std::optional<std::string> ByConverter(const std::string& utf8, const char* to = "GBK",
                                       const char* from = "UTF-8") {
    iconv_t cd = iconv_open(to, from);
    std::string out(utf8.size() * 2 + 8, '\0'); // room either way
    char* in = const_cast<char*>(utf8.data());
    char* at = out.data();
    size_t inLeft = utf8.size(), outLeft = out.size();
    const size_t r = iconv(cd, &in, &inLeft, &at, &outLeft);
    iconv_close(cd);
    if (r == static_cast<size_t>(-1)) return std::nullopt;
    out.resize(out.size() - outLeft);
    return out;
}
} // namespace

TEST(Cp936Common, EveryEntryIsTheConvertersAndTextsMixAlike) {
    ASSERT_GT(std::size(kCommon), 400u);
    std::string all = "K1 ";
    for (const CommonCharacter& c : kCommon) {
        const std::string utf8 = Utf8(c.code);
        const std::string expected = {char(c.cp936 >> 8), char(c.cp936 & 0xFF)};
        ASSERT_EQ(ByConverter(utf8), expected) << utf8;
        ASSERT_EQ(Utf8ToCp936(utf8), expected) << utf8;
        all += utf8 + "1";
    }
    EXPECT_EQ(Utf8ToCp936(all), ByConverter(all));
    const std::string mixed[] = {
        "导线 P1 \xE9\xBE\x98",       // 龘, in code page 936, not in the table
        "边长 \xF0\x9F\x98\x80",      // an emoji: refused
        "点 \xE0\x80\xAF",            // an overlong slash: refused
        "测站 \xE6\xB5",              // a cut sequence: refused
        "角 \xC2\xA0 \xE2\x82\xAC",   // a no-break space and the euro sign
    };
    for (const std::string& text : mixed)
        EXPECT_EQ(Utf8ToCp936(text), ByConverter(text)) << text;
}
TEST(Cp936Common, ReadBackAsTheConverterReadsIt) {
    std::string all = "K1 ", allCp936 = "K1 ";
    for (const CommonCharacter& c : kCommon) {
        const std::string cp936 = {char(c.cp936 >> 8), char(c.cp936 & 0xFF)};
        ASSERT_EQ(ByConverter(cp936, "UTF-8", "GBK"), Utf8(c.code)) << Utf8(c.code);
        ASSERT_EQ(Cp936ToUtf8(cp936), Utf8(c.code));
        ASSERT_TRUE(IsValidCp936(cp936));
        all += Utf8(c.code) + "1";
        allCp936 += cp936 + "1";
    }
    EXPECT_EQ(Cp936ToUtf8(allCp936), all);
    // A pair the table lacks, and a lead byte cut off at the end: the converter's answer.
    const std::string rare = *ByConverter("\xE9\xBE\x98"); // 龘
    EXPECT_EQ(Cp936ToUtf8("\xB5\xBC" + rare), "导\xE9\xBE\x98");
    EXPECT_EQ(Cp936ToUtf8("\xB5\xBC\xB5"), "导\xEF\xBF\xBD");
    EXPECT_FALSE(IsValidCp936("\xB5\xBC\xB5"));
}
#endif
