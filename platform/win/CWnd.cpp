#include "win/CWnd.h"

#include "win/CButton.h"
#include "win/CDC.h"
#include "win/CGdiObject.h"
#include "win/CString.h"
#include "win/CMenu.h"
#include "win/CWinThread.h"
#include "win/Handlers.h"
#include "win/WindowRegistry.h"

#include <vector>

using vqwin::detail::Kernel;
using vqwin::detail::WindowRecord;
using vqwin::detail::WindowRegistry;

namespace {

thread_local std::vector<MSG> t_currentMessages;

class CurrentMessageScope {
public:
    explicit CurrentMessageScope(const MSG& msg) { t_currentMessages.push_back(msg); }
    ~CurrentMessageScope() { t_currentMessages.pop_back(); }
    CurrentMessageScope(const CurrentMessageScope&) = delete;
    CurrentMessageScope& operator=(const CurrentMessageScope&) = delete;
};

HMENU IdAsMenu(UINT id) { return reinterpret_cast<HMENU>(static_cast<UINT_PTR>(id)); }

} // namespace

namespace vqwin::detail {

LRESULT CallWindowObject(CWnd* object, HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam)
{
    const MSG msg{hwnd, message, wParam, lParam, 0, {0, 0}};
    CurrentMessageScope scope(msg);
    return RunHandler(object, msg);
}

} // namespace vqwin::detail

CWnd::CWnd() = default;

CWnd::~CWnd()
{
    if (m_hWnd && !::DestroyWindow(m_hWnd))
        Detach();
}

CWnd* CWnd::FromHandle(HWND hwnd)
{
    auto lock = Kernel::Acquire();
    WindowRecord* record = WindowRegistry::Find(lock, hwnd);
    if (!record)
        return nullptr;
    if (record->object)
        return record->object;
    if (!record->wrapper) {
        record->wrapper = std::make_unique<CWnd>();
        record->wrapper->m_hWnd = hwnd;
    }
    return record->wrapper.get();
}

CWnd* CWnd::FromHandlePermanent(HWND hwnd)
{
    auto lock = Kernel::Acquire();
    WindowRecord* record = WindowRegistry::Find(lock, hwnd);
    return record ? record->object : nullptr;
}

BOOL CWnd::Attach(HWND hwnd)
{
    std::unique_ptr<CWnd> wrapper;
    {
        auto lock = Kernel::Acquire();
        WindowRecord* record = WindowRegistry::Find(lock, hwnd);
        if (!record || record->object || m_hWnd)
            return FALSE;
        record->object = this;
        m_hWnd = hwnd;
        wrapper = std::move(record->wrapper);
    }
    if (wrapper)
        wrapper->m_hWnd = nullptr;
    return TRUE;
}

HWND CWnd::Detach()
{
    auto lock = Kernel::Acquire();
    if (WindowRecord* record = WindowRegistry::Find(lock, m_hWnd); record && record->object == this)
        record->object = nullptr;
    HWND hwnd = m_hWnd;
    m_hWnd = nullptr;
    return hwnd;
}

BOOL CWnd::SubclassWindow(HWND hwnd)
{
    if (!Attach(hwnd))
        return FALSE;
    PreSubclassWindow();
    return TRUE;
}

BOOL CWnd::SubclassDlgItem(UINT id, CWnd* parent)
{
    HWND child = parent ? ::GetDlgItem(parent->m_hWnd, static_cast<int>(id)) : nullptr;
    return child && SubclassWindow(child);
}

HWND CWnd::UnsubclassWindow() { return Detach(); }

BOOL CWnd::PreCreateWindow(CREATESTRUCT&) { return TRUE; }

BOOL CWnd::Create(LPCTSTR className, LPCTSTR windowName, DWORD style, const RECT& rect, CWnd* parent, UINT id,
                  CCreateContext* context)
{
    return CreateEx(0, className, windowName, style | WS_CHILD, rect.left, rect.top, rect.right - rect.left,
                    rect.bottom - rect.top, parent ? parent->m_hWnd : nullptr, IdAsMenu(id), context);
}

