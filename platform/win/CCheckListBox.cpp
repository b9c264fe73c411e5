#include "win/CCheckListBox.h"

#include "win/CButton.h"
#include "win/CDC.h"
#include "win/CString.h"

BOOL CCheckListBox::Create(DWORD style, const RECT& rect, CWnd* parent, UINT id)
{
    if (!CListBox::Create(style, rect, parent, id))
        return FALSE;
    SetCheckStyle(BS_AUTOCHECKBOX);
    return TRUE;
}

void CCheckListBox::SetCheckStyle(UINT style) { SendMessage(LB_VQ_SETCHECKSTYLE, style); }

UINT CCheckListBox::GetCheckStyle() const { return static_cast<UINT>(SendMessage(LB_VQ_GETCHECKSTYLE)); }

void CCheckListBox::SetCheck(int index, int check)
{
    SendMessage(LB_VQ_SETCHECK, static_cast<WPARAM>(index), check);
}

int CCheckListBox::GetCheck(int index) const
{
    return static_cast<int>(SendMessage(LB_VQ_GETCHECK, static_cast<WPARAM>(index)));
}

void CCheckListBox::PreSubclassWindow()
{
    CListBox::PreSubclassWindow();
    if (!GetCheckStyle())
        SetCheckStyle(BS_AUTOCHECKBOX);
}

// A box the height of the item with a cross when checked (a diagonal when indeterminate),
// then the item's text.
void CCheckListBox::DrawItem(LPDRAWITEMSTRUCT dis)
{
    CDC* dc = CDC::FromHandle(dis->hDC);
    if (!dc)
        return;
    const CRect item(dis->rcItem);
    const bool selected = (dis->itemState & ODS_SELECTED) != 0;
    dc->FillSolidRect(&item, GetSysColor(selected ? COLOR_HIGHLIGHT : COLOR_WINDOW));
    const int side = item.Height();
    const CRect box(item.left + 1, item.top + 1, item.left + side - 1, item.bottom - 1);
    dc->MoveTo(box.left, box.top);
    dc->LineTo(box.right, box.top);
    dc->LineTo(box.right, box.bottom);
    dc->LineTo(box.left, box.bottom);
    dc->LineTo(box.left, box.top);
    const int check = GetCheck(static_cast<int>(dis->itemID));
    if (check) {
        dc->MoveTo(box.left, box.top);
        dc->LineTo(box.right, box.bottom);
    }
    if (check == 1) {
        dc->MoveTo(box.left, box.bottom);
        dc->LineTo(box.right, box.top);
    }
    CString text;
    GetText(static_cast<int>(dis->itemID), text);
    dc->SetTextColor(GetSysColor(selected ? COLOR_HIGHLIGHTTEXT : COLOR_WINDOWTEXT));
    dc->TextOut(item.left + side + 2, item.top, text);
}

void CCheckListBox::MeasureItem(LPMEASUREITEMSTRUCT mis)
{
    CClientDC dc(this);
    TEXTMETRIC metrics{};
    dc.GetTextMetrics(&metrics);
    mis->itemHeight = static_cast<UINT>(metrics.tmHeight);
}
