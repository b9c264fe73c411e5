#include "hosts/VqsHostNewSheet.h"

#include "hosts/VqsHostSpecDlg.h"
#include "model/VqsLockBag.h"
#include "model/VqsModelNodeEnterprise.h"
#include "proxy/PxVQTypes.h"
#include "shell/VqsMsgBox.h"
#include "shell/VqsSysApp.h"
#include "win/CDataExchange.h"
#include "win/CEdit.h"

#include <cstring>

namespace {

constexpr UINT IDD_NEW_HOST = 235;
constexpr UINT IDD_HOST_FTP = 102;
constexpr UINT IDS_SPECIFY_NAME_AND_ADDRESS = 61461;
constexpr UINT IDS_HOST_NAME_EXISTS = 61463;
constexpr UINT IDS_CONFIRM_PASSWORD = 61687;
constexpr int kNameLength = 50;
constexpr int kAddressLength = 62;
constexpr int kPortDigits = 5;
constexpr int kStay = -1;

// The host types of the buttons Windows, UNIX, QSR and OS Tarsk.
constexpr int kHostTypeOfButton[] = {VQHostNT, VQHostUnix, VQHostQSR, VQHostTarsk};

int HostTypeOfButton(int index)
{
    return index >= 0 && index < 4 ? kHostTypeOfButton[index] : VQHostNT;
}

UINT DefaultPort(int hostType)
{
    VqsSysApp* app = VqsGetApp();
    return app ? app->GetDefaultPort(hostType) : 0;
}

} // namespace

// ---------------------------------------------------------------- general page

BEGIN_MESSAGE_MAP(VqsHostNewGeneralPage, VqsPropertyPage)
    ON_BN_CLICKED(VqsHostNewGeneralPage::IDC_WINDOWS, &VqsHostNewGeneralPage::OnHostTypeClicked)
    ON_BN_CLICKED(VqsHostNewGeneralPage::IDC_UNIX, &VqsHostNewGeneralPage::OnHostTypeClicked)
    ON_BN_CLICKED(VqsHostNewGeneralPage::IDC_QSR, &VqsHostNewGeneralPage::OnHostTypeClicked)
    ON_BN_CLICKED(VqsHostNewGeneralPage::IDC_TARSK, &VqsHostNewGeneralPage::OnHostTypeClicked)
END_MESSAGE_MAP()

VqsHostNewGeneralPage::VqsHostNewGeneralPage()
    : VqsPropertyPage(IDD_NEW_HOST, 0), m_name(&m_connector, IDC_NAME, kNameLength, 0),
      m_address(&m_connector, IDC_ADDRESS, kAddressLength, 0), m_port(&m_connector, IDC_PORT),
      m_hostTypeButtons(&m_connector, IDC_WINDOWS, IDC_UNIX, IDC_QSR, IDC_TARSK)
{
    m_port.SetMinimum(1);
    m_port.SetMaximum(65535);
}

VqsHostNewGeneralPage::~VqsHostNewGeneralPage() = default;

void VqsHostNewGeneralPage::DoDataExchange(CDataExchange* pDX)
{
    VqsPropertyPage::DoDataExchange(pDX);
    if (pDX->m_bSaveAndValidate)
        m_nHostType = HostTypeOfButton(m_hostTypeButtons.m_nValue);
}

BOOL VqsHostNewGeneralPage::OnInitDialog()
{
    const UINT port = DefaultPort(m_nHostType);
    m_port.SetValue(port);
    VqsPropertyPage::OnInitDialog();
    m_strOfferedPort.Format("%u", port);
    GotoDlgCtrl(GetDlgItem(IDC_NAME));
    m_port.SetTextLimit(kPortDigits, 0);
    return FALSE;
}

void VqsHostNewGeneralPage::ShowPort(UINT port)
{
    m_strOfferedPort.Format("%u", port);
    SetDlgItemText(IDC_PORT, m_strOfferedPort);
}

// A port the user has not typed follows the chosen type's default port.
void VqsHostNewGeneralPage::OnHostTypeClicked()
{
    CString shown;
    GetDlgItemText(IDC_PORT, shown);
    if (shown != m_strOfferedPort)
        return;
    ShowPort(DefaultPort(HostTypeOfButton(m_hostTypeButtons.GetCheckedIndex())));
}

BOOL VqsHostNewGeneralPage::OnSetActive()
{
    VqsPropertyPage::OnSetActive();
    if (CPropertySheet* sheet = dynamic_cast<CPropertySheet*>(GetParent()))
        sheet->SetWizardButtons(PSWIZB_NEXT);
    return TRUE;
}

void VqsHostNewGeneralPage::Refuse(UINT messageId, int controlId)
{
    VqsErrorBoxId(messageId);
    GotoDlgCtrl(GetDlgItem(controlId));
}

