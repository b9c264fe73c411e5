// What a business-segment link groups: report groups with their report aliases, and
// bundles with their Ispec bundle data.
#pragma once

#include "model/VqsModelNodeList.h"
#include "proxy/PxVQBundle.h"
#include "proxy/PxVQReportGroup.h"
#include "proxy/PxVQReportSoftLink.h"

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

    void LoadChildren(int mode) override { LoadRepAliases(mode); }
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

    void LoadChildren(int mode) override { LoadIspecBundleData(mode); }
    void GetChildren(CObList& out) override { GetIspecBundleDataNodes(out); }
    void RemoveChild(VqsModelNode* child) override;
    CString GetDescription() override;
    PxVQObjectPtr GetObject() const override { return Object(); }
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
    CString GetDescription() override;
    PxVQObjectPtr GetObject() const override { return Object(); }
    int LockPath(VqsLockBag& bag, const PxVQObjectPtr& target) override;
    int GetKind() const override { return VqsKindIspecBundleData; }
};
