#include "sysview/VqsConfigTreeItem.h"

#include "model/VqsModelNodeLocks.h"
#include "proxy/PxException.h"
#include "proxy/PxObjectKind.h"
#include "proxy/VqException.h"
#include "shell/VqsDisplayNames.h"
#include "shell/VqsMsgBox.h"
#include "shell/VqsSysApp.h"
#include "sysview/VqsDirectoryView.h"
#include "sysview/VqsTreeItemSoftLink.h"
#include "sysview/VqsTreeItemSystem.h"
#include "win/MbString.h"
#include "win/Mbcs.h"

#include <algorithm>
#include <deque>
#include <memory>
#include <utility>

namespace {

constexpr UINT IDS_CANNOT_UPDATE = 61489;
constexpr int kRowTextLimit = 127;

int Sign(int value) { return value < 0 ? -1 : value > 0 ? 1 : 0; }

VqsConfigTreeItem* ConfigItemOf(VqsTreeItem* item) { return item ? item->AsConfigItem() : nullptr; }

BOOL IsFolder(VqsTreeItem* item) { return item && item->IsGroupingItem(); }

// The name of the kind that sorting by type compares: an element link goes by its element
// kind; a link-kind item that is no soft link has none.
BOOL TypeName(VqsTreeItem* item, int kind, CString& name)
{
    if (kind != PxKindElementSoftLink) {
        name = VqsGetObjectKindName(kind);
        return TRUE;
    }
    auto* link = dynamic_cast<VqsTreeItemSoftLink*>(item);
    if (!link)
        return FALSE;
    name = VqsGetElementKindName(link->GetElementKind());
    return TRUE;
}

} // namespace

VqsConfigTreeItem::VqsConfigTreeItem(VqsTreeItem* parent) : VqsTreeItem(parent) {}

VqsConfigTreeItem::~VqsConfigTreeItem()
{
    if (m_pMapOwner)
        m_pMapOwner->UnregisterItem(m_mapKey, this);
}

void VqsConfigTreeItem::Register(const PxObjectPtr& object)
{
    VqsDirectoryView* view = GetDirectoryView();
    if (!object || !view)
        return;
    m_pMapOwner = view;
    m_mapKey = object->GetHandle().MapKey();
    view->RegisterItem(m_mapKey, this);
}

VqsConfigTreeItem* VqsConfigTreeItem::FindTreeItemOfKey(std::uint64_t key)
{
    VqsDirectoryView* view = GetDirectoryView();
    return view ? view->FindItem(key) : nullptr;
}

// ---------------------------------------------------------------- defaults

BOOL VqsConfigTreeItem::CountsAsChild() { return TRUE; }

VqsListView* VqsConfigTreeItem::GetView()
{
    VqsConfigTreeItem* parent = ConfigItemOf(GetParent());
    return parent ? parent->GetView() : nullptr;
}

VqsTreeView* VqsConfigTreeItem::GetTreeView()
{
    VqsConfigTreeItem* parent = ConfigItemOf(GetParent());
    return parent ? parent->GetTreeView() : nullptr;
}

VqsDirectoryView* VqsConfigTreeItem::GetDirectoryView()
{
    VqsConfigTreeItem* parent = ConfigItemOf(GetParent());
    return parent ? parent->GetDirectoryView() : nullptr;
}

BOOL VqsConfigTreeItem::AllowsOptionsWhenMarked() { return FALSE; }
BOOL VqsConfigTreeItem::IsAutomatic() { return FALSE; }
BOOL VqsConfigTreeItem::IsEditableBSLink() { return FALSE; }
BOOL VqsConfigTreeItem::CanAddIspec() { return FALSE; }
BOOL VqsConfigTreeItem::CanAddReportGroup() { return FALSE; }
BOOL VqsConfigTreeItem::CanAddReport() { return FALSE; }
BOOL VqsConfigTreeItem::CanCreateSystem() { return FALSE; }
BOOL VqsConfigTreeItem::CanAddBusinessSegment() { return FALSE; }
BOOL VqsConfigTreeItem::CanExtract() { return FALSE; }
BOOL VqsConfigTreeItem::CanLoad() { return FALSE; }

PxVQObjectPtr VqsConfigTreeItem::GetObject() { return PxVQObjectPtr(); }

UINT VqsConfigTreeItem::GetContextMenuId() { return IDR_ITEM_MENU; }

#define VQS_ASK_PARENT(Result, Name, Default)                                                                          \
    Result VqsConfigTreeItem::Name()                                                                                   \
    {                                                                                                                  \
        VqsConfigTreeItem* parent = ConfigItemOf(GetParent());                                                         \
        return parent ? parent->Name() : Default;                                                                      \
    }

