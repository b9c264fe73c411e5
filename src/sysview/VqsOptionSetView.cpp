#include "sysview/VqsOptionSetView.h"

#include "config/VqsNewGenSetSheet.h"
#include "config/VqsOpenPickers.h"
#include "model/VqsCreationLocks.h"
#include "model/VqsFixedSettings.h"
#include "model/VqsLockBag.h"
#include "model/VqsLockScope.h"
#include "model/VqsModel.h"
#include "model/VqsModelNode.h"
#include "model/VqsModelNodeOSet.h"
#include "model/VqsModelNodeSystem.h"
#include "model/VqsRunningGeneration.h"
#include "proxy/PxLink.h"
#include "proxy/PxLockErrorInfo.h"
#include "proxy/PxObjectKind.h"
#include "proxy/PxVQHostInformation.h"
#include "proxy/PxProcess.h"
#include "proxy/PxVQLink.h"
#include "proxy/VqException.h"
#include "shell/StatusMessage.h"
#include "shell/VqsDisplayNames.h"
#include "shell/VqsLockFailure.h"
#include "shell/VqsMsgBox.h"
#include "shell/VqsSysApp.h"
#include "sysview/VqsConfigTreeItem.h"
#include "sysview/VqsDirectoryView.h"
#include "sysview/VqsSysFrame.h"
#include "win/CMenu.h"
#include "win/Clock.h"
#include "win/Input.h"
#include "win/ListView.h"

#include <ctime>

namespace {

enum : UINT {
    ID_OPTIONS = 32772,
    ID_ADD = 32774,
    ID_OPEN_SELECTED = 32775,
    ID_ADD_GENERATE_SET = 32789,
    ID_STATUS = 32804,
    ID_SHOW_LOCK_STATUS = 32807,
    ID_LOCK = 32809,
    ID_UNLOCK = 32810,
    ID_MONITOR_GENERATE = 32822,
    ID_RESTART_GENERATE = 32823,
    ID_DELETE = 57632,
};

constexpr UINT IDR_OPTION_SET_MENU = 145;
constexpr UINT IDB_OPTION_SETS = 181;
constexpr UINT IDS_COLUMN_NAME = 61628;
constexpr UINT IDS_COLUMN_HOST_TYPE = 61629;
constexpr UINT IDS_COLUMN_DESCRIPTION = 61630;
constexpr UINT IDS_REFRESHING_VIEWS = 61524;
constexpr UINT IDS_REMOVING_DATA = 61596;
constexpr UINT IDS_CANNOT_ACCESS_OPTION_SETS = 61642;
constexpr UINT IDS_SECURITY_VIOLATION = 61667;
constexpr UINT IDS_CREATING_GENERATE_SET = 61670;
constexpr UINT IDS_CREATING_HOST = 61671;
constexpr UINT IDS_CANNOT_LOCK = 61711;
constexpr UINT IDS_LOCKING = 61712;
constexpr UINT IDS_CONFIRM_UNLOCK = 61713;
constexpr UINT IDS_CANNOT_UNLOCK = 61715;
constexpr UINT IDS_NOT_LOCKED = 61999;
constexpr UINT IDS_MANUALLY_LOCKED = 62000;
constexpr UINT IDS_CONFIRM_UNLOCK_GENERATE = 62129;
constexpr UINT IDS_LOCKED_BY_GENERATE = 62132;
constexpr int kRightAdminister = 2;
constexpr int kRightOverrideLocks = 64;
constexpr int kColumns = 3;
constexpr int kGenSetImages = 3;
// View-type bits, both sorted styles, label editing, no header, no sorting header.
constexpr DWORD kStylesCleared = 0xC233;
constexpr DWORD kStylesSet = LVS_REPORT | LVS_SINGLESEL | LVS_SHOWSELALWAYS | LVS_OWNERDRAWFIXED;
constexpr UINT kMenuHitFlags = 0xF;

CString UserCodeBeforeSlash(const CString& userCode)
{
    const int slash = userCode.Find('/');
    return slash < 0 ? userCode : userCode.Left(slash);
}

CString SessionUserCode(const PxObjectPtr& object)
{
    PxLink* link = object->GetLink();
    PxProcess* process = link ? link->GetProcess() : nullptr;
    return process ? process->GetUserCode() : CString();
}

int LockStateOfOtherUser()
{
    VqsSysApp* app = VqsGetApp();
    if (!app)
        return VqsOptionSetView::LockedByOther;
    if (app->IsSecurityOn())
        return app->HasRight(kRightAdminister) || app->HasRight(kRightOverrideLocks) ? VqsOptionSetView::LockedByMe
                                                                                     : VqsOptionSetView::LockedByOther;
    return app->GetRepositoryMode() != 0 ? VqsOptionSetView::LockedByMe : VqsOptionSetView::LockedByOther;
}

CString FormatLockTime(std::int64_t seconds)
{
    const std::time_t time = static_cast<std::time_t>(seconds);
    std::tm local{};
    localtime_r(&time, &local);
    char date[64] = {};
    char clock[64] = {};
    std::strftime(date, sizeof date, "%x", &local);
    std::strftime(clock, sizeof clock, "%X", &local);
    CString text;
    text.Format("%s at %s", date, clock);
    return text;
}

PxVQLink* SessionLink()
{
    VqsSysApp* app = VqsGetApp();
    return app ? app->GetLink() : nullptr;
}

} // namespace

