#include "win/Window.h"

#include "win/CEdit.h"
#include "win/CWinThread.h"
#include "win/CWnd.h"
#include "win/Input.h"
#include "win/Mbcs.h"
#include "win/WindowRegistry.h"

#include <algorithm>
#include <utility>

using vqwin::detail::Kernel;
using vqwin::detail::ThreadState;
using vqwin::detail::WindowRecord;
using vqwin::detail::WindowRegistry;

namespace {

int Coordinate(int value) { return value == CW_USEDEFAULT ? 0 : value; }

// Copies text into a caller's buffer of `size` bytes, cut on a character boundary.
int CopyText(const std::string& text, LPSTR buffer, int size)
{
    return static_cast<int>(mbcs::CopyToBuffer(text, buffer, static_cast<std::size_t>(size > 0 ? size : 0)));
}

HWND TopLevelAncestor(Kernel::Lock& lock, WindowRecord* record)
{
    while (record && record->parent)
        record = WindowRegistry::Find(lock, record->parent);
    return record ? record->hwnd : nullptr;
}

bool IsVisibleChain(Kernel::Lock& lock, const WindowRecord* record)
{
    for (; record; record = WindowRegistry::Find(lock, record->parent)) {
        if (!(record->style & WS_VISIBLE))
            return false;
    }
    return true;
}

bool IsPaintable(Kernel::Lock& lock, const WindowRecord& record)
{
    return record.invalid && record.redraw && !record.destroying && IsVisibleChain(lock, &record);
}

void MarkInvalid(Kernel::Lock& lock, WindowRecord& record)
{
    record.invalid = true;
    if (ThreadState* owner = Kernel::Find(lock, record.threadId))
        owner->queue.Invalidate(record.hwnd);
    Kernel::WakeAll(lock);
}

void MarkValid(Kernel::Lock& lock, WindowRecord& record)
{
    record.invalid = false;
    if (ThreadState* owner = Kernel::Find(lock, record.threadId))
        owner->queue.Validate(record.hwnd);
}

CPoint ScreenOrigin(Kernel::Lock& lock, const WindowRecord* record)
{
    CPoint origin;
    for (; record; record = WindowRegistry::Find(lock, record->parent))
        origin.Offset(record->rect.left, record->rect.top);
    return origin;
}

void CollectSubtree(Kernel::Lock& lock, HWND hwnd, std::vector<HWND>& order)
{
    WindowRecord* record = WindowRegistry::Find(lock, hwnd);
    if (!record || record->destroying)
        return;
    record->destroying = true;
    order.push_back(hwnd);
    for (HWND child : record->children)
        CollectSubtree(lock, child, order);
}

// The last step of destruction: the handle goes and the object hears of it.
void FinishWindow(HWND hwnd)
{
    if (!IsWindow(hwnd))
        return;
    SendMessage(hwnd, WM_NCDESTROY);
    std::unique_ptr<WindowRecord> record;
    {
        auto lock = Kernel::Acquire();
        record = WindowRegistry::Remove(lock, hwnd);
        if (!record)
            return;
        if (ThreadState* owner = Kernel::Find(lock, record->threadId)) {
            owner->queue.ForgetWindow(hwnd);
            if (owner->focus == hwnd)
                owner->focus = nullptr;
        }
    }
    if (record->wrapper)
        record->wrapper->m_hWnd = nullptr;
    if (CWnd* object = record->object) {
        object->m_hWnd = nullptr;
        if (CWinThread* thread = AfxGetThread(); thread && thread->m_pMainWnd == object)
            thread->m_pMainWnd = nullptr;
        object->PostNcDestroy();
    }
}

UINT SizeKind(DWORD style)
{
    if (style & WS_MINIMIZE)
        return SIZE_MINIMIZED;
    return (style & WS_MAXIMIZE) ? SIZE_MAXIMIZED : SIZE_RESTORED;
}

DWORD StyleAfterShow(DWORD style, int command)
{
    switch (command) {
    case SW_HIDE:
        return style & ~WS_VISIBLE;
    case SW_SHOWNORMAL:
    case SW_RESTORE:
    case SW_SHOWDEFAULT:
        return (style | WS_VISIBLE) & ~(WS_MINIMIZE | WS_MAXIMIZE);
    case SW_SHOWMINIMIZED:
    case SW_MINIMIZE:
    case SW_SHOWMINNOACTIVE:
        return (style | WS_VISIBLE | WS_MINIMIZE) & ~WS_MAXIMIZE;
    case SW_SHOWMAXIMIZED:
        return (style | WS_VISIBLE | WS_MAXIMIZE) & ~WS_MINIMIZE;
    default:
        return style | WS_VISIBLE;
    }
}

LRESULT SizeMessage(HWND hwnd, UINT kind)
{
    RECT client{};
    GetClientRect(hwnd, &client);
    return SendMessage(hwnd, WM_SIZE, kind,
                       MAKELPARAM(static_cast<WORD>(client.right), static_cast<WORD>(client.bottom)));
}

void Reorder(std::vector<HWND>& siblings, HWND hwnd, HWND insertAfter)
{
    std::erase(siblings, hwnd);
    if (insertAfter == HWND_TOP) {
        siblings.insert(siblings.begin(), hwnd);
        return;
    }
    auto after = std::find(siblings.begin(), siblings.end(), insertAfter);
    siblings.insert(after == siblings.end() ? siblings.end() : std::next(after), hwnd);
}

HELPINFO HelpInfoFor(HWND hwnd)
{
    HELPINFO info{};
    info.cbSize = sizeof(HELPINFO);
    info.iContextType = HELPINFO_WINDOW;
    info.iCtrlId = GetDlgCtrlID(hwnd);
    info.hItemHandle = reinterpret_cast<HANDLE>(hwnd);
    info.dwContextId = GetWindowContextHelpId(hwnd);
    return info;
}

bool IsTabStop(HWND hwnd)
{
    const auto style = static_cast<DWORD>(GetWindowLongPtr(hwnd, GWL_STYLE));
    return (style & WS_TABSTOP) && (style & WS_VISIBLE) && !(style & WS_DISABLED);
}

int DefaultButtonId(HWND dialog)
{
    const auto answer = static_cast<std::uintptr_t>(SendMessage(dialog, DM_GETDEFID));
    return HIWORD(answer) == DC_HASDEFID ? LOWORD(answer) : IDOK;
}

void SendButtonCommand(HWND dialog, int id)
{
    SendMessage(dialog, WM_COMMAND, MAKEWPARAM(static_cast<WORD>(id), BN_CLICKED),
                reinterpret_cast<LPARAM>(GetDlgItem(dialog, id)));
}

// Enter presses the focused push button, else the default button. A default button that is
// disabled takes no Enter: nothing happens, as on the platform, so a dialog that disables OK
// until its input is complete is not ended by the key.
void PressEnter(HWND dialog, HWND focus, UINT dialogCode)
{
    if (dialogCode & (DLGC_DEFPUSHBUTTON | DLGC_UNDEFPUSHBUTTON)) {
        SendButtonCommand(dialog, GetDlgCtrlID(focus));
        return;
    }
    const int id = DefaultButtonId(dialog);
    const HWND button = GetDlgItem(dialog, id);
    if (button && !IsWindowEnabled(button))
        return;
    SendButtonCommand(dialog, id);
}

} // namespace

