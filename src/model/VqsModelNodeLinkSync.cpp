// The element synchronisation of a business-segment link with the design: matched links
// refreshed, new design elements given links, links without a design element deleted,
// marked or offered to the user by the synchronisation mode; and the trimming of a link
// whose design segment is gone.
#include "model/VqsModelNodeLink.h"

#include "model/VqsLockBag.h"
#include "model/VqsLockScope.h"
#include "model/VqsModel.h"
#include "model/VqsModelNodeLocks.h"
#include "model/VqsModelNodeSystem.h"
#include "model/VqsSyncDlgs.h"
#include "model/VqsTransaction.h"
#include "model/VqsTransactionConfig.h"
#include "proxy/PxLSEProfile.h"
#include "proxy/PxOptions.h"
#include "proxy/VqException.h"
#include "proxy/VqcGuidCompare.h"
#include "shell/VqsMsgBox.h"
#include "shell/VqsSysApp.h"

#include <algorithm>
#include <cstdint>
#include <set>
#include <string>
#include <unordered_map>
#include <unordered_set>
#include <vector>

namespace {

constexpr UINT IDS_CANNOT_COLLECT_PROFILES = 61557;
// Global-logic numbers are 16 bits wide; 0 stands for none left.
constexpr int kLastGlobalLogicId = 65535;

using ElementNodes = std::vector<VqsModelNodeElementLink*>;

PxVQLink* SessionLink() { return VqsGetApp() ? VqsGetApp()->GetLink() : nullptr; }

bool IsMarkedUnused(const VqsModelNodeLink* node)
{
    const PxVQSoftLinkPtr link = node->GetSoftLink();
    return link && link->GetUnusedMark() != 0;
}

// The design elements that get element links: Ispecs, reports, profiles and global logics.
bool TakesElementLink(const PxLSEElementPtr& element)
{
    return element->_IsKindOf("PxLSEIspec") || element->_IsKindOf("PxLSEReport") ||
           element->_IsKindOf("PxLSEProfile") || element->_IsKindOf("PxLSEGlobalLogic");
}

std::uint64_t KeyOf(const PxObjectPtr& object) { return object->GetHandle().MapKey(); }

// The segment's elements by name, those that take links in the segment's order, and the
// keys of those still without a link.
struct DesignIndex {
    std::unordered_map<std::string, PxLSEElementPtr> byName;
    std::vector<PxLSEElementPtr> elements;
    std::unordered_set<std::uint64_t> open;

