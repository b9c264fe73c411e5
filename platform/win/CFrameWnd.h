// The frame window: holds the views of a window, lays its client area out and hands commands
// to its active view before handling them itself. From its creation on it has an active view
// (its first pane, unless its client area made another one active), and it updates each item
// of a pop-up menu it owns through that routing before the menu shows. A frame belongs to
// itself: the object is deleted when its window is destroyed, also when making the window
// failed (after the handlers running on its thread have returned, see Handlers.h).
#pragma once

#include "win/CWnd.h"

struct CRuntimeClass;
class CView;

// Ids of a frame's panes: the one view of a plain frame, or the panes of a splitter.
constexpr UINT AFX_IDW_PANE_FIRST = 0xE900;
constexpr UINT AFX_IDW_PANE_LAST = 0xE9FF;

// What a frame makes its client area of, passed as the creation parameter of its window.
struct CCreateContext {
    const CRuntimeClass* m_pNewViewClass = nullptr;
};

class CFrameWnd : public CWnd {
public:
    CFrameWnd();
    ~CFrameWnd() override;

    // Makes the view of the context's class as the child `id` (WS_CHILD, WS_VISIBLE,
    // WS_BORDER); null when the class makes no window.
    CWnd* CreateView(CCreateContext* context, UINT id = AFX_IDW_PANE_FIRST);
    // Places the pane AFX_IDW_PANE_FIRST over the client area; done at every size change.
    virtual void RecalcLayout(BOOL notify = TRUE);

    // The frame whose view is active within this one: the frame itself.
    virtual CFrameWnd* GetActiveFrame();
    CView* GetActiveView() const { return m_pViewActive; }
    // With `notify`, the view that loses and the view that gains the activation are told
    // (CView::OnActivateView) in that order.
    void SetActiveView(CView* view, BOOL notify = TRUE);

    BOOL IsFrameWnd() const override;
    // The active view first, then the frame's own handlers.
    BOOL OnCmdMsg(UINT id, int code, void* extra, AFX_CMDHANDLERINFO* handlerInfo) override;

protected:
    // Makes the client area's windows; FALSE fails the frame's creation. The base makes the
    // view of the context's class, when a context names one.
    virtual BOOL OnCreateClient(LPCREATESTRUCT cs, CCreateContext* context);
    void PostNcDestroy() override;

    int OnCreate(LPCREATESTRUCT cs);
    void OnSize(UINT type, int cx, int cy);
    // Each command of the pop-up is enabled and checked by its update handler; a command
    // that nothing handles is greyed (system commands excepted).
    void OnInitMenuPopup(CMenu* popup, UINT index, BOOL sysMenu);

    DECLARE_MESSAGE_MAP()

private:
    // The view of the pane AFX_IDW_PANE_FIRST, found through nested splitters (a pane with
    // the same id as its parent comes first); null when that pane is no view.
    CView* FirstPaneView() const;

    CView* m_pViewActive = nullptr;
};
