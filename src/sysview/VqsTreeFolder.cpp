#include "sysview/VqsTreeFolder.h"

#include "proxy/PxObjectKind.h"
#include "proxy/PxVQIspecSoftLink.h"
#include "proxy/PxVQProfileSoftLink.h"
#include "shell/VqsListView.h"
#include "shell/VqsSysApp.h"
#include "sysview/VqsTreeItemSoftLink.h"
#include "win/CListCtrl.h"

#include <algorithm>
#include <cstdint>

template <class Ptr, class Make>
void VqsTreeFolder::MakeItems(const std::vector<Ptr>& objects, CountLists countLists, Make make)
{
    ListSizes sizes;
    const std::vector<PxObjectPtr> owners(objects.begin(), objects.end());
    // The walk that follows reads the lists anyway: unless an ancestor's walk read them (the
    // items take them from there), they are read now, in one read.
    if (FillsBranch() && ItemLists() && !owners.empty()) {
        if (!ListSizesReadAhead(owners, sizes)) {
            const std::vector<std::vector<PxObjectPtr>> lists = ItemLists()(owners);
            m_branchLists.emplace();
            for (std::size_t index = 0; index < owners.size(); ++index) {
                sizes[owners[index]->GetHandle().MapKey()] = static_cast<int>(lists[index].size());
                m_branchLists->lists.emplace(owners[index]->GetHandle().MapKey(), lists[index]);
            }
        }
    } else if (countLists && !owners.empty()) {
        const std::vector<int> counts = countLists(owners);
        for (std::size_t index = 0; index < owners.size(); ++index)
            sizes[owners[index]->GetHandle().MapKey()] = counts[index];
    }
    MakeChildrenWithListSizes(sizes, [&] {
        for (const Ptr& object : objects)
            make(object);
    });
}

// A walk that fills every item (Expand Branch) reads their lists at once; a search reads them
// in chunks as it comes to the items, so that a search that stops at the next item reads
// nothing for the others.
void VqsTreeFolder::WalkChildren(const std::vector<VqsTreeItem*>& children, const ChildVisit& visit)
{
    std::optional<ReadAhead> ahead = std::move(m_branchLists);
    m_branchLists.reset();
    if (!ItemLists()) {
        VqsConfigTreeItem::WalkChildren(children, visit);
        return;
    }
    if (ahead) {
        ReadReferencesOfMembers(*ahead, ahead->lists);
        WalkWithReadAhead(*ahead, [&] { VqsConfigTreeItem::WalkChildren(children, visit); });
        return;
    }
    ReadAhead read;
    WalkReadingAhead(
        read, children, visit, [this](VqsTreeItem* child) { return ObjectAwaitingFill(child); },
        [this, &read](const std::vector<PxObjectPtr>& owners) { return ReadItemsAhead(read, owners); });
}

PxObjectPtr VqsTreeFolder::ObjectAwaitingFill(VqsTreeItem* child) const
{
    VqsConfigTreeItem* item = child->AsConfigItem();
    const PxVQObjectPtr object = item && AwaitsFill(child) ? item->GetObject() : PxVQObjectPtr();
    return object && !ListReadAhead(object) ? PxObjectPtr(object) : PxObjectPtr();
}

std::size_t VqsTreeFolder::ReadItemsAhead(ReadAhead& ahead, const std::vector<PxObjectPtr>& owners) const
{
    const std::vector<std::vector<PxObjectPtr>> lists = ItemLists()(owners);
    std::unordered_map<std::uint64_t, std::vector<PxObjectPtr>> read;
    for (std::size_t index = 0; index < owners.size(); ++index)
        read.emplace(owners[index]->GetHandle().MapKey(), lists[index]);
    const std::size_t objects = ReadReferencesOfMembers(ahead, read);
    ahead.lists.merge(read);
    return objects;
}

