#include "win/ControlSupport.h"

#include "win/CDC.h"
#include "win/CGdiObject.h"
#include "win/CWnd.h"
#include "win/Mbcs.h"
#include "win/WindowRegistry.h"


namespace vqwin::controls {

DWORD StyleOf(HWND hwnd) { return static_cast<DWORD>(GetWindowLongPtr(hwnd, GWL_STYLE)); }

std::string TextOf(HWND hwnd)
{
    std::string text(static_cast<std::size_t>(GetWindowTextLength(hwnd)), '\0');
    text.resize(static_cast<std::size_t>(GetWindowText(hwnd, text.data(), static_cast<int>(text.size()) + 1)));
    return text;
}

void StoreText(HWND hwnd, std::string_view text)
{
    const std::string copy(text);
    ::DefWindowProc(hwnd, WM_SETTEXT, 0, reinterpret_cast<LPARAM>(copy.c_str()));
}

void NotifyParent(HWND control, UINT code)
{
    const auto id = static_cast<WORD>(GetDlgCtrlID(control));
    SendMessage(GetParent(control), WM_COMMAND, MAKEWPARAM(id, static_cast<WORD>(code)),
                reinterpret_cast<LPARAM>(control));
}

LRESULT NotifyParent(HWND control, NMHDR& header)
{
    header.hwndFrom = control;
    header.idFrom = static_cast<UINT_PTR>(GetDlgCtrlID(control));
    return SendMessage(GetParent(control), WM_NOTIFY, header.idFrom, reinterpret_cast<LPARAM>(&header));
}

const vqui::UserAction& UserActionOf(LPARAM lParam) { return *reinterpret_cast<const vqui::UserAction*>(lParam); }

void TakeFocusAsUser(HWND control)
{
    if (GetFocus() != control)
        SetFocus(control);
}

std::string TypedFor(const vqui::UserAction& action)
{
    if (action.state == 1 && action.text.empty())
        return std::string(1, static_cast<char>(VK_BACK));
    return action.text;
}

void SendTypedText(HWND control, std::string_view text)
{
    for (std::size_t i = 0; i < text.size() && IsWindow(control); ++i) {
        if (text[i] == '\r' && i + 1 < text.size() && text[i + 1] == '\n')
            continue;
        const char ch = text[i] == '\n' ? '\r' : text[i];
        SendMessage(control, WM_CHAR, static_cast<unsigned char>(ch), 1);
    }
}

void SendKeyPress(HWND control, UINT virtualKey)
{
    SendMessage(control, WM_KEYDOWN, virtualKey, 1);
    if (const WPARAM ch = CharOfKey(virtualKey); ch && IsWindow(control))
        SendMessage(control, WM_CHAR, ch, 1);
    if (IsWindow(control))
        SendMessage(control, WM_KEYUP, virtualKey, 1);
}

int CopyText(std::string_view text, LPSTR buffer, int size)
{
    return static_cast<int>(mbcs::CopyToBuffer(text, buffer, static_cast<std::size_t>(size > 0 ? size : 0)));
}

DRAWITEMSTRUCT DrawItemRecord(HWND control, UINT controlType, UINT itemId, UINT state, HDC dc, const RECT& rect,
                              ULONG_PTR itemData)
{
    if (!IsWindowEnabled(control))
        state |= ODS_DISABLED;
    return DRAWITEMSTRUCT{controlType, static_cast<UINT>(GetDlgCtrlID(control)), itemId, ODA_DRAWENTIRE, state,
                          control, dc, rect, itemData};
}

void SendDrawItem(HWND control, DRAWITEMSTRUCT& record)
{
    SendMessage(GetParent(control), WM_DRAWITEM, record.CtlID, reinterpret_cast<LPARAM>(&record));
}

UINT SendMeasureItem(HWND control, UINT controlType, UINT itemId, ULONG_PTR itemData, UINT defaultHeight)
{
    MEASUREITEMSTRUCT record{controlType, static_cast<UINT>(GetDlgCtrlID(control)), itemId, 0, defaultHeight,
                             itemData};
    SendMessage(GetParent(control), WM_MEASUREITEM, record.CtlID, reinterpret_cast<LPARAM>(&record));
    return record.itemHeight;
}

int LineHeight(HWND control)
{
    HDC dc = GetDC(control);
    if (auto font = reinterpret_cast<HGDIOBJ>(SendMessage(control, WM_GETFONT)))
        SelectObject(dc, font);
    TEXTMETRIC metrics{};
    GetTextMetrics(dc, &metrics);
    ReleaseDC(control, dc);
    return metrics.tmHeight;
}

ControlPaint::ControlPaint(HWND control) : m_control(control), m_dc(std::make_unique<CDC>())
{
    m_dc->Attach(BeginPaint(control, &m_paint));
    if (auto font = reinterpret_cast<HFONT>(SendMessage(control, WM_GETFONT)))
        m_dc->SelectObject(CFont::FromHandle(font));
}

void ControlPaint::TakeParentsColours(UINT message)
{
    const bool editable = message == WM_CTLCOLOREDIT;
    m_dc->SetTextColor(GetSysColor(COLOR_WINDOWTEXT));
    m_dc->SetBkColor(GetSysColor(editable ? COLOR_WINDOW : COLOR_BTNFACE));
    HWND parent = GetParent(m_control);
    if (!parent)
        return;
    const auto brush = reinterpret_cast<HBRUSH>(
        SendMessage(parent, message, reinterpret_cast<WPARAM>(m_paint.hdc), reinterpret_cast<LPARAM>(m_control)));
    LOGBRUSH background{};
    if (!brush || !GetObject(brush, sizeof background, &background))
        return;
    const COLORREF textBackground = m_dc->GetBkColor();
    CRect client;
    GetClientRect(m_control, &client);
    m_dc->FillSolidRect(client, background.lbColor);
    m_dc->SetBkColor(textBackground);
}

ControlPaint::~ControlPaint()
{
    m_dc->Detach();
    EndPaint(m_control, &m_paint);
}

} // namespace vqwin::controls
