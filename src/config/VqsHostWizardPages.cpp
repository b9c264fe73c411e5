#include "config/VqsHostWizardPages.h"

#include "config/VqsHostWizard.h"
#include "model/VqsLockBag.h"
#include "model/VqsModelNodeEnterprise.h"
#include "model/VqsModelNodeHost.h"
#include "proxy/PxLSEEnterprise.h"
#include "proxy/PxVQEnterprise.h"
#include "proxy/VqException.h"
#include "shell/VqsMsgBox.h"
#include "shell/VqsPropertySheet.h"
#include "shell/VqsSysApp.h"
#include "win/CDataExchange.h"
#include "win/CPropertySheet.h"
#include "win/MbString.h"
#include "win/UiDriver.h"

namespace {

constexpr UINT IDS_SPECIFY_NAME_AND_ADDRESS = 61461;
constexpr UINT IDS_NAME_NOT_UNIQUE_HOST = 61463;
constexpr UINT IDS_ENTER_CORRECT_NAME = 61465;
constexpr UINT IDS_CANNOT_ACCESS_HOSTS = 61549;
constexpr UINT IDS_CANNOT_COLLECT_HOSTS = 61618;
constexpr UINT IDS_TARGET_HOST_MISMATCH = 62001;
constexpr int kNameLength = 50;
constexpr int kAddressLength = 62;
constexpr int kPortDigits = 5;

// The host types of the radio indexes Windows, UNIX, QSR, OS Tarsk.
constexpr int kHostTypeOfIndex[] = {VQHostNT, VQHostUnix, VQHostQSR, VQHostTarsk};

int RadioIndexOf(int hostType)
{
    for (int index = 0; index < 4; ++index) {
        if (kHostTypeOfIndex[index] == hostType)
            return index;
    }
    return 0;
}

// Whether the segment lets a generate set of the host type be generated.
int TargetsHostType(const PxLSEBusinessSegmentPtr& segment, int hostType)
{
    switch (hostType) {
    case VQHostNT:
        return segment->GetTargetHostNt();
    case VQHostQSR:
        return segment->GetTargetHostQsr();
    case VQHostTarsk:
        return segment->GetTargetHostOsTarsk();
    case VQHostUnix:
        return segment->GetTargetHostUnix();
    default:
        return 0;
    }
}

} // namespace

// ---------------------------------------------------------------- target-host page

VqsTargetHostPage::VqsTargetHostPage(const VqsTargetHostPageTraits& traits)
    : VqsWizardPage(traits.dialogId, 0), m_traits(traits),
      m_hostTypeRadio(&m_connector, traits.windowsId, traits.unixId, traits.qsrId, traits.tarskId)
{
}

VqsTargetHostPage::~VqsTargetHostPage() = default;

void VqsTargetHostPage::DoDataExchange(CDataExchange* pDX)
{
    VqsWizardPage::DoDataExchange(pDX);
    DDX_Control(pDX, m_traits.hostComboId, m_hostCombo);
}

int VqsTargetHostPage::HostTypeOfButton(UINT id) const
{
    const int ids[] = {m_traits.windowsId, m_traits.unixId, m_traits.qsrId, m_traits.tarskId};
    for (int index = 0; index < 4; ++index) {
        if (static_cast<UINT>(ids[index]) == id)
            return kHostTypeOfIndex[index];
    }
    return -1;
}

BOOL VqsTargetHostPage::OnCmdMsg(UINT id, int code, void* extra, AFX_CMDHANDLERINFO* handlerInfo)
{
    const BOOL handled = VqsWizardPage::OnCmdMsg(id, code, extra, handlerInfo);
    if (handlerInfo || extra)
        return handled;
    if (code == BN_CLICKED && HostTypeOfButton(id) >= 0) {
        OnTypeClicked(HostTypeOfButton(id));
        return TRUE;
    }
    if (static_cast<int>(id) == m_traits.hostComboId && code == CBN_SELENDOK) {
        OnHostChanged();
        return TRUE;
    }
    return handled;
}

