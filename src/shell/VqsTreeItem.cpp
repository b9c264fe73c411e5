#include "shell/VqsTreeItem.h"

#include "proxy/VqException.h"
#include "shell/VqsListFrame.h"
#include "shell/VqsMsgBox.h"
#include "shell/VqsSortBatch.h"
#include "shell/VqsSysApp.h"
#include "shell/VqsTreeView.h"
#include "shell/VqsValueScope.h"
#include "win/CDC.h"
#include "win/CFrameWnd.h"
#include "win/CGdiObject.h"
#include "win/MbString.h"

#include <algorithm>
#include <unordered_set>
#include <vector>

namespace {

constexpr UINT ID_EXPAND = 32795;
constexpr UINT ID_EXPAND_BRANCH = 32797;
constexpr UINT ID_COLLAPSE = 32798;
constexpr UINT IDS_CANNOT_EXPAND = 61487;
constexpr UINT IDS_CANNOT_MAKE_VISIBLE = 61488;
constexpr UINT IDS_NEW_ROOT = 61512;

// A stand-in child of a sibling, so that an item is compared with the sibling as with a
// member of another branch.
class ProbeItem final : public VqsTreeItem {
public:
    using VqsTreeItem::VqsTreeItem;
    const char* GetText() override { return ""; }
    const char* GetDisplayText() override { return ""; }
    BOOL GetBitmap(VqsBitmapRef&) override { return FALSE; }
    int Compare(VqsTreeItem*) override { return 0; }
    void FillChildren(int) override {}
    void UpdateState() override {}
};

LPARAM ItemData(VqsTreeItem* item) { return reinterpret_cast<LPARAM>(static_cast<VqsListItem*>(item)); }

// Counts the changes that can put a row out of tree order: children added or deleted, states
// changed, rows inserted, orders changed. User-interface thread only.
unsigned long long g_treeChanges = 1;
// Counts the changes that can reorder the children of every item at once: what an item keeps of
// its children's order is good while it was found at the present count.
unsigned long long g_orderChanges = 1;

} // namespace

VqsTreeItem::VqsTreeItem(VqsTreeItem* parent)
    : m_pParent(parent), m_children(10), m_pPinnedChild(nullptr), m_nState(Leaf), m_pLastShown(nullptr),
      m_lastShownFoundAt(0)
{
}

VqsTreeItem::~VqsTreeItem()
{
    TreeChanged();
    while (!m_children.IsEmpty())
        delete m_children.RemoveHead();
}

void VqsTreeItem::TreeChanged() { ++g_treeChanges; }

void VqsTreeItem::OrderChanged()
{
    ++g_orderChanges;
    TreeChanged();
}

void VqsTreeItem::SiblingOrderChanged()
{
    if (m_pParent)
        m_pParent->ChildrenChanged();
    TreeChanged();
}

void VqsTreeItem::ChildrenChanged()
{
    m_treeOrder = {};
    m_treeOrderFoundAt = 0;
    LastShownChanged();
}

// A hidden item's last shown child is a candidate for its parent's, and so up to the nearest
// shown item.
void VqsTreeItem::LastShownChanged()
{
    for (VqsTreeItem* item = this; item; item = item->m_pParent) {
        item->m_lastShownFoundAt = 0;
        if (item->IsShown())
            return;
    }
}

unsigned long long VqsTreeItem::ChangeCount() { return g_treeChanges; }

// ---------------------------------------------------------------- virtual defaults

BOOL VqsTreeItem::IsTreeItem() { return TRUE; }

void VqsTreeItem::SetListed(bool listed)
{
    VqsListItem::SetListed(listed);
    if (!listed && m_pParent)
        m_pParent->m_childRowsToMake = true;
}

BOOL VqsTreeItem::IsOpenable() { return FALSE; }

BOOL VqsTreeItem::GetColumnText(int, CString&) { return FALSE; }

BOOL VqsTreeItem::UsesSpecialColour() { return FALSE; }

bool VqsTreeItem::IsGroupingItem() { return false; }

VqsListView* VqsTreeItem::GetView() { return m_pParent ? m_pParent->GetView() : nullptr; }

VqsTreeView* VqsTreeItem::GetTreeView() { return m_pParent ? m_pParent->GetTreeView() : nullptr; }

BOOL VqsTreeItem::CountsAsChild() { return TRUE; }

// ---------------------------------------------------------------- structure

