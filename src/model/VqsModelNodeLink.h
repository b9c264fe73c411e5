// The nodes of a configuration's soft links: a business-segment link with its element
// links, report groups and bundles, and the element links (profiles placed under their
// Ispec).
#pragma once

#include "model/VqsModelNodeList.h"
#include "proxy/PxVQBSSoftLink.h"
#include "proxy/PxVQElementSoftLink.h"

class VqsModelNodeBundle;
class VqsModelNodeConfig;
class VqsModelNodeElementLink;
class VqsModelNodeRepGroup;

class VqsModelNodeLink : public VqsModelNode {
public:
    PxVQSoftLinkPtr GetSoftLink() const { return VqsObjectOf<PxVQSoftLinkPtr>(this); }
    PxVQObjectPtr GetObject() const override { return Object(); }

protected:
    VqsModelNodeLink(VqsModelNode* parent, const PxVQSoftLinkPtr& link) : VqsModelNode(parent, link) {}
};

class VqsModelNodeBSLink : public VqsModelNodeLink {
public:
    VqsModelNodeBSLink(VqsModelNode* parent, const PxVQBSSoftLinkPtr& link) : VqsModelNodeLink(parent, link) {}
    ~VqsModelNodeBSLink() override;

    PxVQBSSoftLinkPtr GetBSSoftLink() const { return VqsObjectOf<PxVQBSSoftLinkPtr>(this); }
    VqsModelNodeConfig* GetConfigNode() const;
    void LoadElementLinks(int mode);
    void LoadReportGroups(int mode);
    void LoadBundles(int mode);
    void GetElementLinkNodes(CObList& out) const;
    void GetReportGroupNodes(CObList& out) const;
    void GetBundleNodes(CObList& out) const;
    VqsModelNodeElementLink* FindElementLinkNode(const PxObjectPtr& link) const;
    // The group's (bundle's) node, made when absent: after `after` (at the tail without
    // one), announced when `notify`.
    VqsModelNodeRepGroup* FindOrCreateReportGroupNode(const PxVQReportGroupPtr& group, bool notify,
                                                      VqsModelNodeRepGroup* after = nullptr);
    VqsModelNodeBundle* FindOrCreateBundleNode(const PxVQBundlePtr& bundle, bool notify,
                                               VqsModelNodeBundle* after = nullptr);

    void LoadChildren(int mode) override;
    void GetChildren(CObList& out) override;
    void RemoveChild(VqsModelNode* child) override;
    // As the base, then the node above the configuration.
    void Refresh() override;
    CString GetDescription() override;
    int LockPath(VqsLockBag& bag, const PxVQObjectPtr& target) override;
    int GetKind() const override { return VqsKindBSLink; }

private:
    VqsModelNodeElementLink* CreateElementLinkNode(const PxVQElementSoftLinkPtr& link);
    void PlaceUnderIspecs();
    int LockElementLinksOfReportGroup(VqsLockBag& bag, const PxVQObjectPtr& target);
    int LockElementLinksOfBundle(VqsLockBag& bag, const PxVQObjectPtr& target);
    int LockAllElementLinks(VqsLockBag& bag);
    int LockChildPaths(VqsLockBag& bag, const PxVQObjectPtr& target);
    int LockOptionSetPaths(VqsLockBag& bag, const PxVQObjectPtr& target);

    // Held in the order the element links were first read (the map order).
    VqsNodeList<VqsModelNodeElementLink> m_elementLinks;
    VqsNodeList<VqsModelNodeRepGroup> m_reportGroups;
    VqsNodeList<VqsModelNodeBundle> m_bundles;
};

class VqsModelNodeElementLink : public VqsModelNodeLink {
public:
    VqsModelNodeElementLink(VqsModelNode* parent, const PxVQElementSoftLinkPtr& link)
        : VqsModelNodeLink(parent, link)
    {
    }
    ~VqsModelNodeElementLink() override;

    PxVQElementSoftLinkPtr GetElementSoftLink() const { return VqsObjectOf<PxVQElementSoftLinkPtr>(this); }
    VqsModelNodeBSLink* GetBSLinkNode() const { return static_cast<VqsModelNodeBSLink*>(GetParent()); }
    // For a profile placed under an Ispec, the Ispec's node; null otherwise.
    VqsModelNodeElementLink* GetIspecNode() const { return m_pIspecNode; }
    // The profiles placed under this Ispec.
    void GetProfileNodes(CObList& out) const;
    void PlaceUnder(VqsModelNodeElementLink* ispec);
    // Whether the link, or a profile below it, is flagged updated, or (an Ispec) a bundle
    // that does not hold every Ispec lists it.
    bool HasExplicitBundleMembership() const;

    CString GetDescription() override;
    int LockPath(VqsLockBag& bag, const PxVQObjectPtr& target) override;
    int GetKind() const override { return VqsKindElementLink; }

private:
    int LockReportAliasesNamingThis(VqsLockBag& bag, const PxVQObjectPtr& target);
    int LockOptionNodes(VqsLockBag& bag, const PxVQObjectPtr& target);

    VqsModelNodeElementLink* m_pIspecNode = nullptr;
    VqsNodeList<VqsModelNodeElementLink> m_profiles;
};
