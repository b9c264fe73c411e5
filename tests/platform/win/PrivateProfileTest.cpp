#include "win/PrivateProfile.h"

#include "support/TempDir.h"

#include <gtest/gtest.h>

#include <string>

namespace {

struct PrivateProfileTest : ::testing::Test {
    vqtest::TempDir dir;
    std::string file = dir.File("settings.ini");

    std::string Read(const char* section, const char* key, const char* fallback = "default", DWORD size = 64)
    {
        char buffer[64] = {};
        DWORD length = GetPrivateProfileStringA(section, key, fallback, buffer, size, file.c_str());
        EXPECT_EQ(length, std::string(buffer).size());
        return buffer;
    }
};

} // namespace

TEST_F(PrivateProfileTest, MissingFileSectionOrKeyGivesTheDefault)
{
    EXPECT_EQ(Read("systems", "Sort by"), "default");
    EXPECT_EQ(Read("systems", "Sort by", nullptr), "");
    EXPECT_EQ(GetPrivateProfileIntA("systems", "Display folders", 63, file.c_str()), 63u);

    dir.Write("settings.ini", "[other]\nSort by=type\n");
    EXPECT_EQ(Read("systems", "Sort by"), "default");
    EXPECT_EQ(Read("other", "Display folders"), "default");
}

TEST_F(PrivateProfileTest, FindsSectionsAndKeysWithoutRegardToCaseAndTrimsValues)
{
    dir.Write("settings.ini",
              "; comment = not a key\r\n"
              "  [ Systems ]  \r\n"
              "  sort BY =  type  \r\n"
              "quoted=\"  spaced  \"\r\n"
              "empty=\r\n"
              "[systems]\r\n"
              "Sort by=name\r\n");
    EXPECT_EQ(Read("SYSTEMS", "Sort by"), "type");  // the first section of that name wins
    EXPECT_EQ(Read("systems", "quoted"), "  spaced  ");
    EXPECT_EQ(Read("systems", "empty"), "");  // present but empty: not the default
    EXPECT_EQ(Read("systems", "; comment"), "default");
}

TEST_F(PrivateProfileTest, CutsTheValueToTheBufferAtACharacterBoundary)
{
    dir.Write("settings.ini", "[s]\nascii=NAMES\nkanji=ab\x82\xA0x\n");
    EXPECT_EQ(Read("s", "ascii", "", 5), "NAME");
    EXPECT_EQ(Read("s", "ascii", "", 1), "");
    // Room for three bytes would split the double-byte character after "ab".
    EXPECT_EQ(Read("s", "kanji", "", 4), "ab");
    EXPECT_EQ(Read("s", "kanji", "", 5), "ab\x82\xA0");
    EXPECT_EQ(Read("s", "missing", "60,40,extra", 6), "60,40");

    char untouched[4] = "xyz";
    EXPECT_EQ(GetPrivateProfileStringA("s", "ascii", "", untouched, 0, file.c_str()), 0u);
    EXPECT_STREQ(untouched, "xyz");
}

TEST_F(PrivateProfileTest, ReadsIntegersInDecimalAndHexadecimal)
{
    dir.Write("settings.ini",
              "[systems]\n"
              "hex=0x0000003f\n"
              "HEXUPPER=0X1F\n"
              "decimal=  42  \n"
              "trailing=12ab\n"
              "words=abc\n"
              "negative=-5\n"
              "empty=\n");
    const char* path = file.c_str();
    EXPECT_EQ(GetPrivateProfileIntA("systems", "hex", 0, path), 63u);
    EXPECT_EQ(GetPrivateProfileIntA("systems", "hexupper", 0, path), 31u);
    EXPECT_EQ(GetPrivateProfileIntA("systems", "decimal", 0, path), 42u);
    EXPECT_EQ(GetPrivateProfileIntA("systems", "trailing", 0, path), 12u);
    EXPECT_EQ(GetPrivateProfileIntA("systems", "words", 9, path), 0u);
    EXPECT_EQ(static_cast<int>(GetPrivateProfileIntA("systems", "negative", 0, path)), -5);
    EXPECT_EQ(GetPrivateProfileIntA("systems", "empty", 7, path), 7u);
    EXPECT_EQ(GetPrivateProfileInt("systems", "missing", 63, path), 63u);
}

TEST_F(PrivateProfileTest, WritingCreatesTheFileSectionAndKey)
{
    ASSERT_TRUE(WritePrivateProfileStringA("systems", "Sort by", "type", file.c_str()));
    EXPECT_EQ(dir.Read("settings.ini"), "[systems]\nSort by=type\n");
    ASSERT_TRUE(WritePrivateProfileString("startup", "debughelp", "Y", file.c_str()));
    EXPECT_EQ(dir.Read("settings.ini"), "[systems]\nSort by=type\n[startup]\ndebughelp=Y\n");
    EXPECT_EQ(Read("STARTUP", "DEBUGHELP"), "Y");
}

TEST_F(PrivateProfileTest, WritingKeepsEveryOtherLine)
{
    dir.Write("settings.ini",
              "; user settings\r\n"
              "[systems]\r\n"
              "; folders shown\r\n"
              "DISPLAY FOLDERS=7\r\n"
              "Sort by=name\r\n"
              "\r\n"
              "[startup]\r\n"
              "debughelp=N");
    ASSERT_TRUE(WritePrivateProfileStringA("Systems", "Display folders", "0x0000003f", file.c_str()));
    ASSERT_TRUE(WritePrivateProfileStringA("systems", "Previous Config", "1", file.c_str()));
    ASSERT_TRUE(WritePrivateProfileStringA("startup", "helpNoPopup", "Y", file.c_str()));
    EXPECT_EQ(dir.Read("settings.ini"),
              "; user settings\r\n"
              "[systems]\r\n"
              "; folders shown\r\n"
              "Display folders=0x0000003f\r\n"
              "Sort by=name\r\n"
              "Previous Config=1\r\n"
              "\r\n"
              "[startup]\r\n"
              "debughelp=N\r\n"
              "helpNoPopup=Y\r\n");
    EXPECT_EQ(GetPrivateProfileIntA("systems", "display folders", 0, file.c_str()), 63u);
}

TEST_F(PrivateProfileTest, RefusesWritesThatWouldBreakTheLineStructure)
{
    dir.Write("settings.ini", "[systems]\nSort by=name\n");
    EXPECT_FALSE(WritePrivateProfileStringA("systems", "Sort by", "type\n[evil]", file.c_str()));
    EXPECT_FALSE(WritePrivateProfileStringA("systems", "a=b", "x", file.c_str()));
    EXPECT_FALSE(WritePrivateProfileStringA("sys]tems", "key", "x", file.c_str()));
    EXPECT_FALSE(WritePrivateProfileStringA("systems", " ", "x", file.c_str()));
    EXPECT_FALSE(WritePrivateProfileStringA("systems", "key", nullptr, file.c_str()));
    EXPECT_FALSE(WritePrivateProfileStringA("systems", "key", "x", dir.File("missing/settings.ini").c_str()));
    EXPECT_EQ(dir.Read("settings.ini"), "[systems]\nSort by=name\n");
}
