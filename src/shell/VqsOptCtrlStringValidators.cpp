#include "shell/VqsOptCtrlStringValidators.h"

#include "names/VqsValidation.h"
#include "win/FileAttributes.h"
#include "win/LastError.h"

#include <algorithm>
#include <cstring>
#include <iterator>

using namespace VqsValidation;

namespace {

// Every keyword stands between TABs, so that a lookup of TAB + word + TAB finds whole words.
constexpr const char* kJavaKeywords =
    "\tabstract\tdefault\tif\tprivate\tthrow\tboolean\tdo\timplements\tprotected\tthrows\tbreak\tdouble\timport"
    "\tpublic\ttransient\tbyte\telse\tinstanceof\treturn\ttry\tcase\textends\tint\tshort\tvoid\tcatch\tfinal"
    "\tinterface\tstatic\tvolatile\tchar\tfinally\tlong\tsuper\twhile\tclass\tfloat\tnative\tswitch\tconst\tfor"
    "\tnew\tsynchronized\tcontinue\tgoto\tpackage\tthis\t";

constexpr const char* kJavaFirstCharacters = "_abcdefghijklmnopqrstuvwxyz";
constexpr const char* kJavaCharacters = "_1234567890abcdefghijklmnopqrstuvwxyz";

bool IsOneOf(char c, const char* characters) { return c != '\0' && std::strchr(characters, c) != nullptr; }

// Identifiers joined by dots; no segment may be empty.
UINT CheckDottedName(const CString& text, BOOL strict)
{
    if (!strict)
        return 0;
    CString copy = Trimmed(text);
    if (copy.IsEmpty())
        return kNotEmpty;
    copy += '.';
    int start = 0;
    for (int dot = copy.Find('.'); dot >= 0; dot = copy.Find('.', start)) {
        if (dot == start)
            return kInvalidSyntax;
        if (const UINT message = CheckJavaIdentifier(copy.Mid(start, dot - start), strict))
            return message;
        start = dot + 1;
    }
    return 0;
}

// ERROR_SUCCESS when the file system knows the path.
DWORD FileQueryError(const CString& path)
{
    return GetFileAttributes(path) == INVALID_FILE_ATTRIBUTES ? GetLastError() : ERROR_SUCCESS;
}

void SetUppercase(CEdit& edit) { edit.ModifyStyle(ES_LOWERCASE, ES_UPPERCASE); }
void SetLowercase(CEdit& edit) { edit.ModifyStyle(ES_UPPERCASE, ES_LOWERCASE); }

} // namespace

UINT CheckJavaIdentifier(const CString& text, BOOL strict)
{
    if (!strict)
        return 0;
    CString copy = Trimmed(text);
    if (copy.IsEmpty())
        return kNotEmpty;
    copy.MakeLower();
    const std::string& bytes = copy.str();
    if (!IsOneOf(bytes[0], kJavaFirstCharacters))
        return kIllegalCharacters;
    if (!std::all_of(bytes.begin(), bytes.end(), [](char c) { return IsOneOf(c, kJavaCharacters); }))
        return kIllegalCharacters;
    if (CString(kJavaKeywords).Find("\t" + copy + "\t") >= 0)
        return kIllegalTokens;
    return 0;
}

UINT VqsOptCtrlString::ValidatorEmpty::Validate(const CString&, BOOL) const { return 0; }

UINT VqsOptCtrlString::ValidatorID::Validate(const CString& text, BOOL) const { return CheckID(text); }

void VqsOptCtrlString::ValidatorID::SetStyle(CEdit& edit) const { SetUppercase(edit); }

UINT VqsOptCtrlString::ValidatorRepGroup::Validate(const CString& text, BOOL) const
{
    return CheckNoBlanksOrSeparators(text);
}

void VqsOptCtrlString::ValidatorRepGroup::SetStyle(CEdit& edit) const { SetUppercase(edit); }

UINT VqsOptCtrlString::ValidatorASCIIUppercase::Validate(const CString& text, BOOL strict) const
{
    return strict ? CheckASCII(text) : 0;
}

void VqsOptCtrlString::ValidatorASCIIUppercase::SetStyle(CEdit& edit) const { SetUppercase(edit); }

UINT VqsOptCtrlString::ValidatorNotNil::Validate(const CString& text, BOOL strict) const
{
    return strict && Trimmed(text).IsEmpty() ? kNotEmpty : 0;
}

UINT VqsOptCtrlString::ValidatorJavaVariable::Validate(const CString& text, BOOL strict) const
{
    return CheckJavaIdentifier(text, strict);
}

void VqsOptCtrlString::ValidatorJavaVariable::SetStyle(CEdit& edit) const { SetLowercase(edit); }

UINT VqsOptCtrlString::ValidatorJavaEmbedded::Validate(const CString& text, BOOL strict) const
{
    return CheckDottedName(text, strict);
}

void VqsOptCtrlString::ValidatorJavaEmbedded::SetStyle(CEdit& edit) const { SetLowercase(edit); }