VQS_ASK_PARENT(PxVQBSSoftLinkPtr, GetBSSoftLink, PxVQBSSoftLinkPtr())
VQS_ASK_PARENT(PxVQSystemPtr, GetSystem, PxVQSystemPtr())
VQS_ASK_PARENT(PxVQConfigPtr, GetConfig, PxVQConfigPtr())
VQS_ASK_PARENT(BOOL, ShowsPreviousConfigurations, FALSE)
VQS_ASK_PARENT(BOOL, SortsByType, FALSE)

#undef VQS_ASK_PARENT

PxVQElementSoftLinkPtr VqsConfigTreeItem::GetElementSoftLink() { return PxVQElementSoftLinkPtr(); }
PxVQReportGroupPtr VqsConfigTreeItem::GetReportGroup() { return PxVQReportGroupPtr(); }
PxVQBundlePtr VqsConfigTreeItem::GetBundle() { return PxVQBundlePtr(); }

// ---------------------------------------------------------------- broadcasts

void VqsConfigTreeItem::OnViewSettingsChanged(UINT hint)
{
    for (POSITION position = GetChildren().GetHeadPosition(); position;) {
        if (VqsConfigTreeItem* child = ConfigItemOf(GetChildren().GetNext(position)))
            child->OnViewSettingsChanged(hint);
    }
}

void VqsConfigTreeItem::OnReportLinkRemoved(const PxObjectPtr& link)
{
    for (POSITION position = GetChildren().GetHeadPosition(); position;) {
        if (VqsConfigTreeItem* child = ConfigItemOf(GetChildren().GetNext(position)))
            child->OnReportLinkRemoved(link);
    }
}

void VqsConfigTreeItem::OnIspecLinkRemoved(const PxObjectPtr& link)
{
    for (POSITION position = GetChildren().GetHeadPosition(); position;) {
        if (VqsConfigTreeItem* child = ConfigItemOf(GetChildren().GetNext(position)))
            child->OnIspecLinkRemoved(link);
    }
}

void VqsConfigTreeItem::ShowFolders(UINT mask, BOOL show, int arg)
{
    for (POSITION position = GetChildren().GetHeadPosition(); position;) {
        if (VqsConfigTreeItem* child = ConfigItemOf(GetChildren().GetNext(position)))
            child->ShowFolders(mask, show, arg);
    }
}

void VqsConfigTreeItem::ReloadChildren(VqsModel& model)
{
    for (POSITION position = GetChildren().GetHeadPosition(); position;) {
        if (VqsConfigTreeItem* child = ConfigItemOf(GetChildren().GetNext(position)))
            child->Reload(model);
    }
}

// ---------------------------------------------------------------- children

BOOL VqsConfigTreeItem::AddNewChild(VqsConfigTreeItem* child, BOOL insertRows)
{
    // Reading the child's state may fail; until the child is in the tree it is ours to free.
    std::unique_ptr<VqsConfigTreeItem> owned(child);
    owned->UpdateState();
    AddChild(owned.release(), TRUE);
    if (insertRows && child->IsShown() && !child->InsertRow()) {
        RemoveChild(child);
        return FALSE;
    }
    return TRUE;
}

void VqsConfigTreeItem::ApplyHasChildren(BOOL hasChildren)
{
    const int state = GetState();
    if (state == Leaf && hasChildren)
        SetState(GetChildCount() ? Expanded : Collapsed);
    else if ((state == Collapsed || state == Expanded) && !hasChildren)
        SetState(Leaf);
}

void VqsConfigTreeItem::WalkWithReadAhead(ReadAhead& ahead, const std::function<void()>& walk)
{
    VqsValueScope<ReadAhead*> scope(m_pReadAhead, &ahead);
    walk();
}

template <class Map>
Map* VqsConfigTreeItem::ReadAheadHolding(Map ReadAhead::*map, const PxObjectPtr& object) const
{
    if (!object)
        return nullptr;
    for (VqsTreeItem* item = GetParent(); item; item = item->GetParent()) {
        const VqsConfigTreeItem* ancestor = ConfigItemOf(item);
        if (ancestor && ancestor->m_pReadAhead && (ancestor->m_pReadAhead->*map).count(object->GetHandle().MapKey()))
            return &(ancestor->m_pReadAhead->*map);
    }
    return nullptr;
}

