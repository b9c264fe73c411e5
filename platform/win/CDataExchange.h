// Dialog data exchange: moving values between a dialog's members and its controls, and
// validating them on the way back.
//
//   void VqsFindObjectDlg::DoDataExchange(CDataExchange* pDX)
//   {
//       VqsDialog::DoDataExchange(pDX);
//       DDX_Text(pDX, 1403, m_strSearchText);
//   }
#pragma once

#include "win/Types.h"

#include <exception>

class CString;
class CWnd;

// Thrown by CDataExchange::Fail to abandon an exchange; UpdateData catches it.
class CUserException : public std::exception {
public:
    const char* what() const noexcept override { return "data exchange abandoned"; }
};

class CDataExchange {
public:
    CDataExchange(CWnd* dlgWnd, BOOL saveAndValidate);

    // The control `id` of the dialog becomes the last prepared one (where a failure puts the
    // focus). A dialog without that control is a programming error: std::logic_error.
    HWND PrepareCtrl(int id);
    HWND PrepareEditCtrl(int id);
    // Puts the focus back on the last prepared control (selecting an edit's text) and
    // abandons the exchange.
    [[noreturn]] void Fail();

    BOOL m_bSaveAndValidate;
    CWnd* m_pDlgWnd;
    HWND m_hWndLastControl = nullptr;
    UINT m_idLastControl = 0;
    BOOL m_bEditLastControl = FALSE;
};

// Text of an edit (or any window) and a member. The window text is written only when it
// differs, so that loading sends no needless change notification.
void DDX_Text(CDataExchange* pDX, int id, CString& value);
// A decimal integer; text that is not one fails with "Please enter an integer.".
void DDX_Text(CDataExchange* pDX, int id, int& value);
// The check state (0, 1, 2) of a button.
void DDX_Check(CDataExchange* pDX, int id, int& value);
// The selected item of a combo box (-1 for none).
void DDX_CBIndex(CDataExchange* pDX, int id, int& index);
// Attaches `control` to the dialog's control `id` the first time (subclassing it).
void DDX_Control(CDataExchange* pDX, int id, CWnd& control);
// On store a text longer than `count` fails with "Please enter no more than %1
// characters."; on load an edit prepared last is limited to `count` characters.
void DDV_MaxChars(CDataExchange* pDX, const CString& value, int count);
// The message DDV_MaxChars shows, for a check of its own kind.
CString MaxCharsMessage(int count);
// On store a number outside `minimum`..`maximum` fails with "Please enter an integer
// between %1 and %2.".
void DDV_MinMaxInt(CDataExchange* pDX, int value, int minimum, int maximum);
