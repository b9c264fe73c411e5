// The class procedure of "Static" windows.
#include "win/CDC.h"
#include "win/CStatic.h"
#include "win/ControlSupport.h"

#include <utility>

namespace vqwin::controls {

namespace {

class StaticProcedure final : public ClassProcedure {
public:
    LRESULT WindowProc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam) override
    {
        switch (message) {
        case STM_SETICON:
            return SetImage(hwnd, IMAGE_ICON, reinterpret_cast<HANDLE>(wParam));
        case STM_GETICON:
            return m_imageType == IMAGE_ICON ? reinterpret_cast<LRESULT>(m_image) : 0;
        case STM_SETIMAGE:
            return SetImage(hwnd, static_cast<UINT>(wParam), reinterpret_cast<HANDLE>(lParam));
        case STM_GETIMAGE:
            return wParam == m_imageType ? reinterpret_cast<LRESULT>(m_image) : 0;
        case WM_SETTEXT:
            InvalidateRect(hwnd, nullptr, TRUE);
            return ::DefWindowProc(hwnd, message, wParam, lParam);
        case WM_GETDLGCODE:
            return DLGC_STATIC;
        case WM_PAINT:
            Paint(hwnd);
            return 0;
        case WM_VQ_USERACTION:
            return Act(hwnd, UserActionOf(lParam));
        default:
            return ::DefWindowProc(hwnd, message, wParam, lParam);
        }
    }

private:
    LRESULT SetImage(HWND hwnd, UINT type, HANDLE image)
    {
        const HANDLE previous = std::exchange(m_image, image);
        m_imageType = type;
        InvalidateRect(hwnd, nullptr, TRUE);
        return reinterpret_cast<LRESULT>(previous);
    }

    static void Paint(HWND hwnd)
    {
        ControlPaint paint(hwnd);
        const DWORD type = StyleOf(hwnd) & SS_TYPEMASK;
        if (type != SS_LEFT && type != SS_CENTER && type != SS_RIGHT)
            return;
        CRect client;
        GetClientRect(hwnd, &client);
        paint.TakeParentsColours(WM_CTLCOLORSTATIC);
        const std::string text = TextOf(hwnd);
        const UINT align = type == SS_CENTER ? DT_CENTER : (type == SS_RIGHT ? DT_RIGHT : DT_LEFT);
        const UINT prefix = (StyleOf(hwnd) & SS_NOPREFIX) ? DT_NOPREFIX : 0;
        paint.DC().DrawText(text.c_str(), static_cast<int>(text.size()), client, align | prefix);
    }

    static LRESULT Act(HWND hwnd, const vqui::UserAction& action)
    {
        if (action.kind != vqui::UserActionKind::Click || !(StyleOf(hwnd) & SS_NOTIFY))
            return FALSE;
        NotifyParent(hwnd, STN_CLICKED);
        return TRUE;
    }

    HANDLE m_image = nullptr;
    UINT m_imageType = IMAGE_BITMAP;
};

} // namespace

std::unique_ptr<ClassProcedure> MakeStaticProcedure() { return std::make_unique<StaticProcedure>(); }

} // namespace vqwin::controls
