// The window object: a handle's messages run through its WindowProc, its message map and
// its class's default procedure. Frames, views, dialogs and controls derive from it.
#pragma once

#include "win/CCmdTarget.h"
#include "win/Geometry.h"
#include "win/Messages.h"
#include "win/Window.h"

class CDC;
class CFont;
class CMenu;
class CString;
class CCreateContext;

class CWnd : public CCmdTarget {
public:
    CWnd();
    // Destroys the window when it still has one.
    ~CWnd() override;
    CWnd(const CWnd&) = delete;
    CWnd& operator=(const CWnd&) = delete;

    HWND m_hWnd = nullptr;
    operator HWND() const { return m_hWnd; }
    HWND GetSafeHwnd() const { return m_hWnd; }

    // The object of a handle: its permanent object, else a temporary one that lives as long
    // as the window (or until an object is attached). Null for a handle that is no window.
    static CWnd* FromHandle(HWND hwnd);
    static CWnd* FromHandlePermanent(HWND hwnd);
    BOOL Attach(HWND hwnd);
    HWND Detach();
    BOOL SubclassWindow(HWND hwnd);
    BOOL SubclassDlgItem(UINT id, CWnd* parent);
    HWND UnsubclassWindow();

    // Creation. Every failure calls PostNcDestroy exactly once, as the framework does.
    virtual BOOL PreCreateWindow(CREATESTRUCT& cs);
    virtual BOOL Create(LPCTSTR className, LPCTSTR windowName, DWORD style, const RECT& rect, CWnd* parent, UINT id,
                        CCreateContext* context = nullptr);
    virtual BOOL CreateEx(DWORD exStyle, LPCTSTR className, LPCTSTR windowName, DWORD style, int x, int y, int width,
                          int height, HWND parent, HMENU idOrMenu, LPVOID param = nullptr);
    BOOL CreateEx(DWORD exStyle, LPCTSTR className, LPCTSTR windowName, DWORD style, const RECT& rect, CWnd* parent,
                  UINT id, LPVOID param = nullptr);
    virtual BOOL DestroyWindow();

    // Messages.
    LRESULT SendMessage(UINT message, WPARAM wParam = 0, LPARAM lParam = 0) const;
    BOOL PostMessage(UINT message, WPARAM wParam = 0, LPARAM lParam = 0) const;
    LRESULT SendDlgItemMessage(int id, UINT message, WPARAM wParam = 0, LPARAM lParam = 0) const;
    // The message being handled on this thread (the innermost one).
    static const MSG* GetCurrentMessage();
    // Default handling of the current message: DefWindowProc with its arguments.
    LRESULT Default();

    virtual LRESULT WindowProc(UINT message, WPARAM wParam, LPARAM lParam);
    virtual BOOL OnWndMsg(UINT message, WPARAM wParam, LPARAM lParam, LRESULT* result);
    virtual LRESULT DefWindowProc(UINT message, WPARAM wParam, LPARAM lParam);
    // WM_COMMAND: a control's notification goes to the control first (reflection), then
    // through OnCmdMsg; a menu or accelerator command is dropped while its update handler
    // disables it.
    virtual BOOL OnCommand(WPARAM wParam, LPARAM lParam);
    virtual BOOL OnNotify(WPARAM wParam, LPARAM lParam, LRESULT* result);
    // A notification of this window that its parent hands back (WM_REFLECT_BASE + message).
    virtual BOOL OnChildNotify(UINT message, WPARAM wParam, LPARAM lParam, LRESULT* result);
    virtual BOOL PreTranslateMessage(MSG* msg);
    // Keyboard messages for this window or its children go through the dialog keys.
    BOOL PreTranslateInput(LPMSG msg);
    BOOL IsDialogMessage(LPMSG msg);
    // Offers a message to the PreTranslateMessage of its window and each parent up to `stop`.
    static BOOL WalkPreTranslateTree(HWND stop, MSG* msg);
    // Called after the window is gone (m_hWnd is null); an object may delete itself here.
    virtual void PostNcDestroy();
    virtual void PreSubclassWindow();
    virtual BOOL IsFrameWnd() const;

    // A modal loop on the calling thread's queue, running while m_bContinueModal is set: the
    // caller sets it before it creates the window, so that an EndModalLoop made during
    // creation ends the loop at once. Ends at EndModalLoop or at WM_QUIT (-1; the quit is
    // posted again for the outer loop).
    int RunModalLoop(DWORD flags = 0);
    virtual BOOL ContinueModal();
    virtual void EndModalLoop(int result);

