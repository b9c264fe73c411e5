#include "shell/VqsSortBatch.h"

#include "shell/VqsTreeItem.h"
#include "shell/VqsTreeView.h"
#include "win/Collections.h"

#include <algorithm>
#include <unordered_map>
#include <unordered_set>
#include <vector>

namespace {

// The open batches of a view: how deeply they nest, and the trees' change count when the
// outermost one opened.
struct OpenBatch {
    int count = 0;
    unsigned long long changesAtOpen = 0;
};

// Open batches per view; user-interface thread only.
// Made as the library loads, not at first use: the module's end, which may use it, finds it.
CMap<VqsTreeView*, VqsTreeView*, OpenBatch, const OpenBatch&> g_openBatches(10);

CMap<VqsTreeView*, VqsTreeView*, OpenBatch, const OpenBatch&>& OpenBatches() { return g_openBatches; }

// Puts the rows in tree order by walking the displayed tree once a sort: the rows' items and
// their shown ancestors, each item's shown children in the order the items compare in (a
// sibling group already in order, as rows filled from an ordered list come, is only checked),
// a parent before its children. Each row's item is given its place, which the sort compares.
class TreePlaces {
public:
    explicit TreePlaces(const std::vector<VqsTreeItem*>& rows)
    {
        std::unordered_set<VqsTreeItem*> reached;
        std::vector<VqsTreeItem*> tops;
        for (VqsTreeItem* row : rows) {
            for (VqsTreeItem* item = row; item && reached.insert(item).second;) {
                VqsTreeItem* parent = item->GetShownParent();
                (parent ? m_children[parent] : tops).push_back(item);
                item = parent;
            }
        }
        Place(tops);
    }

private:
    void Place(std::vector<VqsTreeItem*>& siblings)
    {
        const auto before = [](VqsTreeItem* a, VqsTreeItem* b) { return a->Compare(b) < 0; };
        if (!std::is_sorted(siblings.begin(), siblings.end(), before))
            std::stable_sort(siblings.begin(), siblings.end(), before);
        for (VqsTreeItem* item : siblings) {
            item->SetTreePlace(m_next++);
            const auto children = m_children.find(item);
            if (children != m_children.end())
                Place(children->second);
        }
    }

    std::unordered_map<VqsTreeItem*, std::vector<VqsTreeItem*>> m_children;
    std::size_t m_next = 0;
};

VqsTreeItem* ItemOf(LPARAM data) { return static_cast<VqsTreeItem*>(reinterpret_cast<VqsListItem*>(data)); }

// Tree order whatever column and direction the sort is given: the rows' data are the items.
int CompareTreeOrder(LPARAM first, LPARAM second, LPARAM)
{
    const std::size_t a = ItemOf(first)->GetTreePlace();
    const std::size_t b = ItemOf(second)->GetTreePlace();
    return a < b ? -1 : a > b ? 1 : 0;
}

} // namespace

VqsSortBatch::VqsSortBatch(VqsTreeView* view) : m_pView(view), m_redraw(view)
{
    if (!m_pView)
        return;
    OpenBatch& batch = OpenBatches()[m_pView];
    if (batch.count++ == 0)
        batch.changesAtOpen = VqsTreeItem::ChangeCount();
}

// The rows can have left tree order only through a change of the trees while the batch was
// open (a row appended, a state that hides or shows rows); without one they are not sorted.
VqsSortBatch::~VqsSortBatch()
{
    OpenBatch batch;
    if (!m_pView || !OpenBatches().Lookup(m_pView, batch))
        return;
    if (batch.count > 1) {
        OpenBatches()[m_pView].count = batch.count - 1;
        return;
    }
    if (m_pView->IsSorted() && VqsTreeItem::ChangeCount() != batch.changesAtOpen)
        SortInTreeOrder(m_pView, 0);
    OpenBatches().RemoveKey(m_pView);
}

BOOL VqsSortBatch::InsertInPlace(VqsTreeView* view)
{
    OpenBatch batch;
    return !view->IsSorted() || !OpenBatches().Lookup(view, batch);
}

void VqsSortBatch::SortInTreeOrder(VqsTreeView* view, int column)
{
    CListCtrl& list = view->GetListCtrl();
    std::vector<VqsTreeItem*> rows;
    rows.reserve(static_cast<std::size_t>(list.GetItemCount()));
    for (int row = 0, count = list.GetItemCount(); row < count; ++row)
        rows.push_back(ItemOf(static_cast<LPARAM>(list.GetItemData(row))));
    const TreePlaces placed(rows);
    view->SortItems(column, TRUE, CompareTreeOrder);
}
