#include "model/VqsModelNodeHost.h"

#include "model/VqsLockBag.h"
#include "model/VqsModel.h"
#include "model/VqsModelNodeLocks.h"

namespace {

const UINT IDS_DESCRIBE_PACK = 61619;

} // namespace

CString VqsModelNodeHost::GetName() const
{
    const PxVQHostInformationPtr host = GetHostInformation();
    return host && host->ObjectPresent() ? host->GetName() : CString();
}

VQHostType VqsModelNodeHost::GetHostType()
{
    if (!m_bHostTypeRead) {
        m_hostType = static_cast<VQHostType>(GetHostInformation()->GetHostType());
        m_bHostTypeRead = 1;
    }
    return m_hostType;
}

void VqsModelNodeHost::NotifyViews() { Broadcast(VqsHostGone, false); }

int VqsModelNodeHost::LockPath(VqsLockBag& bag, const PxVQObjectPtr& target)
{
    if (VqsIsOwnObject(*this, target) && !GetRoot()->LockPath(bag, target))
        return 0;
    return bag.LockNode(this);
}

VqsModelNodePack::VqsModelNodePack(VqsModelNode* parent, const PxVQPackInformationPtr& pack)
    : VqsModelNode(parent, pack)
{
    if (pack) {
        m_strName = pack->GetName();
        m_packType = static_cast<VQPackType>(pack->GetPackType());
    }
}

VqsModelNodePack::~VqsModelNodePack() { m_associations.DeleteAll(); }

void VqsModelNodePack::SetPackType(VQPackType type)
{
    GetPackInformation()->SetPackType(type);
    m_packType = type;
    NotifyChanged();
}

void VqsModelNodePack::LoadPackAssociations(int mode)
{
    const PxVQPackInformationPtr pack = GetPackInformation();
    if (!pack)
        return;
    VqsLoadNodeList<VqsModelNodePackAssociation, PxVQHostPackDataPtr>(
        *this, m_associations, mode, VqsKnownChild::FollowListOrder,
        [&](PxTypedList<PxVQHostPackDataPtr>& entries) {
            VqsReadChildList(*this, VqsListsAhead::HostPackData, entries,
                             [&](auto& list) { pack->GetListOfHostPackData(list); });
        },
        [this](const PxVQHostPackDataPtr& entry) { return new VqsModelNodePackAssociation(this, entry); });
}

void VqsModelNodePack::GetPackAssociationNodes(CObList& out) const { m_associations.AppendTo(out); }

VqsModelNodePackAssociation* VqsModelNodePack::FindPackAssociationNode(const PxObjectPtr& data) const
{
    return VqsFindChildByObject(*this, m_associations, data);
}

VqsModelNodePackAssociation* VqsModelNodePack::FindOrCreatePackAssociationNode(const PxVQHostPackDataPtr& data,
                                                                              bool notify,
                                                                              VqsModelNodePackAssociation* after)
{
    return VqsFindOrCreateChild(this, m_associations, data, notify, after);
}

void VqsModelNodePack::RemoveChild(VqsModelNode* child)
{
    if (child)
        m_associations.RemoveChild(child);
}

void VqsModelNodePack::NotifyViews() { Broadcast(VqsPackGone, false); }

CString VqsModelNodePack::GetDescription()
{
    int hosts = 0;
    const PxVQPackInformationPtr pack = GetPackInformation();
    if (pack && pack->ObjectPresent()) {
        PxTypedList<PxVQHostPackDataPtr> entries;
        pack->GetListOfHostPackData(entries);
        for (POSITION pos = entries.GetHeadPosition(); pos;) {
            if (HostPackDataHasAssociation(entries.GetNext(pos)))
                ++hosts;
        }
    }
    int inCurrent = 0;
    int inOld = 0;
    if (VqsModelNodeEnterprise* root = GetRoot())
        root->CountPackUsage(m_strName, inCurrent, inOld);
    CString text;
    text.Format(IDS_DESCRIBE_PACK, m_strName.GetString(), hosts, inCurrent, inOld);
    return text;
}