BEGIN_MESSAGE_MAP(VqsOptionSetView, VqsListView)
    ON_NOTIFY_REFLECT(LVN_ITEMCHANGED, &VqsOptionSetView::OnItemChanged)
    ON_NOTIFY_REFLECT(LVN_COLUMNCLICK, &VqsOptionSetView::OnColumnClick)
    ON_NOTIFY_REFLECT(LVN_KEYDOWN, &VqsOptionSetView::OnKeyDown)
    ON_NOTIFY_REFLECT(NM_DBLCLK, &VqsOptionSetView::OnDblClk)
    ON_WM_CONTEXTMENU()
    ON_COMMAND(ID_DELETE, &VqsOptionSetView::OnDelete)
    ON_COMMAND(ID_LOCK, &VqsOptionSetView::OnLock)
    ON_COMMAND(ID_UNLOCK, &VqsOptionSetView::OnUnlock)
    ON_COMMAND(ID_SHOW_LOCK_STATUS, &VqsOptionSetView::OnShowLockStatus)
    ON_COMMAND_RANGE(ID_MONITOR_GENERATE, ID_RESTART_GENERATE, &VqsOptionSetView::OnGenerateMonitor)
    ON_COMMAND(ID_OPTIONS, &VqsOptionSetView::OnOptions)
    ON_COMMAND(ID_OPEN_SELECTED, &VqsOptionSetView::OnOpenSelected)
    ON_COMMAND(ID_ADD_GENERATE_SET, &VqsOptionSetView::OnAddGenerateSet)
    ON_UPDATE_COMMAND_UI(ID_DELETE, &VqsOptionSetView::OnUpdateCommand)
    ON_UPDATE_COMMAND_UI(ID_OPTIONS, &VqsOptionSetView::OnUpdateCommand)
    ON_UPDATE_COMMAND_UI(ID_LOCK, &VqsOptionSetView::OnUpdateCommand)
    ON_UPDATE_COMMAND_UI(ID_UNLOCK, &VqsOptionSetView::OnUpdateCommand)
    ON_UPDATE_COMMAND_UI(ID_SHOW_LOCK_STATUS, &VqsOptionSetView::OnUpdateCommand)
END_MESSAGE_MAP()

// ---------------------------------------------------------------- rows

void VqsOptionSetView::VqsListItemOptionSet::Load()
{
    m_strName = m_optionSet->GetName();
    m_strLongName = m_optionSet->GetLongName();
    m_strDescription = m_optionSet->GetDescription();
    m_nHostType = m_optionSet->GetHostType();
    const PxPersistentLockPtr lock = m_optionSet->GetPersistentLock();
    if (!lock) {
        m_nLockState = NotLocked;
        return;
    }
    const BOOL same = UserCodeBeforeSlash(lock->GetUserCode()) == UserCodeBeforeSlash(SessionUserCode(m_optionSet));
    m_nLockState = same ? LockedByMe : LockStateOfOtherUser();
}

CString VqsOptionSetView::VqsListItemOptionSet::GetDisplayName() const
{
    return VqsChooseName(m_strName, m_strLongName);
}

BOOL VqsOptionSetView::VqsListItemOptionSet::IsGenSet() const { return m_optionSet->_IsKindOf("PxVQGenSet"); }

VqsOptionSetView::VqsOptionSetView() = default;

VqsOptionSetView::~VqsOptionSetView()
{
    while (!m_items.IsEmpty())
        delete m_items.RemoveHead();
}

VqsSysFrame* VqsOptionSetView::GetSysFrame() const { return dynamic_cast<VqsSysFrame*>(GetListFrame()); }

void VqsOptionSetView::OnInitialUpdate()
{
    ModifyStyle(kStylesCleared, kStylesSet);
    CString titles[kColumns];
    titles[0].LoadString(IDS_COLUMN_NAME);
    titles[1].LoadString(IDS_COLUMN_HOST_TYPE);
    titles[2].LoadString(IDS_COLUMN_DESCRIPTION);
    const VqsColumnSpec columns[kColumns] = {
        {titles[0].GetString(), 35}, {titles[1].GetString(), 20}, {titles[2].GetString(), 45}};
    InsertColumns(columns, m_nSortColumn, m_nSortAscending);
    if (m_imageList.Create(IDB_OPTION_SETS, 24, 0, RGB(255, 255, 255)))
        SetSmallImageList(&m_imageList);
}

