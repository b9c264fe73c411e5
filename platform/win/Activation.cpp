#include "win/Activation.h"

#include "win/Messages.h"
#include "win/Window.h"

namespace {

thread_local HWND tActive = nullptr;

bool HoldsFocus(HWND window)
{
    HWND focus = ::GetFocus();
    return focus && (focus == window || ::IsChild(window, focus));
}

// The window loses the activation to `next` (which may not hold it yet).
void Deactivate(HWND window, HWND next)
{
    if (window && ::IsWindow(window))
        ::SendMessage(window, WM_ACTIVATE, MAKEWPARAM(WA_INACTIVE, ::IsIconic(window) ? 1 : 0),
                      reinterpret_cast<LPARAM>(next));
}

// The window takes the activation from `previous`, and the focus when it is not inside.
void Activate(HWND window, HWND previous)
{
    const bool minimised = ::IsIconic(window);
    ::SendMessage(window, WM_ACTIVATE, MAKEWPARAM(WA_ACTIVE, minimised ? 1 : 0), reinterpret_cast<LPARAM>(previous));
    if (::IsWindow(window) && !minimised && tActive == window && !HoldsFocus(window))
        ::SetFocus(window);
}

// The window itself when it is no child, else its nearest ancestor that is none.
HWND TopLevelOf(HWND window)
{
    while (window && (::GetWindowLongPtr(window, GWL_STYLE) & WS_CHILD) && ::GetParent(window))
        window = ::GetParent(window);
    return window;
}

} // namespace

HWND GetActiveWindow() { return ::IsWindow(tActive) ? tActive : nullptr; }

HWND SetActiveWindow(HWND hwnd)
{
    HWND previous = GetActiveWindow();
    if ((hwnd && !::IsWindow(hwnd)) || previous == hwnd)
        return previous;
    tActive = hwnd;
    Deactivate(previous, hwnd);
    if (hwnd && ::IsWindow(hwnd))
        Activate(hwnd, previous);
    return previous;
}

namespace vqwin {

ModalActivation::ModalActivation(HWND owner) : m_owner(owner) {}

void ModalActivation::Opening(HWND window)
{
    m_before = GetActiveWindow();
    m_focusBefore = ::GetFocus();
    if (m_before == window)
        return;
    tActive = nullptr;
    Deactivate(m_before, window);
}

void ModalActivation::Shown(HWND window)
{
    if (::IsWindow(window) && GetActiveWindow() != window) {
        tActive = window;
        Activate(window, m_before);
    }
}

void ModalActivation::Ending(HWND window)
{
    if (GetActiveWindow() != window)
        return;
    const HWND focusBefore = ::IsWindow(m_focusBefore) ? m_focusBefore : nullptr;
    HWND next = ::IsWindow(m_owner) ? m_owner : ::IsWindow(m_before) ? m_before : TopLevelOf(focusBefore);
    if (next == window)
        next = nullptr;
    if (next && focusBefore && (focusBefore == next || ::IsChild(next, focusBefore)))
        ::SetFocus(focusBefore);
    SetActiveWindow(next);
}

void MouseActivate(HWND window, UINT buttonMessage)
{
    ::SendMessage(window, WM_MOUSEACTIVATE, reinterpret_cast<WPARAM>(TopLevelOf(window)),
                  MAKELPARAM(static_cast<WORD>(HTCLIENT), static_cast<WORD>(buttonMessage)));
}

HWND DeactivateForMessageBox()
{
    HWND active = GetActiveWindow();
    if (active)
        SetActiveWindow(nullptr);
    return active;
}

void ReactivateAfterMessageBox(HWND window)
{
    if (window && ::IsWindow(window) && !GetActiveWindow())
        SetActiveWindow(window);
}

} // namespace vqwin
