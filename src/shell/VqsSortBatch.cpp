#include "shell/VqsSortBatch.h"

#include "shell/VqsTreeItem.h"
#include "shell/VqsTreeView.h"
#include "shell/VqsValueScope.h"
#include "win/Collections.h"

#include <algorithm>
#include <unordered_map>
#include <vector>

namespace {

// Open batches per view and how deeply they nest; user-interface thread only.
CMap<VqsTreeView*, VqsTreeView*, int, int>& OpenBatches()
{
    static CMap<VqsTreeView*, VqsTreeView*, int, int> batches(10);
    return batches;
}

// The rows' items with their shown ancestors, from the top down, found once a sort. Two rows
// come in the order of the first of those in which they differ, which are siblings in the
// displayed tree: a comparison climbs no further, whatever lies between them.
class ShownPaths {
public:
    const std::vector<VqsTreeItem*>& Of(VqsTreeItem* item)
    {
        const auto [found, added] = m_paths.try_emplace(item);
        if (added) {
            for (VqsTreeItem* shown = item; shown; shown = shown->GetShownParent())
                found->second.push_back(shown);
            std::reverse(found->second.begin(), found->second.end());
        }
        return found->second;
    }

private:
    std::unordered_map<VqsTreeItem*, std::vector<VqsTreeItem*>> m_paths;
};

ShownPaths* g_paths = nullptr;

// Tree order whatever column and direction the sort is given: the rows' data are the items.
int CompareTreeOrder(LPARAM first, LPARAM second, LPARAM)
{
    const std::vector<VqsTreeItem*>& a = g_paths->Of(static_cast<VqsTreeItem*>(reinterpret_cast<VqsListItem*>(first)));
    const std::vector<VqsTreeItem*>& b = g_paths->Of(static_cast<VqsTreeItem*>(reinterpret_cast<VqsListItem*>(second)));
    const auto [differA, differB] = std::mismatch(a.begin(), a.end(), b.begin(), b.end());
    if (differA == a.end())
        return differB == b.end() ? 0 : -1;
    if (differB == b.end())
        return 1;
    return (*differA)->Compare(*differB);
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
    ShownPaths paths;
    VqsValueScope<ShownPaths*> sorting(g_paths, &paths);
    view->SortItems(column, TRUE, CompareTreeOrder);
}