    // The window tree.
    CWnd* GetParent() const;
    CWnd* GetOwner() const;
    CWnd* GetWindow(UINT relation) const;
    CWnd* GetTopWindow() const;
    CWnd* GetNextWindow(UINT relation = GW_HWNDNEXT) const;
    CWnd* GetTopLevelParent() const;
    CWnd* GetDlgItem(int id) const;
    int GetDlgCtrlID() const;
    int SetDlgCtrlID(int id);
    BOOL IsChild(const CWnd* window) const;

    // Text.
    void SetWindowText(LPCTSTR text);
    int GetWindowText(LPTSTR buffer, int size) const;
    void GetWindowText(CString& text) const;
    int GetWindowTextLength() const;
    void SetDlgItemText(int id, LPCTSTR text);
    int GetDlgItemText(int id, CString& text) const;

    // Buttons among the children, by id (see CButton.h).
    void CheckDlgButton(int id, UINT check);
    UINT IsDlgButtonChecked(int id) const;
    void CheckRadioButton(int first, int last, int check);
    // The id of the first checked button from `first` to `last`; 0 when none is checked.
    int GetCheckedRadioButton(int first, int last) const;

    // Styles and state.
    DWORD GetStyle() const;
    DWORD GetExStyle() const;
    // TRUE when the style changed; with flags, SetWindowPos is called with them as well.
    BOOL ModifyStyle(DWORD remove, DWORD add, UINT flags = 0);
    BOOL ModifyStyleEx(DWORD remove, DWORD add, UINT flags = 0);
    BOOL EnableWindow(BOOL enable = TRUE);
    BOOL IsWindowEnabled() const;
    BOOL ShowWindow(int command);
    BOOL IsWindowVisible() const;
    BOOL IsIconic() const;
    BOOL IsZoomed() const;

    // Placement.
    void GetWindowRect(LPRECT rect) const;
    void GetClientRect(LPRECT rect) const;
    void ClientToScreen(LPPOINT point) const;
    void ClientToScreen(LPRECT rect) const;
    void ScreenToClient(LPPOINT point) const;
    void ScreenToClient(LPRECT rect) const;
    BOOL SetWindowPos(const CWnd* insertAfter, int x, int y, int cx, int cy, UINT flags);
    void MoveWindow(int x, int y, int width, int height, BOOL repaint = TRUE);
    void MoveWindow(LPCRECT rect, BOOL repaint = TRUE);

    // Focus.
    CWnd* SetFocus();
    static CWnd* GetFocus();

    // Painting.
    void Invalidate(BOOL erase = TRUE);
    void InvalidateRect(LPCRECT rect, BOOL erase = TRUE);
    void ValidateRect(LPCRECT rect);
    void UpdateWindow();
    void SetRedraw(BOOL redraw = TRUE);
    CDC* GetDC();
    int ReleaseDC(CDC* dc);
    void SetFont(CFont* font, BOOL redraw = TRUE);
    CFont* GetFont() const;

    // The window's big or small icon (WM_SETICON); answers the previous one.
    HICON SetIcon(HICON icon, BOOL bigIcon);
    HICON GetIcon(BOOL bigIcon) const;

    UINT_PTR SetTimer(UINT_PTR id, UINT elapse, TIMERPROC proc = nullptr);
    BOOL KillTimer(UINT_PTR id);

    BOOL SetWindowContextHelpId(DWORD contextId);
    DWORD GetWindowContextHelpId() const;

    // Menus (see Menu.h): the menu of a top-level window and the system menu.
    CMenu* GetMenu() const;
    BOOL SetMenu(CMenu* menu);
    CMenu* GetSystemMenu(BOOL revert) const;

protected:
    // Base handlers of standard messages: each does the default handling.
    int OnCreate(LPCREATESTRUCT cs);
    void OnDestroy();
    void OnClose();
    void OnSize(UINT type, int cx, int cy);
    void OnTimer(UINT_PTR id);
    void OnChar(UINT ch, UINT repeat, UINT flags);
    void OnKeyDown(UINT key, UINT repeat, UINT flags);
    void OnSetFocus(CWnd* oldWnd);
    void OnKillFocus(CWnd* newWnd);
    void OnActivate(UINT state, CWnd* other, BOOL minimized);
    // A mouse button goes down in this window or a child: the answer (MA_ACTIVATE, ...) of
    // the parent chain.
    int OnMouseActivate(CWnd* desktop, UINT hitTest, UINT message);
    BOOL OnHelpInfo(HELPINFO* info);
    void OnSysCommand(UINT id, LPARAM lParam);
    void OnInitMenuPopup(CMenu* popup, UINT index, BOOL sysMenu);
    void OnPaint();
    void OnGetMinMaxInfo(MINMAXINFO* info);
    void OnContextMenu(CWnd* window, CPoint point);
    // Owner drawing: handed back to the control that asked (reflection).
    void OnDrawItem(int id, LPDRAWITEMSTRUCT dis);
    void OnMeasureItem(int id, LPMEASUREITEMSTRUCT mis);