    explicit DesignIndex(const PxLSEBusinessSegmentPtr& segment)
    {
        PxTypedList<PxLSEElementPtr> list;
        segment->GetElementList(list);
        byName.reserve(static_cast<std::size_t>(list.GetCount()));
        open.reserve(static_cast<std::size_t>(list.GetCount()));
        for (POSITION pos = list.GetHeadPosition(); pos;) {
            const PxLSEElementPtr element = list.GetNext(pos);
            byName.emplace(element->GetName().GetString(), element);
            if (element->_IsKindOf("PxSQLScript") || !TakesElementLink(element))
                continue;
            elements.push_back(element);
            open.insert(KeyOf(element));
        }
    }
    // The design element of the name; null when there is none.
    PxLSEElementPtr Find(const CString& name) const
    {
        const auto found = byName.find(name.GetString());
        return found == byName.end() ? PxLSEElementPtr() : found->second;
    }
    bool IsOpen(const PxLSEElementPtr& element) const { return element && open.count(KeyOf(element)) != 0; }
    void Take(const PxLSEElementPtr& element) { open.erase(KeyOf(element)); }
};

// Newest first; links made at the same time keep their order.
void OrderByCreation(ElementNodes& nodes)
{
    for (VqsModelNodeElementLink* node : nodes)
        node->GetCreatedTimeStamp();
    std::stable_sort(nodes.begin(), nodes.end(), [](VqsModelNodeLink* a, VqsModelNodeLink* b) {
        return VqsModelNodeLink::IsEarlier(b->GetCreatedHigh(), b->GetCreatedLow(), a->GetCreatedHigh(),
                                           a->GetCreatedLow());
    });
}


int MarkLinks(const std::vector<VqsModelNodeLink*>& nodes, int value)
{
    if (nodes.empty())
        return 1;
    {
        VqsTransaction transaction;
        for (VqsModelNodeLink* node : nodes) {
            if (!transaction.IsUsable() || !node->SetSoftLinkValue(value)) {
                transaction.SetFailed();
                break;
            }
        }
    }
    return VqsTransaction::IsOk();
}

// The objects of the nodes' paths write-locked in one lock call (the bag given back in
// one call too), so that the server work does not grow with the number of nodes; paths that
// lead further once locked are taken again.
template <class Nodes>
int LockPathsTogether(VqsLockBag& bag, const Nodes& nodes)
{
    VqsLockScope scope(SessionLink());
    const std::vector<VqsModelNode*> walked(nodes.begin(), nodes.end());
    return VqsLockWalkedPaths(walked.front()->GetModel(), VqsWriteLock, bag, [&walked](VqsLockBag& gathered) {
        return VqsModelNodeElementLink::LockOwnPaths(gathered, walked) != 0;
    });
}

// A new link joins the bundles of all Ispecs in the transaction that stores it: once stored,
// it looks up to date to the next synchronisation, which would never put it into them.
int StoreJoiningBundles(VqsModel& model, VqsModelNodeBSLink* segmentNode, const PxLSEElementPtr& element,
                        const CStringList& primaryProfiles, WORD& globalLogicId, VqsStoredElement& stored)
{
    {
        VqsTransaction transaction;
        if (!model.StoreElementLinkData(segmentNode, element, primaryProfiles, globalLogicId, stored) ||
            !stored.elementNode->AddIspecToBundles())
            transaction.SetFailed();
    }
    if (VqsTransaction::IsOk())
        return 1;
    stored = VqsStoredElement();
    VqsTransaction::RereadAfterFailure([segmentNode] {
        segmentNode->LoadElementLinks(VqsLoadDropVanished);
        segmentNode->ReloadBundleEntries(PxVQBundlePtr());
    });
    return 0;
}

// A matched link's design data, its bundle moves, its unused mark and its design profile's
// link are stored in one transaction: once the link's data is stored, it looks up to date to
// the next synchronisation, which would never redo the rest.
int BringUpToDate(VqsModelNodeElementLink* node, const PxLSEElementPtr& design, bool changed,
                  const CStringList& primaryProfiles, VqsLockBag& writeBag, const PxLSEProfilePtr& profile,
                  VqsSyncResult& result)
{
    VqsModelNodeBSLink* segmentNode = node->GetBSLinkNode();
    const bool revived = IsMarkedUnused(node);
    {
        VqsTransaction transaction;
        const bool stored = ((!changed && !design->_IsKindOf("PxLSEProfile")) ||
                             node->AddIspecsToBundles(design, primaryProfiles)) &&
                            (!revived || node->SetSoftLinkValue(0)) &&
                            (!profile || node->SyncDesignParts(writeBag, changed, design, profile, result));
        if (!stored)
            transaction.SetFailed();
    }
    if (VqsTransaction::IsOk())
        return 1;
    VqsTransaction::RereadAfterFailure([segmentNode] {
        segmentNode->LoadElementLinks(VqsLoadDropVanished);
        segmentNode->ReloadBundleEntries(PxVQBundlePtr());
    });
    return 0;
}

int LockAndDelete(const ElementNodes& nodes)
{
    if (nodes.empty())
        return 1;
    VqsLockBag bag = VqsLockBag::Gathering();
    return LockPathsTogether(bag, nodes) && VqsModelNodeElementLink::DeleteSoftLinks(nodes);
}

int LockAndMark(const ElementNodes& nodes, int value)
{
    if (nodes.empty())
        return 1;
    VqsLockBag bag = VqsLockBag::Gathering();
    return LockPathsTogether(bag, nodes) &&
           MarkLinks(std::vector<VqsModelNodeLink*>(nodes.begin(), nodes.end()), value);
}

// Adds the option nodes of the records.
void AddOptionNodesOf(CObList& nodes, VqsModel* model, const std::vector<PxObjectPtr>& records)
{
    if (!model)
        return;
    for (const PxObjectPtr& record : records) {
        if (VqsModelNode* option = model->LookupNode(record))
            nodes.AddTail(option);
    }
}

// Shows the element links in the question; the nodes of those the user chose come back.
// 0 on Cancel.
int AskWhichToDelete(VqsModelNodeBSLink* segmentNode, const ElementNodes& offered, VqsLockBag& readBag,
                     VqsLockBag& updateBag, ElementNodes& chosen)
{
    {
        VqsLockScope scope(SessionLink());
        if (!updateBag.LockObjects(VqsLongReadLock))
            return 0;
        readBag.UnlockAll();
    }
    return VqsAskElementLinksToDelete(segmentNode, offered, chosen) ? 1 : 0;
}

bool Contains(const ElementNodes& nodes, const VqsModelNodeElementLink* node)
{
    return std::find(nodes.begin(), nodes.end(), node) != nodes.end();
}

void Remove(ElementNodes& nodes, const ElementNodes& gone)
{
    nodes.erase(std::remove_if(nodes.begin(), nodes.end(),
                               [&](VqsModelNodeElementLink* node) { return Contains(gone, node); }),
                nodes.end());
}

// The next number from `from` up that no link holds; 0 when none is left.
int NextFreeGlobalLogicId(const std::set<int>& used, int from)
{
    for (int id = std::max(from, 1); id <= kLastGlobalLogicId; ++id) {
        if (!used.count(id))
            return id;
    }
    return 0;
}

} // namespace