namespace vqwin::detail {

HWND CreateWindowFor(CWnd* object, CREATESTRUCT& cs)
{
    const std::string className = cs.lpszClass ? cs.lpszClass : "";
    ClassProcedureFactory factory = nullptr;
    {
        auto lock = Kernel::Acquire();
        factory = WindowRegistry::FindClass(lock, className);
    }
    std::unique_ptr<ClassProcedure> procedure = factory ? factory() : nullptr;

    HWND hwnd = nullptr;
    {
        auto lock = Kernel::Acquire();
        const DWORD style = static_cast<DWORD>(cs.style);
        const bool child = (style & WS_CHILD) != 0;
        WindowRecord* parent = WindowRegistry::Find(lock, cs.hwndParent);
        if (!child || parent) {
            WindowRecord& record = WindowRegistry::Add(lock, child ? parent->hwnd : nullptr,
                                                       child ? nullptr : TopLevelAncestor(lock, parent));
            record.threadId = Kernel::Current(lock).id;
            record.object = object;
            record.className = className;
            record.text = cs.lpszName ? cs.lpszName : "";
            record.style = style;
            record.exStyle = cs.dwExStyle;
            record.id = child ? static_cast<UINT>(reinterpret_cast<UINT_PTR>(cs.hMenu)) : 0;
            const int x = Coordinate(cs.x);
            const int y = Coordinate(cs.y);
            record.rect = CRect(x, y, x + std::max(Coordinate(cs.cx), 0), y + std::max(Coordinate(cs.cy), 0));
            record.classProcedure = std::move(procedure);
            if (object)
                object->m_hWnd = record.hwnd;
            if (style & WS_VISIBLE)
                MarkInvalid(lock, record);
            hwnd = record.hwnd;
        }
    }
    if (!hwnd) {
        if (object)
            object->PostNcDestroy();
        return nullptr;
    }
    if (SendMessage(hwnd, WM_CREATE, 0, reinterpret_cast<LPARAM>(&cs)) == -1) {
        DestroyWindow(hwnd);
        return nullptr;
    }
    if (!IsWindow(hwnd))
        return nullptr;
    SizeMessage(hwnd, SIZE_RESTORED);
    return hwnd;
}

LRESULT Deliver(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam)
{
    CWnd* object = nullptr;
    {
        auto lock = Kernel::Acquire();
        WindowRecord* record = WindowRegistry::Find(lock, hwnd);
        if (!record)
            return 0;
        object = record->object;
    }
    if (object)
        return CallWindowObject(object, hwnd, message, wParam, lParam);
    return CallClassProcedure(hwnd, message, wParam, lParam);
}

HWND TakePaint(Kernel::Lock& lock, ThreadState& thread, const MessageFilter& filter, bool remove)
{
    for (HWND hwnd : thread.queue.InvalidWindows()) {
        WindowRecord* record = WindowRegistry::Find(lock, hwnd);
        if (!record || !filter.Accepts(hwnd, WM_PAINT) || !IsPaintable(lock, *record))
            continue;
        if (remove)
            MarkValid(lock, *record);
        return hwnd;
    }
    return nullptr;
}

LRESULT CallClassProcedure(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam)
{
    // A handler may destroy the window while its procedure is still running.
    std::shared_ptr<ClassProcedure> procedure;
    {
        auto lock = Kernel::Acquire();
        if (WindowRecord* record = WindowRegistry::Find(lock, hwnd))
            procedure = record->classProcedure;
    }
    return procedure ? procedure->WindowProc(hwnd, message, wParam, lParam)
                     : ::DefWindowProc(hwnd, message, wParam, lParam);
}

} // namespace vqwin::detail

