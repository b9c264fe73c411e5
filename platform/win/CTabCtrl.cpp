#include "win/CTabCtrl.h"

BOOL CTabCtrl::Create(DWORD style, const RECT& rect, CWnd* parent, UINT id)
{
    return CWnd::Create("SysTabControl32", nullptr, style, rect, parent, id);
}

int CTabCtrl::GetItemCount() const { return static_cast<int>(SendMessage(TCM_GETITEMCOUNT)); }

int CTabCtrl::InsertItem(int index, LPCTSTR text)
{
    TCITEM item{TCIF_TEXT, 0, 0, const_cast<LPSTR>(text), 0, -1, 0};
    return InsertItem(index, &item);
}

int CTabCtrl::InsertItem(int index, LPCTSTR text, int image)
{
    TCITEM item{TCIF_TEXT | TCIF_IMAGE, 0, 0, const_cast<LPSTR>(text), 0, image, 0};
    return InsertItem(index, &item);
}

int CTabCtrl::InsertItem(int index, TCITEM* item)
{
    return static_cast<int>(SendMessage(TCM_INSERTITEM, static_cast<WPARAM>(index), reinterpret_cast<LPARAM>(item)));
}

BOOL CTabCtrl::GetItem(int index, TCITEM* item) const
{
    return static_cast<BOOL>(SendMessage(TCM_GETITEM, static_cast<WPARAM>(index), reinterpret_cast<LPARAM>(item)));
}

BOOL CTabCtrl::SetItem(int index, TCITEM* item)
{
    return static_cast<BOOL>(SendMessage(TCM_SETITEM, static_cast<WPARAM>(index), reinterpret_cast<LPARAM>(item)));
}

BOOL CTabCtrl::DeleteItem(int index)
{
    return static_cast<BOOL>(SendMessage(TCM_DELETEITEM, static_cast<WPARAM>(index)));
}

BOOL CTabCtrl::DeleteAllItems() { return static_cast<BOOL>(SendMessage(TCM_DELETEALLITEMS)); }

int CTabCtrl::GetCurSel() const { return static_cast<int>(SendMessage(TCM_GETCURSEL)); }

int CTabCtrl::SetCurSel(int index) { return static_cast<int>(SendMessage(TCM_SETCURSEL, static_cast<WPARAM>(index))); }
