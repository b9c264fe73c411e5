// Windows by handle: styles, creation, the window tree, text, placement, focus, painting,
// and the registered window classes that give object-less windows their behaviour.
#pragma once

#include "win/Geometry.h"
#include "win/Types.h"

#include <memory>

// Window styles.
constexpr DWORD WS_OVERLAPPED = 0x00000000;
constexpr DWORD WS_POPUP = 0x80000000;
constexpr DWORD WS_CHILD = 0x40000000;
constexpr DWORD WS_MINIMIZE = 0x20000000;
constexpr DWORD WS_VISIBLE = 0x10000000;
constexpr DWORD WS_DISABLED = 0x08000000;
constexpr DWORD WS_CLIPSIBLINGS = 0x04000000;
constexpr DWORD WS_CLIPCHILDREN = 0x02000000;
constexpr DWORD WS_MAXIMIZE = 0x01000000;
constexpr DWORD WS_CAPTION = 0x00C00000;
constexpr DWORD WS_BORDER = 0x00800000;
constexpr DWORD WS_DLGFRAME = 0x00400000;
constexpr DWORD WS_VSCROLL = 0x00200000;
constexpr DWORD WS_HSCROLL = 0x00100000;
constexpr DWORD WS_SYSMENU = 0x00080000;
constexpr DWORD WS_THICKFRAME = 0x00040000;
constexpr DWORD WS_GROUP = 0x00020000;
constexpr DWORD WS_TABSTOP = 0x00010000;
constexpr DWORD WS_MINIMIZEBOX = 0x00020000;
constexpr DWORD WS_MAXIMIZEBOX = 0x00010000;
constexpr DWORD WS_OVERLAPPEDWINDOW = 0x00CF0000;

constexpr DWORD WS_EX_DLGMODALFRAME = 0x00000001;
constexpr DWORD WS_EX_NOPARENTNOTIFY = 0x00000004;
constexpr DWORD WS_EX_TOPMOST = 0x00000008;
constexpr DWORD WS_EX_TRANSPARENT = 0x00000020;
constexpr DWORD WS_EX_MDICHILD = 0x00000040;
constexpr DWORD WS_EX_TOOLWINDOW = 0x00000080;
constexpr DWORD WS_EX_CLIENTEDGE = 0x00000200;
constexpr DWORD WS_EX_CONTROLPARENT = 0x00010000;

// ShowWindow commands.
constexpr int SW_HIDE = 0;
constexpr int SW_SHOWNORMAL = 1;
constexpr int SW_NORMAL = 1;
constexpr int SW_SHOWMINIMIZED = 2;
constexpr int SW_SHOWMAXIMIZED = 3;
constexpr int SW_MAXIMIZE = 3;
constexpr int SW_SHOWNOACTIVATE = 4;
constexpr int SW_SHOW = 5;
constexpr int SW_MINIMIZE = 6;
constexpr int SW_SHOWMINNOACTIVE = 7;
constexpr int SW_SHOWNA = 8;
constexpr int SW_RESTORE = 9;
constexpr int SW_SHOWDEFAULT = 10;

// SetWindowPos flags and places.
constexpr UINT SWP_NOSIZE = 0x0001;
constexpr UINT SWP_NOMOVE = 0x0002;
constexpr UINT SWP_NOZORDER = 0x0004;
constexpr UINT SWP_NOREDRAW = 0x0008;
constexpr UINT SWP_NOACTIVATE = 0x0010;
constexpr UINT SWP_FRAMECHANGED = 0x0020;
constexpr UINT SWP_SHOWWINDOW = 0x0040;
constexpr UINT SWP_HIDEWINDOW = 0x0080;
constexpr UINT SWP_NOCOPYBITS = 0x0100;
constexpr UINT SWP_NOOWNERZORDER = 0x0200;
inline const HWND HWND_TOP = nullptr;
inline const HWND HWND_BOTTOM = reinterpret_cast<HWND>(1);

// GetWindow relations.
constexpr UINT GW_HWNDFIRST = 0;
constexpr UINT GW_HWNDLAST = 1;
constexpr UINT GW_HWNDNEXT = 2;
constexpr UINT GW_HWNDPREV = 3;
constexpr UINT GW_OWNER = 4;
constexpr UINT GW_CHILD = 5;

// Get/SetWindowLongPtr fields.
constexpr int GWL_STYLE = -16;
constexpr int GWL_EXSTYLE = -20;
constexpr int GWL_ID = -12;
constexpr int GWLP_USERDATA = -21;

constexpr int CW_USEDEFAULT = static_cast<int>(0x80000000u);

