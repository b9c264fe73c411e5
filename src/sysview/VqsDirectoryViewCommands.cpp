// The directory view's command table: the rule that enables each command, and the
// commands that change how the tree is shown.
#include "sysview/VqsDirectoryView.h"

#include "generate/VqsGenerateCommands.h"
#include "generate/VqsGenerateStatus.h"
#include "proxy/PxLSEBusinessSegment.h"
#include "proxy/PxLink.h"
#include "proxy/PxObjectKind.h"
#include "proxy/PxProcess.h"
#include "proxy/PxVQOptions.h"
#include "proxy/PxVQProfileSoftLink.h"
#include "shell/VqsMsgBox.h"
#include "shell/VqsSortBatch.h"
#include "shell/VqsSysApp.h"
#include "sysview/VqsSysFrame.h"
#include "sysview/VqsTreeItemSoftLink.h"
#include "sysview/VqsTreeItemSystem.h"
#include "win/CPrintDialog.h"
#include "win/CommonDialogs.h"

#include <algorithm>
#include <vector>

namespace {

constexpr int kRightAdministrator = 64;
constexpr int kHostTypeTarsk = 2;
constexpr UINT IDS_PRINT_DIALOG_ERROR = 61762;
constexpr UINT IDS_CURRENT_SYSTEM_DELETED = 61513;
constexpr UINT IDS_SECURITY_VIOLATION = 61667;
constexpr int kRightGenerate = 8;

enum : UINT {
    ID_ADD_BUSINESS_SEGMENT = 32771,
    ID_OPTIONS = 32772,
    ID_PARENTS = 32773,
    ID_OPEN_SELECTED = 32775,
    ID_ADD_REPORT = 32781,
    ID_SORT_BY_NAME = 32784,
    ID_NEW_SYSTEM = 32785,
    ID_SORT_BY_TYPE = 32786,
    ID_NEW_REPORT_GROUP = 32788,
    ID_SYNCHRONIZE = 32790,
    ID_GENERATE_SYSTEM = 32792,
    ID_PREVIOUS_CONFIGS = 32794,
    ID_EXPAND_BRANCH = 32797,
    ID_SET_ROOT = 32801,
    ID_RESET_ROOT = 32802,
    ID_SET_COLORS = 32803,
    ID_STATUS = 32804,
    ID_GENERATE_REPORTS = 32808,
    ID_LOAD = 32820,
    ID_EXTRACT = 32821,
    ID_MONITOR = 32822,
    ID_GENERATE_BUNDLE = 32828,
    ID_NEW_BUNDLE = 32829,
    ID_ADD_ISPEC = 32830,
    ID_SHOW_ALL_FOLDERS = 32834,
    ID_HIDE_ALL_FOLDERS = 32844,
    ID_FOLDERS_OF_LINK = 32847,
    ID_REPORT_DIFFERENCES = 32857,
    ID_GENERATE_STATUS = 32859,
    ID_DELETE = 57632,
    ID_PRINT_SETUP = 57606,
    ID_PRINT = 57607,
};

// The folder commands and the folder bit each toggles.
constexpr struct {
    UINT id;
    UINT bit;
} kFolderCommands[] = {{32846, 32}, {32832, 1}, {32840, 8}, {32836, 4}, {32838, 2}, {32842, 16}};

BOOL KindOf(VqsConfigTreeItem* item, int& kind) { return item && item->GetObjectKind(kind); }

BOOL KindIs(VqsConfigTreeItem* item, std::initializer_list<int> kinds)
{
    int kind = 0;
    return KindOf(item, kind) && std::find(kinds.begin(), kinds.end(), kind) != kinds.end();
}

BOOL ObjectPresent(VqsConfigTreeItem* item)
{
    const PxVQObjectPtr object = item ? item->GetObject() : PxVQObjectPtr();
    return object && object->ObjectPresent();
}

BOOL IsReportLink(VqsConfigTreeItem* item)
{
    if (!KindIs(item, {PxKindElementSoftLink}))
        return FALSE;
    const PxVQElementSoftLinkPtr link = item->GetElementSoftLink();
    return link && link->GetElementType() == VQSoftLinkReport;
}

BOOL IsCurConfig(const PxVQConfigPtr& config) { return config && config->_IsKindOf("PxVQCurConfig"); }

BOOL IsPresentCurConfig(const PxVQConfigPtr& config) { return IsCurConfig(config) && config->ObjectPresent(); }

// The business segment of the configuration's link (the last one when there are several)
// is in the design and allowed and, when asked, not Brask-supplied.
BOOL SegmentAllowed(const PxVQConfigPtr& config, BOOL refuseBrask)
{
    VqsSysApp* app = VqsGetApp();
    if (!app || !config)
        return FALSE;
    PxTypedList<PxVQBSSoftLinkPtr> links;
    config->GetListOfBSSoftLinks(links);
    if (links.IsEmpty() || !links.GetTail())
        return FALSE;
    const CString name = links.GetTail()->GetName();
    const PxLSEEnterprisePtr design = app->GetLSEEnterprise();
    const PxLSEBusinessSegmentPtr segment = design ? design->GetBusinessSegment(name) : PxLSEBusinessSegmentPtr();
    if (!segment || !app->IsBusinessSegmentAllowed(name))
        return FALSE;
    return !refuseBrask || !segment->GetBraskSupplied();
}

BOOL AllowsOptions(VqsConfigTreeItem* item)
{
    return item && (!item->UsesSpecialColour() || item->AllowsOptionsWhenMarked());
}

// Every selected row lies under one parent and may be opened.
BOOL DeleteRule(const std::vector<VqsConfigTreeItem*>& items)
{
    if (items.empty())
        return FALSE;
    for (VqsConfigTreeItem* item : items) {
        if (!item || item->GetParent() != items.front()->GetParent() || !item->IsOpenable())
            return FALSE;
    }
    return TRUE;
}

BOOL ReportRule(const std::vector<VqsConfigTreeItem*>& items, const PxVQConfigPtr& config)
{
    if (IsPresentCurConfig(config) && !SegmentAllowed(config, TRUE))
        return FALSE;
    if (items.empty())
        return FALSE;
    if (items.size() == 1) {
        VqsConfigTreeItem* item = items.front();
        if (!ObjectPresent(item))
            return FALSE;
        return KindIs(item, {PxKindSystem, PxKindBSSoftLink, PxKindCurrentConfiguration, PxKindReportGroup,
                             PxKindReportAlias}) ||
               IsReportLink(item);
    }
    BOOL links = FALSE;
    BOOL aliases = FALSE;
    VqsTreeItem* parent = nullptr;
    for (VqsConfigTreeItem* item : items) {
        int kind = 0;
        if (!KindOf(item, kind) || !ObjectPresent(item))
            return FALSE;
        if (dynamic_cast<VqsTreeItemReportSoftLink*>(item))
            links = TRUE;
        else if (kind == PxKindReportAlias)
            aliases = TRUE;
        else
            return FALSE;
        if (parent && parent != item->GetParent())
            return FALSE;
        parent = item->GetParent();
    }
    return !(links && aliases);
}

BOOL BundleRule(const std::vector<VqsConfigTreeItem*>& items, const PxVQConfigPtr& config)
{
    if (!IsPresentCurConfig(config) || !SegmentAllowed(config, FALSE) || items.size() != 1)
        return FALSE;
    VqsConfigTreeItem* item = items.front();
    if (!item || item->UsesSpecialColour() ||
        !KindIs(item, {PxKindBSSoftLink, PxKindReportGroup, PxKindElementSoftLink, PxKindReportAlias, PxKindBundle,
                       PxKindIspecBundleData}))
        return FALSE;
    const PxVQBSSoftLinkPtr link = item->GetBSSoftLink();
    if (!link)
        return FALSE;
    PxTypedList<PxVQBundlePtr> bundles;
    link->GetListOfBundles(bundles);
    return !bundles.IsEmpty();
}

VqsTreeItemSystem* SystemItemOf(VqsTreeItem* item)
{
    for (; item; item = item->GetParent()) {
        if (auto* system = dynamic_cast<VqsTreeItemSystem*>(item))
            return system;
    }
    return nullptr;
}

BOOL GenerateStatusRule(VqsConfigTreeItem* item)
{
    VqsTreeItemSystem* system = SystemItemOf(item);
    return system && ObjectPresent(system) && system->GetSystem()->CountOfRecoveryInfos() > 0;
}

BOOL MonitorRule(VqsConfigTreeItem* item)
{
    if (!KindIs(item, {PxKindSystem, PxKindCurrentConfiguration}) || !ObjectPresent(item))
        return FALSE;
    VqsSysApp* app = VqsGetApp();
    CString userCode;
    if (app && !app->HasRight(kRightAdministrator)) {
        PxLink* link = item->GetObject()->GetLink();
        PxProcess* process = link ? link->GetProcess() : nullptr;
        if (process)
            userCode = process->GetUserCode();
    }
    const PxVQSystemPtr system = item->GetSystem();
    return system && system->IsMonitorRecoveryInfoPresent(userCode);
}

BOOL PrintRowsRule(const std::vector<VqsConfigTreeItem*>& items)
{
    if (items.empty())
        return FALSE;
    if (items.size() == 1)
        return KindIs(items.front(), {PxKindBSSoftLink, PxKindElementSoftLink, PxKindSystem});
    VqsTreeItem* shared = nullptr;
    VqsTreeItem* sharedParent = nullptr;
    for (VqsConfigTreeItem* item : items) {
        int kind = 0;
        if (!KindOf(item, kind) || !ObjectPresent(item))
            return FALSE;
        VqsTreeItem* p = nullptr;
        if (kind == PxKindElementSoftLink)
            p = item->GetParent();
        else if (kind == PxKindBSSoftLink)
            p = item;
        else
            return FALSE;
        if (!p || !p->GetParent())
            return FALSE;
        if (shared && (shared != p || sharedParent != p->GetParent()))
            return FALSE;
        shared = p;
        sharedParent = p->GetParent();
    }
    return TRUE;
}

// The "status" rule: marked rows keep it only when they allow options; an unmarked row
// turns it off unless it is an Ispec entry or, on a Tarsk host, a primary profile or an
// automatically maintained one.
void StatusRule(const std::vector<VqsConfigTreeItem*>& items, VqsSysFrame* frame, int* enabled, int* checked)
{
    if (items.empty())
        return;
    *enabled = 1;
    *checked = 1;
    for (VqsConfigTreeItem* item : items) {
        if (!item)
            continue;
        if (item->UsesSpecialColour()) {
            *checked = 0;
            if (item->AllowsOptionsWhenMarked())
                *enabled = 1;
            continue;
        }
        *enabled = 0;
        const PxVQObjectPtr object = item->GetObject();
        if (!object)
            continue;
        if (object->ObjectPresent())
            *checked = 0;
        const int kind = object->GetObjectKind();
        if (kind == PxKindIspecBundleData) {
            *enabled = 1;
        } else if (kind == PxKindProfileSoftLink) {
            const PxVQOptionSetPtr optionSet = frame ? frame->GetOptionSet() : PxVQOptionSetPtr();
            if (!optionSet)
                return;
            const PxVQProfileSoftLinkPtr profile(object);
            if (optionSet->GetHostType() == kHostTypeTarsk &&
                ((profile->GetPrimary() && !profile->GetOverEvent()) || profile->GetAutoMaint()))
                *enabled = 1;
        }
    }
}

} // namespace

