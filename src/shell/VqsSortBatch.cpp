#include "shell/VqsSortBatch.h"

#include "shell/VqsTreeItem.h"
#include "shell/VqsTreeView.h"
#include "win/Collections.h"

namespace {

// Open batches per view and how deeply they nest; user-interface thread only.
CMap<VqsTreeView*, VqsTreeView*, int, int>& OpenBatches()
{
    static CMap<VqsTreeView*, VqsTreeView*, int, int> batches(10);
    return batches;
}

// Tree order whatever column and direction the sort is given: the rows' data are the items.
int CompareTreeOrder(LPARAM first, LPARAM second, LPARAM)
{
    auto* a = static_cast<VqsTreeItem*>(reinterpret_cast<VqsListItem*>(first));
    auto* b = static_cast<VqsTreeItem*>(reinterpret_cast<VqsListItem*>(second));
    return a->Compare(b);
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
        m_pView->SortItems(0, TRUE, CompareTreeOrder);
    VqsTreeItem::OrderChanged();
    OpenBatches().RemoveKey(m_pView);
}

BOOL VqsSortBatch::InsertInPlace(VqsTreeView* view)
{
    int count = 0;
    return !view->IsSorted() || !OpenBatches().Lookup(view, count);
}
