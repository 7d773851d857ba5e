// Code page 936 both ways, with the same answers from the table (Linux) and the
// Windows conversion functions: what one refuses or replaces, the other does too.
#include "resources/CodePage936.h"

#include <gtest/gtest.h>

using namespace traverse;

TEST(CodePage936, ConvertsAndRefusesAlikeOnEverySystem) {
    struct ToGbk {
        const char* name;
        std::string utf8;
        std::optional<std::string> gbk;
    };
    const ToGbk toGbk[] = {
        {"ASCII unchanged", "D21 T1", "D21 T1"},
        {"Chinese", "测站点", "\xB2\xE2\xD5\xBE\xB5\xE3"},
        {"mixed", "K1测", "K1\xB2\xE2"},
        {"euro sign, one byte", "\xE2\x82\xAC", "\x80"},
        {"emoji refused", "\xF0\x9F\x98\x80", std::nullopt},
        {"invalid UTF-8 refused", "\xE6\xB5", std::nullopt},
    };
    for (const ToGbk& c : toGbk)
        EXPECT_EQ(Utf8ToCp936(c.utf8), c.gbk) << c.name;

    struct ToUtf8 {
        const char* name;
        std::string gbk;
        std::string utf8;
    };
    const ToUtf8 toUtf8[] = {
        {"Chinese", "\xB2\xE2\xD5\xBE", "测站"},
        {"single 0x80, the euro sign",
         "A\x80"
         "B",
         "A\xE2\x82\xAC"
         "B"},
        {"0xFF", "\xFF", "\xEF\xBF\xBD"},
        {"lead byte before a space", "\x81 x", "\xEF\xBF\xBD x"},
        {"lead byte at the end", "K\xB2", "K\xEF\xBF\xBD"},
    };
    for (const ToUtf8& c : toUtf8)
        EXPECT_EQ(Cp936ToUtf8(c.gbk), c.utf8) << c.name;
}

// What the readers accept as GBK: exactly what converts without a replacement.
TEST(CodePage936, ValidBytesAreThoseThatConvert) {
    struct Case {
        const char* name;
        std::string bytes;
        bool valid;
    };
    const Case cases[] = {
        {"ASCII", "T3 K1", true},
        {"Chinese", "\xB2\xE2\xD5\xBE", true},
        {"the euro sign 0x80", "\x80", true},
        {"lead byte before a digit",
         "\xE9"
         "3",
         false},
        {"lead byte before a space", "\xB2 ", false},
        {"trail byte 0x7F", "\x81\x7F", false},
        {"0xFF as a trail byte", "\x81\xFF", false},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(IsValidCp936(c.bytes), c.valid) << c.name;
        EXPECT_EQ(Cp936ToUtf8(c.bytes).find("\xEF\xBF\xBD") == std::string::npos, c.valid)
            << c.name << ": the check and the conversion agree";
    }
}

// Each conversion starts afresh: a sequence cut short leaves nothing for the next one.
TEST(CodePage936, AConversionCutShortLeavesNothingBehind) {
    for (int i = 0; i < 3; ++i) {
        EXPECT_EQ(Utf8ToCp936("\xE6\xB5"), std::nullopt);
        EXPECT_EQ(Utf8ToCp936("\xE6\xB5\x8B"), "\xB2\xE2"); // 测
        EXPECT_EQ(Cp936ToUtf8("K\xB2"), "K\xEF\xBF\xBD");
        EXPECT_EQ(Cp936ToUtf8("\xB2\xE2"), "测");
    }
}

// Text copied as it is: any byte out of printable ASCII or among the specials, wherever
// it stands in the eight-byte words the test reads, makes it text to escape.
TEST(PrintableAscii, EveryByteOutOfPlaceIsFound) {
    const std::string plain = "0123456789 ~azAZ!#"; // 18 bytes: two words and a tail
    EXPECT_TRUE(PrintableAsciiWithout(plain, "&<>\""));
    EXPECT_TRUE(PrintableAsciiWithout("", "\""));
    for (size_t size = 1; size <= plain.size(); ++size) // short texts are read as one word
        for (const char bad : {'\0', '\x1F', '\x7F', '\x80', '\xFF', '&', '<', '>', '"'})
            for (size_t at = 0; at < size; ++at) {
                std::string text = plain.substr(0, size);
                EXPECT_TRUE(PrintableAsciiWithout(text, "&<>\""));
                text[at] = bad;
                EXPECT_FALSE(PrintableAsciiWithout(text, "&<>\""))
                    << "byte " << static_cast<int>(static_cast<unsigned char>(bad)) << " at " << at
                    << " of " << size;
            }
    EXPECT_TRUE(PrintableAsciiWithout("a\\b&c<d>e\"f", "")); // no specials: all printable
}

// A special byte is found wherever it stands in a word or the tail; bytes that differ
// from it only in the high bit (a UTF-8 trail byte such as 0xA6) are not it.
TEST(PrintableAscii, ContainsAnyOfFindsEveryPlace) {
    const std::string text = "\xA6\xBC\xBE\xA2" "193\xC2\xB0" "06\xE2\x80\xB2" "44"; // 16 bytes
    for (size_t size = 0; size <= text.size(); ++size) {
        EXPECT_FALSE(ContainsAnyOf(text.substr(0, size), "&<>\""));
        for (size_t at = 0; at < size; ++at)
            for (const char special : {'&', '<', '>', '"'}) {
                std::string marked = text.substr(0, size);
                marked[at] = special;
                EXPECT_TRUE(ContainsAnyOf(marked, "&<>\"")) << special << " at " << at;
            }
    }
}
