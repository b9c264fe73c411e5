#include "shell/VqsOptCtrlColor.h"

#include "shell/VqsWindowText.h"
#include "win/CDC.h"
#include "win/CDataExchange.h"

namespace {

constexpr COLORREF kColors[] = {
    RGB(0, 0, 0),        // black
    RGB(255, 255, 255),  // white
    RGB(0, 255, 0),      // green
    RGB(255, 0, 0),      // red
    RGB(0, 0, 255),      // blue
    RGB(255, 255, 0),    // yellow
    RGB(255, 0, 255),    // magenta
    RGB(0, 255, 255),    // cyan
};

constexpr UINT kNoItem = static_cast<UINT>(-1);

} // namespace

COLORREF VqsOptCtrlColor::ColorFromIndex(int index)
{
    return index >= 1 && index <= 7 ? kColors[index] : kColors[0];
}

void VqsOptCtrlColor::PaintSample(CDC* dc, const VqsOptCtrlColor& foreground, const VqsOptCtrlColor& background)
{
    dc->SetTextColor(ColorFromIndex(foreground.GetValue()));
    dc->SetBkColor(ColorFromIndex(background.GetValue()));
}

void VqsOptCtrlColor::CColorBox::DrawItem(LPDRAWITEMSTRUCT dis)
{
    CDC* dc = CDC::FromHandle(dis->hDC);
    const COLORREF entryText = dc->GetTextColor();
    const COLORREF entryBack = dc->GetBkColor();
    const bool selected = (dis->itemState & ODS_SELECTED) != 0;
    const COLORREF back = selected ? ::GetSysColor(COLOR_HIGHLIGHT) : entryBack;
    if (selected) {
        dc->SetTextColor(::GetSysColor(COLOR_HIGHLIGHTTEXT));
        dc->SetBkColor(back);
    }
    const CRect rect(dis->rcItem);
    dc->FillSolidRect(&rect, entryBack);
    if (!m_bDrawBlank && dis->itemID != kNoItem) {
        const int height = rect.Height();
        const auto item = static_cast<int>(dis->itemID);
        dc->FillSolidRect(CRect(rect.left + 2, rect.top + 2, rect.left + height - 2, rect.bottom - 2),
                          ColorFromIndex(item));
        dc->FillSolidRect(CRect(rect.left + height, rect.top, rect.right, rect.bottom), back);
        CString text;
        GetLBText(item, text);
        dc->TextOut(rect.left + height + 1, rect.top + 1, text);
    }
    dc->SetTextColor(entryText);
    dc->SetBkColor(entryBack);
}

void VqsOptCtrlColor::CColorBox::MeasureItem(LPMEASUREITEMSTRUCT mis)
{
    CClientDC dc(this);
    TEXTMETRIC metrics{};
    const LONG textHeight = dc.GetTextMetrics(&metrics) ? metrics.tmHeight : 8;
    mis->itemHeight = static_cast<UINT>(textHeight + 2);
}

VqsOptCtrlColor::VqsOptCtrlColor(VqsDialogCtrlConnector* connector, UINT id)
    : VqsOptCtrl(connector), m_nID(static_cast<WORD>(id))
{
}

void VqsOptCtrlColor::SetValue(int value)
{
    m_nValue = value;
    SetNotAvailableState(FALSE);
    m_box.m_bDrawBlank = FALSE;
}

void VqsOptCtrlColor::SetNotAvailable()
{
    SetNotAvailableState(TRUE);
    m_box.m_bDrawBlank = TRUE;
}

void VqsOptCtrlColor::ExchangeValue(CDataExchange* pDX)
{
    DDX_Control(pDX, m_nID, m_box);
    DDX_CBIndex(pDX, m_nID, m_nValue);
}

void VqsOptCtrlColor::ShowPlaceholder(CDataExchange* pDX)
{
    HWND box = pDX ? pDX->PrepareCtrl(m_nID) : GetBox();
    if (!box)
        return;
    VqsSetWindowText(box, "");
    ::InvalidateRect(box, nullptr, TRUE);
}

void VqsOptCtrlColor::Enable(BOOL enable)
{
    if (HWND box = GetBox())
        ::EnableWindow(box, enable);
}

BOOL VqsOptCtrlColor::IsEnabled()
{
    HWND box = GetBox();
    return box && ::IsWindowEnabled(box);
}

void VqsOptCtrlColor::SetReadOnly() { Enable(FALSE); }

void VqsOptCtrlColor::Show(BOOL show)
{
    if (HWND box = GetBox())
        ::ShowWindow(box, show ? SW_SHOW : SW_HIDE);
}

void VqsOptCtrlColor::SaveState() { m_nSaved = m_nValue; }

int VqsOptCtrlColor::GetBoxSelection() const
{
    HWND box = GetBox();
    return box ? static_cast<int>(::SendMessage(box, CB_GETCURSEL)) : m_nSaved;
}

BOOL VqsOptCtrlColor::IsValueModified() { return IsEnabled() && GetBoxSelection() != m_nSaved; }

BOOL VqsOptCtrlColor::ControlDiffersFromSaved() { return GetBoxSelection() != m_nSaved; }

void VqsOptCtrlColor::RestoreSavedValue() { m_nValue = m_nSaved; }

void VqsOptCtrlColor::ShowValue()
{
    if (HWND box = GetBox())
        ::SendMessage(box, CB_SETCURSEL, static_cast<WPARAM>(m_nValue));
}