LRESULT VqsHostNewGeneralPage::OnWizardNext()
{
    VqsDialogCtrlConnector::StrictControl strict = m_connector.MakeStrict();
    if (!UpdateData(TRUE) || !m_pSheet)
        return kStay;
    m_name.TrimLeftValue();
    m_name.TrimRightValue();
    m_address.TrimLeftValue();
    m_address.TrimRightValue();
    UpdateData(FALSE);
    const CString name = m_name.GetValue();
    if (name.IsEmpty() || m_address.GetValue().IsEmpty()) {
        Refuse(IDS_SPECIFY_NAME_AND_ADDRESS, name.IsEmpty() ? IDC_NAME : IDC_ADDRESS);
        return kStay;
    }
    // The name is checked under the enterprise's future update, which the step gives back.
    const VqsCreatingWizard::LockStep step(m_pSheet, VqsFutureUpdateLock);
    VqsLockBag& bag = *m_pSheet->m_pBag;
    if (!m_pSheet->LockForPage([&bag] { return bag.LockObjects(VqsFutureUpdateLock); }))
        return kStay;
    VqsModelNodeEnterprise* enterprise = m_pSheet->m_pEnterprise;
    if (!m_pSheet->m_edition.IsLatestEdition()) {
        enterprise->Refresh();
        enterprise->LoadHosts(VqsLoadReread);
        m_pSheet->m_edition = enterprise->GetEnterprise()->GetObjectEdition();
    }
    if (enterprise->FindHostByName(name, nullptr)) {
        Refuse(IDS_HOST_NAME_EXISTS, IDC_NAME);
        return kStay;
    }
    return VqsPropertyPage::OnWizardNext();
}

std::function<void()> VqsHostNewGeneralPage::FindNameTaken()
{
    VqsModelNodeEnterprise* enterprise = m_pSheet->m_pEnterprise;
    enterprise->LoadHosts(VqsLoadReread);
    if (!enterprise->FindHostByName(m_name.GetValue(), nullptr))
        return {};
    return [this] {
        if (CPropertySheet* sheet = dynamic_cast<CPropertySheet*>(GetParent()))
            sheet->SetActivePage(this);
        Refuse(IDS_HOST_NAME_EXISTS, IDC_NAME);
    };
}

// ---------------------------------------------------------------- FTP page

BEGIN_MESSAGE_MAP(VqsHostNewFTPPage, VqsPropertyPage)
    ON_BN_CLICKED(VqsHostNewFTPPage::IDC_AT_LOGIN, &VqsHostNewFTPPage::OnAtLogin)
END_MESSAGE_MAP()

VqsHostNewFTPPage::VqsHostNewFTPPage()
    : VqsPropertyPage(IDD_HOST_FTP, 0), m_userId(&m_connector, IDC_USER_ID, -1, 0),
      m_password(&m_connector, IDC_PASSWORD, -1, 0), m_confirmation(&m_connector, IDC_CONFIRMATION, -1, 0),
      m_atLogin(&m_connector, IDC_AT_LOGIN)
{
    m_atLogin.m_bValue = TRUE;
}

VqsHostNewFTPPage::~VqsHostNewFTPPage() = default;

void VqsHostNewFTPPage::DoDataExchange(CDataExchange* pDX) { VqsPropertyPage::DoDataExchange(pDX); }

BOOL VqsHostNewFTPPage::OnInitDialog()
{
    VqsPropertyPage::OnInitDialog();
    return TRUE;
}

void VqsHostNewFTPPage::EnableAccountFields()
{
    const BOOL enable = !m_atLogin.m_bValue;
    m_userId.Enable(enable);
    m_password.Enable(enable);
    m_confirmation.Enable(enable);
}

BOOL VqsHostNewFTPPage::OnSetActive()
{
    VqsPropertyPage::OnSetActive();
    const int limit = m_pSheet ? VqsFtpUserIdLimit(m_pSheet->m_generalPage.m_nHostType) : 0;
    if (limit > 0) {
        m_userId.SetMaxLength(limit);
        SendDlgItemMessage(IDC_USER_ID, EM_LIMITTEXT, static_cast<WPARAM>(limit));
    }
    EnableAccountFields();
    if (CPropertySheet* sheet = dynamic_cast<CPropertySheet*>(GetParent()))
        sheet->SetWizardButtons(PSWIZB_BACK | PSWIZB_FINISH);
    return TRUE;
}

// Finish stays reachable whichever way the box ends: this is the last page.
void VqsHostNewFTPPage::OnAtLogin()
{
    UpdateData(TRUE);
    EnableAccountFields();
    m_userId.SetValue("");
    m_password.SetValue("");
    m_confirmation.SetValue("");
    UpdateData(FALSE);
    if (CPropertySheet* sheet = dynamic_cast<CPropertySheet*>(GetParent()))
        sheet->SetWizardButtons(PSWIZB_BACK | PSWIZB_FINISH);
}

BOOL VqsHostNewFTPPage::OnWizardFinish()
{
    VqsDialogCtrlConnector::StrictControl strict = m_connector.MakeStrict();
    if (!UpdateData(TRUE) || !m_pSheet)
        return FALSE;
    if (std::strcmp(m_password.GetValue().GetString(), m_confirmation.GetValue().GetString()) != 0) {
        VqsErrorBoxId(IDS_CONFIRM_PASSWORD);
        GotoDlgCtrl(GetDlgItem(IDC_CONFIRMATION));
        return FALSE;
    }
    return m_pSheet->RunCreation() && VqsPropertyPage::OnWizardFinish();
}

// ---------------------------------------------------------------- sheet

VqsHostNewSheet::VqsHostNewSheet(UINT captionId, VqsModelNodeEnterprise* enterprise, VqsLockBag* bag,
                                 const PxObjectEdition& edition, CWnd* parent)
    : VqsPropertySheet(captionId, parent, 0), m_pEnterprise(enterprise), m_pBag(bag), m_edition(edition)
{
    AddPage(&m_generalPage);
    AddPage(&m_ftpPage);
    m_generalPage.m_pSheet = this;
    m_ftpPage.m_pSheet = this;
    SetWizardMode();
}

VqsHostNewSheet::~VqsHostNewSheet() = default;
