// The base of every row of the directory tree that stands for a repository object, and of
// the type folders under a business-segment link: the accessors that climb the tree, the
// object and its kind, the predicates that enable the directory view's commands, the lazy
// child fill, the tree order, the refresh after a change and the broadcasts down the tree.
//
// Every item whose object is set is entered in its directory view's handle map under the
// object's handle key, and leaves it again when it goes (only while the entry still names
// it: a newer item for the same object keeps its entry).
#pragma once

#include "proxy/PxObject.h"
#include "proxy/PxTypedList.h"
#include "proxy/PxVQBSSoftLink.h"
#include "proxy/PxVQBundle.h"
#include "proxy/PxVQConfig.h"
#include "proxy/PxVQElementSoftLink.h"
#include "proxy/PxVQReportGroup.h"
#include "proxy/PxVQSystem.h"
#include "shell/VqsTreeItem.h"
#include "shell/VqsValueScope.h"
#include "win/CString.h"

#include <cstdint>
#include <functional>
#include <optional>
#include <unordered_map>
#include <vector>

class VqReportableException;
class VqsDirectoryView;
class VqsModel;

class VqsConfigTreeItem : public VqsTreeItem {
public:
    // Context menu of every kind that has no menu of its own.
    static constexpr UINT IDR_ITEM_MENU = 134;

    explicit VqsConfigTreeItem(VqsTreeItem* parent);
    ~VqsConfigTreeItem() override;

    int Compare(VqsTreeItem* other) override;
    VqsConfigTreeItem* AsConfigItem() final { return this; }
    BOOL CountsAsChild() override;
    VqsListView* GetView() override;
    VqsTreeView* GetTreeView() override;

    // Whether an item drawn in the application's colour keeps its options command.
    virtual BOOL AllowsOptionsWhenMarked();
    // TRUE only for the automatic profile of an Ispec.
    virtual BOOL IsAutomatic();
    virtual VqsDirectoryView* GetDirectoryView();

    // Command predicates.
    virtual BOOL IsEditableBSLink();
    virtual BOOL CanAddIspec();
    virtual BOOL CanAddReportGroup();
    virtual BOOL CanAddReport();
    virtual BOOL CanCreateSystem();
    virtual BOOL CanAddBusinessSegment();
    virtual BOOL CanExtract();
    virtual BOOL CanLoad();

    // Broadcasts down the tree.
    virtual void OnViewSettingsChanged(UINT hint);
    virtual void OnReportLinkRemoved(const PxObjectPtr& link);
    virtual void OnIspecLinkRemoved(const PxObjectPtr& link);
    virtual void ShowFolders(UINT mask, BOOL show, int arg);

    // Typed accessors: the object of that type at or above the item.
    virtual PxVQBSSoftLinkPtr GetBSSoftLink();
    virtual PxVQElementSoftLinkPtr GetElementSoftLink();
    virtual PxVQReportGroupPtr GetReportGroup();
    virtual PxVQBundlePtr GetBundle();
    virtual PxVQSystemPtr GetSystem();
    virtual PxVQConfigPtr GetConfig();

    // Binds the item and its children to the nodes of a freshly built model.
    virtual void Reload(VqsModel& model) = 0;
    // FALSE when the item stands for no repository object kind.
    virtual BOOL GetObjectKind(int& kind) = 0;
    virtual PxVQObjectPtr GetObject();
    virtual UINT GetContextMenuId();
    virtual BOOL ShowsPreviousConfigurations();
    virtual BOOL SortsByType();
    // Reads the cached texts again; TRUE when any of them changed.
    virtual BOOL RefreshTexts() = 0;

    // The item of the object in the directory view's handle map; null for a null pointer or
    // an object without an item.
    template <class Ptr>
    VqsConfigTreeItem* FindTreeItem(const Ptr& object)
    {
        return object ? FindTreeItemOfKey(object->GetHandle().MapKey()) : nullptr;
    }
    VqsConfigTreeItem* FindTreeItemOfKey(std::uint64_t key);

    // The reaction to a change notice about the item's object: texts read again, the row
    // redrawn and the rows sorted when they changed; "Cannot update %1" on a repository
    // failure. An object another user deleted meanwhile loses its row (and this item).
    void RefreshItem();
    // The last steps of every child creation: its state, its place among the children and,
    // when asked, its row; a child whose row was refused goes again.
    // FALSE when the child went again.
    BOOL AddNewChild(VqsConfigTreeItem* child, BOOL insertRows);

