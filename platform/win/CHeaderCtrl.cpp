#include "win/CHeaderCtrl.h"

int CHeaderCtrl::GetItemCount() const { return static_cast<int>(SendMessage(HDM_GETITEMCOUNT)); }

BOOL CHeaderCtrl::GetItem(int index, HDITEM* item) const
{
    return static_cast<BOOL>(SendMessage(HDM_GETITEM, static_cast<WPARAM>(index), reinterpret_cast<LPARAM>(item)));
}

BOOL CHeaderCtrl::SetItem(int index, HDITEM* item)
{
    return static_cast<BOOL>(SendMessage(HDM_SETITEM, static_cast<WPARAM>(index), reinterpret_cast<LPARAM>(item)));
}

int CHeaderCtrl::InsertItem(int index, HDITEM* item)
{
    return static_cast<int>(SendMessage(HDM_INSERTITEM, static_cast<WPARAM>(index), reinterpret_cast<LPARAM>(item)));
}

BOOL CHeaderCtrl::DeleteItem(int index)
{
    return static_cast<BOOL>(SendMessage(HDM_DELETEITEM, static_cast<WPARAM>(index)));
}

BOOL CHeaderCtrl::GetItemRect(int index, LPRECT rect) const
{
    return static_cast<BOOL>(SendMessage(HDM_GETITEMRECT, static_cast<WPARAM>(index), reinterpret_cast<LPARAM>(rect)));
}
