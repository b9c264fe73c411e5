#include "win/CString.h"

#include <gtest/gtest.h>

namespace {

BOOL TestStrings(UINT id, CString& out)
{
    switch (id) {
    case 1:
        out = "%1:\n%2";
        return TRUE;
    case 2:
        out = "Value %d of %s";
        return TRUE;
    default:
        return FALSE;
    }
}

struct StringTable : ::testing::Test {
    void SetUp() override { AfxSetStringLoader(TestStrings); }
    void TearDown() override { AfxSetStringLoader(nullptr); }
};

} // namespace

TEST(CStringTest, FormatsPrintfStyleWithStringArguments)
{
    CString name("System");
    CString s;
    s.Format("%s %d %u %X %08x", name, -4, 7u, 255u, 63u);
    EXPECT_EQ(s, "System -4 7 FF 0000003f");
    s.AppendFormat("/%s", "x");
    EXPECT_EQ(s, "System -4 7 FF 0000003f/x");
}

TEST(CStringTest, ComparesWithAndWithoutCase)
{
    CString a("abc");
    EXPECT_EQ(a.Compare("abc"), 0);
    EXPECT_LT(a.Compare("abd"), 0);
    EXPECT_EQ(a.CompareNoCase("ABC"), 0);
    EXPECT_GT(CString("b").CompareNoCase("A"), 0);
    // Bytes above 0x7F compare as unsigned and are not case folded.
    EXPECT_GT(CString("\xE9").Compare("a"), 0);
    EXPECT_NE(CString("\xC9").CompareNoCase("\xE9"), 0);
}

TEST(CStringTest, ExtractsAndSearches)
{
    CString s("user/abc/def");
    EXPECT_EQ(s.Left(4), "user");
    EXPECT_EQ(s.Left(99), "user/abc/def");
    EXPECT_EQ(s.Mid(5, 3), "abc");
    EXPECT_EQ(s.Mid(50), "");
    EXPECT_EQ(s.Right(3), "def");
    EXPECT_EQ(s.Find('/'), 4);
    EXPECT_EQ(s.Find('/', 5), 8);
    EXPECT_EQ(s.Find("def"), 9);
    EXPECT_EQ(s.Find("zz"), -1);
    EXPECT_EQ(s.ReverseFind('/'), 8);
    EXPECT_EQ(s.FindOneOf("fd"), 9);
}

TEST(CStringTest, SearchesNeverMatchTrailBytes)
{
    // 0x82 0x61 is one double-byte character whose trail byte is 'a'.
    CString s("\x82" "a" "xa");
    EXPECT_EQ(s.Find('a'), 3);
    EXPECT_EQ(s.ReverseFind('a'), 3);
    CString upper(s);
    upper.MakeUpper();
    EXPECT_EQ(upper, "\x82" "a" "XA");
    EXPECT_EQ(s.Replace('a', 'b'), 1);
}

TEST(CStringTest, TrimsAndEdits)
{
    CString s("  \tname \r\n");
    s.Trim();
    EXPECT_EQ(s, "name");
    CString t("xxabcxx");
    t.Trim('x');
    EXPECT_EQ(t, "abc");
    CString u("a,b,,c");
    EXPECT_EQ(u.Replace(",", ";"), 3);
    EXPECT_EQ(u, "a;b;;c");
    EXPECT_EQ(u.Remove(';'), 3);
    EXPECT_EQ(u, "abc");
    u.Insert(1, "XY");
    EXPECT_EQ(u, "aXYbc");
    u.Delete(1, 2);
    EXPECT_EQ(u, "abc");
    u.MakeReverse();
    EXPECT_EQ(u, "cba");
}

TEST(CStringTest, TokenizesLikeTheLibrary)
{
    CString s(",a,,bc,");
    int pos = 0;
    EXPECT_EQ(s.Tokenize(",", pos), "a");
    EXPECT_EQ(s.Tokenize(",", pos), "bc");
    EXPECT_EQ(s.Tokenize(",", pos), "");
    EXPECT_EQ(pos, -1);
}

TEST(CStringTest, BufferAccess)
{
    CString s;
    char* buffer = s.GetBuffer(16);
    std::snprintf(buffer, 16, "%s", "abc");
    s.ReleaseBuffer();
    EXPECT_EQ(s.GetLength(), 3);
    s.GetBufferSetLength(2);
    EXPECT_EQ(s, "ab");
}

TEST_F(StringTable, LoadsAndFormatsById)
{
    CString s;
    EXPECT_TRUE(s.LoadString(1));
    EXPECT_EQ(s, "%1:\n%2");
    EXPECT_FALSE(s.LoadString(99999));
    EXPECT_TRUE(s.IsEmpty());
    s.Format(2u, 5, CString("ten"));
    EXPECT_EQ(s, "Value 5 of ten");
}

TEST_F(StringTable, FormatsMessageInserts)
{
    CString s;
    AfxFormatString2(s, 1, "Context", "Failure");
    EXPECT_EQ(s, "Context:\nFailure");
    s.FormatMessage("%2 before %1, 100%% %3", "one", CString("two"));
    EXPECT_EQ(s, "two before one, 100% ");
    s.FormatMessage("%1!d! items", "42");
    EXPECT_EQ(s, "42 items");
}
