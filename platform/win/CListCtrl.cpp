#include "win/CListCtrl.h"

#include "win/CHeaderCtrl.h"
#include "win/CImageList.h"
#include "win/CString.h"
#include "win/ListViewControl.h"

namespace {

template <class T>
LPARAM Pointer(T* value)
{
    return reinterpret_cast<LPARAM>(value);
}

} // namespace

BOOL CListCtrl::Create(DWORD style, const RECT& rect, CWnd* parent, UINT id)
{
    vqwin::RegisterListViewClasses();
    return CWnd::Create(WC_LISTVIEW, nullptr, style, rect, parent, id);
}

BOOL CListCtrl::CreateEx(DWORD exStyle, DWORD style, const RECT& rect, CWnd* parent, UINT id)
{
    vqwin::RegisterListViewClasses();
    return CWnd::CreateEx(exStyle, WC_LISTVIEW, nullptr, style | WS_CHILD, rect, parent, id);
}

int CListCtrl::GetItemCount() const { return static_cast<int>(SendMessage(LVM_GETITEMCOUNT)); }

BOOL CListCtrl::SetItemCount(int count) { return SetItemCountEx(count, 0); }

BOOL CListCtrl::SetItemCountEx(int count, DWORD flags)
{
    return static_cast<BOOL>(SendMessage(LVM_SETITEMCOUNT, static_cast<WPARAM>(count), static_cast<LPARAM>(flags)));
}

int CListCtrl::InsertItem(const LVITEM* item)
{
    return static_cast<int>(SendMessage(LVM_INSERTITEM, 0, Pointer(item)));
}

int CListCtrl::InsertItem(int index, LPCTSTR text) { return InsertItem(LVIF_TEXT, index, text, 0, 0, 0, 0); }

int CListCtrl::InsertItem(int index, LPCTSTR text, int image)
{
    return InsertItem(LVIF_TEXT | LVIF_IMAGE, index, text, 0, 0, image, 0);
}

int CListCtrl::InsertItem(UINT mask, int index, LPCTSTR text, UINT state, UINT stateMask, int image, LPARAM param)
{
    LVITEM item{mask, index, 0, state, stateMask, const_cast<LPSTR>(text), 0, image, param, 0};
    return InsertItem(&item);
}

BOOL CListCtrl::DeleteItem(int index)
{
    return static_cast<BOOL>(SendMessage(LVM_DELETEITEM, static_cast<WPARAM>(index)));
}

BOOL CListCtrl::DeleteAllItems() { return static_cast<BOOL>(SendMessage(LVM_DELETEALLITEMS)); }

BOOL CListCtrl::GetItem(LVITEM* item) const { return static_cast<BOOL>(SendMessage(LVM_GETITEM, 0, Pointer(item))); }

BOOL CListCtrl::SetItem(const LVITEM* item) { return static_cast<BOOL>(SendMessage(LVM_SETITEM, 0, Pointer(item))); }

BOOL CListCtrl::SetItem(int index, int subItem, UINT mask, LPCTSTR text, int image, UINT state, UINT stateMask,
                        LPARAM param)
{
    LVITEM item{mask, index, subItem, state, stateMask, const_cast<LPSTR>(text), 0, image, param, 0};
    return SetItem(&item);
}

CString CListCtrl::GetItemText(int index, int subItem) const
{
    CString text;
    int size = 256;
    for (;;) {
        LVITEM item{};
        item.iSubItem = subItem;
        item.cchTextMax = size;
        item.pszText = text.GetBufferSetLength(size);
        const auto length = static_cast<int>(SendMessage(LVM_GETITEMTEXT, static_cast<WPARAM>(index), Pointer(&item)));
        text.ReleaseBuffer(length);
        if (length < size - 1)
            return text;
        size *= 2;
    }
}

int CListCtrl::GetItemText(int index, int subItem, LPTSTR buffer, int size) const
{
    LVITEM item{};
    item.iSubItem = subItem;
    item.pszText = buffer;
    item.cchTextMax = size;
    return static_cast<int>(SendMessage(LVM_GETITEMTEXT, static_cast<WPARAM>(index), Pointer(&item)));
}

BOOL CListCtrl::SetItemText(int index, int subItem, LPCTSTR text)
{
    LVITEM item{};
    item.iSubItem = subItem;
    item.pszText = const_cast<LPSTR>(text);
    return static_cast<BOOL>(SendMessage(LVM_SETITEMTEXT, static_cast<WPARAM>(index), Pointer(&item)));
}

