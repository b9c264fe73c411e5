#include "config/VqsNewBSLinkPages.h"

#include "config/VqsNewBSLinkSheet.h"
#include "model/VqsLockBag.h"
#include "model/VqsLockScope.h"
#include "model/VqsModelNodeEnterprise.h"
#include "model/VqsModelNodeHost.h"
#include "model/VqsModelNodeLink.h"
#include "model/VqsModelNodeOSet.h"
#include "model/VqsModelNodeSystem.h"
#include "proxy/PxLSEEnterprise.h"
#include "proxy/PxVQConfig.h"
#include "proxy/VqException.h"
#include "shell/VqsDisplayNames.h"
#include "shell/VqsMsgBox.h"
#include "shell/VqsSysApp.h"
#include "shell/VqsTime.h"
#include "win/CDataExchange.h"
#include "win/CPropertySheet.h"
#include "win/ListView.h"
#include "win/MbString.h"

namespace {

constexpr UINT IDS_NAME_NOT_UNIQUE = 61464;
constexpr UINT IDS_NEXT_OR_FINISH_FAILED = 61497;
constexpr UINT IDS_INTERNAL_ERROR = 61498;
constexpr UINT IDS_NOT_AVAILABLE = 61554;
constexpr UINT IDS_CANNOT_ACCESS_ENTERPRISE = 61608;
constexpr UINT IDS_CANNOT_COLLECT_PACKS = 61624;
constexpr UINT IDS_CANNOT_ACCESS_MODEL = 61640;
constexpr UINT IDS_CANNOT_ACCESS_OPTION_SETS = 61642;
constexpr UINT IDS_NO_SEGMENTS = 61697;
constexpr UINT IDS_CANNOT_ACCESS_DATA = 61698;
constexpr UINT IDS_CANNOT_ACCESS_CONFIG = 61719;
constexpr UINT IDS_CANNOT_ACCESS_ENTRIES = 61720;
constexpr UINT IDS_ITEM_DELETED = 61746;
constexpr UINT IDS_CONTENTS_CHANGED = 61757;
constexpr UINT IDS_VALID_ENTRY_EXISTS = 61758;
constexpr UINT IDS_GENERATE_SET = 61768;
constexpr UINT IDS_PACK_IS_TABLESPACE = 61787;
constexpr UINT IDS_PACK_IS_PATH = 61788;
constexpr int kValidatorEmpty = 0;
constexpr int kReservedWordOrNil = 4;
constexpr int kPackNameLimit = 20;
constexpr char kTimeFormat[] = "%x %X";

using Segments = CList<PxLSEBusinessSegmentPtr, const PxLSEBusinessSegmentPtr&>;
using GenSets = CList<PxVQGenSetPtr, const PxVQGenSetPtr&>;
using PackStruct = VqsTypedListCtrl_PackGSet::PackStruct;

PxVQLink* Link()
{
    VqsSysApp* app = VqsGetApp();
    return app ? app->GetLink() : nullptr;
}

BOOL Contains(const Segments& segments, const PxLSEBusinessSegmentPtr& segment)
{
    for (POSITION pos = segments.GetHeadPosition(); pos;) {
        if (segments.GetNext(pos)->IsSameOid(segment))
            return TRUE;
    }
    return FALSE;
}

void CopySegments(PxTypedList<PxLSEBusinessSegmentPtr>& to, const Segments& from)
{
    to.RemoveAll();
    for (POSITION pos = from.GetHeadPosition(); pos;)
        to.AddTail(from.GetNext(pos));
}

template <class Visit>
void ForEachNode(const CObList& nodes, Visit visit)
{
    for (POSITION pos = nodes.GetHeadPosition(); pos;)
        visit(nodes.GetNext(pos));
}

BOOL PlatformClashes(VqsModelNodeEnterprise* enterprise, int hostType, const CString& segment)
{
    VqsPlatformPacks initial;
    initial.initialTablespace = VqsInitialPackName(hostType, segment, VQPackTablespace);
    initial.initialPath = VqsInitialPackName(hostType, segment, VQPackPath);
    BOOL clashes = FALSE;
    CObList packs;
    enterprise->GetPackNodes(packs);
    ForEachNode(packs, [&](CObject* node) {
        clashes = clashes || VqsPackClashes(*static_cast<VqsModelNodePack*>(node), initial);
    });
    return clashes;
}

} // namespace

// ---------------------------------------------------------------- page 1

VqsBSGenPage::VqsBSGenPage() : VqsWizardPage(IDD, 0) {}

VqsBSGenPage::~VqsBSGenPage() = default;

void VqsBSGenPage::DoDataExchange(CDataExchange* pDX)
{
    VqsWizardPage::DoDataExchange(pDX);
    DDX_Control(pDX, IDC_SEGMENTS, m_segmentList);
}

