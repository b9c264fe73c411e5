// The C library's multibyte string calls the module uses, over the one double-byte text rule
// of Mbcs.h: comparisons fold ASCII letters only and never split a double-byte character.
#pragma once

#include <cstddef>

// Case-insensitive comparison of two texts: <0, 0 or >0.
int _mbsicmp(const unsigned char* a, const unsigned char* b);
// The first occurrence of `what` in `text` that starts on a character; null when none. An
// empty `what` is found at the start.
const unsigned char* _mbsstr(const unsigned char* text, const unsigned char* what);
// Case-insensitive comparison of at most `count` bytes of two texts.
int _strnicmp(const char* a, const char* b, std::size_t count);

inline int _mbsicmp(const char* a, const char* b)
{
    return _mbsicmp(reinterpret_cast<const unsigned char*>(a), reinterpret_cast<const unsigned char*>(b));
}
inline const char* _mbsstr(const char* text, const char* what)
{
    return reinterpret_cast<const char*>(
        _mbsstr(reinterpret_cast<const unsigned char*>(text), reinterpret_cast<const unsigned char*>(what)));
}
