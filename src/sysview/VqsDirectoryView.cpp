#include "sysview/VqsDirectoryView.h"

#include "model/VqsModel.h"
#include "model/VqsModelNode.h"
#include "proxy/PxVQLink.h"
#include "shell/VqsMsgBox.h"
#include "shell/VqsSysApp.h"
#include "sysview/VqsSysFrame.h"
#include "sysview/VqsTreeItemSoftLink.h"
#include "sysview/VqsTreeItemSystem.h"
#include "win/CMenu.h"
#include "win/CPrintDialog.h"
#include "win/GlobalMemory.h"
#include "win/Input.h"
#include "win/Menu.h"

#include <vector>

namespace {

constexpr UINT ID_OPEN_SELECTED = 32775;
constexpr UINT ID_OPTIONS = 32772;
constexpr UINT ID_ADD_BUSINESS_SEGMENT = 32771;
constexpr UINT ID_PARENTS = 32773;
constexpr UINT ID_NEW_SYSTEM = 32785;
constexpr UINT ID_DELETE = 57632;
constexpr UINT ID_NEW_REPORT_GROUP = 32788;
constexpr UINT ID_NEW_BUNDLE = 32829;
constexpr UINT ID_ADD_REPORT = 32781;
constexpr UINT ID_ADD_ISPEC = 32830;
constexpr UINT ID_SORT_BY_NAME = 32784;
constexpr UINT ID_SORT_BY_TYPE = 32786;
constexpr UINT ID_PREVIOUS_CONFIGS = 32794;
constexpr UINT ID_EXPAND = 32795;
constexpr UINT ID_EXPAND_BRANCH = 32797;
constexpr UINT ID_COLLAPSE = 32798;
constexpr UINT ID_SET_ROOT = 32801;
constexpr UINT ID_RESET_ROOT = 32802;
constexpr UINT ID_SET_COLORS = 32803;
constexpr UINT ID_LOAD = 32820;
constexpr UINT ID_EXTRACT = 32821;
constexpr UINT ID_SYNCHRONIZE = 32790;
constexpr UINT ID_GENERATE_SYSTEM = 32792;
constexpr UINT ID_GENERATE_REPORTS = 32808;
constexpr UINT ID_GENERATE_BUNDLE = 32828;
constexpr UINT ID_REPORT_DIFFERENCES = 32857;
constexpr UINT ID_GENERATE_STATUS = 32859;
constexpr UINT ID_PRINT = 57607;
constexpr UINT ID_PRINT_SETUP = 57606;
constexpr UINT ID_SHOW_ALL_FOLDERS = 32834;
constexpr UINT ID_HIDE_ALL_FOLDERS = 32844;
constexpr UINT ID_ADD = 32774;
constexpr int kTabStopCount = 20;

} // namespace