// ---------------------------------------------------------------- selection rules

PxVQCurConfigPtr VqsDirectoryView::GetSelectedCurConfig()
{
    PxVQConfigPtr config;
    GetSelectedConfig(config);
    if (!IsCurConfig(config))
        return PxVQCurConfigPtr();
    if (!config->ObjectPresent()) {
        VqsMessageBoxId(IDS_CURRENT_SYSTEM_DELETED);
        return PxVQCurConfigPtr();
    }
    return PxVQCurConfigPtr(config);
}

BOOL VqsDirectoryView::CheckGenerateRight()
{
    VqsSysApp* app = VqsGetApp();
    if (app && app->HasRight(kRightGenerate))
        return TRUE;
    VqsMessageBoxId(IDS_SECURITY_VIOLATION);
    return FALSE;
}

BOOL VqsDirectoryView::CollectSelectedReports(VqsReportRequest& request)
{
    const std::vector<VqsConfigTreeItem*> items = GetSelectedItems();
    if (items.size() == 1) {
        VqsConfigTreeItem* item = items.front();
        int kind = 0;
        if (!item || !item->GetObjectKind(kind))
            return FALSE;
        switch (kind) {
        case PxKindCurrentConfiguration:
        case PxKindBSSoftLink:
        case PxKindSystem:
            request.allReports = TRUE;
            return TRUE;
        case PxKindReportGroup:
            request.group = item->GetReportGroup();
            request.allReports = TRUE;
            return TRUE;
        case PxKindReportAlias: {
            auto* parent = dynamic_cast<VqsConfigTreeItem*>(item->GetParent());
            if (!parent)
                return FALSE;
            request.group = parent->GetReportGroup();
            if (PxVQReportSoftLinkPtr report = item->GetElementSoftLink())
                request.reports.AddTail(report);
            return TRUE;
        }
        case PxKindElementSoftLink:
            if (!ObjectPresent(item) || !IsReportLink(item))
                return FALSE;
            request.reports.AddTail(PxVQReportSoftLinkPtr(item->GetElementSoftLink()));
            return TRUE;
        default:
            return TRUE;
        }
    }
    for (VqsConfigTreeItem* item : items) {
        int kind = 0;
        if (!item || !item->GetObjectKind(kind) || !ObjectPresent(item))
            continue;
        if (kind == PxKindElementSoftLink) {
            if (request.group)
                return FALSE;
            if (IsReportLink(item))
                request.reports.AddTail(PxVQReportSoftLinkPtr(item->GetElementSoftLink()));
        } else if (kind == PxKindReportAlias) {
            if (PxVQReportSoftLinkPtr report = item->GetElementSoftLink())
                request.reports.AddTail(report);
            auto* parent = dynamic_cast<VqsConfigTreeItem*>(item->GetParent());
            if (!request.group && parent)
                request.group = parent->GetReportGroup();
        } else {
            return FALSE;
        }
    }
    return TRUE;
}