BOOL CWnd::CreateEx(DWORD exStyle, LPCTSTR className, LPCTSTR windowName, DWORD style, int x, int y, int width,
                    int height, HWND parent, HMENU idOrMenu, LPVOID param)
{
    CREATESTRUCT cs{param,  nullptr, idOrMenu,   parent, height, width, y, x, static_cast<LONG>(style),
                    windowName, className, exStyle};
    if (!PreCreateWindow(cs)) {
        PostNcDestroy();
        return FALSE;
    }
    return vqwin::detail::CreateWindowFor(this, cs) != nullptr;
}

BOOL CWnd::CreateEx(DWORD exStyle, LPCTSTR className, LPCTSTR windowName, DWORD style, const RECT& rect, CWnd* parent,
                    UINT id, LPVOID param)
{
    return CreateEx(exStyle, className, windowName, style, rect.left, rect.top, rect.right - rect.left,
                    rect.bottom - rect.top, parent ? parent->m_hWnd : nullptr, IdAsMenu(id), param);
}

BOOL CWnd::DestroyWindow() { return m_hWnd ? ::DestroyWindow(m_hWnd) : FALSE; }

LRESULT CWnd::SendMessage(UINT message, WPARAM wParam, LPARAM lParam) const
{
    return ::SendMessage(m_hWnd, message, wParam, lParam);
}

BOOL CWnd::PostMessage(UINT message, WPARAM wParam, LPARAM lParam) const
{
    return ::PostMessage(m_hWnd, message, wParam, lParam);
}

LRESULT CWnd::SendDlgItemMessage(int id, UINT message, WPARAM wParam, LPARAM lParam) const
{
    return ::SendMessage(::GetDlgItem(m_hWnd, id), message, wParam, lParam);
}

const MSG* CWnd::GetCurrentMessage() { return t_currentMessages.empty() ? nullptr : &t_currentMessages.back(); }

LRESULT CWnd::Default()
{
    const MSG* msg = GetCurrentMessage();
    return msg ? DefWindowProc(msg->message, msg->wParam, msg->lParam) : 0;
}

LRESULT CWnd::WindowProc(UINT message, WPARAM wParam, LPARAM lParam)
{
    LRESULT result = 0;
    if (!OnWndMsg(message, wParam, lParam, &result))
        result = DefWindowProc(message, wParam, lParam);
    return result;
}

BOOL CWnd::OnWndMsg(UINT message, WPARAM wParam, LPARAM lParam, LRESULT* result)
{
    if (message == WM_COMMAND) {
        if (!OnCommand(wParam, lParam))
            return FALSE;
        *result = 1;
        return TRUE;
    }
    if (message == WM_NOTIFY) {
        LRESULT notifyResult = 0;
        if (!lParam || !OnNotify(wParam, lParam, &notifyResult))
            return FALSE;
        *result = notifyResult;
        return TRUE;
    }
    if (const AFX_MSGMAP_ENTRY* entry = FindMessageEntry(message, 0, 0); entry && entry->pfnMessage) {
        *result = entry->pfnMessage(this, wParam, lParam);
        return TRUE;
    }
    if (message == WM_DRAWITEM) {
        OnDrawItem(static_cast<int>(wParam), reinterpret_cast<LPDRAWITEMSTRUCT>(lParam));
        *result = TRUE;
        return TRUE;
    }
    if (message == WM_MEASUREITEM) {
        OnMeasureItem(static_cast<int>(wParam), reinterpret_cast<LPMEASUREITEMSTRUCT>(lParam));
        *result = TRUE;
        return TRUE;
    }
    return FALSE;
}

LRESULT CWnd::DefWindowProc(UINT message, WPARAM wParam, LPARAM lParam)
{
    return vqwin::detail::CallClassProcedure(m_hWnd, message, wParam, lParam);
}