DWORD VqsTargetHostPage::GetWizardButtons(int hostType) const
{
    if (!m_bHostsOfTypeExist || (m_pWizard && m_pWizard->IsPackOverrideNeeded(hostType)))
        return PSWIZB_BACK | PSWIZB_NEXT;
    return PSWIZB_BACK | PSWIZB_FINISH;
}

void VqsTargetHostPage::ShowHostType()
{
    m_hostTypeRadio.m_nValue = RadioIndexOf(m_nHostType);
    UpdateData(FALSE);
}

BOOL VqsTargetHostPage::OnInitDialog()
{
    VqsWizardPage::OnInitDialog();
    if (m_traits.readHostsOnce) {
        try {
            m_hosts.RemoveAll();
            if (VqsSysApp* app = VqsGetApp())
                app->GetEnterprise()->GetListOfHostInformations(m_hosts);
        } catch (const VqException& error) {
            ShowErrorById(IDS_CANNOT_COLLECT_HOSTS, error);
            if (m_pWizard)
                m_pWizard->GetWizardSheet()->CancelSheet();
            return TRUE;
        }
    }
    ShowHostType();
    FillHostCombo();
    return TRUE;
}

void VqsTargetHostPage::CollectHosts(PxTypedList<PxVQHostInformationPtr>& hosts) const
{
    if (m_traits.readHostsOnce) {
        const CList<PxVQHostInformationPtr, const PxVQHostInformationPtr&>& read = m_hosts;
        for (POSITION pos = read.GetHeadPosition(); pos;)
            hosts.AddTail(read.GetNext(pos));
        return;
    }
    VqsModelNodeEnterprise* enterprise = m_pWizard ? m_pWizard->GetEnterpriseNode() : nullptr;
    if (!enterprise)
        return;
    enterprise->LoadHosts(VqsLoadReread);
    CObList nodes;
    enterprise->GetHostNodes(nodes);
    for (POSITION pos = nodes.GetHeadPosition(); pos;) {
        auto* node = static_cast<VqsModelNodeHost*>(nodes.GetNext(pos));
        PxVQHostInformationPtr host = node->GetHostInformation();
        if (host && host->ObjectPresent())
            hosts.AddTail(host);
    }
}

void VqsTargetHostPage::FillHostCombo()
{
    try {
        m_bHostsOfTypeExist = 0;
        PxTypedList<PxVQHostInformationPtr> hosts;
        CollectHosts(hosts);
        const CList<PxVQHostInformationPtr, const PxVQHostInformationPtr&>& list = hosts;
        for (POSITION pos = list.GetHeadPosition(); pos;) {
            if (list.GetNext(pos)->GetHostType() == m_nHostType)
                m_bHostsOfTypeExist = 1;
        }
        if (!m_hostCombo.Fill(hosts, PxVQHostInformationPtr())) {
            if (m_pWizard)
                m_pWizard->GetWizardSheet()->CancelSheet();
            return;
        }
        PostWizardButtons(GetWizardButtons(m_nHostType));
    } catch (const VqException& error) {
        ShowErrorById(IDS_CANNOT_COLLECT_HOSTS, error);
        if (m_pWizard)
            m_pWizard->GetWizardSheet()->CancelSheet();
    }
}

// A radio click always drops the host picked before.
void VqsTargetHostPage::OnTypeClicked(int hostType)
{
    m_nHostType = hostType;
    m_strHostName.Empty();
    FillHostCombo();
}

// The list shows hosts of every type, so a picked host sets the type.
void VqsTargetHostPage::OnHostChanged()
{
    const PxVQHostInformationPtr host = m_hostCombo.GetSelected();
    if (!host) {
        m_strHostName.Empty();
        return;
    }
    try {
        m_bHostsOfTypeExist = 1;
        m_nHostType = host->GetHostType();
        ShowHostType();
        m_strHostName = host->GetName();
        PostWizardButtons(GetWizardButtons(m_nHostType));
    } catch (const VqException& error) {
        ShowErrorById(IDS_CANNOT_COLLECT_HOSTS, error);
    }
}

BOOL VqsTargetHostPage::OnSetActive()
{
    if (!VqsWizardPage::OnSetActive())
        return FALSE;
    PostWizardButtons(GetWizardButtons(m_nHostType));
    return TRUE;
}

