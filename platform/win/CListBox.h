// The list box ("ListBox"): items with texts and item data, sorted (LBS_SORT, without regard
// to case) or in the order given, with one selection or many (LBS_MULTIPLESEL,
// LBS_EXTENDEDSEL). Changes by the program notify nothing; with LBS_NOTIFY a user's click
// notifies LBN_SELCHANGE (also on the selected item) and a double click LBN_DBLCLK after it.
// A check list box (CCheckListBox.h) keeps a check state per item here as well.
#pragma once

#include "win/CWnd.h"

constexpr DWORD LBS_NOTIFY = 0x0001;
constexpr DWORD LBS_SORT = 0x0002;
constexpr DWORD LBS_MULTIPLESEL = 0x0008;
constexpr DWORD LBS_OWNERDRAWFIXED = 0x0010;
constexpr DWORD LBS_OWNERDRAWVARIABLE = 0x0020;
constexpr DWORD LBS_HASSTRINGS = 0x0040;
constexpr DWORD LBS_USETABSTOPS = 0x0080;
constexpr DWORD LBS_NOINTEGRALHEIGHT = 0x0100;
constexpr DWORD LBS_EXTENDEDSEL = 0x0800;

constexpr int LB_OKAY = 0;
constexpr int LB_ERR = -1;
constexpr int LB_ERRSPACE = -2;

constexpr UINT LB_ADDSTRING = 0x0180;
constexpr UINT LB_INSERTSTRING = 0x0181;
constexpr UINT LB_DELETESTRING = 0x0182;
constexpr UINT LB_RESETCONTENT = 0x0184;
constexpr UINT LB_SETSEL = 0x0185;
constexpr UINT LB_SETCURSEL = 0x0186;
constexpr UINT LB_GETSEL = 0x0187;
constexpr UINT LB_GETCURSEL = 0x0188;
constexpr UINT LB_GETTEXT = 0x0189;
constexpr UINT LB_GETTEXTLEN = 0x018A;
constexpr UINT LB_GETCOUNT = 0x018B;
constexpr UINT LB_SELECTSTRING = 0x018C;
constexpr UINT LB_FINDSTRING = 0x018F;
constexpr UINT LB_GETSELCOUNT = 0x0190;
constexpr UINT LB_GETSELITEMS = 0x0191;
constexpr UINT LB_GETITEMDATA = 0x0199;
constexpr UINT LB_SETITEMDATA = 0x019A;
constexpr UINT LB_SETITEMHEIGHT = 0x01A0;
constexpr UINT LB_GETITEMHEIGHT = 0x01A1;
constexpr UINT LB_FINDSTRINGEXACT = 0x01A2;

class CString;

class CListBox : public CWnd {
public:
    BOOL Create(DWORD style, const RECT& rect, CWnd* parent, UINT id);

    int GetCount() const;
    // One selection: the selected item or LB_ERR. Many: the item with the caret.
    int GetCurSel() const;
    // Only for a box of one selection; -1 removes the selection.
    int SetCurSel(int index);
    // Only for a box of many selections; index -1 is every item.
    int SetSel(int index, BOOL select = TRUE);
    int GetSel(int index) const;
    int GetSelCount() const;
    int GetSelItems(int maxItems, LPINT items) const;

    int GetText(int index, LPTSTR buffer) const;
    void GetText(int index, CString& text) const;
    int GetTextLen(int index) const;
    DWORD_PTR GetItemData(int index) const;
    int SetItemData(int index, DWORD_PTR data);
    void* GetItemDataPtr(int index) const;
    int SetItemDataPtr(int index, void* data);
    int SetItemHeight(int index, UINT height);
    int GetItemHeight(int index) const;

    int AddString(LPCTSTR text);
    int InsertString(int index, LPCTSTR text);
    int DeleteString(UINT index);
    void ResetContent();
    // As the combo box's searches (CComboBox.h).
    int FindString(int startAfter, LPCTSTR text) const;
    int FindStringExact(int startAfter, LPCTSTR text) const;
    int SelectString(int startAfter, LPCTSTR text);

    // Owner drawing, reached through the parent's WM_DRAWITEM and WM_MEASUREITEM.
    virtual void DrawItem(LPDRAWITEMSTRUCT dis);
    virtual void MeasureItem(LPMEASUREITEMSTRUCT mis);

protected:
    BOOL OnChildNotify(UINT message, WPARAM wParam, LPARAM lParam, LRESULT* result) override;
};