VqsOptionSetView::VqsListItemOptionSet* VqsOptionSetView::ItemOfRow(int row)
{
    if (row < 0 || row >= GetListCtrl().GetItemCount())
        return nullptr;
    return static_cast<VqsListItemOptionSet*>(ItemFromData(static_cast<LPARAM>(GetListCtrl().GetItemData(row))));
}

VqsOptionSetView::VqsListItemOptionSet* VqsOptionSetView::FindOptionSetItem(const PxObjectPtr& optionSet)
{
    if (!optionSet)
        return nullptr;
    for (POSITION position = m_items.GetHeadPosition(); position;) {
        VqsListItemOptionSet* item = m_items.GetNext(position);
        if (item->m_optionSet->IsSameOid(optionSet))
            return item;
    }
    return nullptr;
}

std::vector<VqsOptionSetView::VqsListItemOptionSet*> VqsOptionSetView::GetSelectedOptionSetItems()
{
    std::vector<VqsListItemOptionSet*> items;
    CListCtrl& list = GetListCtrl();
    for (int row = list.GetNextItem(-1, LVNI_SELECTED); row >= 0; row = list.GetNextItem(row, LVNI_SELECTED)) {
        if (VqsListItemOptionSet* item = ItemOfRow(row))
            items.push_back(item);
    }
    return items;
}

void VqsOptionSetView::DeleteAllOptionSetItems()
{
    DeleteAllItems();
    while (!m_items.IsEmpty())
        delete m_items.RemoveHead();
}

// A row whose option set cannot be read is left out; a lost connection or a busy lock store
// ends the fill.
BOOL VqsOptionSetView::AddOptionSet(const PxVQOptionSetPtr& optionSet)
{
    if (!optionSet || FindOptionSetItem(optionSet))
        return FALSE;
    auto* item = new VqsListItemOptionSet(optionSet);
    try {
        item->Load();
    } catch (const VqReportableException& error) {
        delete item;
        if (VqsIsSessionFailure(error))
            throw;
        return FALSE;
    }
    const int row = InsertListItem(TRUE, -1, item, reinterpret_cast<LPARAM>(item), TRUE);
    if (row < 0) {
        delete item;
        return FALSE;
    }
    for (int column = 1; column < kColumns; ++column)
        GetListCtrl().SetItemText(row, column, LPSTR_TEXTCALLBACK);
    item->SetListed(true);
    m_items.AddTail(item);
    return TRUE;
}

void VqsOptionSetView::Fill()
{
    try {
        ReadOptionSets();
    } catch (const VqReportableException& error) {
        ShowErrorById(IDS_CANNOT_ACCESS_OPTION_SETS, error);
    }
}

void VqsOptionSetView::ReadOptionSets()
{
    m_bFillFailed = TRUE;
    if (m_config->_IsA("PxVQCurConfig")) {
        PxTypedList<PxVQOptionSetPtr> optionSets;
        PxVQCurConfigPtr(m_config)->GetListOfOptionSets(optionSets);
        for (POSITION position = optionSets.GetHeadPosition(); position;)
            AddOptionSet(optionSets.GetNext(position));
    } else if (m_config->_IsKindOf("PxVQOldConfig")) {
        AddOptionSet(PxVQOldConfigPtr(m_config)->GetOptionSet());
    }
    m_bFillFailed = FALSE;
}

void VqsOptionSetView::SetConfig(const PxVQConfigPtr& config)
{
    if ((!config && !m_config) || (config && m_config && config->IsSameOid(m_config)))
        return;
    DeleteAllOptionSetItems();
    m_config = config;
    if (m_config)
        Fill();
    OnSelectionChanged();
}

void VqsOptionSetView::RefreshOptionSets()
{
    std::vector<PxVQOptionSetPtr> optionSets;
    for (POSITION position = m_items.GetHeadPosition(); position;)
        optionSets.push_back(m_items.GetNext(position)->m_optionSet);
    StatusMessage status(GetSysFrame(), IDS_REFRESHING_VIEWS);
    CWaitCursor wait;
    VqsModel model;
    VqsLockBag bag(VqsReadLock);
    for (const PxVQOptionSetPtr& optionSet : optionSets)
        model.LockOptionSetNode(bag, optionSet);
}

// ---------------------------------------------------------------- selection

void VqsOptionSetView::SelectOptionSet(const PxVQOptionSetPtr& optionSet)
{
    CListCtrl& list = GetListCtrl();
    for (int row = 0; row < list.GetItemCount(); ++row) {
        VqsListItemOptionSet* item = ItemOfRow(row);
        SelectItem(row, item && optionSet && item->m_optionSet->IsSameOid(optionSet));
    }
    OnSelectionChanged();
}

PxVQOptionSetPtr VqsOptionSetView::GetSingleSelectedOptionSet()
{
    CListCtrl& list = GetListCtrl();
    if (list.GetSelectedCount() != 1)
        return PxVQOptionSetPtr();
    VqsListItemOptionSet* item = ItemOfRow(list.GetNextItem(-1, LVNI_SELECTED));
    return item ? item->m_optionSet : PxVQOptionSetPtr();
}

