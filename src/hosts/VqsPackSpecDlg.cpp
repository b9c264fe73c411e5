#include "hosts/VqsPackSpecDlg.h"

#include "model/VqsLockScope.h"
#include "model/VqsModel.h"
#include "model/VqsModelNodeEnterprise.h"
#include "model/VqsModelNodeHost.h"
#include "model/VqsTransaction.h"
#include "proxy/PxObjectKind.h"
#include "proxy/PxTypedList.h"
#include "proxy/VqException.h"
#include "shell/VqsDisplayNames.h"
#include "shell/VqsMsgBox.h"
#include "shell/VqsSysApp.h"
#include "win/CDataExchange.h"

namespace {

constexpr UINT IDD_PACK_SPEC = 240;
constexpr UINT IDS_CANNOT_COLLECT_HOST = 61494;
constexpr UINT IDS_CANNOT_SAVE_PACK = 61620;
constexpr UINT IDS_SAVE_CHANGES = 61621;
constexpr UINT IDS_CANNOT_CONTINUE = 61622;
constexpr UINT IDS_CANNOT_ACCESS_PACK_OR_HOST = 61623;
constexpr UINT IDS_ITEM_DELETED = 61746;
constexpr UINT IDS_CONTENTS_CHANGED = 61747;
constexpr UINT IDS_ITEM_DELETED_REOPEN = 61750;
constexpr UINT IDS_PACK_TYPE_USED = 61778;
constexpr UINT IDS_CHECK_PACK_TYPE_USE = 61780;

// Radio 0 "not defined yet", 1 "Tablespace/Filegroup", 2 "disk path".
int PackTypeOfRadio(int index) { return index == 1 ? VQPackTablespace : index == 2 ? VQPackPath : VQPackNotDefined; }
int RadioOfPackType(int type) { return type == VQPackTablespace ? 1 : type == VQPackPath ? 2 : 0; }

PxVQLink* SessionLink()
{
    VqsSysApp* app = VqsGetApp();
    return app ? app->GetLink() : nullptr;
}

// The pack's data on the host; null when it has none.
PxVQHostPackDataPtr DataOnHost(const PxVQPackInformationPtr& pack, const PxVQHostInformationPtr& host)
{
    PxTypedList<PxVQHostPackDataPtr> entries;
    pack->GetListOfHostPackData(entries);
    for (POSITION pos = entries.GetHeadPosition(); pos;) {
        const PxVQHostPackDataPtr entry = entries.GetNext(pos);
        if (entry->GetHostInformation()->IsSameOid(host))
            return entry;
    }
    return PxVQHostPackDataPtr();
}

BOOL IsForHost(VqsModelNodePackAssociation* association, const PxVQHostInformationPtr& host)
{
    const PxVQHostInformationPtr associated = association->GetHostInformation();
    return associated && host && associated->IsSameOid(host);
}

// "%1 item has been deleted." with the kind of hosts.
void ReportHostGone()
{
    CString text;
    text.LoadString(IDS_ITEM_DELETED);
    text.Replace("%1", VqsGetObjectKindName(PxKindHost));
    VqsErrorBox(text);
}

} // namespace

BEGIN_MESSAGE_MAP(VqsPackSpecDlg, VqsDialog)
    ON_CBN_SELENDOK(VqsPackSpecDlg::IDC_PACK_LIST, &VqsPackSpecDlg::OnPackSelEndOk)
    ON_CBN_SELENDOK(VqsPackSpecDlg::IDC_HOST_LIST, &VqsPackSpecDlg::OnHostSelEndOk)
    ON_BN_CLICKED(VqsPackSpecDlg::IDC_NOT_DEFINED, &VqsPackSpecDlg::OnPackTypeClicked)
    ON_BN_CLICKED(VqsPackSpecDlg::IDC_DISK_PATH, &VqsPackSpecDlg::OnPackTypeClicked)
    ON_BN_CLICKED(VqsPackSpecDlg::IDC_TABLESPACE, &VqsPackSpecDlg::OnPackTypeClicked)
    ON_WM_ACTIVATE()
    ON_WM_SETFOCUS()
END_MESSAGE_MAP()