int VqsModelNodeBSLink::SyncElements(VqsLockBag& readBag, VqsLockBag& updateBag, VqsSyncResult& result, int syncMode)
{
    CWaitCursor wait;
    LoadElementLinks(VqsLoadCached);
    CObList loaded;
    GetElementLinkNodes(loaded);
    {
        VqsLockScope scope(SessionLink());
        if (!updateBag.TakeOverNodes(loaded, readBag))
            return 0;
    }
    LoadReportGroups(VqsLoadCached);
    LoadBundles(VqsLoadCached);

    const PxLSEBusinessSegmentPtr segment = result.businessSegment;
    std::unique_ptr<DesignIndex> index;
    CStringList primaryProfiles(10);
    try {
        index = std::make_unique<DesignIndex>(segment);
        CollectBusinessSegmentIspecs(segment, primaryProfiles);
    } catch (const VqReportableException& error) {
        ShowErrorById(IDS_CANNOT_COLLECT_PROFILES, error);
        return 0;
    }

    std::vector<std::pair<VqsModelNodeElementLink*, PxLSEElementPtr>> matched;
    ElementNodes unmatched;
    // Links in use are matched first: a link kept with the unused mark beside one of the same
    // name (left by a rename) is taken back only when no link in use stands for the element.
    for (const bool marked : {false, true}) {
        for (POSITION pos = loaded.GetHeadPosition(); pos;) {
            auto* node = static_cast<VqsModelNodeElementLink*>(loaded.GetNext(pos));
            const PxVQElementSoftLinkPtr link = node->GetElementSoftLink();
            if (!link || IsMarkedUnused(node) != marked)
                continue;
            const PxLSEElementPtr design = index->Find(link->GetName());
            if (node->IsPlacedBelow()) {
                // A component's profile follows its element; its design profile needs no
                // link of its own.
                if (design && design->_IsKindOf("PxLSEProfile"))
                    index->Take(design);
                continue;
            }
            if (index->IsOpen(design) && ElementSoftLinkMatches(node, design)) {
                matched.emplace_back(node, design);
                index->Take(design);
            } else {
                unmatched.push_back(node);
            }
        }
    }
    OrderByCreation(unmatched);

    // The designs' presence is asked in one read.
    std::vector<PxObjectPtr> designs;
    designs.reserve(matched.size());
    for (const auto& [node, design] : matched)
        designs.push_back(design);
    const std::vector<bool> present = PxObject::ArePresent(designs);

    // The stale profile links of the whole segment go (or are marked) together, before any
    // link is brought up to date.
    std::vector<PxLSEProfilePtr> profiles(matched.size());
    {
        ElementNodes stale;
        ElementNodes kept;
        for (std::size_t i = 0; i < matched.size(); ++i) {
            const auto& [node, design] = matched[i];
            if (present[i])
                profiles[i] = node->CollectStaleParts(design, syncMode, stale, kept);
        }
        if (!LockAndDelete(stale) || !LockAndMark(kept, 1))
            return 0;
    }

    // What the links' refresh writes is write-locked as one set before the first of them:
    // the links the design changed (or that come back into use, and profiles), their option
    // records, and what each component's profile writes.
    std::vector<PxLSEElementPtr> compared(matched.size());
    std::vector<PxVQElementSoftLinkPtr> links(matched.size());
    for (std::size_t i = 0; i < matched.size(); ++i) {
        if (present[i]) {
            compared[i] = matched[i].second;
            links[i] = matched[i].first->GetElementSoftLink();
        }
    }
    const std::vector<int> changed = VqcGuidCompareAll(compared, links);
    std::vector<bool> writes(matched.size());
    std::vector<PxObjectPtr> writtenLinks;
    for (std::size_t i = 0; i < matched.size(); ++i) {
        const auto& [node, design] = matched[i];
        writes[i] = present[i] && (changed[i] || IsMarkedUnused(node) || design->_IsKindOf("PxLSEProfile"));
        if (writes[i] && links[i])
            writtenLinks.push_back(links[i]);
    }
    const std::vector<std::vector<PxObjectPtr>> writtenRecords = PxVQSoftLink::AllOptionsOf(writtenLinks);
    CObList written;
    std::size_t nextRecords = 0;
    for (std::size_t i = 0; i < matched.size(); ++i) {
        const auto& [node, design] = matched[i];
        if (!present[i])
            continue;
        if (writes[i]) {
            written.AddTail(node);
            if (links[i])
                AddOptionNodesOf(written, node->GetModel(), writtenRecords[nextRecords++]);
        }
        if (profiles[i])
            written.AddTail(node->ProfileSyncTarget(profiles[i]));
    }
    VqsLockBag writeBag(VqsWriteLock);
    {
        VqsLockScope scope(SessionLink());
        if (!writeBag.LockNodesTogether(written))
            return 0;
    }
    for (std::size_t i = 0; i < matched.size(); ++i) {
        const auto& [node, design] = matched[i];
        if (!present[i])
            continue;
        const PxVQElementSoftLinkPtr link = node->GetElementSoftLink();
        result.pairs.AddTail(VqcSyncPair{design, link});
        if (!BringUpToDate(node, design, changed[i] != 0, primaryProfiles, writeBag, profiles[i], result))
            return 0;
    }

    if (syncMode == VqsSyncInteractive && !unmatched.empty()) {
        ElementNodes chosen;
        if (!AskWhichToDelete(this, unmatched, readBag, updateBag, chosen))
            return 0;
        if (!LockAndDelete(chosen))
            return 0;
        Remove(unmatched, chosen);
        updateBag.Release();
    } else if (syncMode == VqsSyncFullAuto) {
        if (!LockAndDelete(unmatched))
            return 0;
        unmatched.clear();
    } else if (syncMode == VqsSyncDefaultAuto) {
        ElementNodes inUse;
        for (VqsModelNodeElementLink* node : unmatched) {
            if (!IsMarkedUnused(node))
                inUse.push_back(node);
        }
        if (!LockAndMark(inUse, 1))
            return 0;
    }

    std::vector<PxLSEElementPtr> added;
    for (const PxLSEElementPtr& element : index->elements) {
        if (index->IsOpen(element))
            added.push_back(element);
    }
    if (added.empty())
        return 1;
    {
        VqsLockScope scope(SessionLink());
        if ((!updateBag.Contains(this) && !updateBag.TakeOverNode(this, readBag)) || !writeBag.LockNode(this))
            return 0;
    }
    // Every number a link of the segment holds is taken, whatever became of the link here.
    std::set<int> usedIds;
    CObList remaining;
    GetElementLinkNodes(remaining);
    for (POSITION pos = remaining.GetHeadPosition(); pos;)
        static_cast<VqsModelNodeElementLink*>(remaining.GetNext(pos))->CollectGLGUniqueID(usedIds);
    int candidate = NextFreeGlobalLogicId(usedIds, 1);
    VqsModel* model = GetModel();
    for (const PxLSEElementPtr& element : added) {
        // A component's new profile link came with the component.
        if (element->_IsKindOf("PxLSEProfile") && FindElementLinkNamed(element->GetName(), VqsElementProfile))
            continue;
        WORD globalLogicId = static_cast<WORD>(candidate);
        VqsStoredElement stored;
        if (!StoreJoiningBundles(*model, this, element, primaryProfiles, globalLogicId, stored))
            return 0;
        result.pairs.AddTail(VqcSyncPair{element, stored.elementNode->GetElementSoftLink()});
        if (stored.profileNode)
            result.pairs.AddTail(VqcSyncPair{stored.profile, stored.profileNode->GetElementSoftLink()});
        if (globalLogicId == 0 && candidate != 0) {
            usedIds.insert(candidate);
            candidate = NextFreeGlobalLogicId(usedIds, candidate + 1);
        }
    }
    return 1;
}

