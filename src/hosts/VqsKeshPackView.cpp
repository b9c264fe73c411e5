#include "hosts/VqsKeshPackView.h"

#include "hosts/VqsHostListFrame.h"
#include "hosts/VqsHostViewSupport.h"
#include "model/VqsLockBag.h"
#include "model/VqsModel.h"
#include "model/VqsModelNodeHost.h"
#include "proxy/PxObjectKind.h"
#include "shell/StatusMessage.h"
#include "shell/VqsDisplayNames.h"
#include "shell/VqsSysApp.h"
#include "win/ListView.h"

namespace {

constexpr UINT IDR_PACK_MENU = 138;
constexpr UINT IDS_REFRESHING_VIEWS = 61524;
constexpr UINT IDS_PACK = 61676;
constexpr UINT IDS_TYPE = 61532;
constexpr UINT IDS_TYPE_DISK = 61535;
constexpr UINT IDS_TYPE_TABLESPACE = 61534;
constexpr int kColumns = 2;

} // namespace

BEGIN_MESSAGE_MAP(VqsKeshPackView, VqsHostFrameListView)
    ON_WM_CONTEXTMENU()
    ON_UPDATE_COMMAND_UI(VqsKeshPackView::ID_ADD_PACK, &VqsKeshPackView::OnUpdateCommand)
    ON_COMMAND(VqsKeshPackView::ID_ADD_PACK, &VqsKeshPackView::OnAddPack)
END_MESSAGE_MAP()

void VqsKeshPackView::PackItem::Load()
{
    m_strName = m_pPack->GetName();
    m_nPackType = m_pPack->GetPackType();
    m_bHasAssociationData = PackHasAssociationData(m_pPack) ? 1 : 0;
}

BOOL VqsKeshPackView::PackItem::GetOverlayImage(VqsImageRef& image)
{
    image = VqsImageRef{m_bHasAssociationData ? 1 : 0, 0};
    return TRUE;
}

VqsKeshPackView::VqsKeshPackView() = default;

VqsKeshPackView::~VqsKeshPackView()
{
    while (!m_items.IsEmpty())
        delete m_items.RemoveHead();
}

// ---------------------------------------------------------------- filling

void VqsKeshPackView::OnInitialUpdate()
{
    vqshosts::SetListStyle(this);
    const CString titles[kColumns] = {vqshosts::LoadText(IDS_PACK), vqshosts::LoadText(IDS_TYPE)};
    const VqsColumnSpec columns[kColumns] = {{titles[0].GetString(), 3}, {titles[1].GetString(), 1}};
    InsertColumns(columns, m_nSortColumn, m_nSortDirection > 0);
    VqsSysApp* app = VqsGetApp();
    PxVQEnterprisePtr enterprise = app ? app->GetEnterprise() : PxVQEnterprisePtr();
    if (!enterprise)
        return;
    PxTypedList<PxVQPackInformationPtr> packs;
    enterprise->GetListOfPackInformations(packs);
    const CList<PxVQPackInformationPtr, const PxVQPackInformationPtr&>& list = packs;
    for (POSITION pos = list.GetHeadPosition(); pos;)
        AddItem(list.GetNext(pos));
    SortRows();
}

void VqsKeshPackView::AddItem(const PxVQPackInformationPtr& pack)
{
    auto* item = new PackItem(pack);
    m_items.AddTail(item);
    if (vqshosts::AppendRow(this, item) >= 0)
        item->SetListed(true);
}

void VqsKeshPackView::OnObjectChanged(int hint, const PxVQObjectPtr* object, const PxVQObjectPtr*)
{
    if (hint == VqsHostGone)
        ReloadAllItems();
    else if (hint == VqsPackGone && object)
        RemovePackItem(*object);
    else if (hint == VqsKindPack && object)
        UpdatePackItem(PxVQPackInformationPtr(*object));
}

// Removing a host may have taken the only association data of a pack with it.
void VqsKeshPackView::ReloadAllItems()
{
    CWaitCursor wait;
    for (POSITION pos = m_items.GetHeadPosition(); pos;)
        m_items.GetNext(pos)->Load();
    RedrawAllItems();
    UpdateWindow();
}

void VqsKeshPackView::RemovePackItem(const PxVQObjectPtr& pack)
{
    PackItem* item = FindItem(PxVQPackInformationPtr(pack));
    if (!item)
        return;
    RemoveRowOf(item);
    if (POSITION pos = m_items.Find(item))
        m_items.RemoveAt(pos);
    delete item;
}

void VqsKeshPackView::UpdatePackItem(const PxVQPackInformationPtr& pack)
{
    if (!pack)
        return;
    PackItem* item = FindItem(pack);
    if (!item) {
        AddItem(pack);
        return;
    }
    item->Load();
    const int row = FindItemIndex(item);
    if (row < 0)
        return;
    RedrawItems(row, row);
    SortRows();
    if (VqsListFrame* frame = GetListFrame())
        frame->PostUpdateAllCommands();
}

// ---------------------------------------------------------------- rows

