// The model's lock operations: one per kind of object, each locking the path from the root
// down to the object's node; the subtree lock; the delete of a list of nodes.
#include "model/VqsModel.h"

#include "model/VqsLockBag.h"
#include "model/VqsLockScope.h"
#include "model/VqsModelNodeGroups.h"
#include "model/VqsModelNodeHost.h"
#include "model/VqsModelNodeLink.h"
#include "model/VqsModelNodeLocks.h"
#include "model/VqsModelNodeOSet.h"
#include "model/VqsModelNodeOption.h"
#include "model/VqsModelNodeSystem.h"
#include "model/VqsNodeRef.h"
#include "model/VqsRunningGeneration.h"
#include "model/VqsTransaction.h"
#include "proxy/PxVQOptions.h"
#include "proxy/VqException.h"
#include "shell/VqsMsgBox.h"
#include "shell/VqsRemovePromptDlg.h"
#include "shell/VqsSysApp.h"

#include <vector>

namespace {

const UINT IDS_CANNOT_ACCESS_OPTION_VALUES = 61502;
const UINT IDS_CANNOT_ACCESS_HOSTS = 61549;
const UINT IDS_CANNOT_ACCESS_OPTIONS_ENTRY = 61581;
const UINT IDS_CANNOT_ACCESS_PREVIOUS_CONFIGS = 61603;
const UINT IDS_CANNOT_ACCESS_ENTERPRISE = 61608;
const UINT IDS_CANNOT_ACCESS_OPTION_SET = 61641;
const UINT IDS_CANNOT_ACCESS_REPORT_GROUPS = 61694;
const UINT IDS_CANNOT_ACCESS_SYSTEM = 61695;
const UINT IDS_CANNOT_ACCESS_CURRENT_CONFIG = 61719;
const UINT IDS_CANNOT_ACCESS_SEGMENT = 61723;
const UINT IDS_CANNOT_ACCESS_REPORT_IN_GROUP = 61733;
const UINT IDS_CANNOT_ACCESS_BUNDLE_ISPECS = 61888;
const UINT IDS_CANNOT_ACCESS_BUNDLES = 61889;
const UINT IDS_ITEM_DELETED = 61746;
const UINT IDS_CONTENTS_CHANGED = 61747;
const UINT IDS_CHECK_CHANGED_OPTIONS = 61908;

PxVQLink* SessionLink()
{
    VqsSysApp* app = VqsGetApp();
    return app ? app->GetLink() : nullptr;
}

// One step of a lock chain: a repository failure is shown with the step's message.
template <class Node, class Body>
Node* Step(UINT messageId, Body body)
{
    try {
        return body();
    } catch (const VqReportableException& error) {
        ShowErrorById(messageId, error);
        return nullptr;
    }
}

// The child node of a parent whose list is read on demand: from the list as read, else
// after reading it again; null when the parent does not list the object.
template <class Node, class Load>
Node* ChildNodeOf(VqsModel& model, const VqsModelNode* parent, const PxObjectPtr& object, Load load)
{
    auto find = [&]() -> Node* {
        auto* node = dynamic_cast<Node*>(model.LookupNode(object));
        return node && node->GetParent() == parent ? node : nullptr;
    };
    load(VqsLoadCached);
    if (Node* node = find())
        return node;
    load(VqsLoadReread);
    return find();
}

} // namespace

VqsModelNodeEnterprise* VqsModel::LockEnterpriseNode(VqsLockBag& bag, const PxVQEnterprisePtr& enterprise)
{
    VqsLockScope scope(SessionLink());
    return enterprise ? m_root.LockRoot(bag) : nullptr;
}

VqsModelNodeHost* VqsModel::LockHostNode(VqsLockBag& bag, const PxVQHostInformationPtr& host)
{
    VqsLockScope scope(SessionLink());
    if (!host)
        return nullptr;
    return Step<VqsModelNodeHost>(IDS_CANNOT_ACCESS_HOSTS, [&] { return m_root.LockHostChild(bag, host); });
}

VqsModelNodePack* VqsModel::LockPackNode(VqsLockBag& bag, const PxVQPackInformationPtr& pack)
{
    VqsLockScope scope(SessionLink());
    if (!pack)
        return nullptr;
    return Step<VqsModelNodePack>(IDS_CANNOT_ACCESS_HOSTS, [&] { return m_root.LockPackChild(bag, pack); });
}

