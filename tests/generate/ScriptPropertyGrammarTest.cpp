#include "generate/VqsScriptPropertyMgr.h"
#include "generate/VqsScriptablePropertyValueType.h"

#include <gtest/gtest.h>

#include <memory>
#include <random>
#include <string>
#include <vector>

namespace {

struct Parsed {
    std::string name, defaultValue, type, values;
    bool operator==(const Parsed&) const = default;
};

std::ostream& operator<<(std::ostream& out, const Parsed& parsed)
{
    return out << "{" << parsed.name << "|" << parsed.defaultValue << "|" << parsed.type << "|" << parsed.values << "}";
}

bool Parse(const std::string& entry, Parsed& parsed)
{
    CString name, defaultValue, type, values;
    if (!VqsScriptPropertyMgr::ParseEntry(CString(entry.c_str()), name, defaultValue, type, values))
        return false;
    parsed = {name.str(), defaultValue.str(), type.str(), values.str()};
    return true;
}

std::unique_ptr<VqsScriptablePropertyValueType> MakeType(const std::string& type, const char* values = "")
{
    std::unique_ptr<VqsScriptablePropertyValueType> prototype;
    if (type == "NonNull")
        prototype = std::make_unique<VqsScriptableNonNullPropertyValueType>();
    else if (type == "Enum")
        prototype = std::make_unique<VqsScriptableEnumPropertyValueType>();
    else if (type == "String")
        prototype = std::make_unique<VqsScriptableStringPropertyValueType>();
    else if (type == "Numeric")
        prototype = std::make_unique<VqsScriptableNumericPropertyValueType>();
    else
        prototype = std::make_unique<VqsScriptableDateTimePropertyValueType>();
    std::unique_ptr<VqsScriptablePropertyValueType> clone = prototype->Clone();
    clone->SetAllowedValues(values);
    return clone;
}

// The error text of a refused value; "accepted" when the value passes.
std::string Check(const VqsScriptablePropertyValueType& type, const std::string& value)
{
    CString error;
    return type.Validate(CString(value.c_str()), error) ? "accepted" : error.str();
}

} // namespace

TEST(ScriptPropertyGrammarTest, AnEntrySplitsIntoNameDefaultTypeAndValues)
{
    const struct {
        const char* entry;
        Parsed parsed;
    } cases[] = {
        {"Recovery.KeepRecoveryOnError=FALSE'Enum(TRUE,FALSE)",
         {"Recovery.KeepRecoveryOnError", "FALSE", "Enum", "TRUE,FALSE"}},
        {"Generate.DeployDateTime='DateTime()", {"Generate.DeployDateTime", "", "DateTime", ""}},
        {"Generate.CompileType=OBJ'Enum(OBJ,INT,GNT,DLL)", {"Generate.CompileType", "OBJ", "Enum", "OBJ,INT,GNT,DLL"}},
        // Without an apostrophe the default is empty and the type is searched from the start.
        {"A.B=x(y)", {"A.B", "", "A.B=x", "y"}},
        {"A.B=", {"A.B", "", "", ""}},
        {"=", {"", "", "", ""}},
        {"A.B=1'Numeric(", {"A.B", "1", "Numeric", ""}},
        {"A.B=1'Numeric", {"A.B", "1", "", ""}},
        {"A.B=a=b'String(x)y)", {"A.B", "a=b", "String", "x"}},
    };
    for (const auto& c : cases) {
        Parsed parsed;
        ASSERT_TRUE(Parse(c.entry, parsed)) << c.entry;
        EXPECT_EQ(parsed, c.parsed) << c.entry;
    }
    Parsed parsed;
    EXPECT_FALSE(Parse("", parsed));
    EXPECT_FALSE(Parse("Generate.IgnoreLocks'Enum(TRUE,FALSE)", parsed));
}

TEST(ScriptPropertyGrammarTest, EachTypeAcceptsWhatItMayStoreAndSaysWhyItRefusesTheRest)
{
    const std::string notOneOf = "E1010: Property value must be one of:TRUE,FALSE,";
    const std::string nonNumeric = "E1009: Property value contains non-numeric characters";
    const std::string badDate = "E1004: Invalid Date value";
    const struct {
        const char* type;
        const char* value;
        std::string expected;
    } cases[] = {
        {"Enum", "TRUE", "accepted"},
        {"Enum", "FALSE", "accepted"},
        {"Enum", "true", notOneOf},
        {"Enum", "RUE", notOneOf},
        {"Enum", "TRUE,FALSE", notOneOf},
        {"Enum", "", notOneOf},
        {"Numeric", "12", "accepted"},
        {"Numeric", "2.000000", "accepted"},
        {"Numeric", "-3", nonNumeric},
        {"Numeric", "-1", nonNumeric},
        {"Numeric", "+1", nonNumeric},
        {"Numeric", "", nonNumeric},
        {"Numeric", "x1", nonNumeric},
        {"Numeric", "1abc", nonNumeric},
        {"Numeric", "1.", nonNumeric},
        {"Numeric", "1.2.3", nonNumeric},
        {"Numeric", "-", nonNumeric},
        {"NonNull", "", "E1000: Empty mandatory value"},
        {"NonNull", " ", "accepted"},
        {"String", "", "accepted"},
        {"String", "anything at all", "accepted"},
        {"DateTime", "20240229235959", "accepted"},
        {"DateTime", "20230229120000", badDate},
        {"DateTime", "29022024235959", badDate},
        {"DateTime", "2024022923595", badDate},
        {"DateTime", "20241301000000", badDate},
        {"DateTime", "20240101240000", badDate},
        {"DateTime", "", "accepted"},
        {"DateTime", " ", badDate},
    };
    for (const auto& c : cases)
        EXPECT_EQ(Check(*MakeType(c.type, "TRUE,FALSE"), c.value), c.expected) << c.type << " " << c.value;
}

