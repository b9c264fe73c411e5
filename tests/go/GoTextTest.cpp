#include "../shell/ShellTestSupport.h"

#include "go/VqsGoSpecPackAssoc.h"
#include "proxy/PxOptions.h"

#include <cstring>
#include <random>
#include <sstream>
#include <typeindex>

namespace {

using Strings = std::vector<std::string>;

struct GoTextTest : ShellTest {
    // The spec a text makes and the arguments it leaves; "-" in the list when none took it.
    static std::pair<VqsAPtr<VqsGoSpec>, Strings> Parse(const std::string& text)
    {
        CStringList arguments(10);
        arguments.AddTail("-");
        VqsAPtr<VqsGoSpec> spec = VqsGoDispatcher::Instance()->ParseGoText(text.c_str(), arguments);
        Strings tokens;
        for (POSITION pos = arguments.GetHeadPosition(); pos;)
            tokens.emplace_back(arguments.GetNext(pos).GetString());
        return {spec, tokens};
    }

    static std::type_index TypeOf(const VqsAPtr<VqsGoSpec>& spec)
    {
        return spec ? std::type_index(typeid(*spec.Get())) : std::type_index(typeid(void));
    }
};

// The seventeen commands in the order they are tried, with their keyword forms.
const struct Definition {
    std::type_index type;
    Strings keywords;
} kRegistry[] = {
    {typeid(VqsGoSpecQSRBSOptAU), {"AUD", "AU"}},    {typeid(VqsGoSpecQSRBSOptCF), {"CFG", "CF"}},
    {typeid(VqsGoSpecQSRBSOptMDDEF), {"MD DEF"}},    {typeid(VqsGoSpecQSRBSOptMD), {"MD OPT", "MD"}},
    {typeid(VqsGoSpecQSRBSOptPM), {"PM"}},           {typeid(VqsGoSpecQSRBSOptRD), {"RD"}},
    {typeid(VqsGoSpecQSRBSOptOD), {"OD EVENT"}},     {typeid(VqsGoSpecBSOptGO), {"GO"}},
    {typeid(VqsGoSpecBSOptEOP), {"EOP"}},            {typeid(VqsGoSpecBSOptOLP), {"OLP"}},
    {typeid(VqsGoSpecBSOptPK), {"PK"}},              {typeid(VqsGoSpecElementOptEO), {"EO"}},
    {typeid(VqsGoSpecReportOptEX), {"EX"}},          {typeid(VqsGoSpecReportOptFL), {"FL"}},
    {typeid(VqsGoSpecComponentOptOD), {"OD"}},       {typeid(VqsGoSpecComponentOptOLT), {"OL", "OLT"}},
    {typeid(VqsGoSpecPackAssoc), {"LPK", "LP"}},
};

TEST_F(GoTextTest, EveryKeywordFormReachesItsCommandAndSeventeenAreRegistered)
{
    EXPECT_EQ(VqsGoDispatcher::GetDefinitionCount(), 17);
    for (const Definition& definition : kRegistry) {
        for (const std::string& keyword : definition.keywords) {
            SCOPED_TRACE(keyword);
            const auto [spec, arguments] = Parse(keyword);
            EXPECT_EQ(TypeOf(spec), definition.type);
            EXPECT_EQ(arguments, Strings());
        }
    }
}

TEST_F(GoTextTest, TextsSplitIntoCommandAndArgumentsAsTyped)
{
    const struct {
        const char* text;
        std::type_index type;
        Strings arguments;
    } cases[] = {
        {"md def \"GS 1\"", typeid(VqsGoSpecQSRBSOptMDDEF), {"GS 1"}},
        {"MD  DEF", typeid(VqsGoSpecQSRBSOptMD), {"DEF"}},
        {"AUD", typeid(VqsGoSpecQSRBSOptAU), {}},
        {"AUDX", typeid(void), {"-"}},
        {"AUDIT", typeid(void), {"-"}},
        {"AU,X", typeid(VqsGoSpecQSRBSOptAU), {",X"}},
        {"  EO   CUST1    GS1  ", typeid(VqsGoSpecElementOptEO), {"CUST1", "GS1"}},
        {"EO \"\" GS1", typeid(VqsGoSpecElementOptEO), {"", "GS1"}},
        {"EO GS1 \"\"", typeid(VqsGoSpecElementOptEO), {"GS1"}},
        {"EO \"A B", typeid(VqsGoSpecElementOptEO), {"A B"}},
        {"EO A\"B", typeid(VqsGoSpecElementOptEO), {"A\"B"}},
        {"EO \"A\"B", typeid(VqsGoSpecElementOptEO), {"A", "B"}},
        {"X EO", typeid(void), {"-"}},
        {"OD EVENT", typeid(VqsGoSpecQSRBSOptOD), {}},
        {"OD EVENTS", typeid(VqsGoSpecComponentOptOD), {"EVENTS"}},
        {"OLT C1", typeid(VqsGoSpecComponentOptOLT), {"C1"}},
        {"lp anything at all", typeid(VqsGoSpecPackAssoc), {"anything", "at", "all"}},
        {"\tEO\tA\r\nB\v", typeid(VqsGoSpecElementOptEO), {"A", "B"}},
        {"", typeid(void), {"-"}},
        {" \t ", typeid(void), {"-"}},
        {"XYZ", typeid(void), {"-"}},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.text);
        const auto [spec, arguments] = Parse(c.text);
        EXPECT_EQ(TypeOf(spec), c.type);
        EXPECT_EQ(arguments, c.arguments);
    }
}