int VqsTargetHostPage::CheckSegmentTargetHost() const
{
    const CString segmentName = m_pWizard ? m_pWizard->GetTargetCheckSegment() : CString();
    if (segmentName.IsEmpty())
        return 1;
    int targeted = 0;
    try {
        VqsSysApp* app = VqsGetApp();
        const PxLSEBusinessSegmentPtr segment =
            app ? app->GetLSEEnterprise()->GetBusinessSegment(segmentName) : PxLSEBusinessSegmentPtr();
        targeted = segment ? TargetsHostType(segment, m_nHostType) : 0;
    } catch (const VqException&) {
        targeted = 0;
    }
    if (!targeted)
        AfxMessageBox(IDS_TARGET_HOST_MISMATCH, MB_OK);
    return targeted ? 1 : 0;
}

LRESULT VqsTargetHostPage::OnWizardNext()
{
    if (!CheckSegmentTargetHost())
        return kWizardStay;
    {
        VqsDialogCtrlConnector::StrictControl strict = m_connector.MakeStrict();
        if (!UpdateData(TRUE))
            return kWizardStay;
    }
    if (m_pWizard && m_pWizard->IsPackOverrideNeeded(m_nHostType))
        return VqsWizardPage::OnWizardNext();
    return static_cast<LRESULT>(m_traits.hostPageId);
}

BOOL VqsTargetHostPage::OnWizardFinish()
{
    if (!m_pWizard || !CheckSegmentTargetHost())
        return FALSE;
    {
        VqsDialogCtrlConnector::StrictControl strict = m_connector.MakeStrict();
        if (!UpdateData(TRUE))
            return FALSE;
    }
    return LockAndFinish(m_pWizard->GetFinishLockBag());
}

BOOL VqsTargetHostPage::CreatesHost(const VqsHostPage& hostPage) const
{
    return m_strHostName.IsEmpty() && !m_bHostsOfTypeExist && !hostPage.m_doNotCreate.m_bValue;
}

// ---------------------------------------------------------------- host page

VqsHostPage::VqsHostPage(const VqsHostPageTraits& traits)
    : VqsWizardPage(traits.dialogId, 0), m_name(&m_connector, traits.nameId, kNameLength, 0),
      m_address(&m_connector, traits.addressId, kAddressLength, 0), m_port(&m_connector, traits.portId),
      m_doNotCreate(&m_connector, traits.doNotCreateId), m_traits(traits)
{
    m_port.SetMinimum(1);
    m_port.SetMaximum(65535);
}

VqsHostPage::~VqsHostPage() = default;

BOOL VqsHostPage::OnCmdMsg(UINT id, int code, void* extra, AFX_CMDHANDLERINFO* handlerInfo)
{
    const BOOL handled = VqsWizardPage::OnCmdMsg(id, code, extra, handlerInfo);
    if (handlerInfo || extra)
        return handled;
    if (static_cast<int>(id) == m_traits.doNotCreateId && code == BN_CLICKED) {
        OnDoNotCreate();
        return TRUE;
    }
    if (static_cast<int>(id) == m_traits.portId && code == EN_CHANGE) {
        OnPortChanged();
        return TRUE;
    }
    return handled;
}

UINT& VqsHostPage::RememberedPort(int hostType)
{
    switch (hostType) {
    case VQHostNT:
    case VQHostQSR:
    case VQHostUnix:
        return m_nPorts[hostType];
    default:
        return m_nPorts[VQHostTarsk];
    }
}

DWORD VqsHostPage::GetWizardButtons() const
{
    return m_doNotCreate.m_bValue ? PSWIZB_BACK | PSWIZB_FINISH : PSWIZB_BACK | PSWIZB_NEXT;
}

void VqsHostPage::EnableHostFields()
{
    const BOOL enable = !m_doNotCreate.m_bValue;
    m_name.Enable(enable);
    m_address.Enable(enable);
    m_port.Enable(enable);
}

