#include "shell/VqsOptCtrlComboValidators.h"
#include "shell/VqsOptCtrlStringValidators.h"

#include "support/TempDir.h"

#include <gtest/gtest.h>

#include <string>

namespace {

struct Case {
    int kind;
    std::string text;
    bool strict;
    UINT expected;
};

constexpr UINT kCorrectName = 61465;
constexpr UINT kNoBlanks = 61690;
constexpr UINT kStartWithLetter = 61691;
constexpr UINT kLettersAndDigits = 61692;
constexpr UINT kNotEmpty = 61693;
constexpr UINT kReservedPackName = 61872;
constexpr UINT kIllegalCharacters = 61952;
constexpr UINT kIllegalTokens = 61953;
constexpr UINT kInvalidSyntax = 61954;
constexpr UINT kInvalidDirectory = 61955;
constexpr UINT kInvalidFile = 61956;
constexpr UINT kNoSuchFile = 61957;
constexpr UINT kLettersDigitsOrStar = 62007;

// A double-byte character: neither a letter nor a digit.
const std::string kKanji = "\x82\xA0";

std::string Describe(const Case& c)
{
    return "kind " + std::to_string(c.kind) + " \"" + c.text + "\"" + (c.strict ? " strict" : "");
}

void ExpectEdit(const std::vector<Case>& cases)
{
    for (const Case& c : cases)
        EXPECT_EQ(MakeStringValidators(c.kind)->Validate(CString(c.text), c.strict), c.expected) << Describe(c);
}

} // namespace

TEST(ValidatorsTest, EditBoxNameRules)
{
    ExpectEdit({
        {0, "1 !;", true, 0},
        {1, "  ab1  ", false, 0},
        {1, "1ab", false, kStartWithLetter},
        {1, "a-b", false, kLettersAndDigits},
        {1, "a" + kKanji, false, kLettersAndDigits},
        {1, "", true, 0},
        {12, "", true, kNotEmpty},
        {12, "1ab", false, 0},
        {12, "1ab", true, kStartWithLetter},
        {12, " ab1 ", true, 0},
        {13, " ab", false, 0},
        {13, "a b", false, kLettersAndDigits},
        {14, " ab", false, kLettersAndDigits},
        {14, "ab  ", false, 0},
        {14, "", false, 0},
        {15, "*", false, 0},
        {15, " * ", false, 0},
        {15, "ab12", false, 0},
        {15, "a*", false, kLettersDigitsOrStar},
        {15, "", false, 0},
        {2, "A B", false, kNoBlanks},
        {2, "A:B", false, kNoBlanks},
        {2, "A!B", false, kNoBlanks},
        {2, "A;B", false, kNoBlanks},
        {2, "A" + kKanji, false, kNoBlanks},
        {2, " A-B ", false, 0},
        {3, " AB" + kKanji, true, kCorrectName},
        {3, "AB" + kKanji, false, 0},
        {3, " AB ", true, 0},
        {4, "  ", true, kNotEmpty},
        {4, "  ", false, 0},
        {16, "1 !", true, 0},
        {-1, "1 !", true, 0},
    });
}

TEST(ValidatorsTest, EditBoxJavaNames)
{
    ExpectEdit({
        {5, "If", true, kIllegalTokens},
        {5, "_x9", true, 0},
        {5, "9x", true, kIllegalCharacters},
        {5, "x$", true, kIllegalCharacters},
        {5, "x" + kKanji, true, kIllegalCharacters},
        {5, "   ", true, kNotEmpty},
        {5, "9x", false, 0},
        {5, "true", true, 0},
        {5, "thisOne", true, 0},
        {7, "If", true, kIllegalTokens},
        {6, "com.abc.Main", true, 0},
        {6, "com..abc", true, kInvalidSyntax},
        {6, "abc.", true, kInvalidSyntax},
        {6, ".abc", true, kInvalidSyntax},
        {6, "com.if", true, kIllegalTokens},
        {6, "com.9x.if", true, kIllegalCharacters},
        {6, " ", true, kNotEmpty},
        {6, "com..abc", false, 0},
        {8, "com.if", true, kIllegalTokens},
    });
}

