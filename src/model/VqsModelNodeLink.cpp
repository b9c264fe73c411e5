#include "model/VqsModelNodeLink.h"

#include "model/VqsLockBag.h"
#include "model/VqsModel.h"
#include "model/VqsModelNodeGroups.h"
#include "model/VqsModelNodeLocks.h"
#include "model/VqsModelNodeOSet.h"
#include "model/VqsModelNodeOption.h"
#include "model/VqsModelNodeSystem.h"
#include "model/VqsNodeRef.h"
#include "proxy/PxVQIspecSoftLink.h"
#include "proxy/PxVQProfileSoftLink.h"
#include "model/VqsLockScope.h"
#include "model/VqsTransactionObject.h"
#include "proxy/PxLSEAssociation.h"
#include "proxy/PxLSEDataItem.h"
#include "proxy/PxLSEIspec.h"
#include "proxy/VqException.h"
#include "shell/VqsMsgBox.h"
#include "shell/VqsSysApp.h"

#include <unordered_map>
#include <unordered_set>
#include <vector>

namespace {

const UINT IDS_CANNOT_ACCESS_SOME_DATA = 61698;
const UINT IDS_CANNOT_ACCESS_OPTION_SETS = 61642;
const UINT IDS_CANNOT_ACCESS_REPORT_IN_GROUP = 61733;
const UINT IDS_CANNOT_ACCESS_ELEMENT_ENTRIES = 61742;
const UINT IDS_CANNOT_ACCESS_ISPECS_IN_BUNDLE = 61888;

bool IsTarget(const VqsModelNode* node, const PxVQObjectPtr& target)
{
    const PxVQObjectPtr own = node->GetObject();
    return own && target && own->IsSameOid(target);
}

// Runs a walk of a lock path; a repository failure is shown with the message and fails it.
template <class Walk>
int GuardedWalk(UINT messageId, Walk walk)
{
    try {
        return walk();
    } catch (const VqReportableException& error) {
        ShowErrorById(messageId, error);
        return 0;
    }
}

// The option records of the links, read together while the links are there.
void AppendOptionRecords(const std::vector<PxVQSoftLinkPtr>& links, PxTypedList<PxOptionsPtr>& records)
{
    std::vector<PxObjectPtr> listed;
    for (const PxVQSoftLinkPtr& link : links)
        if (link)
            listed.push_back(link);
    for (const std::vector<PxObjectPtr>& own : PxVQSoftLink::AllOptionsOf(listed))
        for (const PxObjectPtr& record : own)
            records.AddTail(PxOptionsPtr(record));
}

} // namespace

VqsModelNodeBSLink::~VqsModelNodeBSLink()
{
    m_reportGroups.DeleteAll();
    m_bundles.DeleteAll();
    m_elementLinks.DeleteAll();
}

VqsModelNodeConfig* VqsModelNodeBSLink::GetConfigNode() const { return static_cast<VqsModelNodeConfig*>(GetParent()); }

VqsModelNodeElementLink* VqsModelNodeBSLink::CreateElementLinkNode(const PxVQElementSoftLinkPtr& link,
                                                                   VqsModelNodeElementLink* ispec)
{
    auto* node = new VqsModelNodeElementLink(this, link, ispec);
    m_elementLinks.SetAt(link, node);
    return node;
}

void VqsModelNodeBSLink::DropVanishedElementLinks(const PxTypedList<PxVQElementSoftLinkPtr>& links)
{
    std::unordered_set<PxHandle> listed;
    listed.reserve(static_cast<std::size_t>(links.GetCount()));
    for (POSITION pos = links.GetHeadPosition(); pos;) {
        const PxVQElementSoftLinkPtr& link =
            links.CList<PxVQElementSoftLinkPtr, const PxVQElementSoftLinkPtr&>::GetNext(pos);
        if (link)
            listed.insert(link->GetHandle());
    }
    std::vector<VqsModelNodeElementLink*> gone;
    for (POSITION pos = m_elementLinks.GetHeadPosition(); pos;) {
        VqsModelNodeElementLink* node = m_elementLinks.GetNext(pos);
        if (!listed.contains(node->GetObject()->GetHandle()))
            gone.push_back(node);
    }
    for (VqsModelNodeElementLink* node : gone) {
        RemoveChild(node);
        delete node;
    }
}

