// A system with its current and previous configurations, and the configuration nodes with
// their business-segment links and option sets.
#pragma once

#include "model/VqsModelNodeList.h"
#include "model/VqsModelNodeLocks.h"
#include "proxy/PxVQConfig.h"
#include "proxy/PxVQSystem.h"

class VqsModelNodeBSLink;
class VqsModelNodeConfig;
class VqsModelNodeCurConfig;
class VqsModelNodeGenSet;
class VqsModelNodeOldConfig;
class VqsModelNodeOSet;

class VqsModelNodeSystem : public VqsModelNode {
public:
    VqsModelNodeSystem(VqsModelNode* parent, const PxVQSystemPtr& system);
    ~VqsModelNodeSystem() override;

    PxVQSystemPtr GetSystem() const { return VqsObjectOf<PxVQSystemPtr>(this); }
    void LoadCurConfig(int mode);
    // The current configurations of the system nodes read together, for LoadCurConfig.
    static void ReadCurConfigsAhead(const std::vector<VqsModelNode*>& systems, VqsListsAhead& ahead);
    void LoadOldConfigs(int mode);
    // The current configuration, then the previous ones.
    void GetConfigNodes(CObList& out) const;
    VqsModelNodeConfig* FindConfigNode(const PxObjectPtr& config) const;
    // The current configuration's node, made at the tail when absent.
    VqsModelNodeCurConfig* FindOrCreateCurConfigNode(const PxVQCurConfigPtr& config, bool notify);
    VqsModelNodeOldConfig* FindOrCreateOldConfigNode(const PxVQOldConfigPtr& config, bool notify,
                                                     VqsModelNodeOldConfig* after = nullptr);
    // The configuration's node in the bag; null when refused or gone.
    VqsModelNodeCurConfig* LockCurConfigChild(VqsLockBag& bag, const PxVQCurConfigPtr& config);
    VqsModelNodeOldConfig* LockOldConfigChild(VqsLockBag& bag, const PxVQOldConfigPtr& config);
    // The pack-usage walk of the current configuration; 0 when a lock was refused.
    int CheckPackUsage(int& found, VqsLockBag& bag, const VqsPackSpecList& packSpecs);

    void LoadChildren(int mode) override;
    void GetChildren(CObList& out) override;
    void RemoveChild(VqsModelNode* child) override;
    void ReadChildListsAhead(const std::vector<VqsModelNode*>& peers, VqsListsAhead& ahead) const override;
    void CountHostUsage(const char* hostName, int& inGenSets, int& inOldConfigs) override;
    void CountPackUsage(const char* packName, int& inCurrent, int& inOld) override;
    CString GetDescription() override;
    PxVQObjectPtr GetObject() const override { return Object(); }
    int LockPath(VqsLockBag& bag, const PxVQObjectPtr& target) override;
    int GetKind() const override { return VqsKindSystem; }

private:
    VqsNodeList<VqsModelNodeCurConfig> m_curConfig;
    VqsNodeList<VqsModelNodeOldConfig> m_oldConfigs;
};

class VqsModelNodeConfig : public VqsModelNode {
public:
    ~VqsModelNodeConfig() override;

    PxVQConfigPtr GetConfig() const { return VqsObjectOf<PxVQConfigPtr>(this); }
    VqsModelNodeSystem* GetSystemNode() const { return static_cast<VqsModelNodeSystem*>(GetParent()); }
    void LoadBSLinks(int mode);
    void LoadOptionSets(int mode);
    void GetBSLinkNodes(CObList& out) const;
    void GetOptionSetNodes(CObList& out) const;
    // Only the option-set nodes that are generate sets.
    void GetGenSetNodes(CObList& out) const;
    VqsModelNodeBSLink* FindBSLinkNode(const PxObjectPtr& link) const;
    VqsModelNodeOSet* FindOptionSetNode(const PxObjectPtr& optionSet) const;
    VqsModelNodeGenSet* FindGenSetNode(const PxObjectPtr& genSet) const;
    // The link's node, made when absent (after `after`, at the tail without one; announced
    // when `notify`).
    VqsModelNodeBSLink* AddBSLinkNode(const PxVQBSSoftLinkPtr& link, bool notify, VqsModelNodeBSLink* after = nullptr);
    // The option set's node, made when absent (at the tail; announced when `notify`), or
    // refreshed when present and `refresh`.
    VqsModelNodeOSet* AddOptionSetNode(const PxVQOptionSetPtr& optionSet, bool notify, bool refresh);