TEST(ValidatorsTest, EditBoxPathsArePosixPaths)
{
    vqtest::TempDir dir;
    const std::string existing = dir.Write("a.txt", "x");
    const std::string tooLong = dir.File(std::string(300, 'n') + ".txt");
    ExpectEdit({
        {11, existing, false, 0},
        {11, "  " + existing + " ", true, 0},
        {11, "", true, kNotEmpty},
        {11, dir.File("readme"), true, kInvalidFile},
        {11, dir.File("x.txt"), true, kNoSuchFile},
        {11, dir.File("missing/x.txt"), true, kNoSuchFile},
        {11, tooLong, true, kInvalidFile},
        {11, "x.txt", false, 0},
        {10, "", true, 0},
        {10, dir.File("readme"), true, kInvalidFile},
        {10, dir.File("missing/x.txt"), true, 0},
        {10, tooLong, true, kInvalidFile},
        {9, " ", true, kNotEmpty},
        {9, dir.File("missing/folder"), true, 0},
        {9, dir.File(std::string(300, 'n')), true, kInvalidDirectory},
        {9, "", false, 0},
    });
}

TEST(ValidatorsTest, ComboBoxRules)
{
    const std::vector<Case> cases = {
        {0, "1 !", true, 0},
        {7, "1 !", true, 0},
        {1, "", true, kNotEmpty},
        {1, "", false, 0},
        {1, "1a", false, kStartWithLetter},
        {2, "", true, 0},
        {2, "a-b", true, kLettersAndDigits},
        {3, "DEFAULT", true, kReservedPackName},
        {3, "Default  ", true, kReservedPackName},
        {3, "DEFAULT", false, 0},
        {3, " pack1", true, kStartWithLetter},
        {3, " pack1", false, 0},
        {3, "", true, kNotEmpty},
        {3, "pack1", true, 0},
        {4, "", true, 0},
        {4, "default", true, kReservedPackName},
        {4, " p", true, kStartWithLetter},
        {5, "-a-1", false, 0},
        {5, "a_b", false, kLettersAndDigits},
        {5, "1a", false, kStartWithLetter},
        {5, "", true, 0},
        {6, "1a", false, 0},
        {6, "a b", false, kLettersAndDigits},
    };
    for (const Case& c : cases)
        EXPECT_EQ(MakeComboValidators(c.kind)->Validate(CString(c.text), c.strict), c.expected) << Describe(c);
}

TEST(ValidatorsTest, EveryKindHasOneInstanceAndSetsItsCaseStyle)
{
    EXPECT_EQ(MakeStringValidators(1), MakeStringValidators(1));
    EXPECT_EQ(MakeStringValidators(16), MakeStringValidators(0));
    EXPECT_EQ(MakeComboValidators(7), MakeComboValidators(0));

    const DWORD upper = ES_UPPERCASE;
    const DWORD lower = ES_LOWERCASE;
    const DWORD styles[] = {0, upper, upper, upper, 0, lower, lower, 0, 0, 0, 0, 0, upper, 0, upper, 0, 0};
    for (int kind = 0; kind < static_cast<int>(std::size(styles)); ++kind) {
        CEdit edit;
        ASSERT_TRUE(edit.CreateEx(0, "Edit", "", WS_POPUP, 0, 0, 50, 14, nullptr, nullptr));
        edit.ModifyStyle(0, styles[kind] == upper ? ES_LOWERCASE : 0);
        MakeStringValidators(kind)->SetStyle(edit);
        EXPECT_EQ(edit.GetStyle() & (ES_UPPERCASE | ES_LOWERCASE), styles[kind]) << "kind " << kind;
        edit.DestroyWindow();
    }
}