BOOL VqsBSGenPage::OnCmdMsg(UINT id, int code, void* extra, AFX_CMDHANDLERINFO* handlerInfo)
{
    const BOOL handled = VqsWizardPage::OnCmdMsg(id, code, extra, handlerInfo);
    if (handlerInfo || extra)
        return handled;
    if (id == IDC_SEGMENTS && (code == LBN_SELCHANGE || code == LBN_SELCANCEL)) {
        OnSelectionChanged();
        return TRUE;
    }
    return handled;
}

BOOL VqsBSGenPage::OnInitDialog()
{
    VqsWizardPage::OnInitDialog();
    if (!m_pSheet)
        return TRUE;
    m_pSheet->m_enterpriseBag.LockNode(m_pSheet->GetEnterpriseNode());
    m_pSheet->m_configBag.LockNode(m_pSheet->m_pConfig);
    const VqsCreatingWizard::LockStep step(CreatingWizard(), VqsLongReadLock);
    if (!LockAndRefresh(0) || !CheckBusinessSegments())
        m_pSheet->CancelSheet();
    return TRUE;
}

BOOL VqsBSGenPage::OnSetActive()
{
    if (!VqsWizardPage::OnSetActive() || !m_pSheet)
        return FALSE;
    m_selectedSegment = ListSelection();
    PostWizardButtons(GetWizardButtons());
    ReleaseLocks();
    if (m_pSheet->m_pCreatorBag)
        m_pSheet->m_pCreatorBag->Release();
    return TRUE;
}

void VqsBSGenPage::OnSelectionChanged()
{
    m_selectedSegment = ListSelection();
    PostWizardButtons(GetWizardButtons());
}

PxLSEBusinessSegmentPtr VqsBSGenPage::ListSelection() const
{
    const int index = m_segmentList.GetCurSel();
    const auto* segment = index >= 0 ? static_cast<const PxLSEBusinessSegmentPtr*>(m_segmentList.GetItemDataPtr(index))
                                     : nullptr;
    return segment ? *segment : PxLSEBusinessSegmentPtr();
}

DWORD VqsBSGenPage::GetWizardButtons() const
{
    if (!m_selectedSegment)
        return 0;
    if (m_bNoOptionSets || Contains(m_obsoleteSegments, m_selectedSegment) ||
        Contains(m_clashingSegments, m_selectedSegment))
        return PSWIZB_NEXT;
    return PSWIZB_FINISH;
}

void VqsBSGenPage::ReleaseLocks()
{
    if (!m_pSheet)
        return;
    m_pSheet->m_enterpriseBag.Release();
    m_pSheet->m_enterpriseBag.Release();
    m_pSheet->m_packBag.Release();
    m_pSheet->m_packBag.Release();
    m_pSheet->m_packBag.UnlockAll();
    m_pSheet->m_obsoleteEntryBag.Release();
    m_pSheet->m_obsoleteEntryBag.UnlockAll();
    m_pSheet->m_bsLock.Unlock();
    m_pSheet->m_configBag.Release();
}

void VqsBSGenPage::CollectGenSets()
{
    m_ntGenSets.RemoveAll();
    m_unixGenSets.RemoveAll();
    VqsModelNodeCurConfig* config = m_pSheet->m_pConfig;
    m_bNoOptionSets = config->GetCurConfig()->CountOfOptionSets() == 0 ? 1 : 0;
    if (m_bNoOptionSets)
        return;
    config->LoadOptionSets(VqsLoadDropVanished);
    CObList nodes;
    config->GetGenSetNodes(nodes);
    ForEachNode(nodes, [&](CObject* node) {
        const PxVQGenSetPtr genSet = static_cast<VqsModelNodeGenSet*>(node)->GetGenSet();
        const int hostType = genSet->GetHostType();
        if (hostType == VQHostNT)
            m_ntGenSets.AddTail(genSet);
        else if (hostType == VQHostUnix)
            m_unixGenSets.AddTail(genSet);
    });
}

