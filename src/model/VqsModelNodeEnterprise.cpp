#include "model/VqsModelNodeEnterprise.h"

#include "model/VqsLockBag.h"
#include "model/VqsModel.h"
#include "model/VqsModelNodeHost.h"
#include "model/VqsModelNodeLocks.h"
#include "model/VqsModelNodeSystem.h"
#include "proxy/VqException.h"
#include "shell/VqsMsgBox.h"
#include "win/MbString.h"

namespace {

const UINT IDS_CANNOT_ACCESS_ENTERPRISE = 61608;
const UINT IDS_CANNOT_ACCESS_CURRENT_CONFIG = 61719;
const UINT IDS_CANNOT_CHECK_PACK_USAGE = 61779;

} // namespace

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
        *this, m_systems, mode, VqsKnownChild::ReadWithList,
        [&](PxTypedList<PxVQSystemPtr>& systems) { enterprise->GetListOfSystems(systems); },
        [this](const PxVQSystemPtr& system) { return new VqsModelNodeSystem(this, system); });
}

void VqsModelNodeEnterprise::LoadCurConfigsOfSystems(int mode)
{
    std::vector<VqsModelNode*> systems;
    for (POSITION pos = m_systems.GetHeadPosition(); pos;)
        systems.push_back(m_systems.GetNext(pos));
    VqsListsAhead ahead;
    VqsModelNodeSystem::ReadCurConfigsAhead(systems, ahead);
    VqsListsAheadScope scope(m_pModel, ahead);
    for (VqsModelNode* system : systems)
        static_cast<VqsModelNodeSystem*>(system)->LoadCurConfig(mode);
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

void VqsModelNodeEnterprise::GetPresentSystems(PxTypedList<PxVQSystemPtr>& out) const
{
    std::vector<PxObjectPtr> systems;
    for (POSITION pos = m_systems.GetHeadPosition(); pos;) {
        if (const PxVQSystemPtr system = m_systems.GetNext(pos)->GetSystem())
            systems.push_back(system);
    }
    const std::vector<bool> present = PxObject::ArePresent(systems);
    for (std::size_t index = 0; index < systems.size(); ++index) {
        if (present[index])
            out.AddTail(PxVQSystemPtr(systems[index]));
    }
}

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

VqsModelNodeSystem* VqsModelNodeEnterprise::FindOrCreateSystemNode(const PxVQSystemPtr& system, bool notify,
                                                                  VqsModelNodeSystem* after)
{
    return VqsFindOrCreateChild(this, m_systems, system, notify, after);
}

VqsModelNodeHost* VqsModelNodeEnterprise::FindOrCreateHostNode(const PxVQHostInformationPtr& host, bool notify,
                                                              VqsModelNodeHost* after)
{
    return VqsFindOrCreateChild(this, m_hosts, host, notify, after);
}

VqsModelNodePack* VqsModelNodeEnterprise::FindOrCreatePackNode(const PxVQPackInformationPtr& pack, bool notify,
                                                              VqsModelNodePack* after)
{
    return VqsFindOrCreateChild(this, m_packs, pack, notify, after);
}

VqsModelNodeEnterprise* VqsModelNodeEnterprise::LockRoot(VqsLockBag& bag)
{
    try {
        if (bag.Contains(this))
            return this;
        if (!bag.LockNode(this))
            return nullptr;
        Refresh();
        return this;
    } catch (const VqReportableException& error) {
        ShowErrorById(IDS_CANNOT_ACCESS_ENTERPRISE, error);
        return nullptr;
    }
}

VqsModelNodeHost* VqsModelNodeEnterprise::LockHostChild(VqsLockBag& bag, const PxVQHostInformationPtr& host)
{
    if (!LockRoot(bag))
        return nullptr;
    return VqsLockChild(bag, FindOrCreateHostNode(host, bag.ContainsObject(host)));
}

VqsModelNodePack* VqsModelNodeEnterprise::LockPackChild(VqsLockBag& bag, const PxVQPackInformationPtr& pack)
{
    if (!LockRoot(bag))
        return nullptr;
    return VqsLockChild(bag, FindOrCreatePackNode(pack, bag.ContainsObject(pack)));
}

VqsModelNodeSystem* VqsModelNodeEnterprise::LockSystemChild(VqsLockBag& bag, const PxVQSystemPtr& system)
{
    if (!LockRoot(bag))
        return nullptr;
    return VqsLockChild(bag, FindOrCreateSystemNode(system, bag.ContainsObject(system)));
}

VqsModelNodeCurConfig* VqsModelNodeEnterprise::LockCurConfigOfSystem(VqsLockBag& bag, const PxVQCurConfigPtr& config)
{
    if (!config)
        return nullptr;
    PxVQSystemPtr system;
    try {
        system = config->GetSystem();
    } catch (const VqReportableException& error) {
        ShowErrorById(IDS_CANNOT_ACCESS_CURRENT_CONFIG, error);
        return nullptr;
    }
    if (!VqsFoundOrToldGone(PxVQObjectPtr(config), system))
        return nullptr;
    VqsModelNodeSystem* systemNode = LockSystemChild(bag, system);
    return systemNode ? systemNode->LockCurConfigChild(bag, config) : nullptr;
}

int VqsModelNodeEnterprise::LockSystemsForPack(int& found, VqsLockBag& bag, const VqsPackSpecList& packSpecs)
{
    found = 0;
    try {
        if (!bag.LockNode(this))
            return 0;
        Refresh();
        LoadSystems(VqsLoadReread);
        CObList systems;
        GetSystemNodes(systems);
        for (POSITION pos = systems.GetHeadPosition(); pos && !found;) {
            auto* system = static_cast<VqsModelNodeSystem*>(systems.GetNext(pos));
            const int locked = VqsLockForWalk(bag, system);
            if (locked < 0)
                return 0;
            if (locked > 0 && !system->CheckPackUsage(found, bag, packSpecs))
                return 0;
        }
        return 1;
    } catch (const VqReportableException& error) {
        bag.Release();
        ShowErrorById(IDS_CANNOT_CHECK_PACK_USAGE, error);
        return 0;
    }
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
    } catch (const VqReportableException& error) {
        if (VqsIsLostConnection(error))
            throw;
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

void VqsModelNodeEnterprise::CountPackUsage(const char* packName, int& inCurrent, int& inOld)
{
    LoadSystems(VqsLoadCached);
    for (POSITION pos = m_systems.GetHeadPosition(); pos;)
        m_systems.GetNext(pos)->CountPackUsage(packName, inCurrent, inOld);
}

int VqsModelNodeEnterprise::LockPath(VqsLockBag& bag, const PxVQObjectPtr& target)
{
    if (!bag.LockNode(this))
        return 0;
    if (target && !target->_IsKindOf("PxVQHostInformation"))
        return 1;
    LoadPacks(VqsLoadCached);
    CObList packs;
    GetPackNodes(packs);
    for (POSITION pos = packs.GetHeadPosition(); pos;) {
        if (!static_cast<VqsModelNode*>(packs.GetNext(pos))->LockPath(bag, target))
            return 0;
    }
    return 1;
}
