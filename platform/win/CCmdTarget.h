// The root of everything that receives commands: message map lookup, command routing,
// update-command-UI, and the wait cursor.
#pragma once

#include "win/MessageMap.h"
#include "win/Object.h"

class CMenu;
class CWnd;

// One command's state being asked for: update handlers call Enable, SetCheck, SetText. For
// an item of a menu (m_pMenu, at position m_nIndex) Enable and SetCheck set the item's state;
// for a window (m_pOther) Enable enables it and SetText sets its text.
class CCmdUI {
public:
    virtual ~CCmdUI() = default;

    virtual void Enable(BOOL on = TRUE);
    virtual void SetCheck(int check = 1);
    virtual void SetRadio(BOOL on = TRUE);
    virtual void SetText(LPCTSTR text);
    // A handler that does not decide lets the next command target decide.
    void ContinueRouting() { m_bContinueRouting = TRUE; }
    // Runs the target's update handler; with no handler and `disableIfNoHandler`, the
    // command is enabled exactly when the target has a command handler for it.
    BOOL DoUpdate(CCmdTarget* target, BOOL disableIfNoHandler);

    UINT m_nID = 0;
    UINT m_nIndex = 0;
    UINT m_nIndexMax = 0;
    CMenu* m_pMenu = nullptr;
    CMenu* m_pSubMenu = nullptr;
    CWnd* m_pOther = nullptr;
    BOOL m_bEnableChanged = FALSE;
    BOOL m_bContinueRouting = FALSE;
};

// Asks a command's update handlers whether the command is enabled right now, as a window
// does before it runs a command from a menu or an accelerator.
class CTestCmdUI : public CCmdUI {
public:
    void Enable(BOOL on = TRUE) override
    {
        m_bEnableChanged = TRUE;
        m_bEnabled = on;
    }
    void SetCheck(int) override {}
    void SetRadio(BOOL) override {}
    void SetText(LPCTSTR) override {}

    BOOL m_bEnabled = TRUE;
};

namespace vqmsg {
template <auto F>
BOOL UpdateUI(CCmdTarget* target, UINT, void* extra)
{
    auto* cmdUI = static_cast<CCmdUI*>(extra);
    cmdUI->m_bContinueRouting = FALSE;
    (Target<F>(target)->*F)(cmdUI);
    return !cmdUI->m_bContinueRouting;
}
} // namespace vqmsg

class CCmdTarget : public CObject {
public:
    CCmdTarget() = default;

    // Routes a command (code CN_COMMAND or a control notification), an update
    // (CN_UPDATE_COMMAND_UI, extra = CCmdUI*) or a notification (MAKELONG(code, WM_NOTIFY),
    // extra = AFX_NOTIFY*) to this object's handler. With handler info, only reports the
    // handler without calling it.
    virtual BOOL OnCmdMsg(UINT id, int code, void* extra, AFX_CMDHANDLERINFO* handlerInfo);

    // The wait cursor is counted across the process; see vqwin::GetWaitCursorState.
    void BeginWaitCursor();
    void EndWaitCursor();
    void RestoreWaitCursor();

protected:
    static const AFX_MSGMAP* GetThisMessageMap();
    virtual const AFX_MSGMAP* GetMessageMap() const;

    // The first entry for (message, code, id) in this object's map chain, most derived first.
    const AFX_MSGMAP_ENTRY* FindMessageEntry(UINT message, UINT code, UINT id) const;
};

// Wait cursor for the lifetime of the scope.
class CWaitCursor {
public:
    CWaitCursor();
    ~CWaitCursor();
    CWaitCursor(const CWaitCursor&) = delete;
    CWaitCursor& operator=(const CWaitCursor&) = delete;
    void Restore();
};

namespace vqwin {

struct WaitCursorState {
    int depth;    // current nesting; the cursor shows while above 0
    int begins;   // BeginWaitCursor calls since the last reset
    int ends;     // EndWaitCursor calls since the last reset
    int restores; // RestoreWaitCursor calls since the last reset
};
WaitCursorState GetWaitCursorState();
void ResetWaitCursorState();

} // namespace vqwin