void VqsDirectoryView::SortRows() { VqsSortBatch::SortInTreeOrder(this, m_nSortMode); }

int VqsDirectoryView::GetCommandState(UINT id, int* enabled, int* checked)
{
    const int handled = VqsTreeView::GetCommandState(id, enabled, checked);
    VqsConfigTreeItem* item = GetSelectedConfigItem();
    PxVQConfigPtr config;
    switch (id) {
    case ID_OPEN_SELECTED:
        *enabled = AllowsOptions(item);
        break;
    case ID_OPTIONS:
        *enabled = AllowsOptions(item) && KindIs(item, {PxKindSystem, PxKindBSSoftLink, PxKindReportGroup,
                                                        PxKindElementSoftLink, PxKindReportAlias, PxKindBundle,
                                                        PxKindIspecBundleData});
        break;
    case ID_NEW_SYSTEM:
        *enabled = item && item->CanCreateSystem();
        break;
    case ID_ADD_BUSINESS_SEGMENT:
        *enabled = item && item->CanAddBusinessSegment();
        break;
    case ID_DELETE:
        *enabled = DeleteRule(GetSelectedItems());
        break;
    case ID_PARENTS:
        *enabled = item && !dynamic_cast<VqsTreeItemEnterprise*>(item);
        break;
    case ID_NEW_REPORT_GROUP:
        *enabled = item && item->CanAddReportGroup();
        break;
    case ID_ADD_REPORT:
        *enabled = item && item->CanAddReport();
        break;
    case ID_NEW_BUNDLE:
        *enabled = item && item->IsEditableBSLink();
        break;
    case ID_ADD_ISPEC:
        *enabled = item && item->CanAddIspec();
        break;
    case ID_SORT_BY_NAME:
        *enabled = m_nSortMode != 0;
        *checked = m_nSortMode == 0;
        break;
    case ID_SORT_BY_TYPE:
        *enabled = m_nSortMode != 1;
        *checked = m_nSortMode == 1;
        break;
    case ID_PREVIOUS_CONFIGS:
        *enabled = 1;
        *checked = m_nPreviousConfigs == 1;
        break;
    case ID_EXPAND_BRANCH:
        *enabled = item && item->GetState() != VqsTreeItem::Leaf;
        break;
    case ID_SET_ROOT:
        *enabled = item && item->GetShownParent();
        break;
    case ID_RESET_ROOT:
        *enabled = m_pRoot && !m_pRoot->IsShown();
        break;
    case ID_SET_COLORS:
    case ID_SHOW_ALL_FOLDERS:
    case ID_HIDE_ALL_FOLDERS:
        *enabled = 1;
        break;
    case ID_LOAD:
        *enabled = item && item->CanLoad();
        break;
    case ID_EXTRACT:
        *enabled = item && item->CanExtract();
        break;
    case ID_SYNCHRONIZE:
        GetSelectedConfig(config);
        *enabled = IsCurConfig(config);
        break;
    case ID_GENERATE_SYSTEM:
        GetSelectedConfig(config);
        *enabled = IsPresentCurConfig(config) && SegmentAllowed(config, TRUE);
        break;
    case ID_GENERATE_REPORTS:
        GetSelectedConfig(config);
        *enabled = ReportRule(GetSelectedItems(), config);
        break;
    case ID_GENERATE_BUNDLE:
        GetSelectedConfig(config);
        *enabled = BundleRule(GetSelectedItems(), config);
        break;
    case ID_REPORT_DIFFERENCES:
        *enabled = KindIs(item, {PxKindBundle});
        break;
    case ID_GENERATE_STATUS:
        *enabled = GenerateStatusRule(item);
        break;
    case ID_MONITOR:
        *enabled = MonitorRule(item);
        break;
    case ID_STATUS:
        StatusRule(GetSelectedItems(), GetSysFrame(), enabled, checked);
        break;
    case ID_PRINT:
    case ID_PRINT_SETUP: {
        VqsSysFrame* frame = GetSysFrame();
        *enabled = frame && frame->GetOptionSet() && HasDefaultPrinter() && PrintRowsRule(GetSelectedItems());
        break;
    }
    case ID_FOLDERS_OF_LINK:
        *enabled = GetSelectedBSItem() != nullptr;
        break;
    default: {
        const auto folder = std::find_if(std::begin(kFolderCommands), std::end(kFolderCommands),
                                         [id](const auto& entry) { return entry.id == id; });
        if (folder == std::end(kFolderCommands))
            return handled;
        VqsTreeItemBSSoftLink* link = GetSelectedBSItem();
        *enabled = link != nullptr;
        *checked = link && (link->GetFolderMask() & folder->bit);
        break;
    }
    }
    return TRUE;
}