VqsPackSpecDlg::VqsPackSpecDlg(VqsLockBag* callerBag, VqsModelNodePackAssociation* association,
                               VqsModelNodePack* pack, VqsModelNodeHost* host, CWnd* parent)
    : VqsDialog(IDD_PACK_SPEC, parent), m_packTypeButtons(&m_connector, IDC_NOT_DEFINED, IDC_TABLESPACE, IDC_DISK_PATH),
      m_pAssociation(association), m_pPack(pack), m_pHost(host), m_pCallerBag(callerBag)
{
}

VqsPackSpecDlg::~VqsPackSpecDlg()
{
    if (m_pSheet && m_pSheet->m_hWnd)
        m_pSheet->DestroyWindow();
}

UINT VqsPackSpecDlg::GetResizeSpecs(ResizeSpec*** specs)
{
    *specs = m_resizeRules;
    return 3;
}

void VqsPackSpecDlg::DoDataExchange(CDataExchange* pDX)
{
    VqsDialog::DoDataExchange(pDX);
    DDX_Control(pDX, IDC_PACK_LIST, m_packList);
    DDX_Control(pDX, IDC_HOST_LIST, m_hostList);
    if (pDX->m_bSaveAndValidate)
        m_nPackType = PackTypeOfRadio(m_packTypeButtons.m_nValue);
}

BOOL VqsPackSpecDlg::OnInitDialog()
{
    VqsDialog::OnInitDialog();
    try {
        LoadDialog();
    } catch (const VqReportableException& error) {
        m_pCallerBag->Release();
        ShowErrorById(IDS_CANNOT_COLLECT_HOST, error);
        EndDialog(IDCANCEL);
        return TRUE;
    }
    m_pCallerBag->Release();
    UpdateData(FALSE);
    return TRUE;
}

// ---------------------------------------------------------------- loading

BOOL VqsPackSpecDlg::LoadDialog()
{
    m_nLoadedPackType = m_nPackType = m_pPack->GetPackType();
    m_packEdition = m_pPack->GetPackInformation()->GetObjectEdition();
    VqsModelNodeEnterprise* root = m_pPack->GetRoot();
    root->LoadPacks(VqsLoadReread);
    root->LoadHosts(VqsLoadReread);
    m_pPack->LoadPackAssociations(VqsLoadReread);
    if (!FillLists() || !LoadAssociation())
        return FALSE;
    LoadPackType();
    return TRUE;
}

BOOL VqsPackSpecDlg::FillLists()
{
    VqsModelNodeEnterprise* root = m_pPack->GetRoot();
    PxTypedList<PxVQPackInformationPtr> packs;
    CObList packNodes;
    root->GetPackNodes(packNodes);
    for (POSITION pos = packNodes.GetHeadPosition(); pos;)
        packs.AddTail(static_cast<VqsModelNodePack*>(packNodes.GetNext(pos))->GetPackInformation());
    if (!m_packList.Fill(packs, m_pPack->GetPackInformation())) {
        EndDialog(IDCANCEL);
        return FALSE;
    }
    m_nPackListIndex = m_packList.GetCurSel();

    PxTypedList<PxVQHostInformationPtr> hosts;
    CObList hostNodes;
    root->GetHostNodes(hostNodes);
    for (POSITION pos = hostNodes.GetHeadPosition(); pos;)
        hosts.AddTail(static_cast<VqsModelNodeHost*>(hostNodes.GetNext(pos))->GetHostInformation());
    PxVQHostInformationPtr current;
    if (m_pHost)
        current = m_pHost->GetHostInformation();
    else if (!hosts.IsEmpty()) {
        current = hosts.GetHead();
        m_pHost = root->FindHostNode(current);
    }
    if (!m_hostList.Fill(hosts, current)) {
        EndDialog(IDCANCEL);
        return FALSE;
    }
    m_nHostListIndex = m_hostList.GetCurSel();
    m_hostList.EnableWindow(current ? TRUE : FALSE);
    return TRUE;
}

