#include "generate/VqsScriptablePropertyValueType.h"

#include <ctime>
#include <string_view>

namespace {

constexpr const char* kEmptyMandatoryValue = "E1000: Empty mandatory value";
constexpr const char* kInvalidDateValue = "E1004: Invalid Date value";
constexpr const char* kNonNumericValue = "E1009: Property value contains non-numeric characters";
constexpr const char* kValueNotAllowed = "E1010: Property value must be one of:";

bool IsDigit(char c) { return c >= '0' && c <= '9'; }

// Skips a run of digits; false when there is none.
bool SkipDigits(std::string_view text, std::size_t& at)
{
    const std::size_t start = at;
    while (at < text.size() && IsDigit(text[at]))
        ++at;
    return at > start;
}

// Digits and an optional fraction of digits: what "%d" and "%f" write of a count. A number
// starts with a digit, so a sign is refused.
bool IsNumber(std::string_view text)
{
    std::size_t at = 0;
    if (!SkipDigits(text, at))
        return false;
    if (at < text.size() && text[at] == '.') {
        ++at;
        if (!SkipDigits(text, at))
            return false;
    }
    return at == text.size();
}

int Digits(std::string_view text, std::size_t at, std::size_t count)
{
    int number = 0;
    for (std::size_t i = at; i < at + count; ++i)
        number = number * 10 + (text[i] - '0');
    return number;
}

bool IsLeapYear(int year) { return (year % 4 == 0 && year % 100 != 0) || year % 400 == 0; }

int DaysInMonth(int year, int month)
{
    static constexpr int kDays[] = {31, 28, 31, 30, 31, 30, 31, 31, 30, 31, 30, 31};
    return month == 2 && IsLeapYear(year) ? 29 : kDays[month - 1];
}

} // namespace

BOOL VqsScriptablePropertyValueType::Validate(const CString&, CString&) const { return TRUE; }

void VqsScriptablePropertyValueType::SetAllowedValues(const CString&) {}

BOOL VqsScriptableNonNullPropertyValueType::Validate(const CString& value, CString& error) const
{
    if (!value.IsEmpty())
        return TRUE;
    error = kEmptyMandatoryValue;
    return FALSE;
}

void VqsScriptableEnumPropertyValueType::SetAllowedValues(const CString& values)
{
    m_strAllowedValues = values + ",";
}

BOOL VqsScriptableEnumPropertyValueType::Validate(const CString& value, CString& error) const
{
    if (!value.IsEmpty()) {
        std::string_view allowed = m_strAllowedValues.str();
        for (std::size_t start = 0; start < allowed.size();) {
            std::size_t comma = allowed.find(',', start);
            if (comma == std::string_view::npos)
                comma = allowed.size();
            if (allowed.substr(start, comma - start) == value.str())
                return TRUE;
            start = comma + 1;
        }
    }
    error = CString(kValueNotAllowed) + m_strAllowedValues;
    return FALSE;
}

BOOL VqsScriptableNumericPropertyValueType::Validate(const CString& value, CString& error) const
{
    if (IsNumber(value.str()))
        return TRUE;
    error = kNonNumericValue;
    return FALSE;
}

// An empty date is a date not set (the declarations default to it), not a wrong one.
BOOL VqsScriptableDateTimePropertyValueType::Validate(const CString& value, CString& error) const
{
    struct tm date {};
    if (value.IsEmpty() || VqsParseScriptDate(value, date))
        return TRUE;
    error = kInvalidDateValue;
    return FALSE;
}

BOOL VqsParseScriptDate(const CString& text, struct tm& date)
{
    std::string_view digits = text.str();
    if (digits.size() != 14)
        return FALSE;
    for (char c : digits)
        if (!IsDigit(c))
            return FALSE;
    const int year = Digits(digits, 0, 4);
    const int month = Digits(digits, 4, 2);
    const int day = Digits(digits, 6, 2);
    const int hour = Digits(digits, 8, 2);
    const int minute = Digits(digits, 10, 2);
    const int second = Digits(digits, 12, 2);
    if (year < 1970 || month < 1 || month > 12 || day < 1 || day > DaysInMonth(year, month) || hour > 23 ||
        minute > 59 || second > 59)
        return FALSE;
    date = {};
    date.tm_year = year - 1900;
    date.tm_mon = month - 1;
    date.tm_mday = day;
    date.tm_hour = hour;
    date.tm_min = minute;
    date.tm_sec = second;
    date.tm_isdst = -1;
    return TRUE;
}
