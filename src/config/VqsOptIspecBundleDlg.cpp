#include "config/VqsOptIspecBundleDlg.h"

#include "config/VqsEditSession.h"
#include "model/VqsBundleIspecs.h"
#include "model/VqsLockScope.h"
#include "model/VqsModel.h"
#include "model/VqsModelNodeGroups.h"
#include "model/VqsModelNodeLink.h"
#include "model/VqsTransactionBundle.h"
#include "proxy/PxOidLists.h"
#include "proxy/VqException.h"
#include "shell/VqsMsgBox.h"
#include "shell/VqsRedrawSwitch.h"
#include "shell/VqsSysApp.h"
#include "win/CDataExchange.h"

namespace {

constexpr UINT IDD_ISPEC_BUNDLE = 832;
constexpr UINT IDS_ITEM_DELETED = 61746;
constexpr UINT IDS_ADD_TARGET_DELETED = 61755;
constexpr UINT IDS_TITLE = 61893;
constexpr UINT IDS_CANNOT_COLLECT_ISPECS = 61894;
constexpr UINT WM_UPDATE_REMOVE = WM_USER + 3;
constexpr UINT WM_UPDATE_ADD = WM_USER + 4;

} // namespace

BEGIN_MESSAGE_MAP(VqsOptIspecBundleDlg, VqsDialog)
    ON_BN_CLICKED(VqsOptIspecBundleDlg::IDC_ADD_ALL, &VqsOptIspecBundleDlg::OnAddAll)
    ON_BN_CLICKED(VqsOptIspecBundleDlg::IDC_ADD, &VqsOptIspecBundleDlg::OnAdd)
    ON_BN_CLICKED(VqsOptIspecBundleDlg::IDC_REMOVE, &VqsOptIspecBundleDlg::OnRemove)
    ON_BN_CLICKED(VqsOptIspecBundleDlg::IDC_REMOVE_ALL, &VqsOptIspecBundleDlg::OnRemoveAll)
    ON_NOTIFY(LVN_ITEMCHANGED, VqsOptIspecBundleDlg::IDC_MEMBERS, &VqsOptIspecBundleDlg::OnMembersChanged)
    ON_NOTIFY(LVN_ITEMCHANGED, VqsOptIspecBundleDlg::IDC_AVAILABLE, &VqsOptIspecBundleDlg::OnAvailableChanged)
    ON_MESSAGE(WM_UPDATE_REMOVE, &VqsOptIspecBundleDlg::OnUpdateRemove)
    ON_MESSAGE(WM_UPDATE_ADD, &VqsOptIspecBundleDlg::OnUpdateAdd)
END_MESSAGE_MAP()

VqsOptIspecBundleDlg::VqsOptIspecBundleDlg(VqsLockBag* bag, VqsModelNodeBundle* bundle, CWnd* parent)
    : VqsDialog(IDD_ISPEC_BUNDLE, parent), m_pBundle(bundle->GetBundle()), m_pBundleNode(bundle),
      m_pLinkNode(bundle->GetBSLinkNode()), m_pBag(bag)
{
}

void VqsOptIspecBundleDlg::DoDataExchange(CDataExchange* pDX)
{
    VqsDialog::DoDataExchange(pDX);
    DDX_Control(pDX, IDOK, m_okButton);
    DDX_Control(pDX, IDC_ADD, m_addButton);
    DDX_Control(pDX, IDC_ADD_ALL, m_addAllButton);
    DDX_Control(pDX, IDC_REMOVE, m_removeButton);
    DDX_Control(pDX, IDC_REMOVE_ALL, m_removeAllButton);
    DDX_Control(pDX, IDC_AVAILABLE, m_available);
    DDX_Control(pDX, IDC_MEMBERS, m_members);
    DDX_Text(pDX, IDC_AVAILABLE_COUNT, m_nAvailableCount);
    DDX_Text(pDX, IDC_MEMBER_COUNT, m_nMemberCount);
}

void VqsOptIspecBundleDlg::CollectMembers(IspecList& members, CObList& nodes)
{
    PxTypedList<PxVQIspecBundleDataPtr> entries;
    m_pBundle->GetListOfIspecBundleData(entries);
    VqsModel* model = m_pBundleNode->GetModel();
    const CList<PxVQIspecBundleDataPtr, const PxVQIspecBundleDataPtr&>& list = entries;
    for (POSITION pos = list.GetHeadPosition(); pos;) {
        const PxVQIspecBundleDataPtr& entry = list.GetNext(pos);
        const PxVQIspecSoftLinkPtr ispec = entry->GetIspecInformation();
        if (VqsModelNode* node = model->FindElementLinkNode(ispec))
            nodes.AddTail(node);
        if (VqsModelNode* node = model->FindIspecBundleDataNode(entry))
            nodes.AddTail(node);
        members.AddTail(ispec);
    }
}

