// New System and Add Business Segment of the directory view: the wizard's Finish creates the
// system, the business-segment link, a host and a generate set one after the other, all in
// one transaction, so that a step that fails leaves nothing of the others and keeps the
// wizard open with the step's error. Every lock the steps need is taken before the first
// of them writes. The tree shows what was made through the change notices once it is
// stored; the command then selects it.
#include "sysview/VqsDirectoryView.h"

#include "config/VqsNewBSLinkSheet.h"
#include "config/VqsNewSystemSheet.h"
#include "model/VqsBSLock.h"
#include "model/VqsBSPackReplacement.h"
#include "model/VqsCreationLocks.h"
#include "model/VqsGSetPackReplacement.h"
#include "model/VqsLockBag.h"
#include "model/VqsModel.h"
#include "model/VqsModelNodeLink.h"
#include "model/VqsModelNodeSystem.h"
#include "model/VqsSyncResult.h"
#include "proxy/PxVQHostInformation.h"
#include "proxy/PxVQLink.h"
#include "proxy/PxVQTypes.h"
#include "proxy/VqException.h"
#include "shell/StatusMessage.h"
#include "shell/VqsMsgBox.h"
#include "shell/VqsSysApp.h"
#include "sysview/VqsConfigTreeItem.h"
#include "sysview/VqsSysFrame.h"
#include "sysview/VqsTreeItemSystem.h"

namespace {

constexpr int kRightAdminister = 2;
constexpr UINT IDS_SECURITY_VIOLATION = 61667;
constexpr UINT IDS_REFRESHING_VIEWS = 61524;
constexpr UINT IDS_CREATING_SYSTEM = 61668;
constexpr UINT IDS_CREATING_SEGMENT_ENTRY = 61669;
constexpr UINT IDS_CREATING_GENERATE_SET = 61670;
constexpr UINT IDS_CREATING_HOST = 61671;
constexpr UINT IDS_SYNCHRONISING_CONFIGURATION = 61523;
constexpr UINT IDS_VALID_ENTRY_EXISTS = 61759;
constexpr int kPackUsageData = 1;
constexpr int kPackUsageDefault = 2;

// The two replacements of one platform's initial packs for the new link.
void AppendPackReplacements(VqsBSPackReplacementList& list, const PxVQBSSoftLinkPtr& link,
                            const VqsPlatformPacks& packs)
{
    VqsBSPackReplacement defaults;
    defaults.bsSoftLink = link;
    defaults.packKind = kPackUsageDefault;
    defaults.origin = 1;
    defaults.packName = packs.initialTablespace;
    defaults.newPackName = packs.replacementTablespace;
    list.AddTail(defaults);
    VqsBSPackReplacement data = defaults;
    data.packKind = kPackUsageData;
    data.packName = packs.initialPath;
    data.newPackName = packs.replacementPath;
    list.AddTail(data);
}

BOOL HasReplacement(const VqsPlatformPacks& packs)
{
    return !packs.replacementTablespace.IsEmpty() || !packs.replacementPath.IsEmpty();
}

// A link is usable when its soft link can be read and is not obsolete.
BOOL IsUsableLink(VqsModelNodeBSLink* entry)
{
    try {
        return !entry->GetBSSoftLink()->IsObsolete();
    } catch (const VqReportableException& error) {
        if (VqsIsLostConnection(error))
            throw;
        return FALSE;
    }
}

// The user chose to keep the options of the segment's earlier entry: nothing is created.
BOOL KeepsExistingOptions(const VqsNewBSLinkSheet& sheet)
{
    return sheet.m_genPage.m_bReuse && sheet.m_synchPage.m_choice.m_nValue == 0;
}

BOOL HoldsUsableLink(VqsModelNodeCurConfig* config)
{
    config->LoadBSLinks(VqsLoadCached);
    CObList entries;
    config->GetBSLinkNodes(entries);
    for (POSITION pos = entries.GetHeadPosition(); pos;) {
        if (IsUsableLink(static_cast<VqsModelNodeBSLink*>(entries.GetNext(pos))))
            return TRUE;
    }
    return FALSE;
}

// What the host step (when the wizard makes a host) and the generate-set step lock, for a
// configuration that exists and gets its new link first.
template <class Sheet>
int LockHostAndGenerateSet(VqsModel& model, Sheet& sheet, VqsCreationLocks& locks, const PxVQCurConfigPtr& config)
{
    if (sheet.m_targetHostPage.CreatesHost(sheet.m_hostPage) && !model.LockForHost(locks.write))
        return 0;
    return model.LockForGenSet(locks.read, locks.write, config, true) != nullptr;
}

} // namespace

