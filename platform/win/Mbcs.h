// Text rules of the host's double-byte code page. Every helper that walks,
// compares, cuts or folds text goes through these, so there is one rule.
#pragma once

#include <cstddef>
#include <optional>
#include <string>
#include <string_view>

namespace mbcs {

// A double-byte character starts with a lead byte in 0x81-0x9F or 0xE0-0xFC.
constexpr bool IsLeadByte(unsigned char c)
{
    return (c >= 0x81 && c <= 0x9F) || (c >= 0xE0 && c <= 0xFC);
}

// Length in bytes of the character that starts at `pos` (1 or 2; a lead byte
// at the very end of the text counts as a single byte).
std::size_t CharLength(std::string_view text, std::size_t pos);

// True when `pos` is the first byte of a character (not a trail byte).
bool IsCharBoundary(std::string_view text, std::size_t pos);

// The largest length <= `maxBytes` that does not split a double-byte character.
std::size_t CutLength(std::string_view text, std::size_t maxBytes);

// Copies `text` into a caller's buffer of `size` bytes, cut on a character boundary and
// always zero-terminated; answers the bytes copied (0 for a null or empty buffer).
std::size_t CopyToBuffer(std::string_view text, char* buffer, std::size_t size);

// ASCII-only case folding; trail bytes of double-byte characters stay as they are.
void MakeUpper(char* text, std::size_t length);
void MakeLower(char* text, std::size_t length);

// Case-insensitive comparison (ASCII folding, trail bytes compared exactly).
// Returns <0, 0 or >0 like strcmp; bytes compare as unsigned.
int CompareNoCase(std::string_view a, std::string_view b);
int Compare(std::string_view a, std::string_view b);

// Finds a single-byte character, never matching a trail byte. npos when absent.
std::size_t FindChar(std::string_view text, char c, std::size_t start = 0);
std::size_t ReverseFindChar(std::string_view text, char c);
// Finds a substring starting on a character boundary. npos when absent.
std::size_t FindText(std::string_view text, std::string_view what, std::size_t start = 0);

// True when the text holds at least one double-byte character.
bool ContainsDoubleByte(std::string_view text);

// Text as the resource library and the repository tool's descriptions write it: each
// character U+0000 to U+00FF, in UTF-8, stands for the one byte of the host's code page of
// that value (a double-byte character is two of them). Nothing when the text holds a
// character above U+00FF.
std::optional<std::string> FromCodePoints(std::string_view utf8);

} // namespace mbcs