namespace {

// Taken out of the read-ahead, so that the walk lets go of each part as its item takes it.
template <class Map>
std::optional<typename Map::mapped_type> TakeOut(Map* entries, const PxObjectPtr& object)
{
    if (!entries)
        return std::nullopt;
    const auto found = entries->find(object->GetHandle().MapKey());
    typename Map::mapped_type taken = std::move(found->second);
    entries->erase(found);
    return taken;
}

} // namespace

template <class Map>
Map* VqsConfigTreeItem::ReadAheadReaching(Map ReadAhead::*map, const PxObjectPtr& object) const
{
    if (Map* holding = ReadAheadHolding(map, object))
        return holding;
    if (!object)
        return nullptr;
    for (VqsTreeItem* item = GetParent(); item; item = item->GetParent()) {
        const VqsConfigTreeItem* ancestor = ConfigItemOf(item);
        if (ancestor && ancestor->m_pReadAhead && ancestor->m_pReadAhead->readFrom) {
            ancestor->m_pReadAhead->readFrom(object);
            return ReadAheadHolding(map, object);
        }
    }
    return nullptr;
}

std::optional<std::vector<PxObjectPtr>> VqsConfigTreeItem::TakeListReadAhead(const PxObjectPtr& owner) const
{
    return TakeOut(ReadAheadReaching(&ReadAhead::lists, owner), owner);
}

const std::vector<PxObjectPtr>* VqsConfigTreeItem::ListReadAhead(const PxObjectPtr& owner) const
{
    const auto* lists = ReadAheadHolding(&ReadAhead::lists, owner);
    return lists ? &lists->at(owner->GetHandle().MapKey()) : nullptr;
}

std::optional<PxVQBSSoftLink::Contents> VqsConfigTreeItem::TakeContentsReadAhead(const PxObjectPtr& link) const
{
    return TakeOut(ReadAheadReaching(&ReadAhead::contents, link), link);
}

namespace {

// The reads ahead of a walk through children: a chunk of owners at a time, from the owner of
// the child the walk is at when its fill finds its part not read (WalkReadingAhead).
class ChunkedReads {
public:
    using OwnerOf = std::function<PxObjectPtr(VqsTreeItem* child)>;
    using Read = std::function<std::size_t(const std::vector<PxObjectPtr>& owners)>;
    using Ask = std::function<void(const std::vector<std::vector<PxObjectPtr>>& chunks)>;
    using Drop = std::function<void(const PxObjectPtr& askedOwner)>;

    ChunkedReads(const std::vector<VqsTreeItem*>& children, OwnerOf ownerOf, Read read, Ask ask, Drop drop)
        : m_children(children), m_ownerOf(std::move(ownerOf)), m_read(std::move(read)), m_ask(std::move(ask)),
          m_drop(std::move(drop))
    {
    }
    ~ChunkedReads()
    {
        if (m_askedOwner && m_drop)
            m_drop(m_askedOwner);
    }
    ChunkedReads(const ChunkedReads&) = delete;
    ChunkedReads& operator=(const ChunkedReads&) = delete;

    // The walk comes to the child at that place; its owner is taken before its fill begins.
    void Reach(std::size_t place)
    {
        m_place = place;
        m_owner = place >= m_readEnd ? m_ownerOf(m_children[place]) : PxObjectPtr();
    }

    void ReadFrom(const PxObjectPtr& object)
    {
        if (!m_owner || m_owner->GetHandle().MapKey() != object->GetHandle().MapKey())
            return;
        // A walk that leaves the order asked for reads as it comes; what was asked for goes unread.
        const bool wasAsked = !m_asked.empty() && m_asked.front().first == m_place;
        if (!wasAsked)
            m_asked.clear();
        const Chunk chunk = wasAsked ? std::move(m_asked.front()) : ChunkFrom(m_place, m_owner);
        if (wasAsked)
            m_asked.pop_front();
        m_owner = PxObjectPtr();
        m_readEnd = chunk.end;
        const std::size_t objects = m_read(chunk.owners);
        if (!m_asked.empty())
            return;
        constexpr std::size_t kGrowth = 8;
        constexpr std::size_t kMostObjects = 2000;
        const std::size_t grown = m_size * kGrowth;
        const bool full = objects * kGrowth > kMostObjects;
        m_size = !full ? grown : std::max<std::size_t>(1, std::min(grown, chunk.owners.size() * kMostObjects / objects));
        if (full && m_ask)
            AskAheadFrom(chunk.end);
    }

private:
    // The children [first, end) and their owners; the child at `first` has one.
    struct Chunk {
        std::size_t first = 0;
        std::size_t end = 0;
        std::vector<PxObjectPtr> owners;
    };

