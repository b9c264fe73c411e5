// The confirmation the model's delete shows once for each object it is about to change: the
// object's description and Yes, Yes to All (only while further objects follow), No or
// Cancel.
#pragma once

#include "shell/VqsDialog.h"
#include "win/CButton.h"
#include "win/CString.h"

class VqsRemovePromptDlg : public VqsDialog {
public:
    static constexpr int IDC_YES_TO_ALL = 1349;

    explicit VqsRemovePromptDlg(CWnd* parent);
    ~VqsRemovePromptDlg() override;

    void DoDataExchange(CDataExchange* pDX) override;
    BOOL OnInitDialog() override;

    // Set by the caller before DoModal.
    CString m_strText;
    BOOL m_bAllowAll = FALSE;

protected:
    void OnYes();
    void OnYesToAll();
    void OnNo();
    DECLARE_MESSAGE_MAP()

    CButton m_yesToAllButton;
};

// Asks about one object: IDYES, VqsRemovePromptDlg::IDC_YES_TO_ALL, IDNO or IDCANCEL.
int VqsAskRemove(CWnd* parent, LPCTSTR description, BOOL moreFollow);