std::size_t VqsTreeFolder::ReadReferencesOfMembers(ReadAhead& ahead,
                                                   const std::unordered_map<std::uint64_t, std::vector<PxObjectPtr>>& lists) const
{
    std::vector<PxObjectPtr> members;
    for (const auto& [owner, list] : lists)
        members.insert(members.end(), list.begin(), list.end());
    if (!ItemReferences() || members.empty())
        return members.size();
    const std::vector<PxObjectPtr> referred = ItemReferences()(members);
    for (std::size_t index = 0; index < members.size(); ++index)
        ahead.references.emplace(members[index]->GetHandle().MapKey(), referred[index]);
    return 2 * members.size();
}

bool VqsTreeFolder::ListSizesReadAhead(const std::vector<PxObjectPtr>& owners, ListSizes& sizes) const
{
    ListSizes known;
    for (const PxObjectPtr& owner : owners) {
        const std::vector<PxObjectPtr>* list = ListReadAhead(owner);
        if (!list)
            return false;
        known[owner->GetHandle().MapKey()] = static_cast<int>(list->size());
    }
    // An item of an empty list is a leaf, which no walk fills to take its list.
    for (const PxObjectPtr& owner : owners)
        if (!known[owner->GetHandle().MapKey()])
            TakeListReadAhead(owner);
    sizes = std::move(known);
    return true;
}

namespace {

// Takes out the reads of nothing; answers where each read asked went, none for those taken out.
template <class Asked>
std::vector<std::optional<std::size_t>> TakeOutEmpty(std::vector<Asked>& asked)
{
    std::vector<std::optional<std::size_t>> places;
    std::vector<Asked> kept;
    for (Asked& entry : asked) {
        places.push_back(entry.objects.empty() ? std::nullopt : std::optional<std::size_t>(kept.size()));
        if (!entry.objects.empty())
            kept.push_back(std::move(entry));
    }
    asked = std::move(kept);
    return places;
}

} // namespace

std::vector<std::vector<PxObjectPtr>> VqsTreeFolder::ReadListsAhead(ReadAhead& ahead,
                                                                    std::vector<PxObject::MembersAsked> asked)
{
    const std::vector<std::optional<std::size_t>> places = TakeOutEmpty(asked);
    std::vector<std::vector<std::vector<PxObjectPtr>>> lists;
    if (!asked.empty())
        lists = PxObject::ReadMembersOfEach(asked);
    std::vector<std::vector<PxObjectPtr>> members(places.size());
    for (std::size_t entry = 0; entry < places.size(); ++entry) {
        if (!places[entry])
            continue;
        const std::vector<PxObjectPtr>& owners = asked[*places[entry]].objects;
        std::vector<std::vector<PxObjectPtr>>& read = lists[*places[entry]];
        for (std::size_t index = 0; index < owners.size(); ++index) {
            members[entry].insert(members[entry].end(), read[index].begin(), read[index].end());
            ahead.lists.emplace(owners[index]->GetHandle().MapKey(), std::move(read[index]));
        }
    }
    return members;
}

void VqsTreeFolder::ReadReferencesAhead(ReadAhead& ahead, std::vector<PxObject::ReferencesAsked> asked)
{
    TakeOutEmpty(asked);
    if (asked.empty())
        return;
    const std::vector<std::vector<PxObjectPtr>> referred = PxObject::ReadObjectsOfEach(asked);
    for (std::size_t entry = 0; entry < asked.size(); ++entry)
        for (std::size_t index = 0; index < asked[entry].objects.size(); ++index)
            ahead.references.emplace(asked[entry].objects[index]->GetHandle().MapKey(), referred[entry][index]);
}