BOOL VqsHostPage::OnInitDialog()
{
    VqsWizardPage::OnInitDialog();
    EnableHostFields();
    m_port.SetTextLimit(kPortDigits, 0);
    VqsSysApp* app = VqsGetApp();
    for (int hostType : {VQHostNT, VQHostQSR, VQHostUnix, VQHostTarsk})
        RememberedPort(hostType) = app ? app->GetDefaultPort(hostType) : 0;
    return TRUE;
}

BOOL VqsHostPage::OnSetActive()
{
    if (!VqsWizardPage::OnSetActive())
        return FALSE;
    if (m_pWizard)
        m_port.SetValue(RememberedPort(m_pWizard->GetWizardHostType()));
    UpdateData(FALSE);
    if (m_bLocksHeld)
        ReleaseHostLocks();
    PostWizardButtons(GetWizardButtons());
    return TRUE;
}

void VqsHostPage::ReleaseHostLocks()
{
    if (VqsLockBag* bag = m_pWizard ? m_pWizard->GetHostLockBag() : nullptr)
        bag->Release();
    m_bLocksHeld = 0;
}

// Each host type keeps the last port typed for it while the wizard runs.
void VqsHostPage::OnPortChanged()
{
    if (m_pWizard && UpdateData(TRUE))
        RememberedPort(m_pWizard->GetWizardHostType()) = static_cast<UINT>(m_port.GetValue());
}

void VqsHostPage::OnDoNotCreate()
{
    UpdateData(TRUE);
    EnableHostFields();
    PostWizardButtons(GetWizardButtons());
}

// The host is made as the new-host wizard makes one: an address of blanks is none.
int VqsHostPage::ValidateHost(BOOL checkUnique)
{
    m_name.TrimLeftValue();
    m_name.TrimRightValue();
    m_address.TrimLeftValue();
    m_address.TrimRightValue();
    UpdateData(FALSE);
    if (m_doNotCreate.m_bValue)
        return 1;
    if (m_name.GetValue().IsEmpty()) {
        RefuseAt(IDS_ENTER_CORRECT_NAME, m_traits.nameId);
        return 0;
    }
    if (m_address.GetValue().IsEmpty()) {
        RefuseAt(IDS_SPECIFY_NAME_AND_ADDRESS, m_traits.addressId);
        return 0;
    }
    return checkUnique ? CheckHostNameUnique() : 1;
}

int VqsHostPage::CheckHostNameUnique()
{
    try {
        if (IsHostNameTaken()) {
            RefuseAt(IDS_NAME_NOT_UNIQUE_HOST, m_traits.nameId);
            return 0;
        }
    } catch (const VqException& error) {
        ShowErrorById(IDS_CANNOT_ACCESS_HOSTS, error);
        return 0;
    }
    return 1;
}

// Host names are unique without regard to case, as everywhere else in the enterprise.
BOOL VqsHostPage::IsHostNameTaken() const
{
    VqsSysApp* app = VqsGetApp();
    PxTypedList<PxVQHostInformationPtr> hosts;
    if (app)
        app->GetEnterprise()->GetListOfHostInformations(hosts);
    for (POSITION pos = hosts.GetHeadPosition(); pos;) {
        if (_mbsicmp(hosts.GetNext(pos)->GetName().GetString(), m_name.GetValue().GetString()) == 0)
            return TRUE;
    }
    return FALSE;
}

VqsNameTaken VqsHostPage::FindNameTaken()
{
    if (!IsHostNameTaken())
        return {};
    return [this] { RefuseFinishAt(IDS_NAME_NOT_UNIQUE_HOST, m_traits.nameId); };
}

LRESULT VqsHostPage::OnWizardNext()
{
    {
        VqsDialogCtrlConnector::StrictControl strict = m_connector.MakeStrict();
        if (!UpdateData(TRUE) || !ValidateHost(!m_traits.checkNameAfterLock))
            return kWizardStay;
    }
    if (VqsLockBag* bag = m_pWizard ? m_pWizard->GetHostLockBag() : nullptr) {
        const VqsCreatingWizard::LockStep step(CreatingWizard(), VqsFutureUpdateLock);
        if (!LockBagObjects(*bag, VqsFutureUpdateLock))
            return kWizardStay;
        if (m_traits.checkNameAfterLock && !m_doNotCreate.m_bValue && !CheckHostNameUnique()) {
            bag->Release();
            return kWizardStay;
        }
        m_bLocksHeld = 1;
    }
    return VqsWizardPage::OnWizardNext();
}