VqsModelNodeSystem* VqsModel::LockSystemNode(VqsLockBag& bag, const PxVQSystemPtr& system)
{
    VqsLockScope scope(SessionLink());
    if (!system)
        return nullptr;
    return Step<VqsModelNodeSystem>(IDS_CANNOT_ACCESS_SYSTEM, [&] { return m_root.LockSystemChild(bag, system); });
}

VqsModelNodeCurConfig* VqsModel::LockCurConfigNode(VqsLockBag& bag, const PxVQCurConfigPtr& config)
{
    VqsLockScope scope(SessionLink());
    if (!config)
        return nullptr;
    return Step<VqsModelNodeCurConfig>(IDS_CANNOT_ACCESS_CURRENT_CONFIG,
                                       [&] { return m_root.LockCurConfigOfSystem(bag, config); });
}

VqsModelNodeConfig* VqsModel::LockConfigNode(VqsLockBag& bag, const PxVQConfigPtr& config)
{
    return LockConfigNode(bag, bag, config);
}

VqsModelNodeConfig* VqsModel::LockConfigNode(VqsLockBag& pathBag, VqsLockBag& configBag, const PxVQConfigPtr& config)
{
    VqsLockScope scope(SessionLink());
    if (!config)
        return nullptr;
    VqsModelNodeSystem* system = Step<VqsModelNodeSystem>(IDS_CANNOT_ACCESS_CURRENT_CONFIG, [&] {
        return LockSystemNode(pathBag, VqsFoundOrToldGone(PxVQObjectPtr(config), config->GetSystem()));
    });
    if (!system)
        return nullptr;
    if (config->_IsKindOf("PxVQCurConfig"))
        return Step<VqsModelNodeConfig>(IDS_CANNOT_ACCESS_CURRENT_CONFIG, [&] {
            return system->LockCurConfigChild(configBag, PxVQCurConfigPtr(config));
        });
    return Step<VqsModelNodeConfig>(IDS_CANNOT_ACCESS_PREVIOUS_CONFIGS,
                                    [&] { return system->LockOldConfigChild(configBag, PxVQOldConfigPtr(config)); });
}

VqsModelNodeBSLink* VqsModel::LockBSLinkNode(VqsLockBag& bag, const PxVQBSSoftLinkPtr& link)
{
    VqsLockScope scope(SessionLink());
    if (!link)
        return nullptr;
    VqsModelNodeConfig* config = Step<VqsModelNodeConfig>(IDS_CANNOT_ACCESS_SEGMENT, [&] {
        return LockConfigNode(bag, VqsFoundOrToldGone(PxVQObjectPtr(link), link->GetConfig()));
    });
    if (!config)
        return nullptr;
    return Step<VqsModelNodeBSLink>(IDS_CANNOT_ACCESS_SEGMENT, [&] { return config->LockBSLinkChild(bag, link); });
}

VqsModelNodeRepGroup* VqsModel::LockReportGroupNode(VqsLockBag& bag, const PxVQReportGroupPtr& group)
{
    VqsLockScope scope(SessionLink());
    if (!group)
        return nullptr;
    VqsModelNodeBSLink* link = Step<VqsModelNodeBSLink>(
        IDS_CANNOT_ACCESS_REPORT_GROUPS,
        [&] { return LockBSLinkNode(bag, VqsFoundOrToldGone(PxVQObjectPtr(group), group->GetBSSoftLink())); });
    if (!link)
        return nullptr;
    return Step<VqsModelNodeRepGroup>(IDS_CANNOT_ACCESS_REPORT_GROUPS, [&] {
        return VqsLockChild(bag, link->FindOrCreateReportGroupNode(group, bag.ContainsObject(group)));
    });
}

VqsModelNodeRepAlias* VqsModel::LockRepAliasNode(VqsLockBag& bag, const PxVQReportSoftLinkAliasPtr& alias)
{
    VqsLockScope scope(SessionLink());
    if (!alias)
        return nullptr;
    VqsModelNodeRepGroup* group = Step<VqsModelNodeRepGroup>(
        IDS_CANNOT_ACCESS_REPORT_IN_GROUP,
        [&] { return LockReportGroupNode(bag, VqsFoundOrToldGone(PxVQObjectPtr(alias), alias->GetReportGroup())); });
    if (!group)
        return nullptr;
    return Step<VqsModelNodeRepAlias>(IDS_CANNOT_ACCESS_REPORT_GROUPS,
                                      [&] { return group->LockRepAliasChild(bag, alias); });
}

