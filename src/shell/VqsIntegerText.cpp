#include "shell/VqsIntegerText.h"

#include <cctype>
#include <cstdint>
#include <limits>

namespace {

bool IsBlank(char c) { return std::isspace(static_cast<unsigned char>(c)) != 0; }
bool IsDigit(char c) { return c >= '0' && c <= '9'; }

} // namespace

VqsIntegerParse VqsParseInteger(const std::string& text, LONGLONG& number)
{
    std::size_t at = 0;
    while (at < text.size() && IsBlank(text[at]))
        ++at;
    if (at == text.size())
        return VqsIntegerParse::Blank;
    const bool negative = text[at] == '-';
    const bool sign = negative || text[at] == '+';
    if (sign)
        ++at;
    const std::size_t firstDigit = at;
    const std::uint64_t limit =
        negative ? std::uint64_t{1} << 63 : static_cast<std::uint64_t>(std::numeric_limits<LONGLONG>::max());
    std::uint64_t magnitude = 0;
    bool overflow = false;
    for (; at < text.size() && IsDigit(text[at]); ++at) {
        const auto digit = static_cast<std::uint64_t>(text[at] - '0');
        overflow = overflow || magnitude > (limit - digit) / 10;
        if (!overflow)
            magnitude = magnitude * 10 + digit;
    }
    const bool noDigits = at == firstDigit;
    while (at < text.size() && IsBlank(text[at]))
        ++at;
    if (noDigits)
        return sign && at == text.size() ? VqsIntegerParse::SignOnly : VqsIntegerParse::NotANumber;
    if (at != text.size())
        return VqsIntegerParse::NotANumber;
    if (overflow)
        return VqsIntegerParse::Overflow;
    number = negative ? static_cast<LONGLONG>(0 - magnitude) : static_cast<LONGLONG>(magnitude);
    return VqsIntegerParse::Number;
}

CString VqsFormatInteger(LONGLONG number)
{
    CString text;
    text.Format("%lld", static_cast<long long>(number));
    return text;
}
