#include "model/VqsModel.h"

#include "model/VqsModelNodeGroups.h"
#include "model/VqsModelNodeHost.h"
#include "model/VqsModelNodeLink.h"
#include "model/VqsModelNodeOSet.h"
#include "model/VqsModelNodeOption.h"
#include "model/VqsModelNodeSystem.h"
#include "proxy/VqException.h"
#include "shell/VqsDisplayNames.h"
#include "shell/VqsMsgBox.h"
#include "shell/VqsSysApp.h"

namespace {

const UINT IDS_CANNOT_ACCESS_THE = 61552;

void ReportFindFailure(const PxObjectPtr& object, const VqReportableException& error)
{
    CString text;
    text.FormatMessage(IDS_CANNOT_ACCESS_THE, VqsGetObjectKindName(object->GetObjectKind()).GetString());
    VqsReportError(text, error);
}

// The find pattern: the node of the object when the model has it (null when it is of
// another class), else what `loadAndLook` finds after loading the parent's list. A
// repository failure on the way is reported here, naming the object's kind.
template <class Node, class LoadAndLook>
Node* FindNode(VqsModelNodeEnterprise& root, const PxObjectPtr& object, LoadAndLook loadAndLook)
{
    if (!object)
        return nullptr;
    try {
        if (VqsModelNode* node = root.FindNode(object))
            return dynamic_cast<Node*>(node);
        return dynamic_cast<Node*>(loadAndLook());
    } catch (const VqReportableException& error) {
        ReportFindFailure(object, error);
        return nullptr;
    }
}

} // namespace

VqsModel::VqsModel(int flag) : m_root(this), m_nFlag(flag)
{
    if (VqsSysApp* app = VqsGetApp())
        SetEnterprise(app->GetEnterprise());
}

VqsModel::~VqsModel() { m_index.RemoveAll(); }

void VqsModel::SetEnterprise(const PxVQEnterprisePtr& enterprise) { m_root.SetEnterprise(enterprise); }

VqsModelNode* VqsLookupNode(const VqsModel& model, const PxObjectPtr& object) { return model.LookupNode(object); }

VqsModelNode* VqsModel::LookupNode(const PxObjectPtr& object) const
{
    VqsModelNode* node = nullptr;
    if (object)
        m_index.Lookup(object->GetHandle().MapKey(), node);
    return node;
}

void VqsModel::DropOptionNodes(const PxTypedList<PxOptionsPtr>& records)
{
    for (POSITION pos = records.GetHeadPosition(); pos;) {
        auto* option = dynamic_cast<VqsModelNodeOption*>(
            LookupNode(records.CList<PxOptionsPtr, const PxOptionsPtr&>::GetNext(pos)));
        if (!option)
            continue;
        if (VqsModelNode* optionSet = option->GetParent())
            optionSet->RemoveChild(option);
        delete option;
    }
}

void VqsModel::EnterInIndex(std::uint64_t key, VqsModelNode* node) { m_index.SetAt(key, node); }

void VqsModel::RemoveFromIndex(std::uint64_t key, VqsModelNode* node)
{
    VqsModelNode* indexed = nullptr;
    if (m_index.Lookup(key, indexed) && indexed == node)
        m_index.RemoveKey(key);
}

VqsModelNodeSystem* VqsModel::FindSystemNodeOfCurConfig(PxVQSystemPtr system)
{
    return FindNode<VqsModelNodeSystem>(m_root, system, [&]() -> VqsModelNode* {
        m_root.LoadSystems(VqsLoadReread);
        return LookupNode(system);
    });
}

VqsModelNodeCurConfig* VqsModel::FindCurConfigNode(PxVQCurConfigPtr config)
{
    return FindNode<VqsModelNodeCurConfig>(m_root, config, [&]() -> VqsModelNode* {
        VqsModelNodeSystem* system = FindSystemNodeOfCurConfig(config->GetSystem());
        if (!system)
            return nullptr;
        system->LoadCurConfig(VqsLoadReread);
        return LookupNode(config);
    });
}

VqsModelNodeConfig* VqsModel::FindConfigNode(PxVQConfigPtr config)
{
    return FindNode<VqsModelNodeConfig>(m_root, config, [&]() -> VqsModelNode* {
        VqsModelNodeSystem* system = FindSystemNodeOfCurConfig(config->GetSystem());
        if (!system)
            return nullptr;
        system->LoadChildren(VqsLoadReread);
        return LookupNode(config);
    });
}

VqsModelNodeOSet* VqsModel::FindOptionSetNode(PxVQOptionSetPtr optionSet)
{
    return FindNode<VqsModelNodeOSet>(m_root, optionSet, [&]() -> VqsModelNode* {
        VqsModelNodeConfig* config = FindConfigNode(optionSet->GetConfig());
        if (!config)
            return nullptr;
        config->LoadOptionSets(VqsLoadReread);
        return config->FindOptionSetNode(optionSet);
    });
}

VqsModelNodeGenSet* VqsModel::FindGenSetNode(PxVQGenSetPtr genSet)
{
    return FindNode<VqsModelNodeGenSet>(m_root, genSet, [&]() -> VqsModelNode* {
        VqsModelNodeConfig* config = FindConfigNode(genSet->GetConfig());
        if (!config)
            return nullptr;
        config->LoadOptionSets(VqsLoadReread);
        return config->FindGenSetNode(genSet);
    });
}

