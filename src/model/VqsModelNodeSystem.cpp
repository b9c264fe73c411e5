#include "model/VqsModelNodeSystem.h"

#include "model/VqsLockBag.h"
#include "model/VqsModelNodeEnterprise.h"
#include "model/VqsModelNodeLink.h"
#include "model/VqsModelNodeLocks.h"
#include "model/VqsModelNodeOSet.h"
#include "model/VqsModelNodeOption.h"
#include "proxy/VqException.h"
#include "win/MbString.h"

VqsModelNodeSystem::VqsModelNodeSystem(VqsModelNode* parent, const PxVQSystemPtr& system)
    : VqsModelNode(parent, system)
{
}

VqsModelNodeSystem::~VqsModelNodeSystem()
{
    m_curConfig.DeleteAll();
    m_oldConfigs.DeleteAll();
}

void VqsModelNodeSystem::LoadCurConfig(int mode)
{
    const PxVQSystemPtr system = GetSystem();
    if (!system || VqsKeepsLoadedList(*this, m_curConfig, mode))
        return;
    PxTypedList<PxVQCurConfigPtr> current;
    VqsReadChildList(*this, VqsListsAhead::CurConfig, current, [&](PxTypedList<PxVQCurConfigPtr>& list) {
        if (const PxVQCurConfigPtr config = system->GetCurConfig())
            list.AddTail(config);
    });
    if (mode == VqsLoadDropVanished)
        VqsRemoveVanishedNodes(*this, m_curConfig, current);
    if (!current.IsEmpty() && !VqsFindChildByObject(*this, m_curConfig, current.GetHead())) {
        auto* node = new VqsModelNodeCurConfig(this, current.GetHead());
        m_curConfig.AddTail(node);
        node->NotifyChanged();
    }
    m_curConfig.loaded = 1;
}

void VqsModelNodeSystem::LoadOldConfigs(int mode)
{
    const PxVQSystemPtr system = GetSystem();
    if (!system)
        return;
    VqsLoadNodeList<VqsModelNodeOldConfig, PxVQOldConfigPtr>(
        *this, m_oldConfigs, mode, VqsKnownChild::FollowListOrder,
        [&](PxTypedList<PxVQOldConfigPtr>& configs) {
            VqsReadChildList(*this, VqsListsAhead::OldConfigs, configs,
                             [&](auto& list) { system->GetListOfOldConfigs(list); });
        },
        [this](const PxVQOldConfigPtr& config) { return new VqsModelNodeOldConfig(this, config); });
}

void VqsModelNodeSystem::GetConfigNodes(CObList& out) const
{
    m_curConfig.AppendTo(out);
    m_oldConfigs.AppendTo(out);
}

VqsModelNodeConfig* VqsModelNodeSystem::FindConfigNode(const PxObjectPtr& config) const
{
    if (VqsModelNodeConfig* current = VqsFindChildByObject(*this, m_curConfig, config))
        return current;
    return VqsFindChildByObject(*this, m_oldConfigs, config);
}

VqsModelNodeCurConfig* VqsModelNodeSystem::FindOrCreateCurConfigNode(const PxVQCurConfigPtr& config, bool notify)
{
    return VqsFindOrCreateChild(this, m_curConfig, config, notify, static_cast<VqsModelNodeCurConfig*>(nullptr));
}

VqsModelNodeOldConfig* VqsModelNodeSystem::FindOrCreateOldConfigNode(const PxVQOldConfigPtr& config, bool notify,
                                                                    VqsModelNodeOldConfig* after)
{
    return VqsFindOrCreateChild(this, m_oldConfigs, config, notify, after);
}

VqsModelNodeCurConfig* VqsModelNodeSystem::LockCurConfigChild(VqsLockBag& bag, const PxVQCurConfigPtr& config)
{
    return VqsLockChild(bag, FindOrCreateCurConfigNode(config, bag.ContainsObject(config)));
}

