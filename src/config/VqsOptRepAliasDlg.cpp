#include "config/VqsOptRepAliasDlg.h"

#include "config/VqsConfigNames.h"
#include "model/VqsLockBag.h"
#include "model/VqsLockScope.h"
#include "model/VqsModel.h"
#include "model/VqsModelNodeGroups.h"
#include "model/VqsModelNodeLink.h"
#include "model/VqsTransactionGroup.h"
#include "proxy/PxVQTypes.h"
#include "proxy/VqException.h"
#include "shell/VqsMsgBox.h"
#include "shell/VqsSysApp.h"
#include "win/CDataExchange.h"

#include <vector>

namespace {

constexpr UINT IDD_REPORT_ALIAS = 224;
constexpr UINT IDS_NAME_NOT_UNIQUE = 61464;
constexpr UINT IDS_CANNOT_COLLECT_REPORTS = 61583;
constexpr UINT IDS_NO_REPORTS_TO_ADD = 61585;
constexpr UINT IDS_ADD_TARGET_DELETED = 61755;
constexpr UINT IDS_CONTENTS_UPDATED = 61757;
constexpr UINT IDS_REPORT_NAME_USED_AS_NAME = 61838;
constexpr int kGenerateAsLength = 10;
constexpr int kValidatorID = 1;

std::vector<VqsModelNodeRepAlias*> AliasNodes(VqsModelNodeRepGroup* group)
{
    CObList nodes;
    group->GetRepAliasNodes(nodes);
    std::vector<VqsModelNodeRepAlias*> aliases;
    for (POSITION pos = nodes.GetHeadPosition(); pos;)
        aliases.push_back(static_cast<VqsModelNodeRepAlias*>(nodes.GetNext(pos)));
    return aliases;
}

BOOL IsSame(const PxObjectPtr& a, const PxObjectPtr& b) { return a && b && a->IsSameOid(b); }

} // namespace

VqsOptRepAliasDlg::VqsOptRepAliasDlg(VqsLockBag* bag, VqsModelNodeRepGroup* group, CWnd* parent)
    : VqsDialog(IDD_REPORT_ALIAS, parent), m_generateAs(&m_connector, IDC_GENERATE_AS, kGenerateAsLength, kValidatorID),
      m_reports(0), m_pGroupNode(group), m_pBag(bag)
{
}

void VqsOptRepAliasDlg::DoDataExchange(CDataExchange* pDX)
{
    VqsDialog::DoDataExchange(pDX);
    DDX_Control(pDX, IDC_REPORT, m_reports);
}

BOOL VqsOptRepAliasDlg::CollectReports()
{
    try {
        PxTypedList<PxVQSoftLinkPtr> inGroup;
        for (VqsModelNodeRepAlias* node : AliasNodes(m_pGroupNode)) {
            const PxVQReportSoftLinkAliasPtr alias = node->GetReportAlias();
            if (alias->ObjectPresent())
                inGroup.AddTail(PxVQSoftLinkPtr(alias->GetSoftLink()));
            else
                node->NotifyViews();
        }
        CObList links;
        m_pGroupNode->GetBSLinkNode()->GetElementLinkNodes(links);
        PxTypedList<PxVQReportSoftLinkPtr> candidates;
        BOOL chosenListed = FALSE;
        for (POSITION pos = links.GetHeadPosition(); pos;) {
            auto* node = static_cast<VqsModelNodeElementLink*>(links.GetNext(pos));
            const PxVQElementSoftLinkPtr link = node->GetElementSoftLink();
            if (!link || link->GetElementType() != VQSoftLinkReport)
                continue;
            if (!link->ObjectPresent()) {
                node->NotifyViews();
                continue;
            }
            const CList<PxVQSoftLinkPtr, const PxVQSoftLinkPtr&>& taken = inGroup;
            BOOL already = FALSE;
            for (POSITION at = taken.GetHeadPosition(); at && !already;)
                already = IsSame(taken.GetNext(at), link);
            if (already)
                continue;
            candidates.AddTail(PxVQReportSoftLinkPtr(link));
            chosenListed = chosenListed || IsSame(m_pReport, link);
        }
        if (candidates.IsEmpty()) {
            VqsMessageBoxId(IDS_NO_REPORTS_TO_ADD);
            EndDialog(IDCANCEL);
            return FALSE;
        }
        if (!chosenListed)
            m_pReport = candidates.GetHead();
        if (!m_reports.Fill(candidates, m_pReport)) {
            EndDialog(IDCANCEL);
            return FALSE;
        }
        m_pReport = m_reports.GetSelected();
        UpdateData(FALSE);
    } catch (const VqReportableException& error) {
        ShowErrorById(IDS_CANNOT_COLLECT_REPORTS, error);
        EndDialog(IDCANCEL);
        return FALSE;
    }
    return TRUE;
}

