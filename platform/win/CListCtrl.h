// The class library's list control over a "SysListView32" window (see ListView.h). It keeps
// no state of its own: everything is in the window, so a list made from a dialog template
// can be subclassed later and keeps its rows.
#pragma once

#include "win/CWnd.h"
#include "win/ListView.h"

class CHeaderCtrl;
class CImageList;
class CString;

class CListCtrl : public CWnd {
public:
    BOOL Create(DWORD style, const RECT& rect, CWnd* parent, UINT id);
    BOOL CreateEx(DWORD exStyle, DWORD style, const RECT& rect, CWnd* parent, UINT id);

    // Rows.
    int GetItemCount() const;
    BOOL SetItemCount(int count);
    BOOL SetItemCountEx(int count, DWORD flags = LVSICF_NOINVALIDATEALL);
    int InsertItem(const LVITEM* item);
    int InsertItem(int index, LPCTSTR text);
    int InsertItem(int index, LPCTSTR text, int image);
    int InsertItem(UINT mask, int index, LPCTSTR text, UINT state, UINT stateMask, int image, LPARAM param);
    BOOL DeleteItem(int index);
    BOOL DeleteAllItems();
    BOOL GetItem(LVITEM* item) const;
    BOOL SetItem(const LVITEM* item);
    BOOL SetItem(int index, int subItem, UINT mask, LPCTSTR text, int image, UINT state, UINT stateMask, LPARAM param);
    // The whole text, however long.
    CString GetItemText(int index, int subItem) const;
    int GetItemText(int index, int subItem, LPTSTR buffer, int size) const;
    BOOL SetItemText(int index, int subItem, LPCTSTR text);
    DWORD_PTR GetItemData(int index) const;
    BOOL SetItemData(int index, DWORD_PTR data);
    UINT GetItemState(int index, UINT mask) const;
    BOOL SetItemState(int index, UINT state, UINT mask);
    BOOL SetItemState(int index, LVITEM* item);
    // The check box of a row of a list with LVS_EX_CHECKBOXES.
    BOOL GetCheck(int index) const;
    BOOL SetCheck(int index, BOOL check = TRUE);
    UINT GetSelectedCount() const;
    int GetNextItem(int start, int flags) const;
    int FindItem(LVFINDINFO* find, int start = -1) const;
    BOOL SortItems(PFNLVCOMPARE compare, DWORD_PTR data);

    // Geometry and scrolling.
    int HitTest(LVHITTESTINFO* info) const;
    int HitTest(CPoint point, UINT* flags = nullptr) const;
    int SubItemHitTest(LVHITTESTINFO* info) const;
    BOOL GetItemRect(int index, LPRECT rect, UINT code) const;
    BOOL GetSubItemRect(int index, int subItem, int area, CRect& rect) const;
    BOOL EnsureVisible(int index, BOOL partialOk);
    BOOL Scroll(CSize size);
    int GetTopIndex() const;
    int GetCountPerPage() const;
    BOOL RedrawItems(int first, int last);

    // Columns.
    int InsertColumn(int column, const LVCOLUMN* source);
    // The sub-item is given only when it is not -1, the width only when it is not -1.
    int InsertColumn(int column, LPCTSTR heading, int format = LVCFMT_LEFT, int width = -1, int subItem = -1);
    BOOL DeleteColumn(int column);
    BOOL GetColumn(int column, LVCOLUMN* target) const;
    BOOL SetColumn(int column, const LVCOLUMN* source);
    int GetColumnWidth(int column) const;
    BOOL SetColumnWidth(int column, int width);
    // The header, the list's first child window.
    CHeaderCtrl* GetHeaderCtrl() const;

    // Images, styles, colours.
    CImageList* SetImageList(CImageList* list, int kind);
    CImageList* GetImageList(int kind) const;
    DWORD GetExtendedStyle() const;
    DWORD SetExtendedStyle(DWORD style);
    COLORREF GetBkColor() const;
    BOOL SetBkColor(COLORREF color);
    COLORREF GetTextColor() const;
    BOOL SetTextColor(COLORREF color);
    COLORREF GetTextBkColor() const;
    BOOL SetTextBkColor(COLORREF color);

    // Owner-drawn rows (LVS_OWNERDRAWFIXED) come here from the parent's WM_DRAWITEM.
    virtual void DrawItem(LPDRAWITEMSTRUCT drawItem);
    BOOL OnChildNotify(UINT message, WPARAM wParam, LPARAM lParam, LRESULT* result) override;
};
