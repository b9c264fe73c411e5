// Reading and writing a window's text. The text is written only when it differs from what
// the window shows, so that no needless change notification goes out.
#pragma once

#include "win/CString.h"

CString VqsGetWindowText(HWND window);
void VqsSetWindowText(HWND window, LPCTSTR text);
