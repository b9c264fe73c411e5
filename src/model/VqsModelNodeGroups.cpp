#include "model/VqsModelNodeGroups.h"

#include "model/VqsLockBag.h"
#include "model/VqsModelNodeLink.h"
#include "model/VqsModelNodeLocks.h"
#include "model/VqsModel.h"
#include "model/VqsTransaction.h"
#include "proxy/PxVQIspecSoftLink.h"
#include "proxy/VqException.h"
#include "shell/VqsMsgBox.h"

namespace {

const UINT IDS_CANNOT_ACCESS_BUNDLE_ISPECS = 61888;
const UINT IDS_CANNOT_ACCESS_BUNDLES = 61889;

bool IsTargetOfKind(const PxVQObjectPtr& target, const char* kind1, const char* kind2)
{
    return target && (target->_IsKindOf(kind1) || target->_IsKindOf(kind2));
}

// The path of a report alias or an Ispec entry: for its own object, the element link of
// its report or Ispec first (when the business-segment link has it); for its own object or
// an element link, its group's path next; then the node itself.
template <class ReadSoftLink>
int LockEntryPath(VqsModelNode& node, VqsModelNodeBSLink* bsLink, VqsLockBag& bag, const PxVQObjectPtr& target,
                  ReadSoftLink readSoftLink)
{
    const bool own = VqsIsOwnObject(node, target);
    if (own && bsLink) {
        const PxVQSoftLinkPtr softLink = readSoftLink();
        if (softLink && softLink->_IsKindOf("PxVQElementSoftLink")) {
            bsLink->LoadElementLinks(VqsLoadCached);
            VqsModelNode* elementLink = bsLink->FindElementLinkNode(softLink);
            if (elementLink && !bag.LockNode(elementLink))
                return 0;
        }
    }
    const bool throughParent = own || (target && target->_IsKindOf("PxVQElementSoftLink"));
    if (throughParent && !node.GetParent()->LockPath(bag, target))
        return 0;
    return bag.LockNode(&node);
}

// After a deletion under a bundle that failed, the segment link's bundles, the bundle's
// entries and the element links show what is stored again.
void RereadAfterFailedDelete(VqsModelNodeBSLink* owner, const PxVQBundlePtr& bundle)
{
    VqsTransaction::RereadAfterFailure([&] {
        owner->LoadBundles(VqsLoadReread);
        const VqsModel* model = owner->GetModel();
        if (auto* node = dynamic_cast<VqsModelNodeBundle*>(model ? model->LookupNode(bundle) : nullptr))
            node->LoadIspecBundleData(VqsLoadReread);
        owner->LoadElementLinks(VqsLoadReread);
    });
}

} // namespace

VqsModelNodeRepGroup::~VqsModelNodeRepGroup() { m_aliases.DeleteAll(); }

void VqsModelNodeRepGroup::LoadRepAliases(int mode)
{
    const PxVQReportGroupPtr group = GetReportGroup();
    if (!group)
        return;
    VqsLoadNodeList<VqsModelNodeRepAlias, PxVQReportSoftLinkAliasPtr>(
        *this, m_aliases, mode, VqsKnownChild::FollowListOrder,
        [&](PxTypedList<PxVQReportSoftLinkAliasPtr>& aliases) {
            VqsReadChildList(*this, VqsListsAhead::RepAliases, aliases,
                             [&](auto& list) { group->GetListOfReportSoftLinkAliases(list); });
        },
        [this](const PxVQReportSoftLinkAliasPtr& alias) { return new VqsModelNodeRepAlias(this, alias); });
}

void VqsModelNodeRepGroup::ReadChildListsAhead(const std::vector<VqsModelNode*>& peers, VqsListsAhead& ahead) const
{
    ahead.Read(VqsListsAhead::RepAliases, peers, &PxVQReportGroup::ReportSoftLinkAliasesOf);
}

void VqsModelNodeRepGroup::GetRepAliasNodes(CObList& out) const { m_aliases.AppendTo(out); }