// The host step and the generate-set step of a wizard whose target host and generate-set
// pages the sheet holds; `link` is the new business-segment link, null when none was made.
// 0 when either step made nothing (the step said why).
template <class Sheet>
int VqsDirectoryView::CreateGenerateSet(VqsModel& model, Sheet& sheet, const PxVQCurConfigPtr& config,
                                        const PxVQBSSoftLinkPtr& link)
{
    VqsSysFrame* frame = GetSysFrame();
    const int hostType = sheet.m_targetHostPage.m_nHostType;
    CString hostName;
    if (sheet.m_targetHostPage.CreatesHost(sheet.m_hostPage)) {
        StatusMessage status(frame, IDS_CREATING_HOST);
        PxVQHostInformationPtr host;
        model.CreateHost(host, sheet.m_hostPage.m_name.GetValue(), hostType, sheet.m_hostPage.m_address.GetValue(),
                         sheet.m_hostPage.m_port.GetValue(), sheet.m_ftpPage.m_userId.GetValue(),
                         sheet.m_ftpPage.m_password.GetValue());
        if (!host)
            return 0;
        hostName = host->GetName();
    }
    StatusMessage status(frame, IDS_CREATING_GENERATE_SET);
    if (!sheet.m_targetHostPage.m_strHostName.IsEmpty())
        hostName = sheet.m_targetHostPage.m_strHostName;
    VqsBSPackReplacementList replacements(10);
    if (link && hostType == VQHostNT && HasReplacement(sheet.m_ntPacks))
        AppendPackReplacements(replacements, link, sheet.m_ntPacks);
    if (link && hostType == VQHostUnix && HasReplacement(sheet.m_unixPacks))
        AppendPackReplacements(replacements, link, sheet.m_unixPacks);
    return model.CreateGenSet(config, sheet.m_gsPage.m_name.GetValue(), sheet.m_gsPage.m_secondName.GetValue(),
                              sheet.m_gsPage.m_description.GetValue(), hostType, hostName, &replacements,
                              PxVQGenSetPtr())
               ? 1
               : 0;
}

void VqsDirectoryView::OnNewSystem()
{
    VqsSysApp* app = VqsGetApp();
    if (!app || !app->HasRight(kRightAdminister)) {
        VqsMessageBoxId(IDS_SECURITY_VIOLATION);
        return;
    }
    VqsModel model;
    VqsNewSystemSheet sheet(&model.GetRootNode(), this);
    PxVQSystemPtr system;
    sheet.SetCreation([&] { return CreateNewSystem(model, sheet, system); });
    if (sheet.DoModal() != ID_WIZFINISH || !m_hWnd || !system)
        return;
    if (m_pRoot)
        m_pRoot->Expand();
    if (VqsConfigTreeItem* item = FindItemOf(system)) {
        item->SelectExclusive();
        item->FocusRow();
    }
    OnSelectionChanged();
}