VqsModelNodeOldConfig* VqsModelNodeSystem::LockOldConfigChild(VqsLockBag& bag, const PxVQOldConfigPtr& config)
{
    return VqsLockChild(bag, FindOrCreateOldConfigNode(config, bag.ContainsObject(config)));
}

int VqsModelNodeSystem::CheckPackUsage(int& found, VqsLockBag& bag, const VqsPackSpecList& packSpecs)
{
    LoadCurConfig(VqsLoadCached);
    CObList configs;
    m_curConfig.AppendTo(configs);
    for (POSITION pos = configs.GetHeadPosition(); pos && !found;) {
        auto* config = static_cast<VqsModelNodeConfig*>(configs.GetNext(pos));
        const int locked = VqsLockForWalk(bag, config);
        if (locked < 0)
            return 0;
        if (locked > 0 && !config->CheckPackUsage(found, bag, packSpecs))
            return 0;
    }
    return 1;
}

void VqsModelNodeSystem::CountPackUsage(const char* packName, int& inCurrent, int& inOld)
{
    LoadChildren(VqsLoadCached);
    CObList configs;
    GetConfigNodes(configs);
    for (POSITION pos = configs.GetHeadPosition(); pos;)
        static_cast<VqsModelNode*>(configs.GetNext(pos))->CountPackUsage(packName, inCurrent, inOld);
}

void VqsModelNodeSystem::LoadChildren(int mode)
{
    LoadCurConfig(mode);
    LoadOldConfigs(mode);
}

void VqsModelNodeSystem::GetChildren(CObList& out) { GetConfigNodes(out); }

void VqsModelNodeSystem::ReadChildListsAhead(const std::vector<VqsModelNode*>& peers, VqsListsAhead& ahead) const
{
    ReadCurConfigsAhead(peers, ahead);
    ahead.Read(VqsListsAhead::OldConfigs, peers, &PxVQSystem::OldConfigsOf);
}

void VqsModelNodeSystem::ReadCurConfigsAhead(const std::vector<VqsModelNode*>& systems, VqsListsAhead& ahead)
{
    ahead.Read(VqsListsAhead::CurConfig, systems, [](const std::vector<PxObjectPtr>& objects) {
        std::vector<std::vector<PxObjectPtr>> lists;
        for (const PxObjectPtr& config : PxVQSystem::CurConfigsOf(objects))
            lists.push_back(config ? std::vector<PxObjectPtr>{config} : std::vector<PxObjectPtr>{});
        return lists;
    });
}

void VqsModelNodeSystem::RemoveChild(VqsModelNode* child)
{
    if (child)
        m_curConfig.RemoveChild(child) || m_oldConfigs.RemoveChild(child);
}

void VqsModelNodeSystem::CountHostUsage(const char* hostName, int& inGenSets, int& inOldConfigs)
{
    LoadChildren(VqsLoadCached);
    for (POSITION pos = m_curConfig.GetHeadPosition(); pos;)
        m_curConfig.GetNext(pos)->CountHostUsage(hostName, inGenSets, inOldConfigs);
    for (POSITION pos = m_oldConfigs.GetHeadPosition(); pos;)
        m_oldConfigs.GetNext(pos)->CountHostUsage(hostName, inGenSets, inOldConfigs);
}

int VqsModelNodeSystem::LockPath(VqsLockBag& bag, const PxVQObjectPtr& target)
{
    if (VqsIsOwnObject(*this, target) && !GetRoot()->LockPath(bag, target))
        return 0;
    if (!bag.LockNode(this))
        return 0;
    if (VqsGoneFromPath(bag, this) || (target && target->_IsKindOf("PxVQConfig")))
        return 1;
    LoadCurConfig(VqsLoadCached);
    LoadOldConfigs(VqsLoadCached);
    CObList configs;
    GetChildren(configs);
    return VqsLockPaths(configs, bag, target);
}

VqsModelNodeConfig::VqsModelNodeConfig(VqsModelNode* parent, const PxVQConfigPtr& config)
    : VqsModelNode(parent, config)
{
}

