#include "win/CScrollBar.h"

BOOL CScrollBar::Create(DWORD style, const RECT& rect, CWnd* parent, UINT id)
{
    return CWnd::Create("ScrollBar", nullptr, style, rect, parent, id);
}

int CScrollBar::SetScrollPos(int pos, BOOL redraw)
{
    return static_cast<int>(SendMessage(SBM_SETPOS, static_cast<WPARAM>(pos), redraw));
}

int CScrollBar::GetScrollPos() const { return static_cast<int>(SendMessage(SBM_GETPOS)); }

void CScrollBar::SetScrollRange(int minimum, int maximum, BOOL redraw)
{
    SendMessage(SBM_SETRANGE, static_cast<WPARAM>(minimum), maximum);
    if (redraw)
        Invalidate();
}

void CScrollBar::GetScrollRange(LPINT minimum, LPINT maximum) const
{
    SendMessage(SBM_GETRANGE, reinterpret_cast<WPARAM>(minimum), reinterpret_cast<LPARAM>(maximum));
}

BOOL CScrollBar::EnableScrollBar(UINT arrows)
{
    return static_cast<BOOL>(SendMessage(SBM_ENABLE_ARROWS, arrows));
}

UINT CScrollBar::GetDisabledArrows() const
{
    return static_cast<UINT>(SendMessage(SBM_ENABLE_ARROWS, static_cast<WPARAM>(-1)));
}

void CScrollBar::ShowScrollBar(BOOL show) { ShowWindow(show ? SW_SHOW : SW_HIDE); }
