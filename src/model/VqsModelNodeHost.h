// The enterprise's hosts and packs, and the association of a pack with each host.
#pragma once

#include "model/VqsModelNodeList.h"
#include "proxy/PxVQHostInformation.h"
#include "proxy/PxVQHostPackData.h"
#include "proxy/PxVQPackInformation.h"

class VqsModelNodePackAssociation;

class VqsModelNodeHost : public VqsModelNode {
public:
    VqsModelNodeHost(VqsModelNode* parent, const PxVQHostInformationPtr& host) : VqsModelNode(parent, host) {}

    PxVQHostInformationPtr GetHostInformation() const { return VqsObjectOf<PxVQHostInformationPtr>(this); }
    // The host's name while its object is present; empty otherwise.
    CString GetName() const;

    // Code 1 with the host alone.
    void NotifyViews() override;
    CString GetDescription() override;
    PxVQObjectPtr GetObject() const override { return Object(); }
    int LockPath(VqsLockBag& bag, const PxVQObjectPtr& target) override;
    int GetKind() const override { return VqsKindHost; }
};

class VqsModelNodePack : public VqsModelNode {
public:
    VqsModelNodePack(VqsModelNode* parent, const PxVQPackInformationPtr& pack) : VqsModelNode(parent, pack) {}
    ~VqsModelNodePack() override;

    PxVQPackInformationPtr GetPackInformation() const { return VqsObjectOf<PxVQPackInformationPtr>(this); }
    void LoadPackAssociations(int mode);
    void GetPackAssociationNodes(CObList& out) const;
    VqsModelNodePackAssociation* FindPackAssociationNode(const PxObjectPtr& data) const;

    void LoadChildren(int mode) override { LoadPackAssociations(mode); }
    void GetChildren(CObList& out) override { GetPackAssociationNodes(out); }
    void RemoveChild(VqsModelNode* child) override;
    // Code 5 with the pack alone.
    void NotifyViews() override;
    PxVQObjectPtr GetObject() const override { return Object(); }
    int LockPath(VqsLockBag& bag, const PxVQObjectPtr& target) override;
    int GetKind() const override { return VqsKindPack; }

private:
    VqsNodeList<VqsModelNodePackAssociation> m_associations;
};

class VqsModelNodePackAssociation : public VqsModelNode {
public:
    VqsModelNodePackAssociation(VqsModelNode* parent, const PxVQHostPackDataPtr& data) : VqsModelNode(parent, data) {}

    PxVQHostPackDataPtr GetHostPackData() const { return VqsObjectOf<PxVQHostPackDataPtr>(this); }
    // The host pack data and its four platform associations are read again.
    void Refresh() override;
    PxVQObjectPtr GetObject() const override { return Object(); }
    int LockPath(VqsLockBag& bag, const PxVQObjectPtr& target) override;
    int GetKind() const override { return VqsKindPackAssociation; }
};
