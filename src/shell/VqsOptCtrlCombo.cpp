#include "shell/VqsOptCtrlCombo.h"

#include "shell/VqsOptCtrlComboValidators.h"
#include "shell/VqsWindowText.h"
#include "win/CDataExchange.h"

namespace {

CString ItemText(HWND combo, int index)
{
    const auto length = static_cast<int>(::SendMessage(combo, CB_GETLBTEXTLEN, static_cast<WPARAM>(index)));
    if (length < 0)
        return CString();
    CString text;
    ::SendMessage(combo, CB_GETLBTEXT, static_cast<WPARAM>(index),
                  reinterpret_cast<LPARAM>(text.GetBufferSetLength(length)));
    text.ReleaseBuffer(length);
    return text;
}

int ItemCount(HWND combo) { return static_cast<int>(::SendMessage(combo, CB_GETCOUNT)); }

void AddItem(HWND combo, const CString& text)
{
    ::SendMessage(combo, CB_ADDSTRING, 0, reinterpret_cast<LPARAM>(text.GetString()));
}

} // namespace

VqsOptCtrlCombo::VqsOptCtrlCombo(VqsDialogCtrlConnector* connector, UINT id, int validatorKind)
    : VqsOptCtrl(connector), m_pValidator(MakeComboValidators(validatorKind)), m_nID(static_cast<WORD>(id))
{
}

void VqsOptCtrlCombo::SetValue(const char* value)
{
    m_strValue = value;
    SetNotAvailableState(FALSE);
}

void VqsOptCtrlCombo::SetNotAvailable(UINT stringId)
{
    SetNotAvailableState(TRUE);
    m_strPlaceholder = LoadPlaceholder(stringId);
}

void VqsOptCtrlCombo::ShowNotAvailable(UINT stringId)
{
    SetNotAvailable(stringId);
    ShowPlaceholder(nullptr);
}

void VqsOptCtrlCombo::ExchangeValue(CDataExchange* pDX)
{
    if (!m_combo.m_hWnd) {
        DDX_Control(pDX, m_nID, m_combo);
        if (m_nTextLimit > 0)
            m_combo.LimitText(m_nTextLimit);
    }
    HWND combo = pDX->PrepareCtrl(m_nID);
    if (pDX->m_bSaveAndValidate) {
        m_strValue = GetSelectedText();
        const UINT message = m_pValidator->Validate(m_strValue, IsStrict());
        if (message && ::IsWindowEnabled(combo))
            FailWithMessage(pDX, message);
    } else {
        if (m_bPlaceholderInList) {
            ::SendMessage(combo, CB_DELETESTRING, 0);
            m_bPlaceholderInList = FALSE;
        }
        if (VqsGetWindowText(combo) != m_strValue)
            ShowText(combo, m_strValue);
        m_strShown = m_strValue;
    }
    // As for an edit: the limit bounds what the user enters, and a longer stored text is kept
    // while the user leaves it.
    if (m_nTextLimit > 0 && m_strValue != m_strShown)
        DDV_MaxChars(pDX, m_strValue, m_nTextLimit);
}

void VqsOptCtrlCombo::ShowPlaceholder(CDataExchange* pDX)
{
    HWND combo = pDX ? pDX->PrepareCtrl(m_nID) : GetCombo();
    if (!combo)
        return;
    if (!m_bPlaceholderInList)
        InsertPlaceholder(combo);
    ShowText(combo, m_strPlaceholder);
}

void VqsOptCtrlCombo::InsertPlaceholder(HWND combo)
{
    m_bPlaceholderInList =
        ::SendMessage(combo, CB_INSERTSTRING, 0, reinterpret_cast<LPARAM>(m_strPlaceholder.GetString())) == 0;
}

// The item whose whole text is this one, case aside, is selected ("pack1" selects "PACK1");
// otherwise the text is shown as if typed, so that the beginning of an item's text stays as
// it is.
void VqsOptCtrlCombo::ShowText(HWND combo, const char* text)
{
    const auto index = static_cast<int>(
        ::SendMessage(combo, CB_FINDSTRINGEXACT, static_cast<WPARAM>(-1), reinterpret_cast<LPARAM>(text)));
    if (index >= 0) {
        ::SendMessage(combo, CB_SETCURSEL, static_cast<WPARAM>(index));
        return;
    }
    VqsSetWindowText(combo, text);
    m_bChosenFromList = FALSE;
}

