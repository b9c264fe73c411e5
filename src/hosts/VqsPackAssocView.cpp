#include "hosts/VqsPackAssocView.h"

#include "hosts/VqsHostListFrame.h"
#include "hosts/VqsHostViewSupport.h"
#include "model/VqsLockBag.h"
#include "model/VqsModel.h"
#include "model/VqsModelNodeHost.h"
#include "proxy/PxObjectKind.h"
#include "proxy/PxTypedList.h"
#include "proxy/VqException.h"
#include "shell/StatusMessage.h"
#include "shell/VqsDisplayNames.h"
#include "shell/VqsMsgBox.h"
#include "win/ListView.h"

namespace {

constexpr UINT IDS_REFRESHING_VIEWS = 61524;
constexpr UINT IDS_CANNOT_ACCESS_PACK = 61530;
constexpr UINT IDS_CANNOT_ACCESS_HOSTS = 61549;
constexpr UINT IDS_VALUE = 61625;
constexpr UINT IDS_ASSOCIATION_OF = 61626;
constexpr UINT IDS_PATH = 61533;
constexpr UINT IDS_TABLESPACE = 61534;
constexpr UINT IDS_FIXED_DISK = 61535;
constexpr UINT IDS_EQUIPMENT = 61536;
constexpr UINT IDS_ACR_NAME = 61537;
constexpr UINT IDS_PACK_1 = 61538;
constexpr UINT IDS_PACK_8 = 61545;
constexpr UINT IDS_YES = 61546;
constexpr UINT IDS_NO = 61547;
constexpr int kColumns = 2;
constexpr int kTarskFirstPackRow = 3;
constexpr int kTarskRows = 11;
constexpr int kPathRows = 2;

int RowCount(int hostType)
{
    switch (hostType) {
    case VQHostNT:
    case VQHostUnix:
        return kPathRows;
    case VQHostTarsk:
        return kTarskRows;
    default:
        return 0;
    }
}

CString PathLabel(int row) { return vqshosts::LoadText(row == 0 ? IDS_PATH : IDS_TABLESPACE); }

CString TarskLabel(int row)
{
    switch (row) {
    case 0:
        return vqshosts::LoadText(IDS_FIXED_DISK);
    case 1:
        return vqshosts::LoadText(IDS_EQUIPMENT);
    case 2:
        return vqshosts::LoadText(IDS_ACR_NAME);
    default:
        return vqshosts::LoadText(row <= kTarskRows - 1 ? IDS_PACK_1 + static_cast<UINT>(row - kTarskFirstPackRow)
                                                        : IDS_PACK_8);
    }
}

template <class Association>
void LoadPathValue(int row, const Association& association, CString& value)
{
    if (row == 0)
        value = association->GetPath();
    else if (row == 1)
        value = association->GetTable();
}

} // namespace

// ---------------------------------------------------------------- rows

VqsPackAssocView::PackAssocItem::PackAssocItem(int row, const PxVQKeshPackAssociationTarskPtr&)
    : m_nRow(row), m_strLabel(TarskLabel(row))
{
}

VqsPackAssocView::PackAssocItem::PackAssocItem(int row, const PxVQKeshPackAssociationUnixPtr&)
    : m_nRow(row), m_strLabel(PathLabel(row))
{
}

VqsPackAssocView::PackAssocItem::PackAssocItem(int row, const PxVQKeshPackAssociationNTPtr&)
    : m_nRow(row), m_strLabel(PathLabel(row))
{
}

void VqsPackAssocView::PackAssocItem::LoadValue(const PxVQKeshPackAssociationTarskPtr& association)
{
    if (m_nRow == 0)
        m_strValue = vqshosts::LoadText(association->GetFixedDisk() ? IDS_YES : IDS_NO);
    else if (m_nRow == 1)
        m_strValue = association->GetEquipmentType();
    else if (m_nRow == 2)
        m_strValue = association->GetAcrName();
    else if (m_nRow < kTarskRows)
        m_strValue = association->GetPackId(m_nRow - 2);
}

void VqsPackAssocView::PackAssocItem::LoadValue(const PxVQKeshPackAssociationUnixPtr& association)
{
    LoadPathValue(m_nRow, association, m_strValue);
}

void VqsPackAssocView::PackAssocItem::LoadValue(const PxVQKeshPackAssociationNTPtr& association)
{
    LoadPathValue(m_nRow, association, m_strValue);
}

// ---------------------------------------------------------------- the view

BEGIN_MESSAGE_MAP(VqsPackAssocView, VqsListView)
    ON_WM_SIZE()
    ON_NOTIFY_REFLECT(NM_DBLCLK, &VqsPackAssocView::OnDblClk)
    ON_COMMAND(VqsPackAssocView::ID_OPEN_SELECTED, &VqsPackAssocView::OnOpen)
    ON_COMMAND(VqsPackAssocView::ID_OPTIONS, &VqsPackAssocView::OnOpen)
