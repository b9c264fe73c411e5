// The date and time picker ("SysDateTimePick32"): one date and time of day (or none, with
// DTS_SHOWNONE), starting at the current local time. The program's changes notify nothing;
// a user's entry notifies DTN_DATETIMECHANGE with the new value.
#pragma once

#include "win/CWnd.h"

struct SYSTEMTIME {
    WORD wYear;
    WORD wMonth;
    WORD wDayOfWeek; // 0 Sunday; computed by the picker
    WORD wDay;
    WORD wHour;
    WORD wMinute;
    WORD wSecond;
    WORD wMilliseconds;
};
using LPSYSTEMTIME = SYSTEMTIME*;

constexpr DWORD DTS_UPDOWN = 0x0001;
constexpr DWORD DTS_SHOWNONE = 0x0002;
constexpr DWORD DTS_SHORTDATEFORMAT = 0x0000;
constexpr DWORD DTS_LONGDATEFORMAT = 0x0004;
constexpr DWORD DTS_TIMEFORMAT = 0x0009;

constexpr DWORD GDT_ERROR = static_cast<DWORD>(-1);
constexpr DWORD GDT_VALID = 0;
constexpr DWORD GDT_NONE = 1;

constexpr UINT DTM_FIRST = 0x1000;
constexpr UINT DTM_GETSYSTEMTIME = DTM_FIRST + 1;
constexpr UINT DTM_SETSYSTEMTIME = DTM_FIRST + 2;

constexpr UINT DTN_FIRST2 = 0U - 753U;
constexpr UINT DTN_DATETIMECHANGE = DTN_FIRST2 - 6;

struct NMDATETIMECHANGE {
    NMHDR nmhdr;
    DWORD dwFlags; // GDT_VALID or GDT_NONE
    SYSTEMTIME st;
};
using LPNMDATETIMECHANGE = NMDATETIMECHANGE*;

class CDateTimeCtrl : public CWnd {
public:
    BOOL Create(DWORD style, const RECT& rect, CWnd* parent, UINT id);

    // Null sets "no value" (DTS_SHOWNONE only). FALSE for a date or time that does not exist.
    BOOL SetTime(const SYSTEMTIME* time);
    // GDT_VALID with the value, or GDT_NONE.
    DWORD GetTime(LPSYSTEMTIME time) const;
};