VqsModelNodeConfig::~VqsModelNodeConfig()
{
    m_bsLinks.DeleteAll();
    m_optionSets.DeleteAll();
}

void VqsModelNodeConfig::LoadBSLinks(int mode)
{
    const PxVQConfigPtr config = GetConfig();
    if (!config)
        return;
    VqsLoadNodeList<VqsModelNodeBSLink, PxVQBSSoftLinkPtr>(
        *this, m_bsLinks, mode, VqsKnownChild::FollowListOrder,
        [&](PxTypedList<PxVQBSSoftLinkPtr>& links) {
            VqsReadChildList(*this, VqsListsAhead::BSLinks, links,
                             [&](auto& list) { config->GetListOfBSSoftLinks(list); });
        },
        [this](const PxVQBSSoftLinkPtr& link) { return new VqsModelNodeBSLink(this, link); });
}

namespace {

VqsModelNodeOSet* CreateOptionSetNode(VqsModelNode* parent, const PxVQOptionSetPtr& optionSet)
{
    if (const PxVQGenSetPtr genSet{optionSet})
        return new VqsModelNodeGenSet(parent, genSet);
    return new VqsModelNodeOSet(parent, optionSet);
}

} // namespace

void VqsModelNodeConfig::LoadOptionSets(int mode)
{
    if (!GetConfig())
        return;
    VqsLoadNodeList<VqsModelNodeOSet, PxVQOptionSetPtr>(
        *this, m_optionSets, mode, VqsKnownChild::Refresh,
        [&](PxTypedList<PxVQOptionSetPtr>& optionSets) {
            VqsReadChildList(*this, VqsListsAhead::OptionSets, optionSets, [&](auto& list) { ReadOptionSets(list); });
        },
        [this](const PxVQOptionSetPtr& optionSet) { return CreateOptionSetNode(this, optionSet); });
    // A previous configuration without its option set is read again at the next load.
    if (m_optionSets.IsEmpty() && dynamic_cast<VqsModelNodeOldConfig*>(this))
        m_optionSets.loaded = 0;
}

VqsModelNodeOSet* VqsModelNodeConfig::AddOptionSetNode(const PxVQOptionSetPtr& optionSet, bool notify, bool refresh)
{
    if (!optionSet)
        return nullptr;
    if (VqsModelNodeOSet* node = VqsFindChildByObject(*this, m_optionSets, optionSet)) {
        if (refresh)
            node->Refresh();
        return node;
    }
    VqsModelNodeOSet* node = CreateOptionSetNode(this, optionSet);
    m_optionSets.AddTail(node);
    if (notify)
        node->NotifyChanged();
    return node;
}

VqsModelNodeBSLink* VqsModelNodeConfig::AddBSLinkNode(const PxVQBSSoftLinkPtr& link, bool notify, VqsModelNodeBSLink* after)
{
    return VqsFindOrCreateChild(this, m_bsLinks, link, notify, after);
}

VqsModelNodeBSLink* VqsModelNodeConfig::LockBSLinkChild(VqsLockBag& bag, const PxVQBSSoftLinkPtr& link)
{
    return VqsLockChild(bag, AddBSLinkNode(link, bag.ContainsObject(link)));
}

VqsModelNodeOSet* VqsModelNodeConfig::LockOptionSetChild(VqsLockBag& bag, const PxVQOptionSetPtr& optionSet)
{
    return VqsLockChild(bag, AddOptionSetNode(optionSet, bag.ContainsObject(optionSet), false));
}

VqsModelNodeGenSet* VqsModelNodeConfig::LockGenSetChild(VqsLockBag& bag, const PxVQOptionSetPtr& optionSet)
{
    return dynamic_cast<VqsModelNodeGenSet*>(LockOptionSetChild(bag, optionSet));
}