PxVQOptionSetPtr VqsOptionSetView::GetSelectedOptionSet()
{
    if (m_bFillFailed && m_config)
        ReadOptionSets();
    return GetSelectedOrFirstOptionSet();
}

PxVQOptionSetPtr VqsOptionSetView::GetSelectedOrFirstOptionSet()
{
    CListCtrl& list = GetListCtrl();
    if (list.GetItemCount() == 0)
        return PxVQOptionSetPtr();
    const int selected = list.GetNextItem(-1, LVNI_SELECTED);
    VqsListItemOptionSet* item = ItemOfRow(selected >= 0 ? selected : 0);
    return item ? item->m_optionSet : PxVQOptionSetPtr();
}

void VqsOptionSetView::GetSelectionContext(PxVQSystemPtr&, PxVQBSSoftLinkPtr&, PxVQElementSoftLinkPtr&,
                                           PxVQGenSetPtr& genSet)
{
    if (GetListCtrl().GetSelectedCount() != 1)
        return;
    const PxVQOptionSetPtr optionSet = GetSingleSelectedOptionSet();
    genSet = optionSet && optionSet->_IsKindOf("PxVQGenSet") ? PxVQGenSetPtr(optionSet) : PxVQGenSetPtr();
}

void VqsOptionSetView::OnSelectionChanged()
{
    VqsSysFrame* frame = GetSysFrame();
    if (!frame)
        return;
    frame->SetCurrentOptionSet(GetSingleSelectedOptionSet());
    // An empty list has no row to name in the status bar.
    if (frame->GetCurrentView() != this || !m_config)
        return;
    CListCtrl& list = GetListCtrl();
    const int row = list.GetNextItem(-1, LVNI_SELECTED);
    VqsListItemOptionSet* item = ItemOfRow(row);
    frame->SetStatusText(item ? GetColumnText(item, 0).GetString() : "");
}

void VqsOptionSetView::OnActivateView(BOOL activate, CView* activateView, CView* deactiveView)
{
    VqsListView::OnActivateView(activate, activateView, deactiveView);
    if (activate)
        OnSelectionChanged();
}

// ---------------------------------------------------------------- the list view's questions

int VqsOptionSetView::CompareListItems(VqsListItem* a, VqsListItem* b)
{
    return CompareItems(m_nSortColumn, m_nSortAscending, a, b);
}

VqsListItem* VqsOptionSetView::ItemFromData(LPARAM itemData)
{
    return reinterpret_cast<VqsListItemOptionSet*>(itemData);
}

CString VqsOptionSetView::GetColumnText(VqsListItem* listItem, int column)
{
    auto* item = dynamic_cast<VqsListItemOptionSet*>(listItem);
    if (!item)
        return CString();
    switch (column) {
    case 0:
        return item->GetDisplayName();
    case 1:
        return VqsGetHostTypeName(item->m_nHostType);
    case 2:
        return item->m_strDescription;
    default:
        return CString();
    }
}

int VqsOptionSetView::GetItemImage(VqsListItem* listItem)
{
    auto* item = dynamic_cast<VqsListItemOptionSet*>(listItem);
    if (!item)
        return 0;
    return (item->IsGenSet() ? kGenSetImages : 0) + item->m_nLockState;
}

int VqsOptionSetView::GetColumnCount() { return kColumns; }

CString VqsOptionSetView::GetFindTitle() { return VqsGetObjectKindName(PxKindOptionSet); }

void VqsOptionSetView::Refresh(VqsModel* model)
{
    if (!model)
        return;
    for (POSITION position = m_items.GetHeadPosition(); position;)
        model->GetOptionSetNode(m_items.GetNext(position)->m_optionSet, m_config);
}

int VqsOptionSetView::GetCommandState(UINT id, int* enabled, int* checked)
{
    const std::vector<VqsListItemOptionSet*> selected = GetSelectedOptionSetItems();
    const BOOL current = m_config && m_config->_IsA("PxVQCurConfig");
    switch (id) {
    case ID_OPTIONS:
    case ID_OPEN_SELECTED:
        *enabled = selected.size() == 1 && selected.front()->m_optionSet->ObjectPresent();
        return TRUE;
    case ID_ADD_GENERATE_SET:
        *enabled = current;
        return TRUE;
    case ID_DELETE:
        *enabled = current && !selected.empty();
        return TRUE;
    case ID_SHOW_LOCK_STATUS:
        *enabled = !selected.empty();
        return TRUE;
    case ID_LOCK:
        *enabled = !selected.empty();
        for (VqsListItemOptionSet* item : selected)
            *enabled = *enabled && item->m_nLockState != LockedByOther;
        return TRUE;
    case ID_UNLOCK:
        *enabled = !selected.empty();
        for (VqsListItemOptionSet* item : selected)
            *enabled = *enabled && item->m_nLockState == LockedByMe;
        return TRUE;
    case ID_STATUS: {
        BOOL gone = !selected.empty();
        for (VqsListItemOptionSet* item : selected)
            gone = gone && !item->m_optionSet->ObjectPresent();
        *checked = gone;
        return TRUE;
    }
    case ID_MONITOR_GENERATE:
    case ID_RESTART_GENERATE: {
        VqsSysFrame* frame = GetSysFrame();
        VqsDirectoryView* view = frame ? frame->GetDirectoryView() : nullptr;
        return view ? view->GetCommandState(id, enabled, checked) : FALSE;
    }
    default:
        return VqsListView::GetCommandState(id, enabled, checked);
    }
}