std::size_t VqsTreeFolder::ReadAheadUnder(ReadAhead& ahead, const std::vector<PxObjectPtr>& segmentLinks)
{
    if (segmentLinks.empty())
        return 0;
    std::vector<PxVQBSSoftLink::Contents> contents = PxVQBSSoftLink::ContentsOf(segmentLinks);
    std::vector<PxObjectPtr> ispecLinks;
    std::vector<PxObjectPtr> profileLinks;
    std::vector<PxObjectPtr> groups;
    std::vector<PxObjectPtr> bundles;
    std::size_t objects = 0;
    for (std::size_t index = 0; index < segmentLinks.size(); ++index) {
        for (const PxObjectPtr& link : contents[index].elementLinks) {
            if (link->_IsKindOf("PxVQIspecSoftLink"))
                ispecLinks.push_back(link);
            else if (link->_IsKindOf("PxVQProfileSoftLink"))
                profileLinks.push_back(link);
        }
        groups.insert(groups.end(), contents[index].reportGroups.begin(), contents[index].reportGroups.end());
        bundles.insert(bundles.end(), contents[index].bundles.begin(), contents[index].bundles.end());
        objects += contents[index].elementLinks.size();
        ahead.contents.emplace(segmentLinks[index]->GetHandle().MapKey(), std::move(contents[index]));
    }
    // One read a level: the lists of the folders' items, then what their members refer to.
    PxObject::MembersAsked aliasesAsked = PxVQReportGroup::ReportSoftLinkAliasesAsked(groups);
    PxObject::MembersAsked entriesAsked = PxVQBundle::IspecBundleDataAsked(bundles);
    aliasesAsked.withAttributes = entriesAsked.withAttributes = true;
    const std::vector<std::vector<PxObjectPtr>> members =
        ReadListsAhead(ahead, {PxVQIspecSoftLink::ProfileSoftLinksAsked(ispecLinks), aliasesAsked, entriesAsked});
    const std::vector<PxObjectPtr>& profiles = members[0];
    const std::vector<PxObjectPtr>& aliases = members[1];
    const std::vector<PxObjectPtr>& entries = members[2];
    ReadReferencesAhead(ahead, {PxVQProfileSoftLink::ComponentsAsked(profileLinks),
                                PxVQReportSoftLinkAlias::SoftLinksAsked(aliases),
                                PxVQIspecBundleData::IspecInformationsAsked(entries)});
    return objects + groups.size() + bundles.size() + profiles.size() + aliases.size() + entries.size();
}

namespace {

constexpr UINT IDB_FOLDER = 114;

// A folder of element links of one class.
class ElementFolder : public VqsTreeFolder {
public:
    ElementFolder(VqsTreeItem* parent, BOOL shown, UINT titleId, UINT kind, int objectKind, const char* className,
                  CountLists countLists = nullptr)
        : VqsTreeFolder(parent, shown, titleId, kind, objectKind), m_className(className), m_countLists(countLists)
    {
    }

protected:
    BOOL HasContent() override
    {
        VqsTreeItemBSSoftLink* link = GetLinkItem();
        if (!link)
            return FALSE;
        const auto& links = link->GetElementLinks();
        for (POSITION position = links.GetStartPosition(); position;) {
            std::uint64_t key = 0;
            PxVQElementSoftLinkPtr element;
            links.GetNextAssoc(position, key, element);
            if (element && element->_IsKindOf(m_className))
                return TRUE;
        }
        return FALSE;
    }

    void FillFromCache(BOOL insertRows) override
    {
        VqsTreeItemBSSoftLink* link = GetLinkItem();
        if (!link)
            return;
        const Handles existing = ChildHandles();
        std::vector<PxVQElementSoftLinkPtr> missing;
        const auto& links = link->GetElementLinks();
        for (POSITION position = links.GetStartPosition(); position;) {
            std::uint64_t key = 0;
            PxVQElementSoftLinkPtr element;
            links.GetNextAssoc(position, key, element);
            if (element && element->_IsKindOf(m_className) && !existing.count(element->GetHandle()))
                missing.push_back(element);
        }
        KeepShownHere(missing);
        MakeItems(missing, m_countLists, [&](const PxVQElementSoftLinkPtr& element) {
            VqsTreeItemElementSoftLink::CreateElementLinkItem(this, element, insertRows);
        });
    }