// An Ispec without an element link node is left out, and the others are still collected.
void VqsOptIspecBundleDlg::CollectAvailable(const IspecList& members, IspecList& available, CObList& nodes)
{
    IspecList ispecs;
    VqsCollectBundleIspecs(m_pLink, ispecs);
    VqsModel* model = m_pBundleNode->GetModel();
    const CList<PxVQIspecSoftLinkPtr, const PxVQIspecSoftLinkPtr&>& list = ispecs;
    for (POSITION pos = list.GetHeadPosition(); pos;) {
        const PxVQIspecSoftLinkPtr& ispec = list.GetNext(pos);
        if (PxHoldsOid(members, ispec))
            continue;
        VqsModelNode* node = model->FindElementLinkNode(ispec);
        if (!node)
            continue;
        nodes.AddTail(node);
        available.AddTail(ispec);
    }
}

BOOL VqsOptIspecBundleDlg::OnInitDialog()
{
    VqsDialog::OnInitDialog();
    CObList nodes;
    try {
        VqsLockScope scope(VqsSessionLink());
        m_bContainsAll = m_pBundle->GetContainsAllIspecs();
        m_pLink = m_pBundle->GetBSSoftLink();
        CString title;
        if (title.LoadString(IDS_TITLE)) {
            CString formatted;
            formatted.Format(title, m_pBundle->GetName().GetString());
            SetWindowText(formatted);
        }
        CollectMembers(m_initialMembers, nodes);
        if (!m_bContainsAll)
            CollectAvailable(m_initialMembers, m_initialAvailable, nodes);
    } catch (const VqReportableException& error) {
        m_pBag->Release();
        ShowErrorById(IDS_CANNOT_COLLECT_ISPECS, error);
        EndDialog(IDCANCEL);
        return TRUE;
    }
    {
        VqsLockScope scope(VqsSessionLink());
        if (!m_pBag->LockNodes(nodes)) {
            m_pBag->Release();
            EndDialog(IDCANCEL);
            return TRUE;
        }
    }
    if (!m_available.Init() || !m_members.Init() || !m_available.SetObjects(m_initialAvailable) ||
        !m_members.SetObjects(m_initialMembers)) {
        EndDialog(IDCANCEL);
        return TRUE;
    }
    m_pBag->Release();
    m_nAvailableCount = m_available.GetItemCount();
    m_nMemberCount = m_members.GetItemCount();
    UpdateData(FALSE);
    UpdateButtons();
    return TRUE;
}

void VqsOptIspecBundleDlg::UpdateButtons()
{
    const BOOL movable = !m_bContainsAll;
    m_removeAllButton.EnableWindow(movable && m_members.GetItemCount() > 0);
    m_removeButton.EnableWindow(movable && m_members.GetSelectedCount() > 0);
    m_addButton.EnableWindow(movable && m_available.GetSelectedCount() > 0);
    m_addAllButton.EnableWindow(movable && m_available.GetItemCount() > 0);
}

void VqsOptIspecBundleDlg::OnMembersChanged(NMHDR*, LRESULT* result)
{
    if (!m_bRemovePending) {
        m_bRemovePending = TRUE;
        PostMessage(WM_UPDATE_REMOVE);
    }
    *result = 0;
}

void VqsOptIspecBundleDlg::OnAvailableChanged(NMHDR*, LRESULT* result)
{
    if (!m_bAddPending) {
        m_bAddPending = TRUE;
        PostMessage(WM_UPDATE_ADD);
    }
    *result = 0;
}

LRESULT VqsOptIspecBundleDlg::OnUpdateRemove(WPARAM, LPARAM)
{
    m_bRemovePending = FALSE;
    m_removeButton.EnableWindow(!m_bContainsAll && m_members.GetSelectedCount() > 0);
    return 0;
}

LRESULT VqsOptIspecBundleDlg::OnUpdateAdd(WPARAM, LPARAM)
{
    m_bAddPending = FALSE;
    m_addButton.EnableWindow(!m_bContainsAll && m_available.GetSelectedCount() > 0);
    return 0;
}

void VqsOptIspecBundleDlg::EndWithError(UINT messageId, const VqException* error)
{
    m_update.UnlockAll();
    m_linkBag.UnlockAll();
    if (error)
        ShowErrorById(messageId, *error);
    else
        VqsErrorBoxId(messageId);
    EndDialog(IDCANCEL);
}