// ---------------------------------------------------------------- change notices

void VqsOptionSetView::OnObjectChanged(int hint, const PxVQObjectPtr* object, const PxVQObjectPtr* parent)
{
    if (!m_config || !object || !*object)
        return;
    if (hint == VqsKindOptionSet)
        OnOptionSetChanged(PxVQOptionSetPtr(*object), parent ? *parent : PxVQObjectPtr());
    else if (hint == VqsOptionSetGone)
        OnOptionSetRemoved(*object);
}

// A model node's notice names the set's configuration; of another, the set is asked.
void VqsOptionSetView::OnOptionSetChanged(const PxVQOptionSetPtr& optionSet, const PxVQObjectPtr& config)
{
    if (VqsListItemOptionSet* item = FindOptionSetItem(optionSet)) {
        try {
            item->Load();
        } catch (const VqReportableException& error) {
            if (VqsIsSessionFailure(error))
                throw;
            return;
        }
        SortItems(m_nSortColumn, m_nSortAscending, nullptr);
        const int row = FindItemIndex(item);
        if (row >= 0)
            RedrawItems(row, row);
    } else {
        const PxObjectPtr owner = config ? PxObjectPtr(config) : PxObjectPtr(optionSet->GetConfig());
        if (owner && owner->IsSameOid(m_config))
            AddOptionSet(optionSet);
    }
    UpdateWindow();
    OnSelectionChanged();
}

void VqsOptionSetView::OnOptionSetRemoved(const PxObjectPtr& optionSet)
{
    VqsListItemOptionSet* item = FindOptionSetItem(optionSet);
    if (!item)
        return;
    RemoveItem(item);
    if (POSITION position = m_items.Find(item))
        m_items.RemoveAt(position);
    delete item;
    UpdateWindow();
    OnSelectionChanged();
}

// ---------------------------------------------------------------- notifications

void VqsOptionSetView::OnItemChanged(NMHDR* header, LRESULT* result)
{
    const auto* change = reinterpret_cast<const NMLISTVIEW*>(header);
    if ((change->uChanged & LVIF_STATE) && ((change->uNewState ^ change->uOldState) & LVIS_SELECTED))
        OnSelectionChanged();
    *result = 0;
}

void VqsOptionSetView::OnColumnClick(NMHDR* header, LRESULT* result)
{
    const int column = reinterpret_cast<const NMLISTVIEW*>(header)->iSubItem;
    m_nSortAscending = column == m_nSortColumn ? !m_nSortAscending : 1;
    m_nSortColumn = column;
    SortItems(m_nSortColumn, m_nSortAscending, nullptr);
    *result = 0;
}

void VqsOptionSetView::OnKeyDown(NMHDR* header, LRESULT* result)
{
    const UINT key = reinterpret_cast<const NMLVKEYDOWN*>(header)->wVKey;
    if (key == VK_INSERT) {
        if (VqsSysFrame* frame = GetSysFrame())
            frame->PostMessage(WM_COMMAND, ID_ADD, 0);
    } else if (key == VK_DELETE) {
        int enabled = 0;
        int checked = 0;
        GetCommandState(ID_DELETE, &enabled, &checked);
        if (!TellSelectionGone() && enabled)
            OnDelete();
    }
    *result = 0;
}

void VqsOptionSetView::OnDblClk(NMHDR*, LRESULT* result)
{
    int enabled = 0;
    int checked = 0;
    GetCommandState(ID_OPEN_SELECTED, &enabled, &checked);
    if (!TellSelectionGone() && enabled)
        SendMessage(WM_COMMAND, ID_OPEN_SELECTED, 0);
    *result = 0;
}

BOOL VqsOptionSetView::TellSelectionGone()
{
    std::vector<PxVQObjectPtr> objects;
    for (VqsListItemOptionSet* item : GetSelectedOptionSetItems())
        objects.emplace_back(item->m_optionSet);
    const PxVQObjectPtr gone = FirstGone(objects);
    if (!gone)
        return FALSE;
    TellRowGone(gone, VqsOptionSetGone, PxVQObjectPtr());
    return TRUE;
}