HWND CreateWindowEx(DWORD exStyle, LPCSTR className, LPCSTR windowName, DWORD style, int x, int y, int width,
                    int height, HWND parent, HMENU menuOrId, HINSTANCE instance, LPVOID param)
{
    CREATESTRUCT cs{param, instance, menuOrId,  parent,    height, width, y, x, static_cast<LONG>(style),
                    windowName, className, exStyle};
    return vqwin::detail::CreateWindowFor(nullptr, cs);
}

BOOL DestroyWindow(HWND hwnd)
{
    std::vector<HWND> order;
    {
        auto lock = Kernel::Acquire();
        WindowRecord* record = WindowRegistry::Find(lock, hwnd);
        if (!record || record->threadId != Kernel::Current(lock).id)
            return FALSE;
        if (record->destroying)
            return TRUE;
        CollectSubtree(lock, hwnd, order);
    }
    for (HWND each : order)
        SendMessage(each, WM_DESTROY);
    std::for_each(order.rbegin(), order.rend(), FinishWindow);
    return TRUE;
}

BOOL IsWindow(HWND hwnd)
{
    auto lock = Kernel::Acquire();
    return WindowRegistry::Find(lock, hwnd) != nullptr;
}

DWORD GetWindowThreadProcessId(HWND hwnd, DWORD* processId)
{
    if (processId)
        *processId = 1;
    auto lock = Kernel::Acquire();
    WindowRecord* record = WindowRegistry::Find(lock, hwnd);
    return record ? record->threadId : 0;
}

