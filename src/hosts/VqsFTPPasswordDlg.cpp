#include "hosts/VqsFTPPasswordDlg.h"

#include "shell/VqsMsgBox.h"

#include <cstring>

namespace {

constexpr UINT IDD_FTP_PASSWORD = 101;
constexpr UINT IDS_ENTER_PASSWORD = 61686;
constexpr UINT IDS_CONFIRM_PASSWORD = 61687;

} // namespace

BEGIN_MESSAGE_MAP(VqsFTPPasswordDlg, VqsDialog)
END_MESSAGE_MAP()

VqsFTPPasswordDlg::VqsFTPPasswordDlg(CWnd* parent)
    : VqsDialog(IDD_FTP_PASSWORD, parent), m_password(&m_connector, IDC_PASSWORD, -1, 0),
      m_confirmation(&m_connector, IDC_CONFIRMATION, -1, 0)
{
}

VqsFTPPasswordDlg::~VqsFTPPasswordDlg() = default;

void VqsFTPPasswordDlg::DoDataExchange(CDataExchange* pDX) { VqsDialog::DoDataExchange(pDX); }

void VqsFTPPasswordDlg::Refuse(UINT messageId, int controlId)
{
    VqsErrorBoxId(messageId);
    GotoDlgCtrl(GetDlgItem(controlId));
}

void VqsFTPPasswordDlg::OnOK()
{
    VqsDialogCtrlConnector::StrictControl strict = m_connector.MakeStrict();
    if (!UpdateData(TRUE))
        return;
    const CString password = m_password.GetValue();
    const CString confirmation = m_confirmation.GetValue();
    if (password.IsEmpty()) {
        Refuse(IDS_ENTER_PASSWORD, IDC_PASSWORD);
        return;
    }
    if (confirmation.IsEmpty() || std::strcmp(password.GetString(), confirmation.GetString()) != 0) {
        Refuse(IDS_CONFIRM_PASSWORD, IDC_CONFIRMATION);
        return;
    }
    EndDialog(IDOK);
}
