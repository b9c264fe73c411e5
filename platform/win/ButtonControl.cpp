// The class procedure of "Button" windows.
#include "win/CButton.h"
#include "win/CDC.h"
#include "win/ControlSupport.h"

#include <algorithm>
#include <utility>
#include <vector>

namespace vqwin::controls {

namespace {

DWORD TypeOf(HWND hwnd) { return StyleOf(hwnd) & BS_TYPEMASK; }

bool IsCheckBox(DWORD type)
{
    return type == BS_CHECKBOX || type == BS_AUTOCHECKBOX || type == BS_3STATE || type == BS_AUTO3STATE;
}

bool IsRadioButton(DWORD type) { return type == BS_RADIOBUTTON || type == BS_AUTORADIOBUTTON; }

bool IsThreeState(DWORD type) { return type == BS_3STATE || type == BS_AUTO3STATE; }

// The siblings that share the window's group: from the nearest one with WS_GROUP at or
// before it up to the next one with WS_GROUP.
std::vector<HWND> GroupOf(HWND hwnd)
{
    std::vector<HWND> siblings;
    for (HWND each = GetWindow(hwnd, GW_HWNDFIRST); each; each = GetWindow(each, GW_HWNDNEXT))
        siblings.push_back(each);
    const auto at = std::find(siblings.begin(), siblings.end(), hwnd);
    if (at == siblings.end())
        return {hwnd};
    auto first = at;
    while (first != siblings.begin() && !(StyleOf(*first) & WS_GROUP))
        --first;
    auto last = std::next(at);
    while (last != siblings.end() && !(StyleOf(*last) & WS_GROUP))
        ++last;
    return {first, last};
}

class ButtonProcedure final : public ClassProcedure {
public:
    LRESULT WindowProc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam) override
    {
        switch (message) {
        case BM_GETCHECK:
            return (IsCheckBox(TypeOf(hwnd)) || IsRadioButton(TypeOf(hwnd))) ? m_check : BST_UNCHECKED;
        case BM_SETCHECK:
            SetCheck(hwnd, static_cast<UINT>(wParam));
            return 0;
        case BM_GETSTATE:
            return m_check | (m_pushed ? BST_PUSHED : 0) | (GetFocus() == hwnd ? BST_FOCUS : 0);
        case BM_SETSTATE:
            m_pushed = wParam != 0;
            InvalidateRect(hwnd, nullptr, TRUE);
            return 0;
        case BM_SETSTYLE:
            SetWindowLongPtr(hwnd, GWL_STYLE, static_cast<LONG_PTR>((StyleOf(hwnd) & 0xFFFF0000) | LOWORD(wParam)));
            if (lParam)
                InvalidateRect(hwnd, nullptr, TRUE);
            return 0;
        case BM_CLICK:
            if (IsWindowEnabled(hwnd))
                Click(hwnd);
            return 0;
        case BM_GETIMAGE:
            return wParam == m_imageType ? reinterpret_cast<LRESULT>(m_image) : 0;
        case BM_SETIMAGE:
            return SetImage(hwnd, static_cast<UINT>(wParam), reinterpret_cast<HANDLE>(lParam));
        case WM_SETTEXT:
            InvalidateRect(hwnd, nullptr, TRUE);
            return ::DefWindowProc(hwnd, message, wParam, lParam);
        case WM_SETFOCUS:
        case WM_KILLFOCUS:
        case WM_ENABLE:
            InvalidateRect(hwnd, nullptr, TRUE);
            return 0;
        case WM_KEYUP:
            if (wParam == VK_SPACE && TypeOf(hwnd) != BS_GROUPBOX)
                Click(hwnd);
            return 0;
        case WM_GETDLGCODE:
            return DialogCode(TypeOf(hwnd));
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
    void SetCheck(HWND hwnd, UINT check)
    {
        const DWORD type = TypeOf(hwnd);
        if (!IsCheckBox(type) && !IsRadioButton(type))
            return;
        m_check = (check == BST_INDETERMINATE && IsThreeState(type)) ? BST_INDETERMINATE
                                                                     : (check ? BST_CHECKED : BST_UNCHECKED);
        InvalidateRect(hwnd, nullptr, TRUE);
    }

    static void ClearOtherRadioButtons(HWND hwnd)
    {
        for (HWND other : GroupOf(hwnd)) {
            if (other != hwnd && (SendMessage(other, WM_GETDLGCODE) & DLGC_RADIOBUTTON))
                SendMessage(other, BM_SETCHECK, BST_UNCHECKED);
        }
    }

    void Click(HWND hwnd)
    {
        switch (TypeOf(hwnd)) {
        case BS_GROUPBOX:
            return;
        case BS_AUTOCHECKBOX:
            m_check = m_check ? BST_UNCHECKED : BST_CHECKED;
            break;
        case BS_AUTO3STATE:
            m_check = (m_check + 1) % 3;
            break;
        case BS_AUTORADIOBUTTON:
            m_check = BST_CHECKED;
            ClearOtherRadioButtons(hwnd);
            break;
        default:
            break;
        }
        InvalidateRect(hwnd, nullptr, TRUE);
        NotifyParent(hwnd, BN_CLICKED);
    }

    LRESULT SetImage(HWND hwnd, UINT type, HANDLE image)
    {
        const HANDLE previous = std::exchange(m_image, image);
        m_imageType = type;
        InvalidateRect(hwnd, nullptr, TRUE);
        return reinterpret_cast<LRESULT>(previous);
    }

    static LRESULT DialogCode(DWORD type)
    {
        switch (type) {
        case BS_PUSHBUTTON:
            return DLGC_BUTTON | DLGC_UNDEFPUSHBUTTON;
        case BS_DEFPUSHBUTTON:
            return DLGC_BUTTON | DLGC_DEFPUSHBUTTON;
        case BS_RADIOBUTTON:
        case BS_AUTORADIOBUTTON:
            return DLGC_BUTTON | DLGC_RADIOBUTTON;
        case BS_GROUPBOX:
            return DLGC_STATIC;
        default:
            return DLGC_BUTTON;
        }
    }

    void Paint(HWND hwnd) const
    {
        ControlPaint paint(hwnd);
        CRect client;
        GetClientRect(hwnd, &client);
        const DWORD type = TypeOf(hwnd);
        if (type == BS_OWNERDRAW) {
            const UINT state = (m_pushed ? ODS_SELECTED : 0) | (GetFocus() == hwnd ? ODS_FOCUS : 0);
            DRAWITEMSTRUCT record = DrawItemRecord(hwnd, ODT_BUTTON, 0, state, paint.Handle(), client, 0);
            SendDrawItem(hwnd, record);
            return;
        }
        const std::string text = TextOf(hwnd);
        if (type == BS_GROUPBOX) {
            paint.DC().TextOut(0, 0, text.c_str(), static_cast<int>(text.size()));
            return;
        }
        const bool push = !IsCheckBox(type) && !IsRadioButton(type);
        if (!push)
            client.left += GetSystemMetrics(SM_CXSMICON);
        paint.DC().DrawText(text.c_str(), static_cast<int>(text.size()), client,
                            DT_SINGLELINE | DT_VCENTER | (push ? DT_CENTER : DT_LEFT));
    }

    LRESULT Act(HWND hwnd, const vqui::UserAction& action)
    {
        if (TypeOf(hwnd) == BS_GROUPBOX)
            return FALSE;
        switch (action.kind) {
        case vqui::UserActionKind::Click:
            TakeFocusAsUser(hwnd);
            Click(hwnd);
            return TRUE;
        case vqui::UserActionKind::SetCheck:
            return ClickUntilChecked(hwnd, static_cast<UINT>(action.state));
        case vqui::UserActionKind::PressKey:
            TakeFocusAsUser(hwnd);
            SendKeyPress(hwnd, action.key);
            return TRUE;
        default:
            return FALSE;
        }
    }

    // A state the user cannot reach by clicking (a radio button cleared, a third state of a
    // two-state box, any change of a box its owner does not change) is refused. A box whose
    // click handler destroys it has been clicked.
    LRESULT ClickUntilChecked(HWND hwnd, UINT wanted)
    {
        const DWORD type = TypeOf(hwnd);
        if (!IsCheckBox(type) && !IsRadioButton(type))
            return FALSE;
        TakeFocusAsUser(hwnd);
        for (int clicks = 0; clicks < 3; ++clicks) {
            if (SendMessage(hwnd, BM_GETCHECK) == static_cast<LRESULT>(wanted))
                return TRUE;
            Click(hwnd);
            if (!IsWindow(hwnd))
                return TRUE;
        }
        return SendMessage(hwnd, BM_GETCHECK) == static_cast<LRESULT>(wanted);
    }

    UINT m_check = BST_UNCHECKED;
    bool m_pushed = false;
    HANDLE m_image = nullptr;
    UINT m_imageType = IMAGE_BITMAP;
};

} // namespace

std::unique_ptr<ClassProcedure> MakeButtonProcedure() { return std::make_unique<ButtonProcedure>(); }

} // namespace vqwin::controls
