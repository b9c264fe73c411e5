// The nodes of a configuration's soft links: a business-segment link with its element
// links, report groups and bundles, and the element links (profiles placed under their
// Ispec).
#pragma once

#include "model/VqsBSPackReplacement.h"
#include "model/VqsMapObjToPtr.h"
#include "model/VqsSyncResult.h"
#include "proxy/PxLSEBusinessSegment.h"
#include "proxy/PxLSEElement.h"
#include "proxy/PxLSEProfile.h"
#include "proxy/PxVQBSSoftLink.h"
#include "proxy/PxVQElementSoftLink.h"

#include <cstdint>
#include <set>
#include <utility>
#include <vector>

class PxHandle;
class VqsBSLock;
class VqsLockBag;
class VqsModelNodeBSLink;
class VqsModelNodeBundle;
class VqsModelNodeConfig;
class VqsModelNodeElementLink;
class VqsModelNodeRepGroup;

// Element types of an element soft link, as its type query answers.
enum VqsElementType : int {
    VqsElementIspec = VQSoftLinkIspec,
    VqsElementReport = VQSoftLinkReport,
    VqsElementProfile = VQSoftLinkProfile,
    VqsElementGlobalLogic = VQSoftLinkGlobalLogic,
};

class VqsModelNodeLink : public VqsModelNode {
public:
    PxVQSoftLinkPtr GetSoftLink() const { return VqsObjectOf<PxVQSoftLinkPtr>(this); }
    PxVQObjectPtr GetObject() const override { return Object(); }

    // The node of a soft link of this node's family (null when there is none loaded).
    virtual VqsModelNodeLink* FindLinkNode(const PxVQSoftLinkPtr& link) = 0;
    // An element the design reserves (the event Ispec, the start-up and close-down logic).
    virtual bool IsSystemElement() { return false; }
    virtual VqsModelNodeConfig* GetConfigNode() const = 0;
    virtual VqsModelNodeBSLink* GetBSLinkNode() const = 0;
    // The nodes shown beside this one.
    virtual void GetSiblings(CObList& out) = 0;
    // A profile placed under its Ispec.
    virtual bool IsPlacedBelow() const { return false; }

    // Compares two creation times as signed 64-bit numbers, high word first.
    static bool IsEarlier(std::uint32_t high, std::uint32_t low, std::uint32_t otherHigh, std::uint32_t otherLow);
    // Of links that answer to one name, the one that stands for it: the first in use
    // (`inUse`), else the one made last, the first of equal ones; null when none is given.
    template <class Node>
    static Node* ChooseInUseOrNewest(const std::vector<Node*>& links, bool& inUse)
    {
        inUse = false;
        Node* newest = nullptr;
        for (Node* node : links) {
            if (!node->HasUnusedMark()) {
                inUse = true;
                return node;
            }
            node->GetCreatedTimeStamp();
            if (!newest || IsEarlier(newest->GetCreatedHigh(), newest->GetCreatedLow(), node->GetCreatedHigh(),
                                     node->GetCreatedLow()))
                newest = node;
        }
        return newest;
    }
    // The soft link carries the unused mark (kept while it matches nothing).
    bool HasUnusedMark() const;
    bool IsSoftLinkUpdated() const;
    // Reads the soft link's creation time into the cache (nothing without a soft link).
    void GetCreatedTimeStamp();
    std::uint32_t GetCreatedHigh() const { return m_createdHigh; }
    std::uint32_t GetCreatedLow() const { return m_createdLow; }
    // Sets the soft link's updated flag, then tells the views.
    void SetUpdatedFlag(int flag);
    // Sets the soft link's value in its own transaction; the views are told when it is
    // done. 0 when it was refused.
    int SetSoftLinkValue(int value);

protected:
    VqsModelNodeLink(VqsModelNode* parent, const PxVQSoftLinkPtr& link) : VqsModelNode(parent, link) {}

private:
    std::uint32_t m_createdHigh = 0;
    std::uint32_t m_createdLow = 0;
};

class VqsModelNodeBSLink : public VqsModelNodeLink {
public:
    VqsModelNodeBSLink(VqsModelNode* parent, const PxVQBSSoftLinkPtr& link) : VqsModelNodeLink(parent, link) {}
    ~VqsModelNodeBSLink() override;