// The system, its business-segment link, the host and the generate set the wizard describes.
BOOL VqsDirectoryView::CreateNewSystem(VqsModel& model, VqsNewSystemSheet& sheet, PxVQSystemPtr& system)
{
    // A view the wizard's loop closed creates nothing.
    if (!m_hWnd)
        return TRUE;
    CWaitCursor wait;
    VqsSysApp* app = VqsGetApp();
    PxVQLink* link = app ? app->GetLink() : nullptr;
    if (!link || !link->GetLVQEnterprise())
        return TRUE;
    VqsSysFrame* frame = GetSysFrame();
    const BOOL wantsSegment = sheet.m_bsPage.m_selectedSegment && !sheet.m_bsPage.m_noSegment.m_bValue;
    const BOOL wantsGenSet = !sheet.m_gsPage.m_noGenSet.m_bValue;
    // The enterprise takes the system; the host and the generate set of a configuration the
    // creation makes need nothing else that exists but the packs.
    const BOOL createsHost = wantsGenSet && sheet.m_targetHostPage.CreatesHost(sheet.m_hostPage);
    VqsCreation creation;
    creation.pageLocks = sheet.GetPageLocks();
    creation.lock = [&](VqsCreationLocks& locks) -> int {
        if (!model.LockEnterpriseNode(locks.write, link->GetLVQEnterprise()))
            return 0;
        return !createsHost || model.LockForHost(locks.write);
    };
    creation.findNameTaken = [&]() -> VqsNameTaken {
        VqsNameTaken taken = sheet.m_optPage.FindNameTaken();
        return taken || !createsHost ? taken : sheet.m_hostPage.FindNameTaken();
    };
    creation.steps = [&]() -> int {
        {
            StatusMessage status(frame, IDS_CREATING_SYSTEM);
            model.CreateSystem(system, sheet.m_optPage.m_name.GetValue(), sheet.m_optPage.m_secondName.GetValue(),
                               sheet.m_optPage.m_description.GetValue(), sheet.m_genPage.m_runtimeVersion.GetValue(),
                               sheet.m_genPage.m_resetReportCount.m_bValue, sheet.m_genPage.m_resetVersion.m_bValue);
        }
        if (!system)
            return 0;
        const PxVQCurConfigPtr config = wantsSegment || wantsGenSet ? system->GetCurConfig() : PxVQCurConfigPtr();
        PxVQBSSoftLinkPtr segmentLink;
        if (wantsSegment && config) {
            StatusMessage status(frame, IDS_CREATING_SEGMENT_ENTRY);
            VqsGSetPackReplacementList none(10);
            segmentLink = model.ApplyGenSetPackReplacements(config, sheet.m_bsPage.m_selectedSegment, none);
            if (!segmentLink)
                return 0;
        }
        return !wantsGenSet || !config || CreateGenerateSet(model, sheet, config, segmentLink);
    };
    const int stored = model.CreateAllOrNothing(nullptr, creation);
    if (!stored)
        system = PxVQSystemPtr();
    return stored;
}

// The user kept the existing options of an earlier entry of the segment: the configuration is
// synchronised with the design again instead of a new entry being made.
void VqsDirectoryView::SynchroniseKeptSegment(const PxVQCurConfigPtr& config)
{
    VqsModel model(VqsSyncForAddSegment);
    VqsLockBag readBag(VqsReadLock);
    {
        StatusMessage status(GetSysFrame(), IDS_REFRESHING_VIEWS);
        if (!model.LockSubtree(readBag, PxVQObjectPtr(config)))
            return;
    }
    StatusMessage status(GetSysFrame(), IDS_SYNCHRONISING_CONFIGURATION);
    CWaitCursor wait;
    VqsBSLock segmentLock;
    VqsLockBag updateBag(VqsFutureUpdateLock);
    VqsSyncResult result;
    model.RefreshForGeneration(segmentLock, readBag, updateBag, config, result, VqsGetApp()->GetSynchronizeMode(),
                               PxHandle(), false, false);
}