VqsKeshPackView::PackItem* VqsKeshPackView::ItemOfRow(int row)
{
    if (row < 0 || row >= GetListCtrl().GetItemCount())
        return nullptr;
    return static_cast<PackItem*>(ItemFromData(static_cast<LPARAM>(GetListCtrl().GetItemData(row))));
}

VqsKeshPackView::PackItem* VqsKeshPackView::GetFirstSelectedItem()
{
    return ItemOfRow(GetListCtrl().GetNextItem(-1, LVNI_SELECTED));
}

VqsKeshPackView::PackItem* VqsKeshPackView::FindItem(const PxVQPackInformationPtr& pack)
{
    if (!pack)
        return nullptr;
    for (POSITION pos = m_items.GetHeadPosition(); pos;) {
        PackItem* item = m_items.GetNext(pos);
        if (item->m_pPack->IsSameOid(pack))
            return item;
    }
    return nullptr;
}

void VqsKeshPackView::SelectItem(PackItem* item)
{
    SelectOnly(FindItemIndex(item));
    OnSelectionChanged();
}

void VqsKeshPackView::OnSelectionChanged()
{
    VqsHostListFrame* frame = GetHostFrame();
    if (!frame)
        return;
    PackItem* item = GetFirstSelectedItem();
    frame->SetCurrentPack(item ? item->m_pPack : PxVQPackInformationPtr());
    if (frame->GetCurrentView() == this)
        frame->SetStatusText(item ? item->m_strName.GetString() : "");
}

// ---------------------------------------------------------------- the list view's questions

VqsListItem* VqsKeshPackView::ItemFromData(LPARAM itemData) { return reinterpret_cast<PackItem*>(itemData); }

CString VqsKeshPackView::GetColumnText(VqsListItem* listItem, int column)
{
    auto* item = dynamic_cast<PackItem*>(listItem);
    if (!item)
        return CString();
    switch (column) {
    case 0:
        return item->m_strName;
    case 1:
        if (item->m_nPackType == VQPackPath)
            return vqshosts::LoadText(IDS_TYPE_DISK);
        if (item->m_nPackType == VQPackTablespace)
            return vqshosts::LoadText(IDS_TYPE_TABLESPACE);
        return CString();
    default:
        return CString("***");
    }
}

int VqsKeshPackView::GetColumnCount() { return kColumns; }

CString VqsKeshPackView::GetFindTitle() { return VqsGetObjectKindName(PxKindPack); }

int VqsKeshPackView::GetCommandState(UINT id, int* enabled, int* checked)
{
    if (id == ID_ADD_PACK || id == ID_ADD)
        *enabled = 1;
    return VqsHostFrameListView::GetCommandState(id, enabled, checked);
}

void VqsKeshPackView::Refresh(VqsModel* model)
{
    for (POSITION pos = m_items.GetHeadPosition(); pos;)
        model->GetPackNode(m_items.GetNext(pos)->m_pPack);
}

void VqsKeshPackView::OnContextMenu(CWnd*, CPoint point)
{
    VqsFindMdiChildAncestor(this);
    int row = -1;
    if (!vqshosts::HitTestForMenu(this, point, row))
        return;
    PackItem* item = ItemOfRow(row);
    if (item && item != GetFirstSelectedItem())
        SelectItem(item);
    vqshosts::TrackContextMenu(this, IDR_PACK_MENU, point);
}

// ---------------------------------------------------------------- commands

void VqsKeshPackView::OnAddPack()
{
    VqsModel model;
    VqsLockBag bag(VqsReadLock);
    if (!LockEnterprise(model, bag))
        return;
    const PxVQPackInformationPtr pack = model.CreatePack(bag);
    // The dialog's loop may have closed the view.
    if (!m_hWnd)
        return;
    if (PackItem* item = FindItem(pack))
        SelectItem(item);
}

void VqsKeshPackView::OnOpenSelected()
{
    PackItem* item = GetFirstSelectedItem();
    if (!item)
        return;
    VqsModel model;
    VqsLockBag bag(VqsReadLock);
    VqsModelNodePack* node = nullptr;
    {
        StatusMessage status(GetListFrame(), IDS_REFRESHING_VIEWS);
        CWaitCursor wait;
        node = model.LockPackNode(bag, item->m_pPack);
    }
    if (!node)
        return;
    VqsHostListFrame* frame = GetHostFrame();
    model.EditPack(bag, node, frame ? frame->GetCurrentHost() : PxVQHostInformationPtr());
}

void VqsKeshPackView::OnDelete()
{
    std::vector<PxVQPackInformationPtr> packs;
    for (int row : vqshosts::SelectedRows(this)) {
        PackItem* item = ItemOfRow(row);
        if (!item)
            return;
        packs.push_back(item->m_pPack);
    }
    DeleteLockedNodes([&packs](VqsModel& model, VqsLockBag& bag, CObList& nodes) {
        for (const PxVQPackInformationPtr& pack : packs) {
            if (VqsModelNodePack* node = model.LockPackNode(bag, pack))
                nodes.AddTail(node);
        }
    });
    if (VqsListFrame* frame = GetListFrame()) {
        PackItem* item = GetFirstSelectedItem();
        frame->SetStatusText(item ? item->m_strName.GetString() : "");
    }
}