int VqsBSGenPage::LockAndRefresh(DWORD buttons)
{
    VqsLockScope scope(Link());
    VqsModelNodeEnterprise* enterprise = m_pSheet->GetEnterpriseNode();
    VqsModelNodeCurConfig* config = m_pSheet->m_pConfig;
    UINT failure = IDS_CANNOT_ACCESS_ENTERPRISE;
    try {
        if (!LockBagObjects(m_pSheet->m_enterpriseBag, VqsReadLock))
            return 0;
        enterprise->Refresh();
        failure = IDS_CANNOT_COLLECT_PACKS;
        enterprise->LoadPacks(VqsLoadDropVanished);
        failure = IDS_CANNOT_ACCESS_CONFIG;
        const int configKind = buttons == 0 ? VqsReadLock : buttons == PSWIZB_FINISH ? VqsWriteLock : VqsFutureUpdateLock;
        if (!LockBagObjects(m_pSheet->m_configBag, configKind)) {
            ReleaseLocks();
            return 0;
        }
        if (m_pSheet->m_configBag.ReportDeleted(IDS_ITEM_DELETED, config)) {
            m_pSheet->CancelSheet();
            return 0;
        }
        config->Refresh();
        failure = IDS_CANNOT_ACCESS_OPTION_SETS;
        CollectGenSets();
        if (m_bNoOptionSets)
            return 1;
        failure = IDS_CANNOT_COLLECT_PACKS;
        CObList packs;
        enterprise->GetPackNodes(packs);
        ForEachNode(packs, [&](CObject* node) { m_pSheet->m_packBag.LockNode(static_cast<VqsModelNode*>(node)); });
        if (!LockBagObjects(m_pSheet->m_packBag, buttons == PSWIZB_FINISH ? VqsReadLock : VqsLongReadLock)) {
            ReleaseLocks();
            return 0;
        }
        ForEachNode(packs, [](CObject* node) { static_cast<VqsModelNode*>(node)->Refresh(); });
    } catch (const VqReportableException& error) {
        ReleaseLocks();
        ShowErrorById(failure, error);
        return 0;
    }
    return 1;
}

BOOL VqsBSGenPage::PacksClash(const CString& segmentName) const
{
    VqsModelNodeEnterprise* enterprise = m_pSheet->GetEnterpriseNode();
    return (!m_ntGenSets.IsEmpty() && PlatformClashes(enterprise, VQHostNT, segmentName)) ||
           (!m_unixGenSets.IsEmpty() && PlatformClashes(enterprise, VQHostUnix, segmentName));
}

void VqsBSGenPage::RebuildPackReplacements(const CString& segmentName)
{
    VqsGSetPackReplacementList& records = m_pSheet->m_genSetPackReplacements;
    records.RemoveAll();
    if (m_bNoOptionSets)
        return;
    VqsModelNodeEnterprise* enterprise = m_pSheet->GetEnterpriseNode();
    for (int hostType : {VQHostNT, VQHostUnix}) {
        if (!PlatformClashes(enterprise, hostType, segmentName))
            continue;
        const GenSets& genSets = hostType == VQHostNT ? m_ntGenSets : m_unixGenSets;
        for (POSITION pos = genSets.GetHeadPosition(); pos;) {
            VqsGSetPackReplacement record;
            record.genSet = genSets.GetNext(pos);
            record.defaultTablespacePack = VqsInitialPackName(hostType, segmentName, VQPackTablespace);
            record.defaultPathPack = VqsInitialPackName(hostType, segmentName, VQPackPath);
            records.AddTail(record);
        }
    }
}

int VqsBSGenPage::CheckBusinessSegments()
{
    m_pObsoleteEntry = nullptr;
    try {
        VqsSysApp* app = VqsGetApp();
        PxTypedList<PxLSEBusinessSegmentPtr> all;
        app->GetLSEEnterprise()->GetBSList(all);
        VqsModelNodeCurConfig* config = m_pSheet->m_pConfig;
        config->LoadBSLinks(VqsLoadDropVanished);
        CObList entries;
        config->GetBSLinkNodes(entries);
        VqsLockScope scope(Link());
        VqsLockBag entryLocks(VqsReadLock);
        const int entriesLocked = LockForPage([&] { return entryLocks.LockAndRefreshNodes(entries); });
        if (!entriesLocked)
            return 0;
        PxTypedList<PxLSEBusinessSegmentPtr> present;
        PxTypedList<PxLSEBusinessSegmentPtr> obsolete;
        PxTypedList<PxLSEBusinessSegmentPtr> clashing;
        CString workingName;
        const Segments& segments = all;
        for (POSITION pos = segments.GetHeadPosition(); pos;) {
            const PxLSEBusinessSegmentPtr segment = segments.GetNext(pos);
            if (!segment || !segment->ObjectPresent())
                continue;
            present.AddTail(segment);
            const CString name = segment->GetName();
            const BOOL selected = m_selectedSegment && segment->IsSameOid(m_selectedSegment);
            if (workingName.IsEmpty() || selected)
                workingName = name;
            for (POSITION at = entries.GetHeadPosition(); at;) {
                auto* entry = static_cast<VqsModelNodeBSLink*>(entries.GetNext(at));
                const PxVQBSSoftLinkPtr link = entry->GetBSSoftLink();
                if (!link->IsObsolete()) {
                    CString message;
                    AfxFormatString1(message, IDS_VALID_ENTRY_EXISTS, VqsShownName(link));
                    VqsErrorBox(message);
                    m_pSheet->CancelSheet();
                    return 0;
                }
                if (_mbsicmp(link->GetName().GetString(), name.GetString()) != 0)
                    continue;
                if (!Contains(obsolete, segment))
                    obsolete.AddTail(segment);
                if (selected && (!m_pObsoleteEntry || link->GetCreatedTimeStamp() >
                                                          m_pObsoleteEntry->GetBSSoftLink()->GetCreatedTimeStamp()))
                    m_pObsoleteEntry = entry;
            }
            if (PacksClash(name) && !Contains(clashing, segment))
                clashing.AddTail(segment);
        }
        if (present.IsEmpty()) {
            VqsMessageBoxId(IDS_NO_SEGMENTS);
            m_pSheet->CancelSheet();
            return 0;
        }
        PxLSEBusinessSegmentPtr selection = present.GetHead();
        if (m_selectedSegment && Contains(present, m_selectedSegment))
            selection = m_selectedSegment;
        if (!FillSegmentList(present, selection))
            return 0;
        RebuildPackReplacements(workingName);
        m_selectedSegment = selection;
        CopySegments(m_obsoleteSegments, obsolete);
        CopySegments(m_clashingSegments, clashing);
    } catch (const VqReportableException& error) {
        ShowErrorById(IDS_CANNOT_ACCESS_MODEL, error);
        return 0;
    }
    return 1;
}

