// An item of a tree shown in a list view: a parent, owned children and an expansion state,
// and the operations that keep the rows of the flat list in step with the tree. States:
// 0 leaf, 1 collapsed, 2 expanded, 3 hidden by its class, 4 hidden above the item pinned as
// the view's top row. Hidden items have no row; their children are shown in their place.
#pragma once

#include "shell/VqsListItem.h"
#include "win/Collections.h"

#include <functional>
#include <vector>

class CString;
class VqsConfigTreeItem;
class VqsTreeItemBSSoftLink;
class VqsTreeView;
struct VqsBitmapRef;

class VqsTreeItem : public VqsListItem {
public:
    enum State { Leaf = 0, Collapsed = 1, Expanded = 2, Hidden = 3, HiddenAboveRoot = 4 };

    // The creator adds the item to the parent's children (AddChild).
    explicit VqsTreeItem(VqsTreeItem* parent);
    // Deletes the children; rows are not touched.
    ~VqsTreeItem() override;

    BOOL IsTreeItem() override;
    int MeasureWidth(int column, CDC* dc, CFont* font) override;
    // An item whose row goes tells its parent that Update has a row to make again.
    void SetListed(bool listed) override;

    // Whether the item's repository object is there to be opened.
    virtual BOOL IsOpenable();
    // The text of a column other than the tree column; FALSE when there is none.
    virtual BOOL GetColumnText(int column, CString& text);
    virtual const char* GetDisplayText() = 0;
    // TRUE when the item draws a tree bitmap.
    virtual BOOL GetBitmap(VqsBitmapRef& bitmap) = 0;
    // TRUE draws the text in the application's colour.
    virtual BOOL UsesSpecialColour();
    // -1, 0 or 1: the order of two items in the displayed tree.
    virtual int Compare(VqsTreeItem* other) = 0;
    // Makes or refreshes the children; with 1 their rows are inserted as well.
    virtual void FillChildren(int insertRows) = 0;
    // Brings the item's and its children's rows up to date. FALSE when the item's row could
    // not be made and its parent removed (and deleted) it: the caller must not touch it.
    virtual BOOL Update();
    virtual bool IsGroupingItem();
    virtual VqsListView* GetView();
    virtual VqsTreeView* GetTreeView();
    // Sets the state from the item's object.
    virtual void UpdateState() = 0;
    // TRUE makes a parent without shown children collapsed rather than a leaf.
    virtual BOOL CountsAsChild();
    // The item as a row of the directory tree; null for an item of another tree. A sort
    // asks it of every row it compares, so it is no cast.
    virtual VqsConfigTreeItem* AsConfigItem() { return nullptr; }
    // Visits the children a walk through the branch (Expand Branch, a search) comes to, in that
    // order, until `visit` answers false; the walk fills them in turn, and an item may read
    // together beforehand what their fills read, in that order, for the walk's time.
    using ChildVisit = std::function<bool(VqsTreeItem* child)>;
    virtual void WalkChildren(const std::vector<VqsTreeItem*>& children, const ChildVisit& visit);

    // Structure.
    VqsTreeItem* GetParent() const { return m_pParent; }
    INT_PTR GetChildCount() const { return m_children.GetCount(); }
    const CTypedPtrList<CObList, VqsTreeItem*>& GetChildren() const { return m_children; }
    std::vector<VqsTreeItem*> ChildrenInListOrder() const;
    // The children in tree order (Compare, ties in list order). The order is kept until a
    // child is added or deleted, a child tells that its place may have changed
    // (SiblingOrderChanged), or every order may have (OrderChanged).
    const std::vector<VqsTreeItem*>& ChildrenInTreeOrder();
    // The children that come after `child` in tree order, in that order: one look-up in the
    // order kept, not a comparison with every sibling.
    std::vector<VqsTreeItem*> ChildrenAfter(VqsTreeItem* child);
    VqsTreeItem* GetPinnedChild() const { return m_pPinnedChild; }
    int GetState() const { return m_nState; }
    BOOL IsShown() const { return m_nState != Hidden && m_nState != HiddenAboveRoot; }

    void AddChild(VqsTreeItem* child, BOOL update);
    void RemoveChild(VqsTreeItem* child);
    void RemoveChildrenNotIn(const CTypedPtrList<CObList, VqsTreeItem*>& keep);
    void DeleteChildren();
    void ReleaseChildren();