void VqsOptionSetView::OnContextMenu(CWnd*, CPoint point)
{
    VqsSysFrame* frame = GetSysFrame();
    if (!frame)
        return;
    VqsFindMdiChildAncestor(this);
    CPoint client = point;
    ScreenToClient(&client);
    UINT flags = 0;
    const int row = GetListCtrl().HitTest(client, &flags);
    if ((flags & kMenuHitFlags) == 0)
        return;
    if (row >= 0 && !(GetListCtrl().GetItemState(row, LVIS_SELECTED) & LVIS_SELECTED))
        SelectOnly(row);
    CMenu menu;
    if (!menu.LoadMenu(IDR_OPTION_SET_MENU))
        return;
    if (CMenu* popup = menu.GetSubMenu(0))
        popup->TrackPopupMenu(TPM_LEFTALIGN, point.x, point.y, frame);
}

void VqsOptionSetView::OnUpdateCommand(CCmdUI* cmdUI)
{
    int enabled = 0;
    int checked = 0;
    GetCommandState(cmdUI->m_nID, &enabled, &checked);
    cmdUI->Enable(enabled);
}

// ---------------------------------------------------------------- commands

void VqsOptionSetView::OnDelete()
{
    VqsSysApp* app = VqsGetApp();
    if (!VqsNonAdminCanDeleteGenSets() && !(app && app->HasRight(kRightAdminister))) {
        VqsMessageBoxId(IDS_SECURITY_VIOLATION);
        return;
    }
    std::vector<PxVQOptionSetPtr> optionSets;
    for (VqsListItemOptionSet* item : GetSelectedOptionSetItems())
        optionSets.push_back(item->m_optionSet);
    {
        VqsModel model;
        CObList nodes;
        VqsLockBag bag(VqsReadLock);
        {
            StatusMessage status(GetSysFrame(), IDS_REFRESHING_VIEWS);
            CWaitCursor wait;
            for (const PxVQOptionSetPtr& optionSet : optionSets) {
                if (VqsModelNodeOSet* node = model.LockOptionSetNode(bag, optionSet))
                    nodes.AddTail(node);
            }
        }
        StatusMessage status(GetSysFrame(), IDS_REMOVING_DATA);
        model.DeleteNodes(bag, nodes, true);
    }
    OnSelectionChanged();
}

void VqsOptionSetView::OnLock()
{
    PxTypedList<PxVQOptionSetPtr> optionSets;
    {
        CWaitCursor wait;
        for (VqsListItemOptionSet* item : GetSelectedOptionSetItems()) {
            if (item->m_nLockState != LockedByOther)
                optionSets.AddTail(item->m_optionSet);
        }
    }
    if (optionSets.IsEmpty())
        return;
    try {
        if (RefusedByRunningGeneration(optionSets)) {
            OnSelectionChanged();
            return;
        }
        StatusMessage status(GetSysFrame(), IDS_LOCKING);
        PxVQLink* link = SessionLink();
        PxLockErrorInfo result;
        {
            VqsLockScope scope(link);
            result = link->PersistentLock(1, optionSets);
        }
        if (!result.Succeeded())
            VqsDescribeLockTarget(result);
        else if (!GiveBackLocksOfGone(optionSets))
            TellLocked(optionSets);
    } catch (const VqReportableException& error) {
        ShowErrorById(IDS_CANNOT_LOCK, error);
    }
    OnSelectionChanged();
}

void VqsOptionSetView::TellLocked(PxTypedList<PxVQOptionSetPtr>& optionSets)
{
    VqsSysApp* app = VqsGetApp();
    for (POSITION position = optionSets.GetHeadPosition(); app && position;) {
        const PxVQObjectPtr object(optionSets.GetNext(position));
        app->BroadcastObjectChange(VqsKindOptionSet, nullptr, &object, nullptr);
    }
}

BOOL VqsOptionSetView::GiveBackLocksOfGone(const PxTypedList<PxVQOptionSetPtr>& optionSets)
{
    std::vector<PxObjectPtr> objects;
    const CList<PxVQOptionSetPtr, const PxVQOptionSetPtr&>& list = optionSets;
    for (POSITION position = list.GetHeadPosition(); position;)
        objects.emplace_back(list.GetNext(position));
    const std::vector<bool> present = PxObject::ArePresent(objects);
    PxVQObjectPtr told;
    for (std::size_t index = 0; index < objects.size(); ++index) {
        if (present[index])
            continue;
        const PxVQOptionSetPtr gone(objects[index]);
        gone->TakeBackManualLock();
        if (!told)
            told = PxVQObjectPtr(gone);
    }
    if (told)
        TellRowGone(told, VqsOptionSetGone, PxVQObjectPtr());
    return told ? TRUE : FALSE;
}

