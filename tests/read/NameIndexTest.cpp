// The name index keeps each name's number apart, the empty name and the longest
// included, past the room it was made with; a longer name is never found.
#include "read/NameIndex.h"

#include <gtest/gtest.h>

#include <string>

using namespace traverse;

TEST(NameIndex, EachNameKeepsItsOwnNumber) {
    CNameIndex index(2);
    const struct {
        const char* name;
        int value;
    } cases[] = {
        {"", 0},           {"P1", 1},        {"P10", 2},         {"12345678", 3}, // eight bytes
        {"12345678A", 4},  {"12345678B", 5}, {"ABCDEFGHIJK", 6}, // the longest, 11 bytes
        {"\xB5\xE3 1", 7},                                       // code page 936 bytes
    };
    for (const auto& c : cases)
        EXPECT_EQ(index.Set(c.name, c.value), -1) << c.name;
    for (const auto& c : cases)
        EXPECT_EQ(index.Find(c.name), c.value) << c.name;
    EXPECT_EQ(index.Set("P10", 20), 2); // the number before
    EXPECT_EQ(index.Find("P10"), 20);
    EXPECT_EQ(index.Find("P2"), -1);
    EXPECT_EQ(index.Set("ABCDEFGHIJKL", 9), -1); // 12 bytes: not kept
    EXPECT_EQ(index.Find("ABCDEFGHIJKL"), -1);
}

TEST(NameIndex, ManyNamesPastItsRoom) {
    CNameIndex index(10);
    for (int i = 0; i < 5000; ++i)
        ASSERT_EQ(index.Set("P" + std::to_string(i), i), -1);
    for (int i = 0; i < 5000; ++i)
        ASSERT_EQ(index.Find("P" + std::to_string(i)), i);
    EXPECT_EQ(index.Find("P5000"), -1);
}