    PxVQBSSoftLinkPtr GetBSSoftLink() const { return VqsObjectOf<PxVQBSSoftLinkPtr>(this); }
    void LoadElementLinks(int mode);
    void LoadReportGroups(int mode);
    void LoadBundles(int mode);
    void GetElementLinkNodes(CObList& out) const;
    void GetReportGroupNodes(CObList& out) const;
    void GetBundleNodes(CObList& out) const;
    VqsModelNodeElementLink* FindElementLinkNode(const PxObjectPtr& link) const;
    // The element link of the name (exact) and type that stands for its element, by
    // ChooseInUseOrNewest; a link of another type never does. Null when there is none.
    VqsModelNodeElementLink* FindElementLinkNamed(const CString& name, int type, bool& inUse);
    VqsModelNodeElementLink* FindElementLinkNamed(const CString& name, int type);
    // The element link's node, made when absent (announced when `notify`).
    VqsModelNodeElementLink* AddElementLinkNode(const PxVQElementSoftLinkPtr& link, bool notify);
    // The same for a profile placed under the Ispec's node.
    VqsModelNodeElementLink* AddElementLinkNodeIfMissing(VqsModelNodeElementLink* ispec,
                                                         const PxVQElementSoftLinkPtr& link, bool notify);
    // The group's (bundle's) node, made when absent: after `after` (at the tail without
    // one), announced when `notify`.
    VqsModelNodeRepGroup* FindOrCreateReportGroupNode(const PxVQReportGroupPtr& group, bool notify,
                                                      VqsModelNodeRepGroup* after = nullptr);
    VqsModelNodeBundle* FindOrCreateBundleNode(const PxVQBundlePtr& bundle, bool notify,
                                               VqsModelNodeBundle* after = nullptr);
    // The entries of the bundle's node read again, those gone dropped; of every bundle's
    // node for a null bundle.
    void ReloadBundleEntries(const PxVQBundlePtr& bundle);

    // Whether the segment's link, or one of its element links, holds updated options; the
    // element links are taken over into `bag` from `other` and refreshed. 0 when one
    // could not be taken over.
    int LoadUpdatedElementLinks(int& updated, VqsLockBag& other, VqsLockBag& bag);
    // On a configuration node: deletes the link's soft link and then its node, and the
    // option nodes of its records and its element links' records; 0 when the repository
    // refused.
    static int DeleteSoftLink(VqsModelNodeConfig* config, VqsModelNodeBSLink* link);
    // The segment's initial pack names on NT (0) or Unix (3): pack kinds 2 and 1.
    void GetInitialPackNames(int hostType, CString& first, CString& second) const;
    // Rewrites one pack name in the segment's own NT or Unix options of the option set.
    void ReplacePackName(const PxVQOptionSetPtr& optionSet, int hostType, int packKind, const char* oldPack,
                         const char* newPack);
    // The packs of the segment changed from their defaults in the option set (every
    // option set when null), to be replaced when its options move to `targetHostType`.
    void CollectBSegPackReplacements(int targetHostType, const PxVQOptionSetPtr& optionSet,
                                     VqsBSPackReplacementList& replacements);
    // Locks the design segment for a generation; for a restart, checks who holds it.
    // 0 after the message when it cannot be locked.
    int LockForGeneration(int restart, VqsBSLock& bsLock, const PxLSEBusinessSegmentPtr& segment,
                          const PxHandle& recoveryKey);
    // The design segment of the link, locked for a generation, and the pairs of (design
    // Ispec, Ispec link) that a bundle generation takes: the pairs given that still match;
    // 0 when the segment is missing or cannot be locked.
    int FillBundleIspecs(int restart, VqsBSLock& bsLock, const PxHandle& recoveryKey,
                         PxLSEBusinessSegmentPtr& segmentOut, VqsDesignLinkPairList& pairs);
    // The same for a report generation: a pair for each report link that names a design
    // report.
    int FillReports(int restart, VqsBSLock& bsLock, const PxHandle& recoveryKey, PxLSEBusinessSegmentPtr& segmentOut,
                    VqsDesignLinkPairList& pairs);

    // On the link matched with the result's design segment: element links for the new
    // design elements, the changed ones refreshed, those without a design element deleted,
    // marked or offered by the mode; the pairs of design object and element link are
    // appended to the result. 0 to stop.
    int SyncElements(VqsLockBag& readBag, VqsLockBag& updateBag, VqsSyncResult& result, int syncMode);
    // On a link that matches no design segment: its element links deleted or marked by the
    // mode and what users changed, the link marked; `deleteLink` 1 when the caller is to
    // delete the whole link. 0 to stop.
    int SyncUnmatchedLink(int& deleteLink, VqsLockBag& readBag, VqsLockBag& updateBag, int syncMode);

