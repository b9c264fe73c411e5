#include "win/CSpinButtonCtrl.h"

BOOL CSpinButtonCtrl::Create(DWORD style, const RECT& rect, CWnd* parent, UINT id)
{
    return CWnd::Create("msctls_updown32", nullptr, style, rect, parent, id);
}

void CSpinButtonCtrl::SetRange(short lower, short upper)
{
    SendMessage(UDM_SETRANGE, 0, MAKELPARAM(static_cast<WORD>(upper), static_cast<WORD>(lower)));
}

void CSpinButtonCtrl::SetRange32(int lower, int upper)
{
    SendMessage(UDM_SETRANGE32, static_cast<WPARAM>(lower), upper);
}

void CSpinButtonCtrl::GetRange(int& lower, int& upper) const
{
    const auto range = static_cast<std::uintptr_t>(SendMessage(UDM_GETRANGE));
    lower = static_cast<short>(HIWORD(range));
    upper = static_cast<short>(LOWORD(range));
}

void CSpinButtonCtrl::GetRange32(int& lower, int& upper) const
{
    SendMessage(UDM_GETRANGE32, reinterpret_cast<WPARAM>(&lower), reinterpret_cast<LPARAM>(&upper));
}

int CSpinButtonCtrl::SetPos(int pos)
{
    return static_cast<short>(SendMessage(UDM_SETPOS, 0, MAKELPARAM(static_cast<WORD>(pos), 0)));
}

int CSpinButtonCtrl::SetPos32(int pos) { return static_cast<int>(SendMessage(UDM_SETPOS32, 0, pos)); }

int CSpinButtonCtrl::GetPos() const { return static_cast<int>(SendMessage(UDM_GETPOS)); }

int CSpinButtonCtrl::GetPos32(LPBOOL error) const
{
    return static_cast<int>(SendMessage(UDM_GETPOS32, 0, reinterpret_cast<LPARAM>(error)));
}

CWnd* CSpinButtonCtrl::SetBuddy(CWnd* buddy)
{
    return FromHandle(
        reinterpret_cast<HWND>(SendMessage(UDM_SETBUDDY, reinterpret_cast<WPARAM>(buddy ? buddy->m_hWnd : nullptr))));
}

CWnd* CSpinButtonCtrl::GetBuddy() const { return FromHandle(reinterpret_cast<HWND>(SendMessage(UDM_GETBUDDY))); }