    // Whether the object's item is a child of this one.
    bool HasChildItemOf(const PxObjectPtr& object)
    {
        VqsConfigTreeItem* item = FindTreeItem(object);
        return item && item->GetParent() == this;
    }
    // The list-driven fill: one child per object of the list, in the list's order. Children
    // whose objects are still listed stay (with their branches, so that a branch opened again
    // above the view's root keeps what was shown); the others go.
    template <class Ptr, class Make>
    void FillFromList(PxTypedList<Ptr>& objects, BOOL insertRows, Make make)
    {
        VqsValueScope<std::optional<int>> listed(m_listSize, static_cast<int>(objects.GetCount()));
        CTypedPtrList<CObList, VqsTreeItem*> kept;
        PxTypedList<Ptr> missing;
        for (POSITION position = objects.GetHeadPosition(); position;) {
            Ptr object = objects.GetNext(position);
            if (!object)
                continue;
            if (HasChildItemOf(object))
                kept.AddTail(FindTreeItem(object));
            else
                missing.AddTail(object);
        }
        RemoveChildrenNotIn(kept);
        for (POSITION position = missing.GetHeadPosition(); position;)
            AddNewChild(make(missing.GetNext(position)), insertRows);
    }

    // Tree order of two siblings (or of items listed as siblings).
    int CompareSiblings(VqsConfigTreeItem* other);