BOOL VqsPackSpecDlg::LoadAssociation()
{
    m_pAssociationEdition.reset();
    m_pAssociation = nullptr;
    PxVQHostPackDataPtr association;
    if (m_pHost) {
        CObList associations;
        m_pPack->GetPackAssociationNodes(associations);
        for (POSITION pos = associations.GetHeadPosition(); pos;) {
            auto* node = static_cast<VqsModelNodePackAssociation*>(associations.GetNext(pos));
            if (IsForHost(node, m_pHost->GetHostInformation())) {
                m_pAssociation = node;
                association = node->GetHostPackData();
                m_pAssociationEdition = std::make_unique<PxObjectEdition>(association->GetObjectEdition());
            }
        }
    }
    // Without a host (or its data) there is nothing to associate: no sheet.
    if (!association) {
        if (m_pSheet && m_pSheet->m_hWnd)
            m_pSheet->DestroyWindow();
        m_pSheet.reset();
        m_focusWindow.Forget();
        return TRUE;
    }
    if (m_pSheet) {
        if (!m_pSheet->SetHostPackData(association)) {
            EndDialog(IDCANCEL);
            return FALSE;
        }
        return TRUE;
    }
    m_pSheet = std::make_unique<VqsPackAssociationsSheet>(this, association);
    if (!m_pSheet->Create(this, WS_CHILD | WS_GROUP, 0)) {
        m_pSheet.reset();
        EndDialog(IDCANCEL);
        return FALSE;
    }
    m_pSheet->UpdateWindow();
    LayoutSheet();
    return TRUE;
}

void VqsPackSpecDlg::LoadPackType()
{
    m_nLoadedPackType = m_nPackType = m_pPack->GetPackType();
    m_packTypeButtons.m_nValue = RadioOfPackType(m_nPackType);
    UpdateData(FALSE);
}