BOOL VqsOptRepAliasDlg::OnInitDialog()
{
    VqsDialog::OnInitDialog();
    CollectReports();
    m_pBag->Release();
    return TRUE;
}

void VqsOptRepAliasDlg::Stay(UINT messageId, int focusId)
{
    GotoDlgCtrl(GetDlgItem(focusId));
    VqsErrorBoxId(messageId);
}

// Locks in a fixed order: the business-segment link (read), then the report's element link
// with the group (write); after each, what is offered is collected again.
BOOL VqsOptRepAliasDlg::LockAndRecheck(VqsLockBag& read, VqsLockBag& write)
{
    VqsModelNodeBSLink* link = m_pGroupNode->GetBSLinkNode();
    {
        VqsLockScope scope(VqsSessionLink());
        if (!read.LockNode(link))
            return FALSE;
    }
    if (read.ReportDeleted(IDS_ADD_TARGET_DELETED, link)) {
        OnCancel();
        return FALSE;
    }
    const PxVQReportSoftLinkPtr chosen = m_pReport;
    link->Refresh();
    link->LoadElementLinks(VqsLoadDropVanished);
    if (!CollectReports())
        return FALSE;
    if (!IsSame(chosen, m_pReport)) {
        read.Release();
        VqsMessageBoxId(IDS_CONTENTS_UPDATED);
        return FALSE;
    }
    VqsModelNodeElementLink* report = m_pGroupNode->GetModel()->FindElementLinkNode(m_pReport);
    if (!report)
        return FALSE;
    CObList nodes;
    nodes.AddTail(report);
    nodes.AddTail(m_pGroupNode);
    {
        VqsLockScope scope(VqsSessionLink());
        if (!write.LockNodes(nodes))
            return FALSE;
    }
    if (write.ReportDeleted(IDS_ADD_TARGET_DELETED, m_pGroupNode)) {
        OnCancel();
        return FALSE;
    }
    m_pGroupNode->Refresh();
    m_pGroupNode->LoadRepAliases(VqsLoadDropVanished);
    if (!CollectReports())
        return FALSE;
    if (!IsSame(chosen, m_pReport)) {
        read.Release();
        write.Release();
        VqsMessageBoxId(IDS_CONTENTS_UPDATED);
        return FALSE;
    }
    CObList aliases;
    m_pGroupNode->GetRepAliasNodes(aliases);
    VqsLockScope scope(VqsSessionLink());
    return read.LockNodes(aliases);
}

BOOL VqsOptRepAliasDlg::ClashesWithGroup(const CString& generateAs)
{
    const CString reportName = m_pReport->GetName();
    for (VqsModelNodeRepAlias* node : AliasNodes(m_pGroupNode)) {
        const PxVQReportSoftLinkAliasPtr alias = node->GetReportAlias();
        const CString asName = alias->GetGenerateAs();
        if (!asName.IsEmpty() && VqsSameName(asName, reportName)) {
            Stay(IDS_REPORT_NAME_USED_AS_NAME, IDC_REPORT);
            return TRUE;
        }
        if (!generateAs.IsEmpty() && ((!asName.IsEmpty() && VqsSameName(generateAs, asName)) ||
                                      VqsSameName(generateAs, alias->GetSoftLink()->GetName()))) {
            Stay(IDS_NAME_NOT_UNIQUE, IDC_GENERATE_AS);
            return TRUE;
        }
    }
    return FALSE;
}