BOOL CWnd::OnCommand(WPARAM wParam, LPARAM lParam)
{
    const UINT id = LOWORD(wParam);
    const HWND control = reinterpret_cast<HWND>(lParam);
    UINT code = HIWORD(wParam);
    if (!control) {
        if (id == 0)
            return FALSE;
        CTestCmdUI probe;
        probe.m_nID = id;
        OnCmdMsg(id, static_cast<int>(CN_UPDATE_COMMAND_UI), &probe, nullptr);
        if (!probe.m_bEnabled)
            return TRUE;
        code = CN_COMMAND;
    } else {
        LRESULT reflected = 0;
        if (ReflectToChild(control, WM_COMMAND, wParam, lParam, &reflected))
            return TRUE;
    }
    return OnCmdMsg(id, static_cast<int>(code), nullptr, nullptr);
}

BOOL CWnd::OnNotify(WPARAM wParam, LPARAM lParam, LRESULT* result)
{
    auto* header = reinterpret_cast<NMHDR*>(lParam);
    if (ReflectToChild(header->hwndFrom, WM_NOTIFY, wParam, lParam, result))
        return TRUE;
    AFX_NOTIFY notify{result, header};
    const UINT packed = MAKELONG(LOWORD(header->code), WM_NOTIFY);
    return OnCmdMsg(static_cast<UINT>(header->idFrom), static_cast<int>(packed), &notify, nullptr);
}

BOOL CWnd::OnChildNotify(UINT message, WPARAM wParam, LPARAM lParam, LRESULT* result)
{
    return ReflectChildNotify(message, wParam, lParam, result);
}

BOOL CWnd::ReflectChildNotify(UINT message, WPARAM wParam, LPARAM lParam, LRESULT* result)
{
    if (message == WM_COMMAND) {
        const UINT packed = MAKELONG(HIWORD(wParam), WM_REFLECT_BASE + WM_COMMAND);
        if (!OnCmdMsg(0, static_cast<int>(packed), nullptr, nullptr))
            return FALSE;
        if (result)
            *result = 1;
        return TRUE;
    }
    if (message == WM_NOTIFY) {
        auto* header = reinterpret_cast<NMHDR*>(lParam);
        AFX_NOTIFY notify{result, header};
        const UINT packed = MAKELONG(LOWORD(header->code), WM_REFLECT_BASE + WM_NOTIFY);
        return OnCmdMsg(0, static_cast<int>(packed), &notify, nullptr);
    }
    LRESULT handled = 0;
    if (!OnWndMsg(WM_REFLECT_BASE + message, wParam, lParam, &handled))
        return FALSE;
    if (result)
        *result = handled;
    return TRUE;
}

BOOL CWnd::ReflectToChild(HWND child, UINT message, WPARAM wParam, LPARAM lParam, LRESULT* result)
{
    CWnd* object = FromHandlePermanent(child);
    return object && object->OnChildNotify(message, wParam, lParam, result);
}

BOOL CWnd::PreTranslateMessage(MSG*) { return FALSE; }

BOOL CWnd::PreTranslateInput(LPMSG msg)
{
    if (msg->message < WM_KEYFIRST || msg->message > WM_KEYLAST)
        return FALSE;
    return IsDialogMessage(msg);
}

BOOL CWnd::IsDialogMessage(LPMSG msg) { return ::IsDialogMessage(m_hWnd, msg); }

BOOL CWnd::WalkPreTranslateTree(HWND stop, MSG* msg)
{
    for (HWND hwnd = msg->hwnd; hwnd; hwnd = ::GetParent(hwnd)) {
        CWnd* object = FromHandlePermanent(hwnd);
        if (object && object->PreTranslateMessage(msg))
            return TRUE;
        if (hwnd == stop)
            break;
    }
    return FALSE;
}

void CWnd::PostNcDestroy() {}

void CWnd::PreSubclassWindow() {}

BOOL CWnd::IsFrameWnd() const { return FALSE; }

