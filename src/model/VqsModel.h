// The in-memory mirror of the session's enterprise that one operation builds on the stack:
// the enterprise root, read lazily one child list at a time, and the index of its nodes by
// the handle map key of their objects.
#pragma once

#include "model/VqsModelNodeEnterprise.h"

#include <cstdint>

class VqsModelNodeBSLink;
class VqsModelNodeBundle;
class VqsModelNodeConfig;
class VqsModelNodeCurConfig;
class VqsModelNodeElementLink;
class VqsModelNodeGenSet;
class VqsModelNodeIspecBundleData;
class VqsModelNodeLink;
class VqsModelNodeOption;
class VqsModelNodeOSet;
class VqsModelNodePack;
class VqsModelNodePackAssociation;
class VqsModelNodeRepAlias;
class VqsModelNodeRepGroup;
class VqsModelNodeSystem;

class VqsModel : public CObject {
public:
    // Attaches the application's enterprise to the root.
    explicit VqsModel(int flag = 0);
    ~VqsModel() override;
    VqsModel(const VqsModel&) = delete;
    VqsModel& operator=(const VqsModel&) = delete;

    int GetFlag() const { return m_nFlag; }
    VqsModelNodeEnterprise& GetRootNode() { return m_root; }
    // Attaches an enterprise to a root that has none yet.
    void SetEnterprise(const PxVQEnterprisePtr& enterprise);

    // The node of an object: from the index alone, nothing is read.
    VqsModelNode* LookupNode(const PxObjectPtr& object) const;
    INT_PTR GetIndexCount() const { return m_index.GetCount(); }
    void EnterInIndex(std::uint64_t key, VqsModelNode* node);
    // Removes the key only while it still names this node.
    void RemoveFromIndex(std::uint64_t key, VqsModelNode* node);

    // The node of one repository object, loading the lists on the way down from the nearest
    // node the model has; null when there is none. Repository failures are reported here.
    VqsModelNodeSystem* FindSystemNodeOfCurConfig(PxVQSystemPtr system);
    VqsModelNodeCurConfig* FindCurConfigNode(PxVQCurConfigPtr config);
    VqsModelNodeConfig* FindConfigNode(PxVQConfigPtr config);
    VqsModelNodeOSet* FindOptionSetNode(PxVQOptionSetPtr optionSet);
    VqsModelNodeGenSet* FindGenSetNode(PxVQGenSetPtr genSet);
    VqsModelNodePack* FindPackNode(PxVQPackInformationPtr pack);
    VqsModelNodePackAssociation* FindPackAssociationNode(PxVQHostPackDataPtr data);
    VqsModelNodeBSLink* FindConfigNodeOfBSLink(PxVQBSSoftLinkPtr link);
    VqsModelNodeRepGroup* FindReportGroupNode(PxVQReportGroupPtr group);
    VqsModelNodeRepAlias* FindRepAliasNode(PxVQReportSoftLinkAliasPtr alias);
    VqsModelNodeBundle* FindBundleNode(PxVQBundlePtr bundle);
    VqsModelNodeIspecBundleData* FindIspecBundleDataNode(PxVQIspecBundleDataPtr data);
    VqsModelNodeOption* FindOptionNode(PxOptionsPtr options);
    VqsModelNodeElementLink* FindElementLinkNode(PxVQElementSoftLinkPtr link);
    VqsModelNodeLink* FindOptionNodeOfOSet(PxVQSoftLinkPtr link);

    // The pack's node under the root, made (without a notice) when absent.
    VqsModelNodePack* GetPackNode(const PxVQPackInformationPtr& pack);
    // The option set's node under a configuration node the model already has; null when
    // the configuration has none.
    VqsModelNodeOSet* GetOptionSetNode(const PxVQOptionSetPtr& optionSet, const PxVQConfigPtr& config);

private:
    // Declared before the root, so that it outlives the nodes that leave it.
    CMap<std::uint64_t, std::uint64_t, VqsModelNode*, VqsModelNode*> m_index{10};
    VqsModelNodeEnterprise m_root;
    int m_nFlag;
};
