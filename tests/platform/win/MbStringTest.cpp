#include "win/MbString.h"

#include <gtest/gtest.h>

#include <cstring>

TEST(MbStringTest, ComparisonsFoldAsciiOnlyAndStopAtTheCount)
{
    EXPECT_EQ(_mbsicmp("ABC", "abc"), 0);
    EXPECT_LT(_mbsicmp("abc", "x"), 0);
    EXPECT_GT(_mbsicmp("b", "ABC"), 0);
    EXPECT_NE(_mbsicmp("\x82" "a", "\x82" "A"), 0);

    EXPECT_EQ(_strnicmp("CUSTomer", "customs", 4), 0);
    EXPECT_NE(_strnicmp("CUSTomer", "customs", 7), 0);
    EXPECT_EQ(_strnicmp("anything", "else", 0), 0);
    // A shorter text sorts first within the count.
    EXPECT_LT(_strnicmp("ab", "abc", 5), 0);
    EXPECT_NE(_strnicmp("\x82" "a", "\x82" "A", 2), 0);
}

TEST(MbStringTest, SubstringsStartOnACharacter)
{
    const char* text = "ORDER ENTRY";
    EXPECT_EQ(_mbsstr(text, "ENTRY"), text + 6);
    EXPECT_EQ(_mbsstr(text, "entry"), nullptr);
    EXPECT_EQ(_mbsstr(text, ""), text);
    // "a" is the trail byte of the double-byte character, not a character of its own.
    const char* kanji = "\x82" "a" "xa";
    EXPECT_EQ(_mbsstr(kanji, "a"), kanji + 3);
}
