#include "serialize/Serialize.h"

#include <gtest/gtest.h>

#include <string>

namespace {

std::string Insert(const std::string& text, int length, std::size_t capacity = 128)
{
    std::string buffer(capacity, 'x');
    complexInsertSokEok(buffer.data(), capacity, text.c_str(), length, 32, 32);
    return buffer.c_str();
}

std::string SimpleInsert(const std::string& text, int length, std::size_t capacity = 128)
{
    std::string buffer(capacity, 'x');
    simpleInsertSokEok(buffer.data(), capacity, text.c_str(), length, 32, 32);
    return buffer.c_str();
}

std::string Remove(const std::string& text, std::size_t capacity = 128)
{
    std::string buffer(capacity, 'x');
    removeSokEok(buffer.data(), capacity, text.c_str());
    return buffer.c_str();
}

const std::string kKanji = "\x88\x9F";

} // namespace

TEST(SerializeTest, MarksFrameEachDoubleByteRun)
{
    EXPECT_EQ(Insert("AB", 20), "AB");
    EXPECT_EQ(Insert("A" + kKanji + kKanji + "B", 20), "A\x0E" + kKanji + kKanji + "\x0F" "B");
    EXPECT_EQ(Insert(kKanji, 20), "\x0E" + kKanji + "\x0F");
}

TEST(SerializeTest, InsertAndRemoveRoundTrip)
{
    std::string text = "NAME " + kKanji + " X" + kKanji + kKanji;
    EXPECT_EQ(Remove(Insert(text, 76)), text);
}

TEST(SerializeTest, MarkedTextNeverExceedsTheFieldAndClosesItsRun)
{
    // "A" + SO + 2 chars + SI = 7 bytes; a field of 6 keeps one character.
    std::string marked = Insert("A" + kKanji + kKanji, 6);
    EXPECT_EQ(marked, "A\x0E" + kKanji + "\x0F");
    EXPECT_LE(marked.size(), 6u);
    EXPECT_EQ(Insert(kKanji, 3), "");
}

TEST(SerializeTest, DestinationCapacityIsRespected)
{
    EXPECT_EQ(Insert("ABCDEFGH", 20, 4), "ABC");
    EXPECT_EQ(Remove("AB" + kKanji, 4), "AB");
    EXPECT_EQ(is_Kanji1(0x88), 1);
    EXPECT_EQ(is_Kanji1('A'), 0);
}

TEST(SerializeTest, ASmallBufferCutsTheMarkedTextWithItsRunClosed)
{
    EXPECT_EQ(Insert("A" + kKanji + kKanji, 20, 7), "A\x0E" + kKanji + "\x0F");
}

TEST(SerializeTest, SimpleMarksTheGivenLengthOfTheTextWithoutAFieldToFit)
{
    std::string text = "AB" + kKanji + kKanji + "C";
    EXPECT_EQ(SimpleInsert(text, static_cast<int>(text.size())), "AB\x0E" + kKanji + kKanji + "\x0F" "C");
    EXPECT_EQ(SimpleInsert(text, 3), "AB") << "the length never splits a character";
    EXPECT_EQ(SimpleInsert(text, 4), "AB\x0E" + kKanji + "\x0F");
    EXPECT_EQ(SimpleInsert(text, 99, 7), "AB\x0E" + kKanji + "\x0F");
    EXPECT_EQ(Remove(SimpleInsert(text, 99)), text);
    EXPECT_TRUE(IsVqSerializeTestDll());
}