    // The first child of the type that passes the test; null for none.
    template <class Child, class Test>
    Child* FindChild(Test test) const
    {
        for (POSITION position = GetChildren().GetHeadPosition(); position;) {
            auto* child = dynamic_cast<Child*>(GetChildren().GetNext(position));
            if (child && test(*child))
                return child;
        }
        return nullptr;
    }
    template <class Child>
    Child* FindChild() const
    {
        return FindChild<Child>([](const Child&) { return true; });
    }

protected:
    // Whether the failure met the item's object deleted by another user.
    BOOL FoundGone(const VqReportableException& error);
    // Enters the item in the view's handle map under the object; the kinds call it once
    // their object is set.
    void Register(const PxObjectPtr& object);
    // Calls Reload on each child.
    void ReloadChildren(VqsModel& model);
    // The "has children" rule of the list-driven kinds.
    void ApplyHasChildren(BOOL hasChildren);
    // The same rule from the size of the item's list: as the item's own fill or its parent
    // read it just now, else as `readSize` reads it.
    template <class ReadSize>
    void ApplyListSize(ReadSize readSize)
    {
        const std::optional<int> known = KnownListSize();
        ApplyHasChildren((known ? *known : readSize()) > 0);
    }
    // The sizes of the lists of the children the item makes, read together, by the handle
    // keys of their objects; a child's "has children" rule takes its size from them while
    // `make` runs.
    using ListSizes = std::unordered_map<std::uint64_t, int>;
    template <class Make>
    void MakeChildrenWithListSizes(const ListSizes& sizes, Make make)
    {
        VqsValueScope<const ListSizes*> known(m_pChildListSizes, &sizes);
        make();
    }
    // What the fills of the children read, read together ahead of a walk through them: lists
    // by the handle keys of their owners, the objects members refer to by the members' keys.
    struct ReadAhead {
        std::unordered_map<std::uint64_t, std::vector<PxObjectPtr>> lists;
        std::unordered_map<std::uint64_t, PxObjectPtr> references;
        // The contents of business segment links, by the links' keys.
        std::unordered_map<std::uint64_t, PxVQBSSoftLink::Contents> contents;
        // Reads more ahead from this object on, when a fill finds what it reads of the object
        // not read yet; null when the walk reads nothing more ahead.
        std::function<void(const PxObjectPtr& object)> readFrom;
    };
    // What a walk reads ahead for some of its owners together; answers how many objects that is.
    using ReadChunk = std::function<std::size_t(const std::vector<PxObjectPtr>& owners)>;
    // The owner whose part a child's fill reads; null when the child has none to read.
    using OwnerOf = std::function<PxObjectPtr(VqsTreeItem* child)>;
    // Once the chunks hold about two thousand objects each, the next chunks of the same number
    // of owners are asked for together with `ask`, ahead of their reads, so that their reads wait
    // for no round trip each; `drop` (given an owner asked for) forgets what came of them and
    // was not read once the walk ends.
    struct ChunksAhead {
        std::function<void(const std::vector<std::vector<PxObjectPtr>>& chunks)> ask;
        std::function<void(const PxObjectPtr& askedOwner)> drop;
    };
    // Walks the children (as WalkChildren does) with their owners' parts read ahead. Expand
    // Branch, which fills and keeps them all, reads them all at once. A search reads them as the
    // walk comes to them, in their order: from the first child whose part a fill finds not read,
    // for a chunk of owners together. Each chunk is eight times the last while it holds fewer than
    // about two thousand objects, and then as many owners as held about that many, one at
    // least. So a walk that stops early reads little past it, a walk through many small
    // branches makes a few reads a couple of thousand objects, and what it holds is the branch
    // it is in and at most a chunk ahead of it, however many branches it went through.
    // A child's owner is asked for as the walk comes to it, and for the children after it only
    // as a chunk takes them: a walk that stops at the next child builds nothing for the others.
    void WalkReadingAhead(ReadAhead& ahead, const std::vector<VqsTreeItem*>& children, const ChildVisit& visit,
                          OwnerOf ownerOf, ReadChunk read, ChunksAhead chunksAhead = {});
    // The object's list as an ancestor's walk read it ahead, else as `read` reads it.
    template <class Ptr, class Read>
    void ListOf(const PxObjectPtr& owner, PxTypedList<Ptr>& list, Read read) const
    {
        const std::optional<std::vector<PxObjectPtr>> ahead = TakeListReadAhead(owner);
        if (!ahead) {
            read(list);
            return;
        }
        for (const PxObjectPtr& object : *ahead)
            list.AddTail(Ptr(object));
    }
    // Whether the child is to be filled by the walk through the children.
    static bool AwaitsFill(VqsTreeItem* child) { return child->GetState() != Leaf && !child->GetChildCount(); }
    // Runs the walk with what was read ahead at the children's disposal.
    void WalkWithReadAhead(ReadAhead& ahead, const std::function<void()>& walk);
    // The object's list as an ancestor's walk read it ahead, taken from what the walk holds
    // (so that the walk lets go of each list as its item takes it); none when none did.
    std::optional<std::vector<PxObjectPtr>> TakeListReadAhead(const PxObjectPtr& owner) const;
    // The list as an ancestor's walk read it ahead, left there; null when none did.
    const std::vector<PxObjectPtr>* ListReadAhead(const PxObjectPtr& owner) const;
    std::optional<PxVQBSSoftLink::Contents> TakeContentsReadAhead(const PxObjectPtr& link) const;
    // The objects the members refer to as an ancestor's walk read them ahead (null where
    // none), taken from what the walk holds; none unless it read them for every member.
    std::optional<std::vector<PxObjectPtr>> TakeReferencesReadAhead(const std::vector<PxObjectPtr>& members) const;
    // Removes the children of the type whose link (read with `linkOf`) is the object.
    template <class Child, class Ptr>
    void RemoveChildrenLinkedTo(const PxObjectPtr& link, Ptr (Child::*linkOf)() const)
    {
        std::vector<VqsTreeItem*> gone;
        for (POSITION position = GetChildren().GetHeadPosition(); position;) {
            VqsTreeItem* child = GetChildren().GetNext(position);
            auto* item = dynamic_cast<Child*>(child);
            if (item && (item->*linkOf)() && link && (item->*linkOf)()->IsSameOid(link))
                gone.push_back(child);
        }
        for (VqsTreeItem* child : gone)
            RemoveChild(child);
    }

    // The size of the item's list as its own fill or its parent read it just now; none when
    // neither did.
    std::optional<int> KnownListSize();

private:
    // The part of the nearest ancestor's read-ahead that holds the object's key; null when none.
    template <class Map>
    Map* ReadAheadHolding(Map ReadAhead::*map, const PxObjectPtr& object) const;
    // The same once the nearest walk that reads ahead as it goes has read from the object on,
    // when no read-ahead held it.
    template <class Map>
    Map* ReadAheadReaching(Map ReadAhead::*map, const PxObjectPtr& object) const;

    VqsDirectoryView* m_pMapOwner = nullptr;
    std::uint64_t m_mapKey = 0;
    std::optional<int> m_listSize;
    const ListSizes* m_pChildListSizes = nullptr;
    ReadAhead* m_pReadAhead = nullptr;
};

// Long name when the session allows long names and the object has one, else the name.
CString VqsChooseName(const CString& name, const CString& longName);
BOOL VqsUsesLongNames();
// The text cut to 127 characters, on a character boundary.
CString VqsCutRowText(const CString& text);