VqsNameTaken VqsBSGenPage::FindNameTaken()
{
    VqsModelNodeCurConfig* config = m_pSheet->m_pConfig;
    config->LoadBSLinks(VqsLoadReread);
    CObList entries;
    config->GetBSLinkNodes(entries);
    for (POSITION pos = entries.GetHeadPosition(); pos;) {
        const PxVQBSSoftLinkPtr link = static_cast<VqsModelNodeBSLink*>(entries.GetNext(pos))->GetBSSoftLink();
        if (!link->ObjectPresent() || link->IsObsolete())
            continue;
        CString message;
        AfxFormatString1(message, IDS_VALID_ENTRY_EXISTS, VqsShownName(link));
        return [this, message] { RefuseFinishAt(message, IDC_SEGMENTS); };
    }
    return {};
}

int VqsBSGenPage::FillSegmentList(const PxTypedList<PxLSEBusinessSegmentPtr>& segments,
                                  const PxLSEBusinessSegmentPtr& select)
{
    m_segmentList.ResetContent();
    m_segmentList.DeleteAllItems();
    const Segments& list = segments;
    for (POSITION pos = list.GetHeadPosition(); pos;) {
        const PxLSEBusinessSegmentPtr& segment = list.GetNext(pos);
        auto* copy = new PxLSEBusinessSegmentPtr(segment);
        m_segmentList.m_items.AddTail(copy);
        const int index = m_segmentList.AddString(VqsShownName(segment));
        if (index < 0 || m_segmentList.SetItemDataPtr(index, copy) == LB_ERR) {
            VqsMessageBoxId(IDS_INTERNAL_ERROR);
            return 0;
        }
        if (select && segment->IsSameOid(select))
            m_segmentList.SetCurSel(index);
    }
    return 1;
}

// The analysis runs again under fresh locks, so that what another user changed while the
// page was open changes the way on instead of being missed.
BOOL VqsBSGenPage::GoOn(DWORD pressed)
{
    if (!m_pSheet || !m_selectedSegment)
        return FALSE;
    VqsLockScope scope(Link());
    const VqsCreatingWizard::LockStep step(CreatingWizard(), VqsLongReadLock);
    if (!m_pSheet->m_bsLock.Lock(m_selectedSegment->GetName()))
        return FALSE;
    if (!LockAndRefresh(GetWizardButtons())) {
        m_pSheet->m_bsLock.Unlock();
        return FALSE;
    }
    if (!CheckBusinessSegments()) {
        ReleaseLocks();
        return FALSE;
    }
    const DWORD buttons = GetWizardButtons();
    if (buttons != pressed) {
        VqsMessageBoxId(IDS_CONTENTS_CHANGED);
        PostWizardButtons(buttons);
        ReleaseLocks();
        return FALSE;
    }
    return TRUE;
}

BOOL VqsBSGenPage::OnWizardFinish()
{
    try {
        if (!GoOn(PSWIZB_FINISH))
            return FALSE;
    } catch (const VqReportableException& error) {
        ShowErrorById(IDS_NEXT_OR_FINISH_FAILED, error);
        return FALSE;
    }
    m_bReuse = 0;
    return VqsWizardPage::OnWizardFinish();
}

LRESULT VqsBSGenPage::OnWizardNext()
{
    try {
        if (!GoOn(PSWIZB_NEXT))
            return kWizardStay;
        return TakeNextLocks();
    } catch (const VqReportableException& error) {
        ShowErrorById(IDS_NEXT_OR_FINISH_FAILED, error);
        return kWizardStay;
    }
}