namespace {

// Host types whose options name no packs the pack definition edits.
bool NamesNoEditedPacks(const VqsModelNodeOSet& optionSet)
{
    const int hostType = optionSet.GetOptionSet()->GetHostType();
    return hostType == 1 || hostType == 2;
}

int CheckOptionPacks(int& found, VqsLockBag& bag, VqsModelNodeOSet& optionSet, const VqsPackSpecList& packSpecs)
{
    optionSet.BuildOptionNodes(VqsLoadReread);
    CObList options;
    optionSet.GetOptionNodes(options);
    for (POSITION pos = options.GetHeadPosition(); pos && !found;) {
        auto* option = static_cast<VqsModelNodeOption*>(options.GetNext(pos));
        const int locked = VqsLockForWalk(bag, option);
        if (locked < 0)
            return 0;
        if (locked == 0)
            continue;
        VqsPackSpecList named;
        option->CollectPacks(named);
        for (POSITION it = named.GetHeadPosition(); it && !found;) {
            if (VqsPackSpecsName(packSpecs, named.GetNext(it).name.GetString()))
                found = 1;
        }
    }
    return 1;
}

} // namespace

int VqsModelNodeConfig::CheckPackUsage(int& found, VqsLockBag& bag, const VqsPackSpecList& packSpecs)
{
    LoadOptionSets(VqsLoadReread);
    CObList optionSets;
    GetOptionSetNodes(optionSets);
    for (POSITION pos = optionSets.GetHeadPosition(); pos && !found;) {
        auto* optionSet = static_cast<VqsModelNodeOSet*>(optionSets.GetNext(pos));
        const int locked = VqsLockForWalk(bag, optionSet);
        if (locked < 0)
            return 0;
        if (locked > 0 && !NamesNoEditedPacks(*optionSet) && !CheckOptionPacks(found, bag, *optionSet, packSpecs))
            return 0;
    }
    return 1;
}

void VqsModelNodeConfig::GetBSLinkNodes(CObList& out) const { m_bsLinks.AppendTo(out); }

void VqsModelNodeConfig::GetOptionSetNodes(CObList& out) const { m_optionSets.AppendTo(out); }

void VqsModelNodeConfig::GetGenSetNodes(CObList& out) const
{
    for (POSITION pos = m_optionSets.GetHeadPosition(); pos;) {
        if (auto* genSet = dynamic_cast<VqsModelNodeGenSet*>(m_optionSets.GetNext(pos)))
            out.AddTail(genSet);
    }
}

VqsModelNodeBSLink* VqsModelNodeConfig::FindBSLinkNode(const PxObjectPtr& link) const
{
    return VqsFindChildByObject(*this, m_bsLinks, link);
}

VqsModelNodeOSet* VqsModelNodeConfig::FindOptionSetNode(const PxObjectPtr& optionSet) const
{
    return VqsFindChildByObject(*this, m_optionSets, optionSet);
}

VqsModelNodeGenSet* VqsModelNodeConfig::FindGenSetNode(const PxObjectPtr& genSet) const
{
    return dynamic_cast<VqsModelNodeGenSet*>(VqsFindChildByObject(*this, m_optionSets, genSet));
}

void VqsModelNodeConfig::LoadChildren(int mode)
{
    LoadBSLinks(mode);
    LoadOptionSets(mode);
}

void VqsModelNodeConfig::GetChildren(CObList& out)
{
    m_bsLinks.AppendTo(out);
    m_optionSets.AppendTo(out);
}

void VqsModelNodeConfig::ReadChildListsAhead(const std::vector<VqsModelNode*>& peers, VqsListsAhead& ahead) const
{
    ahead.Read(VqsListsAhead::BSLinks, peers, &PxVQConfig::BSSoftLinksOf);
    ahead.Read(VqsListsAhead::OptionSets, peers,
               [this](const std::vector<PxObjectPtr>& configs) { return ReadOptionSetsOf(configs); });
}