// The entry's node is made only once the creation is committed.
BOOL VqsOptRepAliasDlg::Create(const CString& generateAs)
{
    PxVQReportSoftLinkAliasPtr alias;
    {
        VqsTransactionGroup transaction(m_pGroupNode->GetReportGroup());
        alias = transaction.CreateReportAlias(m_pReport, generateAs);
    }
    if (!VqsCreationWritten(m_pGroupNode, alias != nullptr))
        return FALSE;
    m_pAlias = alias;
    m_pGroupNode->FindOrCreateRepAliasNode(alias, true);
    return TRUE;
}

void VqsOptRepAliasDlg::OnOK()
{
    VqsDialogCtrlConnector::StrictControl strict = m_connector.MakeStrict();
    m_pReport = m_reports.GetSelected();
    if (!m_pReport || !UpdateData(TRUE))
        return;
    CWaitCursor wait;
    m_generateAs.TrimLeftValue();
    m_generateAs.TrimRightValue();
    const CString generateAs = m_generateAs.GetValue();
    VqsLockBag read(VqsReadLock);
    VqsLockBag write(VqsWriteLock);
    try {
        if (!LockAndRecheck(read, write))
            return;
        if (ClashesWithGroup(generateAs)) {
            read.Release();
            write.Release();
            return;
        }
    } catch (const VqReportableException& error) {
        read.Release();
        write.Release();
        ShowErrorById(IDS_CANNOT_COLLECT_REPORTS, error);
        EndDialog(IDCANCEL);
        return;
    }
    if (Create(generateAs))
        CDialog::OnOK();
}

BEGIN_MESSAGE_MAP(VqsOptRepAliasEditDlg, VqsDialog)
    ON_EN_CHANGE(VqsOptRepAliasEditDlg::IDC_GENERATE_AS, &VqsOptRepAliasEditDlg::OnGenerateAsChanged)
END_MESSAGE_MAP()

VqsOptRepAliasEditDlg::VqsOptRepAliasEditDlg(VqsLockBag* bag, VqsModelNodeRepAlias* alias,
                                             const PxObjectEdition& aliasEdition, VqsModelNodeElementLink* report,
                                             const PxObjectEdition& reportEdition, CWnd* parent)
    : VqsDialog(IDD_REPORT_ALIAS, parent), m_generateAs(&m_connector, IDC_GENERATE_AS, kGenerateAsLength, kValidatorID),
      m_report(0), m_pAliasNode(alias), m_pReportNode(report), m_pBag(bag), m_aliasEdition(aliasEdition),
      m_reportEdition(reportEdition),
      m_session(this, &m_okButton, IDS_CANNOT_COLLECT_REPORTS, [this] { return LoadAlias(); })
{
}

void VqsOptRepAliasEditDlg::DoDataExchange(CDataExchange* pDX)
{
    VqsDialog::DoDataExchange(pDX);
    DDX_Control(pDX, IDC_REPORT, m_report);
    DDX_Control(pDX, IDOK, m_okButton);
}

BOOL VqsOptRepAliasEditDlg::LoadAlias()
{
    m_generateAs.SetValue(m_pAliasNode->GetReportAlias()->GetGenerateAs());
    PxTypedList<PxVQSoftLinkPtr> reports;
    const PxVQSoftLinkPtr report(m_pReportNode->GetElementSoftLink());
    reports.AddTail(report);
    if (!m_report.Fill(reports, report)) {
        EndDialog(IDCANCEL);
        return FALSE;
    }
    UpdateData(FALSE);
    return TRUE;
}

BOOL VqsOptRepAliasEditDlg::OnInitDialog()
{
    VqsDialog::OnInitDialog();
    m_session.Record(m_pReportNode, m_reportEdition, VqsLongReadLock);
    m_session.Record(m_pAliasNode, m_aliasEdition);
    if (!m_session.LoadOpened(*m_pBag, IDS_CANNOT_COLLECT_REPORTS, [this] { return LoadAlias(); }))
        return TRUE;
    m_report.EnableWindow(FALSE);
    GotoDlgCtrl(GetDlgItem(IDC_GENERATE_AS));
    return FALSE;
}