    // Queries.
    BOOL IsAncestorOf(const VqsTreeItem* item) const;
    VqsTreeItem* GetListedParent() const;
    VqsTreeItem* GetShownParent() const;
    int GetLevel() const;
    BOOL HasShownDescendant() const;
    int FindRow();
    // Asked of shown items. After a change of the children, of their order or of whether
    // they are shown, they are looked through once; until the next each answer is one
    // comparison.
    BOOL NoShownChildAfter(VqsTreeItem* item);
    BOOL IsLastChild();
    int FindInsertRow(VqsTreeItem* item);
    VqsTreeItem* FindSortedPosition(VqsTreeItem* item);
    VqsTreeItem* FindByPrefix(const char* prefix, std::size_t length, BOOL skipSelf);
    // The first item `search` answers for a child, asked of the children `order` gives in that
    // order through the item's walk (so that what their fills read is read ahead); null when
    // it answers none. An item that holds no children reads them for the search first
    // (SearchFill) and keeps them only when the answer lies there.
    using ChildOrder = std::function<std::vector<VqsTreeItem*>()>;
    using ChildSearch = std::function<VqsTreeItem*(VqsTreeItem* child)>;
    VqsTreeItem* SearchChildren(const ChildOrder& order, const ChildSearch& search);
    // The item or its nearest ancestor that is a business-segment link item; defined with
    // that class.
    VqsTreeItemBSSoftLink* FindBSSoftLinkItem();
    // The levels at which a vertical tree line runs through the item's row, from the top.
    void GetLineLevels(CList<int, int>& levels);

    // Rows.
    void SetState(int state);
    BOOL InsertRow();
    void RemoveRows(BOOL reselect);
    void UpdateRow(BOOL redraw);
    // Inserts the rows the shown children lack. The children are looked through only when one
    // may lack its row: it came, it went from hidden to shown, or its row went.
    void InsertChildRows();
    // Update on the top item and down the parent chain to this one; FALSE when an item of the
    // chain was removed on the way.
    BOOL UpdateFromRoot();
    void Expand();
    void Collapse();
    void ExpandBranch();
    void SelectExclusive();
    void FocusRow();
    void EnsureVisible();

    // Tells every tree that its items may sort otherwise than they did (the view sorts by
    // another key); an item whose own place among its siblings may have changed (its texts
    // changed) calls SiblingOrderChanged instead.
    static void OrderChanged();
    void SiblingOrderChanged();
    // Counts the changes of every tree that can put a row out of tree order: children added or
    // deleted, states changed, rows inserted, orders changed.
    static unsigned long long ChangeCount();

    // The children a search reads of an item that has children to show but holds none: read
    // without rows when the scope starts, and given back when it ends, the item's state as
    // it was, unless the search keeps them because its answer lies there. A search therefore
    // holds no more than the branches on its way, and leaves the tree as the user left it.
    class SearchFill {
    public:
        explicit SearchFill(VqsTreeItem* item);
        ~SearchFill();
        SearchFill(const SearchFill&) = delete;
        SearchFill& operator=(const SearchFill&) = delete;
        void Keep() { m_pItem = nullptr; }

    private:
        void GiveBack();

        VqsTreeItem* m_pItem = nullptr;
        int m_nStateBefore = Leaf;
    };

    // The item's place in tree order among the items of its view as the last sort into tree
    // order found it (VqsSortBatch).
    std::size_t GetTreePlace() const { return m_treePlace; }
    void SetTreePlace(std::size_t place) { m_treePlace = place; }

    // Root pinning: the item becomes the view's top row, its ancestors hidden above it.
    void SetAsRoot();
    void PinChild(VqsTreeItem* child);
    BOOL MakeVisible();
    void BecomeRoot();

    // True during a fill that a walk through the branch (Expand Branch, a search) makes and
    // follows at once with the fills of the children it makes.
    static bool FillsBranch() { return s_branchFills > 0; }
    // True while Expand Branch walks through a branch: it fills every item it meets, and
    // keeps them all.
    static bool ExpandsBranch() { return s_branchExpansions > 0; }

private:
    static void TreeChanged();
    // Drops what the item keeps of its children: their order and the last shown of them.
    void ChildrenChanged();
    void LastShownChanged();
    // The fills of a walk through a branch under way, and the Expand Branch walks among them.
    static int s_branchFills;
    static int s_branchExpansions;
    // FillChildren as a walk through the branch makes it.
    void FillForBranch(int insertRows);
    VqsTreeItem* NearestShown();
    BOOL HasShownChild() const;
    BOOL HasChildThatCounts() const;
    // The shown child, or shown child of a hidden child, that sorts last; null when none.
    VqsTreeItem* LastShownChild();
    void RedrawOwnRow();
    void DeleteChild(POSITION position, BOOL removeRows);
    BOOL FillForMakeVisible(VqsTreeItem* pinned);

    VqsTreeItem* m_pParent;
    CTypedPtrList<CObList, VqsTreeItem*> m_children;
    VqsTreeItem* m_pPinnedChild;
    int m_nState;
    VqsTreeItem* m_pLastShown;
    unsigned long long m_lastShownFoundAt;
    std::size_t m_treePlace = 0;
    std::vector<VqsTreeItem*> m_treeOrder;
    // The order count the children's order was found at; 0 when it is to be found again.
    unsigned long long m_treeOrderFoundAt = 0;
    // The item's place in its parent's children's order.
    std::size_t m_placeAmongSiblings = 0;
    // A shown child may lack its row.
    bool m_childRowsToMake = false;
};