    VqsModelNodeLink* FindLinkNode(const PxVQSoftLinkPtr& link) override;
    VqsModelNodeConfig* GetConfigNode() const override;
    VqsModelNodeBSLink* GetBSLinkNode() const override { return const_cast<VqsModelNodeBSLink*>(this); }
    void GetSiblings(CObList& out) override;

    void LoadChildren(int mode) override;
    void GetChildren(CObList& out) override;
    void RemoveChild(VqsModelNode* child) override;
    // The three lists of every link, and the Ispec links their profiles are placed under.
    void ReadChildListsAhead(const std::vector<VqsModelNode*>& peers, VqsListsAhead& ahead) const override;
    CString GetDescription() override;
    int LockPath(VqsLockBag& bag, const PxVQObjectPtr& target) override;
    int GetKind() const override { return VqsKindBSLink; }

protected:
    // As the base, then the node above the configuration is refreshed.
    void OnRefreshed() override;

private:
    VqsModelNodeElementLink* CreateElementLinkNode(const PxVQElementSoftLinkPtr& link,
                                                   VqsModelNodeElementLink* ispec = nullptr);
    void DropVanishedElementLinks(const PxTypedList<PxVQElementSoftLinkPtr>& links);
    PxLSEBusinessSegmentPtr LockDesignSegment(int restart, VqsBSLock& bsLock, const PxHandle& recoveryKey);
    int LockElementLinksOfReportGroup(VqsLockBag& bag, const PxVQObjectPtr& target);
    int LockElementLinksOfBundle(VqsLockBag& bag, const PxVQObjectPtr& target);
    int LockAllElementLinks(VqsLockBag& bag);
    int LockChildPaths(VqsLockBag& bag, const PxVQObjectPtr& target);
    int LockOptionSetPaths(VqsLockBag& bag, const PxVQObjectPtr& target);

    // Walked in the order the element links were first read.
    VqsMapObjToPtr<PxVQElementSoftLinkPtr, VqsModelNodeElementLink> m_elementLinks;
    VqsNodeList<VqsModelNodeRepGroup> m_reportGroups;
    VqsNodeList<VqsModelNodeBundle> m_bundles;
};

class VqsModelNodeElementLink : public VqsModelNodeLink {
public:
    // A node made with an Ispec's node is placed under it.
    VqsModelNodeElementLink(VqsModelNode* parent, const PxVQElementSoftLinkPtr& link,
                            VqsModelNodeElementLink* ispec = nullptr);
    ~VqsModelNodeElementLink() override;