void VqsModelNodeConfig::RemoveChild(VqsModelNode* child)
{
    if (!child)
        return;
    const POSITION link = m_bsLinks.PositionOf(child);
    if (!link) {
        m_optionSets.RemoveChild(child);
        return;
    }
    child->NotifyViews();
    for (POSITION pos = m_optionSets.GetHeadPosition(); pos;)
        m_optionSets.GetNext(pos)->DropAbsentChildren();
    m_bsLinks.RemoveAt(link);
    if (VqsModelNode* system = GetParent())
        system->NotifyChanged();
}

void VqsModelNodeConfig::CountHostUsage(const char* hostName, int& inGenSets, int& inOldConfigs)
{
    LoadOptionSets(VqsLoadCached);
    int& count = dynamic_cast<VqsModelNodeOldConfig*>(this) ? inOldConfigs : inGenSets;
    for (POSITION pos = m_optionSets.GetHeadPosition(); pos;) {
        auto* genSet = dynamic_cast<VqsModelNodeGenSet*>(m_optionSets.GetNext(pos));
        if (genSet && _mbsicmp(genSet->GetGenSet()->GetHostName().GetString(), hostName) == 0)
            ++count;
    }
}

void VqsModelNodeConfig::CountPackUsage(const char* packName, int& inCurrent, int& inOld)
{
    LoadOptionSets(VqsLoadCached);
    int& count = dynamic_cast<VqsModelNodeOldConfig*>(this) ? inOld : inCurrent;
    for (POSITION pos = m_optionSets.GetHeadPosition(); pos;) {
        VqsModelNodeOSet* optionSet = m_optionSets.GetNext(pos);
        optionSet->BuildOptionNodes(VqsLoadCached);
        CObList options;
        optionSet->GetOptionNodes(options);
        for (POSITION it = options.GetHeadPosition(); it;) {
            VqsPackSpecList named;
            static_cast<VqsModelNodeOption*>(options.GetNext(it))->CollectPacks(named);
            for (POSITION spec = named.GetHeadPosition(); spec;) {
                if (_mbsicmp(named.GetNext(spec).name.GetString(), packName) == 0)
                    ++count;
            }
        }
    }
}

int VqsModelNodeConfig::LockPath(VqsLockBag& bag, const PxVQObjectPtr& target)
{
    if (VqsIsOwnObject(*this, target) && !GetSystemNode()->LockPath(bag, target))
        return 0;
    if (!bag.LockNode(this))
        return 0;
    if (VqsGoneFromPath(bag, this) || (target && target->_IsKindOf("PxVQBSSoftLink")))
        return 1;
    LoadBSLinks(VqsLoadCached);
    CObList links;
    GetBSLinkNodes(links);
    if (!VqsLockPaths(links, bag, target))
        return 0;
    if (target && target->_IsKindOf("PxVQOptionSet"))
        return 1;
    LoadOptionSets(VqsLoadCached);
    CObList optionSets;
    GetOptionSetNodes(optionSets);
    return VqsLockPaths(optionSets, bag, target);
}

void VqsModelNodeCurConfig::ReadOptionSets(PxTypedList<PxVQOptionSetPtr>& optionSets) const
{
    GetCurConfig()->GetListOfOptionSets(optionSets);
}

std::vector<std::vector<PxObjectPtr>> VqsModelNodeCurConfig::ReadOptionSetsOf(
    const std::vector<PxObjectPtr>& configs) const
{
    return PxVQCurConfig::OptionSetsOf(configs);
}

std::vector<std::vector<PxObjectPtr>> VqsModelNodeOldConfig::ReadOptionSetsOf(
    const std::vector<PxObjectPtr>& configs) const
{
    return PxVQOldConfig::OptionSetsOf(configs);
}

void VqsModelNodeOldConfig::ReadOptionSets(PxTypedList<PxVQOptionSetPtr>& optionSets) const
{
    if (const PxVQOptionSetPtr optionSet = GetOldConfig()->GetOptionSet())
        optionSets.AddTail(optionSet);
}