void VqsModelNodeBSLink::LoadElementLinks(int mode)
{
    const PxVQBSSoftLinkPtr bsLink = GetBSSoftLink();
    if (!bsLink || VqsKeepsLoadedList(*this, m_elementLinks, mode))
        return;
    PxTypedList<PxVQElementSoftLinkPtr> links;
    VqsReadChildList(*this, VqsListsAhead::ElementLinks, links,
                     [&](auto& list) { bsLink->GetListOfElementSoftLinks(list); });
    if (mode == VqsLoadDropVanished)
        DropVanishedElementLinks(links);
    // The first read of a segment tells the views nothing: they show what they find.
    const bool firstLoad = m_elementLinks.IsEmpty();
    std::vector<PxObjectPtr> profiles;
    for (POSITION pos = links.GetHeadPosition(); pos;) {
        const PxVQElementSoftLinkPtr& link =
            links.CList<PxVQElementSoftLinkPtr, const PxVQElementSoftLinkPtr&>::GetNext(pos);
        if (link && PxVQProfileSoftLinkPtr{link})
            profiles.push_back(link);
    }
    std::unordered_map<const PxObject*, PxVQIspecSoftLinkPtr> components;
    const std::vector<PxObjectPtr> read = VqsComponentsOfProfiles(*this, profiles);
    for (std::size_t i = 0; i < profiles.size(); ++i)
        if (read[i])
            components.emplace(profiles[i].get(), PxVQIspecSoftLinkPtr(read[i]));
    std::vector<std::pair<PxVQElementSoftLinkPtr, PxVQIspecSoftLinkPtr>> profilesOfIspecs;
    for (POSITION pos = links.GetHeadPosition(); pos;) {
        const PxVQElementSoftLinkPtr& link =
            links.CList<PxVQElementSoftLinkPtr, const PxVQElementSoftLinkPtr&>::GetNext(pos);
        if (!link || link->_IsA("PxVQSQLScriptSoftLink"))
            continue;
        if (auto component = components.find(link.get()); component != components.end()) {
            profilesOfIspecs.emplace_back(link, component->second);
            continue;
        }
        if (firstLoad)
            CreateElementLinkNode(link);
        else
            AddElementLinkNode(link, true);
    }
    for (const auto& [profile, ispec] : profilesOfIspecs) {
        VqsModelNodeElementLink* ispecNode = m_elementLinks.FindByObject(ispec);
        if (!ispecNode)
            continue;
        if (firstLoad)
            CreateElementLinkNode(profile, ispecNode);
        else
            AddElementLinkNodeIfMissing(ispecNode, profile, true);
    }
    m_elementLinks.loaded = 1;
}

VqsModelNodeElementLink* VqsModelNodeBSLink::AddElementLinkNode(const PxVQElementSoftLinkPtr& link, bool notify)
{
    if (VqsModelNodeElementLink* node = m_elementLinks.FindByObject(link))
        return node;
    if (!link)
        return nullptr;
    VqsModelNodeElementLink* node = CreateElementLinkNode(link);
    if (notify)
        node->NotifyChanged();
    return node;
}

VqsModelNodeElementLink* VqsModelNodeBSLink::AddElementLinkNodeIfMissing(
    VqsModelNodeElementLink* ispec, const PxVQElementSoftLinkPtr& link, bool notify)
{
    if (VqsModelNodeElementLink* node = m_elementLinks.FindByObject(link))
        return node;
    if (!link)
        return nullptr;
    VqsModelNodeElementLink* node = CreateElementLinkNode(link, ispec);
    if (notify)
        node->NotifyChanged();
    return node;
}

void VqsModelNodeBSLink::LoadReportGroups(int mode)
{
    const PxVQBSSoftLinkPtr bsLink = GetBSSoftLink();
    if (!bsLink)
        return;
    VqsLoadNodeList<VqsModelNodeRepGroup, PxVQReportGroupPtr>(
        *this, m_reportGroups, mode, VqsKnownChild::FollowListOrder,
        [&](PxTypedList<PxVQReportGroupPtr>& groups) {
            VqsReadChildList(*this, VqsListsAhead::ReportGroups, groups,
                             [&](auto& list) { bsLink->GetListOfReportGroups(list); });
        },
        [this](const PxVQReportGroupPtr& group) { return new VqsModelNodeRepGroup(this, group); });
}