void VqsTreeItem::AddChild(VqsTreeItem* child, BOOL update)
{
    m_children.AddTail(child);
    m_childRowsToMake = true;
    ChildrenChanged();
    TreeChanged();
    if (update)
        UpdateRow(FALSE);
}

void VqsTreeItem::DeleteChild(POSITION position, BOOL removeRows)
{
    VqsTreeItem* child = m_children.GetAt(position);
    if (removeRows)
        child->RemoveRows(TRUE);
    m_children.RemoveAt(position);
    ChildrenChanged();
    if (m_pPinnedChild == child)
        m_pPinnedChild = nullptr;
    delete child;
}

void VqsTreeItem::RemoveChild(VqsTreeItem* child)
{
    POSITION position = m_children.Find(child);
    if (!position)
        return;
    DeleteChild(position, TRUE);
    UpdateRow(TRUE);
}

void VqsTreeItem::RemoveChildrenNotIn(const CTypedPtrList<CObList, VqsTreeItem*>& keep)
{
    std::unordered_set<const VqsTreeItem*> kept;
    for (POSITION position = keep.GetHeadPosition(); position;)
        kept.insert(keep.GetNext(position));
    std::vector<VqsTreeItem*> gone;
    for (POSITION position = m_children.GetHeadPosition(); position;) {
        VqsTreeItem* child = m_children.GetNext(position);
        if (!kept.count(child))
            gone.push_back(child);
    }
    for (VqsTreeItem* child : gone)
        RemoveChild(child);
}

void VqsTreeItem::DeleteChildren()
{
    if (m_children.IsEmpty())
        return;
    VqsRedrawSwitch redraw(GetView());
    while (!m_children.IsEmpty()) {
        VqsTreeItem* child = m_children.GetHead();
        child->RemoveRows(FALSE);
        m_children.RemoveHead();
        delete child;
    }
    ChildrenChanged();
    m_pPinnedChild = nullptr;
}

// Children of a hidden item are shown in its place and so may have rows; they go with their
// rows rather than leave rows behind that point at deleted items.
void VqsTreeItem::ReleaseChildren()
{
    if (m_nState != Expanded)
        DeleteChildren();
}

// ---------------------------------------------------------------- queries

std::vector<VqsTreeItem*> VqsTreeItem::ChildrenInListOrder() const
{
    std::vector<VqsTreeItem*> children;
    children.reserve(static_cast<std::size_t>(m_children.GetCount()));
    for (POSITION position = m_children.GetHeadPosition(); position;)
        children.push_back(m_children.GetNext(position));
    return children;
}

const std::vector<VqsTreeItem*>& VqsTreeItem::ChildrenInTreeOrder()
{
    if (m_treeOrderFoundAt == g_orderChanges)
        return m_treeOrder;
    m_treeOrder = ChildrenInListOrder();
    std::stable_sort(m_treeOrder.begin(), m_treeOrder.end(), [](VqsTreeItem* a, VqsTreeItem* b) { return a->Compare(b) < 0; });
    for (std::size_t place = 0; place < m_treeOrder.size(); ++place)
        m_treeOrder[place]->m_placeAmongSiblings = place;
    m_treeOrderFoundAt = g_orderChanges;
    return m_treeOrder;
}

std::vector<VqsTreeItem*> VqsTreeItem::ChildrenAfter(VqsTreeItem* child)
{
    const std::vector<VqsTreeItem*>& order = ChildrenInTreeOrder();
    std::size_t first = child->m_placeAmongSiblings + 1;
    // Siblings that sort with the child, neither before nor after it, do not come after it.
    while (first < order.size() && child->Compare(order[first]) >= 0)
        ++first;
    return {order.begin() + static_cast<std::ptrdiff_t>(first), order.end()};
}

BOOL VqsTreeItem::IsAncestorOf(const VqsTreeItem* item) const
{
    for (const VqsTreeItem* ancestor = item ? item->m_pParent : nullptr; ancestor; ancestor = ancestor->m_pParent) {
        if (ancestor == this)
            return TRUE;
    }
    return FALSE;
}

VqsTreeItem* VqsTreeItem::GetListedParent() const
{
    VqsTreeItem* parent = m_pParent;
    while (parent && parent->m_nState == Hidden)
        parent = parent->m_pParent;
    return parent;
}

VqsTreeItem* VqsTreeItem::GetShownParent() const
{
    VqsTreeItem* parent = m_pParent;
    while (parent && !parent->IsShown())
        parent = parent->m_pParent;
    return parent;
}

