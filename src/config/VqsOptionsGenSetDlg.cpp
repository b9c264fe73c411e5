#include "config/VqsOptionsGenSetDlg.h"

#include "config/VqsConfigNames.h"
#include "model/VqsLockBag.h"
#include "model/VqsLockScope.h"
#include "model/VqsModelNodeEnterprise.h"
#include "model/VqsModelNodeHost.h"
#include "model/VqsModelNodeOSet.h"
#include "model/VqsModelNodeSystem.h"
#include "model/VqsTransactionGenSet.h"
#include "proxy/PxLSEBusinessSegment.h"
#include "proxy/PxLSEEnterprise.h"
#include "proxy/PxVQBSSoftLink.h"
#include "proxy/PxVQConfig.h"
#include "proxy/PxVQHostInformation.h"
#include "proxy/PxVQSystem.h"
#include "proxy/VqException.h"
#include "shell/VqsDisplayNames.h"
#include "shell/VqsMsgBox.h"
#include "shell/VqsSysApp.h"
#include "win/CDataExchange.h"

namespace {

constexpr UINT IDD_GENSET_OPTIONS = 141;
constexpr UINT IDS_NAME_NOT_UNIQUE = 61464;
constexpr UINT IDS_CANNOT_ACCESS_OPTION_SET = 61641;
constexpr UINT IDS_CANNOT_CONTINUE_EDITING = 61748;
constexpr int kDescriptionLength = 30;
constexpr int kHostTextLimit = 50;
constexpr int kValidatorASCIIUppercase = 3;
// The host list's entry for no host.
constexpr const char* kNoHost = " ";

BOOL IsPreviousConfig(VqsModelNodeGenSet* genSet)
{
    const PxVQConfigPtr config = VqsObjectOf<PxVQConfigPtr>(genSet->GetParent());
    return config && config->_IsKindOf("PxVQOldConfig");
}

} // namespace

BEGIN_MESSAGE_MAP(VqsOptionsGenSetDlg, VqsDialog)
    ON_CBN_SELCHANGE(VqsOptionsGenSetDlg::IDC_HOST, &VqsOptionsGenSetDlg::OnHostChanged)
    ON_CBN_EDITCHANGE(VqsOptionsGenSetDlg::IDC_HOST, &VqsOptionsGenSetDlg::OnHostChanged)
    ON_EN_CHANGE(VqsOptionsGenSetDlg::IDC_NAME, &VqsOptionsGenSetDlg::OnNameChanged)
    ON_EN_CHANGE(VqsOptionsGenSetDlg::IDC_SHORT_NAME, &VqsOptionsGenSetDlg::OnShortNameChanged)
    ON_EN_CHANGE(VqsOptionsGenSetDlg::IDC_DESCRIPTION, &VqsOptionsGenSetDlg::OnDescriptionChanged)
END_MESSAGE_MAP()

VqsOptionsGenSetDlg::VqsOptionsGenSetDlg(VqsLockBag* bag, VqsModelNodeGenSet* genSet, const PxObjectEdition& edition,
                                         CWnd* parent)
    : VqsDialog(IDD_GENSET_OPTIONS, parent),
      m_name(&m_connector, IDC_NAME, m_bLongNames ? kVqsLongNameLength : kVqsGenSetNameLength,
             m_bLongNames ? 0 : kValidatorASCIIUppercase),
      m_shortName(&m_connector, IDC_SHORT_NAME, kVqsGenSetNameLength, kValidatorASCIIUppercase),
      m_description(&m_connector, IDC_DESCRIPTION, kDescriptionLength, 0), m_host(&m_connector, IDC_HOST, 0),
      m_pGenSetNode(genSet), m_bPreviousConfig(IsPreviousConfig(genSet)), m_pBag(bag), m_edition(edition),
      m_session(this, &m_okButton, IDS_CANNOT_CONTINUE_EDITING, [this] { return Reload(); })
{
}

