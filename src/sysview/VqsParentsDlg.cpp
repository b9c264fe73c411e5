#include "sysview/VqsParentsDlg.h"

#include "win/CDataExchange.h"

BEGIN_MESSAGE_MAP(VqsParentsDlg, VqsDialog)
END_MESSAGE_MAP()

VqsParentsDlg::VqsParentsDlg(CWnd* parent) : VqsDialog(IDD, parent) {}

VqsParentsDlg::~VqsParentsDlg() = default;

void VqsParentsDlg::DoDataExchange(CDataExchange* pDX)
{
    VqsDialog::DoDataExchange(pDX);
    DDX_Control(pDX, IDC_PARENTS, m_combo);
}

BOOL VqsParentsDlg::OnInitDialog()
{
    VqsDialog::OnInitDialog();
    for (POSITION position = m_names.GetHeadPosition(); position;)
        m_combo.AddString(m_names.GetNext(position));
    m_combo.SetCurSel(m_nSelected);
    UpdateData(FALSE);
    return TRUE;
}

void VqsParentsDlg::OnOK()
{
    if (!UpdateData(TRUE))
        return;
    m_nSelected = m_combo.GetCurSel();
    EndDialog(IDOK);
}
