// The edit control ("Edit"): single- or multi-line text (lines end in CR LF), a selection,
// a text limit, read-only and password forms, and one level of undo. Typed input follows the
// ES_NUMBER, ES_UPPERCASE and ES_LOWERCASE styles; text set by the program does not.
#pragma once

#include "win/CWnd.h"

constexpr DWORD ES_LEFT = 0x0000;
constexpr DWORD ES_CENTER = 0x0001;
constexpr DWORD ES_RIGHT = 0x0002;
constexpr DWORD ES_MULTILINE = 0x0004;
constexpr DWORD ES_UPPERCASE = 0x0008;
constexpr DWORD ES_LOWERCASE = 0x0010;
constexpr DWORD ES_PASSWORD = 0x0020;
constexpr DWORD ES_AUTOVSCROLL = 0x0040;
constexpr DWORD ES_AUTOHSCROLL = 0x0080;
constexpr DWORD ES_NOHIDESEL = 0x0100;
constexpr DWORD ES_READONLY = 0x0800;
constexpr DWORD ES_WANTRETURN = 0x1000;
constexpr DWORD ES_NUMBER = 0x2000;

constexpr UINT EM_GETSEL = 0x00B0;
constexpr UINT EM_SETSEL = 0x00B1;
constexpr UINT EM_SCROLLCARET = 0x00B7;
constexpr UINT EM_GETLINECOUNT = 0x00BA;
constexpr UINT EM_REPLACESEL = 0x00C2;
constexpr UINT EM_GETLINE = 0x00C4;
constexpr UINT EM_LIMITTEXT = 0x00C5;
constexpr UINT EM_SETLIMITTEXT = EM_LIMITTEXT;
constexpr UINT EM_CANUNDO = 0x00C6;
constexpr UINT EM_UNDO = 0x00C7;
constexpr UINT EM_SETPASSWORDCHAR = 0x00CC;
constexpr UINT EM_EMPTYUNDOBUFFER = 0x00CD;
constexpr UINT EM_SETREADONLY = 0x00CF;
constexpr UINT EM_GETPASSWORDCHAR = 0x00D2;
constexpr UINT EM_GETLIMITTEXT = 0x00D5;

// What a new edit lets the user type until EM_LIMITTEXT says otherwise.
constexpr UINT kDefaultEditLimit = 30000;

class CEdit : public CWnd {
public:
    BOOL Create(DWORD style, const RECT& rect, CWnd* parent, UINT id);

    // 0 gives the largest limit. The limit holds for typed and replaced text only.
    void LimitText(int maxChars = 0);
    void SetLimitText(UINT maxChars);
    UINT GetLimitText() const;
    BOOL SetReadOnly(BOOL readOnly = TRUE);
    void SetPasswordChar(TCHAR ch);
    TCHAR GetPasswordChar() const;

    // Byte offsets; SetSel (0, -1) selects everything, a start of -1 removes the selection.
    DWORD GetSel() const;
    void GetSel(int& start, int& end) const;
    void SetSel(int start, int end, BOOL noScroll = FALSE);
    void SetSel(DWORD selection, BOOL noScroll = FALSE);
    void ReplaceSel(LPCTSTR text, BOOL canUndo = FALSE);

    // Lines as shown (no word wrap): a multi-line edit has one more line than CR LF pairs.
    int GetLineCount() const;
    // EM_GETLINE: the buffer's first WORD holds its size; the line is copied without a
    // terminating zero unless there is room for one. Returns the bytes copied.
    int GetLine(int index, LPTSTR buffer) const;
    int GetLine(int index, LPTSTR buffer, int maxLength) const;

    BOOL CanUndo() const;
    // Takes back the last change; a second Undo takes back the Undo.
    BOOL Undo();
    void EmptyUndoBuffer();
};