void VqsModelNodeBSLink::LoadBundles(int mode)
{
    const PxVQBSSoftLinkPtr bsLink = GetBSSoftLink();
    if (!bsLink)
        return;
    VqsLoadNodeList<VqsModelNodeBundle, PxVQBundlePtr>(
        *this, m_bundles, mode, VqsKnownChild::FollowListOrder,
        [&](PxTypedList<PxVQBundlePtr>& bundles) {
            VqsReadChildList(*this, VqsListsAhead::Bundles, bundles,
                             [&](auto& list) { bsLink->GetListOfBundles(list); });
        },
        [this](const PxVQBundlePtr& bundle) { return new VqsModelNodeBundle(this, bundle); });
}

VqsModelNodeRepGroup* VqsModelNodeBSLink::FindOrCreateReportGroupNode(const PxVQReportGroupPtr& group, bool notify,
                                                                     VqsModelNodeRepGroup* after)
{
    return VqsFindOrCreateChild(this, m_reportGroups, group, notify, after);
}

VqsModelNodeBundle* VqsModelNodeBSLink::FindOrCreateBundleNode(const PxVQBundlePtr& bundle, bool notify,
                                                              VqsModelNodeBundle* after)
{
    return VqsFindOrCreateChild(this, m_bundles, bundle, notify, after);
}

void VqsModelNodeBSLink::GetElementLinkNodes(CObList& out) const { m_elementLinks.AppendTo(out); }

void VqsModelNodeBSLink::GetReportGroupNodes(CObList& out) const { m_reportGroups.AppendTo(out); }

void VqsModelNodeBSLink::GetBundleNodes(CObList& out) const { m_bundles.AppendTo(out); }

VqsModelNodeElementLink* VqsModelNodeBSLink::FindElementLinkNode(const PxObjectPtr& link) const
{
    return m_elementLinks.FindByObject(link);
}

VqsModelNodeLink* VqsModelNodeBSLink::FindLinkNode(const PxVQSoftLinkPtr& link)
{
    VqsModelNodeConfig* config = GetConfigNode();
    if (!link || !config || !link->_IsKindOf("PxVQBSSoftLink"))
        return nullptr;
    return config->FindBSLinkNode(link);
}

void VqsModelNodeBSLink::GetSiblings(CObList& out)
{
    VqsModelNodeConfig* config = GetConfigNode();
    if (!config)
        return;
    config->LoadBSLinks(VqsLoadCached);
    config->GetBSLinkNodes(out);
}

int VqsModelNodeBSLink::LoadUpdatedElementLinks(int& updated, VqsLockBag& other, VqsLockBag& bag)
{
    const PxVQBSSoftLinkPtr bsLink = GetBSSoftLink();
    if (bsLink && bsLink->GetUpdatedFlag()) {
        updated = 1;
        return 1;
    }
    VqsLockScope scope(VqsGetApp() ? VqsGetApp()->GetLink() : nullptr);
    LoadElementLinks(VqsLoadCached);
    for (POSITION pos = m_elementLinks.GetHeadPosition(); pos;) {
        VqsModelNodeElementLink* node = m_elementLinks.GetNext(pos);
        if (!bag.Contains(node)) {
            if (!bag.TakeOverNode(node, other))
                return 0;
            node->Refresh();
        }
        if (node->IsSoftLinkUpdated()) {
            updated = 1;
            break;
        }
    }
    return 1;
}

int VqsModelNodeBSLink::DeleteSoftLink(VqsModelNodeConfig* config, VqsModelNodeBSLink* link)
{
    if (!config || !link)
        return 0;
    // The element links, and the option records of all, go with the segment's link.
    std::vector<PxVQSoftLinkPtr> going{link->GetSoftLink()};
    PxTypedList<PxVQElementSoftLinkPtr> elementLinks;
    link->GetBSSoftLink()->GetListOfElementSoftLinks(elementLinks);
    for (POSITION pos = elementLinks.GetHeadPosition(); pos;)
        going.emplace_back(elementLinks.GetNext(pos));
    PxTypedList<PxOptionsPtr> records;
    AppendOptionRecords(going, records);
    {
        VqsTransactionObject transaction(link->GetObject());
        transaction.DeleteObject();
    }
    if (!VqsTransaction::IsOk())
        return 0;
    VqsModel* model = config->GetModel();
    config->RemoveChild(link);
    delete link;
    if (model)
        model->DropOptionNodes(records);
    return 1;
}