// Creation of a window without a class-library object: its behaviour is its class's
// procedure (a registered class) or the default one.
HWND CreateWindowEx(DWORD exStyle, LPCSTR className, LPCSTR windowName, DWORD style, int x, int y, int width,
                    int height, HWND parent, HMENU menuOrId, HINSTANCE instance, LPVOID param);
// Destroys the window: WM_DESTROY goes to it and then to its descendants, after which the
// descendants are gone (WM_NCDESTROY, handle invalid) before the window itself. Only the
// thread that owns the window may destroy it.
BOOL DestroyWindow(HWND hwnd);
BOOL IsWindow(HWND hwnd);
LRESULT DefWindowProc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam);
DWORD GetWindowThreadProcessId(HWND hwnd, DWORD* processId);

// The tree. GetParent answers the owner for a pop-up window, as the platform does.
HWND GetParent(HWND hwnd);
HWND GetWindow(HWND hwnd, UINT relation);
HWND GetDlgItem(HWND parent, int id);
int GetDlgCtrlID(HWND hwnd);
BOOL IsChild(HWND parent, HWND hwnd);
// Children of `parent` (top-level windows when null) after `after`, matching the class and
// title when given (class names compare without case).
HWND FindWindowEx(HWND parent, HWND after, LPCSTR className, LPCSTR windowName);
int GetClassName(HWND hwnd, LPSTR buffer, int size);

// Text, read straight from the window (safe from any thread); cut on a character boundary.
int GetWindowText(HWND hwnd, LPSTR buffer, int size);
int GetWindowTextLength(HWND hwnd);
BOOL SetWindowText(HWND hwnd, LPCSTR text);

LONG_PTR GetWindowLongPtr(HWND hwnd, int index);
// A style change sends WM_STYLECHANGING and WM_STYLECHANGED to the window.
LONG_PTR SetWindowLongPtr(HWND hwnd, int index, LONG_PTR value);

BOOL EnableWindow(HWND hwnd, BOOL enable);
BOOL IsWindowEnabled(HWND hwnd);
BOOL ShowWindow(HWND hwnd, int command);
BOOL IsWindowVisible(HWND hwnd);
BOOL IsIconic(HWND hwnd);
BOOL IsZoomed(HWND hwnd);

// Placement: a child's position is relative to its parent's client area; a window has no
// frame, so its client area is all of it.
BOOL GetWindowRect(HWND hwnd, LPRECT rect);
BOOL GetClientRect(HWND hwnd, LPRECT rect);
BOOL ClientToScreen(HWND hwnd, LPPOINT point);
BOOL ScreenToClient(HWND hwnd, LPPOINT point);
BOOL SetWindowPos(HWND hwnd, HWND insertAfter, int x, int y, int cx, int cy, UINT flags);
BOOL MoveWindow(HWND hwnd, int x, int y, int width, int height, BOOL repaint);

// Focus is kept per thread, as keyboard input is.
HWND SetFocus(HWND hwnd);
HWND GetFocus();

// Painting: an invalid, visible window with redraw on gets WM_PAINT when its thread's queue
// has nothing else to deliver.
BOOL InvalidateRect(HWND hwnd, LPCRECT rect, BOOL erase);
BOOL ValidateRect(HWND hwnd, LPCRECT rect);
BOOL UpdateWindow(HWND hwnd);

BOOL SetWindowContextHelpId(HWND hwnd, DWORD contextId);
DWORD GetWindowContextHelpId(HWND hwnd);

namespace vqwin {

// Gives a control of a dialog the focus as the dialog manager does (Tab, WM_NEXTDLGCTL, the
// first tab stop): an edit gets all its text selected, so that typing replaces it.
void FocusDialogControl(HWND control);

// What a registered window class does for each of its windows: the procedure behind the
// default handling of every window of the class (CWnd::DefWindowProc reaches it). One object
// is made per window and lives as long as the window (and its calls running then). Messages it does not handle go on to
// ::DefWindowProc.
class ClassProcedure {
public:
    virtual ~ClassProcedure() = default;
    virtual LRESULT WindowProc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam) = 0;
};

using ClassProcedureFactory = std::unique_ptr<ClassProcedure> (*)();
// Registers (or replaces) the procedure of a class name; names compare without case.
void RegisterWindowClass(LPCSTR className, ClassProcedureFactory factory);
// The class procedure of a window; null when its class has none.
ClassProcedure* GetClassProcedure(HWND hwnd);
// Whether WM_SETREDRAW left redraw on for the window.
BOOL IsRedrawOn(HWND hwnd);

} // namespace vqwin