DWORD_PTR CListCtrl::GetItemData(int index) const
{
    LVITEM item{};
    item.mask = LVIF_PARAM;
    item.iItem = index;
    return GetItem(&item) ? static_cast<DWORD_PTR>(item.lParam) : 0;
}

BOOL CListCtrl::SetItemData(int index, DWORD_PTR data)
{
    return SetItem(index, 0, LVIF_PARAM, nullptr, 0, 0, 0, static_cast<LPARAM>(data));
}

UINT CListCtrl::GetItemState(int index, UINT mask) const
{
    return static_cast<UINT>(SendMessage(LVM_GETITEMSTATE, static_cast<WPARAM>(index), static_cast<LPARAM>(mask)));
}

BOOL CListCtrl::SetItemState(int index, UINT state, UINT mask)
{
    LVITEM item{};
    item.state = state;
    item.stateMask = mask;
    return SetItemState(index, &item);
}

BOOL CListCtrl::SetItemState(int index, LVITEM* item)
{
    return static_cast<BOOL>(SendMessage(LVM_SETITEMSTATE, static_cast<WPARAM>(index), Pointer(item)));
}

BOOL CListCtrl::GetCheck(int index) const { return (GetItemState(index, LVIS_STATEIMAGEMASK) >> 12) == 2; }

BOOL CListCtrl::SetCheck(int index, BOOL check)
{
    return SetItemState(index, INDEXTOSTATEIMAGEMASK(check ? 2 : 1), LVIS_STATEIMAGEMASK);
}

UINT CListCtrl::GetSelectedCount() const { return static_cast<UINT>(SendMessage(LVM_GETSELECTEDCOUNT)); }

int CListCtrl::GetNextItem(int start, int flags) const
{
    return static_cast<int>(SendMessage(LVM_GETNEXTITEM, static_cast<WPARAM>(start), static_cast<LPARAM>(flags)));
}

int CListCtrl::FindItem(LVFINDINFO* find, int start) const
{
    return static_cast<int>(SendMessage(LVM_FINDITEM, static_cast<WPARAM>(start), Pointer(find)));
}

BOOL CListCtrl::SortItems(PFNLVCOMPARE compare, DWORD_PTR data)
{
    return static_cast<BOOL>(SendMessage(LVM_SORTITEMS, static_cast<WPARAM>(data), reinterpret_cast<LPARAM>(compare)));
}

int CListCtrl::HitTest(LVHITTESTINFO* info) const
{
    return static_cast<int>(SendMessage(LVM_HITTEST, 0, Pointer(info)));
}

int CListCtrl::HitTest(CPoint point, UINT* flags) const
{
    LVHITTESTINFO info{point, 0, -1, 0};
    const int index = HitTest(&info);
    if (flags)
        *flags = info.flags;
    return index;
}

int CListCtrl::SubItemHitTest(LVHITTESTINFO* info) const
{
    return static_cast<int>(SendMessage(LVM_SUBITEMHITTEST, 0, Pointer(info)));
}

BOOL CListCtrl::GetItemRect(int index, LPRECT rect, UINT code) const
{
    rect->left = static_cast<LONG>(code);
    return static_cast<BOOL>(SendMessage(LVM_GETITEMRECT, static_cast<WPARAM>(index), Pointer(rect)));
}

BOOL CListCtrl::GetSubItemRect(int index, int subItem, int area, CRect& rect) const
{
    rect.top = subItem;
    rect.left = area;
    return static_cast<BOOL>(SendMessage(LVM_GETSUBITEMRECT, static_cast<WPARAM>(index), Pointer(&rect)));
}

BOOL CListCtrl::EnsureVisible(int index, BOOL partialOk)
{
    return static_cast<BOOL>(SendMessage(LVM_ENSUREVISIBLE, static_cast<WPARAM>(index), partialOk));
}

BOOL CListCtrl::Scroll(CSize size)
{
    return static_cast<BOOL>(SendMessage(LVM_SCROLL, static_cast<WPARAM>(size.cx), size.cy));
}

int CListCtrl::GetTopIndex() const { return static_cast<int>(SendMessage(LVM_GETTOPINDEX)); }

int CListCtrl::GetCountPerPage() const { return static_cast<int>(SendMessage(LVM_GETCOUNTPERPAGE)); }

BOOL CListCtrl::RedrawItems(int first, int last)
{
    return static_cast<BOOL>(SendMessage(LVM_REDRAWITEMS, static_cast<WPARAM>(first), last));
}

int CListCtrl::InsertColumn(int column, const LVCOLUMN* source)
{
    return static_cast<int>(SendMessage(LVM_INSERTCOLUMN, static_cast<WPARAM>(column), Pointer(source)));
}

