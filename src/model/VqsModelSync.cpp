// The synchronisation analysis of a configuration: its one business segment located among
// its links, checked for use, the links that match no design segment disposed of by the
// mode, and the matched link handed to the element synchronisation.
#include "model/VqsModel.h"

#include "model/VqsBSLock.h"
#include "model/VqsLockBag.h"
#include "model/VqsLockScope.h"
#include "model/VqsModelNodeLink.h"
#include "model/VqsModelNodeOSet.h"
#include "model/VqsModelNodeOption.h"
#include "model/VqsModelNodeSystem.h"
#include "model/VqsSyncDlgs.h"
#include "model/VqsTransaction.h"
#include "model/VqsTransactionConfig.h"
#include "proxy/PxLSEEnterprise.h"
#include "proxy/PxLSEParts.h"
#include "proxy/PxLSERevisionId.h"
#include "proxy/PxProcess.h"
#include "proxy/PxVQLink.h"
#include "proxy/VqException.h"
#include "shell/VqsMsgBox.h"
#include "shell/VqsSysApp.h"

#include <algorithm>
#include <cstring>
#include <vector>

namespace {

constexpr UINT IDS_CANNOT_FINISH_SYNC = 61515;
constexpr UINT IDS_CANNOT_PROCEED_WITH_GENERATION = 61520;
constexpr UINT IDS_ITEM_DELETED = 61746;

using SegmentNodes = std::vector<VqsModelNodeBSLink*>;

PxVQLink* SessionLink() { return VqsGetApp() ? VqsGetApp()->GetLink() : nullptr; }

bool IsMarkedUnused(const VqsModelNodeLink* node)
{
    const PxVQSoftLinkPtr link = node->GetSoftLink();
    return link && link->GetUnusedMark() != 0;
}

CString UserPart(const CString& userCode)
{
    const int slash = userCode.Find('/');
    return slash < 0 ? userCode : userCode.Left(slash);
}

bool HeldBySession(const PxLSELockedObjectPtr& locked)
{
    PxVQLink* link = SessionLink();
    PxProcess* process = link ? link->GetProcess() : nullptr;
    const CString own = process ? process->GetUserCode() : CString();
    return UserPart(locked->GetUsercode()).CompareNoCase(UserPart(own)) == 0;
}

bool SameGuid(const GUID& a, const GUID& b) { return std::memcmp(&a, &b, sizeof(GUID)) == 0; }

// Writes in one transaction; 0 when it failed.
template <class Body>
int WriteLink(Body body)
{
    {
        VqsTransaction transaction;
        try {
            if (transaction.IsUsable())
                body();
        } catch (const VqReportableException& error) {
            transaction.ReportFailure(IDS_CANNOT_FINISH_SYNC, error);
        }
    }
    return VqsTransaction::IsOk();
}

// The links write-locked, then deleted with their nodes in one transaction.
int DeleteSegmentLinks(VqsModelNodeConfig* config, const SegmentNodes& nodes)
{
    if (nodes.empty())
        return 1;
    VqsLockBag bag(VqsWriteLock);
    {
        VqsLockScope scope(SessionLink());
        for (VqsModelNodeBSLink* node : nodes) {
            if (!node->LockPath(bag, node->GetObject()))
                return 0;
        }
    }
    {
        VqsTransaction transaction;
        for (VqsModelNodeBSLink* node : nodes) {
            if (!transaction.IsUsable() || !VqsModelNodeBSLink::DeleteSoftLink(config, node)) {
                transaction.SetFailed();
                break;
            }
        }
    }
    return VqsTransaction::IsOk();
}

// The question about the links that match nothing; the nodes of those the user chose are
// deleted and leave `left`. 0 on Cancel or a failure.
int AskAndDeleteSegmentLinks(VqsModelNodeConfig* config, SegmentNodes& left, VqsLockBag& readBag,
                             VqsLockBag& updateBag)
{
    {
        VqsLockScope scope(SessionLink());
        if (!updateBag.LockObjects(VqsLongReadLock))
            return 0;
        readBag.UnlockAll();
    }
    PxTypedList<PxVQBSSoftLinkPtr> offered;
    for (VqsModelNodeBSLink* node : left)
        offered.AddTail(node->GetBSSoftLink());
    VqsSyncDelBSDlg dialog(nullptr, PxVQObjectPtr(config->GetConfig()), &offered);
    const INT_PTR answer = dialog.DoModal();
    if (answer != IDOK && answer != IDKEEPALL)
        return 0;
    SegmentNodes chosen;
    PxTypedList<PxVQBSSoftLinkPtr>& selected = dialog.GetSelected();
    for (POSITION pos = selected.GetHeadPosition(); pos;) {
        if (VqsModelNodeBSLink* node = config->FindBSLinkNode(selected.GetNext(pos)))
            chosen.push_back(node);
    }
    left.erase(std::remove_if(left.begin(), left.end(),
                              [&](VqsModelNodeBSLink* node) {
                                  return std::find(chosen.begin(), chosen.end(), node) != chosen.end();
                              }),
               left.end());
    if (!DeleteSegmentLinks(config, chosen))
        return 0;
    updateBag.Release();
    return 1;
}

// What becomes of the links that match no design segment, newest first.
int DisposeOfUnmatchedLinks(VqsModelNodeConfig* config, const SegmentNodes& unmatched, VqsLockBag& readBag,
                            VqsLockBag& updateBag, int syncMode)
{
    SegmentNodes left;
    SegmentNodes untouched;
    for (VqsModelNodeBSLink* node : unmatched) {
        int updated = 0;
        if (!node->LoadUpdatedElementLinks(updated, readBag, updateBag))
            return 0;
        (updated ? left : untouched).push_back(node);
    }
    if (!DeleteSegmentLinks(config, untouched))
        return 0;
    if (syncMode == VqsSyncInteractive && !left.empty() &&
        !AskAndDeleteSegmentLinks(config, left, readBag, updateBag))
        return 0;
    for (VqsModelNodeBSLink* node : left) {
        if (syncMode == VqsSyncFullAuto) {
            if (!DeleteSegmentLinks(config, {node}))
                return 0;
            continue;
        }
        if (IsMarkedUnused(node))
            continue;
        int deleteLink = 0;
        if (!node->SyncUnmatchedLink(deleteLink, readBag, updateBag, syncMode))
            return 0;
        if (deleteLink && !DeleteSegmentLinks(config, {node}))
            return 0;
    }
    return 1;
}

// Whether the design segment may be used for the model's operation; 0 after the reason was
// shown. Only an exclusive design lock holds the segment (a shared one is no hold); another
// user's hold and the host's refusal are both told to the user, naming the segment.
int CheckSegmentUsable(VqsModelNodeBSLink* node, int operation, VqsBSLock& segmentLock,
                       const PxLSEBusinessSegmentPtr& segment, const PxHandle& recoveryHandle, bool declinedRestart)
{
    if (operation == VqsSyncForRestart)
        return node->LockForGeneration(1, segmentLock, segment, recoveryHandle);
    try {
        const PxLSELockedObjectPtr locked = VqsGetApp()->GetLSEEnterprise()->GetLockedObject(segment);
        if (locked && locked->GetExclusiveLock() && declinedRestart) {
            if (HeldBySession(locked))
                return 1;
            VqsBSLock::ReportHeldByOther(segment->GetName());
            return 0;
        }
        if (operation == VqsSyncForReports)
            return 1;
        return segmentLock.LockForGeneration(segment->GetName());
    } catch (const VqReportableException& error) {
        ShowErrorById(IDS_CANNOT_PROCEED_WITH_GENERATION, error);
        return 0;
    }
}

} // namespace

