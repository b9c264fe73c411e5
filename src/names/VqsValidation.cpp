#include "names/VqsValidation.h"

#include <algorithm>

namespace VqsValidation {

bool IsLetter(char c) { return (c >= 'A' && c <= 'Z') || (c >= 'a' && c <= 'z'); }

bool IsDigit(char c) { return c >= '0' && c <= '9'; }

bool IsLetterOrDigit(char c) { return IsLetter(c) || IsDigit(c); }

CString Trimmed(const CString& text)
{
    CString copy = text;
    copy.Trim();
    return copy;
}

UINT CheckID(const CString& text)
{
    const CString trimmed = Trimmed(text);
    if (trimmed.IsEmpty())
        return 0;
    if (!IsLetter(trimmed[0]))
        return kStartWithLetter;
    return CheckLettersAndDigits(trimmed, kLettersAndDigits);
}

UINT CheckLettersAndDigits(const CString& text, UINT message)
{
    const std::string& bytes = text.str();
    return std::all_of(bytes.begin(), bytes.end(), IsLetterOrDigit) ? 0 : message;
}

UINT CheckASCII(const CString& text)
{
    const std::string& bytes = text.str();
    const bool ascii = std::all_of(bytes.begin(), bytes.end(), [](char c) { return static_cast<unsigned char>(c) < 0x80; });
    return ascii ? 0 : kCorrectName;
}

UINT CheckNoBlanksOrSeparators(const CString& text)
{
    const CString trimmed = Trimmed(text);
    return trimmed.FindOneOf(" !;:") >= 0 || CheckASCII(trimmed) ? kNoBlanksOrSeparators : 0;
}

} // namespace VqsValidation
