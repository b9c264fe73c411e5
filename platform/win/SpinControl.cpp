// The class procedure of "msctls_updown32" windows.
#include "win/CSpinButtonCtrl.h"
#include "win/ControlSupport.h"

#include <algorithm>
#include <charconv>
#include <cstdlib>
#include <optional>
#include <utility>

namespace vqwin::controls {

namespace {

std::string FormatNumber(int value, bool thousands)
{
    std::string digits = std::to_string(value < 0 ? -static_cast<long long>(value) : value);
    if (thousands) {
        for (auto at = static_cast<int>(digits.size()) - 3; at > 0; at -= 3)
            digits.insert(static_cast<std::size_t>(at), 1, ',');
    }
    return value < 0 ? "-" + digits : digits;
}

// A number written as the control writes it, with or without thousands separators.
std::optional<int> ParseNumber(std::string text)
{
    std::erase(text, ',');
    const auto first = text.find_first_not_of(' ');
    const auto last = text.find_last_not_of(' ');
    if (first == std::string::npos)
        return std::nullopt;
    int value = 0;
    const char* end = text.data() + last + 1;
    const auto [stop, error] = std::from_chars(text.data() + first, end, value);
    if (error != std::errc() || stop != end)
        return std::nullopt;
    return value;
}

short Low(LPARAM value) { return static_cast<short>(LOWORD(static_cast<std::uintptr_t>(value))); }

short High(LPARAM value) { return static_cast<short>(HIWORD(static_cast<std::uintptr_t>(value))); }

class SpinProcedure final : public ClassProcedure {
public:
    LRESULT WindowProc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam) override
    {
        switch (message) {
        case WM_CREATE:
            if (StyleOf(hwnd) & UDS_AUTOBUDDY)
                m_buddy = GetWindow(hwnd, GW_HWNDPREV);
            return 0;
        case UDM_SETRANGE:
            SetRange(High(lParam), Low(lParam));
            return 0;
        case UDM_GETRANGE:
            return static_cast<LRESULT>(MAKELONG(static_cast<WORD>(m_upper), static_cast<WORD>(m_lower)));
        case UDM_SETRANGE32:
            SetRange(static_cast<int>(wParam), static_cast<int>(lParam));
            return 0;
        case UDM_GETRANGE32:
            if (auto* lower = reinterpret_cast<int*>(wParam))
                *lower = m_lower;
            if (auto* upper = reinterpret_cast<int*>(lParam))
                *upper = m_upper;
            return 0;
        case UDM_SETPOS:
            return static_cast<short>(SetPosition(hwnd, Low(lParam)));
        case UDM_SETPOS32:
            return SetPosition(hwnd, static_cast<int>(lParam));
        case UDM_GETPOS: {
            const bool valid = ReadBuddy(hwnd);
            return static_cast<LRESULT>(MAKELONG(static_cast<WORD>(m_pos), valid ? 0 : 1));
        }
        case UDM_GETPOS32: {
            const bool valid = ReadBuddy(hwnd);
            if (auto* error = reinterpret_cast<BOOL*>(lParam))
                *error = !valid;
            return m_pos;
        }
        case UDM_SETBUDDY:
            return reinterpret_cast<LRESULT>(std::exchange(m_buddy, reinterpret_cast<HWND>(wParam)));
        case UDM_GETBUDDY:
            return reinterpret_cast<LRESULT>(m_buddy);
        case WM_VQ_USERACTION:
            return Act(hwnd, UserActionOf(lParam));
        default:
            return ::DefWindowProc(hwnd, message, wParam, lParam);
        }
    }

private:
    int Clamp(int pos) const { return std::clamp(pos, std::min(m_lower, m_upper), std::max(m_lower, m_upper)); }

    void SetRange(int lower, int upper)
    {
        m_lower = lower;
        m_upper = upper;
        m_pos = Clamp(m_pos);
    }

    int SetPosition(HWND hwnd, int pos)
    {
        const int previous = std::exchange(m_pos, Clamp(pos));
        if ((StyleOf(hwnd) & UDS_SETBUDDYINT) && IsWindow(m_buddy))
            SetWindowText(m_buddy, FormatNumber(m_pos, !(StyleOf(hwnd) & UDS_NOTHOUSANDS)).c_str());
        return previous;
    }

    // With UDS_SETBUDDYINT the position is what the buddy shows; false when that is no number.
    bool ReadBuddy(HWND hwnd)
    {
        if (!(StyleOf(hwnd) & UDS_SETBUDDYINT) || !IsWindow(m_buddy))
            return true;
        const std::optional<int> shown = ParseNumber(TextOf(m_buddy));
        if (shown)
            m_pos = Clamp(*shown);
        return shown.has_value();
    }

    void Step(HWND hwnd, int delta)
    {
        ReadBuddy(hwnd);
        NMUPDOWN record{{nullptr, 0, UDN_DELTAPOS}, m_pos, delta};
        if (NotifyParent(hwnd, record.hdr) || !IsWindow(hwnd))
            return;
        const long long low = std::min(m_lower, m_upper);
        const long long high = std::max(m_lower, m_upper);
        long long next = static_cast<long long>(record.iPos) + record.iDelta;
        const bool wrap = (StyleOf(hwnd) & UDS_WRAP) != 0;
        if (next > high)
            next = wrap ? low : high;
        else if (next < low)
            next = wrap ? high : low;
        SetPosition(hwnd, static_cast<int>(next));
    }

    LRESULT Act(HWND hwnd, const vqui::UserAction& action)
    {
        if (action.kind != vqui::UserActionKind::Spin)
            return FALSE;
        const int up = m_upper >= m_lower ? 1 : -1;
        const int direction = action.index >= 0 ? up : -up;
        for (int step = 0; step < std::abs(action.index) && IsWindow(hwnd); ++step)
            Step(hwnd, direction);
        return TRUE;
    }

    int m_lower = 100;
    int m_upper = 0;
    int m_pos = 0;
    HWND m_buddy = nullptr;
};

} // namespace

std::unique_ptr<ClassProcedure> MakeSpinProcedure() { return std::make_unique<SpinProcedure>(); }

} // namespace vqwin::controls