END_MESSAGE_MAP()

VqsPackAssocView::VqsPackAssocView() = default;

VqsPackAssocView::~VqsPackAssocView()
{
    while (!m_rows.IsEmpty())
        delete m_rows.RemoveHead();
    m_pAssociation = PxVQHostPackDataPtr();
}

void VqsPackAssocView::OnInitialUpdate()
{
    ModifyStyle(LVS_NOCOLUMNHEADER | LVS_EDITLABELS | LVS_SORTDESCENDING | LVS_SORTASCENDING | LVS_SINGLESEL |
                    LVS_TYPEMASK,
                LVS_REPORT | LVS_OWNERDRAWFIXED | LVS_NOSORTHEADER);
    const CString value = vqshosts::LoadText(IDS_VALUE);
    const VqsColumnSpec columns[kColumns] = {{"", 3}, {value.GetString(), 1}};
    InsertColumns(columns, -1, TRUE);
    SetColumnTitle();
}

void VqsPackAssocView::SetColumnTitle()
{
    CString title;
    title.Format(vqshosts::LoadText(IDS_ASSOCIATION_OF), VqsGetHostTypeName(m_nHostType).GetString());
    SetColumnText(0, title);
}

PxVQHostPackDataPtr VqsPackAssocView::FindHostPackData(const PxVQPackInformationPtr& pack,
                                                       const PxVQHostInformationPtr& host, int* hostType)
{
    try {
        if (!pack || !pack->ObjectPresent() || !host || !host->ObjectPresent())
            return PxVQHostPackDataPtr();
        PxTypedList<PxVQHostPackDataPtr> entries;
        pack->GetListOfHostPackData(entries);
        const CList<PxVQHostPackDataPtr, const PxVQHostPackDataPtr&>& list = entries;
        for (POSITION pos = list.GetHeadPosition(); pos;) {
            const PxVQHostPackDataPtr& entry = list.GetNext(pos);
            if (entry->GetHostInformation()->IsSameOid(host)) {
                *hostType = host->GetHostType();
                return entry;
            }
        }
    } catch (const VqReportableException& error) {
        ShowErrorById(IDS_CANNOT_ACCESS_PACK, error);
    }
    return PxVQHostPackDataPtr();
}

void VqsPackAssocView::SetPackAndHost(const PxVQPackInformationPtr& pack, const PxVQHostInformationPtr& host)
{
    int hostType = 0;
    const PxVQHostPackDataPtr association = FindHostPackData(pack, host, &hostType);
    if (!association) {
        if (m_pAssociation)
            Clear();
        return;
    }
    if (!m_pAssociation) {
        m_pAssociation = association;
        m_nHostType = hostType;
        SetColumnTitle();
    } else if (m_bRebuildOnTypeChange && hostType != m_nHostType) {
        Clear();
        m_pAssociation = association;
        m_nHostType = hostType;
        SetColumnTitle();
    } else {
        m_pAssociation = association;
    }
    m_bRefillPending = TRUE;
    if (m_bPaneShown)
        Fill();
}

VqsPackAssocView::PackAssocItem* VqsPackAssocView::MakeRow(int row)
{
    PackAssocItem* item = nullptr;
    switch (m_nHostType) {
    case VQHostNT:
        item = new PackAssocItem(row, m_pAssociation->GetPackAssociationNT());
        break;
    case VQHostTarsk:
        item = new PackAssocItem(row, m_pAssociation->GetPackAssociationTarsk());
        break;
    case VQHostUnix:
        item = new PackAssocItem(row, m_pAssociation->GetPackAssociationUnix());
        break;
    default:
        return nullptr;
    }
    m_rows.AddTail(item);
    LoadRow(item);
    return item;
}

void VqsPackAssocView::LoadRow(PackAssocItem* item)
{
    switch (m_nHostType) {
    case VQHostNT:
        item->LoadValue(m_pAssociation->GetPackAssociationNT());
        break;
    case VQHostTarsk:
        item->LoadValue(m_pAssociation->GetPackAssociationTarsk());
        break;
    case VQHostUnix:
        item->LoadValue(m_pAssociation->GetPackAssociationUnix());
        break;
    default:
        break;
    }
}

void VqsPackAssocView::BuildRows()
{
    for (int row = 0, rows = RowCount(m_nHostType); row < rows; ++row) {
        if (PackAssocItem* item = MakeRow(row))
            vqshosts::AppendRow(this, item);
    }
}

void VqsPackAssocView::UpdateRows()
{
    CListCtrl& list = GetListCtrl();
    for (int row = 0, rows = RowCount(m_nHostType); row < rows && row < list.GetItemCount(); ++row) {
        auto* item = static_cast<PackAssocItem*>(ItemFromData(static_cast<LPARAM>(list.GetItemData(row))));
        if (item)
            LoadRow(item);
        RedrawAllItems();
        UpdateWindow();
    }
}