int CListCtrl::InsertColumn(int column, LPCTSTR heading, int format, int width, int subItem)
{
    LVCOLUMN source{};
    source.mask = LVCF_TEXT | LVCF_FMT;
    source.pszText = const_cast<LPSTR>(heading);
    source.fmt = format;
    if (width != -1) {
        source.mask |= LVCF_WIDTH;
        source.cx = width;
    }
    if (subItem != -1) {
        source.mask |= LVCF_SUBITEM;
        source.iSubItem = subItem;
    }
    return InsertColumn(column, &source);
}

BOOL CListCtrl::DeleteColumn(int column)
{
    return static_cast<BOOL>(SendMessage(LVM_DELETECOLUMN, static_cast<WPARAM>(column)));
}

BOOL CListCtrl::GetColumn(int column, LVCOLUMN* target) const
{
    return static_cast<BOOL>(SendMessage(LVM_GETCOLUMN, static_cast<WPARAM>(column), Pointer(target)));
}

BOOL CListCtrl::SetColumn(int column, const LVCOLUMN* source)
{
    return static_cast<BOOL>(SendMessage(LVM_SETCOLUMN, static_cast<WPARAM>(column), Pointer(source)));
}

int CListCtrl::GetColumnWidth(int column) const
{
    return static_cast<int>(SendMessage(LVM_GETCOLUMNWIDTH, static_cast<WPARAM>(column)));
}

BOOL CListCtrl::SetColumnWidth(int column, int width)
{
    return static_cast<BOOL>(
        SendMessage(LVM_SETCOLUMNWIDTH, static_cast<WPARAM>(column), MAKELPARAM(static_cast<WORD>(width), 0)));
}

CHeaderCtrl* CListCtrl::GetHeaderCtrl() const
{
    auto* list = dynamic_cast<vqwin::detail::ListViewControl*>(vqwin::GetClassProcedure(m_hWnd));
    return list ? list->HeaderObject() : nullptr;
}

CImageList* CListCtrl::SetImageList(CImageList* list, int kind)
{
    const LRESULT previous = SendMessage(LVM_SETIMAGELIST, static_cast<WPARAM>(kind),
                                         reinterpret_cast<LPARAM>(list ? list->GetSafeHandle() : nullptr));
    return CImageList::FromHandle(reinterpret_cast<HIMAGELIST>(previous));
}

CImageList* CListCtrl::GetImageList(int kind) const
{
    return CImageList::FromHandle(
        reinterpret_cast<HIMAGELIST>(SendMessage(LVM_GETIMAGELIST, static_cast<WPARAM>(kind))));
}

DWORD CListCtrl::GetExtendedStyle() const { return static_cast<DWORD>(SendMessage(LVM_GETEXTENDEDLISTVIEWSTYLE)); }

DWORD CListCtrl::SetExtendedStyle(DWORD style)
{
    return static_cast<DWORD>(SendMessage(LVM_SETEXTENDEDLISTVIEWSTYLE, 0, static_cast<LPARAM>(style)));
}

COLORREF CListCtrl::GetBkColor() const { return static_cast<COLORREF>(SendMessage(LVM_GETBKCOLOR)); }

BOOL CListCtrl::SetBkColor(COLORREF color)
{
    return static_cast<BOOL>(SendMessage(LVM_SETBKCOLOR, 0, static_cast<LPARAM>(color)));
}

COLORREF CListCtrl::GetTextColor() const { return static_cast<COLORREF>(SendMessage(LVM_GETTEXTCOLOR)); }

BOOL CListCtrl::SetTextColor(COLORREF color)
{
    return static_cast<BOOL>(SendMessage(LVM_SETTEXTCOLOR, 0, static_cast<LPARAM>(color)));
}

COLORREF CListCtrl::GetTextBkColor() const { return static_cast<COLORREF>(SendMessage(LVM_GETTEXTBKCOLOR)); }

BOOL CListCtrl::SetTextBkColor(COLORREF color)
{
    return static_cast<BOOL>(SendMessage(LVM_SETTEXTBKCOLOR, 0, static_cast<LPARAM>(color)));
}

void CListCtrl::DrawItem(LPDRAWITEMSTRUCT) {}

BOOL CListCtrl::OnChildNotify(UINT message, WPARAM wParam, LPARAM lParam, LRESULT* result)
{
    if (message != WM_DRAWITEM)
        return CWnd::OnChildNotify(message, wParam, lParam, result);
    DrawItem(reinterpret_cast<LPDRAWITEMSTRUCT>(lParam));
    if (result)
        *result = TRUE;
    return TRUE;
}