// Another user's Lock of a set a generation runs on is refused as the generation's hold
// refuses it, whatever became of the hold; the generation's own user may lock it.
BOOL VqsOptionSetView::RefusedByRunningGeneration(const PxTypedList<PxVQOptionSetPtr>& optionSets)
{
    const CList<PxVQOptionSetPtr, const PxVQOptionSetPtr&>& list = optionSets;
    for (POSITION position = list.GetHeadPosition(); position;) {
        const PxVQOptionSetPtr& optionSet = list.GetNext(position);
        const CString generating = VqsGenerationRunningOn(optionSet);
        if (!generating.IsEmpty() &&
            UserCodeBeforeSlash(generating) != UserCodeBeforeSlash(SessionUserCode(optionSet))) {
            VqsShowRunningGeneration(generating, optionSet);
            return TRUE;
        }
    }
    return FALSE;
}

// A removal that leaves the manual count where it was ends the loop, so that a repository
// that ignores the removal cannot keep the user interface going round for ever.
BOOL VqsOptionSetView::RemoveLocks(VqsListItemOptionSet* item)
{
    const PxVQOptionSetPtr& optionSet = item->m_optionSet;
    int previousManualCount = -1;
    for (;;) {
        VqsLockScope scope(SessionLink());
        const PxPersistentLockPtr lock = optionSet->GetPersistentLock();
        if (!lock)
            return TRUE;
        const int manualCount = lock->GetManualLockCount();
        if (manualCount > 0 && manualCount == previousManualCount)
            return TRUE;
        previousManualCount = manualCount;
        PxLockErrorInfo result;
        if (manualCount > 0) {
            result = optionSet->RemovePersistentLock(1, 1);
        } else {
            CString question;
            question.FormatMessage(IDS_CONFIRM_UNLOCK_GENERATE, item->GetDisplayName().GetString());
            if (!VqsConfirmBox(question))
                return TRUE;
            result = optionSet->RemovePersistentLock(0, 1);
        }
        if (!result.Succeeded()) {
            VqsDescribeLockTarget(result);
            return FALSE;
        }
    }
}

void VqsOptionSetView::OnUnlock()
{
    try {
        for (VqsListItemOptionSet* item : GetSelectedOptionSetItems()) {
            if (item->m_nLockState != LockedByMe)
                continue;
            CString question;
            question.FormatMessage(IDS_CONFIRM_UNLOCK, item->GetDisplayName().GetString());
            if (!VqsConfirmBox(question))
                continue;
            const PxVQObjectPtr object(item->m_optionSet);
            if (RemoveLocks(item))
                if (VqsSysApp* app = VqsGetApp())
                    app->BroadcastObjectChange(VqsKindOptionSet, nullptr, &object, nullptr);
        }
    } catch (const VqReportableException& error) {
        ShowErrorById(IDS_CANNOT_UNLOCK, error);
    }
    OnSelectionChanged();
}

void VqsOptionSetView::OnShowLockStatus()
{
    const std::vector<VqsListItemOptionSet*> selected = GetSelectedOptionSetItems();
    if (selected.empty())
        return;
    VqsListItemOptionSet* item = selected.front();
    CString text;
    {
        CWaitCursor wait;
        const CString name = item->GetDisplayName();
        const PxPersistentLockPtr lock = item->m_optionSet->GetPersistentLock();
        const bool generationHold =
            lock && item->m_optionSet->GetIntProperty("persistentLockCount") != lock->GetManualLockCount();
        const CString generating = generationHold ? CString() : VqsGenerationRunningOn(item->m_optionSet);
        if (generationHold) {
            text.Format(IDS_LOCKED_BY_GENERATE, name.GetString(), lock->GetUserCode().GetString(),
                        FormatLockTime(lock->GetLockTime()).GetString());
        } else if (!generating.IsEmpty()) {
            // The generation's hold was lifted while it runs (the owner's Unlock): it holds the
            // set still, as of now.
            text.Format(IDS_LOCKED_BY_GENERATE, name.GetString(), generating.GetString(),
                        FormatLockTime(_time64(nullptr)).GetString());
        } else if (lock) {
            text.Format(IDS_MANUALLY_LOCKED, name.GetString(), lock->GetUserCode().GetString(),
                        FormatLockTime(lock->GetLockTime()).GetString());
        } else {
            text.FormatMessage(IDS_NOT_LOCKED, name.GetString());
        }
    }
    VqsMessageBox(text);
}

void VqsOptionSetView::OnGenerateMonitor(UINT id)
{
    VqsSysFrame* frame = GetSysFrame();
    VqsDirectoryView* view = frame ? frame->GetDirectoryView() : nullptr;
    if (view)
        view->SendMessage(WM_COMMAND, id, 0);
}

void VqsOptionSetView::OnOptions()
{
    const PxVQOptionSetPtr optionSet = GetSingleSelectedOptionSet();
    if (!optionSet || !optionSet->_IsKindOf("PxVQGenSet"))
        return;
    VqsModel model;
    VqsLockBag bag(VqsReadLock);
    VqsModelNodeGenSet* node = nullptr;
    {
        CWaitCursor wait;
        StatusMessage status(GetSysFrame(), IDS_REFRESHING_VIEWS);
        node = model.LockGenSetNode(bag, PxVQGenSetPtr(optionSet));
    }
    if (node)
        model.EditGenSet(bag, node);
}

