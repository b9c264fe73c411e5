#include "shell/VqsOptCtrlInt.h"

#include "shell/VqsWindowText.h"
#include "win/CDataExchange.h"

#include <cctype>
#include <cstdint>
#include <limits>

namespace {

constexpr UINT kEnterInteger = 61508;
constexpr UINT kAtLeast = 61509;
constexpr UINT kAtMost = 61510;
constexpr UINT kInRange = 61511;

constexpr LONGLONG kLowest = std::numeric_limits<LONGLONG>::min();
constexpr LONGLONG kHighest = std::numeric_limits<LONGLONG>::max();

enum class Parsed { Number, Blank, SignOnly, NotANumber, Overflow };

bool IsBlank(char c) { return std::isspace(static_cast<unsigned char>(c)) != 0; }
bool IsDigit(char c) { return c >= '0' && c <= '9'; }

// A decimal number with an optional sign and blanks around it, and nothing else; a sign
// alone is the start of a number.
Parsed ParseNumber(const std::string& text, LONGLONG& number)
{
    std::size_t at = 0;
    while (at < text.size() && IsBlank(text[at]))
        ++at;
    if (at == text.size())
        return Parsed::Blank;
    const bool negative = text[at] == '-';
    const bool sign = negative || text[at] == '+';
    if (sign)
        ++at;
    const std::size_t firstDigit = at;
    const std::uint64_t limit = negative ? std::uint64_t{1} << 63 : static_cast<std::uint64_t>(kHighest);
    std::uint64_t magnitude = 0;
    bool overflow = false;
    for (; at < text.size() && IsDigit(text[at]); ++at) {
        const auto digit = static_cast<std::uint64_t>(text[at] - '0');
        overflow = overflow || magnitude > (limit - digit) / 10;
        if (!overflow)
            magnitude = magnitude * 10 + digit;
    }
    const bool noDigits = at == firstDigit;
    while (at < text.size() && IsBlank(text[at]))
        ++at;
    if (noDigits)
        return sign && at == text.size() ? Parsed::SignOnly : Parsed::NotANumber;
    if (at != text.size())
        return Parsed::NotANumber;
    if (overflow)
        return Parsed::Overflow;
    number = negative ? static_cast<LONGLONG>(0 - magnitude) : static_cast<LONGLONG>(magnitude);
    return Parsed::Number;
}

CString Formatted(LONGLONG number)
{
    CString text;
    text.Format("%lld", static_cast<long long>(number));
    return text;
}

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
        VqsSetWindowText(edit, Formatted(m_nValue));
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
    switch (ParseNumber(VqsGetWindowText(edit).str(), number)) {
    case Parsed::SignOnly:
        // A negative number being typed: only the final check refuses it.
        if (!IsStrict())
            return;
        FailWithMessage(pDX, kEnterInteger);
    case Parsed::NotANumber:
        FailWithMessage(pDX, kEnterInteger);
    case Parsed::Overflow:
        FailWithRange(pDX, TRUE);
    case Parsed::Blank:
        number = BlankValue();
        VqsSetWindowText(edit, Formatted(number));
        break;
    case Parsed::Number:
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
    const CString lowest = Formatted(m_bHasMinimum ? m_nMinimum : kLowest);
    const CString highest = Formatted(m_bHasMaximum ? m_nMaximum : kHighest);
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
    return edit && VqsGetWindowText(edit) != Formatted(m_nSaved);
}

void VqsOptCtrlInt::RestoreSavedValue() { m_nValue = m_nSaved; }

void VqsOptCtrlInt::ShowValue() { VqsSetWindowText(GetOwnerItem(m_nID), Formatted(m_nValue)); }