LRESULT DefWindowProc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam)
{
    switch (message) {
    case WM_SETTEXT: {
        auto lock = Kernel::Acquire();
        WindowRecord* record = WindowRegistry::Find(lock, hwnd);
        if (!record)
            return FALSE;
        const char* text = reinterpret_cast<const char*>(lParam);
        record->text = text ? text : "";
        return TRUE;
    }
    case WM_GETTEXT:
        return GetWindowText(hwnd, reinterpret_cast<LPSTR>(lParam), static_cast<int>(wParam));
    case WM_GETTEXTLENGTH:
        return GetWindowTextLength(hwnd);
    case WM_SETREDRAW: {
        auto lock = Kernel::Acquire();
        if (WindowRecord* record = WindowRegistry::Find(lock, hwnd))
            record->redraw = wParam != 0;
        return 0;
    }
    case WM_SETFONT: {
        auto lock = Kernel::Acquire();
        if (WindowRecord* record = WindowRegistry::Find(lock, hwnd))
            record->font = reinterpret_cast<HFONT>(wParam);
        return 0;
    }
    case WM_GETFONT: {
        auto lock = Kernel::Acquire();
        WindowRecord* record = WindowRegistry::Find(lock, hwnd);
        return record ? reinterpret_cast<LRESULT>(record->font) : 0;
    }
    case WM_SETICON:
    case WM_GETICON: {
        auto lock = Kernel::Acquire();
        WindowRecord* record = WindowRegistry::Find(lock, hwnd);
        if (!record)
            return 0;
        HICON& icon = wParam == ICON_BIG ? record->bigIcon : record->smallIcon;
        if (message == WM_GETICON)
            return reinterpret_cast<LRESULT>(icon);
        return reinterpret_cast<LRESULT>(std::exchange(icon, reinterpret_cast<HICON>(lParam)));
    }
    case WM_CLOSE:
        DestroyWindow(hwnd);
        return 0;
    case WM_SYSCOMMAND:
        switch (wParam & 0xFFF0) {
        case SC_MINIMIZE:
            ShowWindow(hwnd, SW_MINIMIZE);
            break;
        case SC_MAXIMIZE:
            ShowWindow(hwnd, SW_SHOWMAXIMIZED);
            break;
        case SC_RESTORE:
            ShowWindow(hwnd, SW_RESTORE);
            break;
        case SC_CLOSE:
            SendMessage(hwnd, WM_CLOSE);
            break;
        }
        return 0;
    case WM_KEYDOWN:
        if (wParam == VK_F1) {
            HELPINFO info = HelpInfoFor(hwnd);
            SendMessage(hwnd, WM_HELP, 0, reinterpret_cast<LPARAM>(&info));
        }
        return 0;
    case WM_HELP:
    case WM_CONTEXTMENU:
        if (HWND up = GetParent(hwnd))
            return SendMessage(up, message, wParam, lParam);
        return 0;
    case WM_MOUSEACTIVATE:
        if (HWND up = (GetWindowLongPtr(hwnd, GWL_STYLE) & WS_CHILD) ? GetParent(hwnd) : nullptr) {
            if (const LRESULT answer = SendMessage(up, message, wParam, lParam))
                return answer;
        }
        return MA_ACTIVATE;
    case WM_PAINT:
        ValidateRect(hwnd, nullptr);
        return 0;
    default:
        return 0;
    }
}

HWND GetParent(HWND hwnd)
{
    auto lock = Kernel::Acquire();
    WindowRecord* record = WindowRegistry::Find(lock, hwnd);
    if (!record)
        return nullptr;
    return record->parent ? record->parent : record->owner;
}

HWND GetWindow(HWND hwnd, UINT relation)
{
    auto lock = Kernel::Acquire();
    WindowRecord* record = WindowRegistry::Find(lock, hwnd);
    if (!record)
        return nullptr;
    if (relation == GW_CHILD)
        return record->children.empty() ? nullptr : record->children.front();
    if (relation == GW_OWNER)
        return record->owner;
    const std::vector<HWND>* siblings = WindowRegistry::Siblings(lock, *record);
    if (!siblings || siblings->empty())
        return nullptr;
    auto it = std::find(siblings->begin(), siblings->end(), hwnd);
    switch (relation) {
    case GW_HWNDFIRST:
        return siblings->front();
    case GW_HWNDLAST:
        return siblings->back();
    case GW_HWNDNEXT:
        return (it == siblings->end() || std::next(it) == siblings->end()) ? nullptr : *std::next(it);
    case GW_HWNDPREV:
        return (it == siblings->begin() || it == siblings->end()) ? nullptr : *std::prev(it);
    default:
        return nullptr;
    }
}