int VqsModel::LockForSynchronisation(VqsLockBag& readBag, VqsLockBag& updateBag, PxVQCurConfigPtr config)
{
    VqsModelNodeCurConfig* configNode = FindCurConfigNode(config);
    if (!configNode)
        return 0;
    {
        VqsLockScope scope(SessionLink());
        // What the caller read-locked is given up before the update locks are waited for: a
        // read kept while waiting would keep another synchronisation's write waiting on it.
        readBag.UnlockAll();
        if (!updateBag.LockNode(&m_root) || !updateBag.LockNode(configNode))
            return 0;
    }
    return !updateBag.ReportDeleted(IDS_ITEM_DELETED, configNode);
}

int VqsModel::LockSegmentLinksForSynchronisation(VqsLockBag& readBag, VqsLockBag& updateBag,
                                                  PxVQCurConfigPtr config)
{
    if (!LockForSynchronisation(readBag, updateBag, config))
        return 0;
    CObList links;
    try {
        VqsModelNodeCurConfig* configNode = FindCurConfigNode(config);
        configNode->LoadBSLinks(VqsLoadCached);
        configNode->GetBSLinkNodesByCreation(links);
    } catch (const VqReportableException& error) {
        ShowErrorById(IDS_CANNOT_FINISH_SYNC, error);
        return 0;
    }
    VqsLockScope scope(SessionLink());
    return updateBag.TakeOverNodes(links, readBag);
}