void VqsOptionsGenSetDlg::DoDataExchange(CDataExchange* pDX)
{
    VqsDialog::DoDataExchange(pDX);
    DDX_Control(pDX, IDOK, m_okButton);
}

void VqsOptionsGenSetDlg::FillHosts(int hostType)
{
    CStringList hosts;
    if (!m_bPreviousConfig) {
        CObList nodes;
        m_pGenSetNode->GetRoot()->GetHostNodes(nodes);
        for (POSITION pos = nodes.GetHeadPosition(); pos;) {
            const PxVQHostInformationPtr host = static_cast<VqsModelNodeHost*>(nodes.GetNext(pos))->GetHostInformation();
            if (host && host->ObjectPresent() && host->GetHostType() == hostType)
                hosts.AddTail(host->GetName());
        }
    }
    hosts.AddTail(kNoHost);
    m_host.SetItems(hosts);
}

// The segment of the system's first business-segment link asks for Japanese support and
// targets QSR only.
BOOL VqsOptionsGenSetDlg::IsJapaneseOnlyQsr() const
{
    try {
        const VqsSysApp* app = VqsGetApp();
        const PxVQConfigPtr config = m_pGenSetNode->GetOptionSet()->GetConfig();
        const PxVQSystemPtr system = config ? config->GetSystem() : PxVQSystemPtr();
        const PxVQCurConfigPtr current = system ? system->GetCurConfig() : PxVQCurConfigPtr();
        if (!app || !app->GetLSEEnterprise() || !current)
            return FALSE;
        PxTypedList<PxVQBSSoftLinkPtr> links;
        current->GetListOfBSSoftLinks(links);
        if (links.IsEmpty())
            return FALSE;
        const PxLSEBusinessSegmentPtr segment = app->GetLSEEnterprise()->GetBusinessSegment(links.GetHead()->GetName());
        return segment && segment->GetJapaneseSupport() && segment->GetTargetHostQsr() &&
               !segment->GetTargetHostOsTarsk() && !segment->GetTargetHostUnix() && !segment->GetTargetHostNt();
    } catch (const VqException&) {
        return FALSE;
    }
}

BOOL VqsOptionsGenSetDlg::LoadGenSet()
{
    const PxVQGenSetPtr genSet = m_pGenSetNode->GetGenSet();
    m_strLoadedName = genSet->GetName();
    m_strLoadedLongName = genSet->GetLongName();
    const CString description = genSet->GetDescription();
    m_strLoadedDescription = description;
    const CString hostName = genSet->GetHostName();
    const int hostType = genSet->GetHostType();
    SetWindowText(VqsReplaceFirstS(m_strTitle, VqsGetHostTypeName(hostType)));
    FillHosts(hostType);
    m_host.SetValue(hostName.IsEmpty() ? kNoHost : hostName.GetString());
    if (m_bLongNames) {
        m_name.SetValue(m_strLoadedLongName);
        m_shortName.SetValue(m_strLoadedName);
    } else {
        m_name.SetValue(m_strLoadedName);
    }
    m_bJapanese = IsJapaneseOnlyQsr();
    if (m_bJapanese && m_description.ContainsKanji(description))
        m_strShownDescription = VqsWithShiftMarks(m_description, description, kDescriptionLength);
    else
        m_strShownDescription = description;
    m_description.SetValue(m_strShownDescription);
    UpdateData(FALSE);
    return TRUE;
}

BOOL VqsOptionsGenSetDlg::Reload()
{
    VqsModelNodeEnterprise* root = m_pGenSetNode->GetRoot();
    VqsLockBag read(VqsReadLock);
    {
        VqsLockScope scope(VqsSessionLink());
        if (!read.LockNode(root))
            return FALSE;
    }
    root->Refresh();
    root->LoadHosts(VqsLoadReread);
    m_pGenSetNode->Refresh();
    return LoadGenSet();
}