HWND GetDlgItem(HWND parent, int id)
{
    auto lock = Kernel::Acquire();
    WindowRecord* record = WindowRegistry::Find(lock, parent);
    if (!record)
        return nullptr;
    for (HWND child : record->children) {
        WindowRecord* childRecord = WindowRegistry::Find(lock, child);
        if (childRecord && childRecord->id == static_cast<UINT>(id))
            return child;
    }
    return nullptr;
}

int GetDlgCtrlID(HWND hwnd)
{
    auto lock = Kernel::Acquire();
    WindowRecord* record = WindowRegistry::Find(lock, hwnd);
    return record && record->parent ? static_cast<int>(record->id) : 0;
}

BOOL IsChild(HWND parent, HWND hwnd)
{
    auto lock = Kernel::Acquire();
    for (WindowRecord* record = WindowRegistry::Find(lock, hwnd); record && record->parent;
         record = WindowRegistry::Find(lock, record->parent)) {
        if (record->parent == parent)
            return TRUE;
    }
    return FALSE;
}

HWND FindWindowEx(HWND parent, HWND after, LPCSTR className, LPCSTR windowName)
{
    auto lock = Kernel::Acquire();
    const std::vector<HWND>* list = &WindowRegistry::TopLevel(lock);
    if (parent) {
        WindowRecord* record = WindowRegistry::Find(lock, parent);
        if (!record)
            return nullptr;
        list = &record->children;
    }
    auto it = list->begin();
    if (after) {
        it = std::find(list->begin(), list->end(), after);
        if (it != list->end())
            ++it;
    }
    for (; it != list->end(); ++it) {
        const WindowRecord* record = WindowRegistry::Find(lock, *it);
        if (!record)
            continue;
        if (className && mbcs::CompareNoCase(record->className, className) != 0)
            continue;
        if (windowName && mbcs::CompareNoCase(record->text, windowName) != 0)
            continue;
        return *it;
    }
    return nullptr;
}

int GetClassName(HWND hwnd, LPSTR buffer, int size)
{
    auto lock = Kernel::Acquire();
    WindowRecord* record = WindowRegistry::Find(lock, hwnd);
    return record ? CopyText(record->className, buffer, size) : 0;
}

int GetWindowText(HWND hwnd, LPSTR buffer, int size)
{
    auto lock = Kernel::Acquire();
    WindowRecord* record = WindowRegistry::Find(lock, hwnd);
    if (!record) {
        CopyText("", buffer, size);
        return 0;
    }
    return CopyText(record->text, buffer, size);
}

int GetWindowTextLength(HWND hwnd)
{
    auto lock = Kernel::Acquire();
    WindowRecord* record = WindowRegistry::Find(lock, hwnd);
    return record ? static_cast<int>(record->text.size()) : 0;
}

BOOL SetWindowText(HWND hwnd, LPCSTR text)
{
    return SendMessage(hwnd, WM_SETTEXT, 0, reinterpret_cast<LPARAM>(text)) != 0;
}

LONG_PTR GetWindowLongPtr(HWND hwnd, int index)
{
    auto lock = Kernel::Acquire();
    WindowRecord* record = WindowRegistry::Find(lock, hwnd);
    if (!record)
        return 0;
    switch (index) {
    case GWL_STYLE:
        return static_cast<LONG_PTR>(record->style);
    case GWL_EXSTYLE:
        return static_cast<LONG_PTR>(record->exStyle);
    case GWL_ID:
        return static_cast<LONG_PTR>(record->id);
    case GWLP_USERDATA:
        return record->userData;
    default:
        return 0;
    }
}

