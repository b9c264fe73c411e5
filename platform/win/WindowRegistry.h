// Internal to platform/win: the state of every window, by handle. Guarded by the kernel lock;
// nothing here calls out to window procedures.
#pragma once

#include "win/Geometry.h"
#include "win/Kernel.h"
#include "win/Window.h"

#include <memory>
#include <string>
#include <vector>

class CWnd;

namespace vqwin {
class DisplayList;
}

namespace vqwin::detail {

struct WindowRecord {
    WindowRecord();
    ~WindowRecord();

    HWND hwnd = nullptr;
    DWORD threadId = 0;
    CWnd* object = nullptr;            // the permanent object that handles its messages
    std::unique_ptr<CWnd> wrapper;     // a temporary object handed out by CWnd::FromHandle
    HWND parent = nullptr;             // of a child window
    HWND owner = nullptr;              // of a pop-up window
    std::vector<HWND> children;        // in creation (and tab) order
    std::string className;
    std::string text;
    DWORD style = 0;
    DWORD exStyle = 0;
    UINT id = 0;
    CRect rect;                        // relative to the parent's client area, or the screen
    bool redraw = true;
    bool invalid = false;
    bool destroying = false;
    HFONT font = nullptr;
    HICON bigIcon = nullptr;
    HICON smallIcon = nullptr;
    DWORD helpContext = 0;
    LONG_PTR userData = 0;
    std::shared_ptr<ClassProcedure> classProcedure; // kept alive by each call into it
    std::shared_ptr<DisplayList> display; // what has been drawn on the window
};

class WindowRegistry {
public:
    static WindowRecord* Find(Kernel::Lock& lock, HWND hwnd);
    // A new record with a fresh handle, linked into the tree (children at the end, top-level
    // windows in front). The caller fills in the rest.
    static WindowRecord& Add(Kernel::Lock& lock, HWND parent, HWND owner);
    // Unlinks the record from the tree and the map and hands it over.
    static std::unique_ptr<WindowRecord> Remove(Kernel::Lock& lock, HWND hwnd);
    static const std::vector<HWND>& TopLevel(Kernel::Lock& lock);
    // Siblings of a window: its parent's children, or the top-level windows.
    static std::vector<HWND>* Siblings(Kernel::Lock& lock, const WindowRecord& record);
    static std::vector<HWND> WindowsOfThread(Kernel::Lock& lock, DWORD threadId);

    static void RegisterClass(Kernel::Lock& lock, const std::string& name, ClassProcedureFactory factory);
    // A registered class, else one of the standard controls; null when neither.
    static ClassProcedureFactory FindClass(Kernel::Lock& lock, const std::string& name);
};

// The factory of a standard control class ("Button", "Edit", ...); null for another name.
ClassProcedureFactory FindStandardClass(const std::string& name);

// Runs a message through a window's permanent object, its class procedure or the default
// procedure, on the calling thread. 0 when the window is gone.
LRESULT Deliver(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam);
// The class procedure (or ::DefWindowProc) of a window, skipping its object.
LRESULT CallClassProcedure(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam);
// Defined with CWnd: calls the object's WindowProc with the message kept as the current one.
LRESULT CallWindowObject(CWnd* object, HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam);
// The first window of the thread that waits to be painted (visible, redraw on); taking it
// (remove) marks it painted, so a WM_PAINT handler that draws nothing is not asked again.
HWND TakePaint(Kernel::Lock& lock, ThreadState& thread, const MessageFilter& filter, bool remove);
// Creates a window for `object` (null for an object-less window); null on failure.
HWND CreateWindowFor(CWnd* object, CREATESTRUCT& cs);

} // namespace vqwin::detail
