// The root of the model: the enterprise with its systems, hosts and packs.
#pragma once

#include "model/VqsModelNodeList.h"
#include "model/VqsModelNodeLocks.h"
#include "proxy/PxVQConfig.h"
#include "proxy/PxVQEnterprise.h"

class VqsModelNodeCurConfig;
class VqsModelNodeHost;
class VqsModelNodePack;
class VqsModelNodeSystem;

class VqsModelNodeEnterprise : public VqsModelNode {
public:
    explicit VqsModelNodeEnterprise(VqsModel* model);
    ~VqsModelNodeEnterprise() override;

    void SetEnterprise(const PxVQEnterprisePtr& enterprise) { AttachObject(enterprise); }
    PxVQEnterprisePtr GetEnterprise() const { return VqsObjectOf<PxVQEnterprisePtr>(this); }

    void LoadSystems(int mode);
    // LoadCurConfig of every system node, their configurations read together.
    void LoadCurConfigsOfSystems(int mode);
    void LoadHosts(int mode);
    void LoadPacks(int mode);
    void GetSystemNodes(CObList& out) const;
    // The systems of its nodes that are still present (a reread keeps the nodes of systems
    // another user deleted), asked together.
    void GetPresentSystems(PxTypedList<PxVQSystemPtr>& out) const;
    void GetHostNodes(CObList& out) const;
    void GetPackNodes(CObList& out) const;
    VqsModelNodeSystem* FindSystemNode(const PxObjectPtr& system) const;
    VqsModelNodeHost* FindHostNode(const PxObjectPtr& host) const;
    VqsModelNodePack* FindPackNode(const PxObjectPtr& pack) const;
    // The child of the object, made when absent: placed after `after` (at the tail without
    // one) and announced when `notify`.
    VqsModelNodeSystem* FindOrCreateSystemNode(const PxVQSystemPtr& system, bool notify,
                                               VqsModelNodeSystem* after = nullptr);
    VqsModelNodeHost* FindOrCreateHostNode(const PxVQHostInformationPtr& host, bool notify,
                                           VqsModelNodeHost* after = nullptr);
    VqsModelNodePack* FindOrCreatePackNode(const PxVQPackInformationPtr& pack, bool notify,
                                           VqsModelNodePack* after = nullptr);
    // The root itself for the enterprise, else the index.
    VqsModelNode* FindNode(const PxObjectPtr& object);
    // Whether a loaded host node other than `skip` names a present host `name` (any case).
    bool FindHostByName(const char* name, const VqsModelNode* skip);

    // The root in the bag, refreshed when newly locked; null when refused or unreadable
    // (61608).
    VqsModelNodeEnterprise* LockRoot(VqsLockBag& bag);
    // The root, then the child of the object; null when either is refused or the object is
    // gone.
    VqsModelNodeHost* LockHostChild(VqsLockBag& bag, const PxVQHostInformationPtr& host);
    VqsModelNodePack* LockPackChild(VqsLockBag& bag, const PxVQPackInformationPtr& pack);
    VqsModelNodeSystem* LockSystemChild(VqsLockBag& bag, const PxVQSystemPtr& system);
    // The root, the system of the configuration (61719 when unreadable) and the
    // configuration.
    VqsModelNodeCurConfig* LockCurConfigOfSystem(VqsLockBag& bag, const PxVQCurConfigPtr& config);
    // Locks, system by system, what is needed to tell whether current options name one of
    // the packs; `found` tells whether one does. 0 when a lock was refused or the walk
    // failed (61779).
    int LockSystemsForPack(int& found, VqsLockBag& bag, const VqsPackSpecList& packSpecs);

    // Hosts, then packs, then systems.
    void LoadChildren(int mode) override;
    void GetChildren(CObList& out) override;
    void RemoveChild(VqsModelNode* child) override;
    // Counts the generate sets of current and old configurations that name the host.
    void CountHostUsage(const char* hostName, int& inGenSets, int& inOldConfigs) override;
    void CountPackUsage(const char* packName, int& inCurrent, int& inOld) override;
    VqsModelNodeEnterprise* GetRoot() override { return this; }
    VqsModel* GetModel() const override { return m_pModel; }
    PxVQObjectPtr GetObject() const override { return Object(); }
    int LockPath(VqsLockBag& bag, const PxVQObjectPtr& target) override;
    int GetKind() const override { return VqsKindEnterprise; }

private:
    VqsModel* m_pModel;
    VqsNodeList<VqsModelNodeSystem> m_systems;
    VqsNodeList<VqsModelNodeHost> m_hosts;
    VqsNodeList<VqsModelNodePack> m_packs;
};