namespace {

ElementNodes ProfileNodesOf(const VqsModelNodeElementLink& node)
{
    CObList below;
    node.GetProfileNodes(below);
    ElementNodes profiles;
    for (POSITION pos = below.GetHeadPosition(); pos;)
        profiles.push_back(static_cast<VqsModelNodeElementLink*>(below.GetNext(pos)));
    return profiles;
}

// The profile link that stands for the design profile: the one of its name in use, else the
// newest; null when none has its name.
VqsModelNodeElementLink* MatchingProfileLink(const ElementNodes& profiles, const PxLSEProfilePtr& profile)
{
    ElementNodes named;
    for (VqsModelNodeElementLink* node : profiles) {
        if (profile && node->GetElementSoftLink()->GetName() == profile->GetName())
            named.push_back(node);
    }
    bool inUse = false;
    return VqsModelNodeLink::ChooseInUseOrNewest(named, inUse);
}

} // namespace

PxLSEProfilePtr VqsModelNodeElementLink::CollectStaleParts(const PxLSEElementPtr& element, int syncMode,
                                                           ElementNodes& stale, ElementNodes& kept)
{
    const ElementNodes profiles = ProfileNodesOf(*this);
    if (!element->_IsKindOf("PxLSEComponent")) {
        stale.insert(stale.end(), profiles.begin(), profiles.end());
        return PxLSEProfilePtr();
    }

    PxLSEElementPtr partElement;
    CString partName;
    const PxLSEProfilePtr profile(CollectDesignParts(element, partElement, partName));
    const VqsModelNodeElementLink* matching = MatchingProfileLink(profiles, profile);
    for (VqsModelNodeElementLink* node : profiles) {
        if (node == matching || IsMarkedUnused(node))
            continue;
        if (syncMode == VqsSyncFullAuto || !node->IsSoftLinkUpdated())
            stale.push_back(node);
        else
            kept.push_back(node);
    }
    return profile;
}

