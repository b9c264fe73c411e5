#include "shell/VqsWindowText.h"

#include "win/CEdit.h"
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

void VqsSetWindowTextKeepCaret(HWND edit, const char* text)
{
    if (!edit || VqsGetWindowText(edit) == text)
        return;
    DWORD start = 0;
    DWORD end = 0;
    ::SendMessage(edit, EM_GETSEL, reinterpret_cast<WPARAM>(&start), reinterpret_cast<LPARAM>(&end));
    ::SetWindowText(edit, text);
    if (start != end)
        return;
    ::SendMessage(edit, EM_SETSEL, start, start);
    ::SendMessage(edit, EM_SCROLLCARET);
}
