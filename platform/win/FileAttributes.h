// What the file system says about a path (a POSIX path).
#pragma once

#include "win/Types.h"

constexpr DWORD INVALID_FILE_ATTRIBUTES = 0xFFFFFFFF;
constexpr DWORD FILE_ATTRIBUTE_DIRECTORY = 0x10;
constexpr DWORD FILE_ATTRIBUTE_NORMAL = 0x80;

// The attributes of the file or directory; INVALID_FILE_ATTRIBUTES when there is none, with
// the last error saying why: ERROR_FILE_NOT_FOUND (its directory exists, it does not),
// ERROR_PATH_NOT_FOUND (a directory on the way is missing or is a file), ERROR_INVALID_NAME
// (the file system refuses the name itself: a name or path longer than it allows) or
// ERROR_ACCESS_DENIED.
DWORD GetFileAttributes(LPCTSTR path);