LRESULT VqsBSGenPage::TakeNextLocks()
{
    m_bReuse = m_pObsoleteEntry ? 1 : 0;
    const BOOL replacementsNeeded = !m_bNoOptionSets && !m_pSheet->m_genSetPackReplacements.IsEmpty();
    VqsLockScope scope(Link());
    // A step of its own: only the replacements the analysis found need the enterprise's update.
    const VqsCreatingWizard::LockStep step(CreatingWizard(),
                                           replacementsNeeded ? VqsFutureUpdateLock : VqsLongReadLock);
    if (m_pObsoleteEntry) {
        m_pSheet->m_obsoleteEntryBag.LockNode(m_pObsoleteEntry);
        if (!LockBagObjects(m_pSheet->m_enterpriseBag, replacementsNeeded ? VqsFutureUpdateLock : VqsLongReadLock)) {
            ReleaseLocks();
            return kWizardStay;
        }
        if (!LockBagObjects(m_pSheet->m_obsoleteEntryBag, VqsFutureUpdateLock)) {
            m_pSheet->m_enterpriseBag.Release();
            m_pSheet->m_obsoleteEntryBag.UnlockAll();
            ReleaseLocks();
            return kWizardStay;
        }
        return static_cast<LRESULT>(VqsBSSynchPage::IDD);
    }
    if (replacementsNeeded) {
        if (!LockBagObjects(m_pSheet->m_enterpriseBag, VqsFutureUpdateLock)) {
            ReleaseLocks();
            return kWizardStay;
        }
        // The packs' long read goes before their update is asked: a read raised waits for
        // another user's read while holding its own.
        m_pSheet->m_packBag.Release();
        if (!LockBagObjects(m_pSheet->m_packBag, VqsFutureUpdateLock)) {
            m_pSheet->m_enterpriseBag.Release();
            ReleaseLocks();
            return kWizardStay;
        }
        return static_cast<LRESULT>(VqsBSPackPage::IDD);
    }
    return static_cast<LRESULT>(VqsBSGSPage::IDD);
}

// ---------------------------------------------------------------- page 2

VqsBSSynchPage::VqsBSSynchPage()
    : VqsWizardPage(IDD, 0), m_choice(&m_connector, IDC_USE_EXISTING, IDC_CREATE_DEFAULT),
      m_entryName(&m_connector, IDC_ENTRY_NAME, -1, kValidatorEmpty),
      m_entryDescription(&m_connector, IDC_ENTRY_DESCRIPTION, -1, kValidatorEmpty),
      m_segmentTime(&m_connector, IDC_SEGMENT_TIME, -1, kValidatorEmpty),
      m_entryTime(&m_connector, IDC_ENTRY_TIME, -1, kValidatorEmpty)
{
}

VqsBSSynchPage::~VqsBSSynchPage() = default;

BOOL VqsBSSynchPage::OnCmdMsg(UINT id, int code, void* extra, AFX_CMDHANDLERINFO* handlerInfo)
{
    const BOOL handled = VqsWizardPage::OnCmdMsg(id, code, extra, handlerInfo);
    if (handlerInfo || extra)
        return handled;
    if ((id == IDC_USE_EXISTING || id == IDC_CREATE_DEFAULT) && code == BN_CLICKED) {
        UpdateData(TRUE);
        PostWizardButtons(GetWizardButtons());
        return TRUE;
    }
    return handled;
}

BOOL VqsBSSynchPage::OnInitDialog()
{
    VqsWizardPage::OnInitDialog();
    VqsModelNodeBSLink* entry = m_pSheet ? m_pSheet->m_genPage.m_pObsoleteEntry : nullptr;
    if (!entry)
        return TRUE;
    try {
        const PxVQBSSoftLinkPtr link = entry->GetBSSoftLink();
        m_entryName.SetValue(VqsShownName(link));
        m_entryDescription.SetValue(link->GetDescription());
        CString time;
        FormatTime64(static_cast<__time64_t>(link->GetRefTime()), time, kTimeFormat);
        m_segmentTime.SetValue(time);
        FormatTime64(static_cast<__time64_t>(link->GetCreatedTimeStamp()), time, kTimeFormat);
        m_entryTime.SetValue(time);
        UpdateData(FALSE);
    } catch (const VqReportableException& error) {
        ShowErrorById(IDS_CANNOT_ACCESS_DATA, error);
        m_pSheet->CancelSheet();
    }
    return TRUE;
}

DWORD VqsBSSynchPage::GetWizardButtons() const
{
    if (m_choice.m_nValue == 1 && m_pSheet && !m_pSheet->m_genSetPackReplacements.IsEmpty())
        return PSWIZB_BACK | PSWIZB_NEXT;
    return PSWIZB_BACK | PSWIZB_FINISH;
}

BOOL VqsBSSynchPage::OnSetActive()
{
    if (!VqsWizardPage::OnSetActive())
        return FALSE;
    PostWizardButtons(GetWizardButtons());
    return TRUE;
}

