#include "win/CPrintDialog.h"

#include "win/CWnd.h"

#include <cstring>

CPrintDialog::CPrintDialog(BOOL printSetupOnly, DWORD flags, CWnd* parent)
{
    m_pd.lStructSize = sizeof(PRINTDLG);
    m_pd.hwndOwner = parent ? parent->m_hWnd : nullptr;
    m_pd.Flags = flags | (printSetupOnly ? PD_PRINTSETUP : PD_RETURNDC);
    m_pd.nCopies = 1;
}

CPrintDialog::~CPrintDialog() = default;

INT_PTR CPrintDialog::DoModal() { return ::PrintDlg(&m_pd) ? IDOK : IDCANCEL; }

BOOL CPrintDialog::GetDefaults()
{
    m_pd.Flags |= PD_RETURNDEFAULT;
    return ::PrintDlg(&m_pd);
}

HDC CPrintDialog::CreatePrinterDC()
{
    m_pd.hDC = ::CreateDC(GetDriverName(), GetDeviceName(), GetPortName(), GetDevMode());
    return m_pd.hDC;
}

CString CPrintDialog::NameAt(WORD DEVNAMES::*offset) const
{
    const SIZE_T size = GlobalSize(m_pd.hDevNames);
    const auto* block = static_cast<const char*>(GlobalLock(m_pd.hDevNames));
    if (!block || size < sizeof(DEVNAMES))
        return CString();
    const WORD at = reinterpret_cast<const DEVNAMES*>(block)->*offset;
    return at < size ? CString(block + at, static_cast<int>(strnlen(block + at, size - at))) : CString();
}

CString CPrintDialog::GetDeviceName() const { return NameAt(&DEVNAMES::wDeviceOffset); }

CString CPrintDialog::GetDriverName() const { return NameAt(&DEVNAMES::wDriverOffset); }

CString CPrintDialog::GetPortName() const { return NameAt(&DEVNAMES::wOutputOffset); }

LPDEVMODE CPrintDialog::GetDevMode() const
{
    return GlobalSize(m_pd.hDevMode) >= sizeof(DEVMODE) ? static_cast<LPDEVMODE>(GlobalLock(m_pd.hDevMode)) : nullptr;
}
