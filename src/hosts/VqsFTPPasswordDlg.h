// Asks for a host's new FTP password twice; the password is handed back only when both
// entries are the same.
#pragma once

#include "shell/VqsDialog.h"
#include "shell/VqsOptCtrlString.h"

class VqsFTPPasswordDlg : public VqsDialog {
public:
    static constexpr int IDC_PASSWORD = 1481;
    static constexpr int IDC_CONFIRMATION = 1479;

    explicit VqsFTPPasswordDlg(CWnd* parent);
    ~VqsFTPPasswordDlg() override;

    void DoDataExchange(CDataExchange* pDX) override;
    void OnOK() override;

    // After IDOK.
    CString GetPassword() const { return m_password.GetValue(); }

protected:
    DECLARE_MESSAGE_MAP()

private:
    void Refuse(UINT messageId, int controlId);

    VqsOptCtrlString m_password;
    VqsOptCtrlString m_confirmation;
};
