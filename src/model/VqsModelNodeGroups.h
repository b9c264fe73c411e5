// What a business-segment link groups: report groups with their report aliases, and
// bundles with their Ispec bundle data.
#pragma once

#include "model/VqsModelNodeList.h"
#include "model/VqsModelNodeLocks.h"
#include "proxy/PxVQBundle.h"
#include "proxy/PxVQReportGroup.h"
#include "proxy/PxVQReportSoftLink.h"

class VqsModelNodeBSLink;
class VqsModelNodeRepAlias;
class VqsModelNodeIspecBundleData;

class VqsModelNodeRepGroup : public VqsModelNode {
public:
    VqsModelNodeRepGroup(VqsModelNode* parent, const PxVQReportGroupPtr& group) : VqsModelNode(parent, group) {}
    ~VqsModelNodeRepGroup() override;

    PxVQReportGroupPtr GetReportGroup() const { return VqsObjectOf<PxVQReportGroupPtr>(this); }
    void LoadRepAliases(int mode);
    void GetRepAliasNodes(CObList& out) const;
    VqsModelNodeRepAlias* FindRepAliasNode(const PxObjectPtr& alias) const;
    VqsModelNodeRepAlias* FindOrCreateRepAliasNode(const PxVQReportSoftLinkAliasPtr& alias, bool notify,
                                                   VqsModelNodeRepAlias* after = nullptr);
    // The alias's node in the bag; null when refused or gone.
    VqsModelNodeRepAlias* LockRepAliasChild(VqsLockBag& bag, const PxVQReportSoftLinkAliasPtr& alias);
    VqsModelNodeBSLink* GetBSLinkNode() const;

    void LoadChildren(int mode) override { LoadRepAliases(mode); }
    void ReadChildListsAhead(const std::vector<VqsModelNode*>& peers, VqsListsAhead& ahead) const override;
    void GetChildren(CObList& out) override { GetRepAliasNodes(out); }
    void RemoveChild(VqsModelNode* child) override;
    CString GetDescription() override;
    PxVQObjectPtr GetObject() const override { return Object(); }
    int LockPath(VqsLockBag& bag, const PxVQObjectPtr& target) override;
    int GetKind() const override { return VqsKindRepGroup; }

private:
    VqsNodeList<VqsModelNodeRepAlias> m_aliases;
};

class VqsModelNodeRepAlias : public VqsModelNode {
public:
    VqsModelNodeRepAlias(VqsModelNode* parent, const PxVQReportSoftLinkAliasPtr& alias) : VqsModelNode(parent, alias)
    {
    }
    PxVQReportSoftLinkAliasPtr GetReportAlias() const { return VqsObjectOf<PxVQReportSoftLinkAliasPtr>(this); }
    VqsModelNodeRepGroup* GetRepGroupNode() const { return static_cast<VqsModelNodeRepGroup*>(GetParent()); }
    CString GetDescription() override;
    PxVQObjectPtr GetObject() const override { return Object(); }
    int LockPath(VqsLockBag& bag, const PxVQObjectPtr& target) override;
    int GetKind() const override { return VqsKindRepAlias; }
};

class VqsModelNodeBundle : public VqsModelNode {
public:
    VqsModelNodeBundle(VqsModelNode* parent, const PxVQBundlePtr& bundle) : VqsModelNode(parent, bundle) {}
    ~VqsModelNodeBundle() override;

    PxVQBundlePtr GetBundle() const { return VqsObjectOf<PxVQBundlePtr>(this); }
    void LoadIspecBundleData(int mode);
    void GetIspecBundleDataNodes(CObList& out) const;
    VqsModelNodeIspecBundleData* FindIspecBundleDataNode(const PxObjectPtr& data) const;
    VqsModelNodeIspecBundleData* FindOrCreateIspecBundleDataNode(const PxVQIspecBundleDataPtr& data, bool notify,
                                                                 VqsModelNodeIspecBundleData* after = nullptr);
    // The entry's node in the bag; null when refused or gone.
    VqsModelNodeIspecBundleData* LockIspecBundleDataChild(VqsLockBag& bag, const PxVQIspecBundleDataPtr& data);
    VqsModelNodeBSLink* GetBSLinkNode() const;

    void LoadChildren(int mode) override { LoadIspecBundleData(mode); }
    void ReadChildListsAhead(const std::vector<VqsModelNode*>& peers, VqsListsAhead& ahead) const override;
    void GetChildren(CObList& out) override { GetIspecBundleDataNodes(out); }
    void RemoveChild(VqsModelNode* child) override;
    CString GetDescription() override;
    PxVQObjectPtr GetObject() const override { return Object(); }
    // Every Ispec entry first, then the bundle; 0 (the bundle kept) at the first entry
    // that cannot be deleted or has no node.
    int Delete() override;
    int LockPath(VqsLockBag& bag, const PxVQObjectPtr& target) override;
    int GetKind() const override { return VqsKindBundle; }

private:
    VqsNodeList<VqsModelNodeIspecBundleData> m_entries;
};

class VqsModelNodeIspecBundleData : public VqsModelNode {
public:
    VqsModelNodeIspecBundleData(VqsModelNode* parent, const PxVQIspecBundleDataPtr& data) : VqsModelNode(parent, data)
    {
    }
    PxVQIspecBundleDataPtr GetIspecBundleData() const { return VqsObjectOf<PxVQIspecBundleDataPtr>(this); }
    VqsModelNodeBundle* GetBundleNode() const { return static_cast<VqsModelNodeBundle*>(GetParent()); }
    CString GetDescription() override;
    PxVQObjectPtr GetObject() const override { return Object(); }
    // The entry, then the Ispec's element link when nothing else keeps it.
    int Delete() override;
    int LockPath(VqsLockBag& bag, const PxVQObjectPtr& target) override;
    int GetKind() const override { return VqsKindIspecBundleData; }
};
