#include "win/CEdit.h"

#include <algorithm>
#include <cstring>

BOOL CEdit::Create(DWORD style, const RECT& rect, CWnd* parent, UINT id)
{
    return CWnd::Create("Edit", nullptr, style, rect, parent, id);
}

void CEdit::LimitText(int maxChars) { SendMessage(EM_LIMITTEXT, static_cast<WPARAM>(std::max(maxChars, 0))); }

void CEdit::SetLimitText(UINT maxChars) { SendMessage(EM_SETLIMITTEXT, maxChars); }

UINT CEdit::GetLimitText() const { return static_cast<UINT>(SendMessage(EM_GETLIMITTEXT)); }

BOOL CEdit::SetReadOnly(BOOL readOnly) { return static_cast<BOOL>(SendMessage(EM_SETREADONLY, readOnly)); }

void CEdit::SetPasswordChar(TCHAR ch) { SendMessage(EM_SETPASSWORDCHAR, static_cast<unsigned char>(ch)); }

TCHAR CEdit::GetPasswordChar() const { return static_cast<TCHAR>(SendMessage(EM_GETPASSWORDCHAR)); }

DWORD CEdit::GetSel() const { return static_cast<DWORD>(SendMessage(EM_GETSEL)); }

void CEdit::GetSel(int& start, int& end) const
{
    DWORD first = 0;
    DWORD last = 0;
    SendMessage(EM_GETSEL, reinterpret_cast<WPARAM>(&first), reinterpret_cast<LPARAM>(&last));
    start = static_cast<int>(first);
    end = static_cast<int>(last);
}

void CEdit::SetSel(int start, int end, BOOL noScroll)
{
    SendMessage(EM_SETSEL, static_cast<WPARAM>(start), end);
    if (!noScroll)
        SendMessage(EM_SCROLLCARET);
}

void CEdit::SetSel(DWORD selection, BOOL noScroll)
{
    SetSel(static_cast<short>(LOWORD(selection)), static_cast<short>(HIWORD(selection)), noScroll);
}

void CEdit::ReplaceSel(LPCTSTR text, BOOL canUndo)
{
    SendMessage(EM_REPLACESEL, static_cast<WPARAM>(canUndo), reinterpret_cast<LPARAM>(text));
}

int CEdit::GetLineCount() const { return static_cast<int>(SendMessage(EM_GETLINECOUNT)); }

int CEdit::GetLine(int index, LPTSTR buffer) const
{
    return static_cast<int>(SendMessage(EM_GETLINE, static_cast<WPARAM>(index), reinterpret_cast<LPARAM>(buffer)));
}

int CEdit::GetLine(int index, LPTSTR buffer, int maxLength) const
{
    if (!buffer || maxLength < static_cast<int>(sizeof(WORD)))
        return 0;
    const auto size = static_cast<WORD>(std::min(maxLength, 0xFFFF));
    std::memcpy(buffer, &size, sizeof size);
    return GetLine(index, buffer);
}

BOOL CEdit::CanUndo() const { return static_cast<BOOL>(SendMessage(EM_CANUNDO)); }

BOOL CEdit::Undo() { return static_cast<BOOL>(SendMessage(EM_UNDO)); }

void CEdit::EmptyUndoBuffer() { SendMessage(EM_EMPTYUNDOBUFFER); }