VqsModelNodeBundle* VqsModel::LockBundleNode(VqsLockBag& bag, const PxVQBundlePtr& bundle)
{
    VqsLockScope scope(SessionLink());
    if (!bundle)
        return nullptr;
    VqsModelNodeBSLink* link = Step<VqsModelNodeBSLink>(
        IDS_CANNOT_ACCESS_BUNDLES,
        [&] { return LockBSLinkNode(bag, VqsFoundOrToldGone(PxVQObjectPtr(bundle), bundle->GetBSSoftLink())); });
    if (!link)
        return nullptr;
    return Step<VqsModelNodeBundle>(IDS_CANNOT_ACCESS_REPORT_GROUPS, [&] {
        return VqsLockChild(bag, link->FindOrCreateBundleNode(bundle, bag.ContainsObject(bundle)));
    });
}

VqsModelNodeIspecBundleData* VqsModel::LockIspecBundleDataNode(VqsLockBag& bag, const PxVQIspecBundleDataPtr& data)
{
    VqsLockScope scope(SessionLink());
    if (!data)
        return nullptr;
    VqsModelNodeBundle* bundle = Step<VqsModelNodeBundle>(
        IDS_CANNOT_ACCESS_BUNDLE_ISPECS,
        [&] { return LockBundleNode(bag, VqsFoundOrToldGone(PxVQObjectPtr(data), data->GetBundleInformation())); });
    if (!bundle)
        return nullptr;
    return Step<VqsModelNodeIspecBundleData>(IDS_CANNOT_ACCESS_BUNDLES,
                                             [&] { return bundle->LockIspecBundleDataChild(bag, data); });
}

VqsModelNodeOSet* VqsModel::LockOptionSetNode(VqsLockBag& bag, const PxVQOptionSetPtr& optionSet)
{
    VqsLockScope scope(SessionLink());
    if (!optionSet)
        return nullptr;
    VqsModelNodeConfig* config = Step<VqsModelNodeConfig>(
        IDS_CANNOT_ACCESS_SEGMENT,
        [&] { return LockConfigNode(bag, VqsFoundOrToldGone(PxVQObjectPtr(optionSet), optionSet->GetConfig())); });
    if (!config)
        return nullptr;
    return Step<VqsModelNodeOSet>(IDS_CANNOT_ACCESS_OPTION_SET,
                                  [&] { return config->LockOptionSetChild(bag, optionSet); });
}

VqsModelNodeGenSet* VqsModel::LockGenSetNode(VqsLockBag& bag, const PxVQGenSetPtr& genSet)
{
    VqsLockScope scope(SessionLink());
    if (!genSet)
        return nullptr;
    VqsModelNodeConfig* config = Step<VqsModelNodeConfig>(
        IDS_CANNOT_ACCESS_SEGMENT,
        [&] { return LockConfigNode(bag, VqsFoundOrToldGone(PxVQObjectPtr(genSet), genSet->GetConfig())); });
    if (!config)
        return nullptr;
    return Step<VqsModelNodeGenSet>(IDS_CANNOT_ACCESS_OPTION_SET, [&] { return config->LockGenSetChild(bag, genSet); });
}

VqsModelNodeOption* VqsModel::LockOptionNode(VqsLockBag& bag, const PxOptionsPtr& options)
{
    VqsLockScope scope(SessionLink());
    const PxVQOptionsPtr record(options);
    if (!record)
        return nullptr;
    VqsModelNodeOSet* optionSet = Step<VqsModelNodeOSet>(
        IDS_CANNOT_ACCESS_OPTIONS_ENTRY,
        [&] { return LockOptionSetNode(bag, VqsFoundOrToldGone(PxVQObjectPtr(record), record->GetOptionSet())); });
    if (!optionSet)
        return nullptr;
    return Step<VqsModelNodeOption>(IDS_CANNOT_ACCESS_OPTION_VALUES, [&] {
        VqsModelNodeOption* node = ChildNodeOf<VqsModelNodeOption>(
            *this, optionSet, options, [&](int mode) { optionSet->BuildOptionNodes(mode); });
        return VqsLockChild(bag, VqsFoundOrToldGone(PxVQObjectPtr(record), node));
    });
}