VqsModelNode* VqsModelNodeElementLink::ProfileSyncTarget(const PxLSEProfilePtr& profile)
{
    VqsModelNodeElementLink* matching = MatchingProfileLink(ProfileNodesOf(*this), profile);
    return matching ? static_cast<VqsModelNode*>(matching) : GetBSLinkNode();
}

int VqsModelNodeElementLink::SyncDesignParts(VqsLockBag& writeBag, bool changed, const PxLSEElementPtr& element,
                                             const PxLSEProfilePtr& profile, VqsSyncResult& result)
{
    VqsModelNodeElementLink* matching = MatchingProfileLink(ProfileNodesOf(*this), profile);
    {
        VqsLockScope scope(SessionLink());
        if (!writeBag.LockNode(matching ? static_cast<VqsModelNode*>(matching) : GetBSLinkNode()))
            return 0;
    }
    if (matching) {
        if (changed || !element->_IsKindOf("PxLSEIspec")) {
            matching->SetProfileLinkData(profile);
            if (!VqsTransaction::IsOk())
                return 0;
        }
        if (IsMarkedUnused(matching) && !matching->SetSoftLinkValue(0))
            return 0;
    } else {
        matching = GetModel()->AddProfileLinkOptions(this, profile);
        if (!matching)
            return 0;
    }
    result.pairs.AddTail(VqcSyncPair{profile, matching->GetElementSoftLink()});
    return 1;
}