void VqsModelNodeBSLink::LoadChildren(int mode)
{
    if (!GetBSSoftLink())
        return;
    LoadReportGroups(mode);
    LoadElementLinks(mode);
    LoadBundles(mode);
}

void VqsModelNodeBSLink::GetChildren(CObList& out)
{
    m_elementLinks.AppendTo(out);
    m_reportGroups.AppendTo(out);
    m_bundles.AppendTo(out);
}

void VqsModelNodeBSLink::RemoveChild(VqsModelNode* child)
{
    if (child)
        m_elementLinks.RemoveChild(child) || m_reportGroups.RemoveChild(child) || m_bundles.RemoveChild(child);
}

void VqsModelNodeBSLink::ReadChildListsAhead(const std::vector<VqsModelNode*>& peers, VqsListsAhead& ahead) const
{
    std::vector<PxVQBSSoftLink::Contents> contents;
    ahead.Read(VqsListsAhead::ElementLinks, peers, [&](const std::vector<PxObjectPtr>& links) {
        contents = PxVQBSSoftLink::ContentsOf(links);
        std::vector<std::vector<PxObjectPtr>> lists;
        for (PxVQBSSoftLink::Contents& content : contents)
            lists.push_back(std::move(content.elementLinks));
        return lists;
    });
    const auto take = [&](std::vector<PxObjectPtr> PxVQBSSoftLink::Contents::*list) {
        return [&contents, list](const std::vector<PxObjectPtr>&) {
            std::vector<std::vector<PxObjectPtr>> lists;
            for (PxVQBSSoftLink::Contents& content : contents)
                lists.push_back(std::move(content.*list));
            return lists;
        };
    };
    ahead.Read(VqsListsAhead::ReportGroups, peers, take(&PxVQBSSoftLink::Contents::reportGroups));
    ahead.Read(VqsListsAhead::Bundles, peers, take(&PxVQBSSoftLink::Contents::bundles));
    ahead.ReadComponentsOfProfiles();
}

void VqsModelNodeBSLink::OnRefreshed()
{
    VqsModelNode::OnRefreshed();
    VqsModelNodeConfig* config = GetConfigNode();
    if (config && config->GetParent())
        config->GetParent()->Refresh();
}

int VqsModelNodeBSLink::LockPath(VqsLockBag& bag, const PxVQObjectPtr& target)
{
    const bool ownLink = IsTarget(this, target);
    if (ownLink && GetConfigNode() && !GetConfigNode()->LockPath(bag, target))
        return 0;
    if (!bag.LockNode(this))
        return 0;
    if (!target || VqsGoneFromPath(bag, this))
        return 1;
    if (target->_IsKindOf("PxVQReportGroup"))
        return LockElementLinksOfReportGroup(bag, target);
    if (target->_IsKindOf("PxVQBundle"))
        return LockElementLinksOfBundle(bag, target);
    if (target->_IsKindOf("PxVQOptionSet") && !LockAllElementLinks(bag))
        return 0;
    if ((ownLink || target->_IsKindOf("PxVQConfig") || target->_IsKindOf("PxVQSystem")) &&
        !LockChildPaths(bag, target))
        return 0;
    if (ownLink && !LockOptionSetPaths(bag, target))
        return 0;
    return 1;
}