void VqsOptCtrlString::ValidatorJavaVariableNoCase::SetStyle(CEdit&) const {}

void VqsOptCtrlString::ValidatorJavaEmbeddedNoCase::SetStyle(CEdit&) const {}

// A name the file system refuses outright is malformed; one that does not exist is not.
UINT VqsOptCtrlString::ValidatorDirectorySyntax::Validate(const CString& text, BOOL strict) const
{
    if (!strict)
        return 0;
    const CString path = Trimmed(text);
    if (path.IsEmpty())
        return kNotEmpty;
    return FileQueryError(path) == ERROR_INVALID_NAME ? kInvalidDirectoryName : 0;
}

UINT VqsOptCtrlString::ValidatorFileSyntax::Validate(const CString& text, BOOL strict) const
{
    if (!strict)
        return 0;
    const CString path = Trimmed(text);
    if (path.IsEmpty())
        return 0;
    if (path.Find('.') < 0 || FileQueryError(path) == ERROR_INVALID_NAME)
        return kInvalidFileName;
    return 0;
}

UINT VqsOptCtrlString::ValidatorFileExists::Validate(const CString& text, BOOL strict) const
{
    if (!strict)
        return 0;
    const CString path = Trimmed(text);
    if (path.IsEmpty())
        return kNotEmpty;
    if (path.Find('.') < 0)
        return kInvalidFileName;
    switch (FileQueryError(path)) {
    case ERROR_INVALID_NAME:
        return kInvalidFileName;
    case ERROR_FILE_NOT_FOUND:
    case ERROR_PATH_NOT_FOUND:
        return kFileDoesNotExist;
    default:
        return 0;
    }
}

UINT VqsOptCtrlString::ValidatorIDorNil::Validate(const CString& text, BOOL strict) const
{
    if (!strict)
        return 0;
    return Trimmed(text).IsEmpty() ? kNotEmpty : CheckID(text);
}

void VqsOptCtrlString::ValidatorIDorNil::SetStyle(CEdit& edit) const { SetUppercase(edit); }

UINT VqsOptCtrlString::ValidatorIDWithFirstDigitLetter::Validate(const CString& text, BOOL) const
{
    return CheckLettersAndDigits(Trimmed(text), kLettersAndDigits);
}

// Only trailing blanks are forgiven.
UINT VqsOptCtrlString::ValidatorIDAlphaNum::Validate(const CString& text, BOOL) const
{
    CString copy = text;
    copy.TrimRight();
    return CheckLettersAndDigits(copy, kLettersAndDigits);
}

void VqsOptCtrlString::ValidatorIDAlphaNum::SetStyle(CEdit& edit) const { SetUppercase(edit); }

UINT VqsOptCtrlString::ValidatorAlphaNumStar::Validate(const CString& text, BOOL) const
{
    const CString trimmed = Trimmed(text);
    return trimmed == "*" ? 0 : CheckLettersAndDigits(trimmed, kLettersDigitsOrStar);
}

const VqsOptCtrlString::Validator* MakeStringValidators(int kind)
{
    static const VqsOptCtrlString::ValidatorEmpty empty{};
    static const VqsOptCtrlString::ValidatorID id{};
    static const VqsOptCtrlString::ValidatorRepGroup repGroup{};
    static const VqsOptCtrlString::ValidatorASCIIUppercase asciiUppercase{};
    static const VqsOptCtrlString::ValidatorNotNil notNil{};
    static const VqsOptCtrlString::ValidatorJavaVariable javaVariable{};
    static const VqsOptCtrlString::ValidatorJavaEmbedded javaEmbedded{};
    static const VqsOptCtrlString::ValidatorJavaVariableNoCase javaVariableNoCase{};
    static const VqsOptCtrlString::ValidatorJavaEmbeddedNoCase javaEmbeddedNoCase{};
    static const VqsOptCtrlString::ValidatorDirectorySyntax directorySyntax{};
    static const VqsOptCtrlString::ValidatorFileSyntax fileSyntax{};
    static const VqsOptCtrlString::ValidatorFileExists fileExists{};
    static const VqsOptCtrlString::ValidatorIDorNil idOrNil{};
    static const VqsOptCtrlString::ValidatorIDWithFirstDigitLetter idWithFirstDigitLetter{};
    static const VqsOptCtrlString::ValidatorIDAlphaNum idAlphaNum{};
    static const VqsOptCtrlString::ValidatorAlphaNumStar alphaNumStar{};
    static const VqsOptCtrlString::Validator* const byKind[] = {
        &empty,           &id,         &repGroup,   &asciiUppercase,         &notNil,     &javaVariable,
        &javaEmbedded,    &javaVariableNoCase,      &javaEmbeddedNoCase,     &directorySyntax,
        &fileSyntax,      &fileExists, &idOrNil,    &idWithFirstDigitLetter, &idAlphaNum, &alphaNumStar};
    if (kind < 0 || kind >= static_cast<int>(std::size(byKind)))
        return &empty;
    return byKind[kind];
}