    // The chunk of as many owners as a chunk takes from the child at `first` on.
    Chunk ChunkFrom(std::size_t first, const PxObjectPtr& owner) const
    {
        Chunk chunk{first, first + 1, {owner}};
        for (; chunk.end < m_children.size() && chunk.owners.size() < m_size; ++chunk.end) {
            if (PxObjectPtr next = m_ownerOf(m_children[chunk.end]))
                chunk.owners.push_back(std::move(next));
        }
        return chunk;
    }

    void AskAheadFrom(std::size_t first)
    {
        constexpr std::size_t kChunksAsked = 16;
        std::vector<std::vector<PxObjectPtr>> chunks;
        while (chunks.size() < kChunksAsked) {
            PxObjectPtr owner;
            while (first < m_children.size() && !(owner = m_ownerOf(m_children[first])))
                ++first;
            if (!owner)
                break;
            Chunk chunk = ChunkFrom(first, owner);
            first = chunk.end;
            chunks.push_back(chunk.owners);
            m_asked.push_back(std::move(chunk));
        }
        if (chunks.empty())
            return;
        m_askedOwner = chunks.front().front();
        m_ask(chunks);
    }

    const std::vector<VqsTreeItem*>& m_children;
    OwnerOf m_ownerOf;
    Read m_read;
    Ask m_ask;
    Drop m_drop;
    std::size_t m_size = 1;
    std::size_t m_place = 0;
    // The owner of the child the walk is at, while its part is not read.
    PxObjectPtr m_owner;
    // The children before it have had their parts read, or were passed.
    std::size_t m_readEnd = 0;
    // The chunks asked for ahead and not read yet, in order.
    std::deque<Chunk> m_asked;
    PxObjectPtr m_askedOwner;
};

} // namespace

void VqsConfigTreeItem::WalkReadingAhead(ReadAhead& ahead, const std::vector<VqsTreeItem*>& children,
                                         const ChildVisit& visit, OwnerOf ownerOf, ReadChunk read,
                                         ChunksAhead chunksAhead)
{
    if (ExpandsBranch()) {
        std::vector<PxObjectPtr> owners;
        for (VqsTreeItem* child : children) {
            if (PxObjectPtr owner = ownerOf(child))
                owners.push_back(std::move(owner));
        }
        if (owners.size() > 1)
            read(owners);
        WalkWithReadAhead(ahead, [&] { VqsTreeItem::WalkChildren(children, visit); });
        return;
    }
    ChunkedReads reads(children, std::move(ownerOf), std::move(read), std::move(chunksAhead.ask),
                       std::move(chunksAhead.drop));
    const VqsValueScope<std::function<void(const PxObjectPtr&)>> readFrom(
        ahead.readFrom, [&reads](const PxObjectPtr& object) { reads.ReadFrom(object); });
    std::size_t place = 0;
    WalkWithReadAhead(ahead, [&] {
        VqsTreeItem::WalkChildren(children, [&](VqsTreeItem* child) {
            reads.Reach(place++);
            return visit(child);
        });
    });
}

std::optional<std::vector<PxObjectPtr>> VqsConfigTreeItem::TakeReferencesReadAhead(
    const std::vector<PxObjectPtr>& members) const
{
    for (VqsTreeItem* item = GetParent(); item; item = item->GetParent()) {
        const VqsConfigTreeItem* ancestor = ConfigItemOf(item);
        if (!ancestor || !ancestor->m_pReadAhead)
            continue;
        auto& references = ancestor->m_pReadAhead->references;
        const bool readAll = std::all_of(members.begin(), members.end(), [&](const PxObjectPtr& member) {
            return references.count(member->GetHandle().MapKey()) != 0;
        });
        if (!readAll)
            continue;
        std::vector<PxObjectPtr> referred;
        referred.reserve(members.size());
        for (const PxObjectPtr& member : members)
            referred.push_back(*TakeOut(&references, member));
        return referred;
    }
    return std::nullopt;
}

std::optional<int> VqsConfigTreeItem::KnownListSize()
{
    if (m_listSize)
        return m_listSize;
    VqsConfigTreeItem* parent = ConfigItemOf(GetParent());
    const PxVQObjectPtr object = GetObject();
    if (!parent || !parent->m_pChildListSizes || !object)
        return std::nullopt;
    const auto found = parent->m_pChildListSizes->find(object->GetHandle().MapKey());
    if (found == parent->m_pChildListSizes->end())
        return std::nullopt;
    return found->second;
}

// ---------------------------------------------------------------- change notices

