#include "shell/VqsOptCtrlComboValidators.h"

#include "names/VqsValidation.h"

#include <algorithm>
#include <cctype>
#include <iterator>

using namespace VqsValidation;

namespace {

bool IsBlank(char c) { return std::isspace(static_cast<unsigned char>(c)) != 0; }

// The strict tests for a pack name.
UINT CheckReservedWord(const CString& text, BOOL strict)
{
    if (!strict)
        return 0;
    if (!text.IsEmpty() && IsBlank(text[0]))
        return kStartWithLetter;
    CString word = text;
    word.TrimRight();
    return word.CompareNoCase("default") == 0 ? kReservedPackName : 0;
}

bool IsLetterOrHyphen(char c) { return IsLetter(c) || c == '-'; }

bool IsLetterDigitOrHyphen(char c) { return IsLetterOrDigit(c) || c == '-'; }

} // namespace

UINT VqsOptCtrlCombo::ValidatorEmpty::Validate(const CString&, BOOL) const { return 0; }

UINT VqsOptCtrlCombo::ValidatorIDorNil::Validate(const CString& text, BOOL) const { return CheckID(text); }

UINT VqsOptCtrlCombo::ValidatorID::Validate(const CString& text, BOOL strict) const
{
    if (const UINT message = CheckID(text))
        return message;
    CString rest = text;
    rest.TrimLeft();
    return strict && rest.IsEmpty() ? kNotEmpty : 0;
}

UINT VqsOptCtrlCombo::ValidatorReservedWord::Validate(const CString& text, BOOL strict) const
{
    if (const UINT message = ValidatorID::Validate(text, strict))
        return message;
    return CheckReservedWord(text, strict);
}

UINT VqsOptCtrlCombo::ValidatorReservedWordorNil::Validate(const CString& text, BOOL strict) const
{
    if (const UINT message = ValidatorIDorNil::Validate(text, strict))
        return message;
    return CheckReservedWord(text, strict);
}

UINT VqsOptCtrlCombo::ValidatorIDWithHypen::Validate(const CString& text, BOOL) const
{
    const CString trimmed = Trimmed(text);
    if (trimmed.IsEmpty())
        return 0;
    if (!IsLetterOrHyphen(trimmed[0]))
        return kStartWithLetter;
    const std::string& bytes = trimmed.str();
    return std::all_of(bytes.begin(), bytes.end(), IsLetterDigitOrHyphen) ? 0 : kLettersAndDigits;
}

UINT VqsOptCtrlCombo::ValidatorIDWithFirstDigitLetter::Validate(const CString& text, BOOL) const
{
    return CheckLettersAndDigits(Trimmed(text), kLettersAndDigits);
}

const VqsOptCtrlCombo::Validator* MakeComboValidators(int kind)
{
    static const VqsOptCtrlCombo::ValidatorEmpty empty{};
    static const VqsOptCtrlCombo::ValidatorID id{};
    static const VqsOptCtrlCombo::ValidatorIDorNil idOrNil{};
    static const VqsOptCtrlCombo::ValidatorReservedWord reservedWord{};
    static const VqsOptCtrlCombo::ValidatorReservedWordorNil reservedWordOrNil{};
    static const VqsOptCtrlCombo::ValidatorIDWithHypen idWithHyphen{};
    static const VqsOptCtrlCombo::ValidatorIDWithFirstDigitLetter idWithFirstDigitLetter{};
    static const VqsOptCtrlCombo::Validator* const byKind[] = {
        &empty, &id, &idOrNil, &reservedWord, &reservedWordOrNil, &idWithHyphen, &idWithFirstDigitLetter};
    if (kind < 0 || kind >= static_cast<int>(std::size(byKind)))
        return &empty;
    return byKind[kind];
}
