#include "shell/VqsWindowText.h"

#include "win/Window.h"

CString VqsGetWindowText(HWND window)
{
    CString text;
    const int length = ::GetWindowTextLength(window);
    ::GetWindowText(window, text.GetBufferSetLength(length), length + 1);
    text.ReleaseBuffer();
    return text;
}

void VqsSetWindowText(HWND window, LPCTSTR text)
{
    if (window && VqsGetWindowText(window) != text)
        ::SetWindowText(window, text);
}
