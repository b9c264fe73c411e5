#include "hosts/VqsHostView.h"

#include "hosts/VqsHostListFrame.h"
#include "hosts/VqsHostViewSupport.h"
#include "model/VqsLockBag.h"
#include "model/VqsModel.h"
#include "model/VqsModelNodeHost.h"
#include "proxy/PxObjectKind.h"
#include "proxy/PxVQLink.h"
#include "shell/StatusMessage.h"
#include "shell/VqsDisplayNames.h"
#include "shell/VqsSysApp.h"
#include "win/ListView.h"

namespace {

constexpr UINT ID_EDIT_DELETE = 57632;
constexpr UINT ID_EDIT_SELECT_ALL = 57642;
constexpr UINT IDR_HOST_MENU = 133;
constexpr UINT IDS_REFRESHING_VIEWS = 61524;
constexpr UINT IDS_REMOVING_DATA = 61596;
constexpr UINT IDS_HOST_NAME = 61674;
constexpr UINT IDS_HOST_TYPE = 61675;
constexpr UINT IDS_HOST_ADDRESS = 61609;
constexpr UINT IDS_HOST_PORT = 61610;
constexpr int kColumns = 4;

} // namespace

BEGIN_MESSAGE_MAP(VqsHostView, VqsListView)
    ON_COMMAND(VqsHostView::ID_ADD_HOST, &VqsHostView::OnAddHost)
    ON_COMMAND(ID_EDIT_DELETE, &VqsHostView::OnDelete)
    ON_NOTIFY_REFLECT(LVN_ITEMCHANGED, &VqsHostView::OnItemChanged)
    ON_NOTIFY_REFLECT(LVN_COLUMNCLICK, &VqsHostView::OnColumnClick)
    ON_COMMAND(VqsHostView::ID_OPEN_SELECTED, &VqsHostView::OnOpenHost)
    ON_COMMAND(VqsHostView::ID_OPTIONS, &VqsHostView::OnOpenHost)
    ON_NOTIFY_REFLECT(NM_DBLCLK, &VqsHostView::OnDblClk)
    ON_COMMAND(ID_EDIT_SELECT_ALL, &VqsHostView::OnSelectAll)
    ON_WM_CONTEXTMENU()
    ON_UPDATE_COMMAND_UI(ID_EDIT_DELETE, &VqsHostView::OnUpdateCommand)
    ON_UPDATE_COMMAND_UI(ID_EDIT_SELECT_ALL, &VqsHostView::OnUpdateCommand)
    ON_NOTIFY_REFLECT(LVN_KEYDOWN, &VqsHostView::OnKeyDown)
END_MESSAGE_MAP()

void VqsHostView::VqsListItemHost::Load()
{
    m_strName = m_pHost->GetName();
    m_nHostType = m_pHost->GetHostType();
    m_strAddress = m_pHost->GetAddress();
    m_nPort = static_cast<int>(m_pHost->GetPortNumber());
}

VqsHostView::VqsHostView() = default;

VqsHostView::~VqsHostView()
{
    while (!m_items.IsEmpty())
        delete m_items.RemoveHead();
}

VqsHostListFrame* VqsHostView::GetHostFrame() const { return dynamic_cast<VqsHostListFrame*>(GetListFrame()); }

// ---------------------------------------------------------------- filling

void VqsHostView::OnInitialUpdate()
{
    vqshosts::SetListStyle(this);
    const CString titles[kColumns] = {vqshosts::LoadText(IDS_HOST_NAME), vqshosts::LoadText(IDS_HOST_TYPE),
                                      vqshosts::LoadText(IDS_HOST_ADDRESS), vqshosts::LoadText(IDS_HOST_PORT)};
    const VqsColumnSpec columns[kColumns] = {
        {titles[0].GetString(), 23}, {titles[1].GetString(), 22}, {titles[2].GetString(), 35}, {titles[3].GetString(), 20}};
    InsertColumns(columns, m_nSortColumn, m_nSortDirection > 0);
    VqsSysApp* app = VqsGetApp();
    PxVQLink* link = app ? app->GetLink() : nullptr;
    if (!link)
        return;
    PxVQEnterprisePtr enterprise = link->GetLVQEnterprise();
    if (!enterprise)
        return;
    PxTypedList<PxVQHostInformationPtr> hosts;
    enterprise->GetListOfHostInformations(hosts);
    const CList<PxVQHostInformationPtr, const PxVQHostInformationPtr&>& list = hosts;
    for (POSITION pos = list.GetHeadPosition(); pos;) {
        const PxVQObjectPtr host = list.GetNext(pos);
        OnObjectChanged(VqsKindHost, &host, nullptr);
    }
    SortItems(m_nSortColumn, m_nSortDirection > 0, nullptr);
}

void VqsHostView::OnObjectChanged(int hint, const PxVQObjectPtr* object, const PxVQObjectPtr*)
{
    if (!object)
        return;
    if (hint == VqsHostGone)
        RemoveHostItem(*object);
    else if (hint == VqsKindHost)
        UpdateHostItem(PxVQHostInformationPtr(*object));
}

