// The enterprise's hosts and packs, and the association of a pack with each host.
#pragma once

#include "model/VqsModelNodeList.h"
#include "proxy/PxVQHostInformation.h"
#include "proxy/PxVQHostPackData.h"
#include "proxy/PxVQPackInformation.h"
#include "proxy/PxVQTypes.h"

class VqsModelNodePackAssociation;

class VqsModelNodeHost : public VqsModelNode {
public:
    VqsModelNodeHost(VqsModelNode* parent, const PxVQHostInformationPtr& host) : VqsModelNode(parent, host) {}

    PxVQHostInformationPtr GetHostInformation() const { return VqsObjectOf<PxVQHostInformationPtr>(this); }
    // The host's name while its object is present; empty otherwise.
    CString GetName() const;
    // Read from the repository once; the node keeps it while it lives.
    VQHostType GetHostType();

    // Code 1 with the host alone.
    void NotifyViews() override;
    CString GetDescription() override;
    PxVQObjectPtr GetObject() const override { return Object(); }
    // For its own object, the root's path first (the root and every pack for the host).
    int LockPath(VqsLockBag& bag, const PxVQObjectPtr& target) override;
    int GetKind() const override { return VqsKindHost; }

private:
    VQHostType m_hostType = VQHostNT;
    int m_bHostTypeRead = 0;
};

class VqsModelNodePack : public VqsModelNode {
public:
    // Reads the pack's name and type.
    VqsModelNodePack(VqsModelNode* parent, const PxVQPackInformationPtr& pack);
    ~VqsModelNodePack() override;

    PxVQPackInformationPtr GetPackInformation() const { return VqsObjectOf<PxVQPackInformationPtr>(this); }
    const CString& GetName() const { return m_strName; }
    VQPackType GetPackType() const { return m_packType; }
    // Stores the type on the pack (in the caller's transaction), keeps it and tells the
    // views.
    void SetPackType(VQPackType type);
    void LoadPackAssociations(int mode);
    void GetPackAssociationNodes(CObList& out) const;
    VqsModelNodePackAssociation* FindPackAssociationNode(const PxObjectPtr& data) const;
    VqsModelNodePackAssociation* FindOrCreatePackAssociationNode(const PxVQHostPackDataPtr& data, bool notify,
                                                                 VqsModelNodePackAssociation* after = nullptr);

    void LoadChildren(int mode) override { LoadPackAssociations(mode); }
    void ReadChildListsAhead(const std::vector<VqsModelNode*>& peers, VqsListsAhead& ahead) const override;
    void GetChildren(CObList& out) override { GetPackAssociationNodes(out); }
    void RemoveChild(VqsModelNode* child) override;
    // Code 5 with the pack alone.
    void NotifyViews() override;
    // Hosts with association data, current and previous uses in options.
    CString GetDescription() override;
    PxVQObjectPtr GetObject() const override { return Object(); }
    int LockPath(VqsLockBag& bag, const PxVQObjectPtr& target) override;
    int GetKind() const override { return VqsKindPack; }

protected:
    // Takes the name and type again, then tells the views.
    void OnRefreshed() override;

private:
    VqsNodeList<VqsModelNodePackAssociation> m_associations;
    CString m_strName;
    VQPackType m_packType = VQPackNotDefined;
};

class VqsModelNodePackAssociation : public VqsModelNode {
public:
    // Takes the associated host from the data.
    VqsModelNodePackAssociation(VqsModelNode* parent, const PxVQHostPackDataPtr& data);

    PxVQHostPackDataPtr GetHostPackData() const { return VqsObjectOf<PxVQHostPackDataPtr>(this); }
    PxVQHostInformationPtr GetHostInformation() const { return m_pHost; }
    PxVQObjectPtr GetObject() const override { return Object(); }
    // For a pack target, the host's path decides after the association is locked.
    int LockPath(VqsLockBag& bag, const PxVQObjectPtr& target) override;
    // The data's four platform associations.
    void GetObjectsShownWith(std::vector<PxObjectPtr>& out) const override;
    int GetKind() const override { return VqsKindPackAssociation; }

private:
    PxVQHostInformationPtr m_pHost;
};

// Whether the pack has data on some host, and whether one host's data holds an NT, Unix
// or Tarsk association.
bool PackHasAssociationData(const PxVQPackInformationPtr& pack);
bool HostPackDataHasAssociation(const PxVQHostPackDataPtr& data);
bool PackAssociationNTHasData(const PxVQKeshPackAssociationNTPtr& association);
bool PackAssociationUnixHasData(const PxVQKeshPackAssociationUnixPtr& association);
bool PackAssociationTarskHasData(const PxVQKeshPackAssociationTarskPtr& association);