BEGIN_MESSAGE_MAP(VqsDirectoryView, VqsTreeView)
    ON_NOTIFY_REFLECT(NM_CLICK, &VqsDirectoryView::OnClick)
    ON_NOTIFY_REFLECT(LVN_ITEMCHANGED, &VqsDirectoryView::OnItemChanged)
    ON_NOTIFY_REFLECT(NM_DBLCLK, &VqsDirectoryView::OnDoubleClick)
    ON_NOTIFY_REFLECT(LVN_KEYDOWN, &VqsDirectoryView::OnKeyDown)
    ON_WM_CONTEXTMENU()
    ON_WM_CHAR()
    ON_WM_SETFOCUS()
    ON_WM_KILLFOCUS()
    ON_COMMAND(ID_SORT_BY_NAME, &VqsDirectoryView::OnSortByName)
    ON_COMMAND(ID_SORT_BY_TYPE, &VqsDirectoryView::OnSortByType)
    ON_COMMAND(ID_PREVIOUS_CONFIGS, &VqsDirectoryView::OnTogglePreviousConfigs)
    ON_COMMAND_RANGE(32832, 32832, &VqsDirectoryView::OnToggleFolder)
    ON_COMMAND_RANGE(32836, 32836, &VqsDirectoryView::OnToggleFolder)
    ON_COMMAND_RANGE(32838, 32838, &VqsDirectoryView::OnToggleFolder)
    ON_COMMAND_RANGE(32840, 32840, &VqsDirectoryView::OnToggleFolder)
    ON_COMMAND_RANGE(32842, 32842, &VqsDirectoryView::OnToggleFolder)
    ON_COMMAND_RANGE(32846, 32846, &VqsDirectoryView::OnToggleFolder)
    ON_COMMAND(ID_SHOW_ALL_FOLDERS, &VqsDirectoryView::OnShowAllFolders)
    ON_COMMAND(ID_HIDE_ALL_FOLDERS, &VqsDirectoryView::OnHideAllFolders)
    ON_COMMAND(ID_EXPAND, &VqsDirectoryView::OnExpand)
    ON_COMMAND(ID_EXPAND_BRANCH, &VqsDirectoryView::OnExpandBranch)
    ON_COMMAND(ID_COLLAPSE, &VqsDirectoryView::OnCollapse)
    ON_COMMAND(ID_SET_ROOT, &VqsDirectoryView::OnSetRoot)
    ON_COMMAND(ID_RESET_ROOT, &VqsDirectoryView::OnResetRoot)
    ON_COMMAND(ID_SET_COLORS, &VqsDirectoryView::OnSetColors)
    ON_COMMAND(ID_LOAD, &VqsDirectoryView::OnLoad)
    ON_COMMAND(ID_PRINT_SETUP, &VqsDirectoryView::OnPrinterSetup)
    ON_COMMAND(ID_ADD_BUSINESS_SEGMENT, &VqsDirectoryView::OnAddBusinessSegment)
    ON_COMMAND(ID_OPTIONS, &VqsDirectoryView::OnOptions)
    ON_COMMAND(ID_OPEN_SELECTED, &VqsDirectoryView::OnOpenSelected)
    ON_WM_TIMER()
    ON_COMMAND(ID_PARENTS, &VqsDirectoryView::OnParents)
    ON_COMMAND(ID_DELETE, &VqsDirectoryView::OnDelete)
    ON_COMMAND(ID_NEW_REPORT_GROUP, &VqsDirectoryView::OnNewReportGroup)
    ON_COMMAND(ID_ADD_REPORT, &VqsDirectoryView::OnAddReport)
    ON_COMMAND(ID_NEW_BUNDLE, &VqsDirectoryView::OnNewBundle)
    ON_COMMAND(ID_NEW_SYSTEM, &VqsDirectoryView::OnNewSystem)
    ON_COMMAND(ID_SYNCHRONIZE, &VqsDirectoryView::OnSynchronize)
    ON_COMMAND(ID_GENERATE_SYSTEM, &VqsDirectoryView::OnGenerateSystem)
    ON_COMMAND(ID_GENERATE_REPORTS, &VqsDirectoryView::OnGenerateReports)
    ON_COMMAND(ID_EXTRACT, &VqsDirectoryView::OnExtract)
    ON_COMMAND(ID_GENERATE_BUNDLE, &VqsDirectoryView::OnGenerateBundle)
    ON_COMMAND(ID_ADD_ISPEC, &VqsDirectoryView::OnAddIspec)
    ON_COMMAND(ID_REPORT_DIFFERENCES, &VqsDirectoryView::OnReportDifferences)
    ON_COMMAND(ID_GENERATE_STATUS, &VqsDirectoryView::OnShowGenerateStatus)
    ON_COMMAND(ID_PRINT, &VqsDirectoryView::OnPrint)
    ON_UPDATE_COMMAND_UI(ID_DELETE, &VqsDirectoryView::OnUpdateCommand)
    ON_UPDATE_COMMAND_UI(ID_PARENTS, &VqsDirectoryView::OnUpdateCommand)
    ON_UPDATE_COMMAND_UI(ID_OPTIONS, &VqsDirectoryView::OnUpdateCommand)
    ON_UPDATE_COMMAND_UI(ID_ADD_ISPEC, &VqsDirectoryView::OnUpdateCommand)
    ON_UPDATE_COMMAND_UI(ID_REPORT_DIFFERENCES, &VqsDirectoryView::OnUpdateCommand)
    ON_UPDATE_COMMAND_UI(ID_SYNCHRONIZE, &VqsDirectoryView::OnUpdateCommand)
    ON_UPDATE_COMMAND_UI(ID_GENERATE_SYSTEM, &VqsDirectoryView::OnUpdateCommand)
    ON_UPDATE_COMMAND_UI(ID_GENERATE_REPORTS, &VqsDirectoryView::OnUpdateCommand)
    ON_UPDATE_COMMAND_UI(ID_ADD_REPORT, &VqsDirectoryView::OnUpdateCommand)
    ON_UPDATE_COMMAND_UI(ID_GENERATE_STATUS, &VqsDirectoryView::OnUpdateCommand)