void VqsHostView::AddItem(const PxVQHostInformationPtr& host)
{
    auto* item = new VqsListItemHost(host);
    m_items.AddTail(item);
    if (vqshosts::AppendRow(this, item) >= 0)
        item->SetListed(true);
}

void VqsHostView::UpdateHostItem(const PxVQHostInformationPtr& host)
{
    if (!host)
        return;
    VqsListItemHost* item = FindItem(host);
    if (!item) {
        AddItem(host);
        return;
    }
    item->Load();
    const int row = FindItemIndex(item);
    if (row >= 0) {
        RedrawItems(row, row);
        SortItems(m_nSortColumn, m_nSortDirection > 0, nullptr);
    }
}

void VqsHostView::RemoveHostItem(const PxVQObjectPtr& host)
{
    VqsListItemHost* item = FindItem(PxVQHostInformationPtr(host));
    if (!item)
        return;
    const int row = FindItemIndex(item);
    if (row >= 0) {
        const BOOL selected = (GetListCtrl().GetItemState(row, LVIS_SELECTED) & LVIS_SELECTED) != 0;
        RemoveItem(item);
        if (selected)
            OnSelectionChanged();
    }
    if (POSITION pos = m_items.Find(item))
        m_items.RemoveAt(pos);
    delete item;
}

// ---------------------------------------------------------------- rows

VqsHostView::VqsListItemHost* VqsHostView::ItemOfRow(int row)
{
    if (row < 0 || row >= GetListCtrl().GetItemCount())
        return nullptr;
    return static_cast<VqsListItemHost*>(ItemFromData(static_cast<LPARAM>(GetListCtrl().GetItemData(row))));
}

VqsHostView::VqsListItemHost* VqsHostView::FindItem(const PxVQHostInformationPtr& host)
{
    if (!host)
        return nullptr;
    for (POSITION pos = m_items.GetHeadPosition(); pos;) {
        VqsListItemHost* item = m_items.GetNext(pos);
        if (item->m_pHost->IsSameOid(host))
            return item;
    }
    return nullptr;
}

PxVQHostInformationPtr VqsHostView::GetCurrentHost()
{
    CListCtrl& list = GetListCtrl();
    if (list.GetItemCount() == 0)
        return PxVQHostInformationPtr();
    const int selected = list.GetNextItem(-1, LVNI_SELECTED);
    VqsListItemHost* item = ItemOfRow(selected >= 0 ? selected : 0);
    return item ? item->m_pHost : PxVQHostInformationPtr();
}

PxVQHostInformationPtr VqsHostView::GetSelectedHost()
{
    CListCtrl& list = GetListCtrl();
    if (list.GetSelectedCount() != 1)
        return PxVQHostInformationPtr();
    VqsListItemHost* item = ItemOfRow(list.GetNextItem(-1, LVNI_SELECTED));
    return item ? item->m_pHost : PxVQHostInformationPtr();
}

void VqsHostView::SelectHost(const PxVQHostInformationPtr& host)
{
    if (VqsListItemHost* item = FindItem(host)) {
        const int row = FindItemIndex(item);
        if (row >= 0)
            SelectOnly(row);
    }
    OnSelectionChanged();
}

void VqsHostView::OnSelectionChanged()
{
    VqsHostListFrame* frame = GetHostFrame();
    if (!frame)
        return;
    const PxVQHostInformationPtr host = GetSelectedHost();
    frame->SetCurrentHost(host);
    if (frame->GetCurrentView() != this)
        return;
    VqsListItemHost* item = FindItem(host);
    frame->SetStatusText(item ? item->m_strName.GetString() : "");
}

// ---------------------------------------------------------------- the list view's questions

int VqsHostView::CompareListItems(VqsListItem* a, VqsListItem* b)
{
    return CompareItems(m_nSortColumn, m_nSortDirection > 0, a, b);
}

VqsListItem* VqsHostView::ItemFromData(LPARAM itemData) { return reinterpret_cast<VqsListItemHost*>(itemData); }

CString VqsHostView::GetColumnText(VqsListItem* listItem, int column)
{
    auto* item = dynamic_cast<VqsListItemHost*>(listItem);
    if (!item)
        return CString();
    switch (column) {
    case 0:
        return item->m_strName;
    case 1:
        return VqsGetHostTypeName(item->m_nHostType);
    case 2:
        return item->m_strAddress;
    case 3: {
        CString port;
        if (item->m_nPort != 0)
            port.Format("%d", item->m_nPort);
        return port;
    }
    default:
        return CString();
    }
}

int VqsHostView::GetItemImage(VqsListItem*) { return 0; }

int VqsHostView::GetColumnCount() { return kColumns; }

CString VqsHostView::GetFindTitle() { return VqsGetObjectKindName(PxKindHost); }

