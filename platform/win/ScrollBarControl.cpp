// The class procedure of "ScrollBar" windows.
#include "win/CScrollBar.h"
#include "win/ControlSupport.h"

#include <algorithm>
#include <cstdlib>
#include <utility>

namespace vqwin::controls {

namespace {

class ScrollBarProcedure final : public ClassProcedure {
public:
    LRESULT WindowProc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam) override
    {
        switch (message) {
        case SBM_SETPOS:
            return std::exchange(m_pos, Clamp(static_cast<int>(wParam)));
        case SBM_GETPOS:
            return m_pos;
        case SBM_SETRANGE:
            m_minimum = static_cast<int>(wParam);
            m_maximum = static_cast<int>(lParam);
            m_pos = Clamp(m_pos);
            return TRUE;
        case SBM_GETRANGE:
            if (auto* minimum = reinterpret_cast<int*>(wParam))
                *minimum = m_minimum;
            if (auto* maximum = reinterpret_cast<int*>(lParam))
                *maximum = m_maximum;
            return 0;
        case SBM_ENABLE_ARROWS:
            // -1 asks which arrows are disabled (this layer's own query).
            if (wParam == static_cast<WPARAM>(-1))
                return m_disabled;
            m_disabled = static_cast<UINT>(wParam) & ESB_DISABLE_BOTH;
            return TRUE;
        case WM_VQ_USERACTION:
            return Act(hwnd, UserActionOf(lParam));
        default:
            return ::DefWindowProc(hwnd, message, wParam, lParam);
        }
    }

private:
    int Clamp(int pos) const { return std::clamp(pos, std::min(m_minimum, m_maximum), std::max(m_minimum, m_maximum)); }

    LRESULT Act(HWND hwnd, const vqui::UserAction& action)
    {
        if (action.kind != vqui::UserActionKind::Spin)
            return FALSE;
        const UINT message = (StyleOf(hwnd) & SBS_VERT) ? WM_VSCROLL : WM_HSCROLL;
        const bool down = action.index >= 0;
        for (int step = 0; step < std::abs(action.index) && IsWindow(hwnd); ++step) {
            if (m_disabled & (down ? ESB_DISABLE_RTDN : ESB_DISABLE_LTUP))
                break;
            ::SendMessage(::GetParent(hwnd), message, down ? SB_LINEDOWN : SB_LINEUP, reinterpret_cast<LPARAM>(hwnd));
        }
        if (IsWindow(hwnd))
            ::SendMessage(::GetParent(hwnd), message, SB_ENDSCROLL, reinterpret_cast<LPARAM>(hwnd));
        return TRUE;
    }

    int m_minimum = 0;
    int m_maximum = 100;
    int m_pos = 0;
    UINT m_disabled = ESB_ENABLE_BOTH;
};

} // namespace

std::unique_ptr<ClassProcedure> MakeScrollBarProcedure() { return std::make_unique<ScrollBarProcedure>(); }

} // namespace vqwin::controls