END_MESSAGE_MAP()

VqsDirectoryView::VqsDirectoryView()
{
    VqsSysApp* app = VqsGetApp();
    m_nSortMode = app && app->GetSortByType() ? 1 : 0;
    m_nPreviousConfigs = app && app->GetPreviousConfig() ? 1 : 0;
}

VqsDirectoryView::~VqsDirectoryView()
{
    delete m_pRoot;
    m_pRoot = nullptr;
}

// ---------------------------------------------------------------- set-up

void VqsDirectoryView::OnInitialUpdate()
{
    ModifyStyle(LVS_TYPEMASK | LVS_SORTASCENDING | LVS_SORTDESCENDING | LVS_EDITLABELS,
                LVS_REPORT | LVS_SHOWSELALWAYS | LVS_OWNERDRAWFIXED | LVS_NOCOLUMNHEADER);
    static const VqsColumnSpec columns[] = {{"column", 10}};
    InsertColumns(columns, 0, TRUE);
    VqsSysApp* app = VqsGetApp();
    m_pLink = app ? app->GetLink() : nullptr;
    // Without a session there is no enterprise to show.
    const PxVQEnterprisePtr enterprise = m_pLink ? m_pLink->GetLVQEnterprise() : PxVQEnterprisePtr();
    if (!enterprise)
        return;
    m_pRoot = new VqsTreeItemEnterprise(this, enterprise);
    m_pRoot->UpdateState();
    if (!m_pRoot->InsertRow()) {
        delete m_pRoot;
        m_pRoot = nullptr;
        VqsErrorBox("Cannot initialize the view (low memory)");
        return;
    }
    m_pRoot->SelectExclusive();
    m_pRoot->Expand();
}

void VqsDirectoryView::OnActivateView(BOOL activate, CView* activateView, CView* deactiveView)
{
    VqsTreeView::OnActivateView(activate, activateView, deactiveView);
    if (activate)
        OnSelectionChanged();
}

int VqsDirectoryView::GetColumnCount() { return 1; }

void VqsDirectoryView::Refresh(VqsModel* model)
{
    if (model)
        Reload(*model);
}

void VqsDirectoryView::Reload(VqsModel& model)
{
    if (m_pRoot)
        m_pRoot->Reload(model);
}

void VqsDirectoryView::GetTabStops(const TEXTMETRIC* metrics, int* count, int** positions)
{
    static int stops[kTabStopCount];
    const BOOL longNames = VqsUsesLongNames();
    const int average = metrics->tmAveCharWidth;
    stops[0] = ((longNames ? 33 : 18) * metrics->tmMaxCharWidth + 3 * (longNames ? 19 : 11) * average) / 4;
    for (int i = 1; i < kTabStopCount; ++i)
        stops[i] = stops[i - 1] + 4 * average;
    *count = kTabStopCount;
    *positions = stops;
}