void VqsOptionSetView::OnOpenSelected()
{
    const PxVQOptionSetPtr optionSet = GetSingleSelectedOptionSet();
    if (!optionSet || TellSelectionGone())
        return;
    INT_PTR result = IDCANCEL;
    PxVQOptionSetPtr chosen;
    {
        VqsModel model;
        VqsModelNodeOSet* node = nullptr;
        {
            CWaitCursor wait;
            if (VqsSysApp* app = VqsGetApp())
                app->RefreshAllViews(&model);
            node = model.FindOptionSetNode(optionSet);
        }
        // The refresh finds no node of a set another user deleted meanwhile.
        if (!node) {
            TellSelectionGone();
            return;
        }
        VqsOpenGenSetDlg picker(node, this);
        StatusMessage status(GetSysFrame(), "");
        result = picker.DoModal();
        chosen = picker.GetSelected();
    }
    // The picker's loop may have closed the view.
    if (result == IDCANCEL || !chosen || !m_hWnd)
        return;
    if (!chosen->IsSameOid(optionSet))
        SelectOptionSet(chosen);
    if (result == VqsOpenPickerDlg::IDC_OPTIONS)
        OnOptions();
}

// The wizard's Finish makes the new host when the wizard asked for one, then the generate
// set, both stored or neither; the set's row comes with the change notice.
void VqsOptionSetView::OnAddGenerateSet()
{
    VqsSysApp* app = VqsGetApp();
    if (!app || !app->HasRight(kRightAdminister)) {
        VqsMessageBoxId(IDS_SECURITY_VIOLATION);
        return;
    }
    if (!m_config || !m_config->_IsA("PxVQCurConfig"))
        return;
    const PxVQCurConfigPtr config(m_config);
    VqsModel model;
    VqsLockBag bag(VqsReadLock);
    VqsModelNodeCurConfig* node = nullptr;
    {
        CWaitCursor wait;
        StatusMessage status(GetSysFrame(), IDS_REFRESHING_VIEWS);
        node = model.LockCurConfigNode(bag, config);
    }
    if (!node)
        return;
    PxVQGenSetPtr genSet;
    const std::unique_ptr<VqsNewGenSetSheet> sheet =
        VqsRunNewGenSetWizard(&bag, node, this, [&](VqsNewGenSetSheet& wizard) {
            return CreateGenerateSet(model, wizard, node, genSet);
        });
    if (sheet && genSet)
        SelectOptionSet(genSet);
}

BOOL VqsOptionSetView::CreateGenerateSet(VqsModel& model, VqsNewGenSetSheet& sheet, VqsModelNodeCurConfig* config,
                                         PxVQGenSetPtr& genSet)
{
    CWaitCursor wait;
    const int hostType = sheet.m_typePage.m_nHostType;
    const BOOL createsHost = sheet.m_typePage.CreatesHost(sheet.m_hostPage);
    VqsCreation creation;
    creation.pageLocks = sheet.GetPageLocks();
    // Every lock of both steps is taken before the first writes.
    creation.lock = [&](VqsCreationLocks& locks) -> int {
        if (createsHost && !model.LockForHost(locks.write))
            return 0;
        return model.LockForGenSet(locks.read, locks.write, config->GetCurConfig(), false) != nullptr;
    };
    creation.findNameTaken = [&]() -> VqsNameTaken {
        VqsNameTaken taken = sheet.m_optPage.FindNameTaken();
        return taken || !createsHost ? taken : sheet.m_hostPage.FindNameTaken();
    };
    creation.steps = [&]() -> int {
        CString hostName = sheet.m_typePage.m_strHostName;
        if (createsHost) {
            StatusMessage status(GetSysFrame(), IDS_CREATING_HOST);
            PxVQHostInformationPtr host;
            model.CreateHost(host, sheet.m_hostPage.m_name.GetValue(), hostType,
                             sheet.m_hostPage.m_address.GetValue(), sheet.m_hostPage.m_port.GetValue(),
                             sheet.m_ftpPage.m_userId.GetValue(), sheet.m_ftpPage.m_password.GetValue());
            if (!host)
                return 0;
            hostName = host->GetName();
        }
        StatusMessage status(GetSysFrame(), IDS_CREATING_GENERATE_SET);
        genSet = model.CreateGenSet(config->GetCurConfig(), sheet.m_optPage.m_name.GetValue(),
                                    sheet.m_optPage.m_shortName.GetValue(), sheet.m_optPage.m_description.GetValue(),
                                    hostType, hostName, sheet.GetReplacementList(hostType), sheet.m_optPage.m_source);
        return genSet ? 1 : 0;
    };
    const int stored = model.CreateAllOrNothing(config, creation);
    if (!stored)
        genSet = PxVQGenSetPtr();
    return stored;
}
