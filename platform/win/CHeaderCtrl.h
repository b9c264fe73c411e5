// The class library's header control over a "SysHeader32" window (see HeaderCtrl.h).
#pragma once

#include "win/CWnd.h"
#include "win/HeaderCtrl.h"

class CHeaderCtrl : public CWnd {
public:
    int GetItemCount() const;
    BOOL GetItem(int index, HDITEM* item) const;
    BOOL SetItem(int index, HDITEM* item);
    int InsertItem(int index, HDITEM* item);
    BOOL DeleteItem(int index);
    BOOL GetItemRect(int index, LPRECT rect) const;
};
