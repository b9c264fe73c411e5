#include "model/VqsModelNodeHost.h"

#include "model/VqsLockBag.h"

CString VqsModelNodeHost::GetName() const
{
    const PxVQHostInformationPtr host = GetHostInformation();
    return host && host->ObjectPresent() ? host->GetName() : CString();
}

void VqsModelNodeHost::NotifyViews() { Broadcast(VqsHostGone, false); }

int VqsModelNodeHost::LockPath(VqsLockBag& bag, const PxVQObjectPtr&) { return bag.LockNode(this); }

VqsModelNodePack::~VqsModelNodePack() { m_associations.DeleteAll(); }

void VqsModelNodePack::LoadPackAssociations(int mode)
{
    const PxVQPackInformationPtr pack = GetPackInformation();
    if (!pack)
        return;
    VqsLoadNodeList<VqsModelNodePackAssociation, PxVQHostPackDataPtr>(
        *this, m_associations, mode, VqsKnownChild::FollowListOrder,
        [&](PxTypedList<PxVQHostPackDataPtr>& entries) { pack->GetListOfHostPackData(entries); },
        [this](const PxVQHostPackDataPtr& entry) { return new VqsModelNodePackAssociation(this, entry); });
}

void VqsModelNodePack::GetPackAssociationNodes(CObList& out) const { m_associations.AppendTo(out); }

VqsModelNodePackAssociation* VqsModelNodePack::FindPackAssociationNode(const PxObjectPtr& data) const
{
    return VqsFindChildByObject(*this, m_associations, data);
}

void VqsModelNodePack::RemoveChild(VqsModelNode* child)
{
    if (child)
        m_associations.RemoveChild(child);
}

void VqsModelNodePack::NotifyViews() { Broadcast(VqsPackGone, false); }

int VqsModelNodePack::LockPath(VqsLockBag& bag, const PxVQObjectPtr&) { return bag.LockNode(this); }

void VqsModelNodePackAssociation::Refresh()
{
    const PxVQHostPackDataPtr data = GetHostPackData();
    if (!data)
        return;
    data->Refresh();
    const PxObjectPtr associations[] = {data->GetPackAssociationNT(), data->GetPackAssociationUnix(),
                                        data->GetPackAssociationA(), data->GetPackAssociationTarsk()};
    for (const PxObjectPtr& association : associations) {
        if (association)
            association->Refresh();
    }
    NotifyChanged();
}

int VqsModelNodePackAssociation::LockPath(VqsLockBag& bag, const PxVQObjectPtr&) { return bag.LockNode(this); }