// An entry whose report has no node any more cannot be compared; the views hear of it and
// the check goes on, instead of OK doing nothing without a word.
BOOL VqsOptRepAliasEditDlg::IsNameTaken(const CString& generateAs, VqsLockBag& others)
{
    VqsModelNodeRepGroup* group = m_pAliasNode->GetRepGroupNode();
    const PxVQReportSoftLinkAliasPtr self = m_pAliasNode->GetReportAlias();
    for (VqsModelNodeRepAlias* node : AliasNodes(group)) {
        const PxVQReportSoftLinkAliasPtr alias = node->GetReportAlias();
        if (IsSame(alias, self))
            continue;
        if (!alias->ObjectPresent()) {
            node->NotifyViews();
            continue;
        }
        VqsModelNodeLink* report = group->GetModel()->FindOptionNodeOfOSet(PxVQSoftLinkPtr(alias->GetSoftLink()));
        if (!report) {
            node->NotifyViews();
            continue;
        }
        CObList nodes;
        nodes.AddTail(report);
        nodes.AddTail(node);
        {
            VqsLockScope scope(VqsSessionLink());
            if (!others.LockNodes(nodes))
                return TRUE;
        }
        const CString asName = alias->GetGenerateAs();
        if ((!asName.IsEmpty() && VqsSameName(generateAs, asName)) ||
            VqsSameName(generateAs, alias->GetSoftLink()->GetName())) {
            GotoDlgCtrl(GetDlgItem(IDC_GENERATE_AS));
            VqsErrorBoxId(IDS_NAME_NOT_UNIQUE);
            return TRUE;
        }
    }
    return FALSE;
}

BOOL VqsOptRepAliasEditDlg::Save(const CString& generateAs)
{
    {
        VqsTransactionRepAlias transaction(m_pAliasNode->GetReportAlias());
        transaction.SetReportAliasGenerateAs(generateAs);
    }
    return VqsEditWritten(m_pAliasNode);
}

void VqsOptRepAliasEditDlg::OnOK()
{
    VqsDialogCtrlConnector::StrictControl strict = m_connector.MakeStrict();
    if (m_session.HasNothingToSave()) {
        OnCancel();
        return;
    }
    if (!UpdateData(TRUE))
        return;
    CWaitCursor wait;
    m_generateAs.TrimLeftValue();
    m_generateAs.TrimRightValue();
    const CString generateAs = m_generateAs.GetValue();
    VqsModelNodeRepGroup* group = m_pAliasNode->GetRepGroupNode();
    VqsLockBag linkBag(VqsReadLock);
    VqsLockBag groupBag(VqsWriteLock);
    VqsLockBag others(VqsWriteLock);
    // The segment link before the group, as the new entry, the group's OK and a Delete take
    // them: the group and the report links below the link are then never waited for in
    // opposite orders (a Delete holds the report link when it comes to the group).
    const auto lockGroup = [&] {
        VqsLockScope scope(VqsSessionLink());
        return linkBag.LockNode(group->GetBSLinkNode()) && groupBag.LockNode(group);
    };
    const auto giveBack = [&] {
        linkBag.Release();
        groupBag.Release();
        others.Release();
        m_session.Release();
    };
    if (!m_session.LockForWriteAfter(lockGroup))
        return;
    try {
        group->LoadRepAliases(VqsLoadReread);
        if (!generateAs.IsEmpty() && IsNameTaken(generateAs, others)) {
            giveBack();
            return;
        }
    } catch (const VqReportableException& error) {
        giveBack();
        ShowErrorById(IDS_CANNOT_COLLECT_REPORTS, error);
        return;
    }
    const BOOL saved = Save(generateAs);
    m_session.Release();
    if (saved)
        CDialog::OnOK();
}
