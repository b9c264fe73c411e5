#include "config/VqsOptRepGroupDlg.h"

#include "config/VqsConfigNames.h"
#include "model/VqsLockBag.h"
#include "model/VqsLockScope.h"
#include "model/VqsModelNodeGroups.h"
#include "model/VqsModelNodeLink.h"
#include "model/VqsTransactionGroup.h"
#include "model/VqsTransactionSoftLink.h"
#include "proxy/VqException.h"
#include "shell/VqsMsgBox.h"
#include "shell/VqsSysApp.h"
#include "win/CDataExchange.h"

namespace {

constexpr UINT IDD_REPORT_GROUP = 223;
constexpr UINT IDS_NAME_NOT_UNIQUE = 61464;
constexpr UINT IDS_CANNOT_COLLECT_REPORTS = 61583;
constexpr UINT IDS_CANNOT_ACCESS_GROUPS = 61694;
constexpr UINT IDS_ADD_TARGET_DELETED = 61755;
constexpr int kDescriptionLength = 20;
constexpr int kValidatorRepGroup = 2;

} // namespace

VqsRepGroupDlgBase::VqsRepGroupDlgBase(CWnd* parent)
    : VqsDialog(IDD_REPORT_GROUP, parent),
      m_name(&m_connector, IDC_NAME, m_bLongNames ? kVqsLongNameLength : kVqsReportGroupNameLength,
             m_bLongNames ? 0 : kValidatorRepGroup),
      m_shortName(&m_connector, IDC_SHORT_NAME, kVqsReportGroupNameLength, kValidatorRepGroup),
      m_description(&m_connector, IDC_DESCRIPTION, kDescriptionLength, 0)
{
}

BOOL VqsRepGroupDlgBase::OnInitDialog()
{
    VqsDialog::OnInitDialog();
    if (!m_bLongNames)
        m_shortName.Show(FALSE);
    return TRUE;
}

BOOL VqsRepGroupDlgBase::TakeNames(CString& name, CString& shortName)
{
    return VqsTakeNames(this, m_bLongNames, m_name, IDC_NAME, m_shortName, kVqsReportGroupNameLength, name, shortName);
}

BOOL VqsRepGroupDlgBase::IsNameTaken(VqsModelNodeBSLink* link, const PxVQReportGroupPtr& self, const CString& name,
                                     const CString& shortName, VqsLockBag& bag)
{
    link->LoadReportGroups(VqsLoadReread);
    CObList nodes;
    link->GetReportGroupNodes(nodes);
    for (POSITION pos = nodes.GetHeadPosition(); pos;) {
        const PxVQReportGroupPtr other = static_cast<VqsModelNodeRepGroup*>(nodes.GetNext(pos))->GetReportGroup();
        if (!other || !other->ObjectPresent() || (self && other->IsSameOid(self)))
            continue;
        const BOOL taken = m_bLongNames ? VqsSameName(other->GetName(), shortName) ||
                                              VqsSameName(other->GetLongName(), name)
                                        : VqsSameName(other->GetName(), name);
        if (taken) {
            bag.Release();
            GotoDlgCtrl(GetDlgItem(m_bLongNames ? IDC_SHORT_NAME : IDC_NAME));
            VqsErrorBoxId(IDS_NAME_NOT_UNIQUE);
            return TRUE;
        }
    }
    return FALSE;
}

VqsOptRepGroupDlg::VqsOptRepGroupDlg(VqsModelNodeBSLink* link, CWnd* parent)
    : VqsRepGroupDlgBase(parent), m_pLinkNode(link)
{
}

// The group's node is made, and the group handed to the opener, only once the creation is
// committed; a failed creation keeps the dialog open.
void VqsOptRepGroupDlg::OnOK()
{
    VqsDialogCtrlConnector::StrictControl strict = m_connector.MakeStrict();
    if (!UpdateData(TRUE))
        return;
    CString name;
    CString shortName;
    if (!TakeNames(name, shortName))
        return;
    VqsLockBag bag(VqsWriteLock);
    {
        VqsLockScope scope(VqsSessionLink());
        if (!bag.LockNode(m_pLinkNode))
            return;
    }
    if (bag.ReportDeleted(IDS_ADD_TARGET_DELETED, m_pLinkNode)) {
        OnCancel();
        return;
    }
    try {
        m_pLinkNode->Refresh();
        if (IsNameTaken(m_pLinkNode, PxVQReportGroupPtr(), name, shortName, bag))
            return;
    } catch (const VqReportableException& error) {
        bag.Release();
        ShowErrorById(IDS_CANNOT_COLLECT_REPORTS, error);
        return;
    }
    PxVQReportGroupPtr group;
    {
        CWaitCursor wait;
        VqsTransactionBSSoftLink transaction(m_pLinkNode->GetBSSoftLink());
        group = transaction.CreateReportGroup(name, shortName, m_description.GetValue());
    }
    if (!VqsCreationWritten(m_pLinkNode, group != nullptr))
        return;
    m_pReportGroup = group;
    m_pLinkNode->FindOrCreateReportGroupNode(group, true);
    CDialog::OnOK();
}