// The sheet takes the place of the static that says there are no hosts; the dialog grows
// by what the sheet needs more.
void VqsPackSpecDlg::LayoutSheet()
{
    CWnd* place = GetDlgItem(IDC_SHEET_PLACE);
    if (!place)
        return;
    place->SetWindowText("");
    CRect area;
    place->GetWindowRect(&area);
    ScreenToClient(&area);
    CRect sheet;
    m_pSheet->GetWindowRect(&sheet);
    const int grow = std::max(sheet.Height() - area.Height(), 0);
    CRect dialog;
    GetWindowRect(&dialog);
    MoveWindow(dialog.left, dialog.top, dialog.Width(), dialog.Height() + grow, TRUE);
    place->MoveWindow(area.left, area.top, area.Width(), area.Height() + grow, TRUE);
    area.bottom += grow;
    m_pSheet->SetWindowPos(nullptr, area.left + (area.Width() - sheet.Width()) / 2,
                           area.top + (area.Height() - sheet.Height()) / 2, 0, 0,
                           SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
    m_pSheet->ShowWindow(SW_SHOW);
}

int VqsPackSpecDlg::GetCurrentHostType()
{
    if (!m_pHost)
        return VQHostQSR;
    try {
        return m_pHost->GetHostType();
    } catch (const VqReportableException& error) {
        ReportError(error);
        return VQHostQSR;
    }
}

void VqsPackSpecDlg::ReportError(const VqReportableException& error)
{
    ShowErrorById(IDS_CANNOT_CONTINUE, error);
    EndDialog(IDCANCEL);
}

void VqsPackSpecDlg::OnAssociationsApplied()
{
    m_pPack->NotifyChanged();
    m_packList.Invalidate();
    m_packList.UpdateWindow();
}

// ---------------------------------------------------------------- editing

BOOL VqsPackSpecDlg::BeginEdit(BOOL* reloaded)
{
    *reloaded = FALSE;
    if (!m_bEditLocksHeld) {
        // The pack and its association are the edit's, with an update lock: long-read by the
        // opener's bag too, their update lock would raise a read this session holds. The
        // enterprise is left to Apply's own locks: long-read from the first change it would
        // keep every other user's step that writes the enterprise waiting while the dialog
        // stays open.
        m_pCallerBag->Drop(m_pPack->GetRoot());
        for (VqsModelNode* edited : {static_cast<VqsModelNode*>(m_pPack), static_cast<VqsModelNode*>(m_pAssociation)}) {
            m_pCallerBag->Drop(edited);
            m_ownBag.LockNode(edited);
        }
        {
            VqsLockScope scope(SessionLink());
            if (!m_pCallerBag->LockObjects(VqsLongReadLock))
                return FALSE;
            if (!m_ownBag.LockObjects(VqsFutureUpdateLock)) {
                m_pCallerBag->Release();
                return FALSE;
            }
        }
        m_bEditLocksHeld = TRUE;
        if (m_ownBag.ReportDeleted(IDS_ITEM_DELETED_REOPEN, m_pPack) ||
            (m_pHost && m_pCallerBag->ReportDeleted(IDS_ITEM_DELETED_REOPEN, m_pHost)) ||
            (m_pAssociation && m_ownBag.ReportDeleted(IDS_ITEM_DELETED_REOPEN, m_pAssociation))) {
            EndDialog(IDCANCEL);
            return FALSE;
        }
        if (!m_pAssociation) {
            const BOOL stop = TakeOverAssociationCreatedMeanwhile(reloaded);
            if (stop)
                return FALSE;
        }
    }
    if (m_packEdition.IsLatestEdition() && (!m_pAssociationEdition || m_pAssociationEdition->IsLatestEdition()))
        return TRUE;
    return ReloadChanged(reloaded);
}

// A host made by another user since the dialog opened brings an association with it: the
// dialog takes it over and loads again. TRUE when the edit stops here.
BOOL VqsPackSpecDlg::TakeOverAssociationCreatedMeanwhile(BOOL* reloaded)
{
    try {
        if (!m_packEdition.IsLatestEdition())
            m_pPack->Refresh();
        m_pPack->LoadPackAssociations(VqsLoadReread);
        CObList associations;
        m_pPack->GetPackAssociationNodes(associations);
        if (associations.IsEmpty())
            return FALSE;
        auto* association = static_cast<VqsModelNodePackAssociation*>(associations.GetHead());
        VqsLockBag longRead(VqsLongReadLock);
        VqsLockBag write(VqsWriteLock);
        VqsModelNodeEnterprise* root = m_pPack->GetRoot();
        {
            VqsLockScope scope(SessionLink());
            if (!write.LockNode(association)) {
                EndDialog(IDCANCEL);
                return TRUE;
            }
            root->LoadHosts(VqsLoadReread);
            m_pHost = root->FindHostNode(association->GetHostInformation());
            if (!m_pHost || !longRead.LockNode(m_pHost)) {
                EndDialog(IDCANCEL);
                return TRUE;
            }
        }
        *m_pCallerBag = longRead;
        m_ownBag = write;
        VqsMessageBoxId(IDS_CONTENTS_CHANGED);
        LoadDialog();
        UpdateData(FALSE);
        *reloaded = TRUE;
    } catch (const VqReportableException& error) {
        ShowErrorById(IDS_CANNOT_ACCESS_PACK_OR_HOST, error);
        EndDialog(IDCANCEL);
    }
    return TRUE;
}

BOOL VqsPackSpecDlg::ReloadChanged(BOOL* reloaded)
{
    try {
        VqsMessageBoxId(IDS_CONTENTS_CHANGED);
        m_pPack->Refresh();
        if (m_pAssociation)
            m_pAssociation->Refresh();
        LoadDialog();
        UpdateData(FALSE);
        *reloaded = TRUE;
    } catch (const VqReportableException& error) {
        ShowErrorById(IDS_CANNOT_ACCESS_PACK_OR_HOST, error);
        EndDialog(IDCANCEL);
    }
    return FALSE;
}

void VqsPackSpecDlg::OnActivate(UINT state, CWnd* other, BOOL minimized)
{
    if (!m_focusWindow.RememberFocusIn(m_pSheet.get()))
        VqsDialog::OnActivate(state, other, minimized);
}

void VqsPackSpecDlg::OnSetFocus(CWnd* oldWnd)
{
    if (!m_focusWindow.GiveBack())
        VqsDialog::OnSetFocus(oldWnd);
}

void VqsPackSpecDlg::OnPackTypeClicked()
{
    if (!m_packTypeButtons.SaveStateAndCompare())
        return;
    if (!m_bEditLocksHeld) {
        BOOL reloaded = FALSE;
        if (!BeginEdit(&reloaded)) {
            if (!reloaded)
                m_packTypeButtons.Revert();
            return;
        }
    }
    const int previous = m_nPackType;
    if (!UpdateData(TRUE)) {
        m_packTypeButtons.Revert();
        m_nPackType = previous;
        return;
    }
    if (m_pSheet)
        m_pSheet->RefreshPathEnabling();
}

// ---------------------------------------------------------------- saving

BOOL VqsPackSpecDlg::IsPackUsedByOptions(VqsLockBag& bag, BOOL& used)
{
    VqsPackSpecList packs;
    VqsModelNode::PackSpec spec;
    spec.name = m_pPack->GetName();
    packs.AddTail(spec);
    int found = 0;
    VqsLockScope scope(SessionLink());
    if (!m_pPack->GetRoot()->LockSystemsForPack(found, bag, packs))
        return FALSE;
    used = found != 0;
    return TRUE;
}

// Everything is written in one transaction: a page or the pack type that cannot be stored
// leaves nothing behind, and the pages count as saved only once it has committed.
BOOL VqsPackSpecDlg::Apply()
{
    const BOOL checkUse = IsPackTypeChanged() && m_nLoadedPackType != VQPackNotDefined;
    if (checkUse && !VqsQuestionBoxId(IDS_CHECK_PACK_TYPE_USE))
        return FALSE;
    CWaitCursor wait;
    VqsLockBag readBag(VqsReadLock);
    VqsLockScope scope(SessionLink());
    if (checkUse) {
        BOOL used = FALSE;
        if (!IsPackUsedByOptions(readBag, used))
            return FALSE;
        if (used) {
            readBag.Release();
            CString text;
            text.LoadString(IDS_PACK_TYPE_USED);
            text.Replace("%1", m_pPack->GetName());
            VqsMessageBox(text);
            return FALSE;
        }
    }
    if (!m_ownBag.LockObjects(VqsWriteLock))
        return FALSE;
    {
        VqsTransaction transaction;
        if (m_pSheet && !m_pSheet->ApplyAll())
            transaction.SetFailed();
        if (VqsTransaction::IsOk() && IsPackTypeChanged()) {
            try {
                m_pPack->SetPackType(static_cast<VQPackType>(m_nPackType));
                m_pPack->GetPackInformation()->UpdateEdition();
            } catch (const VqReportableException& error) {
                transaction.ReportFailure(IDS_CANNOT_SAVE_PACK, error);
            }
        }
    }
    m_ownBag.Release();
    const BOOL committed = VqsTransaction::IsOk();
    if (m_pSheet)
        m_pSheet->EndApply(committed);
    if (!committed) {
        // The views show what is stored.
        VqsTransaction::RereadAfterFailure([this] { m_pPack->Refresh(); });
        return FALSE;
    }
    if (IsPackTypeChanged())
        m_pPack->NotifyChanged();
    m_nLoadedPackType = m_nPackType;
    m_packEdition = m_pPack->GetPackInformation()->GetObjectEdition();
    if (m_pAssociation)
        m_pAssociationEdition =
            std::make_unique<PxObjectEdition>(m_pAssociation->GetHostPackData()->GetObjectEdition());
    return TRUE;
}

BOOL VqsPackSpecDlg::HasChanges() { return IsPackTypeChanged() || (m_pSheet && m_pSheet->AnyPageModified()); }

void VqsPackSpecDlg::ReleaseEditLocks()
{
    if (!m_bEditLocksHeld)
        return;
    m_pCallerBag->Release();
    m_ownBag.Release();
    m_ownBag.UnlockAll();
    m_bEditLocksHeld = FALSE;
}

void VqsPackSpecDlg::OnOK()
{
    VqsDialogCtrlConnector::StrictControl strict = m_connector.MakeStrict();
    if (!UpdateData(TRUE))
        return;
    if (HasChanges() && !Apply())
        return;
    ReleaseEditLocks();
    CDialog::OnOK();
}

// ---------------------------------------------------------------- switching

void VqsPackSpecDlg::OnPackSelEndOk()
{
    const int index = m_packList.GetCurSel();
    if (index < 0) {
        m_nPackListIndex = -1;
        return;
    }
    const PxVQPackInformationPtr pack = m_packList.GetSelected();
    if (pack && pack->ObjectPresent() && SwitchPack(pack))
        m_nPackListIndex = m_packList.GetCurSel();
    else
        m_packList.SetCurSel(m_nPackListIndex);
}

void VqsPackSpecDlg::OnHostSelEndOk()
{
    const int index = m_hostList.GetCurSel();
    if (index < 0) {
        m_nHostListIndex = -1;
        return;
    }
    const PxVQHostInformationPtr host = m_hostList.GetSelected();
    if (host && host->ObjectPresent() && SwitchHost(host))
        m_nHostListIndex = m_hostList.GetCurSel();
    else
        m_hostList.SetCurSel(m_nHostListIndex);
}

BOOL VqsPackSpecDlg::OfferToSave()
{
    if (!HasChanges())
        return TRUE;
    BOOL yes = FALSE;
    if (!VqsQuestionCancelBoxId(yes, IDS_SAVE_CHANGES))
        return FALSE;
    return !yes || Apply();
}

VqsModelNodePackAssociation* VqsPackSpecDlg::LockAssociation(VqsModelNodePack* pack, VqsModelNodeHost* host,
                                                             VqsLockBag& bag)
{
    const PxVQHostPackDataPtr data = DataOnHost(pack->GetPackInformation(), host->GetHostInformation());
    if (!data) {
        ReportHostGone();
        host->NotifyViews();
        return nullptr;
    }
    VqsModelNodePackAssociation* association = pack->GetModel()->FindPackAssociationNode(data);
    if (!association)
        return nullptr;
    VqsLockScope scope(SessionLink());
    if (!bag.LockNode(association) || !bag.LockNode(host) || bag.ReportDeleted(IDS_ITEM_DELETED, association))
        return nullptr;
    return association;
}

BOOL VqsPackSpecDlg::SwitchPack(const PxVQPackInformationPtr& pack)
{
    if (!OfferToSave())
        return FALSE;
    ReleaseEditLocks();
    VqsModelNodePack* node = m_pPack->GetRoot()->FindPackNode(pack);
    if (!node)
        return FALSE;
    VqsLockBag bag(VqsReadLock);
    {
        VqsLockScope scope(SessionLink());
        if (!bag.LockNode(node) || bag.ReportDeleted(IDS_ITEM_DELETED, node))
            return FALSE;
    }
    if (m_pHost) {
        try {
            if (!LockAssociation(node, m_pHost, bag))
                return FALSE;
        } catch (const VqReportableException& error) {
            ShowErrorById(IDS_CANNOT_ACCESS_PACK_OR_HOST, error);
            return FALSE;
        }
    }
    return LoadSwitched(bag, node, m_pHost);
}

BOOL VqsPackSpecDlg::SwitchHost(const PxVQHostInformationPtr& host)
{
    if (!OfferToSave())
        return FALSE;
    ReleaseEditLocks();
    VqsModelNodeHost* node = m_pPack->GetRoot()->FindHostNode(host);
    if (!node)
        return FALSE;
    VqsLockBag bag(VqsReadLock);
    {
        VqsLockScope scope(SessionLink());
        if (!bag.LockNode(m_pPack) || bag.ReportDeleted(IDS_ITEM_DELETED, m_pPack))
            return FALSE;
    }
    try {
        if (!LockAssociation(m_pPack, node, bag))
            return FALSE;
    } catch (const VqReportableException& error) {
        ShowErrorById(IDS_CANNOT_ACCESS_PACK_OR_HOST, error);
        return FALSE;
    }
    return LoadSwitched(bag, m_pPack, node);
}

BOOL VqsPackSpecDlg::LoadSwitched(VqsLockBag& bag, VqsModelNodePack* pack, VqsModelNodeHost* host)
{
    const PxObjectEdition previousEdition = m_packEdition;
    VqsModelNodePack* previousPack = m_pPack;
    VqsModelNodeHost* previousHost = m_pHost;
    VqsLockBag previousObjects(m_pCallerBag->GetKind());
    previousObjects = *m_pCallerBag;
    *m_pCallerBag = bag;
    m_pPack = pack;
    m_pHost = host;
    try {
        if (!LoadDialog())
            return FALSE;
    } catch (const VqReportableException& error) {
        ShowErrorById(IDS_CANNOT_COLLECT_HOST, error);
        m_packEdition = previousEdition;
        m_pPack = previousPack;
        m_pHost = previousHost;
        m_pCallerBag->UnlockAll();
        *m_pCallerBag = previousObjects;
        LoadPackType();
        return FALSE;
    }
    m_pCallerBag->Release();
    UpdateData(FALSE);
    return TRUE;
}