// ---------------------------------------------------------------- tree commands

void VqsDirectoryView::SetSortMode(int mode)
{
    if (m_nSortMode == mode)
        return;
    m_nSortMode = mode;
    VqsTreeItem::OrderChanged();
    SortRows();
    PostUpdateCommand(ID_SORT_BY_NAME);
    PostUpdateCommand(ID_SORT_BY_TYPE);
    if (VqsSysApp* app = VqsGetApp())
        app->SetSortBy(mode == 1);
}

void VqsDirectoryView::OnSortByName() { SetSortMode(0); }

void VqsDirectoryView::OnSortByType() { SetSortMode(1); }

void VqsDirectoryView::OnTogglePreviousConfigs()
{
    m_nPreviousConfigs = m_nPreviousConfigs == 1 ? 0 : 1;
    if (m_pRoot) {
        VqsRedrawSwitch redraw(this);
        m_pRoot->OnViewSettingsChanged(static_cast<UINT>(m_nSortMode));
    }
    PostUpdateAllCommands();
    if (VqsSysApp* app = VqsGetApp())
        app->SetPreviousConfig(m_nPreviousConfigs);
}

void VqsDirectoryView::OnToggleFolder(UINT id)
{
    const auto folder = std::find_if(std::begin(kFolderCommands), std::end(kFolderCommands),
                                     [id](const auto& entry) { return entry.id == id; });
    if (folder == std::end(kFolderCommands))
        return;
    if (VqsTreeItemBSSoftLink* link = GetSelectedBSItem())
        link->ShowFolders(folder->bit, (link->GetFolderMask() & folder->bit) == 0, m_nSortMode);
    VqsSysApp* app = VqsGetApp();
    if (VqsTreeItemBSSoftLink* link = GetSelectedBSItem(); link && app)
        app->SetDisplayFolders(static_cast<int>(link->GetFolderMask()));
    PostUpdateCommand(id);
}