namespace {

// A style change is announced to the window before and after, as the platform does; the
// window may still change the new style when it is asked.
LONG_PTR ChangeStyle(HWND hwnd, int index, DWORD value)
{
    STYLESTRUCT change{static_cast<DWORD>(GetWindowLongPtr(hwnd, index)), value};
    if (!IsWindow(hwnd) || change.styleOld == change.styleNew)
        return static_cast<LONG_PTR>(change.styleOld);
    SendMessage(hwnd, WM_STYLECHANGING, static_cast<WPARAM>(index), reinterpret_cast<LPARAM>(&change));
    {
        auto lock = Kernel::Acquire();
        WindowRecord* record = WindowRegistry::Find(lock, hwnd);
        if (!record)
            return 0;
        (index == GWL_STYLE ? record->style : record->exStyle) = change.styleNew;
    }
    SendMessage(hwnd, WM_STYLECHANGED, static_cast<WPARAM>(index), reinterpret_cast<LPARAM>(&change));
    return static_cast<LONG_PTR>(change.styleOld);
}

} // namespace

LONG_PTR SetWindowLongPtr(HWND hwnd, int index, LONG_PTR value)
{
    if (index == GWL_STYLE || index == GWL_EXSTYLE)
        return ChangeStyle(hwnd, index, static_cast<DWORD>(value));
    auto lock = Kernel::Acquire();
    WindowRecord* record = WindowRegistry::Find(lock, hwnd);
    if (!record)
        return 0;
    auto swap = [](auto& field, auto newValue) {
        auto old = field;
        field = newValue;
        return static_cast<LONG_PTR>(old);
    };
    switch (index) {
    case GWL_ID:
        return swap(record->id, static_cast<UINT>(value));
    case GWLP_USERDATA:
        return swap(record->userData, value);
    default:
        return 0;
    }
}

BOOL EnableWindow(HWND hwnd, BOOL enable)
{
    bool wasDisabled = false;
    {
        auto lock = Kernel::Acquire();
        WindowRecord* record = WindowRegistry::Find(lock, hwnd);
        if (!record)
            return FALSE;
        wasDisabled = (record->style & WS_DISABLED) != 0;
        if (wasDisabled == !enable)
            return wasDisabled;
        record->style = enable ? (record->style & ~WS_DISABLED) : (record->style | WS_DISABLED);
    }
    SendMessage(hwnd, WM_ENABLE, static_cast<WPARAM>(enable != FALSE));
    return wasDisabled;
}

BOOL IsWindowEnabled(HWND hwnd)
{
    auto lock = Kernel::Acquire();
    WindowRecord* record = WindowRegistry::Find(lock, hwnd);
    return record && !(record->style & WS_DISABLED);
}

BOOL ShowWindow(HWND hwnd, int command)
{
    DWORD before = 0;
    DWORD after = 0;
    {
        auto lock = Kernel::Acquire();
        WindowRecord* record = WindowRegistry::Find(lock, hwnd);
        if (!record)
            return FALSE;
        before = record->style;
        after = StyleAfterShow(before, command);
        record->style = after;
        if ((after & WS_VISIBLE) && !(before & WS_VISIBLE))
            MarkInvalid(lock, *record);
    }
    const UINT kindBefore = SizeKind(before);
    const UINT kindAfter = SizeKind(after);
    if (kindAfter != kindBefore)
        SizeMessage(hwnd, kindAfter);
    return (before & WS_VISIBLE) != 0;
}

BOOL IsWindowVisible(HWND hwnd)
{
    auto lock = Kernel::Acquire();
    WindowRecord* record = WindowRegistry::Find(lock, hwnd);
    return record && IsVisibleChain(lock, record);
}

BOOL IsIconic(HWND hwnd) { return (GetWindowLongPtr(hwnd, GWL_STYLE) & WS_MINIMIZE) != 0; }

BOOL IsZoomed(HWND hwnd) { return (GetWindowLongPtr(hwnd, GWL_STYLE) & WS_MAXIMIZE) != 0; }

BOOL GetWindowRect(HWND hwnd, LPRECT rect)
{
    auto lock = Kernel::Acquire();
    WindowRecord* record = WindowRegistry::Find(lock, hwnd);
    if (!record || !rect)
        return FALSE;
    const CPoint origin = ScreenOrigin(lock, record);
    *rect = CRect(origin, record->rect.Size());
    return TRUE;
}

