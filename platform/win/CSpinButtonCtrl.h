// The spin (up-down) control ("msctls_updown32"): a position within a range, optionally
// written into a buddy window as a number (UDS_SETBUDDYINT). A user's step asks the parent
// first with UDN_DELTAPOS: a non-zero answer refuses the step, and the parent may correct
// the delta in the record. The position then stays within the range (or goes round with
// UDS_WRAP). A new control's range is 100 (lower) to 0 (upper); "up" moves towards upper.
#pragma once

#include "win/CWnd.h"

constexpr DWORD UDS_WRAP = 0x0001;
constexpr DWORD UDS_SETBUDDYINT = 0x0002;
constexpr DWORD UDS_ALIGNRIGHT = 0x0004;
constexpr DWORD UDS_ALIGNLEFT = 0x0008;
constexpr DWORD UDS_AUTOBUDDY = 0x0010;
constexpr DWORD UDS_ARROWKEYS = 0x0020;
constexpr DWORD UDS_HORZ = 0x0040;
constexpr DWORD UDS_NOTHOUSANDS = 0x0080;

constexpr UINT UDM_SETRANGE = WM_USER + 101;
constexpr UINT UDM_GETRANGE = WM_USER + 102;
constexpr UINT UDM_SETPOS = WM_USER + 103;
constexpr UINT UDM_GETPOS = WM_USER + 104;
constexpr UINT UDM_SETBUDDY = WM_USER + 105;
constexpr UINT UDM_GETBUDDY = WM_USER + 106;
constexpr UINT UDM_SETRANGE32 = WM_USER + 111;
constexpr UINT UDM_GETRANGE32 = WM_USER + 112;
constexpr UINT UDM_SETPOS32 = WM_USER + 113;
constexpr UINT UDM_GETPOS32 = WM_USER + 114;

constexpr UINT UDN_FIRST = 0U - 721U;
constexpr UINT UDN_DELTAPOS = UDN_FIRST - 1;

struct NMUPDOWN {
    NMHDR hdr;
    int iPos;
    int iDelta;
};
using LPNMUPDOWN = NMUPDOWN*;

class CSpinButtonCtrl : public CWnd {
public:
    BOOL Create(DWORD style, const RECT& rect, CWnd* parent, UINT id);

    void SetRange(short lower, short upper);
    void SetRange32(int lower, int upper);
    void GetRange(int& lower, int& upper) const;
    void GetRange32(int& lower, int& upper) const;
    // The previous position.
    int SetPos(int pos);
    int SetPos32(int pos);
    // The low word is the position; the high word is non-zero when the buddy's text is no
    // number.
    int GetPos() const;
    int GetPos32(LPBOOL error = nullptr) const;
    CWnd* SetBuddy(CWnd* buddy);
    CWnd* GetBuddy() const;
};