void VqsDirectoryView::ShowAllFolders(BOOL show)
{
    if (!m_pRoot)
        return;
    m_pRoot->ShowFolders(FolderAll, show, m_nSortMode);
    for (const auto& folder : kFolderCommands)
        PostUpdateCommand(folder.id);
    if (VqsSysApp* app = VqsGetApp())
        app->SetDisplayFolders(show ? static_cast<int>(FolderAll) : 0);
}

void VqsDirectoryView::OnShowAllFolders() { ShowAllFolders(TRUE); }

void VqsDirectoryView::OnHideAllFolders() { ShowAllFolders(FALSE); }

void VqsDirectoryView::OnExpand() { ExpandSelected(); }

void VqsDirectoryView::OnCollapse() { CollapseSelected(); }

void VqsDirectoryView::OnExpandBranch()
{
    VqsTreeItem* item = GetSelectedItem();
    if (!item || item->GetState() == VqsTreeItem::Leaf)
        return;
    CWaitCursor wait;
    VqsRedrawSwitch redraw(this);
    // The branch's sort batch leaves the rows in tree order.
    item->ExpandBranch();
    item->SelectExclusive();
    PostUpdateAllCommands();
}

void VqsDirectoryView::OnSetRoot()
{
    VqsTreeItem* item = GetSelectedItem();
    if (!item || !item->GetShownParent())
        return;
    CWaitCursor wait;
    {
        VqsRedrawSwitch redraw(this);
        item->SetAsRoot();
        item->SelectExclusive();
        RedrawAllItems();
    }
    UpdateWindow();
    PostUpdateAllCommands();
}