BOOL GetClientRect(HWND hwnd, LPRECT rect)
{
    auto lock = Kernel::Acquire();
    WindowRecord* record = WindowRegistry::Find(lock, hwnd);
    if (!record || !rect)
        return FALSE;
    *rect = CRect(0, 0, record->rect.Width(), record->rect.Height());
    return TRUE;
}

BOOL ClientToScreen(HWND hwnd, LPPOINT point)
{
    auto lock = Kernel::Acquire();
    WindowRecord* record = WindowRegistry::Find(lock, hwnd);
    if (!record || !point)
        return FALSE;
    const CPoint origin = ScreenOrigin(lock, record);
    point->x += origin.x;
    point->y += origin.y;
    return TRUE;
}

BOOL ScreenToClient(HWND hwnd, LPPOINT point)
{
    auto lock = Kernel::Acquire();
    WindowRecord* record = WindowRegistry::Find(lock, hwnd);
    if (!record || !point)
        return FALSE;
    const CPoint origin = ScreenOrigin(lock, record);
    point->x -= origin.x;
    point->y -= origin.y;
    return TRUE;
}

BOOL SetWindowPos(HWND hwnd, HWND insertAfter, int x, int y, int cx, int cy, UINT flags)
{
    bool resized = false;
    DWORD style = 0;
    {
        auto lock = Kernel::Acquire();
        WindowRecord* record = WindowRegistry::Find(lock, hwnd);
        if (!record)
            return FALSE;
        CRect rect = record->rect;
        if (!(flags & SWP_NOMOVE))
            rect = CRect(CPoint(x, y), rect.Size());
        if (!(flags & SWP_NOSIZE))
            rect = CRect(rect.TopLeft(), CSize(std::max(cx, 0), std::max(cy, 0)));
        resized = rect.Size() != record->rect.Size();
        record->rect = rect;
        if (!(flags & SWP_NOZORDER)) {
            if (std::vector<HWND>* siblings = WindowRegistry::Siblings(lock, *record))
                Reorder(*siblings, hwnd, insertAfter == HWND_BOTTOM ? siblings->back() : insertAfter);
        }
        if (flags & SWP_SHOWWINDOW)
            record->style |= WS_VISIBLE;
        if (flags & SWP_HIDEWINDOW)
            record->style &= ~WS_VISIBLE;
        if ((resized || (flags & SWP_SHOWWINDOW)) && !(flags & SWP_NOREDRAW))
            MarkInvalid(lock, *record);
        style = record->style;
    }
    if (resized)
        SizeMessage(hwnd, SizeKind(style));
    return TRUE;
}

BOOL MoveWindow(HWND hwnd, int x, int y, int width, int height, BOOL repaint)
{
    return SetWindowPos(hwnd, nullptr, x, y, width, height,
                        SWP_NOZORDER | SWP_NOACTIVATE | (repaint ? 0 : SWP_NOREDRAW));
}

HWND SetFocus(HWND hwnd)
{
    HWND previous = nullptr;
    {
        auto lock = Kernel::Acquire();
        ThreadState* owner = &Kernel::Current(lock);
        if (hwnd) {
            WindowRecord* record = WindowRegistry::Find(lock, hwnd);
            if (!record)
                return nullptr;
            owner = Kernel::Find(lock, record->threadId);
            if (!owner)
                return nullptr;
        }
        previous = owner->focus;
        if (previous == hwnd)
            return previous;
        owner->focus = hwnd;
    }
    if (previous && IsWindow(previous))
        SendMessage(previous, WM_KILLFOCUS, reinterpret_cast<WPARAM>(hwnd));
    if (hwnd)
        SendMessage(hwnd, WM_SETFOCUS, reinterpret_cast<WPARAM>(previous));
    return previous;
}

HWND GetFocus()
{
    auto lock = Kernel::Acquire();
    HWND focus = Kernel::Current(lock).focus;
    return WindowRegistry::Find(lock, focus) ? focus : nullptr;
}

BOOL InvalidateRect(HWND hwnd, LPCRECT, BOOL)
{
    auto lock = Kernel::Acquire();
    WindowRecord* record = WindowRegistry::Find(lock, hwnd);
    if (!record)
        return FALSE;
    MarkInvalid(lock, *record);
    return TRUE;
}