LRESULT VqsBSSynchPage::OnWizardBack()
{
    return UpdateData(TRUE) ? static_cast<LRESULT>(VqsBSGenPage::IDD) : kWizardStay;
}

LRESULT VqsBSSynchPage::OnWizardNext() { return UpdateData(TRUE) ? kWizardOnward : kWizardStay; }

BOOL VqsBSSynchPage::OnWizardFinish()
{
    if (!m_pSheet)
        return FALSE;
    {
        VqsDialogCtrlConnector::StrictControl strict = m_connector.MakeStrict();
        if (!UpdateData(TRUE) || (!CreationLocksFinish() && !LockBagObjects(m_pSheet->m_configBag, VqsWriteLock)))
            return FALSE;
    }
    m_pSheet->m_enterpriseBag.Release();
    return VqsWizardPage::OnWizardFinish();
}

// ---------------------------------------------------------------- page 3

VqsBSPackPage::VqsBSPackPage()
    : VqsWizardPage(IDD, 0), m_path(&m_connector, IDC_PATH, kReservedWordOrNil),
      m_tablespace(&m_connector, IDC_TABLESPACE, kReservedWordOrNil)
{
    m_path.SetTextLimit(kPackNameLimit);
    m_tablespace.SetTextLimit(kPackNameLimit);
}

VqsBSPackPage::~VqsBSPackPage() = default;

void VqsBSPackPage::DoDataExchange(CDataExchange* pDX)
{
    VqsWizardPage::DoDataExchange(pDX);
    DDX_Control(pDX, IDC_GENSETS, m_genSetList);
}

BOOL VqsBSPackPage::OnCmdMsg(UINT id, int code, void* extra, AFX_CMDHANDLERINFO* handlerInfo)
{
    const BOOL handled = VqsWizardPage::OnCmdMsg(id, code, extra, handlerInfo);
    if (handlerInfo || extra || (id != IDC_TABLESPACE && id != IDC_PATH))
        return handled;
    if (IsComboEdit(code)) {
        OnReplacementChanged(static_cast<int>(id));
        return TRUE;
    }
    return handled;
}

BOOL VqsBSPackPage::OnNotify(WPARAM wParam, LPARAM lParam, LRESULT* result)
{
    if (IsSelectionChange(lParam, IDC_GENSETS))
        ShowGenSet(m_genSetList.GetFirstSelected());
    return VqsWizardPage::OnNotify(wParam, lParam, result);
}

BOOL VqsBSPackPage::OnInitDialog()
{
    VqsWizardPage::OnInitDialog();
    if (!m_genSetList.InitColumns() && m_pSheet)
        m_pSheet->CancelSheet();
    return TRUE;
}

int VqsBSPackPage::IsPackNameUsable(int packType, const CString& name) const
{
    return m_pSheet ? VqsIsPackUsableAs(m_pSheet->GetEnterpriseNode(), packType, name) : 1;
}

BOOL VqsBSPackPage::OnSetActive()
{
    if (!VqsWizardPage::OnSetActive() || !m_pSheet)
        return FALSE;
    PxTypedList<PxVQGenSetPtr> genSets;
    const VqsGSetPackReplacementList& records = m_pSheet->m_genSetPackReplacements;
    VqsModelNodeEnterprise* enterprise = m_pSheet->GetEnterpriseNode();
    for (POSITION pos = records.GetHeadPosition(); pos;) {
        const VqsGSetPackReplacement& record = records.GetNext(pos);
        genSets.AddTail(record.genSet);
        m_genSetList.SetPackText2(record.genSet, record.defaultTablespacePack);
        m_genSetList.SetPackText(record.genSet, record.defaultPathPack);
        m_genSetList.SetPackTextIfChanged2(
            record.genSet, VqsProposedReplacement(enterprise, VQPackTablespace, record.defaultTablespacePack,
                                                  record.replacementTablespacePack));
        m_genSetList.SetPackTextIfChanged(record.genSet,
                                          VqsProposedReplacement(enterprise, VQPackPath, record.defaultPathPack,
                                                                 record.replacementPathPack));
    }
    m_genSetList.SetGenerateSets(genSets);
    if (!records.IsEmpty())
        m_genSetList.SelectObject(records.GetHead().genSet);
    ShowGenSet(PxVQGenSetPtr());
    ShowGenSet(m_genSetList.GetFirstSelected());
    if (const PackStruct* row = m_genSetList.FindPackStruct(m_currentGenSet))
        FocusControl(row->tablespaceReplacement.IsEmpty() && !row->defaultTablespace.IsEmpty() ? IDC_TABLESPACE
                                                                                                 : IDC_PATH);
    m_nButtons = GetWizardButtons();
    PostWizardButtons(m_nButtons);
    return TRUE;
}

