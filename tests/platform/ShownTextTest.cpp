// Text shown safely: what must be made visible is, what need not be is kept, and the
// test for "nothing to make visible" agrees with the conversion, run by run.
#include "platform/ShownText.h"

#include <gtest/gtest.h>

#include <string>

using namespace traverse;

TEST(ShownText, EscapesOnlyWhatMustBeSeen) {
    const struct {
        std::string bytes, shown;
    } cases[] = {
        {"", ""},
        {"P1 点", "P1 点"},
        {"90°12′03.0″", "90°12′03.0″"},
        {"a\tb", "a\\x09b"},
        {"ab\x7F", "ab\\x7F"},
        {"\xE2\x80\xAE"
         "evil",
         "\\u202Eevil"},                  // a direction override
        {"x\xC0\xAFy", "x\\xC0\\xAFy"},   // an overlong form
        {"点\xB5\xE3", "点\\xB5\\xE3"},   // code page 936 bytes after UTF-8
        {"end\xE7\x82", "end\\xE7\\x82"}, // cut short
    };
    for (const auto& c : cases) {
        EXPECT_EQ(ShownText(c.bytes), c.shown) << c.shown;
        EXPECT_EQ(ShownAsIs(c.bytes), c.bytes == c.shown) << c.shown;
    }
}
