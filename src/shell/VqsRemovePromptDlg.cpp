#include "shell/VqsRemovePromptDlg.h"

#include "win/CDataExchange.h"

namespace {

constexpr UINT kRemovePromptTemplate = 152;
constexpr int kDescription = 1350;

} // namespace

BEGIN_MESSAGE_MAP(VqsRemovePromptDlg, VqsDialog)
    ON_BN_CLICKED(VqsRemovePromptDlg::IDC_YES_TO_ALL, &VqsRemovePromptDlg::OnYesToAll)
    ON_BN_CLICKED(IDNO, &VqsRemovePromptDlg::OnNo)
    ON_BN_CLICKED(IDYES, &VqsRemovePromptDlg::OnYes)
END_MESSAGE_MAP()

VqsRemovePromptDlg::VqsRemovePromptDlg(CWnd* parent) : VqsDialog(kRemovePromptTemplate, parent) {}

VqsRemovePromptDlg::~VqsRemovePromptDlg() = default;

void VqsRemovePromptDlg::DoDataExchange(CDataExchange* pDX)
{
    VqsDialog::DoDataExchange(pDX);
    DDX_Control(pDX, IDC_YES_TO_ALL, m_yesToAllButton);
    DDX_Text(pDX, kDescription, m_strText);
}

BOOL VqsRemovePromptDlg::OnInitDialog()
{
    VqsDialog::OnInitDialog();
    m_yesToAllButton.EnableWindow(m_bAllowAll);
    return TRUE;
}

void VqsRemovePromptDlg::OnYes() { EndDialog(IDYES); }

void VqsRemovePromptDlg::OnYesToAll() { EndDialog(IDC_YES_TO_ALL); }

void VqsRemovePromptDlg::OnNo() { EndDialog(IDNO); }

int VqsAskRemove(CWnd* parent, LPCTSTR description, BOOL moreFollow)
{
    VqsRemovePromptDlg dialog(parent);
    dialog.m_strText = description;
    dialog.m_bAllowAll = moreFollow;
    return static_cast<int>(dialog.DoModal());
}
