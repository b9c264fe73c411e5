#include "win/ListViewPainter.h"

#include "win/CDC.h"
#include "win/CGdiObject.h"
#include "win/ImageList.h"
#include "win/ListViewControl.h"

namespace vqwin::detail {

namespace {

int ImageTop(HIMAGELIST list, const CRect& cell)
{
    int cx = 0;
    int cy = 0;
    ImageList_GetIconSize(list, &cx, &cy);
    return cell.top + (cell.Height() - cy) / 2;
}

UINT TextFormat(int columnFormat)
{
    const UINT align = columnFormat == LVCFMT_RIGHT ? DT_RIGHT : columnFormat == LVCFMT_CENTER ? DT_CENTER : DT_LEFT;
    return align | DT_SINGLELINE | DT_VCENTER | DT_NOPREFIX;
}

} // namespace

void ListViewPainter::Paint()
{
    HWND hwnd = m_list.Window();
    PAINTSTRUCT paint;
    CDC* dc = CDC::FromHandle(BeginPaint(hwnd, &paint));
    if (!dc) {
        EndPaint(hwnd, &paint);
        return;
    }
    CRect client;
    GetClientRect(hwnd, &client);
    dc->SelectObject(CFont::FromHandle(m_list.Font()));
    dc->FillSolidRect(0, m_list.RowsTop(), client.Width(), client.bottom - m_list.RowsTop(), m_list.BackColor());
    const bool ownerDraw = m_list.IsOwnerDraw();
    NMLVCUSTOMDRAW draw{};
    draw.nmcd.hdc = dc->GetSafeHdc();
    draw.nmcd.rc = client;
    const LRESULT answer = ownerDraw ? CDRF_DODEFAULT : CustomDraw(draw, CDDS_PREPAINT);
    for (int row = m_list.TopIndex(); !(answer & CDRF_SKIPDEFAULT) && row < m_list.Count(); ++row) {
        const CRect bounds = m_list.RowRect(row);
        if (bounds.top >= client.bottom)
            break;
        if (ownerDraw)
            PaintOwnerDrawn(*dc, row, bounds);
        else
            PaintRow(*dc, row, bounds, answer);
    }
    EndPaint(hwnd, &paint);
}

bool ListViewPainter::ShowsSelected(int row) const
{
    return (m_list.State(row) & LVIS_SELECTED) && (m_list.HasFocus() || (m_list.Style() & LVS_SHOWSELALWAYS));
}

void ListViewPainter::PaintOwnerDrawn(CDC& dc, int row, const RECT& bounds)
{
    HWND hwnd = m_list.Window();
    DRAWITEMSTRUCT item{};
    item.CtlType = ODT_LISTVIEW;
    item.CtlID = static_cast<UINT>(GetDlgCtrlID(hwnd));
    item.itemID = static_cast<UINT>(row);
    item.itemAction = ODA_DRAWENTIRE;
    item.itemState = (ShowsSelected(row) ? ODS_SELECTED : 0) |
                     ((m_list.State(row) & LVIS_FOCUSED) && m_list.HasFocus() ? ODS_FOCUS : 0) |
                     (IsWindowEnabled(hwnd) ? 0 : ODS_DISABLED);
    item.hwndItem = hwnd;
    item.hDC = dc.GetSafeHdc();
    item.rcItem = bounds;
    item.itemData = static_cast<ULONG_PTR>(m_list.Param(row));
    const int saved = dc.SaveDC();
    SendMessage(GetParent(hwnd), WM_DRAWITEM, item.CtlID, reinterpret_cast<LPARAM>(&item));
    dc.RestoreDC(saved);
}

void ListViewPainter::PaintRow(CDC& dc, int row, const RECT& bounds, LRESULT listAnswer)
{
    const bool focus = m_list.HasFocus();
    const bool selected = ShowsSelected(row);
    NMLVCUSTOMDRAW draw{};
    draw.nmcd.hdc = dc.GetSafeHdc();
    draw.nmcd.rc = bounds;
    draw.nmcd.dwItemSpec = static_cast<DWORD_PTR>(row);
    draw.nmcd.uItemState =
        (selected ? CDIS_SELECTED : 0) | ((m_list.State(row) & LVIS_FOCUSED) && focus ? CDIS_FOCUS : 0);
    draw.nmcd.lItemlParam = m_list.Param(row);
    draw.clrText = selected && focus ? GetSysColor(COLOR_HIGHLIGHTTEXT) : m_list.TextColor();
    draw.clrTextBk = !selected ? m_list.TextBackColor() : GetSysColor(focus ? COLOR_HIGHLIGHT : COLOR_BTNFACE);
    const LRESULT itemAnswer = (listAnswer & CDRF_NOTIFYITEMDRAW) ? CustomDraw(draw, CDDS_ITEMPREPAINT) : 0;
    if (itemAnswer & CDRF_SKIPDEFAULT)
        return;
    CFont* font = CFont::FromHandle(m_list.Font());
    for (int column = 0; column < m_list.ShownColumns() && m_list.Rows().IsIndex(row); ++column) {
        NMLVCUSTOMDRAW cell = draw;
        cell.iSubItem = column;
        dc.SelectObject(font);
        const LRESULT cellAnswer =
            (itemAnswer & CDRF_NOTIFYSUBITEMDRAW) ? CustomDraw(cell, CDDS_ITEMPREPAINT | CDDS_SUBITEM) : 0;
        if (!(cellAnswer & CDRF_NEWFONT))
            dc.SelectObject(font);
        if (!(cellAnswer & CDRF_SKIPDEFAULT))
            PaintCell(dc, row, column, cell);
    }
    if (m_list.Rows().IsIndex(row) && (m_list.State(row) & LVIS_FOCUSED) && focus)
        dc.DrawFocusRect(&bounds);
}

void ListViewPainter::PaintCell(CDC& dc, int row, int column, const NMLVCUSTOMDRAW& colours)
{
    CRect cell = m_list.CellRect(row, column);
    if (column == 0) {
        PaintImages(dc, row, (colours.nmcd.uItemState & CDIS_SELECTED) && m_list.HasFocus());
        cell.left = m_list.FirstCellParts(row).label.left;
    }
    dc.FillSolidRect(&cell, colours.clrTextBk);
    dc.SetTextColor(colours.clrText);
    const std::string text = m_list.CellText(row, column);
    CRect box = cell;
    box.DeflateRect(2, 0);
    dc.DrawText(text.c_str(), static_cast<int>(text.size()), &box,
                TextFormat(m_list.IsReport() ? m_list.ColumnFormat(column) : LVCFMT_LEFT));
}

void ListViewPainter::PaintImages(CDC& dc, int row, bool highlighted)
{
    const ListViewControl::FirstCell parts = m_list.FirstCellParts(row);
    const UINT state = m_list.State(row);
    if (HIMAGELIST states = m_list.ImageList(LVSIL_STATE); states && (state & LVIS_STATEIMAGEMASK))
        ImageList_Draw(states, static_cast<int>((state & LVIS_STATEIMAGEMASK) >> 12) - 1, dc.GetSafeHdc(),
                       parts.state.left, ImageTop(states, parts.state), ILD_NORMAL);
    HIMAGELIST images = m_list.ImageList(LVSIL_SMALL);
    if (!images)
        return;
    const int image = m_list.Image(row);
    const UINT style = ILD_TRANSPARENT | (state & LVIS_OVERLAYMASK) | (highlighted ? ILD_SELECTED : 0);
    if (image >= 0)
        ImageList_Draw(images, image, dc.GetSafeHdc(), parts.icon.left, ImageTop(images, parts.icon), style);
}

LRESULT ListViewPainter::CustomDraw(NMLVCUSTOMDRAW& draw, DWORD stage)
{
    draw.nmcd.dwDrawStage = stage;
    return m_list.Notify(draw.nmcd.hdr, NM_CUSTOMDRAW);
}

} // namespace vqwin::detail