void VqsDirectoryView::OnAddBusinessSegment()
{
    VqsConfigTreeItem* item = GetSelectedItems().size() == 1 ? GetSelectedConfigItem() : nullptr;
    const PxVQConfigPtr selected = item ? item->GetConfig() : PxVQConfigPtr();
    if (!selected && item) {
        // A system another user deleted has no configuration to read any more.
        TellSelectionGone();
        return;
    }
    if (!selected || !selected->_IsKindOf("PxVQCurConfig"))
        return;
    VqsSysApp* app = VqsGetApp();
    if (!app || !app->HasRight(kRightAdminister)) {
        VqsMessageBoxId(IDS_SECURITY_VIOLATION);
        return;
    }
    const PxVQCurConfigPtr config(selected);
    VqsModel model;
    VqsLockBag bag(VqsReadLock);
    VqsModelNodeCurConfig* node = nullptr;
    {
        StatusMessage status(GetSysFrame(), IDS_REFRESHING_VIEWS);
        CWaitCursor wait;
        node = model.LockCurConfigNode(bag, config);
    }
    if (!node)
        return;
    if (HoldsUsableLink(node)) {
        bag.Release();
        VqsMessageBoxId(IDS_VALID_ENTRY_EXISTS);
        return;
    }
    PxVQBSSoftLinkPtr link;
    std::unique_ptr<VqsNewBSLinkSheet> sheet =
        VqsRunNewBSLinkWizard(&bag, node, this, [&](VqsNewBSLinkSheet& wizard) {
            return CreateSegmentEntry(model, wizard, node, link);
        });
    if (!sheet)
        return;
    if (KeepsExistingOptions(*sheet)) {
        SynchroniseKeptSegment(config);
        return;
    }
    if (!link)
        return;
    item->Expand();
    if (VqsConfigTreeItem* linkItem = FindItemOf(link)) {
        linkItem->SelectExclusive();
        OnSelectionChanged();
    }
}

// The business-segment link and, for a configuration without option sets, the host and the
// first generate set the wizard describes.
BOOL VqsDirectoryView::CreateSegmentEntry(VqsModel& model, VqsNewBSLinkSheet& sheet, VqsModelNodeCurConfig* config,
                                          PxVQBSSoftLinkPtr& link)
{
    // The entry kept is synchronised once the wizard has ended.
    if (KeepsExistingOptions(sheet))
        return TRUE;
    CWaitCursor wait;
    const PxVQCurConfigPtr curConfig = config->GetCurConfig();
    const BOOL wantsGenSet = sheet.m_genPage.m_bNoOptionSets && !sheet.m_gsPage.m_noGenSet.m_bValue;
    const BOOL createsHost = wantsGenSet && sheet.m_targetHostPage.CreatesHost(sheet.m_hostPage);
    VqsCreation creation;
    creation.pageLocks = sheet.GetPageLocks();
    creation.lock = [&](VqsCreationLocks& locks) -> int {
        if (!model.LockForSegmentLink(locks.read, locks.write, PxVQConfigPtr(curConfig)))
            return 0;
        return !wantsGenSet || LockHostAndGenerateSet(model, sheet, locks, curConfig);
    };
    creation.findNameTaken = [&]() -> VqsNameTaken {
        VqsNameTaken taken = sheet.m_genPage.FindNameTaken();
        return taken || !createsHost ? taken : sheet.m_hostPage.FindNameTaken();
    };
    creation.steps = [&]() -> int {
        {
            StatusMessage status(GetSysFrame(), IDS_CREATING_SEGMENT_ENTRY);
            link = model.ApplyGenSetPackReplacements(curConfig, sheet.m_genPage.m_selectedSegment,
                                                     sheet.m_genSetPackReplacements);
        }
        if (!link)
            return 0;
        return !wantsGenSet || CreateGenerateSet(model, sheet, curConfig, link);
    };
    const int stored = model.CreateAllOrNothing(config, creation);
    if (!stored)
        link = PxVQBSSoftLinkPtr();
    return stored;
}