    // The child's node in the bag; null when refused, gone or (generate set) of another
    // kind.
    VqsModelNodeBSLink* LockBSLinkChild(VqsLockBag& bag, const PxVQBSSoftLinkPtr& link);
    VqsModelNodeOSet* LockOptionSetChild(VqsLockBag& bag, const PxVQOptionSetPtr& optionSet);
    VqsModelNodeGenSet* LockGenSetChild(VqsLockBag& bag, const PxVQOptionSetPtr& optionSet);
    // The pack-usage walk of the option sets whose options name packs; 0 when a lock was
    // refused.
    int CheckPackUsage(int& found, VqsLockBag& bag, const VqsPackSpecList& packSpecs);
    // The business-segment links from the newest to the oldest; links made in the same
    // second keep their list order.
    void GetBSLinkNodesByCreation(CObList& out);
    // Whether another option set than `skip` carries the name (or, with long names, the
    // short name). FALSE, after 61641, when the option sets could not be read: the names
    // are then unchecked.
    BOOL IsOptionSetNameUsed(const char* name, bool& nameUsed, const char* shortName, bool& shortNameUsed,
                             const VqsModelNodeOSet* skip);

    void LoadChildren(int mode) override;
    void GetChildren(CObList& out) override;
    void RemoveChild(VqsModelNode* child) override;
    void ReadChildListsAhead(const std::vector<VqsModelNode*>& peers, VqsListsAhead& ahead) const override;
    // Generate sets naming the host count as current uses, or as old ones in an old
    // configuration.
    void CountHostUsage(const char* hostName, int& inGenSets, int& inOldConfigs) override;
    // Pack references of the options, into the current or the old count.
    void CountPackUsage(const char* packName, int& inCurrent, int& inOld) override;
    PxVQObjectPtr GetObject() const override { return Object(); }
    int LockPath(VqsLockBag& bag, const PxVQObjectPtr& target) override;
    int GetKind() const override { return VqsKindConfig; }

protected:
    VqsModelNodeConfig(VqsModelNode* parent, const PxVQConfigPtr& config);
    virtual void ReadOptionSets(PxTypedList<PxVQOptionSetPtr>& optionSets) const = 0;
    // The option sets of each of the configurations, read together.
    virtual std::vector<std::vector<PxObjectPtr>> ReadOptionSetsOf(const std::vector<PxObjectPtr>& configs) const = 0;

private:
    VqsNodeList<VqsModelNodeBSLink> m_bsLinks;
    VqsNodeList<VqsModelNodeOSet> m_optionSets;
};

class VqsModelNodeCurConfig : public VqsModelNodeConfig {
public:
    VqsModelNodeCurConfig(VqsModelNode* parent, const PxVQCurConfigPtr& config) : VqsModelNodeConfig(parent, config) {}
    PxVQCurConfigPtr GetCurConfig() const { return VqsObjectOf<PxVQCurConfigPtr>(this); }

protected:
    void ReadOptionSets(PxTypedList<PxVQOptionSetPtr>& optionSets) const override;
    std::vector<std::vector<PxObjectPtr>> ReadOptionSetsOf(const std::vector<PxObjectPtr>& configs) const override;
};

class VqsModelNodeOldConfig : public VqsModelNodeConfig {
public:
    VqsModelNodeOldConfig(VqsModelNode* parent, const PxVQOldConfigPtr& config) : VqsModelNodeConfig(parent, config) {}
    PxVQOldConfigPtr GetOldConfig() const { return VqsObjectOf<PxVQOldConfigPtr>(this); }
    CString GetDescription() override;

protected:
    void ReadOptionSets(PxTypedList<PxVQOptionSetPtr>& optionSets) const override;
    std::vector<std::vector<PxObjectPtr>> ReadOptionSetsOf(const std::vector<PxObjectPtr>& configs) const override;
};