// ---------------------------------------------------------------- handle map

void VqsDirectoryView::RegisterItem(std::uint64_t key, VqsConfigTreeItem* item) { m_items.SetAt(key, item); }

void VqsDirectoryView::UnregisterItem(std::uint64_t key, VqsConfigTreeItem* item)
{
    VqsConfigTreeItem* registered = nullptr;
    if (m_items.Lookup(key, registered) && registered == item)
        m_items.RemoveKey(key);
}

VqsConfigTreeItem* VqsDirectoryView::FindItem(std::uint64_t key) const
{
    VqsConfigTreeItem* item = nullptr;
    return m_items.Lookup(key, item) ? item : nullptr;
}

// ---------------------------------------------------------------- frame

VqsSysFrame* VqsDirectoryView::GetSysFrame() const { return dynamic_cast<VqsSysFrame*>(GetParentFrame()); }

void VqsDirectoryView::PostUpdateAllCommands()
{
    if (VqsSysFrame* frame = GetSysFrame())
        frame->PostUpdateAllCommands();
}

void VqsDirectoryView::PostUpdateCommand(UINT id)
{
    if (VqsSysFrame* frame = GetSysFrame())
        frame->PostUpdateCommand(id);
}

// ---------------------------------------------------------------- selection

namespace {

template <class Ptr>
void KeepIfSame(Ptr& shared, const Ptr& other)
{
    if (shared && !(other && shared->IsSameOid(other)))
        shared = Ptr();
}

} // namespace

std::vector<VqsConfigTreeItem*> VqsDirectoryView::GetSelectedItems()
{
    std::vector<VqsConfigTreeItem*> items;
    CListCtrl& list = GetListCtrl();
    for (int row = list.GetNextItem(-1, LVNI_SELECTED); row >= 0; row = list.GetNextItem(row, LVNI_SELECTED))
        items.push_back(dynamic_cast<VqsConfigTreeItem*>(GetItem(row)));
    return items;
}

VqsConfigTreeItem* VqsDirectoryView::GetSelectedConfigItem() { return dynamic_cast<VqsConfigTreeItem*>(GetSelectedItem()); }

void VqsDirectoryView::GetSelectionContext(PxVQSystemPtr& system, PxVQBSSoftLinkPtr& bsLink,
                                           PxVQElementSoftLinkPtr& elementLink)
{
    const std::vector<VqsConfigTreeItem*> items = GetSelectedItems();
    if (items.empty() || !items.front())
        return;
    system = items.front()->GetSystem();
    bsLink = items.front()->GetBSSoftLink();
    elementLink = items.front()->GetElementSoftLink();
    for (std::size_t i = 1; i < items.size(); ++i) {
        if (!items[i])
            continue;
        KeepIfSame(system, items[i]->GetSystem());
        KeepIfSame(bsLink, items[i]->GetBSSoftLink());
        KeepIfSame(elementLink, items[i]->GetElementSoftLink());
    }
}

void VqsDirectoryView::GetSelectionContext(PxVQSystemPtr& system, PxVQBSSoftLinkPtr& bsLink,
                                           PxVQElementSoftLinkPtr& elementLink, PxVQGenSetPtr&)
{
    GetSelectionContext(system, bsLink, elementLink);
}

void VqsDirectoryView::GetSelectedConfig(PxVQConfigPtr& config)
{
    config = PxVQConfigPtr();
    const std::vector<VqsConfigTreeItem*> items = GetSelectedItems();
    if (items.empty() || !items.front())
        return;
    config = items.front()->GetConfig();
    for (std::size_t i = 1; i < items.size() && config; ++i) {
        const PxVQConfigPtr other = items[i] ? items[i]->GetConfig() : PxVQConfigPtr();
        if (!other || !config->IsSameOid(other))
            config = PxVQConfigPtr();
    }
}