VqsTreeItem* VqsTreeItem::NearestShown() { return IsShown() ? this : GetShownParent(); }

int VqsTreeItem::GetLevel() const
{
    int level = 0;
    for (VqsTreeItem* parent = GetShownParent(); parent; parent = parent->GetShownParent())
        ++level;
    return level;
}

BOOL VqsTreeItem::HasShownDescendant() const
{
    if (IsShown())
        return TRUE;
    for (POSITION position = m_children.GetHeadPosition(); position;) {
        if (m_children.GetNext(position)->HasShownDescendant())
            return TRUE;
    }
    return FALSE;
}

int VqsTreeItem::FindRow()
{
    VqsListView* view = GetView();
    return view ? view->FindItemIndex(this) : -1;
}

BOOL VqsTreeItem::HasShownChild() const
{
    for (POSITION position = m_children.GetHeadPosition(); position;) {
        if (m_children.GetNext(position)->HasShownDescendant())
            return TRUE;
    }
    return FALSE;
}

BOOL VqsTreeItem::HasChildThatCounts() const
{
    for (POSITION position = m_children.GetHeadPosition(); position;) {
        if (m_children.GetNext(position)->CountsAsChild())
            return TRUE;
    }
    return FALSE;
}

// The last shown child in tree order is the only one another child can sort before; it is
// kept until the children, their order or whether they are shown change, so that painting a
// page of rows compares each row once, however the other branches change meanwhile.
BOOL VqsTreeItem::NoShownChildAfter(VqsTreeItem* item)
{
    VqsTreeItem* last = LastShownChild();
    return !last || last == item || last->Compare(item) <= 0;
}

VqsTreeItem* VqsTreeItem::LastShownChild()
{
    if (m_lastShownFoundAt == g_orderChanges)
        return m_pLastShown;
    VqsTreeItem* last = nullptr;
    for (POSITION position = m_children.GetHeadPosition(); position;) {
        VqsTreeItem* child = m_children.GetNext(position);
        VqsTreeItem* candidate = child->IsShown() ? child : child->LastShownChild();
        if (candidate && (!last || candidate->Compare(last) > 0))
            last = candidate;
    }
    m_pLastShown = last;
    m_lastShownFoundAt = g_orderChanges;
    return last;
}

BOOL VqsTreeItem::IsLastChild()
{
    VqsTreeItem* parent = GetShownParent();
    return parent && parent->NoShownChildAfter(this);
}

int VqsTreeItem::FindInsertRow(VqsTreeItem* item)
{
    if (Compare(item) > 0)
        return -1;
    int result = -1;
    if (IsListed()) {
        const int row = FindRow();
        if (row >= 0)
            result = row + 1;
    }
    for (POSITION position = m_children.GetHeadPosition(); position;) {
        VqsTreeItem* child = m_children.GetNext(position);
        if (child != item)
            result = std::max(result, child->FindInsertRow(item));
    }
    return result;
}

VqsTreeItem* VqsTreeItem::FindSortedPosition(VqsTreeItem* item)
{
    for (POSITION position = m_children.GetHeadPosition(); position;) {
        VqsTreeItem* child = m_children.GetNext(position);
        if (child == item)
            continue;
        ProbeItem probe(child);
        if (item->Compare(&probe) < 0)
            return child;
    }
    return nullptr;
}

VqsTreeItem* VqsTreeItem::FindByPrefix(const char* prefix, std::size_t length, BOOL skipSelf)
{
    if (!skipSelf && _strnicmp(prefix, GetText(), length) == 0)
        return this;
    return SearchChildren([this] { return ChildrenInListOrder(); },
                          [&](VqsTreeItem* child) { return child->FindByPrefix(prefix, length, FALSE); });
}

VqsTreeItem* VqsTreeItem::SearchChildren(const ChildOrder& order, const ChildSearch& search)
{
    SearchFill fill(this);
    VqsTreeItem* found = nullptr;
    WalkChildren(order(), [&](VqsTreeItem* child) {
        found = search(child);
        return !found;
    });
    if (found)
        fill.Keep();
    return found;
}

void VqsTreeItem::WalkChildren(const std::vector<VqsTreeItem*>& children, const ChildVisit& visit)
{
    for (VqsTreeItem* child : children) {
        if (!visit(child))
            return;
    }
}

