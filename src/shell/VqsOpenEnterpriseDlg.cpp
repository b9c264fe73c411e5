#include "shell/VqsOpenEnterpriseDlg.h"

#include "proxy/VqException.h"
#include "shell/VqsMsgBox.h"
#include "shell/VqsSysApp.h"
#include "win/CDataExchange.h"

namespace {

constexpr UINT kOpenTemplate = 132;
constexpr int kEnterpriseName = 1401;

constexpr UINT IDS_CANNOT_ACCESS_ENTERPRISE = 61608;
constexpr UINT IDS_SECURITY_VIOLATION = 61667;
constexpr int kRightOpenHostView = 2;

} // namespace

BEGIN_MESSAGE_MAP(VqsOpenEnterpriseDlg, VqsDialog)
    ON_BN_CLICKED(VqsOpenEnterpriseDlg::IDC_OPEN_HOST_VIEW, &VqsOpenEnterpriseDlg::OnOpenHostView)
END_MESSAGE_MAP()

VqsOpenEnterpriseDlg::VqsOpenEnterpriseDlg(CWnd* parent) : VqsDialog(kOpenTemplate, parent) {}

VqsOpenEnterpriseDlg::~VqsOpenEnterpriseDlg() = default;

void VqsOpenEnterpriseDlg::DoDataExchange(CDataExchange* pDX)
{
    VqsDialog::DoDataExchange(pDX);
    DDX_Text(pDX, kEnterpriseName, m_strName);
}

BOOL VqsOpenEnterpriseDlg::OnInitDialog()
{
    VqsDialog::OnInitDialog();
    m_openButton.SubclassDlgItem(IDC_OPEN_HOST_VIEW, this);
    try {
        VqsSysApp* app = VqsGetApp();
        if (const PxLSEEnterprisePtr enterprise = app ? app->GetLSEEnterprise() : PxLSEEnterprisePtr())
            m_strName = m_bLongNames ? enterprise->GetLongName() : enterprise->GetName();
    } catch (const VqException& error) {
        ShowErrorById(IDS_CANNOT_ACCESS_ENTERPRISE, error);
        EndDialog(IDCANCEL);
        return TRUE;
    }
    UpdateData(FALSE);
    return TRUE;
}

void VqsOpenEnterpriseDlg::OnOpenHostView()
{
    VqsSysApp* app = VqsGetApp();
    if (!app || !app->HasRight(kRightOpenHostView)) {
        VqsMessageBoxId(IDS_SECURITY_VIOLATION);
        EndDialog(IDCANCEL);
        return;
    }
    EndDialog(IDC_OPEN_HOST_VIEW);
}