void VqsPackAssocView::Fill()
{
    if (!m_pAssociation || !m_bRefillPending)
        return;
    CWaitCursor wait;
    VqsRedrawSwitch redraw = SuspendRedraw();
    try {
        if (m_rows.IsEmpty())
            BuildRows();
        else
            UpdateRows();
    } catch (const VqReportableException& error) {
        ShowErrorById(IDS_CANNOT_ACCESS_PACK, error);
        Clear();
    }
    m_bRefillPending = FALSE;
}

void VqsPackAssocView::Clear()
{
    VqsRedrawSwitch redraw = SuspendRedraw();
    DeleteAllItems();
    while (!m_rows.IsEmpty())
        delete m_rows.RemoveHead();
    m_pAssociation = PxVQHostPackDataPtr();
}

// ---------------------------------------------------------------- the list view's questions

void VqsPackAssocView::OnActivateView(BOOL activate, CView* activateView, CView* deactiveView)
{
    VqsListView::OnActivateView(activate, activateView, deactiveView);
    if (activate) {
        if (VqsListFrame* frame = GetListFrame())
            frame->PostUpdateAllCommands();
    }
}

int VqsPackAssocView::CompareListItems(VqsListItem*, VqsListItem*) { return 0; }

VqsListItem* VqsPackAssocView::ItemFromData(LPARAM itemData) { return reinterpret_cast<PackAssocItem*>(itemData); }

CString VqsPackAssocView::GetColumnText(VqsListItem* listItem, int column)
{
    auto* item = dynamic_cast<PackAssocItem*>(listItem);
    if (!item)
        return CString();
    if (column == 0)
        return item->m_strLabel;
    if (column == 1)
        return item->m_strValue;
    return CString("***");
}

int VqsPackAssocView::GetItemImage(VqsListItem*) { return 0; }

int VqsPackAssocView::GetCommandState(UINT id, int* enabled, int* checked)
{
    if (id == ID_OPTIONS || id == ID_OPEN_SELECTED)
        *enabled = m_pAssociation ? 1 : 0;
    return VqsListView::GetCommandState(id, enabled, checked);
}

void VqsPackAssocView::Refresh(VqsModel*) {}

int VqsPackAssocView::GetColumnCount() { return kColumns; }

CString VqsPackAssocView::GetFindTitle() { return VqsGetObjectKindName(PxKindPackAssociation); }

void VqsPackAssocView::OnObjectChanged(int hint, const PxVQObjectPtr* object, const PxVQObjectPtr*)
{
    if (hint != VqsKindPackAssociation || !m_pAssociation || !object || !*object ||
        !(*object)->IsSameOid(m_pAssociation))
        return;
    m_bRefillPending = TRUE;
    if (m_bPaneShown)
        Fill();
}

// ---------------------------------------------------------------- handlers

void VqsPackAssocView::OnSize(UINT type, int cx, int cy)
{
    VqsListView::OnSize(type, cx, cy);
    if ((type != SIZE_RESTORED && type != SIZE_MAXIMIZED) || !m_hWnd)
        return;
    VqsListFrame* frame = GetListFrame();
    if (cy > 0) {
        if (!m_bPaneShown) {
            if (frame)
                frame->PostUpdateCommand(VqsHostListFrame::ID_VIEW_PACK_ASSOCIATIONS);
            m_bPaneShown = TRUE;
            Fill();
        }
        m_bPaneShown = TRUE;
    } else if (m_bPaneShown) {
        if (frame)
            frame->PostUpdateCommand(VqsHostListFrame::ID_VIEW_PACK_ASSOCIATIONS);
        m_bPaneShown = FALSE;
    }
}

void VqsPackAssocView::OnDblClk(NMHDR*, LRESULT* result)
{
    int enabled = 0;
    int checked = 0;
    GetCommandState(ID_OPEN_SELECTED, &enabled, &checked);
    if (enabled)
        OnOpen();
    *result = 0;
}

void VqsPackAssocView::OnOpen()
{
    if (!m_pAssociation)
        return;
    PxVQHostInformationPtr host;
    PxVQPackInformationPtr pack;
    try {
        host = m_pAssociation->GetHostInformation();
    } catch (const VqReportableException& error) {
        ShowErrorById(IDS_CANNOT_ACCESS_HOSTS, error);
        return;
    }
    try {
        pack = m_pAssociation->GetPackInformation();
    } catch (const VqReportableException& error) {
        ShowErrorById(IDS_CANNOT_ACCESS_PACK, error);
        return;
    }
    VqsModel model;
    VqsLockBag bag(VqsReadLock);
    VqsModelNodePack* node = nullptr;
    {
        StatusMessage status(GetListFrame(), IDS_REFRESHING_VIEWS);
        CWaitCursor wait;
        node = model.LockPackNode(bag, pack);
    }
    if (node)
        model.EditPack(bag, node, host);
}