    // Leaves out the links shown elsewhere than in the folder.
    virtual void KeepShownHere(std::vector<PxVQElementSoftLinkPtr>&) const {}

private:
    const char* m_className;
    CountLists m_countLists;
};

class VqsComponentFolder final : public ElementFolder {
public:
    VqsComponentFolder(VqsTreeItem* parent, BOOL shown)
        : ElementFolder(parent, shown, 61902, 1, PxKindFolderIspecs, "PxVQIspecSoftLink",
                        &PxVQIspecSoftLink::CountsOfProfileSoftLinks)
    {
    }
    ReadLists ItemLists() const override { return &PxVQIspecSoftLink::ProfileSoftLinksOf; }
};

class VqsReportFolder final : public ElementFolder {
public:
    VqsReportFolder(VqsTreeItem* parent, BOOL shown)
        : ElementFolder(parent, shown, 61905, 2, PxKindFolderReports, "PxVQReportSoftLink")
    {
    }
    BOOL CanAddReport() override { return FALSE; }
};

class VqsProfilesFolder final : public ElementFolder {
public:
    VqsProfilesFolder(VqsTreeItem* parent, BOOL shown)
        : ElementFolder(parent, shown, 61904, 4, PxKindFolderProfiles, "PxVQProfileSoftLink")
    {
    }

protected:
    // A profile over an Ispec is shown under that Ispec; their components are read together.
    void KeepShownHere(std::vector<PxVQElementSoftLinkPtr>& links) const override
    {
        if (links.empty())
            return;
        const std::vector<PxObjectPtr> objects(links.begin(), links.end());
        std::optional<std::vector<PxObjectPtr>> components = TakeReferencesReadAhead(objects);
        if (!components)
            components = PxVQProfileSoftLink::ComponentsOf(objects);
        std::vector<PxVQElementSoftLinkPtr> kept;
        for (std::size_t index = 0; index < links.size(); ++index)
            if (!(*components)[index])
                kept.push_back(links[index]);
        links = std::move(kept);
    }
};

class VqsGLGFolder final : public ElementFolder {
public:
    VqsGLGFolder(VqsTreeItem* parent, BOOL shown)
        : ElementFolder(parent, shown, 61903, 8, PxKindFolderGlobalLogics, "PxVQGlobalLogicSoftLink")
    {
    }
};

// The objects of the list that have no child yet, in the list's order.
template <class Ptr>
std::vector<Ptr> Missing(const PxTypedList<Ptr>& list, const std::unordered_set<PxHandle>& existing)
{
    std::vector<Ptr> missing;
    for (POSITION position = list.GetHeadPosition(); position;) {
        const Ptr& object = list.CList<Ptr, const Ptr&>::GetNext(position);
        if (object && !existing.count(object->GetHandle()))
            missing.push_back(object);
    }
    return missing;
}

class VqsReportsGroupFolder final : public VqsTreeFolder {
public:
    VqsReportsGroupFolder(VqsTreeItem* parent, BOOL shown)
        : VqsTreeFolder(parent, shown, 61906, 16, PxKindFolderReportGroups)
    {
    }
    BOOL CanAddReportGroup() override { return TRUE; }
    ReadLists ItemLists() const override { return &PxVQReportGroup::ReportSoftLinkAliasesOf; }
    ReadReferences ItemReferences() const override { return &PxVQReportSoftLinkAlias::SoftLinksOf; }

protected:
    BOOL HasContent() override
    {
        VqsTreeItemBSSoftLink* link = GetLinkItem();
        return link && !link->GetReportGroups().IsEmpty();
    }

    void FillFromCache(BOOL insertRows) override
    {
        VqsTreeItemBSSoftLink* link = GetLinkItem();
        if (!link)
            return;
        MakeItems(Missing(link->GetReportGroups(), ChildHandles()), &PxVQReportGroup::CountsOfReportSoftLinkAliases,
                  [&](const PxVQReportGroupPtr& group) { AddNewChild(new VqsTreeItemGroup(this, group), insertRows); });
    }
};

class VqsBundlesFolder final : public VqsTreeFolder {
public:
    VqsBundlesFolder(VqsTreeItem* parent, BOOL shown) : VqsTreeFolder(parent, shown, 61907, 32, PxKindFolderBundles)
    {
    }
    BOOL IsEditableBSLink() override { return TRUE; }
    ReadLists ItemLists() const override { return &PxVQBundle::IspecBundleDataOf; }
    ReadReferences ItemReferences() const override { return &PxVQIspecBundleData::IspecInformationsOf; }

protected:
    BOOL HasContent() override
    {
        VqsTreeItemBSSoftLink* link = GetLinkItem();
        return link && !link->GetBundles().IsEmpty();
    }

