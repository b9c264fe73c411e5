// Profile (INI) files: "[section]" headers and "key=value" lines. Every call reads the
// file again; nothing is cached. Sections and keys are found without regard to case
// (ASCII folding) and the first match wins; values are trimmed of blanks and of one pair
// of enclosing quotes. A missing file, section or key gives the default.
#pragma once

#include "win/Types.h"

// Copies the value (or the default; null means "") into `buffer`, cut to `size` - 1 bytes
// at a character boundary and terminated. Returns the number of bytes copied.
DWORD GetPrivateProfileStringA(LPCSTR section, LPCSTR key, LPCSTR defaultValue, LPSTR buffer, DWORD size,
                               LPCSTR fileName);

// The value read as an integer: "0x" starts a hexadecimal number, a leading '-' negates,
// reading stops at the first character that is not a digit ("12ab" is 12, "ab" is 0).
// A missing or empty value gives the default.
UINT GetPrivateProfileIntA(LPCSTR section, LPCSTR key, int defaultValue, LPCSTR fileName);

// Sets the value, keeping every other line of the file as it was. A missing key is added
// after the last line of its section, a missing section at the end of the file, a missing
// file is created. Returns FALSE when the file cannot be read or written, or when a name
// or value would break the line structure (line breaks, '=' or ']' in a name).
BOOL WritePrivateProfileStringA(LPCSTR section, LPCSTR key, LPCSTR value, LPCSTR fileName);

inline DWORD GetPrivateProfileString(LPCSTR section, LPCSTR key, LPCSTR defaultValue, LPSTR buffer, DWORD size,
                                     LPCSTR fileName)
{
    return GetPrivateProfileStringA(section, key, defaultValue, buffer, size, fileName);
}

inline UINT GetPrivateProfileInt(LPCSTR section, LPCSTR key, int defaultValue, LPCSTR fileName)
{
    return GetPrivateProfileIntA(section, key, defaultValue, fileName);
}

inline BOOL WritePrivateProfileString(LPCSTR section, LPCSTR key, LPCSTR value, LPCSTR fileName)
{
    return WritePrivateProfileStringA(section, key, value, fileName);
}