int VqsModel::RefreshForGeneration(VqsBSLock& segmentLock, VqsLockBag& readBag, VqsLockBag& updateBag,
                                   PxVQCurConfigPtr config, VqsSyncResult& result, int syncMode,
                                   const PxHandle& recoveryHandle, bool declinedRestart, bool locateOnly)
{
    if (!LockForSynchronisation(readBag, updateBag, config))
        return 0;
    VqsModelNodeCurConfig* configNode = FindCurConfigNode(config);
    VqsModelNodeSystem* systemNode = configNode->GetSystemNode();
    int answer = 0;
    try {
        m_root.Refresh();
        m_root.LoadPacks(VqsLoadDropVanished);
        answer = CheckBusinessSegmentSync(segmentLock, readBag, updateBag, configNode, result, syncMode,
                                          recoveryHandle, declinedRestart, locateOnly);
    } catch (const VqReportableException& error) {
        ShowErrorById(IDS_CANNOT_FINISH_SYNC, error);
        answer = 0;
    }
    systemNode->Refresh();
    return answer;
}

int VqsModel::CheckBusinessSegmentSync(VqsBSLock& segmentLock, VqsLockBag& readBag, VqsLockBag& updateBag,
                                       VqsModelNodeConfig* config, VqsSyncResult& result, int syncMode,
                                       const PxHandle& recoveryHandle, bool declinedRestart, bool locateOnly)
{
    CWaitCursor wait;
    config->LoadBSLinks(VqsLoadCached);
    const PxLSEEnterprisePtr design = VqsGetApp() ? VqsGetApp()->GetLSEEnterprise() : PxLSEEnterprisePtr();
    if (!design)
        return 0;
    PxTypedList<PxLSEBusinessSegmentPtr> segmentList;
    design->GetBSList(segmentList);
    std::vector<PxLSEBusinessSegmentPtr> segments;
    for (POSITION pos = segmentList.GetHeadPosition(); pos;)
        segments.push_back(segmentList.GetNext(pos));

    CObList byCreation;
    config->GetBSLinkNodesByCreation(byCreation);
    SegmentNodes ordered;
    {
        VqsLockScope scope(SessionLink());
        for (POSITION pos = byCreation.GetHeadPosition(); pos;) {
            auto* node = static_cast<VqsModelNodeBSLink*>(byCreation.GetNext(pos));
            if (!updateBag.Contains(node) && !updateBag.TakeOverNode(node, readBag))
                return 0;
            node->Refresh();
            ordered.push_back(node);
        }
    }

    const int operation = GetFlag();
    VqsModelNodeBSLink* matched = nullptr;
    // -1 when the segment found cannot be used.
    const auto search = [&](bool marked) {
        for (auto at = ordered.begin(); at != ordered.end(); ++at) {
            if (IsMarkedUnused(*at) != marked)
                continue;
            for (auto segment = segments.begin(); segment != segments.end(); ++segment) {
                if (!BSSoftLinkMatches(*at, *segment))
                    continue;
                if (!CheckSegmentUsable(*at, operation, segmentLock, *segment, recoveryHandle, declinedRestart))
                    return -1;
                matched = *at;
                result.businessSegment = *segment;
                result.softLink = matched->GetBSSoftLink();
                ordered.erase(at);
                segments.erase(segment);
                return 1;
            }
        }
        return 0;
    };
    if (search(false) < 0)
        return 0;

    if (locateOnly) {
        if (!result.softLink)
            return 1;
        const PxVQBSSoftLinkPtr link = result.softLink;
        return WriteLink([&] { link->SetLastSyncOption(kVqsSyncLocateOnly); });
    }

    if (matched && (operation == VqsSyncForRestart || operation == VqsSyncForGeneration ||
                    operation == VqsSyncForReports)) {
        const PxVQBSSoftLinkPtr link = result.softLink;
        const PxLSEBusinessSegmentPtr segment = result.businessSegment;
        const PxLSERevisionIdPtr revision = segment->GetSyncGenRevision();
        const bool eventKept = !link->GetElementSoftLink("EVENT") || segment->GetElement("EVENT");
        if (revision && SameGuid(revision->GetGuid(), link->GetSyncGenRevisionGUID()) && eventKept) {
            link->GetSyncPairList(result.pairs);
            return WriteLink([&] { link->SetLastSyncOption(syncMode); });
        }
    }

    bool revived = false;
    if (!matched) {
        const int found = search(true);
        if (found < 0)
            return 0;
        revived = found > 0;
    }
    if (!DisposeOfUnmatchedLinks(config, ordered, readBag, updateBag, syncMode))
        return 0;
    if (!matched)
        return 1;
    return SyncMatchedLink(matched, readBag, updateBag, result, syncMode, revived);
}