// Every row's replacements of the kind are offered next to the packs that may serve.
void VqsBSPackPage::OfferPacks(VqsOptCtrlCombo& combo, int excludedType, CString PackStruct::*field)
{
    CStringList names;
    CObList packs;
    m_pSheet->GetEnterpriseNode()->GetPackNodes(packs);
    ForEachNode(packs, [&](CObject* node) {
        const auto* pack = static_cast<const VqsModelNodePack*>(node);
        if (pack->GetPackType() != excludedType)
            names.AddTail(pack->GetName());
    });
    const VqsGSetPackReplacementList& records = m_pSheet->m_genSetPackReplacements;
    for (POSITION pos = records.GetHeadPosition(); pos;) {
        const PackStruct* row = m_genSetList.FindPackStruct(records.GetNext(pos).genSet);
        if (row && !(row->*field).IsEmpty() && !names.Find(row->*field))
            names.AddTail(row->*field);
    }
    combo.SetItems(names);
    const PackStruct* current = m_genSetList.FindPackStruct(m_currentGenSet);
    combo.SetValue(current ? current->*field : CString());
    combo.Enable(TRUE);
}

// The path combo is offered only for a row with a default path pack, as the Tablespace/
// Filegroup one: a row without it needs no replacement there.
void VqsBSPackPage::ShowGenSet(const PxVQGenSetPtr& genSet)
{
    if (!genSet) {
        if (m_currentGenSet) {
            m_tablespace.ShowNotAvailable(IDS_NOT_AVAILABLE);
            m_tablespace.Enable(FALSE);
            m_path.ShowNotAvailable(IDS_NOT_AVAILABLE);
            m_path.Enable(FALSE);
            m_currentGenSet = PxVQGenSetPtr();
        }
        return;
    }
    if (m_currentGenSet && m_currentGenSet->IsSameOid(genSet))
        return;
    const PackStruct* row = m_genSetList.FindPackStruct(genSet);
    if (!row)
        return;
    m_currentGenSet = genSet;
    if (!row->defaultTablespace.IsEmpty())
        OfferPacks(m_tablespace, VQPackPath, &PackStruct::tablespaceReplacement);
    if (!row->defaultPath.IsEmpty())
        OfferPacks(m_path, VQPackTablespace, &PackStruct::pathReplacement);
    UpdateData(FALSE);
}

void VqsBSPackPage::OnReplacementChanged(int id)
{
    if (!m_currentGenSet || !UpdateData(TRUE))
        return;
    if (id == IDC_TABLESPACE)
        m_genSetList.SetPackTextIfChanged2(m_currentGenSet, m_tablespace.GetValue());
    else
        m_genSetList.SetPackTextIfChanged(m_currentGenSet, m_path.GetValue());
    PostChangedWizardButtons(GetWizardButtons(), m_nButtons);
}

DWORD VqsBSPackPage::GetWizardButtons()
{
    if (!m_pSheet)
        return PSWIZB_BACK;
    const VqsGSetPackReplacementList& records = m_pSheet->m_genSetPackReplacements;
    for (POSITION pos = records.GetHeadPosition(); pos;) {
        const PackStruct* row = m_genSetList.FindPackStruct(records.GetNext(pos).genSet);
        if (row && ((!row->defaultPath.IsEmpty() && row->pathReplacement.IsEmpty()) ||
                    (!row->defaultTablespace.IsEmpty() && row->tablespaceReplacement.IsEmpty())))
            return PSWIZB_BACK;
    }
    return PSWIZB_BACK | PSWIZB_FINISH;
}

int VqsBSPackPage::RefuseReplacement(const PxVQGenSetPtr& genSet, int comboId, UINT messageId, const CString& pack)
{
    m_genSetList.SelectObject(genSet);
    ShowGenSet(genSet);
    FocusControl(comboId);
    CString genSetName;
    try {
        if (m_bLongNames)
            genSetName = genSet->GetLongName();
        if (genSetName.IsEmpty())
            genSetName = genSet->GetName();
    } catch (const VqException&) {
        genSetName.LoadString(IDS_GENERATE_SET);
    }
    CString message;
    AfxFormatString2(message, messageId, pack, genSetName);
    VqsErrorBox(message);
    return 0;
}

int VqsBSPackPage::StoreReplacements(BOOL strict)
{
    VqsGSetPackReplacementList& records = m_pSheet->m_genSetPackReplacements;
    for (POSITION pos = records.GetHeadPosition(); pos;) {
        VqsGSetPackReplacement& record = records.GetNext(pos);
        const PackStruct* row = m_genSetList.FindPackStruct(record.genSet);
        if (!row)
            continue;
        if (!row->defaultTablespace.IsEmpty()) {
            const CString chosen = row->tablespaceReplacement;
            if (strict && chosen.IsEmpty())
                return 0;
            record.replacementTablespacePack = chosen == record.defaultTablespacePack ? CString() : chosen;
            if (strict && !IsPackNameUsable(VQPackTablespace, chosen))
                return RefuseReplacement(record.genSet, IDC_TABLESPACE, IDS_PACK_IS_PATH, chosen);
        }
        if (!row->defaultPath.IsEmpty()) {
            const CString chosen = row->pathReplacement;
            if (strict && chosen.IsEmpty())
                return 0;
            record.replacementPathPack = chosen == record.defaultPathPack ? CString() : chosen;
            if (strict && !IsPackNameUsable(VQPackPath, chosen))
                return RefuseReplacement(record.genSet, IDC_PATH, IDS_PACK_IS_TABLESPACE, chosen);
        }
    }
    return 1;
}