    // Looks up this window's reflected handler for a child notification.
    BOOL ReflectChildNotify(UINT message, WPARAM wParam, LPARAM lParam, LRESULT* result);
    // Hands a notification to the child that sent it; TRUE when the child handled it.
    static BOOL ReflectToChild(HWND child, UINT message, WPARAM wParam, LPARAM lParam, LRESULT* result);

    int m_nModalResult = -1;
    BOOL m_bContinueModal = FALSE;
};

namespace vqmsg {

template <auto F>
LRESULT OnCreate(CCmdTarget* t, WPARAM, LPARAM l)
{
    return (Target<F>(t)->*F)(reinterpret_cast<LPCREATESTRUCT>(l));
}
template <auto F>
LRESULT Plain(CCmdTarget* t, WPARAM, LPARAM)
{
    (Target<F>(t)->*F)();
    return 0;
}
template <auto F>
LRESULT OnSize(CCmdTarget* t, WPARAM w, LPARAM l)
{
    (Target<F>(t)->*F)(static_cast<UINT>(w), LOWORD(static_cast<std::uintptr_t>(l)),
                       HIWORD(static_cast<std::uintptr_t>(l)));
    return 0;
}
template <auto F>
LRESULT OnTimer(CCmdTarget* t, WPARAM w, LPARAM)
{
    (Target<F>(t)->*F)(static_cast<UINT_PTR>(w));
    return 0;
}
template <auto F>
LRESULT OnKey(CCmdTarget* t, WPARAM w, LPARAM l)
{
    (Target<F>(t)->*F)(static_cast<UINT>(w), LOWORD(static_cast<std::uintptr_t>(l)),
                       HIWORD(static_cast<std::uintptr_t>(l)));
    return 0;
}
template <auto F>
LRESULT OnFocus(CCmdTarget* t, WPARAM w, LPARAM)
{
    (Target<F>(t)->*F)(CWnd::FromHandle(reinterpret_cast<HWND>(w)));
    return 0;
}
template <auto F>
LRESULT OnActivate(CCmdTarget* t, WPARAM w, LPARAM l)
{
    const auto packed = static_cast<std::uintptr_t>(w);
    (Target<F>(t)->*F)(LOWORD(packed), CWnd::FromHandle(reinterpret_cast<HWND>(l)), HIWORD(packed) != 0);
    return 0;
}
template <auto F>
LRESULT OnMouseActivate(CCmdTarget* t, WPARAM w, LPARAM l)
{
    const auto packed = static_cast<std::uintptr_t>(l);
    return (Target<F>(t)->*F)(CWnd::FromHandle(reinterpret_cast<HWND>(w)), LOWORD(packed), HIWORD(packed));
}
template <auto F>
LRESULT OnHelpInfo(CCmdTarget* t, WPARAM, LPARAM l)
{
    return (Target<F>(t)->*F)(reinterpret_cast<HELPINFO*>(l));
}
template <auto F>
LRESULT OnSysCommand(CCmdTarget* t, WPARAM w, LPARAM l)
{
    (Target<F>(t)->*F)(static_cast<UINT>(w), l);
    return 0;
}
// CMenu::FromHandle, for the entries of headers that do not see CMenu.
CMenu* MenuFromHandle(HMENU menu);

template <auto F>
LRESULT OnInitMenuPopup(CCmdTarget* t, WPARAM w, LPARAM l)
{
    const auto packed = static_cast<std::uintptr_t>(l);
    (Target<F>(t)->*F)(MenuFromHandle(reinterpret_cast<HMENU>(w)), LOWORD(packed), HIWORD(packed));
    return 0;
}
template <auto F>
LRESULT OnGetMinMaxInfo(CCmdTarget* t, WPARAM, LPARAM l)
{
    (Target<F>(t)->*F)(reinterpret_cast<MINMAXINFO*>(l));
    return 0;
}
template <auto F>
LRESULT OnContextMenu(CCmdTarget* t, WPARAM w, LPARAM l)
{
    const auto packed = static_cast<std::uintptr_t>(l);
    (Target<F>(t)->*F)(CWnd::FromHandle(reinterpret_cast<HWND>(w)),
                       CPoint(static_cast<short>(LOWORD(packed)), static_cast<short>(HIWORD(packed))));
    return 0;
}
// CDC::FromHandle, for the entries of headers that do not see CDC.
CDC* DCFromHandle(HDC dc);

template <auto F, UINT kind>
LRESULT OnCtlColor(CCmdTarget* t, WPARAM w, LPARAM l)
{
    return reinterpret_cast<LRESULT>((Target<F>(t)->*F)(DCFromHandle(reinterpret_cast<HDC>(w)),
                                                        CWnd::FromHandle(reinterpret_cast<HWND>(l)), kind));
}
template <auto F>
LRESULT OnDrawItem(CCmdTarget* t, WPARAM w, LPARAM l)
{
    (Target<F>(t)->*F)(static_cast<int>(w), reinterpret_cast<LPDRAWITEMSTRUCT>(l));
    return TRUE;
}
template <auto F>
LRESULT OnMeasureItem(CCmdTarget* t, WPARAM w, LPARAM l)
{
    (Target<F>(t)->*F)(static_cast<int>(w), reinterpret_cast<LPMEASUREITEMSTRUCT>(l));
    return TRUE;
}
template <auto F>
LRESULT DrawItemReflect(CCmdTarget* t, WPARAM, LPARAM l)
{
    (Target<F>(t)->*F)(reinterpret_cast<LPDRAWITEMSTRUCT>(l));
    return TRUE;
}
template <auto F>
LRESULT MeasureItemReflect(CCmdTarget* t, WPARAM, LPARAM l)
{
    (Target<F>(t)->*F)(reinterpret_cast<LPMEASUREITEMSTRUCT>(l));
    return TRUE;
}

} // namespace vqmsg