int VqsModel::SyncMatchedLink(VqsModelNodeBSLink* node, VqsLockBag& readBag, VqsLockBag& updateBag,
                              VqsSyncResult& result, int syncMode, bool revived)
{
    VqsModelNodeConfig* config = node->GetConfigNode();
    const PxVQBSSoftLinkPtr link = result.softLink;
    const PxLSEBusinessSegmentPtr segment = result.businessSegment;
    VqsLockBag writeBag(VqsWriteLock);
    {
        VqsLockScope scope(SessionLink());
        if (!writeBag.LockNode(node))
            return 0;
    }
    {
        VqsTransactionConfig transaction(config->GetConfig());
        transaction.CreateBSLinkOptions(segment, link);
        if (transaction.IsUsable() && revived) {
            if (!node->SetSoftLinkValue(0))
                transaction.SetFailed();
        } else {
            node->NotifyChanged();
        }
    }
    if (!VqsTransaction::IsOk())
        return 0;
    config->LoadOptionSets(VqsLoadCached);
    const int synchronised = node->SyncElements(readBag, updateBag, result, syncMode);
    if (!synchronised)
        return 0;
    const PxLSERevisionIdPtr revision = segment->GetSyncGenRevision();
    const int stored = WriteLink([&] {
        link->SetSyncPairList(result.pairs);
        link->SetLastSyncOption(syncMode);
        if (revision) {
            link->SetSyncGenRevisionGUID(revision->GetGuid());
            revision->SetUpdated(0);
        }
    });
    return stored ? synchronised : 0;
}

void VqsModel::EnsureOptionPacks(VqsModelNode* node)
{
    if (auto* linkNode = dynamic_cast<VqsModelNodeLink*>(node)) {
        CollectSoftLinkPacks(linkNode->GetSoftLink());
        return;
    }
    VqsPackSpecList packs;
    if (auto* optionSet = dynamic_cast<VqsModelNodeOSet*>(node))
        optionSet->CollectPacks(packs, PxVQBSSoftLinkPtr());
    else if (auto* option = dynamic_cast<VqsModelNodeOption*>(node))
        option->CollectPacks(packs);
    ThrowModelError(packs);
}

void VqsModel::CreateBSLinkPacks(VqsModelNode* node, const PxVQBSSoftLinkPtr& link)
{
    VqsPackSpecList packs;
    node->LoadChildren(VqsLoadCached);
    CObList children;
    node->GetChildren(children);
    for (POSITION pos = children.GetHeadPosition(); pos;) {
        auto* config = dynamic_cast<VqsModelNodeConfig*>(static_cast<VqsModelNode*>(children.GetNext(pos)));
        if (!config || !config->FindBSLinkNode(link))
            continue;
        config->LoadOptionSets(VqsLoadCached);
        CObList optionSets;
        config->GetOptionSetNodes(optionSets);
        for (POSITION at = optionSets.GetHeadPosition(); at;) {
            auto* optionSet = static_cast<VqsModelNodeOSet*>(optionSets.GetNext(at));
            optionSet->LoadChildren(VqsLoadCached);
            optionSet->CollectPacks(packs, link);
        }
    }
    ThrowModelError(packs);
}
