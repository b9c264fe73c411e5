#include "model/VqsModelNodeGroups.h"

#include "model/VqsLockBag.h"

VqsModelNodeRepGroup::~VqsModelNodeRepGroup() { m_aliases.DeleteAll(); }

void VqsModelNodeRepGroup::LoadRepAliases(int mode)
{
    const PxVQReportGroupPtr group = GetReportGroup();
    if (!group)
        return;
    VqsLoadNodeList<VqsModelNodeRepAlias, PxVQReportSoftLinkAliasPtr>(
        *this, m_aliases, mode, VqsKnownChild::FollowListOrder,
        [&](PxTypedList<PxVQReportSoftLinkAliasPtr>& aliases) { group->GetListOfReportSoftLinkAliases(aliases); },
        [this](const PxVQReportSoftLinkAliasPtr& alias) { return new VqsModelNodeRepAlias(this, alias); });
}

void VqsModelNodeRepGroup::GetRepAliasNodes(CObList& out) const { m_aliases.AppendTo(out); }

VqsModelNodeRepAlias* VqsModelNodeRepGroup::FindRepAliasNode(const PxObjectPtr& alias) const
{
    return VqsFindChildByObject(*this, m_aliases, alias);
}

void VqsModelNodeRepGroup::RemoveChild(VqsModelNode* child)
{
    if (child)
        m_aliases.RemoveChild(child);
}

int VqsModelNodeRepGroup::LockPath(VqsLockBag& bag, const PxVQObjectPtr&) { return bag.LockNode(this); }

int VqsModelNodeRepAlias::LockPath(VqsLockBag& bag, const PxVQObjectPtr&) { return bag.LockNode(this); }

VqsModelNodeBundle::~VqsModelNodeBundle() { m_entries.DeleteAll(); }

void VqsModelNodeBundle::LoadIspecBundleData(int mode)
{
    const PxVQBundlePtr bundle = GetBundle();
    if (!bundle)
        return;
    VqsLoadNodeList<VqsModelNodeIspecBundleData, PxVQIspecBundleDataPtr>(
        *this, m_entries, mode, VqsKnownChild::FollowListOrder,
        [&](PxTypedList<PxVQIspecBundleDataPtr>& entries) { bundle->GetListOfIspecBundleData(entries); },
        [this](const PxVQIspecBundleDataPtr& entry) { return new VqsModelNodeIspecBundleData(this, entry); });
}

void VqsModelNodeBundle::GetIspecBundleDataNodes(CObList& out) const { m_entries.AppendTo(out); }

VqsModelNodeIspecBundleData* VqsModelNodeBundle::FindIspecBundleDataNode(const PxObjectPtr& data) const
{
    return VqsFindChildByObject(*this, m_entries, data);
}

void VqsModelNodeBundle::RemoveChild(VqsModelNode* child)
{
    if (child)
        m_entries.RemoveChild(child);
}

int VqsModelNodeBundle::LockPath(VqsLockBag& bag, const PxVQObjectPtr&) { return bag.LockNode(this); }

int VqsModelNodeIspecBundleData::LockPath(VqsLockBag& bag, const PxVQObjectPtr&) { return bag.LockNode(this); }