int VqsHostView::GetCommandState(UINT id, int* enabled, int* checked)
{
    CListCtrl& list = GetListCtrl();
    const UINT selected = list.GetSelectedCount();
    switch (id) {
    case ID_ADD_HOST:
        *enabled = 1;
        break;
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

void VqsHostView::Refresh(VqsModel* model)
{
    for (POSITION pos = m_items.GetHeadPosition(); pos;) {
        VqsListItemHost* item = m_items.GetNext(pos);
        model->GetRootNode().FindOrCreateHostNode(item->m_pHost, false);
    }
}

void VqsHostView::OnActivateView(BOOL activate, CView* activateView, CView* deactiveView)
{
    VqsListView::OnActivateView(activate, activateView, deactiveView);
    if (activate)
        OnSelectionChanged();
}

// ---------------------------------------------------------------- notifications

void VqsHostView::OnItemChanged(NMHDR* header, LRESULT* result)
{
    const auto* change = reinterpret_cast<const NMLISTVIEW*>(header);
    if ((change->uChanged & LVIF_STATE) && ((change->uNewState ^ change->uOldState) & LVIS_SELECTED))
        OnSelectionChanged();
    *result = 0;
}

void VqsHostView::OnColumnClick(NMHDR* header, LRESULT* result)
{
    const int column = reinterpret_cast<const NMLISTVIEW*>(header)->iSubItem;
    m_nSortDirection = column == m_nSortColumn ? -m_nSortDirection : 1;
    m_nSortColumn = column;
    SortItems(m_nSortColumn, m_nSortDirection > 0, nullptr);
    *result = 0;
}

void VqsHostView::OnDblClk(NMHDR*, LRESULT* result)
{
    int enabled = 0;
    int checked = 0;
    GetCommandState(ID_OPEN_SELECTED, &enabled, &checked);
    if (enabled)
        OnOpenHost();
    *result = 0;
}

void VqsHostView::OnKeyDown(NMHDR* header, LRESULT* result)
{
    if (vqshosts::HandleListKey(this, reinterpret_cast<const NMLVKEYDOWN*>(header)->wVKey))
        OnDelete();
    *result = 0;
}

void VqsHostView::OnUpdateCommand(CCmdUI* cmdUI)
{
    int enabled = 0;
    int checked = 0;
    GetCommandState(cmdUI->m_nID, &enabled, &checked);
    cmdUI->Enable(enabled);
}

void VqsHostView::OnSelectAll() { vqshosts::SelectAllRows(this); }

void VqsHostView::OnContextMenu(CWnd*, CPoint point)
{
    VqsFindMdiChildAncestor(this);
    int row = -1;
    if (!vqshosts::HitTestForMenu(this, point, row))
        return;
    if (row >= 0 && !(GetListCtrl().GetItemState(row, LVIS_SELECTED) & LVIS_SELECTED))
        SelectOnly(row);
    vqshosts::TrackContextMenu(this, IDR_HOST_MENU, point);
}

// ---------------------------------------------------------------- commands

void VqsHostView::OnAddHost()
{
    VqsModel model;
    VqsLockBag bag(VqsReadLock);
    VqsModelNodeEnterprise* root = nullptr;
    {
        StatusMessage status(GetListFrame(), IDS_REFRESHING_VIEWS);
        CWaitCursor wait;
        VqsSysApp* app = VqsGetApp();
        root = app ? model.LockEnterpriseNode(bag, app->GetEnterprise()) : nullptr;
    }
    if (!root)
        return;
    PxVQHostInformationPtr host = model.RunNewHostSheet(bag);
    if (host)
        SelectHost(host);
}

void VqsHostView::OnOpenHost()
{
    const PxVQHostInformationPtr host = GetSelectedHost();
    VqsModel model;
    VqsLockBag bag(VqsReadLock);
    VqsModelNodeHost* node = nullptr;
    {
        StatusMessage status(GetListFrame(), IDS_REFRESHING_VIEWS);
        CWaitCursor wait;
        node = model.LockHostNode(bag, host);
    }
    if (node)
        model.EditHost(bag, node);
}

void VqsHostView::OnDelete()
{
    std::vector<PxVQHostInformationPtr> hosts;
    for (int row : vqshosts::SelectedRows(this)) {
        VqsListItemHost* item = ItemOfRow(row);
        if (!item)
            return;
        hosts.push_back(item->m_pHost);
    }
    {
        VqsModel model;
        CObList nodes;
        VqsLockBag bag(VqsReadLock);
        {
            StatusMessage status(GetListFrame(), IDS_REFRESHING_VIEWS);
            CWaitCursor wait;
            for (const PxVQHostInformationPtr& host : hosts) {
                if (VqsModelNodeHost* node = model.LockHostNode(bag, host))
                    nodes.AddTail(node);
            }
        }
        StatusMessage status(GetListFrame(), IDS_REMOVING_DATA);
        model.DeleteNodes(bag, nodes, true);
    }
    if (VqsListFrame* frame = GetListFrame()) {
        VqsListItemHost* item = FindItem(GetSelectedHost());
        frame->SetStatusText(item ? item->m_strName.GetString() : "");
    }
}
