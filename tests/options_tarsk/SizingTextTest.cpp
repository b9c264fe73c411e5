// The "Sizing" cell's text: read back into a kind and a number, written from them, and
// composed from what the user left in the sizing editors.
#include "options_tarsk/VqsSizingText.h"

#include <gtest/gtest.h>

#include <cstdint>
#include <limits>
#include <string>

namespace {

using Kind = VqsSizingKind;

constexpr std::int64_t kMax = std::numeric_limits<std::int64_t>::max();
constexpr std::int64_t kMin = std::numeric_limits<std::int64_t>::min();

} // namespace

TEST(SizingTextTest, TextsParseToTheirKindAndNumberAndFormatBack)
{
    const struct {
        const char* text;
        bool knowsPercent;
        VqsSizing parsed;
        const char* formatted; // null: the text does not come back unchanged
    } cases[] = {
        {"250", true, {Kind::Expected, 250}, "250"},
        {"0", true, {Kind::Expected, 0}, "0"},
        {"50%", true, {Kind::Percent, 50}, "50%"},
        {"50%", false, {Kind::Default, 50}, "~Default"},
        {"12 pages", true, {Kind::Pages, 12}, "12 pages"},
        {"12 pages", false, {Kind::Pages, 12}, "12 pages"},
        {"5 pages", true, {Kind::Pages, 5}, "5 pages"},
        {"~Default", true, {Kind::Default, 0}, "~Default"},
        {"~", false, {Kind::Default, 0}, nullptr},
        {"", true, {Kind::Default, 0}, nullptr},
        {"12 x", true, {Kind::Default, 12}, nullptr},
        // the character two places after the blank lies past the end
        {"12 ", true, {Kind::Default, 12}, nullptr},
        {"12 p", true, {Kind::Default, 12}, nullptr},
        {"12 pa", true, {Kind::Pages, 12}, nullptr},
        {"7 % pages", true, {Kind::Percent, 7}, nullptr},
        {"abc", true, {Kind::Expected, 0}, nullptr},
        {"9223372036854775807", true, {Kind::Expected, kMax}, "9223372036854775807"},
        {"99999999999999999999", true, {Kind::Expected, kMax}, nullptr},
        {"99999999999999999999 pages", true, {Kind::Pages, kMax}, nullptr},
        {"-99999999999999999999", true, {Kind::Expected, kMin}, nullptr},
        {"-5", true, {Kind::Expected, -5}, "-5"},
    };
    for (const auto& c : cases) {
        const VqsSizing sizing = VqsParseSizing(c.text, c.knowsPercent);
        EXPECT_EQ(sizing.kind, c.parsed.kind) << c.text;
        EXPECT_EQ(sizing.number, c.parsed.number) << c.text;
        if (c.formatted) {
            EXPECT_EQ(std::string(VqsFormatSizing(sizing)), c.formatted) << c.text;
        }
    }
    EXPECT_EQ(VqsParseSizing(nullptr, true), (VqsSizing{Kind::Default, 0}));
}

TEST(SizingTextTest, TheEditorsValueIsComposedIntoATextOrRefused)
{
    const struct {
        Kind kind;
        const char* value;
        const char* previous;
        bool accepted;
        const char* shown;
        const char* text;
    } cases[] = {
        {Kind::Expected, "250", "10", true, "250", "250"},
        {Kind::Pages, "30", "", true, "30", "30 pages"},
        {Kind::Percent, "50", "", true, "50", "50%"},
        {Kind::Percent, "100", "", true, "100", "100%"},
        {Kind::Percent, "0", "", true, "0", "0%"},
        {Kind::Default, "", "", true, "", "~Default"},
        {Kind::Expected, "12a", "10", false, "10", ""},
        {Kind::Pages, "-3", "4", false, "4", ""},
        {Kind::Expected, " 5", "5", false, "5", ""},
        // a percentage of three digits other than 100: back to a previous percentage, or 100%
        {Kind::Percent, "250", "50", false, "50", ""},
        {Kind::Percent, "250", "250", false, "100", "100%"},
        {Kind::Percent, "250", "", false, "100", "100%"},
        {Kind::Percent, "099", "100", false, "100", ""},
        {Kind::Percent, "x", "7", false, "7", ""},
        {Kind::Percent, "x", "7 ", false, "100", "100%"},
    };
    for (const auto& c : cases) {
        const VqsSizingEdit edit = VqsComposeSizingText(c.kind, c.value, c.previous);
        EXPECT_EQ(edit.accepted, c.accepted) << c.value << " over " << c.previous;
        EXPECT_EQ(std::string(edit.value), c.shown) << c.value << " over " << c.previous;
        EXPECT_EQ(std::string(edit.text), c.text) << c.value << " over " << c.previous;
    }
}