VqsTreeItemBSSoftLink* VqsDirectoryView::GetSelectedBSItem()
{
    VqsTreeItemBSSoftLink* found = nullptr;
    for (VqsConfigTreeItem* item : GetSelectedItems()) {
        VqsTreeItemBSSoftLink* link = item ? item->FindBSSoftLinkItem() : nullptr;
        if (!link)
            continue;
        if (found && found != link)
            return nullptr;
        found = link;
    }
    return found;
}

BOOL VqsDirectoryView::HasDefaultPrinter()
{
    CPrintDialog dialog(TRUE, kPrintSetupFlags);
    if (!dialog.GetDefaults()) {
        ClearPrinterSetup();
        return FALSE;
    }
    if (dialog.m_pd.hDC) {
        ::DeleteDC(dialog.m_pd.hDC);
        dialog.m_pd.hDC = nullptr;
    }
    if (!m_printerSetup.hDevMode && !m_printerSetup.hDevNames) {
        m_printerSetup = dialog.m_pd;
        m_printerSetup.Flags &= ~PD_RETURNDEFAULT;
        return TRUE;
    }
    // The command states ask this often; a setup not kept is not left behind.
    ::GlobalFree(dialog.m_pd.hDevMode);
    ::GlobalFree(dialog.m_pd.hDevNames);
    return TRUE;
}

void VqsDirectoryView::ClearPrinterSetup() { m_printerSetup = PRINTDLG{}; }

void VqsDirectoryView::OnSelectionChanged()
{
    VqsSysFrame* frame = GetSysFrame();
    if (!frame)
        return;
    PxVQConfigPtr config;
    GetSelectedConfig(config);
    frame->SetCurrentConfig(config);
    VqsObjectList objects;
    CString status;
    for (VqsConfigTreeItem* item : GetSelectedItems()) {
        if (!item)
            continue;
        if (PxVQObjectPtr object = item->GetObject())
            objects.AddTail(object);
        status = item->GetText();
    }
    frame->SetSelectedObjects(objects);
    if (objects.GetCount() > 1)
        status.Empty();
    frame->SetStatusText(status.IsEmpty() ? nullptr : status.GetString());
}

// ---------------------------------------------------------------- notifications and keys

void VqsDirectoryView::OnItemChanged(NMHDR* header, LRESULT* result)
{
    const auto* change = reinterpret_cast<const NMLISTVIEW*>(header);
    if ((change->uChanged & LVIF_STATE) && ((change->uNewState ^ change->uOldState) & LVIS_SELECTED))
        OnSelectionChanged();
    *result = 0;
}

void VqsDirectoryView::OnKeyDown(NMHDR* header, LRESULT* result)
{
    const auto* key = reinterpret_cast<const NMLVKEYDOWN*>(header);
    if (key->wVKey == VK_DELETE) {
        int enabled = 0;
        int checked = 0;
        GetCommandState(ID_DELETE, &enabled, &checked);
        if (!TellSelectionGone() && enabled)
            RunCommand(ID_DELETE);
    } else if (key->wVKey == VK_INSERT) {
        if (VqsSysFrame* frame = GetSysFrame())
            frame->PostMessage(WM_COMMAND, ID_ADD, 0);
    }
    *result = 0;
}

void VqsDirectoryView::OnDoubleClick(NMHDR*, LRESULT* result)
{
    int enabled = 0;
    int checked = 0;
    GetCommandState(ID_OPEN_SELECTED, &enabled, &checked);
    if (!TellSelectionGone() && enabled)
        RunCommand(ID_OPEN_SELECTED);
    *result = 0;
}

void VqsDirectoryView::RunCommand(UINT id) { SendMessage(WM_COMMAND, id, 0); }