VqsModelNodeLink* VqsModel::LockElementLinkNode(VqsLockBag& bag, const PxVQSoftLinkPtr& link)
{
    VqsLockScope scope(SessionLink());
    if (!link)
        return nullptr;
    if (link->_IsKindOf("PxVQBSSoftLink"))
        return LockBSLinkNode(bag, PxVQBSSoftLinkPtr(link));
    const PxVQElementSoftLinkPtr element(link);
    if (!element)
        return nullptr;
    VqsModelNodeBSLink* bsLink = Step<VqsModelNodeBSLink>(
        IDS_CANNOT_ACCESS_OPTIONS_ENTRY,
        [&] { return LockBSLinkNode(bag, VqsFoundOrToldGone(PxVQObjectPtr(element), element->GetBSSoftLink())); });
    if (!bsLink)
        return nullptr;
    return Step<VqsModelNodeLink>(IDS_CANNOT_ACCESS_OPTIONS_ENTRY, [&] {
        VqsModelNodeElementLink* node = ChildNodeOf<VqsModelNodeElementLink>(
            *this, bsLink, element, [&](int mode) { bsLink->LoadElementLinks(mode); });
        return VqsLockChild(bag, VqsFoundOrToldGone(PxVQObjectPtr(element), node));
    });
}

bool VqsModel::LockSubtree(VqsLockBag& bag, const PxVQObjectPtr& object)
{
    VqsLockScope scope(SessionLink());
    VqsModelNode* node = object ? m_root.FindNode(object) : &m_root;
    if (node &&
        !Step<VqsModelNode>(IDS_CANNOT_ACCESS_ENTERPRISE, [&] { return node->LockSubtree(bag) ? node : nullptr; }))
        return false;
    if (!object) {
        if (VqsSysApp* app = VqsGetApp())
            app->ClearRefreshPending();
    }
    return true;
}

