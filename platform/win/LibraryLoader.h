// Resource libraries by handle, as the framework's library loader gives them, and the
// string-validity test of the framework.
#pragma once

#include "win/CString.h"
#include "win/Types.h"

// Loads the resource library of that name (see win/ResourceLibrary.h); null when the name
// is null or the library is missing or malformed (vqwin::LastLibraryLoadError says why).
HINSTANCE AfxLoadLibrary(LPCTSTR name);
// Frees a loaded library; when it supplies the module's resources, nothing does any more.
BOOL AfxFreeLibrary(HINSTANCE library);
// Makes a loaded library the source of the module's resources (null: none).
void AfxSetResourceHandle(HINSTANCE library);
HINSTANCE AfxGetResourceHandle();

// TRUE when `text` can be read: up to its terminating zero, or `length` bytes when a length
// is given. A null pointer and memory the process cannot read fail it.
BOOL AfxIsValidString(LPCSTR text, int length = -1);

namespace vqwin {

// Why the calling thread's last AfxLoadLibrary loaded nothing: the file (or the library's
// folder) and what is wrong in it. Empty after a load that succeeded.
CString LastLibraryLoadError();

} // namespace vqwin