BOOL ValidateRect(HWND hwnd, LPCRECT)
{
    auto lock = Kernel::Acquire();
    WindowRecord* record = WindowRegistry::Find(lock, hwnd);
    if (!record)
        return FALSE;
    MarkValid(lock, *record);
    return TRUE;
}

BOOL UpdateWindow(HWND hwnd)
{
    bool paint = false;
    {
        auto lock = Kernel::Acquire();
        WindowRecord* record = WindowRegistry::Find(lock, hwnd);
        if (!record)
            return FALSE;
        paint = IsPaintable(lock, *record);
    }
    if (paint)
        SendMessage(hwnd, WM_PAINT);
    return TRUE;
}

BOOL SetWindowContextHelpId(HWND hwnd, DWORD contextId)
{
    auto lock = Kernel::Acquire();
    WindowRecord* record = WindowRegistry::Find(lock, hwnd);
    if (!record)
        return FALSE;
    record->helpContext = contextId;
    return TRUE;
}

DWORD GetWindowContextHelpId(HWND hwnd)
{
    auto lock = Kernel::Acquire();
    WindowRecord* record = WindowRegistry::Find(lock, hwnd);
    return record ? record->helpContext : 0;
}

HWND GetNextDlgTabItem(HWND hDlg, HWND control, BOOL previous)
{
    HWND first = GetWindow(hDlg, GW_CHILD);
    if (!first)
        return nullptr;
    HWND current = control;
    while (current && GetParent(current) != hDlg)
        current = GetParent(current);
    const UINT step = previous ? GW_HWNDPREV : GW_HWNDNEXT;
    const UINT wrap = previous ? GW_HWNDLAST : GW_HWNDFIRST;
    // From outside the dialog the search starts as if from beyond its last (first) child.
    HWND start = current ? current : GetWindow(first, previous ? GW_HWNDFIRST : GW_HWNDLAST);
    HWND candidate = start;
    do {
        HWND next = GetWindow(candidate, step);
        candidate = next ? next : GetWindow(candidate, wrap);
        if (IsTabStop(candidate))
            return candidate;
    } while (candidate != start);
    return nullptr;
}

BOOL IsDialogMessage(HWND hDlg, LPMSG msg)
{
    if (!msg || msg->message != WM_KEYDOWN || !msg->hwnd)
        return FALSE;
    if (msg->hwnd != hDlg && !IsChild(hDlg, msg->hwnd))
        return FALSE;
    const auto code = static_cast<UINT>(SendMessage(msg->hwnd, WM_GETDLGCODE, msg->wParam, reinterpret_cast<LPARAM>(msg)));
    switch (msg->wParam) {
    case VK_TAB:
        if (code & (DLGC_WANTTAB | DLGC_WANTALLKEYS))
            return FALSE;
        if (HWND next = GetNextDlgTabItem(hDlg, msg->hwnd, GetKeyState(VK_SHIFT) < 0))
            vqwin::FocusDialogControl(next);
        return TRUE;
    case VK_RETURN:
        if (code & DLGC_WANTALLKEYS)
            return FALSE;
        PressEnter(hDlg, msg->hwnd, code);
        return TRUE;
    case VK_ESCAPE:
        if (code & DLGC_WANTALLKEYS)
            return FALSE;
        SendButtonCommand(hDlg, IDCANCEL);
        return TRUE;
    default:
        return FALSE;
    }
}

namespace vqwin {

void FocusDialogControl(HWND control)
{
    SetFocus(control);
    if (SendMessage(control, WM_GETDLGCODE) & DLGC_HASSETSEL)
        SendMessage(control, EM_SETSEL, 0, -1);
}

void RegisterWindowClass(LPCSTR className, ClassProcedureFactory factory)
{
    auto lock = Kernel::Acquire();
    WindowRegistry::RegisterClass(lock, className ? className : "", factory);
}

ClassProcedure* GetClassProcedure(HWND hwnd)
{
    auto lock = Kernel::Acquire();
    WindowRecord* record = WindowRegistry::Find(lock, hwnd);
    return record ? record->classProcedure.get() : nullptr;
}

BOOL IsRedrawOn(HWND hwnd)
{
    auto lock = Kernel::Acquire();
    WindowRecord* record = WindowRegistry::Find(lock, hwnd);
    return record && record->redraw;
}

} // namespace vqwin