void VqsConfigTreeItem::RefreshItem()
{
    VqsDirectoryView* view = GetDirectoryView();
    try {
        const BOOL changed = RefreshTexts();
        if (changed)
            SiblingOrderChanged();
        {
            VqsRedrawSwitch redraw(view);
            UpdateRow(!changed);
            const int row = changed && IsListed() ? FindRow() : -1;
            if (row >= 0 && view) {
                view->RedrawItems(row, row);
                view->SortRows();
            }
        }
        if (view)
            view->UpdateWindow();
    } catch (const VqReportableException& error) {
        // The step that told the views of the object tells the user what went.
        if (view && FoundGone(error)) {
            view->DropRowOfGone(this);
            return;
        }
        CString context;
        context.FormatMessage(IDS_CANNOT_UPDATE, GetDisplayText());
        VqsReportError(context, error);
    }
}

BOOL VqsConfigTreeItem::FoundGone(const VqReportableException& error)
{
    const auto* failure = dynamic_cast<const PxException*>(&error);
    return failure && failure->IsObjectDeleted() && VqsKnownGone(GetObject());
}

// ---------------------------------------------------------------- tree order

int VqsConfigTreeItem::Compare(VqsTreeItem* other)
{
    VqsTreeItem* parent = GetParent();
    VqsTreeItem* otherParent = other->GetParent();
    if (parent == otherParent)
        return CompareSiblings(ConfigItemOf(other));
    const BOOL folders = IsFolder(parent) || IsFolder(otherParent);
    if (folders && GetShownParent() == other->GetShownParent())
        return CompareSiblings(ConfigItemOf(other));
    if (other->IsAncestorOf(this))
        return 1;
    if (IsAncestorOf(other))
        return -1;
    if (!folders) {
        const BOOL parentAboveOther = parent && parent->IsAncestorOf(other);
        const BOOL otherParentAboveThis = otherParent && otherParent->IsAncestorOf(this);
        if (parentAboveOther)
            return Compare(otherParent);
        if (otherParentAboveThis)
            return parent->Compare(other);
        return parent && otherParent ? parent->Compare(otherParent) : 0;
    }
    VqsTreeItem* shown = GetShownParent();
    VqsTreeItem* otherShown = other->GetShownParent();
    if (!shown || !otherShown)
        return 0;
    if (shown->IsAncestorOf(other))
        return Compare(otherShown);
    if (!otherShown->IsAncestorOf(this))
        return shown->Compare(otherShown);
    return shown->Compare(other);
}

// A strict weak order: old configurations by generation time, then names, then row texts;
// by type, the current configuration first and kinds by their names.
int VqsConfigTreeItem::CompareSiblings(VqsConfigTreeItem* other)
{
    int kind = 0;
    int otherKind = 0;
    const BOOL hasKind = GetObjectKind(kind);
    const BOOL otherHasKind = other && other->GetObjectKind(otherKind);
    if (hasKind && otherHasKind && kind == PxKindOldConfiguration && otherKind == PxKindOldConfiguration) {
        const std::int64_t mine = static_cast<VqsTreeItemOldConfiguration*>(this)->GetGenerationTime();
        const std::int64_t theirs = static_cast<VqsTreeItemOldConfiguration*>(other)->GetGenerationTime();
        if (mine != theirs)
            return mine > theirs ? -1 : 1;
    }
    const char* otherName = other ? other->GetText() : "";
    int result = _mbsicmp(GetText(), otherName);
    if (result == 0)
        result = _mbsicmp(GetDisplayText(), other ? other->GetDisplayText() : "");
    result = Sign(result);
    if (!SortsByType())
        return result;
    if (hasKind && kind == PxKindCurrentConfiguration)
        return otherHasKind && otherKind == PxKindCurrentConfiguration ? result : -1;
    if (otherHasKind && otherKind == PxKindCurrentConfiguration)
        return 1;
    if (!hasKind || !otherHasKind)
        return result;
    CString name;
    CString otherTypeName;
    if (!TypeName(this, kind, name) || !TypeName(other, otherKind, otherTypeName))
        return result;
    if (const int byType = _mbsicmp(name, otherTypeName))
        return Sign(byType);
    return result;
}

// ---------------------------------------------------------------- helpers

BOOL VqsUsesLongNames()
{
    VqsSysApp* app = VqsGetApp();
    return app && app->GetAllowLongNames();
}

CString VqsChooseName(const CString& name, const CString& longName)
{
    return VqsUsesLongNames() && !longName.IsEmpty() ? longName : name;
}

CString VqsCutRowText(const CString& text)
{
    const std::string_view bytes(text.GetString(), static_cast<std::size_t>(text.GetLength()));
    return text.Left(static_cast<int>(mbcs::CutLength(bytes, kRowTextLimit)));
}
