#include "win/CDataExchange.h"

#include "win/CButton.h"
#include "win/CComboBox.h"
#include "win/CEdit.h"
#include "win/CString.h"
#include "win/CWnd.h"
#include "win/UiDriver.h"

#include <cctype>
#include <climits>
#include <stdexcept>
#include <string>

namespace {

CString WindowText(HWND hwnd)
{
    CString text;
    const int length = ::GetWindowTextLength(hwnd);
    ::GetWindowText(hwnd, text.GetBufferSetLength(length), length + 1);
    text.ReleaseBuffer();
    return text;
}

void SetWindowTextIfDifferent(HWND hwnd, const char* text)
{
    if (WindowText(hwnd) != text)
        ::SetWindowText(hwnd, text);
}

// A decimal integer with optional blanks around it and an optional sign.
bool ParseInteger(const CString& text, int& value)
{
    const std::string& s = text.str();
    std::size_t i = 0;
    while (i < s.size() && std::isspace(static_cast<unsigned char>(s[i])))
        ++i;
    const bool negative = i < s.size() && s[i] == '-';
    if (i < s.size() && (s[i] == '-' || s[i] == '+'))
        ++i;
    const std::size_t digitsStart = i;
    long long number = 0;
    while (i < s.size() && std::isdigit(static_cast<unsigned char>(s[i]))) {
        number = number * 10 + (s[i] - '0');
        if (number > static_cast<long long>(INT_MAX) + 1)
            return false;
        ++i;
    }
    if (i == digitsStart)
        return false;
    while (i < s.size() && std::isspace(static_cast<unsigned char>(s[i])))
        ++i;
    if (i != s.size())
        return false;
    number = negative ? -number : number;
    if (number > INT_MAX)
        return false;
    value = static_cast<int>(number);
    return true;
}

[[noreturn]] void FailWithMessage(CDataExchange* pDX, const CString& text)
{
    AfxMessageBox(text, MB_ICONEXCLAMATION, 0);
    pDX->Fail();
}

} // namespace

CDataExchange::CDataExchange(CWnd* dlgWnd, BOOL saveAndValidate) : m_bSaveAndValidate(saveAndValidate), m_pDlgWnd(dlgWnd)
{
}

HWND CDataExchange::PrepareCtrl(int id)
{
    HWND control = ::GetDlgItem(m_pDlgWnd->m_hWnd, id);
    if (!control)
        throw std::logic_error("data exchange with control " + std::to_string(id) + ", which the dialog does not have");
    m_hWndLastControl = control;
    m_idLastControl = static_cast<UINT>(id);
    m_bEditLastControl = FALSE;
    return control;
}

HWND CDataExchange::PrepareEditCtrl(int id)
{
    HWND control = PrepareCtrl(id);
    m_bEditLastControl = TRUE;
    return control;
}

void CDataExchange::Fail()
{
    if (m_hWndLastControl && ::IsWindow(m_hWndLastControl)) {
        ::SetFocus(m_hWndLastControl);
        if (m_bEditLastControl)
            ::SendMessage(m_hWndLastControl, EM_SETSEL, 0, -1);
    }
    throw CUserException();
}

void DDX_Text(CDataExchange* pDX, int id, CString& value)
{
    HWND control = pDX->PrepareEditCtrl(id);
    if (pDX->m_bSaveAndValidate)
        value = WindowText(control);
    else
        SetWindowTextIfDifferent(control, value);
}

void DDX_Text(CDataExchange* pDX, int id, int& value)
{
    HWND control = pDX->PrepareEditCtrl(id);
    if (!pDX->m_bSaveAndValidate) {
        CString text;
        text.Format("%d", value);
        SetWindowTextIfDifferent(control, text);
        return;
    }
    int parsed = 0;
    if (!ParseInteger(WindowText(control), parsed))
        FailWithMessage(pDX, "Please enter an integer.");
    value = parsed;
}

void DDX_Check(CDataExchange* pDX, int id, int& value)
{
    HWND control = pDX->PrepareCtrl(id);
    if (pDX->m_bSaveAndValidate) {
        value = static_cast<int>(::SendMessage(control, BM_GETCHECK));
        return;
    }
    if (value < 0 || value > 2)
        value = 0;
    ::SendMessage(control, BM_SETCHECK, static_cast<WPARAM>(value));
}

void DDX_CBIndex(CDataExchange* pDX, int id, int& index)
{
    HWND control = pDX->PrepareCtrl(id);
    if (pDX->m_bSaveAndValidate)
        index = static_cast<int>(::SendMessage(control, CB_GETCURSEL));
    else
        ::SendMessage(control, CB_SETCURSEL, static_cast<WPARAM>(index));
}

void DDX_Control(CDataExchange* pDX, int id, CWnd& control)
{
    if (control.m_hWnd)
        return;
    HWND hwnd = pDX->PrepareCtrl(id);
    if (!control.SubclassWindow(hwnd))
        throw std::logic_error("control " + std::to_string(id) + " is already attached to another object");
}

void DDV_MaxChars(CDataExchange* pDX, const CString& value, int count)
{
    if (!pDX->m_bSaveAndValidate) {
        if (pDX->m_hWndLastControl && pDX->m_bEditLastControl)
            ::SendMessage(pDX->m_hWndLastControl, EM_LIMITTEXT, static_cast<WPARAM>(count));
        return;
    }
    if (value.GetLength() > count)
        FailWithMessage(pDX, MaxCharsMessage(count));
}

CString MaxCharsMessage(int count)
{
    CString text;
    text.FormatMessage("Please enter no more than %1 characters.", std::to_string(count).c_str());
    return text;
}

void DDV_MinMaxInt(CDataExchange* pDX, int value, int minimum, int maximum)
{
    if (!pDX->m_bSaveAndValidate || (value >= minimum && value <= maximum))
        return;
    CString text;
    text.FormatMessage("Please enter an integer between %1 and %2.", std::to_string(minimum).c_str(),
                       std::to_string(maximum).c_str());
    FailWithMessage(pDX, text);
}