#define VQ_ON_WM(message, thunk, member) {message, 0, 0, 0, nullptr, &vqmsg::thunk<&ThisClass::member>},
#define ON_WM_CREATE() VQ_ON_WM(WM_CREATE, OnCreate, OnCreate)
#define ON_WM_DESTROY() VQ_ON_WM(WM_DESTROY, Plain, OnDestroy)
#define ON_WM_CLOSE() VQ_ON_WM(WM_CLOSE, Plain, OnClose)
#define ON_WM_PAINT() VQ_ON_WM(WM_PAINT, Plain, OnPaint)
#define ON_WM_SIZE() VQ_ON_WM(WM_SIZE, OnSize, OnSize)
#define ON_WM_TIMER() VQ_ON_WM(WM_TIMER, OnTimer, OnTimer)
#define ON_WM_CHAR() VQ_ON_WM(WM_CHAR, OnKey, OnChar)
#define ON_WM_KEYDOWN() VQ_ON_WM(WM_KEYDOWN, OnKey, OnKeyDown)
#define ON_WM_SETFOCUS() VQ_ON_WM(WM_SETFOCUS, OnFocus, OnSetFocus)
#define ON_WM_KILLFOCUS() VQ_ON_WM(WM_KILLFOCUS, OnFocus, OnKillFocus)
#define ON_WM_ACTIVATE() VQ_ON_WM(WM_ACTIVATE, OnActivate, OnActivate)
#define ON_WM_MOUSEACTIVATE() VQ_ON_WM(WM_MOUSEACTIVATE, OnMouseActivate, OnMouseActivate)
#define ON_WM_HELPINFO() VQ_ON_WM(WM_HELP, OnHelpInfo, OnHelpInfo)
#define ON_WM_SYSCOMMAND() VQ_ON_WM(WM_SYSCOMMAND, OnSysCommand, OnSysCommand)
#define ON_WM_INITMENUPOPUP() VQ_ON_WM(WM_INITMENUPOPUP, OnInitMenuPopup, OnInitMenuPopup)
#define ON_WM_GETMINMAXINFO() VQ_ON_WM(WM_GETMINMAXINFO, OnGetMinMaxInfo, OnGetMinMaxInfo)
#define ON_WM_CONTEXTMENU() VQ_ON_WM(WM_CONTEXTMENU, OnContextMenu, OnContextMenu)
#define ON_WM_CTLCOLOR() \
    {WM_CTLCOLOREDIT, 0, 0, 0, nullptr, &vqmsg::OnCtlColor<&ThisClass::OnCtlColor, CTLCOLOR_EDIT>}, \
    {WM_CTLCOLORSTATIC, 0, 0, 0, nullptr, &vqmsg::OnCtlColor<&ThisClass::OnCtlColor, CTLCOLOR_STATIC>},
#define ON_WM_DRAWITEM() VQ_ON_WM(WM_DRAWITEM, OnDrawItem, OnDrawItem)
#define ON_WM_MEASUREITEM() VQ_ON_WM(WM_MEASUREITEM, OnMeasureItem, OnMeasureItem)
#define ON_WM_DRAWITEM_REFLECT() VQ_ON_WM(WM_REFLECT_BASE + WM_DRAWITEM, DrawItemReflect, DrawItem)
#define ON_WM_MEASUREITEM_REFLECT() VQ_ON_WM(WM_REFLECT_BASE + WM_MEASUREITEM, MeasureItemReflect, MeasureItem)
