// The messages and text rules the edit-box and combo-box validators share.
#pragma once

#include "win/CString.h"

namespace VqsValidation {

constexpr UINT kCorrectName = 61465;
constexpr UINT kNoBlanksOrSeparators = 61690;
constexpr UINT kStartWithLetter = 61691;
constexpr UINT kLettersAndDigits = 61692;
constexpr UINT kNotEmpty = 61693;
constexpr UINT kReservedPackName = 61872;
constexpr UINT kIllegalCharacters = 61952;
constexpr UINT kIllegalTokens = 61953;
constexpr UINT kInvalidSyntax = 61954;
constexpr UINT kInvalidDirectoryName = 61955;
constexpr UINT kInvalidFileName = 61956;
constexpr UINT kFileDoesNotExist = 61957;
constexpr UINT kLettersDigitsOrStar = 62007;

// ASCII only: bytes 0x80-0xFF (double-byte text included) are neither.
bool IsLetter(char c);
bool IsDigit(char c);
bool IsLetterOrDigit(char c);

// A copy without leading and trailing white space.
CString Trimmed(const CString& text);

// The ID rule on the trimmed text: empty is valid; the first character a letter, every
// further one a letter or digit.
UINT CheckID(const CString& text);
// Every character of the text a letter or digit, else `message`.
UINT CheckLettersAndDigits(const CString& text, UINT message);
// No byte above 0x7F (double-byte text included) in the text, else kCorrectName.
UINT CheckASCII(const CString& text);
// The report group rule on the trimmed text: no blank, "!", ";", ":" or byte above 0x7F.
UINT CheckNoBlanksOrSeparators(const CString& text);

} // namespace VqsValidation