    PxVQElementSoftLinkPtr GetElementSoftLink() const { return VqsObjectOf<PxVQElementSoftLinkPtr>(this); }
    // For a profile placed under an Ispec, the Ispec's node; null otherwise.
    VqsModelNodeElementLink* GetIspecNode() const { return m_pIspecNode; }
    // The profiles placed under this Ispec.
    void GetProfileNodes(CObList& out) const;
    void PlaceUnder(VqsModelNodeElementLink* ispec);
    // Appends a node to those placed under this one, once.
    void AppendSubNode(VqsModelNodeElementLink* node);
    // Whether the link, or a profile below it, is flagged updated, or (an Ispec) a bundle
    // that does not hold every Ispec lists it.
    bool HasExplicitBundleMembership() const;
    // 0 none, 1 Ispec with a type, 2 other Ispec, 3 report, 4 profile, 5 any other.
    int GetIspecType() const;
    bool IsIspecType(int type) const;
    // The event Ispec or a start-up or close-down logic; false when the repository fails.
    bool IsReservedElement() const;
    // Stores the design profile's data in the profile link, then tells the views.
    void SetProfileLinkData(const PxLSEProfilePtr& profile);
    // Records the unique number of a global-logic link.
    void CollectGLGUniqueID(std::set<int>& ids) const;
    // For a component, its ordinate profile, and (for a profile named "$...") the target
    // of its first data ordinate as the element; any other element is its own profile.
    static PxLSEElementPtr CollectDesignParts(const PxLSEElementPtr& design, PxLSEElementPtr& element,
                                              CString& name);
    // Deletes the soft link with the profile links over it, in the repository and in the
    // model (their nodes and the option nodes of their records); 0 when the repository
    // refused.
    int DeleteSoftLink();
    // The same for several links in one transaction, the links and records read together.
    static int DeleteSoftLinks(const std::vector<VqsModelNodeElementLink*>& nodes);
    // Stores the design element's data in the link and keeps the Ispec's bundles in step
    // with its usage, in one transaction; 0 when it failed.
    int AddIspecsToBundles(const PxLSEElementPtr& design, const CStringList& primaryProfiles);
    // Puts an Ispec that is not output only into every bundle holding all Ispecs.
    int AddIspecToBundles();
    // The profile links under a matched element link that no longer follow the design
    // profile of its element (a component's): those to delete, and those kept (marked
    // unused) for their updated options. Answers the design profile, null for none.
    PxLSEProfilePtr CollectStaleParts(const PxLSEElementPtr& element, int syncMode,
                                      std::vector<VqsModelNodeElementLink*>& stale,
                                      std::vector<VqsModelNodeElementLink*>& kept);
    // The node that bringing the design profile's link up to date writes: the profile link
    // of its name, else the business-segment link that gets a new one.
    VqsModelNode* ProfileSyncTarget(const PxLSEProfilePtr& profile);
    // Once the stale parts are gone: the link of the design profile is brought up to date
    // or made, and the pair of the profile and its link joins the result. `changed` when the
    // design changed the element since its link took it. 0 to stop.
    int SyncDesignParts(VqsLockBag& writeBag, bool changed, const PxLSEElementPtr& element,
                        const PxLSEProfilePtr& profile, VqsSyncResult& result);

    VqsModelNodeLink* FindLinkNode(const PxVQSoftLinkPtr& link) override;
    bool IsSystemElement() override { return IsReservedElement(); }
    VqsModelNodeConfig* GetConfigNode() const override;
    VqsModelNodeBSLink* GetBSLinkNode() const override { return static_cast<VqsModelNodeBSLink*>(GetParent()); }
    void GetSiblings(CObList& out) override;
    bool IsPlacedBelow() const override { return m_pIspecNode != nullptr; }

    // An Ispec's profiles go first; the first that cannot be deleted stops the delete.
    int Delete() override;
    CString GetDescription() override;
    int LockPath(VqsLockBag& bag, const PxVQObjectPtr& target) override;
    // Each node's path as LockPath walks it for the node's own link, the option lists of the
    // element links among them read together first: for a bag that gathers its objects to
    // lock them in one call after the walk.
    static int LockOwnPaths(VqsLockBag& bag, const std::vector<VqsModelNode*>& nodes);
    int GetKind() const override { return VqsKindElementLink; }

private:
    // LockPath, with the link's option records when they are read already.
    int LockPathWith(VqsLockBag& bag, const PxVQObjectPtr& target, const std::vector<PxObjectPtr>* records);
    int LockReportAliasesNamingThis(VqsLockBag& bag, const PxVQObjectPtr& target);
    int LockOptionNodes(VqsLockBag& bag, const PxVQObjectPtr& target, const std::vector<PxObjectPtr>* records);
    int FollowUsageInBundles(const PxVQIspecSoftLinkPtr& ispec, int usageBefore);
    int TakeIspecOutOfBundles();
    int PutIspecIntoBundles();
    static std::vector<std::vector<PxVQSoftLinkPtr>> LinksGoingWith(
        const std::vector<VqsModelNodeElementLink*>& nodes);
    // Takes the node out of the model, with the nodes of the other links that went with it.
    void RemoveWithParts(const std::vector<PxVQSoftLinkPtr>& going);

    VqsModelNodeElementLink* m_pIspecNode = nullptr;
    VqsNodeList<VqsModelNodeElementLink> m_profiles;
};

// The type of the element links a design element takes; 0 for an element that takes none.
int ElementLinkTypeOf(const PxLSEElementPtr& design);
// Element soft links whose names match.
bool ElementSoftLinkMatches(const VqsModelNodeElementLink* node, const PxLSEElementPtr& design);
bool ProfileSoftLinkMatches(const VqsModelNodeElementLink* node, const CString& ordinateName);
bool BSSoftLinkMatches(const VqsModelNodeBSLink* node, const PxLSEBusinessSegmentPtr& segment);