int VqsTreeItem::s_branchFills = 0;
int VqsTreeItem::s_branchExpansions = 0;

void VqsTreeItem::FillForBranch(int insertRows)
{
    VqsValueScope<int> filling(s_branchFills, s_branchFills + 1);
    FillChildren(insertRows);
}

VqsTreeItem::SearchFill::SearchFill(VqsTreeItem* item)
{
    if (item->m_nState == Leaf || !item->m_children.IsEmpty())
        return;
    m_pItem = item;
    m_nStateBefore = item->m_nState;
    try {
        item->FillForBranch(0);
    } catch (...) {
        GiveBack();
        throw;
    }
}

VqsTreeItem::SearchFill::~SearchFill() { GiveBack(); }

// The children read for the search have no rows, so giving them back touches no row.
void VqsTreeItem::SearchFill::GiveBack()
{
    if (!m_pItem)
        return;
    m_pItem->DeleteChildren();
    m_pItem->SetState(m_nStateBefore);
    m_pItem = nullptr;
}

void VqsTreeItem::GetLineLevels(CList<int, int>& levels)
{
    VqsTreeItem* parent = GetShownParent();
    if (!parent)
        return;
    parent->GetLineLevels(levels);
    if (parent->IsLastChild() && !levels.IsEmpty())
        levels.RemoveTail();
    levels.AddTail(parent->GetLevel());
}

int VqsTreeItem::MeasureWidth(int column, CDC* dc, CFont* font)
{
    CString text;
    int width = 0;
    if (column == 0) {
        text = GetDisplayText();
        VqsBitmapRef bitmap;
        const BOOL hasBitmap = GetBitmap(bitmap);
        if (hasBitmap)
            width = (GetLevel() + 1) * VqsGetTreeBitmapSize(bitmap).cx + 6;
        VqsImageRef image;
        VqsSysApp* app = VqsGetApp();
        if (app && GetOverlayImage(image)) {
            const int imageWidth = app->GetImageSize().cx;
            if (!hasBitmap)
                width += GetLevel() * imageWidth;
            width += imageWidth + 2;
        }
    } else if (!GetColumnText(column, text)) {
        return -1;
    }
    width += 2;
    CFont* previous = font ? dc->SelectObject(font) : nullptr;
    TEXTMETRIC metrics{};
    dc->GetTextMetrics(&metrics);
    int tabCount = 0;
    int* tabStops = nullptr;
    if (VqsTreeView* view = GetTreeView())
        view->GetTabStops(&metrics, &tabCount, &tabStops);
    width += dc->GetTabbedTextExtent(text, tabCount, tabStops).cx;
    if (previous)
        dc->SelectObject(previous);
    return width;
}

// ---------------------------------------------------------------- rows

void VqsTreeItem::SetState(int state)
{
    if (m_nState == state)
        return;
    const BOOL wasShown = IsShown();
    m_nState = state;
    if (m_pParent && wasShown != IsShown()) {
        m_pParent->LastShownChanged();
        m_pParent->m_childRowsToMake = true;
    }
    TreeChanged();
    VqsListView* view = GetView();
    if (VqsListFrame* frame = view ? view->GetListFrame() : nullptr) {
        frame->PostUpdateCommand(ID_EXPAND);
        frame->PostUpdateCommand(ID_EXPAND_BRANCH);
        frame->PostUpdateCommand(ID_COLLAPSE);
    }
}

void VqsTreeItem::RedrawOwnRow()
{
    VqsListView* view = GetView();
    if (!view)
        return;
    const int row = FindRow();
    if (row >= 0)
        view->RedrawItems(row, row);
    view->UpdateWindow();
}

BOOL VqsTreeItem::InsertRow()
{
    if (IsListed())
        return TRUE;
    VqsTreeView* view = GetTreeView();
    if (!view)
        return FALSE;
    TreeChanged();
    const BOOL inPlace = VqsSortBatch::InsertInPlace(view);
    VqsTreeItem* parent = GetShownParent();
    int index = -1;
    if (inPlace) {
        index = 0;
        if (parent) {
            const int after = parent->FindInsertRow(this);
            if (after != -1)
                index = after;
        }
    }
    const int row = view->InsertListItem(FALSE, index, this, ItemData(this), FALSE);
    if (row < 0)
        return FALSE;
    if (inPlace && parent) {
        // The tree lines of the rows between the parent and the new row change.
        const int parentRow = parent->FindRow();
        if (parentRow >= 0 && parentRow <= row - 1)
            view->RedrawItems(parentRow, row - 1);
        view->UpdateWindow();
    }
    SetListed(true);
    return TRUE;
}

