// The modeless progress dialog of the options report printer: the page being printed, and
// Cancel, which stops the printing (the printer reads the flag and takes the dialog down).
#pragma once

#include "win/CDialog.h"

class CPrDialog : public CDialog {
public:
    explicit CPrDialog(CWnd* parent = nullptr);

    // Makes the modeless window.
    BOOL Create();
    void OnCancel() override;
    BOOL IsCancelled() const { return m_bCancelled; }

private:
    BOOL m_bCancelled = FALSE;
};