namespace {

// What the paths of the nodes lead to, recorded without a lock.
bool GatherPaths(CObList& nodes, VqsLockBag& gathered)
{
    for (POSITION pos = nodes.GetHeadPosition(); pos;) {
        auto* node = static_cast<VqsModelNode*>(nodes.GetNext(pos));
        if (!node->LockPath(gathered, node->GetObject()))
            return false;
    }
    return true;
}

// Locks the path of every node, each object with the bag's kind, in the one lock order: a
// path walked top down reaches an object ranked below one it passed (an Ispec entry before
// the next bundle, a pack's host-pack data before a host), so what the paths lead to is
// gathered first and locked in one call. Paths that lead further under those locks, their
// lists read from the store, give them all back and the turn starts over.
bool LockPathsOf(CObList& nodes, VqsLockBag& bag)
{
    VqsLockScope scope(SessionLink());
    VqsModel* model = nodes.IsEmpty() ? nullptr : static_cast<VqsModelNode*>(nodes.GetHead())->GetModel();
    return VqsLockWalkedPaths(model, bag.GetKind(), bag,
                              [&nodes](VqsLockBag& gathered) { return GatherPaths(nodes, gathered); });
}

bool LockPathOf(VqsModelNode* node, VqsLockBag& bag)
{
    CObList nodes;
    nodes.AddTail(node);
    return LockPathsOf(nodes, bag);
}

// The nodes whose objects another user deleted while this one waited leave the list, each
// told with 61746; false when none is left.
bool DropNodesDeletedMeanwhile(CObList& nodes, VqsLockBag& locked)
{
    for (POSITION pos = nodes.GetHeadPosition(); pos;) {
        const POSITION at = pos;
        auto* node = static_cast<VqsModelNode*>(nodes.GetNext(pos));
        if (locked.ReportDeleted(IDS_ITEM_DELETED, node))
            nodes.RemoveAt(at);
    }
    return !nodes.IsEmpty();
}

// Write-locks the path of every node, the enterprise first. The nodes whose objects another
// user deleted meanwhile leave the list, told with 61746 once the writes are given back, and
// the others are locked again. False when a lock failed or no node is left.
bool LockPathsForDelete(CObList& nodes, VqsLockBag& write)
{
    for (;;) {
        VqsLockBag attempt(VqsWriteLock);
        if (!LockPathsOf(nodes, attempt))
            return false;
        bool allThere = true;
        for (POSITION pos = nodes.GetHeadPosition(); pos && allThere;)
            allThere = attempt.Contains(static_cast<VqsModelNode*>(nodes.GetNext(pos)));
        if (allThere) {
            write = attempt;
            return true;
        }
        attempt.ReleaseAll();
        if (!DropNodesDeletedMeanwhile(nodes, attempt))
            return false;
    }
}

// Checked under the write locks, which a generation's start waits for; a refusal is told once
// they are given back.
bool NoGenerationKeepsFromDelete(VqsModelNode* node, VqsLockBag& write)
{
    const std::function<void()> tellRefusal = VqsRunningGenerationKeepingFromDelete(node->GetObject());
    if (!tellRefusal)
        return true;
    write.ReleaseAll();
    tellRefusal();
    return false;
}

// The node's description as stored now, for the remove prompt.
CString DescriptionAsStored(VqsModelNode* node)
{
    if (const PxVQObjectPtr object = node->GetObject())
        object->Refresh();
    return node->GetDescription();
}

// The description of the node at the head of the list, read under read locks of its path
// that are given back before the user sees it: a prompt left open holds nothing. A node
// another user deleted meanwhile leaves the list, told with 61746. False when a path could
// not be locked or no node is left.
bool DescribeHead(CObList& nodes, CString& description)
{
    while (!nodes.IsEmpty()) {
        auto* node = static_cast<VqsModelNode*>(nodes.GetHead());
        VqsLockBag path(VqsReadLock);
        if (!LockPathOf(node, path))
            return false;
        if (path.Contains(node)) {
            description = DescriptionAsStored(node);
            return true;
        }
        path.ReleaseAll();
        path.ReportDeleted(IDS_ITEM_DELETED, node);
        nodes.RemoveHead();
    }
    return false;
}

// Whether the node, its path now write-locked, is still what the user was asked about.
// Otherwise the writes are given back before the user is told: 61746 for a node deleted
// meanwhile (it leaves the list), 61747 for one changed (it is asked about again).
bool StillAsAsked(CObList& nodes, VqsLockBag& path, const CString& asked)
{
    auto* node = static_cast<VqsModelNode*>(nodes.GetHead());
    if (!path.Contains(node)) {
        path.ReleaseAll();
        path.ReportDeleted(IDS_ITEM_DELETED, node);
        nodes.RemoveHead();
        return false;
    }
    if (DescriptionAsStored(node) == asked)
        return true;
    path.ReleaseAll();
    VqsMessageBoxId(IDS_CONTENTS_CHANGED);
    return false;
}

} // namespace

