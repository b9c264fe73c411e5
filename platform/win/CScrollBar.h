// The scroll bar control ("ScrollBar"): a position within a range, and two arrows that may
// be disabled. The program's changes notify nothing. A user's arrow clicks (the Spin action:
// one click per step, positive steps down or right) tell the parent, for each click,
// WM_VSCROLL (WM_HSCROLL without SBS_VERT) with SB_LINEDOWN or SB_LINEUP, and SB_ENDSCROLL when
// the user lets go; the parent moves the position. A disabled arrow does nothing.
#pragma once

#include "win/CWnd.h"

constexpr DWORD SBS_HORZ = 0x0000;
constexpr DWORD SBS_VERT = 0x0001;

constexpr UINT WM_HSCROLL = 0x0114;
constexpr UINT WM_VSCROLL = 0x0115;

constexpr UINT SBM_SETPOS = 0x00E0;
constexpr UINT SBM_GETPOS = 0x00E1;
constexpr UINT SBM_SETRANGE = 0x00E2;
constexpr UINT SBM_GETRANGE = 0x00E3;
constexpr UINT SBM_ENABLE_ARROWS = 0x00E4;

// Scroll codes (low word of WM_VSCROLL's wParam; the high word holds the thumb position).
constexpr UINT SB_LINEUP = 0;
constexpr UINT SB_LINEDOWN = 1;
constexpr UINT SB_PAGEUP = 2;
constexpr UINT SB_PAGEDOWN = 3;
constexpr UINT SB_THUMBPOSITION = 4;
constexpr UINT SB_THUMBTRACK = 5;
constexpr UINT SB_TOP = 6;
constexpr UINT SB_BOTTOM = 7;
constexpr UINT SB_ENDSCROLL = 8;

// Arrows to disable (SBM_ENABLE_ARROWS).
constexpr UINT ESB_ENABLE_BOTH = 0x0000;
constexpr UINT ESB_DISABLE_LTUP = 0x0001;
constexpr UINT ESB_DISABLE_RTDN = 0x0002;
constexpr UINT ESB_DISABLE_BOTH = 0x0003;

class CScrollBar : public CWnd {
public:
    BOOL Create(DWORD style, const RECT& rect, CWnd* parent, UINT id);

    // The previous position; the position stays within the range.
    int SetScrollPos(int pos, BOOL redraw = TRUE);
    int GetScrollPos() const;
    void SetScrollRange(int minimum, int maximum, BOOL redraw = TRUE);
    void GetScrollRange(LPINT minimum, LPINT maximum) const;
    BOOL EnableScrollBar(UINT arrows = ESB_ENABLE_BOTH);
    // The ESB_ flags of the arrows disabled now.
    UINT GetDisabledArrows() const;
    void ShowScrollBar(BOOL show = TRUE);
};

namespace vqmsg {
template <auto F>
LRESULT OnScroll(CCmdTarget* t, WPARAM w, LPARAM l)
{
    const auto packed = static_cast<std::uintptr_t>(w);
    (Target<F>(t)->*F)(LOWORD(packed), HIWORD(packed),
                       static_cast<CScrollBar*>(CWnd::FromHandle(reinterpret_cast<HWND>(l))));
    return 0;
}
} // namespace vqmsg

// void OnVScroll(UINT code, UINT position, CScrollBar* bar)
#define ON_WM_VSCROLL() VQ_ON_WM(WM_VSCROLL, OnScroll, OnVScroll)