int VqsModelNodeBSLink::LockElementLinksOfReportGroup(VqsLockBag& bag, const PxVQObjectPtr& target)
{
    VqsModelNodeRepGroup* group = GetModel()->FindReportGroupNode(PxVQReportGroupPtr(target));
    if (!group)
        return 0;
    CObList aliases;
    if (!GuardedWalk(IDS_CANNOT_ACCESS_REPORT_IN_GROUP, [&] {
            group->LoadRepAliases(VqsLoadCached);
            group->GetRepAliasNodes(aliases);
            return 1;
        }))
        return 0;
    if (aliases.IsEmpty())
        return 1;
    return GuardedWalk(IDS_CANNOT_ACCESS_ELEMENT_ENTRIES, [&] {
        LoadElementLinks(VqsLoadCached);
        for (POSITION pos = aliases.GetHeadPosition(); pos;) {
            auto* alias = static_cast<VqsModelNodeRepAlias*>(aliases.GetNext(pos));
            const PxVQReportSoftLinkPtr report = alias->GetReportAlias()->GetSoftLink();
            if (!report || !report->_IsKindOf("PxVQElementSoftLink"))
                continue;
            VqsModelNodeElementLink* element = FindElementLinkNode(report);
            if (element && !bag.LockNode(element))
                return 0;
        }
        return 1;
    });
}

int VqsModelNodeBSLink::LockElementLinksOfBundle(VqsLockBag& bag, const PxVQObjectPtr& target)
{
    VqsModelNodeBundle* bundle = GetModel()->FindBundleNode(PxVQBundlePtr(target));
    if (!bundle)
        return 0;
    CObList entries;
    if (!GuardedWalk(IDS_CANNOT_ACCESS_ISPECS_IN_BUNDLE, [&] {
            bundle->LoadIspecBundleData(VqsLoadCached);
            bundle->GetIspecBundleDataNodes(entries);
            return 1;
        }))
        return 0;
    if (entries.IsEmpty())
        return 1;
    return GuardedWalk(IDS_CANNOT_ACCESS_ELEMENT_ENTRIES, [&] {
        LoadElementLinks(VqsLoadCached);
        for (POSITION pos = entries.GetHeadPosition(); pos;) {
            auto* entry = static_cast<VqsModelNodeIspecBundleData*>(entries.GetNext(pos));
            const PxVQIspecSoftLinkPtr ispec = entry->GetIspecBundleData()->GetIspecInformation();
            VqsModelNodeElementLink* element = ispec ? FindElementLinkNode(ispec) : nullptr;
            if (element && !bag.LockNode(element))
                return 0;
        }
        return 1;
    });
}

int VqsModelNodeBSLink::LockAllElementLinks(VqsLockBag& bag)
{
    return GuardedWalk(IDS_CANNOT_ACCESS_ELEMENT_ENTRIES, [&] {
        LoadElementLinks(VqsLoadCached);
        for (POSITION pos = m_elementLinks.GetHeadPosition(); pos;) {
            if (!bag.LockNode(m_elementLinks.GetNext(pos)))
                return 0;
        }
        return 1;
    });
}

int VqsModelNodeBSLink::LockChildPaths(VqsLockBag& bag, const PxVQObjectPtr& target)
{
    return GuardedWalk(IDS_CANNOT_ACCESS_SOME_DATA, [&] {
        LoadChildren(VqsLoadCached);
        CObList children;
        GetChildren(children);
        for (POSITION pos = children.GetHeadPosition(); pos;) {
            if (!static_cast<VqsModelNode*>(children.GetNext(pos))->LockPath(bag, target))
                return 0;
        }
        return 1;
    });
}

int VqsModelNodeBSLink::LockOptionSetPaths(VqsLockBag& bag, const PxVQObjectPtr& target)
{
    VqsModelNodeConfig* config = GetConfigNode();
    if (!config)
        return 1;
    return GuardedWalk(IDS_CANNOT_ACCESS_OPTION_SETS, [&] {
        config->LoadOptionSets(VqsLoadCached);
        CObList optionSets;
        config->GetOptionSetNodes(optionSets);
        for (POSITION pos = optionSets.GetHeadPosition(); pos;) {
            if (!static_cast<VqsModelNode*>(optionSets.GetNext(pos))->LockPath(bag, target))
                return 0;
        }
        return 1;
    });
}

VqsModelNodeElementLink::VqsModelNodeElementLink(VqsModelNode* parent, const PxVQElementSoftLinkPtr& link,
                                                 VqsModelNodeElementLink* ispec)
    : VqsModelNodeLink(parent, link)
{
    PlaceUnder(ispec);
}

