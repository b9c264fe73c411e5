// Reading and writing a window's text. The text is written only when it differs from what
// the window shows, so that no needless change notification goes out.
#pragma once

#include "win/CString.h"

CString VqsGetWindowText(HWND window);
void VqsSetWindowText(HWND window, LPCTSTR text);
// The same for an edit the user may be typing in: a caret (an empty selection) stays where it
// was and is scrolled into view.
void VqsSetWindowTextKeepCaret(HWND edit, const char* text);
