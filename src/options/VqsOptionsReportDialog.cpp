#include "options/VqsOptionsReportDialog.h"

#include "shell/VqsMsgBox.h"
#include "win/CPrintDialog.h"
#include "win/Gdi.h"
#include "win/LastError.h"

#include <cstring>
#include <memory>
#include <vector>

namespace {

constexpr UINT kReportTemplate = 111;
constexpr int kPrinterName = 1734;
constexpr int kPrinterType = 1735;
constexpr int kPrinterWhere = 1736;
constexpr int kSetup = 1004;
constexpr int kByName = 1743;
constexpr int kByType = 1744;

constexpr UINT IDS_PRINTER_DESCRIPTION_FAILED = 61761;
constexpr UINT IDS_CREATE_PRINT_DIALOG_FAILED = 61762;
constexpr UINT IDS_DEFAULT_PRINTER_FAILED = 61763;
constexpr UINT IDS_NO_PRINTER = 61782;
constexpr UINT IDS_PRINTER_LIST_FAILED = 61784;

constexpr DWORD kSetupFlags = PD_HIDEPRINTTOFILE | PD_USEDEVMODECOPIESANDCOLLATE | PD_NOPAGENUMS | PD_NOSELECTION;

CString DeviceName(const PRINTDLG& block)
{
    CPrintDialog reader(TRUE);
    reader.m_pd = block;
    return reader.GetDeviceName();
}

// The level-2 records of the printers, in a buffer that holds their texts too.
bool ListPrinters(std::vector<BYTE>& buffer, DWORD& count)
{
    DWORD needed = 0;
    count = 0;
    if (!EnumPrinters(PRINTER_ENUM_LOCAL | PRINTER_ENUM_CONNECTIONS, nullptr, 2, nullptr, 0, &needed, &count) &&
        GetLastError() != ERROR_INSUFFICIENT_BUFFER)
        return false;
    if (needed == 0)
        return true;
    buffer.resize(needed);
    return EnumPrinters(PRINTER_ENUM_LOCAL | PRINTER_ENUM_CONNECTIONS, nullptr, 2, buffer.data(), needed, &needed,
                        &count) != FALSE;
}

} // namespace

BEGIN_MESSAGE_MAP(COptionsReportDialog, VqsDialog)
    ON_BN_CLICKED(kSetup, &COptionsReportDialog::OnSetup)
    ON_BN_CLICKED(kByName, &COptionsReportDialog::OnByName)
    ON_BN_CLICKED(kByType, &COptionsReportDialog::OnByType)
END_MESSAGE_MAP()

COptionsReportDialog::COptionsReportDialog(CWnd* parent) : VqsDialog(kReportTemplate, parent) {}

void COptionsReportDialog::SetReportChoice(const PRINTDLG& block, int sortChoice)
{
    m_printerBlock = block;
    m_nSortChoice = sortChoice;
}

int COptionsReportDialog::GetReportChoice(PRINTDLG& block, int& sortChoice) const
{
    block = m_printerBlock;
    sortChoice = m_nSortChoice;
    return m_bPrinterValid;
}

BOOL COptionsReportDialog::OnInitDialog()
{
    ShowPrinter();
    m_bPrinterValid = HasPrinter() ? 1 : 0;
    return VqsDialog::OnInitDialog();
}

BOOL COptionsReportDialog::ShowPrinter()
{
    CheckRadioButton(kByName, kByType, m_nSortChoice != 0 ? kByType : kByName);
    if (!EnsureInstalledPrinter())
        return FALSE;
    CString name;
    CString type;
    CString where;
    if (!ReadPrinterDescription(name, type, where))
        return FALSE;
    SetDlgItemText(kPrinterName, name);
    SetDlgItemText(kPrinterType, type);
    SetDlgItemText(kPrinterWhere, where);
    return TRUE;
}

BOOL COptionsReportDialog::EnsureInstalledPrinter()
{
    switch (IsPrinterInstalled()) {
    case Installed::Yes:
        return TRUE;
    case Installed::No:
        return TakeDefaultPrinter();
    case Installed::Failed:
        break;
    }
    return FALSE;
}

COptionsReportDialog::Installed COptionsReportDialog::IsPrinterInstalled()
{
    std::vector<BYTE> buffer;
    DWORD count = 0;
    if (!ListPrinters(buffer, count)) {
        VqsErrorBoxId(IDS_PRINTER_LIST_FAILED);
        return Installed::Failed;
    }
    if (count == 0) {
        VqsErrorBoxId(IDS_NO_PRINTER);
        ClearPrinter();
        return Installed::Failed;
    }
    const CString device = DeviceName(m_printerBlock);
    const auto* printers = reinterpret_cast<const PRINTER_INFO_2*>(buffer.data());
    for (DWORD i = 0; i < count; ++i)
        if (printers[i].pPrinterName && device.Compare(printers[i].pPrinterName) == 0)
            return Installed::Yes;
    return Installed::No;
}

BOOL COptionsReportDialog::TakeDefaultPrinter()
{
    CPrintDialog setup(TRUE, kSetupFlags);
    if (!setup.GetDefaults()) {
        VqsErrorBoxId(IDS_DEFAULT_PRINTER_FAILED);
        ClearPrinter();
        return FALSE;
    }
    if (setup.m_pd.hDC)
        ::DeleteDC(std::exchange(setup.m_pd.hDC, nullptr));
    setup.m_pd.Flags &= ~PD_RETURNDEFAULT;
    m_printerBlock = setup.m_pd;
    return TRUE;
}

BOOL COptionsReportDialog::ReadPrinterDescription(CString& name, CString& type, CString& where) const
{
    HANDLE printer = nullptr;
    CString device = DeviceName(m_printerBlock);
    bool read = false;
    if (m_printerBlock.hDevNames && OpenPrinter(device.GetBuffer(), &printer, nullptr)) {
        DWORD needed = 0;
        GetPrinter(printer, 2, nullptr, 0, &needed);
        std::vector<BYTE> buffer(needed);
        if (needed && GetPrinter(printer, 2, buffer.data(), needed, &needed)) {
            const auto* info = reinterpret_cast<const PRINTER_INFO_2*>(buffer.data());
            name = info->pPrinterName;
            type = info->pDriverName;
            where = info->pLocation && *info->pLocation ? info->pLocation : info->pPortName;
            read = true;
        }
        ClosePrinter(printer);
    }
    if (!read)
        VqsErrorBoxId(IDS_PRINTER_DESCRIPTION_FAILED);
    return read;
}

void COptionsReportDialog::ClearPrinter()
{
    if (m_printerBlock.hDevMode)
        GlobalFree(m_printerBlock.hDevMode);
    if (m_printerBlock.hDevNames)
        GlobalFree(m_printerBlock.hDevNames);
    m_printerBlock = PRINTDLG{};
}

void COptionsReportDialog::OnSetup()
{
    if (!EnsureInstalledPrinter())
        return;
    CPrintDialog setup(TRUE, kSetupFlags, this);
    if (HasPrinter()) {
        const DWORD flags = setup.m_pd.Flags;
        setup.m_pd = m_printerBlock;
        setup.m_pd.Flags = flags;
    }
    if (setup.DoModal() == IDOK) {
        m_printerBlock = setup.m_pd;
        m_bPrinterValid = HasPrinter() ? 1 : 0;
        ShowPrinter();
    } else if (CommDlgExtendedError() != 0) {
        ClearPrinter();
        m_bPrinterValid = 0;
        VqsErrorBoxId(IDS_CREATE_PRINT_DIALOG_FAILED);
    }
}
