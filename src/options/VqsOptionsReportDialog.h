// The "Options Report" dialog: the printer the report goes to (with its set-up) and the
// order of the report's sections. The caller keeps the printer block and the order between
// reports and hands them in each time.
#pragma once

#include "shell/VqsDialog.h"
#include "win/Printing.h"

class COptionsReportDialog : public VqsDialog {
public:
    explicit COptionsReportDialog(CWnd* parent);

    // Before the dialog is shown. Sort choice: 0 by name, 1 by type.
    void SetReportChoice(const PRINTDLG& block, int sortChoice);
    // Copies both out; answers 1 when the block names a printer, else 0.
    int GetReportChoice(PRINTDLG& block, int& sortChoice) const;

    BOOL OnInitDialog() override;

protected:
    void OnSetup();
    void OnByName() { m_nSortChoice = 0; }
    void OnByType() { m_nSortChoice = 1; }
    DECLARE_MESSAGE_MAP()

private:
    enum class Installed { Yes, No, Failed };

    BOOL ShowPrinter();
    // Whether the printer of the block is among the printers; Failed (with its message) when
    // they cannot be listed or there is none.
    Installed IsPrinterInstalled();
    // Makes the default printer the block's.
    BOOL TakeDefaultPrinter();
    BOOL EnsureInstalledPrinter();
    BOOL ReadPrinterDescription(CString& name, CString& type, CString& where) const;
    void ClearPrinter();
    bool HasPrinter() const { return m_printerBlock.hDevMode && m_printerBlock.hDevNames; }

    PRINTDLG m_printerBlock{};
    int m_bPrinterValid = 0;
    int m_nSortChoice = 0;
};
