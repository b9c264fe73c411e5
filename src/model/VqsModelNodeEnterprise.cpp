#include "model/VqsModelNodeEnterprise.h"

#include "model/VqsLockBag.h"
#include "model/VqsModel.h"
#include "model/VqsModelNodeHost.h"
#include "model/VqsModelNodeSystem.h"
#include "proxy/VqException.h"
#include "win/MbString.h"

VqsModelNodeEnterprise::VqsModelNodeEnterprise(VqsModel* model) : VqsModelNode(nullptr, nullptr), m_pModel(model) {}

VqsModelNodeEnterprise::~VqsModelNodeEnterprise()
{
    m_systems.DeleteAll();
    m_hosts.DeleteAll();
    m_packs.DeleteAll();
}

void VqsModelNodeEnterprise::LoadSystems(int mode)
{
    const PxVQEnterprisePtr enterprise = GetEnterprise();
    if (!enterprise)
        return;
    VqsLoadNodeList<VqsModelNodeSystem, PxVQSystemPtr>(
        *this, m_systems, mode, VqsKnownChild::Refresh,
        [&](PxTypedList<PxVQSystemPtr>& systems) { enterprise->GetListOfSystems(systems); },
        [this](const PxVQSystemPtr& system) { return new VqsModelNodeSystem(this, system); });
}

void VqsModelNodeEnterprise::LoadHosts(int mode)
{
    const PxVQEnterprisePtr enterprise = GetEnterprise();
    if (!enterprise)
        return;
    VqsLoadNodeList<VqsModelNodeHost, PxVQHostInformationPtr>(
        *this, m_hosts, mode, VqsKnownChild::Refresh,
        [&](PxTypedList<PxVQHostInformationPtr>& hosts) { enterprise->GetListOfHostInformations(hosts); },
        [this](const PxVQHostInformationPtr& host) { return new VqsModelNodeHost(this, host); });
}

void VqsModelNodeEnterprise::LoadPacks(int mode)
{
    const PxVQEnterprisePtr enterprise = GetEnterprise();
    if (!enterprise)
        return;
    VqsLoadNodeList<VqsModelNodePack, PxVQPackInformationPtr>(
        *this, m_packs, mode, VqsKnownChild::Refresh,
        [&](PxTypedList<PxVQPackInformationPtr>& packs) { enterprise->GetListOfPackInformations(packs); },
        [this](const PxVQPackInformationPtr& pack) { return new VqsModelNodePack(this, pack); });
}

void VqsModelNodeEnterprise::GetSystemNodes(CObList& out) const { m_systems.AppendTo(out); }

void VqsModelNodeEnterprise::GetHostNodes(CObList& out) const { m_hosts.AppendTo(out); }

void VqsModelNodeEnterprise::GetPackNodes(CObList& out) const { m_packs.AppendTo(out); }

VqsModelNodeSystem* VqsModelNodeEnterprise::FindSystemNode(const PxObjectPtr& system) const
{
    return VqsFindChildByObject(*this, m_systems, system);
}

VqsModelNodeHost* VqsModelNodeEnterprise::FindHostNode(const PxObjectPtr& host) const
{
    return VqsFindChildByObject(*this, m_hosts, host);
}

VqsModelNodePack* VqsModelNodeEnterprise::FindPackNode(const PxObjectPtr& pack) const
{
    return VqsFindChildByObject(*this, m_packs, pack);
}

VqsModelNodePack* VqsModelNodeEnterprise::FindOrCreatePackNode(const PxVQPackInformationPtr& pack, bool notify)
{
    if (!pack)
        return nullptr;
    if (VqsModelNodePack* node = VqsFindChildByObject(*this, m_packs, pack))
        return node;
    auto* node = new VqsModelNodePack(this, pack);
    m_packs.AddTail(node);
    if (notify)
        node->NotifyChanged();
    return node;
}

VqsModelNode* VqsModelNodeEnterprise::FindNode(const PxObjectPtr& object)
{
    if (!object)
        return nullptr;
    if (GetObject() && GetObject()->IsSameOid(object))
        return this;
    return m_pModel->LookupNode(object);
}

bool VqsModelNodeEnterprise::FindHostByName(const char* name, const VqsModelNode* skip)
{
    // Hosts never loaded into this model would let a duplicate name through. When they
    // cannot be read, the hosts already loaded are all there is to compare with.
    try {
        LoadHosts(VqsLoadCached);
    } catch (const VqReportableException&) {
    }
    for (POSITION pos = m_hosts.GetHeadPosition(); pos;) {
        const VqsModelNodeHost* host = m_hosts.GetNext(pos);
        if (host == skip)
            continue;
        const CString hostName = host->GetName();
        if (!hostName.IsEmpty() && _mbsicmp(hostName.GetString(), name ? name : "") == 0)
            return true;
    }
    return false;
}

void VqsModelNodeEnterprise::LoadChildren(int mode)
{
    if (!GetEnterprise())
        return;
    LoadHosts(mode);
    LoadPacks(mode);
    LoadSystems(mode);
}

void VqsModelNodeEnterprise::GetChildren(CObList& out)
{
    m_systems.AppendTo(out);
    m_hosts.AppendTo(out);
    m_packs.AppendTo(out);
}

void VqsModelNodeEnterprise::RemoveChild(VqsModelNode* child)
{
    if (child)
        m_systems.RemoveChild(child) || m_hosts.RemoveChild(child) || m_packs.RemoveChild(child);
}

void VqsModelNodeEnterprise::CountHostUsage(const char* hostName, int& inGenSets, int& inOldConfigs)
{
    LoadSystems(VqsLoadCached);
    for (POSITION pos = m_systems.GetHeadPosition(); pos;)
        m_systems.GetNext(pos)->CountHostUsage(hostName, inGenSets, inOldConfigs);
}

int VqsModelNodeEnterprise::LockPath(VqsLockBag& bag, const PxVQObjectPtr&) { return bag.LockNode(this); }
