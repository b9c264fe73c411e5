#include "shell/VqsOptCtrlString.h"

#include "shell/VqsOptCtrlStringValidators.h"
#include "shell/VqsWindowText.h"
#include "win/CDataExchange.h"

void VqsOptCtrlString::Validator::SetStyle(CEdit&) const {}

VqsOptCtrlString::VqsOptCtrlString(VqsDialogCtrlConnector* connector, UINT id, int maxLength, int validatorKind)
    : VqsOptCtrl(connector), m_pValidator(MakeStringValidators(validatorKind)), m_nID(static_cast<WORD>(id)),
      m_nMaxLength(maxLength)
{
}

void VqsOptCtrlString::SetValue(const char* value)
{
    m_strValue = value;
    SetNotAvailableState(FALSE);
}

void VqsOptCtrlString::SetNotAvailable(UINT stringId)
{
    SetNotAvailableState(TRUE);
    m_strPlaceholder = LoadPlaceholder(stringId);
}

void VqsOptCtrlString::ExchangeValue(CDataExchange* pDX)
{
    if (!m_edit.m_hWnd) {
        DDX_Control(pDX, m_nID, m_edit);
        m_pValidator->SetStyle(m_edit);
    }
    DDX_Text(pDX, m_nID, m_strValue);
    if (!pDX->m_bSaveAndValidate) {
        m_strShown = m_strValue;
        if (m_nMaxLength > 0 && pDX->m_bEditLastControl)
            ::SendMessage(pDX->m_hWndLastControl, EM_LIMITTEXT, static_cast<WPARAM>(m_nMaxLength));
        return;
    }
    if (IsWritable()) {
        if (const UINT message = m_pValidator->Validate(m_strValue, IsStrict()))
            FailWithMessage(pDX, message);
    }
    // The edit's limit bounds what the user types, not a text the program shows: a longer
    // stored text is kept whole while the user leaves it, and one the user shortened, but not
    // enough, is refused on OK with a message (never without one).
    if (m_nMaxLength > 0 && m_strValue.GetLength() > m_nMaxLength && IsStrict() && m_strValue != m_strShown)
        FailWithText(pDX, MaxCharsMessage(m_nMaxLength));
}

BOOL VqsOptCtrlString::IsWritable() const
{
    return !(m_edit.GetStyle() & ES_READONLY) && m_edit.IsWindowEnabled();
}

void VqsOptCtrlString::ShowPlaceholder(CDataExchange* pDX)
{
    VqsSetWindowText(pDX ? pDX->PrepareEditCtrl(m_nID) : GetEdit(), m_strPlaceholder);
}

void VqsOptCtrlString::Enable(BOOL enable)
{
    if (HWND edit = GetEdit())
        ::EnableWindow(edit, enable);
}

BOOL VqsOptCtrlString::IsEnabled()
{
    HWND edit = GetEdit();
    return edit && ::IsWindowEnabled(edit);
}

void VqsOptCtrlString::SetReadOnly()
{
    if (HWND edit = GetEdit())
        ::SendMessage(edit, EM_SETREADONLY, TRUE);
}

void VqsOptCtrlString::Show(BOOL show)
{
    if (HWND edit = GetEdit())
        ::ShowWindow(edit, show ? SW_SHOW : SW_HIDE);
}

void VqsOptCtrlString::SaveState() { m_strSaved = m_strValue; }

BOOL VqsOptCtrlString::IsValueModified() { return IsEnabled() && GetControlText() != m_strSaved; }

BOOL VqsOptCtrlString::ControlDiffersFromSaved()
{
    HWND edit = GetEdit();
    return edit && VqsGetWindowText(edit) != m_strSaved;
}

void VqsOptCtrlString::RestoreSavedValue() { m_strValue = m_strSaved; }

void VqsOptCtrlString::ShowValue() { VqsSetWindowTextKeepCaret(GetEdit(), m_strValue); }

CString VqsOptCtrlString::GetControlText() const
{
    HWND edit = GetEdit();
    return edit ? VqsGetWindowText(edit) : CString();
}

void VqsOptCtrlString::SetControlText(const char* text)
{
    if (HWND edit = GetEdit())
        ::SetWindowText(edit, text);
}

void VqsOptCtrlString::SetFocus()
{
    if (HWND edit = GetEdit())
        ::SetFocus(edit);
}