int CWnd::RunModalLoop(DWORD)
{
    while (ContinueModal()) {
        MSG msg;
        if (!::GetMessage(&msg, nullptr, 0, 0)) {
            ::PostQuitMessage(static_cast<int>(msg.wParam));
            return -1;
        }
        if (!AfxPreTranslateMessage(&msg)) {
            ::TranslateMessage(&msg);
            ::DispatchMessage(&msg);
        }
    }
    return m_nModalResult;
}

BOOL CWnd::ContinueModal() { return m_bContinueModal; }

void CWnd::EndModalLoop(int result)
{
    m_nModalResult = result;
    if (m_bContinueModal) {
        m_bContinueModal = FALSE;
        PostMessage(WM_NULL);
    }
}

CWnd* CWnd::GetParent() const { return FromHandle(::GetParent(m_hWnd)); }

CWnd* CWnd::GetOwner() const { return FromHandle(::GetWindow(m_hWnd, GW_OWNER)); }

CWnd* CWnd::GetWindow(UINT relation) const { return FromHandle(::GetWindow(m_hWnd, relation)); }

CWnd* CWnd::GetTopWindow() const { return GetWindow(GW_CHILD); }

CWnd* CWnd::GetNextWindow(UINT relation) const { return GetWindow(relation); }

CWnd* CWnd::GetTopLevelParent() const
{
    HWND top = m_hWnd;
    for (HWND up = ::GetParent(top); up; up = ::GetParent(top))
        top = up;
    return FromHandle(top);
}

CWnd* CWnd::GetDlgItem(int id) const { return FromHandle(::GetDlgItem(m_hWnd, id)); }

int CWnd::GetDlgCtrlID() const { return ::GetDlgCtrlID(m_hWnd); }

int CWnd::SetDlgCtrlID(int id) { return static_cast<int>(::SetWindowLongPtr(m_hWnd, GWL_ID, id)); }

BOOL CWnd::IsChild(const CWnd* window) const { return window && ::IsChild(m_hWnd, window->m_hWnd); }

void CWnd::SetWindowText(LPCTSTR text) { ::SetWindowText(m_hWnd, text); }

int CWnd::GetWindowText(LPTSTR buffer, int size) const { return ::GetWindowText(m_hWnd, buffer, size); }

void CWnd::GetWindowText(CString& text) const
{
    const int length = ::GetWindowTextLength(m_hWnd);
    ::GetWindowText(m_hWnd, text.GetBufferSetLength(length), length + 1);
    text.ReleaseBuffer();
}

int CWnd::GetWindowTextLength() const { return ::GetWindowTextLength(m_hWnd); }

void CWnd::SetDlgItemText(int id, LPCTSTR text) { ::SetWindowText(::GetDlgItem(m_hWnd, id), text); }

int CWnd::GetDlgItemText(int id, CString& text) const
{
    text.Empty();
    if (CWnd* item = GetDlgItem(id))
        item->GetWindowText(text);
    return text.GetLength();
}

void CWnd::CheckDlgButton(int id, UINT check) { ::CheckDlgButton(m_hWnd, id, check); }

UINT CWnd::IsDlgButtonChecked(int id) const { return ::IsDlgButtonChecked(m_hWnd, id); }

void CWnd::CheckRadioButton(int first, int last, int check) { ::CheckRadioButton(m_hWnd, first, last, check); }

int CWnd::GetCheckedRadioButton(int first, int last) const
{
    for (int id = first; id <= last; ++id) {
        if (::IsDlgButtonChecked(m_hWnd, id) != BST_UNCHECKED)
            return id;
    }
    return 0;
}

DWORD CWnd::GetStyle() const { return static_cast<DWORD>(::GetWindowLongPtr(m_hWnd, GWL_STYLE)); }

DWORD CWnd::GetExStyle() const { return static_cast<DWORD>(::GetWindowLongPtr(m_hWnd, GWL_EXSTYLE)); }