bool VqsModel::DeleteNodes(VqsLockBag& held, CObList& nodes, bool deleteNow)
{
    CWaitCursor wait;
    // The locks of the caller's lock step are given back before the question and before the
    // delete's own locks, which are taken from the enterprise down, each object once with the
    // kind the delete needs: a read kept while waiting for a write waits for ever on another
    // user doing the same. The caller's objects are done with: which of them are still there
    // is not asked.
    held.UnlockAll();
    // Nodes the caller's lock step found deleted are not listed (the step told the user).
    if (nodes.IsEmpty())
        return false;
    BOOL check = FALSE;
    if (!VqsConfirmCancelBoxId(check, IDS_CHECK_CHANGED_OPTIONS))
        return false;
    // Failures below answer false, not the "go on" that would tell the caller all went well.
    // Deleting a node may delete others of the list with it (an Ispec link's profiles).
    VqsNodeListRefs remaining(nodes);
    if (check) {
        // Each prompt is asked holding nothing; the path's writes are taken after it, top down,
        // and the node is deleted only when it is still what the prompt showed.
        bool yesToAll = false;
        for (remaining.DropDeleted(); !nodes.IsEmpty() && !yesToAll; remaining.DropDeleted()) {
            CString asked;
            if (!DescribeHead(nodes, asked))
                return false;
            auto* node = static_cast<VqsModelNode*>(nodes.GetHead());
            const int answer = VqsAskRemove(nullptr, asked, nodes.GetCount() > 1);
            wait.Restore();
            if (answer != IDYES && answer != VqsRemovePromptDlg::IDC_YES_TO_ALL)
                return false;
            if (!deleteNow)
                return true;
            VqsLockBag path(VqsWriteLock);
            if (!LockPathOf(node, path))
                return false;
            if (!StillAsAsked(nodes, path, asked))
                continue;
            nodes.RemoveHead();
            if (!NoGenerationKeepsFromDelete(node, path) || !node->Delete())
                return false;
            yesToAll = answer == VqsRemovePromptDlg::IDC_YES_TO_ALL;
        }
    }
    if (!deleteNow)
        return true;
    VqsLockBag write(VqsWriteLock);
    remaining.DropDeleted();
    if (nodes.IsEmpty())
        return true;
    if (!LockPathsForDelete(nodes, write))
        return false;
    std::vector<VqsNodeRef<VqsModelNode>> parents;
    for (POSITION pos = nodes.GetHeadPosition(); pos;) {
        auto* node = static_cast<VqsModelNode*>(nodes.GetNext(pos));
        if (!NoGenerationKeepsFromDelete(node, write))
            return false;
        parents.emplace_back(node->GetParent());
    }
    // The nodes listed together go in one transaction, or none of them does.
    bool deleted = true;
    {
        VqsTransaction transaction;
        for (; deleted && !nodes.IsEmpty(); remaining.DropDeleted())
            deleted = static_cast<VqsModelNode*>(nodes.RemoveHead())->Delete() != 0;
        if (!deleted)
            transaction.SetFailed();
    }
    if (deleted && VqsTransaction::IsOk())
        return true;
    VqsTransaction::RereadAfterFailure([&parents] {
        for (const VqsNodeRef<VqsModelNode>& parent : parents)
            if (VqsModelNode* node = parent.Get())
                node->LoadChildren(VqsLoadReread);
    });
    return false;
}

// An object of the list that another user deleted already has no node left (the subtree lock
// dropped it): the user is told once, of the last such (a system's row lists its previous
// configurations first), and nothing is asked when nothing else is left.
void VqsModel::DeleteObject(VqsLockBag& held, PxTypedList<PxVQObjectPtr>& objects)
{
    CWaitCursor wait;
    CObList nodes;
    PxVQObjectPtr gone;
    for (POSITION pos = objects.GetHeadPosition(); pos;) {
        const PxVQObjectPtr& object = objects.GetNext(pos);
        if (VqsModelNode* node = m_root.FindNode(object))
            nodes.AddTail(node);
        else if (!object->ObjectPresent())
            gone = object;
    }
    if (gone) {
        held.UnlockAll();
        VqsLockBag::TellDeleted(IDS_ITEM_DELETED, gone);
    }
    DeleteNodes(held, nodes, true);
}

bool VqsModel::FindOptionsOfElementLink(VqsLockBag& bag, VqsModelNodeOption*& option, VqsModelNodeLink*& linkNode,
                                        const PxVQConfigPtr& config, const PxVQSoftLinkPtr& link,
                                        const PxVQOptionSetPtr& optionSet)
{
    CWaitCursor wait;
    option = nullptr;
    linkNode = nullptr;
    if (!link)
        return false;
    const PxOptionsPtr options = VqsFoundOrToldGone(PxVQObjectPtr(link), link->GetOptions(optionSet));
    if (!options)
        return false;
    VqsLockScope scope(SessionLink());
    VqsModelNodeConfig* configNode = LockConfigNode(bag, config);
    if (!configNode)
        return false;
    configNode->LoadBSLinks(VqsLoadCached);
    configNode->LoadOptionSets(VqsLoadCached);
    if (link->_IsKindOf("PxVQElementSoftLink")) {
        VqsModelNodeBSLink* bsLink = LockBSLinkNode(bag, PxVQElementSoftLinkPtr(link)->GetBSSoftLink());
        if (!bsLink)
            return false;
        bsLink->LoadElementLinks(VqsLoadCached);
    }
    linkNode = LockElementLinkNode(bag, link);
    if (!linkNode)
        return false;
    option = LockOptionNode(bag, options);
    return option != nullptr;
}
