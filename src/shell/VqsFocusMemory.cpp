#include "shell/VqsFocusMemory.h"

#include "win/Window.h"

BOOL VqsFocusMemory::RememberFocusIn(const CWnd* sheet)
{
    HWND focus = ::GetFocus();
    if (!sheet || !sheet->m_hWnd || !focus || !::IsChild(sheet->m_hWnd, focus))
        return FALSE;
    m_hFocus = focus;
    return TRUE;
}

BOOL VqsFocusMemory::GiveBack()
{
    if (m_hFocus && ::IsWindow(m_hFocus) && ::IsWindowEnabled(m_hFocus)) {
        ::SetFocus(m_hFocus);
        return TRUE;
    }
    m_hFocus = nullptr;
    return FALSE;
}