namespace {

BOOL ModifyLong(HWND hwnd, int index, DWORD remove, DWORD add, UINT flags)
{
    const auto old = static_cast<DWORD>(::GetWindowLongPtr(hwnd, index));
    const DWORD style = (old & ~remove) | add;
    if (style == old)
        return FALSE;
    ::SetWindowLongPtr(hwnd, index, static_cast<LONG_PTR>(style));
    if (flags)
        ::SetWindowPos(hwnd, nullptr, 0, 0, 0, 0, flags | SWP_NOSIZE | SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
    return TRUE;
}

} // namespace

BOOL CWnd::ModifyStyle(DWORD remove, DWORD add, UINT flags) { return ModifyLong(m_hWnd, GWL_STYLE, remove, add, flags); }

BOOL CWnd::ModifyStyleEx(DWORD remove, DWORD add, UINT flags)
{
    return ModifyLong(m_hWnd, GWL_EXSTYLE, remove, add, flags);
}

BOOL CWnd::EnableWindow(BOOL enable) { return ::EnableWindow(m_hWnd, enable); }

BOOL CWnd::IsWindowEnabled() const { return ::IsWindowEnabled(m_hWnd); }

BOOL CWnd::ShowWindow(int command) { return ::ShowWindow(m_hWnd, command); }

BOOL CWnd::IsWindowVisible() const { return ::IsWindowVisible(m_hWnd); }

BOOL CWnd::IsIconic() const { return ::IsIconic(m_hWnd); }

BOOL CWnd::IsZoomed() const { return ::IsZoomed(m_hWnd); }

void CWnd::GetWindowRect(LPRECT rect) const { ::GetWindowRect(m_hWnd, rect); }

void CWnd::GetClientRect(LPRECT rect) const { ::GetClientRect(m_hWnd, rect); }

void CWnd::ClientToScreen(LPPOINT point) const { ::ClientToScreen(m_hWnd, point); }

void CWnd::ClientToScreen(LPRECT rect) const
{
    ::ClientToScreen(m_hWnd, reinterpret_cast<LPPOINT>(&rect->left));
    ::ClientToScreen(m_hWnd, reinterpret_cast<LPPOINT>(&rect->right));
}

void CWnd::ScreenToClient(LPPOINT point) const { ::ScreenToClient(m_hWnd, point); }

void CWnd::ScreenToClient(LPRECT rect) const
{
    ::ScreenToClient(m_hWnd, reinterpret_cast<LPPOINT>(&rect->left));
    ::ScreenToClient(m_hWnd, reinterpret_cast<LPPOINT>(&rect->right));
}

BOOL CWnd::SetWindowPos(const CWnd* insertAfter, int x, int y, int cx, int cy, UINT flags)
{
    return ::SetWindowPos(m_hWnd, insertAfter ? insertAfter->m_hWnd : nullptr, x, y, cx, cy, flags);
}

void CWnd::MoveWindow(int x, int y, int width, int height, BOOL repaint)
{
    ::MoveWindow(m_hWnd, x, y, width, height, repaint);
}

void CWnd::MoveWindow(LPCRECT rect, BOOL repaint)
{
    MoveWindow(rect->left, rect->top, rect->right - rect->left, rect->bottom - rect->top, repaint);
}

CWnd* CWnd::SetFocus() { return FromHandle(::SetFocus(m_hWnd)); }

CWnd* CWnd::GetFocus() { return FromHandle(::GetFocus()); }

void CWnd::Invalidate(BOOL erase) { ::InvalidateRect(m_hWnd, nullptr, erase); }

void CWnd::InvalidateRect(LPCRECT rect, BOOL erase) { ::InvalidateRect(m_hWnd, rect, erase); }

void CWnd::ValidateRect(LPCRECT rect) { ::ValidateRect(m_hWnd, rect); }

void CWnd::UpdateWindow() { ::UpdateWindow(m_hWnd); }

void CWnd::SetRedraw(BOOL redraw) { SendMessage(WM_SETREDRAW, static_cast<WPARAM>(redraw)); }

CDC* CWnd::GetDC() { return CDC::FromHandle(::GetDC(m_hWnd)); }

int CWnd::ReleaseDC(CDC* dc) { return dc ? ::ReleaseDC(m_hWnd, dc->m_hDC) : 0; }

void CWnd::SetFont(CFont* font, BOOL redraw)
{
    SendMessage(WM_SETFONT, reinterpret_cast<WPARAM>(font ? font->GetSafeHandle() : nullptr), redraw);
}

CFont* CWnd::GetFont() const { return CFont::FromHandle(reinterpret_cast<HFONT>(SendMessage(WM_GETFONT))); }

HICON CWnd::SetIcon(HICON icon, BOOL bigIcon)
{
    return reinterpret_cast<HICON>(
        ::SendMessage(m_hWnd, WM_SETICON, bigIcon ? ICON_BIG : ICON_SMALL, reinterpret_cast<LPARAM>(icon)));
}

HICON CWnd::GetIcon(BOOL bigIcon) const
{
    return reinterpret_cast<HICON>(::SendMessage(m_hWnd, WM_GETICON, bigIcon ? ICON_BIG : ICON_SMALL, 0));
}

UINT_PTR CWnd::SetTimer(UINT_PTR id, UINT elapse, TIMERPROC proc) { return ::SetTimer(m_hWnd, id, elapse, proc); }

BOOL CWnd::KillTimer(UINT_PTR id) { return ::KillTimer(m_hWnd, id); }

BOOL CWnd::SetWindowContextHelpId(DWORD contextId) { return ::SetWindowContextHelpId(m_hWnd, contextId); }

DWORD CWnd::GetWindowContextHelpId() const { return ::GetWindowContextHelpId(m_hWnd); }

int CWnd::OnCreate(LPCREATESTRUCT) { return static_cast<int>(Default()); }

void CWnd::OnDestroy() { Default(); }

void CWnd::OnClose() { Default(); }

void CWnd::OnSize(UINT, int, int) { Default(); }

void CWnd::OnTimer(UINT_PTR) { Default(); }

void CWnd::OnChar(UINT, UINT, UINT) { Default(); }

void CWnd::OnKeyDown(UINT, UINT, UINT) { Default(); }

void CWnd::OnSetFocus(CWnd*) { Default(); }

void CWnd::OnKillFocus(CWnd*) { Default(); }

void CWnd::OnActivate(UINT, CWnd*, BOOL) { Default(); }

int CWnd::OnMouseActivate(CWnd*, UINT, UINT) { return static_cast<int>(Default()); }

BOOL CWnd::OnHelpInfo(HELPINFO*) { return static_cast<BOOL>(Default()); }

void CWnd::OnSysCommand(UINT, LPARAM) { Default(); }

void CWnd::OnInitMenuPopup(CMenu*, UINT, BOOL) { Default(); }

void CWnd::OnPaint() { Default(); }

void CWnd::OnGetMinMaxInfo(MINMAXINFO*) { Default(); }

void CWnd::OnContextMenu(CWnd*, CPoint) { Default(); }

void CWnd::OnDrawItem(int id, LPDRAWITEMSTRUCT dis)
{
    LRESULT result = 0;
    if (dis && dis->CtlType != ODT_MENU &&
        ReflectToChild(dis->hwndItem, WM_DRAWITEM, static_cast<WPARAM>(id), reinterpret_cast<LPARAM>(dis), &result))
        return;
    Default();
}

void CWnd::OnMeasureItem(int id, LPMEASUREITEMSTRUCT mis)
{
    LRESULT result = 0;
    HWND item = mis && mis->CtlType != ODT_MENU ? ::GetDlgItem(m_hWnd, static_cast<int>(mis->CtlID)) : nullptr;
    if (ReflectToChild(item, WM_MEASUREITEM, static_cast<WPARAM>(id), reinterpret_cast<LPARAM>(mis), &result))
        return;
    Default();
}

CMenu* vqmsg::MenuFromHandle(HMENU menu) { return CMenu::FromHandle(menu); }
CDC* vqmsg::DCFromHandle(HDC dc) { return CDC::FromHandle(dc); }
