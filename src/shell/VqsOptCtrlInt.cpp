#include "shell/VqsOptCtrlInt.h"

#include "shell/VqsIntegerText.h"
#include "shell/VqsWindowText.h"
#include "win/CDataExchange.h"

#include <limits>

namespace {

constexpr UINT kEnterInteger = 61508;
constexpr UINT kAtLeast = 61509;
constexpr UINT kAtMost = 61510;
constexpr UINT kInRange = 61511;

constexpr LONGLONG kLowest = std::numeric_limits<LONGLONG>::min();
constexpr LONGLONG kHighest = std::numeric_limits<LONGLONG>::max();

} // namespace

VqsOptCtrlInt::VqsOptCtrlInt(VqsDialogCtrlConnector* connector, UINT id)
    : VqsOptCtrl(connector), m_nID(static_cast<WORD>(id))
{
}

void VqsOptCtrlInt::SetValue(LONGLONG value)
{
    m_nValue = value;
    SetNotAvailableState(FALSE);
}

void VqsOptCtrlInt::SetNotAvailable() { SetNotAvailableState(TRUE); }

void VqsOptCtrlInt::SetMinimum(LONGLONG minimum)
{
    m_bHasMinimum = TRUE;
    m_nMinimum = minimum;
    if (m_nValue < minimum)
        m_nValue = minimum;
    if (m_nSaved < minimum)
        m_nSaved = minimum;
    ApplyInputStyle();
}

void VqsOptCtrlInt::SetMaximum(LONGLONG maximum)
{
    m_bHasMaximum = TRUE;
    m_nMaximum = maximum;
    if (m_nValue > maximum)
        m_nValue = maximum;
    if (m_nSaved > maximum)
        m_nSaved = maximum;
}

void VqsOptCtrlInt::SetTextLimit(int limit, int)
{
    m_nTextLimit = limit;
    if (HWND edit = GetOwnerItem(m_nID))
        ::SendMessage(edit, EM_LIMITTEXT, static_cast<WPARAM>(limit));
}

void VqsOptCtrlInt::ExchangeValue(CDataExchange* pDX)
{
    Bind(pDX);
    HWND edit = pDX->PrepareEditCtrl(m_nID);
    if (pDX->m_bSaveAndValidate)
        Store(pDX, edit);
    else
        VqsSetWindowTextKeepCaret(edit, VqsFormatInteger(m_nValue));
}

void VqsOptCtrlInt::Bind(CDataExchange* pDX)
{
    if (m_edit.m_hWnd)
        return;
    DDX_Control(pDX, m_nID, m_edit);
    ApplyInputStyle();
    if (m_nTextLimit > 0)
        m_edit.LimitText(m_nTextLimit);
}

void VqsOptCtrlInt::ApplyInputStyle()
{
    if (!m_edit.m_hWnd)
        return;
    if (m_bHasMinimum && m_nMinimum >= 0)
        m_edit.ModifyStyle(0, ES_NUMBER);
    else
        m_edit.ModifyStyle(ES_NUMBER, 0);
}

void VqsOptCtrlInt::Store(CDataExchange* pDX, HWND edit)
{
    LONGLONG number = 0;
    switch (VqsParseInteger(VqsGetWindowText(edit).str(), number)) {
    case VqsIntegerParse::SignOnly:
        // A negative number being typed: only the final check refuses it.
        if (!IsStrict())
            return;
        FailWithMessage(pDX, kEnterInteger);
    case VqsIntegerParse::NotANumber:
        FailWithMessage(pDX, kEnterInteger);
    case VqsIntegerParse::Overflow:
        FailWithRange(pDX, TRUE);
    case VqsIntegerParse::Blank:
        number = BlankValue();
        VqsSetWindowTextKeepCaret(edit, VqsFormatInteger(number));
        break;
    case VqsIntegerParse::Number:
        break;
    }
    if (IsStrict() && IsOutOfRange(number))
        FailWithRange(pDX, FALSE);
    m_nValue = number;
}

LONGLONG VqsOptCtrlInt::BlankValue() const
{
    if (m_bHasMinimum)
        return m_nMinimum;
    if (m_bHasMaximum && m_nMaximum < 0)
        return m_nMaximum;
    return 0;
}

BOOL VqsOptCtrlInt::IsOutOfRange(LONGLONG number) const
{
    return (m_bHasMinimum && number < m_nMinimum) || (m_bHasMaximum && number > m_nMaximum);
}

// The bounds in the message are those set; a number too large for any bound is told the
// whole range it may have.
void VqsOptCtrlInt::FailWithRange(CDataExchange* pDX, BOOL wholeRange)
{
    const CString lowest = VqsFormatInteger(m_bHasMinimum ? m_nMinimum : kLowest);
    const CString highest = VqsFormatInteger(m_bHasMaximum ? m_nMaximum : kHighest);
    CString text;
    if (wholeRange || (m_bHasMinimum && m_bHasMaximum))
        text.FormatMessage(kInRange, lowest, highest);
    else if (m_bHasMaximum)
        text.FormatMessage(kAtMost, highest);
    else
        text.FormatMessage(kAtLeast, lowest);
    FailWithText(pDX, text);
}

void VqsOptCtrlInt::ShowPlaceholder(CDataExchange* pDX)
{
    HWND edit = pDX ? pDX->PrepareEditCtrl(m_nID) : GetOwnerItem(m_nID);
    VqsSetWindowText(edit, LoadPlaceholder(0));
}

void VqsOptCtrlInt::Enable(BOOL enable)
{
    if (HWND edit = GetOwnerItem(m_nID))
        ::EnableWindow(edit, enable);
}

BOOL VqsOptCtrlInt::IsEnabled()
{
    HWND edit = GetOwnerItem(m_nID);
    return edit && ::IsWindowEnabled(edit);
}

void VqsOptCtrlInt::SetReadOnly()
{
    if (HWND edit = GetOwnerItem(m_nID))
        ::SendMessage(edit, EM_SETREADONLY, TRUE);
}

void VqsOptCtrlInt::Show(BOOL show)
{
    if (HWND edit = GetOwnerItem(m_nID))
        ::ShowWindow(edit, show ? SW_SHOW : SW_HIDE);
}

void VqsOptCtrlInt::SaveState() { m_nSaved = m_nValue; }

BOOL VqsOptCtrlInt::IsValueModified() { return IsEnabled() && m_nValue != m_nSaved; }

BOOL VqsOptCtrlInt::ControlDiffersFromSaved()
{
    HWND edit = GetOwnerItem(m_nID);
    return edit && VqsGetWindowText(edit) != VqsFormatInteger(m_nSaved);
}

void VqsOptCtrlInt::RestoreSavedValue() { m_nValue = m_nSaved; }

void VqsOptCtrlInt::ShowValue() { VqsSetWindowTextKeepCaret(GetOwnerItem(m_nID), VqsFormatInteger(m_nValue)); }