TEST_F(GoTextTest, EachCommandNamesItsTitleSyntaxAndPage)
{
    const struct {
        const char* text;
        UINT title;
        UINT syntax;
        UINT page;
    } cases[] = {
        {"AU", 61798, 61804, 10}, {"CF", 61799, 61805, 7}, {"MD DEF", 61800, 61806, 5}, {"MD", 61801, 61807, 6},
        {"PM", 61802, 61808, 9},  {"RD", 61803, 61809, 8}, {"OD EVENT", 61811, 61812, 7}, {"GO", 61813, 61814, 2},
        {"EOP", 61816, 61817, 0}, {"OLP", 61818, 61819, 3}, {"PK", 61839, 61840, 4},     {"EO", 61820, 61821, 0},
        {"EX", 61824, 61825, 1},  {"FL", 61826, 61827, 3}, {"OL", 61832, 61833, 1},       {"LP", 61834, 61835, 0},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.text);
        const VqsAPtr<VqsGoSpec> spec = Parse(c.text).first;
        ASSERT_TRUE(spec);
        EXPECT_EQ(spec->GetTitleId(), c.title);
        EXPECT_EQ(spec->GetSyntaxId(), c.syntax);
        UINT page = 0;
        if (auto* bs = dynamic_cast<VqsGoSpecBSOpt*>(spec.Get()))
            page = bs->GetPageIndex();
        else if (auto* hostBs = dynamic_cast<VqsGoSpecHostTypeBSOpt*>(spec.Get()))
            page = hostBs->GetPageIndex();
        else if (auto* element = dynamic_cast<VqsGoSpecElementOpt*>(spec.Get()))
            page = element->GetPageIndex();
        else if (auto* hostElement = dynamic_cast<VqsGoSpecHostTypeElementOpt*>(spec.Get()))
            page = hostElement->GetPageIndex(PxOptionsPtr());
        EXPECT_EQ(page, c.page);
    }
    const VqsAPtr<VqsGoSpec> od = Parse("OD").first;
    EXPECT_EQ(od->GetTitleId(), 61829u);
    EXPECT_EQ(od->GetSyntaxId(), 61830u);
}

// The text without white space at its ends, and its upper-case copy.
std::pair<std::string, std::string> Trimmed(const std::string& text)
{
    const std::string blanks = " \t\r\n\v\f";
    const std::size_t first = text.find_first_not_of(blanks);
    if (first == std::string::npos)
        return {};
    std::string trimmed = text.substr(first, text.find_last_not_of(blanks) - first + 1);
    std::string upper = trimmed;
    for (char& c : upper)
        if (c >= 'a' && c <= 'z')
            c = static_cast<char>(c - 'a' + 'A');
    return {trimmed, upper};
}

// Whether the keyword starts the text as a word of its own.
bool StartsWith(const std::string& upper, const std::string& keyword)
{
    if (upper.compare(0, keyword.size(), keyword) != 0)
        return false;
    return upper.size() == keyword.size() || !std::isalnum(static_cast<unsigned char>(upper[keyword.size()]));
}

// What a text should give, worked out from the rules alone: the command of the first
// keyword form that starts the trimmed text as a word of its own.
const Definition* ExpectedDefinition(const std::string& text, std::string* keywordFound = nullptr)
{
    const std::string upper = Trimmed(text).second;
    for (const Definition& definition : kRegistry) {
        for (const std::string& keyword : definition.keywords) {
            if (!upper.empty() && StartsWith(upper, keyword)) {
                if (keywordFound)
                    *keywordFound = keyword;
                return &definition;
            }
        }
    }
    return nullptr;
}

std::type_index ExpectedType(const std::string& text)
{
    const Definition* definition = ExpectedDefinition(text);
    return definition ? definition->type : std::type_index(typeid(void));
}

// Without double quotes the arguments are the words after the keyword form that matched.
Strings WordsAfterKeyword(const std::string& text)
{
    std::string keyword;
    ExpectedDefinition(text, &keyword);
    std::istringstream in(Trimmed(text).first.substr(keyword.size()));
    Strings words;
    for (std::string word; in >> word;)
        words.push_back(word);
    return words;
}

TEST_F(GoTextTest, ThousandsOfGeneratedTextsParseCleanly)
{
    const Strings pieces = {"AU",  "AUD", "CF", "CFG", "MD",  "DEF", "OPT", "OD",  "EVENT", "GO", "EOP", "OLP",
                            "PK",  "EO",  "EX", "FL",  "OL",  "OLT", "LP",  "LPK", "x",     "1",  " ",   "  ",
                            "\t",  "\"",  "\"\"", ",", "\r\n", "\x82\xa0", "\x81\x40", "gs1", "CUST1", "\xe0"};
    std::mt19937 random(20261207);
    std::uniform_int_distribution<std::size_t> pick(0, pieces.size() - 1);
    std::uniform_int_distribution<int> length(0, 8);
    int matched = 0;
    for (int round = 0; round < 5000; ++round) {
        std::string text;
        for (int n = length(random); n > 0; --n)
            text += pieces[pick(random)];
        SCOPED_TRACE(text);
        const auto [spec, arguments] = Parse(text);
        ASSERT_EQ(TypeOf(spec), ExpectedType(text));
        if (!spec) {
            ASSERT_EQ(arguments, Strings{"-"});
            continue;
        }
        ++matched;
        if (text.find('"') == std::string::npos) {
            ASSERT_EQ(arguments, WordsAfterKeyword(text));
        }
    }
    EXPECT_GT(matched, 500);
}

} // namespace
