#include "shell/VqsRedrawSwitch.h"

#include "win/CWnd.h"
#include "win/Collections.h"

namespace {

// Live switches per window; used on the user-interface thread only.
// Made as the library loads, not at first use: the module's end, which may use it, finds it.
CMap<HWND, HWND, int, int> g_liveSwitches(10);

CMap<HWND, HWND, int, int>& LiveSwitches() { return g_liveSwitches; }

} // namespace

VqsRedrawSwitch::VqsRedrawSwitch(CWnd* window) : m_hWnd(window ? window->GetSafeHwnd() : nullptr)
{
    if (!m_hWnd)
        return;
    int& count = LiveSwitches()[m_hWnd];
    if (count == 0)
        ::SendMessage(m_hWnd, WM_SETREDRAW, FALSE, 0);
    ++count;
}

VqsRedrawSwitch::VqsRedrawSwitch(const VqsRedrawSwitch& other) : m_hWnd(other.m_hWnd)
{
    if (m_hWnd)
        ++LiveSwitches()[m_hWnd];
}

VqsRedrawSwitch::~VqsRedrawSwitch()
{
    int count = 0;
    if (!m_hWnd || !LiveSwitches().Lookup(m_hWnd, count))
        return;
    if (count > 1) {
        LiveSwitches()[m_hWnd] = count - 1;
        return;
    }
    LiveSwitches().RemoveKey(m_hWnd);
    if (::IsWindow(m_hWnd))
        ::SendMessage(m_hWnd, WM_SETREDRAW, TRUE, 0);
}