CString VqsOptCtrlCombo::GetSelectedText() const
{
    HWND combo = GetCombo();
    if (!combo)
        return CString();
    if (m_bChosenFromList) {
        const auto selected = static_cast<int>(::SendMessage(combo, CB_GETCURSEL));
        if (selected >= 0)
            return ItemText(combo, selected);
    }
    return VqsGetWindowText(combo);
}

void VqsOptCtrlCombo::OnCommand(UINT id, int code)
{
    if (id != m_nID)
        return;
    switch (code) {
    case CBN_SELCHANGE:
    case CBN_CLOSEUP:
    case CBN_SELENDOK:
        m_bChosenFromList = TRUE;
        break;
    case CBN_EDITCHANGE:
    case CBN_EDITUPDATE:
        m_bChosenFromList = FALSE;
        break;
    default:
        break;
    }
}

void VqsOptCtrlCombo::Enable(BOOL enable)
{
    if (HWND combo = GetCombo())
        ::EnableWindow(combo, enable);
}

BOOL VqsOptCtrlCombo::IsEnabled()
{
    HWND combo = GetCombo();
    return combo && ::IsWindowEnabled(combo);
}

void VqsOptCtrlCombo::SetReadOnly() { Enable(FALSE); }

void VqsOptCtrlCombo::Show(BOOL show)
{
    if (HWND combo = GetCombo())
        ::ShowWindow(combo, show ? SW_SHOW : SW_HIDE);
}

void VqsOptCtrlCombo::SaveState() { m_strSaved = m_strValue; }

BOOL VqsOptCtrlCombo::IsValueModified() { return IsEnabled() && GetSelectedText() != m_strSaved; }

BOOL VqsOptCtrlCombo::ControlDiffersFromSaved() { return GetCombo() && GetSelectedText() != m_strSaved; }

void VqsOptCtrlCombo::RestoreSavedValue() { m_strValue = m_strSaved; }

void VqsOptCtrlCombo::ShowValue()
{
    if (HWND combo = GetCombo())
        ShowText(combo, m_strValue);
}

void VqsOptCtrlCombo::SetTextLimit(int limit)
{
    m_nTextLimit = limit;
    if (HWND combo = GetCombo())
        ::SendMessage(combo, CB_LIMITTEXT, static_cast<WPARAM>(limit));
}

int VqsOptCtrlCombo::GetCurSel() const
{
    HWND combo = GetCombo();
    return combo ? static_cast<int>(::SendMessage(combo, CB_GETCURSEL)) : CB_ERR;
}

void VqsOptCtrlCombo::SetCurSel(int index)
{
    if (HWND combo = GetCombo())
        ::SendMessage(combo, CB_SETCURSEL, static_cast<WPARAM>(index));
}

int VqsOptCtrlCombo::FindExact(const char* text) const
{
    HWND combo = GetCombo();
    if (!combo)
        return -1;
    const auto index = static_cast<int>(
        ::SendMessage(combo, CB_FINDSTRINGEXACT, static_cast<WPARAM>(-1), reinterpret_cast<LPARAM>(text)));
    return index < 0 ? -1 : index;
}

void VqsOptCtrlCombo::SelectText(const char* text)
{
    if (HWND combo = GetCombo())
        ShowText(combo, text);
}

void VqsOptCtrlCombo::SetItems(const CStringList& items)
{
    HWND combo = GetCombo();
    if (!combo)
        return;
    ::SendMessage(combo, CB_RESETCONTENT);
    for (POSITION pos = items.GetHeadPosition(); pos;)
        AddItem(combo, items.GetNext(pos));
    if (m_bPlaceholderInList)
        InsertPlaceholder(combo);
}

void VqsOptCtrlCombo::SetItems(const CStringArray& items)
{
    HWND combo = GetCombo();
    if (!combo)
        return;
    ::SendMessage(combo, CB_RESETCONTENT);
    for (INT_PTR index = 0; index < items.GetSize(); ++index)
        AddItem(combo, items[index]);
    if (m_bPlaceholderInList)
        InsertPlaceholder(combo);
}

void VqsOptCtrlCombo::GetItems(CStringList& items) const
{
    HWND combo = GetCombo();
    if (!combo)
        return;
    const int count = ItemCount(combo);
    for (int index = 0; index < count; ++index)
        items.AddTail(ItemText(combo, index));
}