VqsModelNodeElementLink::~VqsModelNodeElementLink()
{
    if (m_pIspecNode)
        m_pIspecNode->m_profiles.Unlink(this);
    for (POSITION pos = m_profiles.GetHeadPosition(); pos;)
        m_profiles.GetNext(pos)->m_pIspecNode = nullptr;
}

void VqsModelNodeElementLink::GetProfileNodes(CObList& out) const { m_profiles.AppendTo(out); }

void VqsModelNodeElementLink::PlaceUnder(VqsModelNodeElementLink* ispec)
{
    if (!ispec || ispec == this || m_pIspecNode)
        return;
    m_pIspecNode = ispec;
    ispec->m_profiles.AddTail(this);
}

void VqsModelNodeElementLink::AppendSubNode(VqsModelNodeElementLink* node)
{
    if (node && !m_profiles.PositionOf(node))
        m_profiles.AddTail(node);
}

int VqsModelNodeElementLink::GetIspecType() const
{
    const PxVQElementSoftLinkPtr link = GetElementSoftLink();
    if (!link)
        return 0;
    switch (link->GetElementType()) {
    case 0:
        return 0;
    case VqsElementIspec:
        return PxVQIspecSoftLinkPtr(link)->GetIspecType() != 0 ? 1 : 2;
    case VqsElementReport:
        return 3;
    case VqsElementProfile:
        return 4;
    default:
        return 5;
    }
}

PxLSEElementPtr VqsModelNodeElementLink::CollectDesignParts(const PxLSEElementPtr& design, PxLSEElementPtr& element,
                                                            CString& name)
{
    const PxLSEComponentPtr component(design);
    if (!component)
        return design;
    const PxLSEProfilePtr profile = component->GetOrdinateProfile();
    if (profile && profile->GetName().Left(1) == "$") {
        PxTypedList<PxLSEDataOrdinatePtr> ordinates;
        profile->GetOrdinateDictionary(ordinates);
        if (!ordinates.IsEmpty()) {
            element = PxLSEElementPtr(ordinates.GetHead()->GetTarget());
            if (element)
                name = element->GetName();
        }
    }
    return profile;
}

int VqsModelNodeElementLink::DeleteSoftLink() { return DeleteSoftLinks({this}); }

int VqsModelNodeElementLink::DeleteSoftLinks(const std::vector<VqsModelNodeElementLink*>& nodes)
{
    if (nodes.empty())
        return 1;
    const std::vector<std::vector<PxVQSoftLinkPtr>> goingOf = LinksGoingWith(nodes);
    std::vector<PxVQSoftLinkPtr> going;
    std::unordered_set<PxHandle> taken;
    for (const std::vector<PxVQSoftLinkPtr>& links : goingOf)
        for (const PxVQSoftLinkPtr& link : links)
            if (!link || taken.insert(link->GetHandle()).second)
                going.push_back(link);
    PxTypedList<PxOptionsPtr> records;
    AppendOptionRecords(going, records);
    {
        VqsTransaction transaction;
        VqsTransactionObject deleting{std::vector<PxObjectPtr>(going.begin(), going.end())};
        if (!deleting.DeleteObject())
            transaction.SetFailed();
    }
    if (!VqsTransaction::IsOk())
        return 0;
    VqsModel* model = nodes.front()->GetModel();
    const std::vector<VqsNodeRef<VqsModelNodeElementLink>> held(nodes.begin(), nodes.end());
    for (std::size_t index = 0; index < held.size(); ++index)
        if (VqsModelNodeElementLink* node = held[index].Get())
            node->RemoveWithParts(goingOf[index]);
    if (model)
        model->DropOptionNodes(records);
    return 1;
}