int VqsModelNodePack::LockPath(VqsLockBag& bag, const PxVQObjectPtr& target)
{
    if (VqsIsOwnObject(*this, target) && !GetRoot()->LockPath(bag, target))
        return 0;
    if (!bag.LockNode(this))
        return 0;
    if (VqsGoneFromPath(bag, this))
        return 1;
    LoadPackAssociations(VqsLoadCached);
    CObList associations;
    GetPackAssociationNodes(associations);
    return VqsLockPaths(associations, bag, target);
}

void VqsModelNodePack::ReadChildListsAhead(const std::vector<VqsModelNode*>& peers, VqsListsAhead& ahead) const
{
    ahead.Read(VqsListsAhead::HostPackData, peers, &PxVQPackInformation::HostPackDataOf);
}

void VqsModelNodePack::OnRefreshed()
{
    const PxVQPackInformationPtr pack = GetPackInformation();
    m_strName = pack->GetName();
    m_packType = static_cast<VQPackType>(pack->GetPackType());
    NotifyChanged();
}

VqsModelNodePackAssociation::VqsModelNodePackAssociation(VqsModelNode* parent, const PxVQHostPackDataPtr& data)
    : VqsModelNode(parent, data)
{
    if (data)
        m_pHost = data->GetHostInformation();
}

int VqsModelNodePackAssociation::LockPath(VqsLockBag& bag, const PxVQObjectPtr& target)
{
    if (!bag.LockNode(this))
        return 0;
    if (VqsGoneFromPath(bag, this) || !m_pHost || !target || !target->_IsKindOf("PxVQPackInformation"))
        return 1;
    VqsModelNodeEnterprise* root = GetRoot();
    VqsModelNode* host = root->FindNode(m_pHost);
    if (!host) {
        root->LoadHosts(VqsLoadReread);
        host = root->FindNode(m_pHost);
    }
    return host ? host->LockPath(bag, target) : 0;
}

void VqsModelNodePackAssociation::GetObjectsShownWith(std::vector<PxObjectPtr>& out) const
{
    const PxVQHostPackDataPtr data = GetHostPackData();
    if (!data)
        return;
    const PxObjectPtr associations[] = {data->GetPackAssociationNT(), data->GetPackAssociationUnix(),
                                        data->GetPackAssociationA(), data->GetPackAssociationTarsk()};
    for (const PxObjectPtr& association : associations) {
        if (association)
            out.push_back(association);
    }
}

bool PackAssociationNTHasData(const PxVQKeshPackAssociationNTPtr& association)
{
    return association && (!association->GetPath().IsEmpty() || !association->GetTable().IsEmpty());
}

bool PackAssociationUnixHasData(const PxVQKeshPackAssociationUnixPtr& association)
{
    return association && (!association->GetPath().IsEmpty() || !association->GetTable().IsEmpty());
}

bool PackAssociationTarskHasData(const PxVQKeshPackAssociationTarskPtr& association)
{
    if (!association)
        return false;
    if (!association->GetFixedDisk() || !association->GetEquipmentType().IsEmpty() ||
        !association->GetAcrName().IsEmpty())
        return true;
    for (int number = 1; number <= 8; ++number) {
        if (!association->GetPackId(number).IsEmpty())
            return true;
    }
    return false;
}

bool HostPackDataHasAssociation(const PxVQHostPackDataPtr& data)
{
    return data && (PackAssociationNTHasData(data->GetPackAssociationNT()) ||
                    PackAssociationUnixHasData(data->GetPackAssociationUnix()) ||
                    PackAssociationTarskHasData(data->GetPackAssociationTarsk()));
}

bool PackHasAssociationData(const PxVQPackInformationPtr& pack)
{
    if (!pack)
        return false;
    PxTypedList<PxVQHostPackDataPtr> entries;
    pack->GetListOfHostPackData(entries);
    for (POSITION pos = entries.GetHeadPosition(); pos;) {
        if (HostPackDataHasAssociation(entries.GetNext(pos)))
            return true;
    }
    return false;
}