    void FillFromCache(BOOL insertRows) override
    {
        VqsTreeItemBSSoftLink* link = GetLinkItem();
        if (!link)
            return;
        MakeItems(Missing(link->GetBundles(), ChildHandles()), &PxVQBundle::CountsOfIspecBundleData,
                  [&](const PxVQBundlePtr& bundle) {
                      AddNewChild(new VqsTreeItemBundle(this, bundle, link->IsReadOnly()), insertRows);
                  });
    }
};

VqsTreeFolder* MakeFolder(VqsTreeItem* parent, UINT kind, BOOL shown)
{
    switch (kind) {
    case 1:
        return new VqsComponentFolder(parent, shown);
    case 2:
        return new VqsReportFolder(parent, shown);
    case 4:
        return new VqsProfilesFolder(parent, shown);
    case 8:
        return new VqsGLGFolder(parent, shown);
    case 16:
        return new VqsReportsGroupFolder(parent, shown);
    case 32:
        return new VqsBundlesFolder(parent, shown);
    default:
        return nullptr;
    }
}

} // namespace

VqsTreeFolder::VqsTreeFolder(VqsTreeItem* parent, BOOL shown, UINT titleId, UINT kind, int objectKind)
    : VqsConfigTreeItem(parent), m_nKind(kind), m_nObjectKind(objectKind)
{
    if (auto* link = dynamic_cast<VqsConfigTreeItem*>(parent))
        m_link = link->GetBSSoftLink();
    if (!shown)
        SetState(Hidden);
    m_strTitle.LoadString(titleId);
}

VqsTreeFolder* VqsTreeFolder::CreateFolder(VqsTreeItemBSSoftLink* parent, UINT kind, BOOL shown, BOOL insertRow)
{
    VqsTreeFolder* folder = MakeFolder(parent, kind, shown);
    if (!folder)
        return nullptr;
    folder->UpdateState();
    parent->AddChild(folder, TRUE);
    if (insertRow && shown && !folder->InsertRow()) {
        parent->RemoveChild(folder);
        return nullptr;
    }
    // A hidden folder's children are listed in its place, so they are read at once.
    if (insertRow && !shown)
        folder->Expand();
    return folder;
}

VqsTreeItemBSSoftLink* VqsTreeFolder::GetLinkItem() const { return dynamic_cast<VqsTreeItemBSSoftLink*>(GetParent()); }

BOOL VqsTreeFolder::GetBitmap(VqsBitmapRef& bitmap)
{
    bitmap.nID = IDB_FOLDER;
    bitmap.lpszName = nullptr;
    return TRUE;
}

BOOL VqsTreeFolder::GetObjectKind(int& kind)
{
    kind = m_nObjectKind;
    return TRUE;
}

void VqsTreeFolder::UpdateState()
{
    const int state = GetState();
    if (state == Hidden || state == HiddenAboveRoot)
        return;
    const BOOL hasChildren = !m_bFilled || HasContent();
    ApplyHasChildren(hasChildren);
}

void VqsTreeFolder::FillChildren(int insertRows)
{
    m_bFilled = TRUE;
    m_branchLists.reset();
    try {
        FillFromCache(insertRows);
        UpdateState();
    } catch (...) {
        m_branchLists.reset();
        throw;
    }
}

BOOL VqsTreeFolder::Update()
{
    if (!IsShown())
        return TRUE;
    return VqsConfigTreeItem::Update();
}

void VqsTreeFolder::Reload(VqsModel& model) { ReloadChildren(model); }

namespace {

// The child of the type that stands for the object; null for a null object.
template <class Item>
Item* FindChildOf(const VqsConfigTreeItem* parent, const PxObjectPtr& object)
{
    if (!object)
        return nullptr;
    return parent->FindChild<Item>([&object](Item& child) {
        const PxVQObjectPtr childObject = child.GetObject();
        return childObject && childObject->IsSameOid(object);
    });
}

} // namespace