void VqsTreeItem::RemoveRows(BOOL reselect)
{
    DeleteChildren();
    if (!IsListed())
        return;
    VqsListView* view = GetView();
    const int row = view ? FindRow() : -1;
    if (row < 0) {
        SetListed(false);
        return;
    }
    VqsRedrawSwitch redraw(view);
    CListCtrl& list = view->GetListCtrl();
    int selectAfter = -1;
    int parentRow = -1;
    if (reselect) {
        if (list.GetSelectedCount() == 1 && (list.GetItemState(row, LVIS_SELECTED) & LVIS_SELECTED))
            selectAfter = row == list.GetItemCount() - 1 ? row - 1 : row;
        if (VqsTreeItem* parent = GetShownParent())
            parentRow = parent->FindRow();
    }
    view->RemoveItem(this);
    if (!reselect)
        return;
    if (selectAfter >= 0)
        view->SelectItem(selectAfter, TRUE);
    if (parentRow >= 0 && parentRow < row - 1)
        view->RedrawItems(parentRow, row - 1);
}

BOOL VqsTreeItem::Update()
{
    if (IsShown() && !IsListed() && !InsertRow()) {
        if (m_pParent) {
            m_pParent->RemoveChild(this);
            return FALSE;
        }
        return TRUE;
    }
    InsertChildRows();
    UpdateRow(FALSE);
    return TRUE;
}

void VqsTreeItem::InsertChildRows()
{
    if (!m_childRowsToMake)
        return;
    m_childRowsToMake = false;
    for (POSITION position = m_children.GetHeadPosition(); position;) {
        VqsTreeItem* child = m_children.GetNext(position);
        if (child->IsShown() && !child->IsListed() && !child->InsertRow())
            m_childRowsToMake = true;
    }
}

BOOL VqsTreeItem::UpdateFromRoot()
{
    std::vector<VqsTreeItem*> chain;
    for (VqsTreeItem* item = this; item; item = item->m_pParent)
        chain.push_back(item);
    for (auto item = chain.rbegin(); item != chain.rend(); ++item) {
        if (!(*item)->Update())
            return FALSE;
    }
    return TRUE;
}

void VqsTreeItem::UpdateRow(BOOL redraw)
{
    VqsTreeItem* item = NearestShown();
    if (!item)
        return;
    const BOOL shown = item->HasShownChild();
    const int old = item->m_nState;
    if (old == Leaf || old == Collapsed) {
        item->UpdateState();
        if (shown)
            item->SetState(Expanded);
    } else if (old == Expanded && !shown) {
        item->SetState(item->HasChildThatCounts() ? Collapsed : Leaf);
    }
    if (redraw && item->m_nState != old)
        item->RedrawOwnRow();
}

void VqsTreeItem::Expand()
{
    if (m_nState != Collapsed && m_nState != Hidden && m_nState != HiddenAboveRoot)
        return;
    ReleaseChildren();
    try {
        VqsSortBatch batch(GetTreeView());
        FillChildren(1);
        if (m_nState != Hidden)
            SetState(m_children.IsEmpty() ? Leaf : Expanded);
    } catch (VqReportableException& error) {
        ShowErrorById(IDS_CANNOT_EXPAND, error);
        return;
    }
    RedrawOwnRow();
}

void VqsTreeItem::Collapse()
{
    if (m_nState != Expanded)
        return;
    VqsRedrawSwitch redraw(GetView());
    DeleteChildren();
    SetState(Collapsed);
    RedrawOwnRow();
}

// Each level opens its own batch, so the rows are sorted once, when the outermost one ends.
// A failure stops the branch below the item that could not be filled.
void VqsTreeItem::ExpandBranch()
{
    if (m_nState == Leaf)
        return;
    VqsValueScope<int> expanding(s_branchExpansions, s_branchExpansions + 1);
    try {
        VqsSortBatch batch(GetTreeView());
        if (m_nState == Collapsed) {
            FillForBranch(1);
            if (!m_children.IsEmpty())
                SetState(Expanded);
        }
        WalkChildren(ChildrenInListOrder(), [](VqsTreeItem* child) {
            child->ExpandBranch();
            return true;
        });
    } catch (VqReportableException& error) {
        CString context;
        context.LoadString(IDS_CANNOT_EXPAND);
        VqsReportError(context + " " + GetText(), error);
    }
}

