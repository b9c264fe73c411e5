// The focus of a dialog that embeds a sheet: the control inside the sheet that had the focus
// when the dialog was deactivated gets it back when the dialog is activated again (after a
// message box or a dialog of its own).
#pragma once

#include "win/CWnd.h"

class VqsFocusMemory {
public:
    // On WM_ACTIVATE: TRUE when the focus is inside the sheet; that window is remembered and
    // the dialog skips its default handling.
    BOOL RememberFocusIn(const CWnd* sheet);
    // On WM_SETFOCUS: TRUE when the remembered window, still there and enabled, took the
    // focus; otherwise it is forgotten and the dialog runs its default handling.
    BOOL GiveBack();
    void Forget() { m_hFocus = nullptr; }

private:
    HWND m_hFocus = nullptr;
};
