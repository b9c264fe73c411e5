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

constexpr UINT IDR_HOST_MENU = 133;
constexpr UINT IDS_REFRESHING_VIEWS = 61524;
constexpr UINT IDS_HOST_NAME = 61674;
constexpr UINT IDS_HOST_TYPE = 61675;
constexpr UINT IDS_HOST_ADDRESS = 61609;
constexpr UINT IDS_HOST_PORT = 61610;
constexpr int kColumns = 4;

} // namespace

BEGIN_MESSAGE_MAP(VqsHostView, VqsHostFrameListView)
    ON_COMMAND(VqsHostView::ID_ADD_HOST, &VqsHostView::OnAddHost)
    ON_WM_CONTEXTMENU()
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
    SortRows();
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
        SortRows();
    }
}

void VqsHostView::RemoveHostItem(const PxVQObjectPtr& host)
{
    VqsListItemHost* item = FindItem(PxVQHostInformationPtr(host));
    if (!item)
        return;
    RemoveRowOf(item);
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

int VqsHostView::GetColumnCount() { return kColumns; }

CString VqsHostView::GetFindTitle() { return VqsGetObjectKindName(PxKindHost); }

int VqsHostView::GetCommandState(UINT id, int* enabled, int* checked)
{
    if (id == ID_ADD_HOST)
        *enabled = 1;
    return VqsHostFrameListView::GetCommandState(id, enabled, checked);
}

void VqsHostView::Refresh(VqsModel* model)
{
    for (POSITION pos = m_items.GetHeadPosition(); pos;) {
        VqsListItemHost* item = m_items.GetNext(pos);
        model->GetRootNode().FindOrCreateHostNode(item->m_pHost, false);
    }
}

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
    if (!LockEnterprise(model, bag))
        return;
    PxVQHostInformationPtr host = model.RunNewHostSheet(bag);
    // The sheet's loop may have closed the view.
    if (host && m_hWnd)
        SelectHost(host);
}

void VqsHostView::OnOpenSelected()
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
    DeleteLockedNodes([&hosts](VqsModel& model, VqsLockBag& bag, CObList& nodes) {
        for (const PxVQHostInformationPtr& host : hosts) {
            if (VqsModelNodeHost* node = model.LockHostNode(bag, host))
                nodes.AddTail(node);
        }
    });
    if (VqsListFrame* frame = GetListFrame()) {
        VqsListItemHost* item = FindItem(GetSelectedHost());
        frame->SetStatusText(item ? item->m_strName.GetString() : "");
    }
}
