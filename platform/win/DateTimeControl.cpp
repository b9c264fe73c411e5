// The class procedure of "SysDateTimePick32" windows.
#include "win/CDateTimeCtrl.h"
#include "win/Clock.h"
#include "win/ControlSupport.h"

#include <chrono>
#include <cstdio>
#include <ctime>
#include <optional>

namespace vqwin::controls {

namespace {

std::chrono::year_month_day DateOf(const SYSTEMTIME& time)
{
    return std::chrono::year_month_day{std::chrono::year{time.wYear}, std::chrono::month{time.wMonth},
                                       std::chrono::day{time.wDay}};
}

bool IsValid(const SYSTEMTIME& time)
{
    return time.wYear >= 1601 && DateOf(time).ok() && time.wHour < 24 && time.wMinute < 60 && time.wSecond < 60 &&
           time.wMilliseconds < 1000;
}

SYSTEMTIME WithDayOfWeek(SYSTEMTIME time)
{
    time.wDayOfWeek = static_cast<WORD>(std::chrono::weekday{std::chrono::sys_days{DateOf(time)}}.c_encoding());
    return time;
}

SYSTEMTIME LocalNow()
{
    const __time64_t now = _time64(nullptr);
    const struct tm* local = _localtime64(&now);
    if (!local)
        return WithDayOfWeek(SYSTEMTIME{1970, 1, 0, 1, 0, 0, 0, 0});
    return WithDayOfWeek(SYSTEMTIME{static_cast<WORD>(local->tm_year + 1900), static_cast<WORD>(local->tm_mon + 1), 0,
                                    static_cast<WORD>(local->tm_mday), static_cast<WORD>(local->tm_hour),
                                    static_cast<WORD>(local->tm_min), static_cast<WORD>(local->tm_sec), 0});
}

// What the user enters: "YYYY-MM-DD", "HH:MM[:SS]" or both, separated by a blank. The parts
// not entered keep their value.
std::optional<SYSTEMTIME> Entered(const std::string& text, SYSTEMTIME time)
{
    unsigned year = 0, month = 0, day = 0, hour = 0, minute = 0, second = 0;
    int used = 0;
    const char* rest = text.c_str();
    if (std::sscanf(rest, "%4u-%2u-%2u%n", &year, &month, &day, &used) == 3) {
        time.wYear = static_cast<WORD>(year);
        time.wMonth = static_cast<WORD>(month);
        time.wDay = static_cast<WORD>(day);
        rest += used;
        if (*rest == ' ')
            ++rest;
    }
    used = 0;
    const int fields = std::sscanf(rest, "%2u:%2u%n:%2u%n", &hour, &minute, &used, &second, &used);
    if (fields >= 2) {
        time.wHour = static_cast<WORD>(hour);
        time.wMinute = static_cast<WORD>(minute);
        time.wSecond = static_cast<WORD>(fields == 3 ? second : 0);
        rest += used;
    }
    if (*rest != '\0' || rest == text.c_str() || !IsValid(time))
        return std::nullopt;
    return WithDayOfWeek(time);
}

class DateTimeProcedure final : public ClassProcedure {
public:
    LRESULT WindowProc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam) override
    {
        switch (message) {
        case DTM_SETSYSTEMTIME:
            return Set(hwnd, static_cast<DWORD>(wParam), reinterpret_cast<const SYSTEMTIME*>(lParam));
        case DTM_GETSYSTEMTIME:
            if (!m_value)
                return GDT_NONE;
            if (auto* out = reinterpret_cast<SYSTEMTIME*>(lParam))
                *out = *m_value;
            return GDT_VALID;
        case WM_VQ_USERACTION:
            return Act(hwnd, UserActionOf(lParam));
        default:
            return ::DefWindowProc(hwnd, message, wParam, lParam);
        }
    }

private:
    LRESULT Set(HWND hwnd, DWORD flag, const SYSTEMTIME* time)
    {
        if (flag == GDT_NONE) {
            if (!(StyleOf(hwnd) & DTS_SHOWNONE))
                return FALSE;
            m_value.reset();
        } else if (flag == GDT_VALID && time && IsValid(*time)) {
            m_value = WithDayOfWeek(*time);
        } else {
            return FALSE;
        }
        InvalidateRect(hwnd, nullptr, TRUE);
        return TRUE;
    }

    LRESULT Act(HWND hwnd, const vqui::UserAction& action)
    {
        if (action.kind != vqui::UserActionKind::Type)
            return FALSE;
        const std::optional<SYSTEMTIME> entered = Entered(action.text, m_value.value_or(LocalNow()));
        if (!entered)
            return FALSE;
        TakeFocusAsUser(hwnd);
        m_value = entered;
        InvalidateRect(hwnd, nullptr, TRUE);
        NMDATETIMECHANGE change{{nullptr, 0, DTN_DATETIMECHANGE}, GDT_VALID, *m_value};
        NotifyParent(hwnd, change.nmhdr);
        return TRUE;
    }

    std::optional<SYSTEMTIME> m_value = LocalNow();
};

} // namespace

std::unique_ptr<ClassProcedure> MakeDateTimeProcedure() { return std::make_unique<DateTimeProcedure>(); }

} // namespace vqwin::controls
