// The print and print setup dialog of the class library over PrintDlg (see Printing.h).
#pragma once

#include "win/CString.h"
#include "win/Printing.h"

class CWnd;

class CPrintDialog {
public:
    explicit CPrintDialog(BOOL printSetupOnly,
                          DWORD flags = PD_ALLPAGES | PD_USEDEVMODECOPIES | PD_NOPAGENUMS | PD_HIDEPRINTTOFILE |
                                        PD_NOSELECTION,
                          CWnd* parent = nullptr);
    virtual ~CPrintDialog();
    CPrintDialog(const CPrintDialog&) = delete;
    CPrintDialog& operator=(const CPrintDialog&) = delete;

    // IDOK with a printer chosen, else IDCANCEL (CommDlgExtendedError tells a failure).
    virtual INT_PTR DoModal();
    // The default printer into m_pd, without asking; FALSE when there is none.
    BOOL GetDefaults();
    // A device context of the printer m_pd names, kept in m_pd.hDC; null when it fails.
    HDC CreatePrinterDC();
    HDC GetPrinterDC() const { return m_pd.hDC; }
    CString GetDeviceName() const;
    CString GetDriverName() const;
    CString GetPortName() const;
    // The device mode m_pd holds; null when it holds none.
    LPDEVMODE GetDevMode() const;

    PRINTDLG m_pd{};

private:
    CString NameAt(WORD DEVNAMES::*offset) const;
};