VqsTreeFolder::Handles VqsTreeFolder::ChildHandles() const
{
    Handles handles;
    handles.reserve(static_cast<std::size_t>(GetChildren().GetCount()));
    for (POSITION position = GetChildren().GetHeadPosition(); position;) {
        VqsConfigTreeItem* child = GetChildren().GetNext(position)->AsConfigItem();
        if (const PxVQObjectPtr object = child ? child->GetObject() : PxVQObjectPtr())
            handles.insert(object->GetHandle());
    }
    return handles;
}

VqsTreeItemElementSoftLink* VqsTreeFolder::FindElementLinkItem(const PxObjectPtr& link)
{
    if (m_nKind > 8)
        return nullptr;
    if (VqsTreeItemElementSoftLink* item = FindChildOf<VqsTreeItemElementSoftLink>(this, link))
        return item;
    return FindChild<VqsTreeItemIspecSoftLink>([&link](VqsTreeItemIspecSoftLink& ispec) {
        return FindChildOf<VqsTreeItemAutoProfile>(&ispec, link) != nullptr;
    });
}

VqsTreeItemGroup* VqsTreeFolder::FindReportGroupItem(const PxObjectPtr& group)
{
    return m_nKind == 16 ? FindChildOf<VqsTreeItemGroup>(this, group) : nullptr;
}

VqsTreeItemBundle* VqsTreeFolder::FindBundleItem(const PxObjectPtr& bundle)
{
    return m_nKind == 32 ? FindChildOf<VqsTreeItemBundle>(this, bundle) : nullptr;
}

void VqsTreeFolder::UpdateCache(const PxObjectPtr& object, BOOL present)
{
    VqsTreeItemBSSoftLink* link = GetLinkItem();
    if (!link)
        return;
    if (m_nKind == 16)
        link->UpdateReportGroupCache(PxVQReportGroupPtr(object), present);
    else if (m_nKind == 32)
        link->UpdateBundleCache(PxVQBundlePtr(object), present);
    else
        link->UpdateElementLinkCache(PxVQElementSoftLinkPtr(object), present);
}

// ---------------------------------------------------------------- show and hide

void VqsTreeFolder::ShowFolders(UINT mask, BOOL show, int arg)
{
    if (mask != m_nKind || show == IsShown())
        return;
    if (show)
        Show();
    else
        Hide();
    if (!show && !GetShownParent()) {
        if (auto* listed = dynamic_cast<VqsConfigTreeItem*>(GetListedParent())) {
            listed->MakeVisible();
            listed->OnViewSettingsChanged(static_cast<UINT>(arg));
        }
        m_bMoved = TRUE;
    }
    if (VqsListView* view = GetView())
        view->RedrawAllItems();
}

void VqsTreeFolder::Hide()
{
    m_bExpandedForHiding = FALSE;
    m_bMoved = FALSE;
    if (GetState() != Expanded) {
        Expand();
        m_bExpandedForHiding = GetState() == Expanded;
    }
    if (GetPinnedChild()) {
        SetState(Hidden);
        return;
    }
    VqsListView* view = GetView();
    const int row = IsListed() && view ? FindRow() : -1;
    if (row >= 0) {
        CListCtrl& list = view->GetListCtrl();
        const BOOL selected = (list.GetItemState(row, LVIS_SELECTED) & LVIS_SELECTED) != 0;
        if (selected && row + 1 < list.GetItemCount())
            view->SelectItem(row + 1, TRUE);
        view->RemoveItem(this);
    }
    SetState(Hidden);
    // A search fills branches without rows; listed in the folder's place, they need them.
    for (POSITION position = GetChildren().GetHeadPosition(); position;) {
        VqsTreeItem* child = GetChildren().GetNext(position);
        if (child->IsShown() && !child->IsListed())
            child->InsertRow();
    }
}

void VqsTreeFolder::Show()
{
    if (GetPinnedChild()) {
        SetState(HiddenAboveRoot);
        return;
    }
    SetState(GetChildCount() ? Expanded : Leaf);
    UpdateState();
    if (m_bExpandedForHiding && GetChildCount())
        Collapse();
    m_bExpandedForHiding = FALSE;
    if (!IsListed())
        InsertRow();
}