// The rows that were first and last in the window are found again by their objects: the
// items above the root are filled again on the way.
void VqsDirectoryView::OnResetRoot()
{
    if (!m_pRoot || m_pRoot->IsShown())
        return;
    CWaitCursor wait;
    CListCtrl& list = GetListCtrl();
    const int top = list.GetTopIndex();
    const int last = std::min(top + list.GetCountPerPage() - 1, list.GetItemCount() - 1);
    auto objectOf = [this](int row) {
        auto* item = dynamic_cast<VqsConfigTreeItem*>(GetItem(row));
        return item ? item->GetObject() : PxVQObjectPtr();
    };
    const PxVQObjectPtr first = objectOf(top);
    const PxVQObjectPtr final = objectOf(last);
    {
        VqsRedrawSwitch redraw(this);
        m_pRoot->MakeVisible();
        RedrawAllItems();
    }
    UpdateWindow();
    PostUpdateAllCommands();
    for (const PxVQObjectPtr& object : {first, final}) {
        VqsConfigTreeItem* item = object ? FindItem(object->GetHandle().MapKey()) : nullptr;
        if (item)
            item->EnsureVisible();
    }
}

void VqsDirectoryView::OnSetColors()
{
    if (VqsSysFrame* frame = GetSysFrame())
        frame->NotifyHost("setColors:", "0");
}

void VqsDirectoryView::OnLoad()
{
    if (VqsSysFrame* frame = GetSysFrame())
        frame->NotifyHost("load:", "0");
}

void VqsDirectoryView::OnPrinterSetup()
{
    CPrintDialog dialog(TRUE, kPrintSetupFlags);
    if (m_printerSetup.hDevMode && m_printerSetup.hDevNames)
        dialog.m_pd = m_printerSetup;
    const INT_PTR result = dialog.DoModal();
    if (!m_hWnd)
        return;
    if (CommDlgExtendedError() != 0 || (result != IDOK && result != IDCANCEL)) {
        ClearPrinterSetup();
        VqsErrorBoxId(IDS_PRINT_DIALOG_ERROR);
        return;
    }
    m_printerSetup = dialog.m_pd;
}

void VqsDirectoryView::OnGenerateSystem() { VqsGenerateSystem(*this); }

void VqsDirectoryView::OnSynchronize() { VqsSynchronizeConfig(*this); }

void VqsDirectoryView::OnExtract() { VqsExtractSystem(*this); }

void VqsDirectoryView::OnGenerateReports() { VqsGenerateReports(*this); }

void VqsDirectoryView::OnGenerateBundle() { VqsGenerateBundle(*this); }

void VqsDirectoryView::OnReportDifferences() { VqsReportDifferences(*this); }

void VqsDirectoryView::OnShowGenerateStatus() { VqsShowGenerateStatus(*this); }