VqsModelNodeRepAlias* VqsModelNodeRepGroup::FindRepAliasNode(const PxObjectPtr& alias) const
{
    return VqsFindChildByObject(*this, m_aliases, alias);
}

VqsModelNodeRepAlias* VqsModelNodeRepGroup::FindOrCreateRepAliasNode(const PxVQReportSoftLinkAliasPtr& alias,
                                                                     bool notify, VqsModelNodeRepAlias* after)
{
    return VqsFindOrCreateChild(this, m_aliases, alias, notify, after);
}

VqsModelNodeRepAlias* VqsModelNodeRepGroup::LockRepAliasChild(VqsLockBag& bag, const PxVQReportSoftLinkAliasPtr& alias)
{
    return VqsLockChild(bag, FindOrCreateRepAliasNode(alias, bag.ContainsObject(alias)));
}

VqsModelNodeBSLink* VqsModelNodeRepGroup::GetBSLinkNode() const { return static_cast<VqsModelNodeBSLink*>(GetParent()); }

void VqsModelNodeRepGroup::RemoveChild(VqsModelNode* child)
{
    if (child)
        m_aliases.RemoveChild(child);
}

int VqsModelNodeRepGroup::LockPath(VqsLockBag& bag, const PxVQObjectPtr& target)
{
    if (VqsIsOwnObject(*this, target) && !GetParent()->LockPath(bag, target))
        return 0;
    if (!bag.LockNode(this))
        return 0;
    if (VqsGoneFromPath(bag, this) || IsTargetOfKind(target, "PxVQElementSoftLink", "PxVQReportSoftLinkAlias"))
        return 1;
    LoadRepAliases(VqsLoadCached);
    CObList aliases;
    GetRepAliasNodes(aliases);
    return VqsLockPaths(aliases, bag, target);
}

int VqsModelNodeRepAlias::LockPath(VqsLockBag& bag, const PxVQObjectPtr& target)
{
    return LockEntryPath(*this, GetRepGroupNode()->GetBSLinkNode(), bag, target,
                         [this] { return PxVQSoftLinkPtr(GetReportAlias()->GetSoftLink()); });
}

VqsModelNodeBundle::~VqsModelNodeBundle() { m_entries.DeleteAll(); }

void VqsModelNodeBundle::LoadIspecBundleData(int mode)
{
    const PxVQBundlePtr bundle = GetBundle();
    if (!bundle)
        return;
    VqsLoadNodeList<VqsModelNodeIspecBundleData, PxVQIspecBundleDataPtr>(
        *this, m_entries, mode, VqsKnownChild::FollowListOrder,
        [&](PxTypedList<PxVQIspecBundleDataPtr>& entries) {
            VqsReadChildList(*this, VqsListsAhead::IspecBundleData, entries,
                             [&](auto& list) { bundle->GetListOfIspecBundleData(list); });
        },
        [this](const PxVQIspecBundleDataPtr& entry) { return new VqsModelNodeIspecBundleData(this, entry); });
}

void VqsModelNodeBundle::ReadChildListsAhead(const std::vector<VqsModelNode*>& peers, VqsListsAhead& ahead) const
{
    ahead.Read(VqsListsAhead::IspecBundleData, peers, &PxVQBundle::IspecBundleDataOf);
}

void VqsModelNodeBundle::GetIspecBundleDataNodes(CObList& out) const { m_entries.AppendTo(out); }

VqsModelNodeIspecBundleData* VqsModelNodeBundle::FindIspecBundleDataNode(const PxObjectPtr& data) const
{
    return VqsFindChildByObject(*this, m_entries, data);
}

VqsModelNodeIspecBundleData* VqsModelNodeBundle::FindOrCreateIspecBundleDataNode(const PxVQIspecBundleDataPtr& data,
                                                                                  bool notify,
                                                                                  VqsModelNodeIspecBundleData* after)
{
    return VqsFindOrCreateChild(this, m_entries, data, notify, after);
}