BOOL VqsOptIspecBundleDlg::BeginEdit()
{
    try {
        {
            VqsLockScope scope(VqsSessionLink());
            m_linkBag.LockNode(m_pLinkNode);
            if (!m_linkBag.LockObjects(VqsLongReadLock) || !m_update.LockNode(m_pBundleNode))
                return FALSE;
        }
        if (m_update.ReportDeleted(IDS_ITEM_DELETED, m_pBundleNode) ||
            m_linkBag.ReportDeleted(IDS_ITEM_DELETED, m_pLinkNode)) {
            m_okButton.EnableWindow(FALSE);
            return FALSE;
        }
        IspecList members;
        IspecList available;
        CObList nodes;
        CollectMembers(members, nodes);
        if (!m_bContainsAll)
            CollectAvailable(members, available, nodes);
        if (!PxSameOids(members, m_initialMembers) || !PxSameOids(available, m_initialAvailable)) {
            EndWithError(IDS_CANNOT_COLLECT_ISPECS, nullptr);
            return FALSE;
        }
    } catch (const VqReportableException& error) {
        EndWithError(IDS_CANNOT_COLLECT_ISPECS, &error);
        return FALSE;
    }
    return TRUE;
}

BOOL VqsOptIspecBundleDlg::LockEntry(const PxVQIspecSoftLinkPtr& ispec, BOOL back, VqsLockBag& released)
{
    PxTypedList<PxVQIspecBundleDataPtr> entries;
    ispec->GetListOfIspecBundleData(entries);
    const CList<PxVQIspecBundleDataPtr, const PxVQIspecBundleDataPtr&>& list = entries;
    for (POSITION pos = list.GetHeadPosition(); pos;) {
        const PxVQIspecBundleDataPtr& entry = list.GetNext(pos);
        if (!entry->GetBundleInformation()->IsSameOid(m_pBundle))
            continue;
        VqsModelNode* node = m_pBundleNode->GetModel()->FindIspecBundleDataNode(entry);
        if (!node)
            return FALSE;
        if (back)
            return m_update.Contains(node) && released.TakeOverNode(node, m_update);
        return m_update.LockNode(node);
    }
    return TRUE;
}

BOOL VqsOptIspecBundleDlg::LockMovedIspecs(const IspecList& moved, BOOL removing)
{
    VqsLockBag released(VqsNoLock);
    try {
        VqsLockScope scope(VqsSessionLink());
        const CList<PxVQIspecSoftLinkPtr, const PxVQIspecSoftLinkPtr&>& list = moved;
        for (POSITION pos = list.GetHeadPosition(); pos;) {
            const PxVQIspecSoftLinkPtr& ispec = list.GetNext(pos);
            VqsModelNode* node = m_pBundleNode->GetModel()->FindElementLinkNode(ispec);
            if (!node)
                return FALSE;
            const BOOL back = PxHoldsOid(m_initialMembers, ispec) && m_update.Contains(node);
            BOOL locked = FALSE;
            if (back || (removing && m_update.Contains(node)))
                locked = released.TakeOverNode(node, m_update);
            else
                locked = m_update.LockNode(node);
            if (!locked || !LockEntry(ispec, back, released))
                return FALSE;
        }
    } catch (const VqReportableException& error) {
        EndWithError(IDS_CANNOT_COLLECT_ISPECS, &error);
        return FALSE;
    }
    return TRUE;
}

// The first move begins the edit; a move whose edit could not begin tries again next time.
void VqsOptIspecBundleDlg::Move(VqsTypedListCtrl_IspecBundleDataLink& from, VqsTypedListCtrl_IspecBundleDataLink& to,
                                BOOL all, BOOL removing)
{
    if (!UpdateData(TRUE))
        return;
    if (!m_bEditing) {
        if (!BeginEdit())
            return;
        m_bEditing = TRUE;
    }
    IspecList moved;
    if (all)
        from.GetAllObjects(moved);
    else
        from.GetSelectedObjects(moved);
    if (moved.IsEmpty() || !LockMovedIspecs(moved, removing))
        return;
    {
        VqsRedrawSwitch redraw(&to);
        CWaitCursor wait;
        if (all)
            from.DeleteAllItems();
        else
            from.RemoveSelected(moved);
        to.AddObjects(moved);
    }
    m_nAvailableCount = m_available.GetItemCount();
    m_nMemberCount = m_members.GetItemCount();
    UpdateData(FALSE);
    UpdateButtons();
}

