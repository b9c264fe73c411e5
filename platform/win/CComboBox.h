// The combo box ("ComboBox"): a list of items with texts and item data, a selection, and a
// selection field that is an edit (CBS_DROPDOWN) or shows the selected item
// (CBS_DROPDOWNLIST). A sorted box (CBS_SORT) places added items by their text without
// regard to case. The window text is the selection field's text.
//
// Changes by the program notify nothing. A user's choice from the list notifies, in order:
// CBN_DROPDOWN (when the list was closed), CBN_SELCHANGE (when the selection changed),
// CBN_SELENDOK and CBN_CLOSEUP; closing the list without a choice CBN_SELENDCANCEL and
// CBN_CLOSEUP; each typed character CBN_EDITUPDATE and CBN_EDITCHANGE. The Up or Down arrow
// moves the selection: in an open list or an edit box with CBN_SELCHANGE, in a closed
// CBS_DROPDOWNLIST box with CBN_SELENDOK and then CBN_SELCHANGE. During CBN_SELCHANGE the edit
// of a CBS_DROPDOWN box still shows the old text.
//
// Owner-drawn boxes ask their parent for heights (WM_MEASUREITEM: the selection field and the
// items of a fixed-height box at creation, each item of a variable-height box when it is
// added) and draw through WM_DRAWITEM: the selection field with ODS_COMBOBOXEDIT and the
// selected item's index (-1 when none), the items of an open list below it.
#pragma once

#include "win/CWnd.h"

constexpr DWORD CBS_SIMPLE = 0x0001;
constexpr DWORD CBS_DROPDOWN = 0x0002;
constexpr DWORD CBS_DROPDOWNLIST = 0x0003;
constexpr DWORD CBS_OWNERDRAWFIXED = 0x0010;
constexpr DWORD CBS_OWNERDRAWVARIABLE = 0x0020;
constexpr DWORD CBS_AUTOHSCROLL = 0x0040;
constexpr DWORD CBS_SORT = 0x0100;
constexpr DWORD CBS_HASSTRINGS = 0x0200;
constexpr DWORD CBS_NOINTEGRALHEIGHT = 0x0400;
constexpr DWORD CBS_UPPERCASE = 0x2000;
constexpr DWORD CBS_LOWERCASE = 0x4000;

constexpr int CB_OKAY = 0;
constexpr int CB_ERR = -1;
constexpr int CB_ERRSPACE = -2;

constexpr UINT CB_GETEDITSEL = 0x0140;
constexpr UINT CB_LIMITTEXT = 0x0141;
constexpr UINT CB_SETEDITSEL = 0x0142;
constexpr UINT CB_ADDSTRING = 0x0143;
constexpr UINT CB_DELETESTRING = 0x0144;
constexpr UINT CB_GETCOUNT = 0x0146;
constexpr UINT CB_GETCURSEL = 0x0147;
constexpr UINT CB_GETLBTEXT = 0x0148;
constexpr UINT CB_GETLBTEXTLEN = 0x0149;
constexpr UINT CB_INSERTSTRING = 0x014A;
constexpr UINT CB_RESETCONTENT = 0x014B;
constexpr UINT CB_FINDSTRING = 0x014C;
constexpr UINT CB_SELECTSTRING = 0x014D;
constexpr UINT CB_SETCURSEL = 0x014E;
constexpr UINT CB_GETITEMDATA = 0x0150;
constexpr UINT CB_SETITEMDATA = 0x0151;
constexpr UINT CB_GETDROPPEDCONTROLRECT = 0x0152;
constexpr UINT CB_SETITEMHEIGHT = 0x0153;
constexpr UINT CB_GETITEMHEIGHT = 0x0154;
constexpr UINT CB_GETDROPPEDSTATE = 0x0157;
constexpr UINT CB_FINDSTRINGEXACT = 0x0158;

class CString;

class CComboBox : public CWnd {
public:
    BOOL Create(DWORD style, const RECT& rect, CWnd* parent, UINT id);

    int GetCount() const;
    int GetCurSel() const;
    // -1 (or an index past the end) removes the selection and empties the selection field.
    int SetCurSel(int index);
    DWORD_PTR GetItemData(int index) const;
    int SetItemData(int index, DWORD_PTR data);
    void* GetItemDataPtr(int index) const;
    int SetItemDataPtr(int index, void* data);
    int GetLBText(int index, LPTSTR buffer) const;
    void GetLBText(int index, CString& text) const;
    int GetLBTextLen(int index) const;

    // The new item's index, or CB_ERR.
    int AddString(LPCTSTR text);
    int InsertString(int index, LPCTSTR text);
    // The number of items left, or CB_ERR.
    int DeleteString(UINT index);
    void ResetContent();

    // Searches start after `startAfter` (-1: at the top) and go round; CB_ERR when nothing
    // matches. FindString and SelectString match the beginning of an item's text,
    // FindStringExact the whole text; none of them regards case, and an empty text finds
    // nothing.
    int FindString(int startAfter, LPCTSTR text) const;
    int FindStringExact(int startAfter, LPCTSTR text) const;
    int SelectString(int startAfter, LPCTSTR text);

    // The most the user may type into the edit (0: no limit).
    BOOL LimitText(int maxChars);
    DWORD GetEditSel() const;
    BOOL SetEditSel(int start, int end);
    // Screen rectangle of the open list together with the selection field.
    void GetDroppedControlRect(LPRECT rect) const;
    BOOL GetDroppedState() const;
    // -1: the selection field.
    int SetItemHeight(int index, UINT height);
    int GetItemHeight(int index) const;

    // Owner drawing, reached through the parent's WM_DRAWITEM and WM_MEASUREITEM.
    virtual void DrawItem(LPDRAWITEMSTRUCT dis);
    virtual void MeasureItem(LPMEASUREITEMSTRUCT mis);

protected:
    BOOL OnChildNotify(UINT message, WPARAM wParam, LPARAM lParam, LRESULT* result) override;
};
