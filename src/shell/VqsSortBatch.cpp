#include "shell/VqsSortBatch.h"

#include "shell/VqsTreeItem.h"
#include "shell/VqsTreeView.h"
#include "win/Collections.h"

#include <algorithm>
#include <unordered_map>
#include <unordered_set>
#include <vector>

namespace {

// Open batches per view and how deeply they nest; user-interface thread only.
CMap<VqsTreeView*, VqsTreeView*, int, int>& OpenBatches()
{
    static CMap<VqsTreeView*, VqsTreeView*, int, int> batches(10);
    return batches;
}

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
    if (m_pView)
        ++OpenBatches()[m_pView];
}

VqsSortBatch::~VqsSortBatch()
{
    int count = 0;
    if (!m_pView || !OpenBatches().Lookup(m_pView, count))
        return;
    if (count > 1) {
        OpenBatches()[m_pView] = count - 1;
        return;
    }
    if (m_pView->IsSorted())
        SortInTreeOrder(m_pView, 0);
    VqsTreeItem::OrderChanged();
    OpenBatches().RemoveKey(m_pView);
}

BOOL VqsSortBatch::InsertInPlace(VqsTreeView* view)
{
    int count = 0;
    return !view->IsSorted() || !OpenBatches().Lookup(view, count);
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