// The profile links over an Ispec stand for its parts: they go with it in the repository as
// in the model, or they would stay behind under no component. Each node's links, the Ispecs'
// profile lists read together.
std::vector<std::vector<PxVQSoftLinkPtr>> VqsModelNodeElementLink::LinksGoingWith(
    const std::vector<VqsModelNodeElementLink*>& nodes)
{
    std::vector<PxObjectPtr> ispecs;
    for (VqsModelNodeElementLink* node : nodes)
        if (const PxVQIspecSoftLinkPtr ispec{node->GetElementSoftLink()})
            ispecs.push_back(ispec);
    const std::vector<std::vector<PxObjectPtr>> profiles = PxVQIspecSoftLink::ProfileSoftLinksOf(ispecs);
    auto nextProfiles = profiles.begin();
    std::vector<std::vector<PxVQSoftLinkPtr>> goingOf;
    for (VqsModelNodeElementLink* node : nodes) {
        std::vector<PxVQSoftLinkPtr>& going = goingOf.emplace_back();
        if (PxVQIspecSoftLinkPtr{node->GetElementSoftLink()}) {
            for (const PxObjectPtr& profile : *nextProfiles)
                going.emplace_back(profile);
            ++nextProfiles;
        }
        going.push_back(node->GetSoftLink());
    }
    return goingOf;
}

void VqsModelNodeElementLink::RemoveWithParts(const std::vector<PxVQSoftLinkPtr>& going)
{
    VqsModelNodeBSLink* owner = GetBSLinkNode();
    for (const PxVQSoftLinkPtr& link : going) {
        VqsModelNodeElementLink* node = link->IsSameOid(GetSoftLink()) ? nullptr : owner->FindElementLinkNode(link);
        if (node) {
            owner->RemoveChild(node);
            delete node;
        }
    }
    owner->RemoveChild(this);
    delete this;
}

int VqsModelNodeElementLink::Delete()
{
    if (!GetElementSoftLink() || !GetElementSoftLink()->_IsKindOf("PxVQIspecSoftLink"))
        return VqsModelNode::Delete();
    VqsModelNodeBSLink* owner = GetBSLinkNode();
    bool deleted = false;
    {
        VqsTransaction transaction;
        bool profilesGone = true;
        while (profilesGone && !m_profiles.IsEmpty())
            profilesGone = m_profiles.GetHead()->Delete() != 0;
        // An Ispec whose profile stays would leave that profile without its Ispec.
        if (!profilesGone)
            transaction.SetFailed();
        else
            deleted = VqsModelNode::Delete() != 0;
    }
    deleted = deleted && VqsTransaction::IsOk();
    if (!deleted)
        VqsTransaction::RereadAfterFailure([owner] { owner->LoadElementLinks(VqsLoadReread); });
    return deleted ? 1 : 0;
}

VqsModelNodeLink* VqsModelNodeElementLink::FindLinkNode(const PxVQSoftLinkPtr& link)
{
    if (!link || !link->_IsKindOf("PxVQElementSoftLink"))
        return nullptr;
    return GetBSLinkNode()->FindElementLinkNode(link);
}

VqsModelNodeConfig* VqsModelNodeElementLink::GetConfigNode() const { return GetBSLinkNode()->GetConfigNode(); }

void VqsModelNodeElementLink::GetSiblings(CObList& out)
{
    VqsModelNodeBSLink* owner = GetBSLinkNode();
    owner->LoadElementLinks(VqsLoadCached);
    CObList links;
    owner->GetElementLinkNodes(links);
    for (POSITION pos = links.GetHeadPosition(); pos;) {
        auto* link = static_cast<VqsModelNodeElementLink*>(links.GetNext(pos));
        if (IsPlacedBelow())
            link->GetProfileNodes(out);
        else if (!link->IsPlacedBelow())
            out.AddTail(link);
    }
}

int VqsModelNodeElementLink::LockPath(VqsLockBag& bag, const PxVQObjectPtr& target)
{
    return LockPathWith(bag, target, nullptr);
}

int VqsModelNodeElementLink::LockOwnPaths(VqsLockBag& bag, const std::vector<VqsModelNode*>& nodes)
{
    std::vector<PxObjectPtr> links;
    for (VqsModelNode* node : nodes)
        if (auto* element = dynamic_cast<VqsModelNodeElementLink*>(node); element && element->GetElementSoftLink())
            links.push_back(element->GetElementSoftLink());
    const std::vector<std::vector<PxObjectPtr>> records = PxVQSoftLink::AllOptionsOf(links);
    std::size_t next = 0;
    for (VqsModelNode* node : nodes) {
        auto* element = dynamic_cast<VqsModelNodeElementLink*>(node);
        const int locked = element && element->GetElementSoftLink()
                               ? element->LockPathWith(bag, node->GetObject(), &records[next++])
                               : node->LockPath(bag, node->GetObject());
        if (!locked)
            return 0;
    }
    return 1;
}