BOOL VqsOptionsGenSetDlg::OnInitDialog()
{
    VqsDialog::OnInitDialog();
    GetWindowText(m_strTitle);
    m_host.SetTextLimit(kHostTextLimit);
    if (!m_bLongNames)
        m_shortName.Show(FALSE);
    m_session.Record(m_pGenSetNode, m_edition);
    if (!m_session.LoadOpened(*m_pBag, IDS_CANNOT_ACCESS_OPTION_SET, [this] { return LoadGenSet(); }))
        return TRUE;
    if (m_bPreviousConfig)
        m_connector.SetReadOnly();
    return TRUE;
}

void VqsOptionsGenSetDlg::OnControlChanged(VqsOptCtrl& binder)
{
    if (!m_bPreviousConfig)
        m_session.OnControlChanged(binder);
}

BOOL VqsOptionsGenSetDlg::AreNamesFree(const CString& name, const CString& shortName, VqsLockBag& bag)
{
    auto* config = static_cast<VqsModelNodeConfig*>(m_pGenSetNode->GetParent());
    try {
        {
            VqsLockScope scope(VqsSessionLink());
            if (!bag.LockNode(config))
                return FALSE;
        }
        config->Refresh();
        config->LoadOptionSets(VqsLoadReread);
        const BOOL renamed = shortName != m_strLoadedName || (m_bLongNames && name != m_strLoadedLongName);
        if (!renamed)
            return TRUE;
        bool nameUsed = false;
        bool shortNameUsed = false;
        if (!config->IsOptionSetNameUsed(name, nameUsed, shortName, shortNameUsed, m_pGenSetNode)) {
            bag.Release();
            return FALSE;
        }
        if (nameUsed || shortNameUsed) {
            bag.Release();
            GotoDlgCtrl(GetDlgItem(shortNameUsed && m_bLongNames ? IDC_SHORT_NAME : IDC_NAME));
            VqsErrorBoxId(IDS_NAME_NOT_UNIQUE);
            return FALSE;
        }
    } catch (const VqReportableException& error) {
        bag.Release();
        ShowErrorById(IDS_CANNOT_ACCESS_OPTION_SET, error);
        return FALSE;
    }
    return TRUE;
}

BOOL VqsOptionsGenSetDlg::Save(const CString& name, const CString& shortName)
{
    // A description the user left is written back as loaded, not as the field shows it.
    const bool changed = m_description.GetValue() != m_strShownDescription;
    CString description = changed ? m_description.GetValue() : m_strLoadedDescription;
    if (changed && m_bJapanese && m_description.ContainsKanji(description)) {
        description = VqsWithoutShiftMarks(VqsWithShiftMarks(m_description, description, kDescriptionLength));
        m_description.SetValue(description);
        UpdateData(FALSE);
    }
    const CString host = m_host.GetValue() == kNoHost ? CString() : m_host.GetValue();
    {
        VqsTransactionGenSet transaction(m_pGenSetNode->GetGenSet());
        transaction.SetGenSetSpec(name, shortName, description, host);
    }
    return VqsEditWritten(m_pGenSetNode);
}

void VqsOptionsGenSetDlg::OnOK()
{
    VqsDialogCtrlConnector::StrictControl strict = m_connector.MakeStrict();
    if (m_session.HasNothingToSave() || m_bPreviousConfig) {
        OnCancel();
        return;
    }
    if (!UpdateData(TRUE))
        return;
    CString name;
    CString shortName;
    if (!VqsTakeNames(this, m_bLongNames, m_name, IDC_NAME, m_shortName, kVqsGenSetNameLength, name, shortName))
        return;
    VqsLockBag config(VqsWriteLock);
    const auto lockConfig = [&] {
        VqsLockScope scope(VqsSessionLink());
        return config.LockNode(m_pGenSetNode->GetParent());
    };
    if (!m_session.LockForWriteAfter(lockConfig) || !AreNamesFree(name, shortName, config)) {
        m_session.Release();
        return;
    }
    const BOOL saved = Save(name, shortName);
    m_session.Release();
    if (saved)
        CDialog::OnOK();
}