VqsModelNodeIspecBundleData* VqsModelNodeBundle::LockIspecBundleDataChild(VqsLockBag& bag,
                                                                           const PxVQIspecBundleDataPtr& data)
{
    return VqsLockChild(bag, FindOrCreateIspecBundleDataNode(data, bag.ContainsObject(data)));
}

VqsModelNodeBSLink* VqsModelNodeBundle::GetBSLinkNode() const { return static_cast<VqsModelNodeBSLink*>(GetParent()); }

// The bundle goes with its entries in one transaction, or nothing of it goes.
int VqsModelNodeBundle::Delete()
{
    VqsModelNodeBSLink* owner = GetBSLinkNode();
    const PxVQBundlePtr bundle = GetBundle();
    bool deleted = false;
    {
        VqsTransaction transaction;
        try {
            // Entries read since the last load get their nodes before the walk relies on them.
            LoadIspecBundleData(VqsLoadReread);
            PxTypedList<PxVQIspecBundleDataPtr> entries;
            bundle->GetListOfIspecBundleData(entries);
            bool entriesGone = true;
            for (POSITION pos = entries.GetHeadPosition(); pos && entriesGone;) {
                VqsModelNodeIspecBundleData* entry = FindIspecBundleDataNode(entries.GetNext(pos));
                entriesGone = entry && entry->Delete();
            }
            deleted = entriesGone && VqsModelNode::Delete();
        } catch (const VqReportableException& error) {
            transaction.ReportFailure(IDS_CANNOT_ACCESS_BUNDLES, error);
        }
        if (!deleted)
            transaction.SetFailed();
    }
    deleted = deleted && VqsTransaction::IsOk();
    if (!deleted)
        RereadAfterFailedDelete(owner, bundle);
    return deleted ? 1 : 0;
}

void VqsModelNodeBundle::RemoveChild(VqsModelNode* child)
{
    if (child)
        m_entries.RemoveChild(child);
}

int VqsModelNodeBundle::LockPath(VqsLockBag& bag, const PxVQObjectPtr& target)
{
    if (VqsIsOwnObject(*this, target) && !GetParent()->LockPath(bag, target))
        return 0;
    if (!bag.LockNode(this))
        return 0;
    if (VqsGoneFromPath(bag, this) || IsTargetOfKind(target, "PxVQElementSoftLink", "PxVQIspecBundleData"))
        return 1;
    LoadIspecBundleData(VqsLoadCached);
    CObList entries;
    GetIspecBundleDataNodes(entries);
    return VqsLockPaths(entries, bag, target);
}

int VqsModelNodeIspecBundleData::LockPath(VqsLockBag& bag, const PxVQObjectPtr& target)
{
    return LockEntryPath(*this, GetBundleNode()->GetBSLinkNode(), bag, target,
                         [this] { return PxVQSoftLinkPtr(GetIspecBundleData()->GetIspecInformation()); });
}

// The entry and the unused element link that goes with it go in one transaction.
int VqsModelNodeIspecBundleData::Delete()
{
    VqsModelNodeBundle* bundle = GetBundleNode();
    VqsModelNodeBSLink* owner = bundle->GetBSLinkNode();
    PxVQIspecSoftLinkPtr ispec;
    VqsModelNodeElementLink* elementLink = nullptr;
    try {
        ispec = GetIspecBundleData()->GetIspecInformation();
        if (owner)
            elementLink = owner->FindElementLinkNode(ispec);
    } catch (const VqReportableException& error) {
        ShowErrorById(IDS_CANNOT_ACCESS_BUNDLE_ISPECS, error);
        return 0;
    }
    bool deleted = false;
    {
        VqsTransaction transaction;
        deleted = VqsModelNode::Delete() != 0;
        if (deleted && elementLink && !elementLink->HasExplicitBundleMembership() && ispec->IsRemovable())
            deleted = elementLink->Delete() != 0;
        if (!deleted)
            transaction.SetFailed();
    }
    deleted = deleted && VqsTransaction::IsOk();
    if (!deleted && owner)
        RereadAfterFailedDelete(owner, bundle->GetBundle());
    return deleted ? 1 : 0;
}
