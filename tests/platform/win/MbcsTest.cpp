#include "win/Mbcs.h"

#include <gtest/gtest.h>

TEST(MbcsTest, LeadBytesFollowTheShiftJisRanges)
{
    EXPECT_FALSE(mbcs::IsLeadByte(0x80));
    EXPECT_TRUE(mbcs::IsLeadByte(0x81));
    EXPECT_TRUE(mbcs::IsLeadByte(0x9F));
    EXPECT_FALSE(mbcs::IsLeadByte(0xA0));
    EXPECT_FALSE(mbcs::IsLeadByte(0xDF));
    EXPECT_TRUE(mbcs::IsLeadByte(0xE0));
    EXPECT_TRUE(mbcs::IsLeadByte(0xFC));
    EXPECT_FALSE(mbcs::IsLeadByte(0xFD));
}

TEST(MbcsTest, CuttingNeverSplitsACharacter)
{
    std::string_view text = "ab\x88\x9F" "c";
    EXPECT_EQ(mbcs::CutLength(text, 3), 2u);
    EXPECT_EQ(mbcs::CutLength(text, 4), 4u);
    EXPECT_EQ(mbcs::CutLength(text, 99), 5u);
    EXPECT_FALSE(mbcs::IsCharBoundary(text, 3));
    EXPECT_TRUE(mbcs::IsCharBoundary(text, 4));
    // A lead byte at the very end stands alone.
    EXPECT_EQ(mbcs::CharLength("a\x88", 1), 1u);
}

TEST(MbcsTest, ComparisonFoldsOnlyAscii)
{
    EXPECT_EQ(mbcs::CompareNoCase("Name", "nAME"), 0);
    EXPECT_LT(mbcs::CompareNoCase("abc", "abd"), 0);
    EXPECT_LT(mbcs::CompareNoCase("ab", "abc"), 0);
    // The trail byte 'a' (0x61) of a double-byte character is not folded.
    EXPECT_NE(mbcs::CompareNoCase("\x82" "a", "\x82" "A"), 0);
    EXPECT_TRUE(mbcs::ContainsDoubleByte("x\x82" "a"));
    EXPECT_FALSE(mbcs::ContainsDoubleByte("plain \xA5 text"));
}

TEST(MbcsTest, CopyToBufferCutsOnACharacterAndTerminates)
{
    char buffer[4] = {'x', 'x', 'x', 'x'};
    EXPECT_EQ(mbcs::CopyToBuffer("ab\x88\x9F", buffer, sizeof buffer), 2u);
    EXPECT_STREQ(buffer, "ab");
    EXPECT_EQ(mbcs::CopyToBuffer("", buffer, sizeof buffer), 0u);
    EXPECT_STREQ(buffer, "");
    EXPECT_EQ(mbcs::CopyToBuffer("abc", nullptr, 4), 0u);
    EXPECT_EQ(mbcs::CopyToBuffer("abc", buffer, 0), 0u);
}