LRESULT VqsHostPage::OnWizardBack()
{
    if (!m_pWizard || !m_pWizard->IsPackOverrideNeeded(m_pWizard->GetWizardHostType()))
        return static_cast<LRESULT>(m_traits.targetPageId);
    if (m_traits.packPageId)
        return static_cast<LRESULT>(m_traits.packPageId);
    return VqsWizardPage::OnWizardBack();
}

// Finish is offered only while "Do not create Host now" is set, so validation passes at once.
BOOL VqsHostPage::OnWizardFinish()
{
    if (!m_pWizard)
        return FALSE;
    {
        VqsDialogCtrlConnector::StrictControl strict = m_connector.MakeStrict();
        if (!UpdateData(TRUE) || (!m_traits.checkNameAfterLock && !ValidateHost(TRUE)))
            return FALSE;
    }
    return LockAndFinish(m_pWizard->GetFinishLockBag());
}

// ---------------------------------------------------------------- the wizards' members

namespace {

const VqsTargetHostPageTraits kSysGSHostPageTraits = {
    VqsSysGSHostPage::IDD,     VqsSysGSHostPage::IDC_WINDOWS, VqsSysGSHostPage::IDC_UNIX,
    VqsSysGSHostPage::IDC_QSR, VqsSysGSHostPage::IDC_TARSK,   VqsSysGSHostPage::IDC_HOST,
    VqsSysHostPage::IDD,       TRUE};

const VqsTargetHostPageTraits kBSGSHostPageTraits = {
    VqsBSGSHostPage::IDD,     VqsBSGSHostPage::IDC_WINDOWS, VqsBSGSHostPage::IDC_UNIX,
    VqsBSGSHostPage::IDC_QSR, VqsBSGSHostPage::IDC_TARSK,   VqsBSGSHostPage::IDC_HOST,
    VqsBSHostPage::IDD,       FALSE};

const VqsHostPageTraits kSysHostPageTraits = {
    VqsSysHostPage::IDD,  VqsSysHostPage::IDC_NAME, VqsSysHostPage::IDC_ADDRESS, VqsSysHostPage::IDC_PORT,
    VqsSysHostPage::IDC_DO_NOT_CREATE, VqsSysGSHostPage::IDD, 0, FALSE};

const VqsHostPageTraits kBSHostPageTraits = {
    VqsBSHostPage::IDD,  VqsBSHostPage::IDC_NAME, VqsBSHostPage::IDC_ADDRESS, VqsBSHostPage::IDC_PORT,
    VqsBSHostPage::IDC_DO_NOT_CREATE, VqsBSGSHostPage::IDD, 0, FALSE};

const VqsHostPageTraits kGenSetHostPageTraits = {
    VqsGenSetHostPage::IDD,  VqsGenSetHostPage::IDC_NAME, VqsGenSetHostPage::IDC_ADDRESS,
    VqsGenSetHostPage::IDC_PORT, VqsGenSetHostPage::IDC_DO_NOT_CREATE, VqsGenSetHostPage::IDD_TYPE_PAGE,
    VqsGenSetHostPage::IDD_PACK_PAGE, TRUE};

} // namespace

VqsSysGSHostPage::VqsSysGSHostPage() : VqsTargetHostPage(kSysGSHostPageTraits) {}

VqsBSGSHostPage::VqsBSGSHostPage() : VqsTargetHostPage(kBSGSHostPageTraits) {}

VqsSysHostPage::VqsSysHostPage() : VqsHostPage(kSysHostPageTraits) {}

VqsBSHostPage::VqsBSHostPage() : VqsHostPage(kBSHostPageTraits) {}

VqsGenSetHostPage::VqsGenSetHostPage() : VqsHostPage(kGenSetHostPageTraits) {}