BEGIN_MESSAGE_MAP(VqsOptRepGroupEditDlg, VqsRepGroupDlgBase)
    ON_EN_CHANGE(VqsRepGroupDlgBase::IDC_NAME, &VqsOptRepGroupEditDlg::OnNameChanged)
    ON_EN_CHANGE(VqsRepGroupDlgBase::IDC_SHORT_NAME, &VqsOptRepGroupEditDlg::OnShortNameChanged)
    ON_EN_CHANGE(VqsRepGroupDlgBase::IDC_DESCRIPTION, &VqsOptRepGroupEditDlg::OnDescriptionChanged)
END_MESSAGE_MAP()

VqsOptRepGroupEditDlg::VqsOptRepGroupEditDlg(VqsLockBag* bag, VqsModelNodeRepGroup* group,
                                             const PxObjectEdition& edition, CWnd* parent)
    : VqsRepGroupDlgBase(parent), m_pGroupNode(group), m_pBag(bag), m_edition(edition),
      m_session(this, &m_okButton, IDS_CANNOT_ACCESS_GROUPS, [this] { return LoadReportGroup(); })
{
}

void VqsOptRepGroupEditDlg::DoDataExchange(CDataExchange* pDX)
{
    VqsDialog::DoDataExchange(pDX);
    DDX_Control(pDX, IDOK, m_okButton);
}

BOOL VqsOptRepGroupEditDlg::LoadReportGroup()
{
    const PxVQReportGroupPtr group = m_pGroupNode->GetReportGroup();
    if (m_bLongNames) {
        m_name.SetValue(group->GetLongName());
        m_shortName.SetValue(group->GetName());
    } else {
        m_name.SetValue(group->GetName());
    }
    m_description.SetValue(group->GetDescription());
    UpdateData(FALSE);
    return TRUE;
}

BOOL VqsOptRepGroupEditDlg::OnInitDialog()
{
    VqsRepGroupDlgBase::OnInitDialog();
    m_session.Record(m_pGroupNode, m_edition);
    m_session.LoadOpened(*m_pBag, IDS_CANNOT_ACCESS_GROUPS, [this] { return LoadReportGroup(); });
    return TRUE;
}

BOOL VqsOptRepGroupEditDlg::Save(const CString& name, const CString& shortName)
{
    {
        VqsTransactionGroup transaction(m_pGroupNode->GetReportGroup());
        transaction.SetReportGroupSpec(name, shortName, m_description.GetValue());
    }
    return VqsEditWritten(m_pGroupNode);
}

void VqsOptRepGroupEditDlg::OnOK()
{
    VqsDialogCtrlConnector::StrictControl strict = m_connector.MakeStrict();
    if (m_session.HasNothingToSave()) {
        OnCancel();
        return;
    }
    if (!UpdateData(TRUE))
        return;
    VqsModelNodeBSLink* link = m_pGroupNode->GetBSLinkNode();
    VqsLockBag bag(VqsWriteLock);
    CString name;
    CString shortName;
    const auto lockLink = [&] {
        VqsLockScope scope(VqsSessionLink());
        return bag.LockNode(link);
    };
    if (!m_session.LockForWriteAfter(lockLink))
        return;
    try {
        link->Refresh();
        if (!TakeNames(name, shortName)) {
            bag.Release();
            m_session.Release();
            return;
        }
        if (IsNameTaken(link, m_pGroupNode->GetReportGroup(), name, shortName, bag)) {
            m_session.Release();
            return;
        }
    } catch (const VqReportableException& error) {
        bag.Release();
        m_session.Release();
        ShowErrorById(IDS_CANNOT_ACCESS_GROUPS, error);
        return;
    }
    const BOOL saved = Save(name, shortName);
    m_session.Release();
    if (saved)
        CDialog::OnOK();
}