BOOL VqsDirectoryView::TellSelectionGone()
{
    std::vector<PxVQObjectPtr> objects;
    for (VqsConfigTreeItem* item : GetSelectedItems()) {
        if (const PxVQObjectPtr object = item ? item->GetObject() : PxVQObjectPtr())
            objects.push_back(object);
    }
    const PxVQObjectPtr gone = FirstGone(objects);
    if (!gone)
        return FALSE;
    auto* parentItem = dynamic_cast<VqsConfigTreeItem*>(FindItemOf(gone)->GetParent());
    TellRowGone(gone, VqsNodeGone, parentItem ? parentItem->GetObject() : PxVQObjectPtr());
    return TRUE;
}

void VqsDirectoryView::DropRowOfGone(VqsConfigTreeItem* item)
{
    auto* parentItem = dynamic_cast<VqsConfigTreeItem*>(item->GetParent());
    const PxVQObjectPtr parent = parentItem ? parentItem->GetObject() : PxVQObjectPtr();
    OnObjectRemoved(item->GetObject(), parent ? &parent : nullptr);
}

// Only the right half of the expand button toggles the item.
void VqsDirectoryView::OnClick(NMHDR*, LRESULT* result)
{
    *result = 0;
    CPoint point;
    GetCursorPos(&point);
    ScreenToClient(&point);
    CListCtrl& list = GetListCtrl();
    const int row = list.HitTest(point);
    VqsTreeItem* item = GetItem(row);
    CRect rowRect;
    CRect button;
    if (!item || !list.GetItemRect(row, &rowRect, LVIR_BOUNDS) || !GetButtonRect(item, &button))
        return;
    button.OffsetRect(rowRect.left, rowRect.top);
    const int half = button.Width() / 2;
    const CRect zone(button.left + half, button.top, button.left + 2 * half, button.bottom);
    if (!zone.PtInRect(point) || item->GetState() == VqsTreeItem::Leaf)
        return;
    CWaitCursor wait;
    if (item->GetState() == VqsTreeItem::Expanded)
        item->Collapse();
    else
        item->Expand();
}

void VqsDirectoryView::OnChar(UINT ch, UINT repeat, UINT flags)
{
    switch (ch) {
    case '+':
        ExpandSelected();
        break;
    case '*':
        OnExpandBranch();
        break;
    case '-':
        CollapseSelected();
        break;
    default:
        VqsTreeView::OnChar(ch, repeat, flags);
        break;
    }
}

void VqsDirectoryView::EnableHostMenuItem(BOOL enable)
{
    CWnd* top = this;
    while (CWnd* parent = top->GetParent())
        top = parent;
    CMenu* menu = top->GetMenu();
    CMenu* popup = menu ? menu->GetSubMenu(2) : nullptr;
    if (popup)
        popup->EnableMenuItem(7, MF_BYPOSITION | (enable ? MF_ENABLED : MF_GRAYED));
}

void VqsDirectoryView::OnSetFocus(CWnd*)
{
    EnableHostMenuItem(TRUE);
    Default();
}

void VqsDirectoryView::OnKillFocus(CWnd*)
{
    EnableHostMenuItem(FALSE);
    Default();
}

void VqsDirectoryView::OnContextMenu(CWnd*, CPoint point)
{
    CFrameWnd* frame = GetParentFrame();
    if (!frame)
        return;
    VqsFindMdiChildAncestor(this);
    UINT menuId = VqsConfigTreeItem::IDR_ITEM_MENU;
    if (VqsConfigTreeItem* item = GetSelectedConfigItem())
        menuId = item->GetContextMenuId();
    CMenu menu;
    if (!menu.LoadMenu(menuId))
        return;
    if (CMenu* popup = menu.GetSubMenu(0))
        popup->TrackPopupMenu(0, point.x, point.y, frame);
}

void VqsDirectoryView::OnUpdateCommand(CCmdUI* cmdUI)
{
    int enabled = 0;
    int checked = 0;
    GetCommandState(cmdUI->m_nID, &enabled, &checked);
    cmdUI->Enable(enabled);
}
