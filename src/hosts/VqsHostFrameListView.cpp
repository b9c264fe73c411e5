#include "hosts/VqsHostFrameListView.h"

#include "hosts/VqsHostListFrame.h"
#include "hosts/VqsHostViewSupport.h"
#include "model/VqsLockBag.h"
#include "model/VqsModel.h"
#include "shell/StatusMessage.h"
#include "shell/VqsSysApp.h"
#include "win/ListView.h"

namespace {

constexpr UINT ID_EDIT_DELETE = 57632;
constexpr UINT ID_EDIT_SELECT_ALL = 57642;
constexpr UINT IDS_REFRESHING_VIEWS = 61524;
constexpr UINT IDS_REMOVING_DATA = 61596;

} // namespace

BEGIN_MESSAGE_MAP(VqsHostFrameListView, VqsListView)
    ON_NOTIFY_REFLECT(LVN_ITEMCHANGED, &VqsHostFrameListView::OnItemChanged)
    ON_NOTIFY_REFLECT(LVN_COLUMNCLICK, &VqsHostFrameListView::OnColumnClick)
    ON_NOTIFY_REFLECT(NM_DBLCLK, &VqsHostFrameListView::OnDblClk)
    ON_NOTIFY_REFLECT(LVN_KEYDOWN, &VqsHostFrameListView::OnKeyDown)
    ON_UPDATE_COMMAND_UI(ID_EDIT_DELETE, &VqsHostFrameListView::OnUpdateCommand)
    ON_UPDATE_COMMAND_UI(ID_EDIT_SELECT_ALL, &VqsHostFrameListView::OnUpdateCommand)
    ON_COMMAND(ID_EDIT_DELETE, &VqsHostFrameListView::OnDelete)
    ON_COMMAND(ID_EDIT_SELECT_ALL, &VqsHostFrameListView::OnSelectAll)
    ON_COMMAND(VqsHostFrameListView::ID_OPEN_SELECTED, &VqsHostFrameListView::OnOpenSelected)
    ON_COMMAND(VqsHostFrameListView::ID_OPTIONS, &VqsHostFrameListView::OnOpenSelected)
END_MESSAGE_MAP()

VqsHostListFrame* VqsHostFrameListView::GetHostFrame() const
{
    return dynamic_cast<VqsHostListFrame*>(GetListFrame());
}

void VqsHostFrameListView::SortRows() { SortItems(m_nSortColumn, m_nSortDirection > 0, nullptr); }

void VqsHostFrameListView::RemoveRowOf(VqsListItem* item)
{
    const int row = FindItemIndex(item);
    if (row < 0)
        return;
    const BOOL selected = (GetListCtrl().GetItemState(row, LVIS_SELECTED) & LVIS_SELECTED) != 0;
    RemoveItem(item);
    if (selected)
        OnSelectionChanged();
}

VqsModelNodeEnterprise* VqsHostFrameListView::LockEnterprise(VqsModel& model, VqsLockBag& bag)
{
    StatusMessage status(GetListFrame(), IDS_REFRESHING_VIEWS);
    CWaitCursor wait;
    VqsSysApp* app = VqsGetApp();
    return app ? model.LockEnterpriseNode(bag, app->GetEnterprise()) : nullptr;
}

void VqsHostFrameListView::DeleteLockedNodes(
    const std::function<void(VqsModel&, VqsLockBag&, CObList&)>& lockNodes)
{
    VqsModel model;
    CObList nodes;
    VqsLockBag bag(VqsReadLock);
    {
        StatusMessage status(GetListFrame(), IDS_REFRESHING_VIEWS);
        CWaitCursor wait;
        lockNodes(model, bag, nodes);
    }
    StatusMessage status(GetListFrame(), IDS_REMOVING_DATA);
    model.DeleteNodes(bag, nodes, true);
}

// ---------------------------------------------------------------- the list view's questions

int VqsHostFrameListView::CompareListItems(VqsListItem* a, VqsListItem* b)
{
    return CompareItems(m_nSortColumn, m_nSortDirection > 0, a, b);
}

int VqsHostFrameListView::GetItemImage(VqsListItem*) { return 0; }

int VqsHostFrameListView::GetCommandState(UINT id, int* enabled, int* checked)
{
    CListCtrl& list = GetListCtrl();
    const UINT selected = list.GetSelectedCount();
    switch (id) {
    case ID_OPTIONS:
    case ID_OPEN_SELECTED:
        *enabled = selected == 1;
        break;
    case ID_EDIT_DELETE:
        *enabled = selected > 0;
        break;
    case ID_EDIT_SELECT_ALL:
        *enabled = static_cast<int>(selected) < list.GetItemCount();
        break;
    default:
        break;
    }
    return VqsListView::GetCommandState(id, enabled, checked);
}

void VqsHostFrameListView::OnActivateView(BOOL activate, CView* activateView, CView* deactiveView)
{
    VqsListView::OnActivateView(activate, activateView, deactiveView);
    if (activate)
        OnSelectionChanged();
}

// ---------------------------------------------------------------- notifications

void VqsHostFrameListView::OnItemChanged(NMHDR* header, LRESULT* result)
{
    const auto* change = reinterpret_cast<const NMLISTVIEW*>(header);
    if ((change->uChanged & LVIF_STATE) && ((change->uNewState ^ change->uOldState) & LVIS_SELECTED))
        OnSelectionChanged();
    *result = 0;
}

void VqsHostFrameListView::OnColumnClick(NMHDR* header, LRESULT* result)
{
    const int column = reinterpret_cast<const NMLISTVIEW*>(header)->iSubItem;
    m_nSortDirection = column == m_nSortColumn ? -m_nSortDirection : 1;
    m_nSortColumn = column;
    SortRows();
    *result = 0;
}

void VqsHostFrameListView::OnDblClk(NMHDR*, LRESULT* result)
{
    int enabled = 0;
    int checked = 0;
    GetCommandState(ID_OPEN_SELECTED, &enabled, &checked);
    if (enabled)
        OnOpenSelected();
    *result = 0;
}

// The Delete key does what the Delete command does in its present state: with nothing
// selected, nothing.
void VqsHostFrameListView::OnKeyDown(NMHDR* header, LRESULT* result)
{
    *result = 0;
    if (!vqshosts::HandleListKey(this, reinterpret_cast<const NMLVKEYDOWN*>(header)->wVKey))
        return;
    int enabled = 0;
    int checked = 0;
    GetCommandState(ID_EDIT_DELETE, &enabled, &checked);
    if (enabled)
        OnDelete();
}

void VqsHostFrameListView::OnUpdateCommand(CCmdUI* cmdUI)
{
    int enabled = 0;
    int checked = 0;
    GetCommandState(cmdUI->m_nID, &enabled, &checked);
    cmdUI->Enable(enabled);
}

void VqsHostFrameListView::OnSelectAll() { vqshosts::SelectAllRows(this); }