TEST(ScriptPropertyGrammarTest, AnEnumKeepsItsValuesWithATrailingCommaAndAClonesKeepsTheDefault)
{
    VqsScriptableEnumPropertyValueType compileType;
    compileType.SetDefaultValue("OBJ");
    compileType.SetAllowedValues("OBJ,INT,GNT,DLL");
    EXPECT_EQ(compileType.GetAllowedValues(), "OBJ,INT,GNT,DLL,");
    std::unique_ptr<VqsScriptablePropertyValueType> clone = compileType.Clone();
    EXPECT_EQ(clone->GetDefaultValue(), "OBJ");
    EXPECT_EQ(Check(*clone, "DLL"), "accepted");
    EXPECT_EQ(Check(*clone, "EXE"), "E1010: Property value must be one of:OBJ,INT,GNT,DLL,");
}

// Thousands of declarations, generated from the grammar and then mutated byte by byte, go
// through the parser and, when they parse, through the value type they name: every one
// gives a clean refusal or parts that rebuild a prefix of the entry, never a crash.
TEST(ScriptPropertyGrammarTest, GeneratedAndMutatedEntriesParseCleanlyOrAreRefused)
{
    std::mt19937 random(20261207);
    auto pick = [&](const std::vector<std::string>& choices) {
        return choices[std::uniform_int_distribution<std::size_t>(0, choices.size() - 1)(random)];
    };
    auto some = [&](std::size_t most) {
        const std::string alphabet = "ABCxyz019.,=()' \x81\x40\xe0\xfc\t";
        std::string text;
        const std::size_t length = std::uniform_int_distribution<std::size_t>(0, most)(random);
        for (std::size_t i = 0; i < length; ++i)
            text += alphabet[std::uniform_int_distribution<std::size_t>(0, alphabet.size() - 1)(random)];
        return text;
    };
    const std::vector<std::string> types = {"NonNull", "Enum", "String", "Numeric", "DateTime", "", "Enu", "enum"};
    int parsedCount = 0;
    int refusedCount = 0;
    for (int round = 0; round < 6000; ++round) {
        std::string entry = some(12) + "." + some(12) + "=" + some(8) + "'" + pick(types) + "(" + some(16) + ")";
        const int mutations = std::uniform_int_distribution<int>(0, 4)(random);
        for (int m = 0; m < mutations && !entry.empty(); ++m) {
            const std::size_t at = std::uniform_int_distribution<std::size_t>(0, entry.size() - 1)(random);
            switch (std::uniform_int_distribution<int>(0, 2)(random)) {
            case 0: entry.erase(at, 1); break;
            case 1: entry.insert(at, 1, static_cast<char>(std::uniform_int_distribution<int>(1, 255)(random))); break;
            default: entry[at] = pick({"=", "'", "(", ")", ","})[0]; break;
            }
        }
        Parsed parsed;
        if (!Parse(entry, parsed)) {
            ++refusedCount;
            EXPECT_EQ(entry.find('='), std::string::npos) << entry;
            continue;
        }
        ++parsedCount;
        ASSERT_EQ(entry.compare(0, parsed.name.size() + 1, parsed.name + "="), 0) << entry;
        ASSERT_EQ(parsed.name.find('='), std::string::npos) << entry;
        ASSERT_LE(parsed.defaultValue.size() + parsed.type.size() + parsed.values.size(), entry.size()) << entry;
        std::unique_ptr<VqsScriptablePropertyValueType> type = MakeType(parsed.type, parsed.values.c_str());
        type->SetDefaultValue(parsed.defaultValue.c_str());
        CString error;
        if (!type->Validate(CString(some(16).c_str()), error)) {
            ASSERT_EQ(error.str().compare(0, 2, "E1"), 0) << entry;
        }
    }
    EXPECT_GT(parsedCount, 1000);
    EXPECT_GT(refusedCount, 10);
}
