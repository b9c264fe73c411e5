// The frame window that every view of the module lives in, created over a window of the
// host. It talks to the host for its window: command states (at once or deferred), keyword
// messages, its menu with accelerators and prompts, the status text; it keeps the views'
// font and the stale-view flag, and carries the commands every frame has.
#pragma once

#include "proxy/PxForward.h"
#include "shell/VqsHostCallbacks.h"
#include "win/CFrameWnd.h"
#include "win/CGdiObject.h"
#include "win/CString.h"
#include "win/Collections.h"
#include "win/Gdi.h"

class VqsListView;
class VqsModel;

class VqsListFrame : public CFrameWnd {
public:
    // Posted to the frame for a deferred command-state update: wParam is the command id, 0
    // for all of them.
    static constexpr UINT WM_UPDATE_COMMANDS = WM_USER + 1;
    // Sent by the host to have the views refreshed.
    static constexpr UINT WM_REFRESH_VIEWS = WM_USER + 2;

    VqsListFrame(VqsViewUpdateCallBack update, VqsViewMessageCallBack message, const LOGFONT* font);
    ~VqsListFrame() override;

    // Ids 57602 (close), 57665 (exit) and 32825-32827 (open, go, fonts) are enabled; the
    // current view decides the others. The caller starts from (0, 0).
    virtual void GetCommandState(UINT id, int* enabled, int* checked);
    // The view of the active pane.
    virtual VqsListView* GetCurrentView() = 0;
    // The views after `previous` (null: the first): those asked for the selection's context...
    virtual VqsListView* GetNextView(VqsListView* previous) = 0;
    // ...and those refreshed, re-fonted and told of changes.
    virtual VqsListView* GetNextPane(VqsListView* previous) = 0;
    // Makes the pane after `current` active (the Tab key).
    virtual void ActivateNextPane(VqsListView* current);
    // Stores the pane sizes; views call it after every size change.
    virtual void SaveLayout();
    // The frame's menu and accelerator table; 0 for none.
    virtual UINT GetMenuId();

    // The message callback's answer; 0 without a callback.
    int NotifyHost(const char* keyword, const char* value);
    // Shows the text in the host's status bar ("statusTextSet:"); null clears it
    // ("statusTextClear:").
    void SetStatusText(const char* text);
    const CString& GetStatusText() const { return m_strStatusText; }

    // Deferred command-state updates: one WM_UPDATE_COMMANDS per id until it is handled, and
    // none for single ids while an update of all of them waits.
    void PostUpdateAllCommands();
    void PostUpdateCommand(UINT id);
    // When a view saw a change it could not apply, asks whether to refresh (61491) and posts
    // the Refresh command on yes.
    void CheckStaleViews();
    void SetRefreshPending() { m_bRefreshPending = TRUE; }
    void ClearRefreshPending() { m_bRefreshPending = FALSE; }
    BOOL IsRefreshPending() const { return m_bRefreshPending; }

    // The font every view of the frame draws and measures with.
    CFont* GetFont() { return &m_font; }
    const LOGFONT& GetLogFont() const { return m_logFont; }
    void SetFont(const LOGFONT* font);

    void GetSelectionContext(PxVQSystemPtr& system, PxVQBSSoftLinkPtr& bsLink, PxVQElementSoftLinkPtr& elementLink,
                             PxVQGenSetPtr& genSet);
    void RefreshViews(VqsModel* model);

    // Hands the frame's menu, item by item with accelerators and prompts, to the host's
    // callback and makes its commands the frame's command table.
    BOOL AddMenuItems(VqsMenuItemCallBack callback);
    // The commands of the frame's menu, each with the text of the popup it is in.
    const CMap<UINT, UINT, CString, LPCTSTR>& GetCommandTable() const { return m_commandTable; }
    // Passes one command state to the host's update callback.
    void ReportCommandState(const char* name, UINT id, BOOL enabled, BOOL checked) const;

protected:
    BOOL OnCreateClient(LPCREATESTRUCT cs, CCreateContext* context) override;
    // The frame leaves the application's frame list before it goes.
    void PostNcDestroy() override;

    void OnClose();
    void OnRefresh();
    void OnAppExit();
    void OnUpdateOpenCurrent(CCmdUI* cmdUI);
    void OnOpenCurrent();
    void OnFileClose();
    void OnGo();
    LRESULT OnUpdateCommandsMessage(WPARAM id, LPARAM);
    LRESULT OnRefreshMessage(WPARAM, LPARAM);

    DECLARE_MESSAGE_MAP()

private:
    class MenuExport;

    BOOL m_bUpdateAllPending = FALSE;
    CMap<UINT, UINT, UINT, UINT> m_pendingCommands{10};
    BOOL m_bRefreshPending = FALSE;
    VqsViewUpdateCallBack m_pfnUpdate = nullptr;
    VqsViewMessageCallBack m_pfnMessage = nullptr;
    LOGFONT m_logFont{};
    CFont m_font;
    CMap<UINT, UINT, CString, LPCTSTR> m_commandTable{10};
    CString m_strStatusText;
};

// Makes the frame's window over the host window's client area (which clips its children
// from now on). FALSE when the host handle is no window or the window could not be made; the
// frame is gone then.
BOOL VqsCreateFrameOverHost(VqsListFrame* frame, HWND host);

// The host's document window that holds `window`: the nearest window from `window` up whose
// extended style has WS_EX_MDICHILD; null when there is none.
CWnd* VqsMdiChildAncestor(CWnd* window);
// Activates the host's document window that holds `window` in its MDI client and lets the
// main frame lay itself out again.
void VqsFindMdiChildAncestor(CWnd* window);