VqsModelNodePack* VqsModel::FindPackNode(PxVQPackInformationPtr pack)
{
    return FindNode<VqsModelNodePack>(m_root, pack, [&]() -> VqsModelNode* {
        m_root.LoadPacks(VqsLoadReread);
        return m_root.FindPackNode(pack);
    });
}

VqsModelNodePackAssociation* VqsModel::FindPackAssociationNode(PxVQHostPackDataPtr data)
{
    return FindNode<VqsModelNodePackAssociation>(m_root, data, [&]() -> VqsModelNode* {
        VqsModelNodePack* pack = FindPackNode(data->GetPackInformation());
        if (!pack)
            return nullptr;
        pack->LoadPackAssociations(VqsLoadReread);
        return pack->FindPackAssociationNode(data);
    });
}

VqsModelNodeBSLink* VqsModel::FindConfigNodeOfBSLink(PxVQBSSoftLinkPtr link)
{
    return FindNode<VqsModelNodeBSLink>(m_root, link, [&]() -> VqsModelNode* {
        VqsModelNodeConfig* config = FindConfigNode(link->GetConfig());
        if (!config)
            return nullptr;
        config->LoadBSLinks(VqsLoadReread);
        return config->FindBSLinkNode(link);
    });
}

VqsModelNodeRepGroup* VqsModel::FindReportGroupNode(PxVQReportGroupPtr group)
{
    return FindNode<VqsModelNodeRepGroup>(m_root, group, [&]() -> VqsModelNode* {
        VqsModelNodeBSLink* link = FindConfigNodeOfBSLink(group->GetBSSoftLink());
        if (!link)
            return nullptr;
        link->LoadReportGroups(VqsLoadReread);
        return LookupNode(group);
    });
}

VqsModelNodeRepAlias* VqsModel::FindRepAliasNode(PxVQReportSoftLinkAliasPtr alias)
{
    return FindNode<VqsModelNodeRepAlias>(m_root, alias, [&]() -> VqsModelNode* {
        VqsModelNodeRepGroup* group = FindReportGroupNode(alias->GetReportGroup());
        if (!group)
            return nullptr;
        group->LoadRepAliases(VqsLoadReread);
        return LookupNode(alias);
    });
}

VqsModelNodeBundle* VqsModel::FindBundleNode(PxVQBundlePtr bundle)
{
    return FindNode<VqsModelNodeBundle>(m_root, bundle, [&]() -> VqsModelNode* {
        VqsModelNodeBSLink* link = FindConfigNodeOfBSLink(bundle->GetBSSoftLink());
        if (!link)
            return nullptr;
        link->LoadBundles(VqsLoadReread);
        return LookupNode(bundle);
    });
}

VqsModelNodeIspecBundleData* VqsModel::FindIspecBundleDataNode(PxVQIspecBundleDataPtr data)
{
    return FindNode<VqsModelNodeIspecBundleData>(m_root, data, [&]() -> VqsModelNode* {
        VqsModelNodeBundle* bundle = FindBundleNode(data->GetBundleInformation());
        if (!bundle)
            return nullptr;
        bundle->LoadIspecBundleData(VqsLoadReread);
        return LookupNode(data);
    });
}

VqsModelNodeOption* VqsModel::FindOptionNode(PxOptionsPtr options)
{
    return FindNode<VqsModelNodeOption>(m_root, options, [&]() -> VqsModelNode* {
        const PxVQOptionsPtr record(options);
        VqsModelNodeOSet* optionSet = record ? FindOptionSetNode(record->GetOptionSet()) : nullptr;
        if (!optionSet)
            return nullptr;
        optionSet->BuildOptionNodes(VqsLoadReread);
        return optionSet->FindOptionNode(options);
    });
}

VqsModelNodeElementLink* VqsModel::FindElementLinkNode(PxVQElementSoftLinkPtr link)
{
    return FindNode<VqsModelNodeElementLink>(m_root, link, [&]() -> VqsModelNode* {
        VqsModelNodeBSLink* bsLink = FindConfigNodeOfBSLink(link->GetBSSoftLink());
        if (!bsLink)
            return nullptr;
        bsLink->LoadElementLinks(VqsLoadReread);
        return bsLink->FindElementLinkNode(link);
    });
}

VqsModelNodeLink* VqsModel::FindOptionNodeOfOSet(PxVQSoftLinkPtr link)
{
    if (!link)
        return nullptr;
    if (VqsModelNode* node = LookupNode(link))
        return dynamic_cast<VqsModelNodeLink*>(node);
    if (link->_IsKindOf("PxVQBSSoftLink"))
        return FindConfigNodeOfBSLink(PxVQBSSoftLinkPtr(link));
    return FindElementLinkNode(PxVQElementSoftLinkPtr(link));
}

VqsModelNodePack* VqsModel::GetPackNode(const PxVQPackInformationPtr& pack)
{
    return m_root.FindOrCreatePackNode(pack, false);
}

VqsModelNodeOSet* VqsModel::GetOptionSetNode(const PxVQOptionSetPtr& optionSet, const PxVQConfigPtr& config)
{
    auto* configNode = dynamic_cast<VqsModelNodeConfig*>(LookupNode(config));
    return configNode ? configNode->AddOptionSetNode(optionSet, false, false) : nullptr;
}
