// The six type folders under a business-segment link: Ispecs, Reports, Profiles, Global
// Logics, Report Groups and Bundles. A folder has no repository object; its children are
// the link's element links, report groups or bundles of its type, filled from the link
// item's caches. A hidden folder is transparent: no row, its children listed in its place.
#pragma once

#include "proxy/PxHandle.h"
#include "sysview/VqsConfigTreeItem.h"

#include <optional>
#include <unordered_set>
#include <vector>

class VqsTreeItemBSSoftLink;
class VqsTreeItemBundle;
class VqsTreeItemElementSoftLink;
class VqsTreeItemGroup;

class VqsTreeFolder : public VqsConfigTreeItem {
public:
    // The folder of the kind bit under the link item; null for a kind that is not one of
    // the six bits or a row that was refused.
    static VqsTreeFolder* CreateFolder(VqsTreeItemBSSoftLink* parent, UINT kind, BOOL shown, BOOL insertRow);

    const char* GetText() override { return m_strTitle; }
    const char* GetDisplayText() override { return m_strTitle; }
    BOOL GetBitmap(VqsBitmapRef& bitmap) override;
    BOOL UsesSpecialColour() override { return TRUE; }
    bool IsGroupingItem() override { return true; }
    void FillChildren(int insertRows) override;
    BOOL Update() override;
    void UpdateState() override;
    void ShowFolders(UINT mask, BOOL show, int arg) override;
    void Reload(VqsModel& model) override;
    // The lists of the items about to be filled are read ahead, with what their members
    // refer to.
    void WalkChildren(const std::vector<VqsTreeItem*>& children, const ChildVisit& visit) override;
    BOOL GetObjectKind(int& kind) override;
    BOOL RefreshTexts() override { return FALSE; }

    UINT GetKind() const { return m_nKind; }
    // For segment links together: their contents, the lists of their Ispec links, report
    // groups and bundles, and what the profiles and the members of those lists refer to, a
    // read of each for all the links. Answers how many objects the contents and the lists hold.
    static std::size_t ReadAheadUnder(ReadAhead& ahead, const std::vector<PxObjectPtr>& segmentLinks);
    VqsTreeItemElementSoftLink* FindElementLinkItem(const PxObjectPtr& link);
    VqsTreeItemGroup* FindReportGroupItem(const PxObjectPtr& group);
    VqsTreeItemBundle* FindBundleItem(const PxObjectPtr& bundle);
    // Hands a changed object of the folder's type to the link item's cache.
    virtual void UpdateCache(const PxObjectPtr& object, BOOL present);

protected:
    VqsTreeFolder(VqsTreeItem* parent, BOOL shown, UINT titleId, UINT kind, int objectKind);

    // Whether the link has content of the folder's type.
    virtual BOOL HasContent() = 0;
    // Creates the items the folder lacks.
    virtual void FillFromCache(BOOL insertRows) = 0;
    VqsTreeItemBSSoftLink* GetLinkItem() const;
    using Handles = std::unordered_set<PxHandle>;
    // The objects of the children there are, so that a fill adds only what is missing.
    Handles ChildHandles() const;
    // The sizes of one list of several objects, read together.
    using CountLists = std::vector<int> (*)(const std::vector<PxObjectPtr>& objects);
    // Makes the item of each object with `make`; the sizes of the items' lists are read
    // first, together, with `countLists` (null for kinds without lists).
    template <class Ptr, class Make>
    void MakeItems(const std::vector<Ptr>& objects, CountLists countLists, Make make);
    // The lists of the items of several objects, and the objects several members of them
    // refer to, read together; null for kinds whose items have no list, or whose members
    // refer to nothing.
    using ReadLists = std::vector<std::vector<PxObjectPtr>> (*)(const std::vector<PxObjectPtr>& owners);
    using ReadReferences = std::vector<PxObjectPtr> (*)(const std::vector<PxObjectPtr>& members);
    virtual ReadLists ItemLists() const { return nullptr; }
    virtual ReadReferences ItemReferences() const { return nullptr; }

private:
    void Hide();
    void Show();
    // The sizes of the objects' lists as an ancestor's walk read them ahead, the empty ones
    // taken out; false, and the sizes left alone, unless it read all of them.
    bool ListSizesReadAhead(const std::vector<PxObjectPtr>& owners, ListSizes& sizes) const;
    // The object of an item about to be filled whose list no ancestor's walk read; null for any
    // other child.
    PxObjectPtr ObjectAwaitingFill(VqsTreeItem* child) const;
    // The lists of the owners' items and what their members refer to, read together into the
    // read-ahead; answers how many objects that is.
    std::size_t ReadItemsAhead(ReadAhead& ahead, const std::vector<PxObjectPtr>& owners) const;
    // What the members of the lists refer to, read together into the read-ahead; answers how
    // many objects the members and what they refer to are.
    std::size_t ReadReferencesOfMembers(ReadAhead& ahead,
                                        const std::unordered_map<std::uint64_t, std::vector<PxObjectPtr>>& lists) const;
    // The lists asked, all read together into the read-ahead (those of no owners left out);
    // answers the members of each.
    static std::vector<std::vector<PxObjectPtr>> ReadListsAhead(ReadAhead& ahead,
                                                                std::vector<PxObject::MembersAsked> asked);
    // What the members asked refer to, all read together into the read-ahead.
    static void ReadReferencesAhead(ReadAhead& ahead, std::vector<PxObject::ReferencesAsked> asked);

    UINT m_nKind;
    int m_nObjectKind;
    PxVQBSSoftLinkPtr m_link;
    BOOL m_bFilled = FALSE;
    // The lists of the items a fill of a walk through the branch made, read in their place of
    // their sizes, for the walk that follows.
    std::optional<ReadAhead> m_branchLists;
    CString m_strTitle;
    BOOL m_bExpandedForHiding = FALSE;
    BOOL m_bMoved = FALSE;
};