void VqsTreeItem::SelectExclusive()
{
    VqsTreeItem* item = NearestShown();
    VqsListView* view = item ? item->GetView() : nullptr;
    if (!view)
        return;
    // Only the rows whose selection changes are touched, in the order of the rows: the
    // selected rows but the item's, and the item's row unless it is selected.
    CListCtrl& list = view->GetListCtrl();
    const int wanted = item->FindRow();
    std::vector<int> changing;
    for (int row = list.GetNextItem(-1, LVNI_SELECTED); row >= 0; row = list.GetNextItem(row, LVNI_SELECTED)) {
        if (row != wanted)
            changing.push_back(row);
    }
    if (wanted >= 0 && !(list.GetItemState(wanted, LVIS_SELECTED) & LVIS_SELECTED))
        changing.insert(std::lower_bound(changing.begin(), changing.end(), wanted), wanted);
    for (const int row : changing)
        list.SetItemState(row, row == wanted ? LVIS_SELECTED : 0, LVIS_SELECTED);
}

void VqsTreeItem::FocusRow()
{
    VqsTreeItem* item = NearestShown();
    const int row = item ? item->FindRow() : -1;
    if (row >= 0)
        item->GetView()->FocusItem(row, TRUE);
}

void VqsTreeItem::EnsureVisible()
{
    const int row = FindRow();
    if (row >= 0)
        GetView()->EnsureVisible(row);
}

// ---------------------------------------------------------------- root pinning

void VqsTreeItem::SetAsRoot()
{
    if (m_pParent && GetShownParent())
        m_pParent->PinChild(this);
}

void VqsTreeItem::PinChild(VqsTreeItem* child)
{
    for (VqsTreeItem* item = this; item && !item->m_pPinnedChild; child = item, item = item->m_pParent) {
        for (POSITION position = item->m_children.GetHeadPosition(); position;) {
            POSITION current = position;
            if (item->m_children.GetNext(position) != child)
                item->DeleteChild(current, TRUE);
        }
        item->m_pPinnedChild = child;
        if (item->m_nState != Hidden)
            item->SetState(HiddenAboveRoot);
        if (VqsListView* view = item->GetView())
            view->RemoveItem(item);
    }
}

BOOL VqsTreeItem::MakeVisible()
{
    VqsTreeItem* pinned = m_pPinnedChild;
    if (!pinned)
        return TRUE;
    if (!pinned->MakeVisible())
        return FALSE;
    m_pPinnedChild = nullptr;
    if (m_nState == HiddenAboveRoot) {
        SetState(Leaf);
        if (!InsertRow()) {
            SetState(HiddenAboveRoot);
            m_pPinnedChild = pinned;
            return FALSE;
        }
    }
    return FillForMakeVisible(pinned);
}

BOOL VqsTreeItem::FillForMakeVisible(VqsTreeItem* pinned)
{
    try {
        VqsSortBatch batch(GetTreeView());
        FillChildren(1);
    } catch (VqReportableException& error) {
        if (VqsListView* view = GetView())
            view->RemoveItem(this);
        if (m_nState != Hidden)
            SetState(HiddenAboveRoot);
        m_pPinnedChild = pinned;
        CString context;
        context.FormatMessage(IDS_CANNOT_MAKE_VISIBLE, GetDisplayText());
        VqsReportError(context, error);
        return FALSE;
    }
    if (m_nState != Hidden)
        SetState(Expanded);
    return TRUE;
}

void VqsTreeItem::BecomeRoot()
{
    VqsTreeView* view = GetTreeView();
    VqsRedrawSwitch redraw(view);
    VqsTreeItem* old = m_pPinnedChild;
    SetState(Leaf);
    m_pPinnedChild = nullptr;
    if (!InsertRow()) {
        SetState(HiddenAboveRoot);
        m_pPinnedChild = old;
        return;
    }
    if (!old)
        return;
    const CString oldText = old->GetDisplayText();
    RemoveChild(old);
    CFrameWnd* frame = view ? view->GetParentFrame() : nullptr;
    CFrameWnd* active = frame ? frame->GetActiveFrame() : nullptr;
    if (!active || (active != frame && !active->IsChild(frame)))
        return;
    CString text;
    text.FormatMessage(IDS_NEW_ROOT, oldText, GetDisplayText());
    VqsMessageBox(text);
}