// The membership and the unused links that only the removed entries kept go in one
// transaction.
BOOL VqsOptIspecBundleDlg::Write(const IspecList& removed, const IspecList& added)
{
    CObList candidates;
    VqsModel* model = m_pBundleNode->GetModel();
    VqsLockBag read(VqsReadLock);
    VqsLockBag write(VqsWriteLock);
    VqsLockScope scope(VqsSessionLink());
    if (!read.LockNode(m_pLinkNode))
        return FALSE;
    if (read.ReportDeleted(IDS_ADD_TARGET_DELETED, m_pLinkNode)) {
        OnCancel();
        return FALSE;
    }
    try {
        m_pLinkNode->Refresh();
        m_pLinkNode->LoadElementLinks(VqsLoadDropVanished);
        if (!write.LockNode(m_pBundleNode))
            return FALSE;
        if (write.ReportDeleted(IDS_ADD_TARGET_DELETED, m_pBundleNode)) {
            OnCancel();
            return FALSE;
        }
        m_pBundleNode->Refresh();
        m_pBundleNode->LoadIspecBundleData(VqsLoadDropVanished);
        const CList<PxVQIspecSoftLinkPtr, const PxVQIspecSoftLinkPtr&>& gone = removed;
        for (POSITION pos = gone.GetHeadPosition(); pos;) {
            const PxVQIspecSoftLinkPtr& ispec = gone.GetNext(pos);
            VqsModelNodeElementLink* node = model->FindElementLinkNode(ispec);
            if (!node || !write.LockNode(node))
                return FALSE;
            if (ispec->IsRemovable())
                candidates.AddTail(node);
            PxTypedList<PxVQIspecBundleDataPtr> entries;
            ispec->GetListOfIspecBundleData(entries);
            const CList<PxVQIspecBundleDataPtr, const PxVQIspecBundleDataPtr&>& list = entries;
            for (POSITION at = list.GetHeadPosition(); at;) {
                const PxVQIspecBundleDataPtr& entry = list.GetNext(at);
                if (!entry->GetBundleInformation()->IsSameOid(m_pBundle))
                    continue;
                VqsModelNode* entryNode = model->FindIspecBundleDataNode(entry);
                if (!entryNode || !write.LockNode(entryNode))
                    return FALSE;
            }
        }
    } catch (const VqReportableException& error) {
        read.Release();
        write.Release();
        EndWithError(IDS_CANNOT_COLLECT_ISPECS, &error);
        return FALSE;
    }
    const CList<PxVQIspecSoftLinkPtr, const PxVQIspecSoftLinkPtr&>& joining = added;
    for (POSITION pos = joining.GetHeadPosition(); pos;) {
        VqsModelNodeElementLink* node = model->FindElementLinkNode(joining.GetNext(pos));
        if (!node || !write.LockNode(node))
            return FALSE;
    }
    {
        VqsTransactionBundle transaction(m_pBundle, m_pLink);
        transaction.UpdateIspecBundle(removed, added);
        if (transaction.IsUsable() && !RemoveUnneededLinks(candidates))
            transaction.SetFailed();
    }
    return VqsTransaction::IsOk();
}

BOOL VqsOptIspecBundleDlg::RemoveUnneededLinks(const CObList& candidates)
{
    BOOL kept = FALSE;
    for (POSITION pos = candidates.GetHeadPosition(); pos;) {
        auto* node = static_cast<VqsModelNodeElementLink*>(candidates.GetNext(pos));
        if (node->HasExplicitBundleMembership())
            kept = TRUE;
        else if (!node->DeleteSoftLink())
            return FALSE;
    }
    if (kept)
        m_pLinkNode->LoadElementLinks(VqsLoadDropVanished);
    m_pBundleNode->LoadIspecBundleData(VqsLoadDropVanished);
    return TRUE;
}

// A failed write keeps the dialog open with the moves the user made.
void VqsOptIspecBundleDlg::OnOK()
{
    VqsDialogCtrlConnector::StrictControl strict = m_connector.MakeStrict();
    if (!m_bEditing) {
        CDialog::OnOK();
        return;
    }
    IspecList listed;
    m_members.GetAllObjects(listed);
    IspecList removed;
    IspecList added;
    const CList<PxVQIspecSoftLinkPtr, const PxVQIspecSoftLinkPtr&>& initial = m_initialMembers;
    for (POSITION pos = initial.GetHeadPosition(); pos;) {
        const PxVQIspecSoftLinkPtr& ispec = initial.GetNext(pos);
        if (!PxHoldsOid(listed, ispec))
            removed.AddTail(ispec);
    }
    const CList<PxVQIspecSoftLinkPtr, const PxVQIspecSoftLinkPtr&>& now = listed;
    for (POSITION pos = now.GetHeadPosition(); pos;) {
        const PxVQIspecSoftLinkPtr& ispec = now.GetNext(pos);
        if (!PxHoldsOid(m_initialMembers, ispec))
            added.AddTail(ispec);
    }
    CWaitCursor wait;
    if (!Write(removed, added)) {
        m_pBundleNode->Refresh();
        VqsTransaction::RereadAfterFailure([this] {
            m_pLinkNode->LoadElementLinks(VqsLoadReread);
            m_pBundleNode->LoadIspecBundleData(VqsLoadDropVanished);
        });
        return;
    }
    CDialog::OnOK();
}
