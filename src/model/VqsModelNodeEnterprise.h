// The root of the model: the enterprise with its systems, hosts and packs.
#pragma once

#include "model/VqsModelNodeList.h"
#include "proxy/PxVQEnterprise.h"

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
    void LoadHosts(int mode);
    void LoadPacks(int mode);
    void GetSystemNodes(CObList& out) const;
    void GetHostNodes(CObList& out) const;
    void GetPackNodes(CObList& out) const;
    VqsModelNodeSystem* FindSystemNode(const PxObjectPtr& system) const;
    VqsModelNodeHost* FindHostNode(const PxObjectPtr& host) const;
    VqsModelNodePack* FindPackNode(const PxObjectPtr& pack) const;
    // The pack's node, made when absent; the new node is announced only when `notify`.
    VqsModelNodePack* FindOrCreatePackNode(const PxVQPackInformationPtr& pack, bool notify);
    // The root itself for the enterprise, else the index.
    VqsModelNode* FindNode(const PxObjectPtr& object);
    // Whether a loaded host node other than `skip` names a present host `name` (any case).
    bool FindHostByName(const char* name, const VqsModelNode* skip);

    // Hosts, then packs, then systems.
    void LoadChildren(int mode) override;
    void GetChildren(CObList& out) override;
    void RemoveChild(VqsModelNode* child) override;
    // Counts the generate sets of current and old configurations that name the host.
    void CountHostUsage(const char* hostName, int& inGenSets, int& inOldConfigs) override;
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