int VqsModelNodeBSLink::SyncUnmatchedLink(int& deleteLink, VqsLockBag& readBag, VqsLockBag& updateBag, int syncMode)
{
    CWaitCursor wait;
    const PxVQBSSoftLinkPtr bsLink = GetBSSoftLink();
    if (!bsLink)
        return 1;
    deleteLink = 0;
    LoadElementLinks(VqsLoadCached);
    CObList loaded;
    GetElementLinkNodes(loaded);
    ElementNodes links;
    {
        VqsLockScope scope(SessionLink());
        if (!updateBag.TakeOverNodes(loaded, readBag))
            return 0;
        for (POSITION pos = loaded.GetHeadPosition(); pos;) {
            auto* node = static_cast<VqsModelNodeElementLink*>(loaded.GetNext(pos));
            node->Refresh();
            links.push_back(node);
        }
    }

    ElementNodes chosen;
    if (syncMode == VqsSyncInteractive) {
        ElementNodes offered;
        for (VqsModelNodeElementLink* node : links) {
            if (node->IsPlacedBelow() || !node->HasExplicitBundleMembership())
                continue;
            offered.push_back(node);
            CObList below;
            node->GetProfileNodes(below);
            for (POSITION pos = below.GetHeadPosition(); pos;) {
                auto* profile = static_cast<VqsModelNodeElementLink*>(below.GetNext(pos));
                if (profile->IsSoftLinkUpdated())
                    offered.push_back(profile);
            }
        }
        if (!offered.empty()) {
            if (!AskWhichToDelete(this, offered, readBag, updateBag, chosen))
                return 0;
            updateBag.Release();
        }
    }
    const auto isChosen = [&](VqsModelNodeElementLink* node) {
        return Contains(chosen, node) || (node->IsPlacedBelow() && Contains(chosen, node->GetIspecNode()));
    };

    bool everyUpdatedChosen = true;
    for (VqsModelNodeElementLink* node : links) {
        if (node->IsSoftLinkUpdated() && !isChosen(node))
            everyUpdatedChosen = false;
    }
    if (!bsLink->GetUpdatedFlag() && everyUpdatedChosen) {
        deleteLink = 1;
        return 1;
    }

    ElementNodes doomed;
    for (VqsModelNodeElementLink* node : links) {
        if (node->IsPlacedBelow()) {
            if (!node->IsSoftLinkUpdated() || Contains(chosen, node))
                doomed.push_back(node);
            continue;
        }
        bool keptChanges = node->IsSoftLinkUpdated();
        CObList below;
        node->GetProfileNodes(below);
        for (POSITION pos = below.GetHeadPosition(); pos;) {
            auto* profile = static_cast<VqsModelNodeElementLink*>(below.GetNext(pos));
            keptChanges = keptChanges || (profile->IsSoftLinkUpdated() && !Contains(chosen, profile));
        }
        if (!node->HasExplicitBundleMembership() || Contains(chosen, node) || !keptChanges)
            doomed.push_back(node);
    }
    // A profile goes with its element link.
    ElementNodes deletions;
    for (VqsModelNodeElementLink* node : doomed) {
        if (!node->IsPlacedBelow() || !Contains(doomed, node->GetIspecNode()))
            deletions.push_back(node);
    }
    if (!LockAndDelete(deletions))
        return 0;

    std::vector<VqsModelNodeLink*> toMark;
    if (!IsMarkedUnused(this))
        toMark.push_back(this);
    CObList left;
    GetElementLinkNodes(left);
    for (POSITION pos = left.GetHeadPosition(); pos;) {
        auto* node = static_cast<VqsModelNodeElementLink*>(left.GetNext(pos));
        if (!IsMarkedUnused(node))
            toMark.push_back(node);
    }
    VqsLockBag bag = VqsLockBag::Gathering();
    return LockPathsTogether(bag, toMark) && MarkLinks(toMark, 1);
}
