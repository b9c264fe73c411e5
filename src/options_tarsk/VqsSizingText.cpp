#include "options_tarsk/VqsSizingText.h"

#include <cstring>
#include <limits>

namespace {

constexpr const char* kDefaultText = "~Default";
constexpr const char* kFullPercent = "100";

bool IsDigits(const CString& text)
{
    for (int i = 0; i < text.GetLength(); ++i)
        if (text[i] < '0' || text[i] > '9')
            return false;
    return true;
}

bool IsPercentValue(const CString& value)
{
    return !value.IsEmpty() && IsDigits(value) && (value.GetLength() < 3 || value == kFullPercent);
}

// The second character after the first blank is "a": " pages" (the text may end before it).
bool NamesPages(const char* text, const char* blank)
{
    const std::size_t offset = static_cast<std::size_t>(blank - text) + 2;
    return offset < std::strlen(text) && text[offset] == 'a';
}

} // namespace

std::int64_t VqsLeadingNumber(const char* text)
{
    if (!text)
        return 0;
    while (*text == ' ' || *text == '\t')
        ++text;
    const bool negative = *text == '-';
    if (*text == '-' || *text == '+')
        ++text;
    constexpr std::int64_t kMax = std::numeric_limits<std::int64_t>::max();
    std::int64_t magnitude = 0;
    bool clamped = false;
    for (; *text >= '0' && *text <= '9'; ++text) {
        const int digit = *text - '0';
        if (magnitude > (kMax - digit) / 10)
            clamped = true;
        else
            magnitude = magnitude * 10 + digit;
    }
    if (clamped)
        return negative ? std::numeric_limits<std::int64_t>::min() : kMax;
    return negative ? -magnitude : magnitude;
}

VqsSizing VqsParseSizing(const char* text, bool knowsPercent)
{
    VqsSizing sizing{VqsSizingKind::Default, VqsLeadingNumber(text)};
    if (!text || !*text || text[0] == '~')
        return sizing;
    const char* blank = std::strchr(text, ' ');
    if (std::strchr(text, '%')) {
        if (knowsPercent)
            sizing.kind = VqsSizingKind::Percent;
    } else if (!blank) {
        sizing.kind = VqsSizingKind::Expected;
    } else if (NamesPages(text, blank)) {
        sizing.kind = VqsSizingKind::Pages;
    }
    return sizing;
}

CString VqsFormatSizing(const VqsSizing& sizing)
{
    CString text;
    const auto number = static_cast<long long>(sizing.number);
    switch (sizing.kind) {
    case VqsSizingKind::Expected:
        text.Format("%lld", number);
        break;
    case VqsSizingKind::Percent:
        text.Format("%lld%%", number);
        break;
    case VqsSizingKind::Pages:
        text.Format("%lld pages", number);
        break;
    case VqsSizingKind::Default:
        text = kDefaultText;
        break;
    }
    return text;
}

const char* VqsSizingKindName(VqsSizingKind kind)
{
    switch (kind) {
    case VqsSizingKind::Expected:
        return "Expected Number";
    case VqsSizingKind::Percent:
        return "Percentage";
    case VqsSizingKind::Pages:
        return "Max Pages";
    case VqsSizingKind::Default:
        break;
    }
    return "Default Estimates";
}

VqsSizingEdit VqsComposeSizingText(VqsSizingKind kind, const CString& value, const CString& previousValue)
{
    if (kind == VqsSizingKind::Percent && !IsPercentValue(value) && !IsPercentValue(previousValue))
        return {false, kFullPercent, CString(kFullPercent) + "%"};
    const bool valid = IsDigits(value) && (kind != VqsSizingKind::Percent || IsPercentValue(value));
    if (!valid)
        return {false, previousValue, CString()};
    switch (kind) {
    case VqsSizingKind::Expected:
        return {true, value, value};
    case VqsSizingKind::Percent:
        return {true, value, value + "%"};
    case VqsSizingKind::Pages:
        return {true, value, value + " pages"};
    case VqsSizingKind::Default:
        break;
    }
    return {true, value, kDefaultText};
}
