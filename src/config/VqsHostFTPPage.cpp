#include "config/VqsHostFTPPage.h"

#include "config/VqsHostWizard.h"
#include "model/VqsLockBag.h"
#include "proxy/PxVQTypes.h"
#include "win/CEdit.h"
#include "win/CPropertySheet.h"

#include <cstring>

namespace {

constexpr UINT IDS_CONFIRM_PASSWORD = 61687;

const VqsHostFTPPageTraits kSysHostFTPPageTraits = {VqsSysHostFTPPage::IDD, VqsSysHostFTPPage::IDC_USER_ID,
                                                    VqsSysHostFTPPage::IDC_PASSWORD,
                                                    VqsSysHostFTPPage::IDC_CONFIRMATION,
                                                    VqsSysHostFTPPage::IDC_ENTER_AT_LOGIN};

const VqsHostFTPPageTraits kBSHostFTPPageTraits = {VqsBSHostFTPPage::IDD, VqsBSHostFTPPage::IDC_USER_ID,
                                                   VqsBSHostFTPPage::IDC_PASSWORD, VqsBSHostFTPPage::IDC_CONFIRMATION,
                                                   VqsBSHostFTPPage::IDC_ENTER_AT_LOGIN};

const VqsHostFTPPageTraits kGenSetHostFTPPageTraits = {
    VqsGenSetHostFTPPage::IDD, VqsGenSetHostFTPPage::IDC_USER_ID, VqsGenSetHostFTPPage::IDC_PASSWORD,
    VqsGenSetHostFTPPage::IDC_CONFIRMATION, VqsGenSetHostFTPPage::IDC_ENTER_AT_LOGIN};

} // namespace

// An NT host gets no limit of its own (0), set at every activation, so that the limit of a
// type chosen before in the same wizard run does not stay behind.
int VqsWizardFtpUserIdLimit(int hostType)
{
    switch (hostType) {
    case VQHostQSR:
        return 17;
    case VQHostTarsk:
        return 12;
    case VQHostUnix:
        return 32;
    default:
        return 0;
    }
}

VqsHostFTPPage::VqsHostFTPPage(const VqsHostFTPPageTraits& traits)
    : VqsWizardPage(traits.dialogId, 0), m_userId(&m_connector, traits.userIdId, -1, 0),
      m_password(&m_connector, traits.passwordId, -1, 0), m_enterAtLogin(&m_connector, traits.atLoginId),
      m_confirmation(&m_connector, traits.confirmationId, -1, 0), m_traits(traits)
{
    m_enterAtLogin.m_bValue = TRUE;
}

VqsHostFTPPage::~VqsHostFTPPage()
{
    m_password.SetValue("");
    m_confirmation.SetValue("");
}

BOOL VqsHostFTPPage::OnCmdMsg(UINT id, int code, void* extra, AFX_CMDHANDLERINFO* handlerInfo)
{
    const BOOL handled = VqsWizardPage::OnCmdMsg(id, code, extra, handlerInfo);
    if (!handlerInfo && !extra && static_cast<int>(id) == m_traits.atLoginId && code == BN_CLICKED) {
        OnEnterAtLogin();
        return TRUE;
    }
    return handled;
}

void VqsHostFTPPage::EnableAccountFields()
{
    const BOOL enable = !m_enterAtLogin.m_bValue;
    m_userId.Enable(enable);
    m_password.Enable(enable);
    m_confirmation.Enable(enable);
}

BOOL VqsHostFTPPage::OnSetActive()
{
    if (!VqsWizardPage::OnSetActive())
        return FALSE;
    const int limit = m_pWizard ? VqsWizardFtpUserIdLimit(m_pWizard->GetWizardHostType()) : 0;
    m_userId.SetMaxLength(limit);
    SendDlgItemMessage(m_traits.userIdId, EM_LIMITTEXT, static_cast<WPARAM>(limit));
    EnableAccountFields();
    PostWizardButtons(PSWIZB_BACK | PSWIZB_FINISH);
    return TRUE;
}

// Either way the box goes, the three texts start again empty.
void VqsHostFTPPage::OnEnterAtLogin()
{
    UpdateData(TRUE);
    EnableAccountFields();
    m_userId.SetValue("");
    m_password.SetValue("");
    m_confirmation.SetValue("");
    UpdateData(FALSE);
    PostWizardButtons(PSWIZB_BACK | PSWIZB_FINISH);
}

// The host lock bag (the enterprise) is write-locked before the Finish bag; it is given back
// when the Finish bag is refused. Both stay for the wizard's creator.
BOOL VqsHostFTPPage::LockForFinish()
{
    VqsLockBag* hostBag = m_pWizard->GetHostLockBag();
    VqsCreatingWizard::LockStep step(CreatingWizard(), VqsWriteLock);
    step.KeepEnterprise();
    if (hostBag && !LockBagObjects(*hostBag, VqsWriteLock))
        return FALSE;
    if (!LockBagObjects(m_pWizard->GetFinishLockBag(), VqsWriteLock)) {
        if (hostBag)
            hostBag->Release();
        return FALSE;
    }
    return TRUE;
}

BOOL VqsHostFTPPage::OnWizardFinish()
{
    {
        VqsDialogCtrlConnector::StrictControl strict = m_connector.MakeStrict();
        if (!UpdateData(TRUE) || !m_pWizard)
            return FALSE;
    }
    if (std::strcmp(m_password.GetValue().GetString(), m_confirmation.GetValue().GetString()) != 0) {
        RefuseAt(IDS_CONFIRM_PASSWORD, m_traits.confirmationId);
        return FALSE;
    }
    if (!CreationLocksFinish() && !LockForFinish())
        return FALSE;
    return VqsWizardPage::OnWizardFinish();
}

VqsSysHostFTPPage::VqsSysHostFTPPage() : VqsHostFTPPage(kSysHostFTPPageTraits) {}

VqsBSHostFTPPage::VqsBSHostFTPPage() : VqsHostFTPPage(kBSHostFTPPageTraits) {}

VqsGenSetHostFTPPage::VqsGenSetHostFTPPage() : VqsHostFTPPage(kGenSetHostFTPPageTraits) {}