int VqsModelNodeElementLink::LockPathWith(VqsLockBag& bag, const PxVQObjectPtr& target,
                                          const std::vector<PxObjectPtr>* records)
{
    VqsModelNodeBSLink* owner = GetBSLinkNode();
    owner->LoadElementLinks(VqsLoadCached);
    const bool ownLink = IsTarget(this, target);
    if (ownLink) {
        if (!bag.LockNode(owner) || (m_pIspecNode && !bag.LockNode(m_pIspecNode)))
            return 0;
    }
    if (!bag.LockNode(this))
        return 0;
    if (!ownLink || VqsGoneFromPath(bag, this))
        return 1;
    for (POSITION pos = m_profiles.GetHeadPosition(); pos;) {
        if (!m_profiles.GetNext(pos)->LockPath(bag, target))
            return 0;
    }
    if (target->_IsKindOf("PxVQReportSoftLink") && !LockReportAliasesNamingThis(bag, target))
        return 0;
    return LockOptionNodes(bag, target, records);
}

int VqsModelNodeElementLink::LockReportAliasesNamingThis(VqsLockBag& bag, const PxVQObjectPtr& target)
{
    VqsModelNodeBSLink* owner = GetBSLinkNode();
    std::vector<VqsModelNode*> naming;
    if (!GuardedWalk(IDS_CANNOT_ACCESS_REPORT_IN_GROUP, [&] {
            owner->LoadReportGroups(VqsLoadCached);
            CObList groups;
            owner->GetReportGroupNodes(groups);
            for (POSITION pos = groups.GetHeadPosition(); pos;) {
                auto* group = static_cast<VqsModelNodeRepGroup*>(groups.GetNext(pos));
                group->LoadRepAliases(VqsLoadCached);
                CObList aliases;
                group->GetRepAliasNodes(aliases);
                for (POSITION at = aliases.GetHeadPosition(); at;) {
                    auto* alias = static_cast<VqsModelNodeRepAlias*>(aliases.GetNext(at));
                    const PxVQReportSoftLinkPtr report = alias->GetReportAlias()->GetSoftLink();
                    if (report && report->IsSameOid(GetObject()))
                        naming.push_back(alias);
                }
            }
            return 1;
        }))
        return 0;
    for (VqsModelNode* alias : naming) {
        if (!alias->LockPath(bag, target))
            return 0;
    }
    return 1;
}

int VqsModelNodeElementLink::LockOptionNodes(VqsLockBag& bag, const PxVQObjectPtr& target,
                                             const std::vector<PxObjectPtr>* records)
{
    if (!records) {
        PxTypedList<PxOptionsPtr> read;
        GetElementSoftLink()->GetAllOptions(read);
        const std::vector<PxObjectPtr> own = read.Objects();
        return LockOptionNodes(bag, target, &own);
    }
    for (const PxObjectPtr& record : *records) {
        VqsModelNodeOption* option = GetModel()->FindOptionNode(PxOptionsPtr(record));
        if (option && !option->LockPath(bag, target))
            return 0;
    }
    return 1;
}

bool VqsModelNodeElementLink::HasExplicitBundleMembership() const
{
    const PxVQElementSoftLinkPtr link = GetElementSoftLink();
    if (!link || link->GetUpdatedFlag())
        return true;
    for (POSITION pos = m_profiles.GetHeadPosition(); pos;) {
        const PxVQElementSoftLinkPtr profile = m_profiles.GetNext(pos)->GetElementSoftLink();
        if (profile && profile->GetUpdatedFlag())
            return true;
    }
    const PxVQIspecSoftLinkPtr ispec(link);
    if (!ispec)
        return false;
    PxTypedList<PxVQIspecBundleDataPtr> entries;
    ispec->GetListOfIspecBundleData(entries);
    for (POSITION pos = entries.GetHeadPosition(); pos;) {
        const PxVQBundlePtr bundle = entries.GetNext(pos)->GetBundleInformation();
        if (bundle && !bundle->GetContainsAllIspecs())
            return true;
    }
    return false;
}
