// Activation: each thread has one active top-level window. Activating another one sends
// WM_ACTIVATE (WA_INACTIVE, the new one) to the window that was active, then WM_ACTIVATE
// (WA_ACTIVE, the old one) to the new one; when the focus is not in the new window after
// that, the window itself takes it (WM_KILLFOCUS, WM_SETFOCUS). A modal dialog, sheet or
// wizard is activated when it shows and gives the activation to its owner when it ends; a
// message box, which is no window of this layer, deactivates the active window while it
// waits for its answer and activates it again afterwards, leaving the focus where it was.
// A mouse button that goes down on a window first sends it WM_MOUSEACTIVATE, which the
// default handling passes up the parent chain: a view makes itself its frame's active view
// there, before the click is handled.
#pragma once

#include "win/Types.h"

HWND GetActiveWindow();
// Returns the window that was active (null when none was).
HWND SetActiveWindow(HWND hwnd);

namespace vqwin {

// The activation of a modal window's run: the active window loses it before the new window
// initialises (and takes the focus), the window takes it when it shows, and gives it to its
// owner (or to the window active before, when there is no owner, or else to the top-level
// window of the one that had the focus) when it ends, with the focus back on the window that
// had it before (when that is still there, within the window activated).
class ModalActivation {
public:
    explicit ModalActivation(HWND owner);
    void Opening(HWND window);
    void Shown(HWND window);
    // Before the window is destroyed.
    void Ending(HWND window);

private:
    HWND m_owner;
    HWND m_before = nullptr;
    HWND m_focusBefore = nullptr;
};

// A mouse button (WM_LBUTTONDOWN, WM_RBUTTONDOWN, WM_LBUTTONDBLCLK) goes down on the
// window: WM_MOUSEACTIVATE with the window's top-level ancestor and HTCLIENT. The top-level
// window is not activated by it here, and no answer eats the click.
void MouseActivate(HWND window, UINT buttonMessage);

// A message box begins to wait: the active window is deactivated; returns it.
HWND DeactivateForMessageBox();
// The message box is answered: the window deactivated for it is active again.
void ReactivateAfterMessageBox(HWND window);

} // namespace vqwin