LRESULT VqsBSPackPage::OnWizardBack()
{
    if (!m_pSheet || !UpdateData(TRUE))
        return kWizardStay;
    StoreReplacements(FALSE);
    return static_cast<LRESULT>(m_pSheet->m_genPage.HasObsoleteEntry() ? VqsBSSynchPage::IDD : VqsBSGenPage::IDD);
}

BOOL VqsBSPackPage::OnWizardFinish()
{
    if (!m_pSheet)
        return FALSE;
    {
        VqsDialogCtrlConnector::StrictControl strict = m_connector.MakeStrict();
        if (!UpdateData(TRUE) || !StoreReplacements(TRUE) ||
            (!CreationLocksFinish() && !LockBagObjects(m_pSheet->m_configBag, VqsWriteLock)))
            return FALSE;
    }
    m_pSheet->m_obsoleteEntryBag.Release();
    return VqsWizardPage::OnWizardFinish();
}

// ---------------------------------------------------------------- page 4

VqsBSGSPage::VqsBSGSPage() : VqsGenSetNamePage(IDD, IDC_NAME, IDC_SECOND_NAME, IDC_DESCRIPTION, IDC_NO_GENSET) {}

VqsBSGSPage::~VqsBSGSPage() = default;

BOOL VqsBSGSPage::OnSetActive()
{
    if (!VqsWizardPage::OnSetActive() || !m_pSheet)
        return FALSE;
    UpdateData(TRUE);
    ReleasePackLocks(m_pSheet->m_packBag);
    m_pSheet->m_enterpriseBag.Release();
    ShowGenSetChoice();
    return TRUE;
}

LRESULT VqsBSGSPage::OnWizardBack() { return static_cast<LRESULT>(VqsBSGenPage::IDD); }

LRESULT VqsBSGSPage::OnWizardNext()
{
    if (!m_pSheet)
        return kWizardStay;
    VqsDialogCtrlConnector::StrictControl strict = m_connector.MakeStrict();
    if (!UpdateData(TRUE) || !CheckNames())
        return kWizardStay;
    const VqsCreatingWizard::LockStep step(CreatingWizard(), VqsLongReadLock);
    if (!LockBagObjects(m_pSheet->m_enterpriseBag, VqsLongReadLock))
        return kWizardStay;
    if (!FindPackConflicts()) {
        m_pSheet->m_enterpriseBag.Release();
        return kWizardStay;
    }
    return kWizardOnward;
}

BOOL VqsBSGSPage::OnWizardFinish()
{
    if (!m_pSheet)
        return FALSE;
    VqsDialogCtrlConnector::StrictControl strict = m_connector.MakeStrict();
    if (!UpdateData(TRUE) || !CheckNames())
        return FALSE;
    return LockAndFinish(m_pSheet->m_configBag);
}

// Every pack of the enterprise is long-read-locked into the sheet's pack bag, so that the
// conflicts found hold until the creator has made the generate set.
int VqsBSGSPage::FindPackConflicts()
{
    if (m_bPackLocksHeld)
        return 1;
    m_pSheet->m_packBag.UnlockAll();
    VqsLockScope scope(Link());
    m_pSheet->m_bNTPackConflict = 0;
    m_pSheet->m_bUnixPackConflict = 0;
    m_pSheet->m_ntPacks.Clear();
    m_pSheet->m_unixPacks.Clear();
    VqsLockBag packs(VqsLongReadLock);
    VqsModelNodeEnterprise* enterprise = m_pSheet->GetEnterpriseNode();
    CObList nodes;
    try {
        if (!LockPacks(enterprise, packs, nodes))
            return 0;
    } catch (const VqReportableException& error) {
        ShowErrorById(IDS_CANNOT_COLLECT_PACKS, error);
        return 0;
    }
    try {
        FindPackClashes(*m_pSheet, nodes, m_pSheet->m_genPage.m_selectedSegment->GetName(), m_pSheet->m_bNTPackConflict,
                        m_pSheet->m_bUnixPackConflict);
    } catch (const VqReportableException& error) {
        ShowErrorById(IDS_CANNOT_ACCESS_ENTRIES, error);
        return 0;
    }
    m_pSheet->m_packBag = packs;
    m_bPackLocksHeld = 1;
    return 1;
}
