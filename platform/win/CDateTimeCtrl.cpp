#include "win/CDateTimeCtrl.h"

BOOL CDateTimeCtrl::Create(DWORD style, const RECT& rect, CWnd* parent, UINT id)
{
    return CWnd::Create("SysDateTimePick32", nullptr, style, rect, parent, id);
}

BOOL CDateTimeCtrl::SetTime(const SYSTEMTIME* time)
{
    return static_cast<BOOL>(
        SendMessage(DTM_SETSYSTEMTIME, time ? GDT_VALID : GDT_NONE, reinterpret_cast<LPARAM>(time)));
}

DWORD CDateTimeCtrl::GetTime(LPSYSTEMTIME time) const
{
    return static_cast<DWORD>(SendMessage(DTM_GETSYSTEMTIME, 0, reinterpret_cast<LPARAM>(time)));
}
