#include "generate/VqsStringTokenizer.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace {

std::vector<std::string> Words(const char* text)
{
    VqsStringTokenizer tokenizer{CString(text)};
    std::vector<std::string> words;
    while (tokenizer.HasMoreTokens())
        words.push_back(tokenizer.NextToken().str());
    return words;
}

} // namespace

TEST(StringTokenizerTest, SingleBlanksSeparateWordsAndEveryBlankCounts)
{
    using W = std::vector<std::string>;
    EXPECT_EQ(Words("A B"), (W{"A", "B"}));
    EXPECT_EQ(Words("A  B"), (W{"A", "", "B"}));
    EXPECT_EQ(Words(" A"), (W{"", "A"}));
    EXPECT_EQ(Words("A "), (W{"A"}));
    EXPECT_EQ(Words(""), W{});
    EXPECT_EQ(Words("MONTHLY AS MONTHLY1 DAILY"), (W{"MONTHLY", "AS", "MONTHLY1", "DAILY"}));
    // A double-byte character is one character, whatever its bytes.
    EXPECT_EQ(Words("\x81\x40 B"), (W{"\x81\x40", "B"}));
}
