#include "sysview/VqsSysFrame.h"

#include "generate/VqsGenerateProgress.h"
#include "generate/VqsSynchOptionsDlg.h"
#include "shell/VqsSysApp.h"
#include "sysview/VqsDirectoryView.h"
#include "sysview/VqsOptionPreview.h"
#include "sysview/VqsOptionSetView.h"
#include "vqclient/VqClient.h"
#include "win/CMenu.h"
#include "win/Gdi.h"
#include "win/Help.h"
#include "win/Input.h"

#include <algorithm>

namespace {

constexpr UINT IDR_SYSTEM_FRAME = 136;
constexpr UINT ID_ADD = 32774;
constexpr UINT ID_TOGGLE_PREVIEW = 32806;
constexpr UINT ID_SYNCHRONIZE_OPTIONS = 32791;
constexpr UINT ID_REFRESH = 32805;
constexpr UINT ID_FONTS = 32827;
constexpr UINT ID_FILE_CLOSE = 57602;
constexpr UINT ID_APP_EXIT = 57665;
constexpr UINT ID_CONTEXT_HELP = 57669;
constexpr int kAddPopup = 5;
constexpr int kLeastFrameWidth = 47;
constexpr int kBar = CSplitterWnd::kSplitterBar;
constexpr int kLeastOptionSetHeight = 60;
constexpr int kLeastPreviewHeight = 40;
constexpr int kLeastTreeWidth = 60;
constexpr int kLeastRightWidth = 40;
constexpr int kInitialTreeHeight = 300;
// Larger layout values are never written; one read larger than that is not the frame's.
constexpr UINT kLayoutLimit = 9999;
constexpr UINT kDefaultLayout[] = {60, 40};

// The entries of the Add popup, in the order "add" asks about them.
constexpr UINT kAddEntries[] = {32785, 32771, 32788, 32781, 32829, 32830, 32789};

BOOL IsForwarded(UINT id)
{
    static constexpr UINT kForwarded[] = {32785, 32771, 32788, 32781, 32829, 32830, 32789,
                                          32792, 32828, 32808, 57607, 57606, 32784, 32786};
    return std::find(std::begin(kForwarded), std::end(kForwarded), id) != std::end(kForwarded);
}

// Every command of a menu, an accelerator or the host is given on the selected rows of the
// current pane, whatever it does, but those that close, refresh or only show help or fonts.
BOOL IsGivenOnRows(UINT id)
{
    static constexpr UINT kNotOnRows[] = {ID_FILE_CLOSE, ID_APP_EXIT, ID_REFRESH, ID_FONTS, ID_HELP, ID_CONTEXT_HELP};
    return id != 0 && std::find(std::begin(kNotOnRows), std::end(kNotOnRows), id) == std::end(kNotOnRows);
}

// The heights of the option-set list (row 0) and of the preview (row 1), and their least
// heights.
struct PaneRows {
    int top = 0;
    int topLeast = 0;
    int preview = 0;
    int previewLeast = 0;
};

PaneRows ReadPaneRows(const CSplitterWnd& inner)
{
    PaneRows rows;
    inner.GetRowInfo(0, rows.top, rows.topLeast);
    inner.GetRowInfo(1, rows.preview, rows.previewLeast);
    return rows;
}

// What a view answers for a command, with out-values of its own.
BOOL AskView(VqsListView* view, UINT id, int* enabled, int* checked)
{
    int viewEnabled = 0;
    int viewChecked = 0;
    view->GetCommandState(id, &viewEnabled, &viewChecked);
    if (viewEnabled)
        *enabled = 1;
    if (viewChecked)
        *checked = 1;
    return viewEnabled != 0;
}

} // namespace

BEGIN_MESSAGE_MAP(VqsSysFrame, VqsListFrame)
    ON_COMMAND(ID_SYNCHRONIZE_OPTIONS, &VqsSysFrame::OnSynchronizeOptions)
    ON_COMMAND(ID_ADD, &VqsSysFrame::OnAdd)
    ON_COMMAND_RANGE(32771, 32771, &VqsSysFrame::OnForwardedCommand)
    ON_COMMAND_RANGE(32781, 32781, &VqsSysFrame::OnForwardedCommand)
    ON_COMMAND_RANGE(32784, 32786, &VqsSysFrame::OnForwardedCommand)
    ON_COMMAND_RANGE(32788, 32789, &VqsSysFrame::OnForwardedCommand)
    ON_COMMAND_RANGE(32792, 32792, &VqsSysFrame::OnForwardedCommand)
    ON_COMMAND_RANGE(32808, 32808, &VqsSysFrame::OnForwardedCommand)
    ON_COMMAND_RANGE(32828, 32830, &VqsSysFrame::OnForwardedCommand)
    ON_COMMAND_RANGE(57606, 57607, &VqsSysFrame::OnForwardedCommand)
    ON_COMMAND(ID_TOGGLE_PREVIEW, &VqsSysFrame::OnTogglePreview)
    ON_UPDATE_COMMAND_UI(ID_ADD, &VqsSysFrame::OnUpdateCommand)
    ON_UPDATE_COMMAND_UI_RANGE(32771, 32771, &VqsSysFrame::OnUpdateCommand)
    ON_UPDATE_COMMAND_UI_RANGE(32781, 32781, &VqsSysFrame::OnUpdateCommand)
    ON_UPDATE_COMMAND_UI_RANGE(32785, 32785, &VqsSysFrame::OnUpdateCommand)
    ON_UPDATE_COMMAND_UI_RANGE(32788, 32789, &VqsSysFrame::OnUpdateCommand)
    ON_UPDATE_COMMAND_UI_RANGE(32792, 32792, &VqsSysFrame::OnUpdateCommand)
    ON_UPDATE_COMMAND_UI_RANGE(32808, 32808, &VqsSysFrame::OnUpdateCommand)
    ON_UPDATE_COMMAND_UI_RANGE(32828, 32830, &VqsSysFrame::OnUpdateCommand)
    ON_UPDATE_COMMAND_UI_RANGE(57606, 57607, &VqsSysFrame::OnUpdateCommand)
    ON_MESSAGE(VqsListFrame::WM_UPDATE_COMMANDS, &VqsSysFrame::OnDeferredRefresh)
    ON_MESSAGE(VqsSysFrame::WM_REFRESH_OPTION_SETS, &VqsSysFrame::OnRefreshOptionSets)
    ON_MESSAGE(WM_GENERATE_PROGRESS, &VqsSysFrame::OnGenerateProgress)
    ON_WM_DESTROY()
END_MESSAGE_MAP()

VqsSysFrame::VqsSysFrame(VqsViewUpdateCallBack update, VqsViewMessageCallBack message, const LOGFONT* font)
    : VqsListFrame(update, message, font)
{
}

VqsSysFrame* VqsSysFrame::CreateSystemFrame(HWND host, VqsViewUpdateCallBack update, VqsViewMessageCallBack message,
                                            const LOGFONT* font)
{
    auto* frame = new VqsSysFrame(update, message, font);
    if (!VqsCreateFrameOverHost(frame, host))
        return nullptr;
    if (VqsDirectoryView* view = frame->GetDirectoryView())
        view->OnInitialUpdate();
    if (VqsOptionSetView* list = frame->GetOptionSetView())
        list->OnInitialUpdate();
    if (VqsOptionPreview* preview = frame->GetOptionPreview())
        preview->OnInitialUpdate();
    return frame;
}

UINT VqsSysFrame::GetMenuId() { return IDR_SYSTEM_FRAME; }

// ---------------------------------------------------------------- panes

BOOL VqsSysFrame::OnCreateClient(LPCREATESTRUCT cs, CCreateContext* context)
{
    if (!VqsListFrame::OnCreateClient(cs, context) || cs->cx < kLeastFrameWidth)
        return FALSE;
    UINT first = kDefaultLayout[0];
    UINT second = kDefaultLayout[1];
    if (VqsSysApp* app = VqsGetApp())
        app->GetSystemFrameLayout(first, second);
    if (first > kLayoutLimit || second > kLayoutLimit) {
        first = kDefaultLayout[0];
        second = kDefaultLayout[1];
    }
    const UINT room = static_cast<UINT>(cs->cx - kBar);
    const UINT left = first + second == 0 ? room : room * first / (first + second);
    const UINT right = first + second == 0 ? room : static_cast<UINT>(cs->cx) - left - kBar;
    const int leftWidth = static_cast<int>(left);
    const int rightWidth = static_cast<int>(right);

    if (!m_outer.CreateStatic(this, 1, 2, WS_CHILD | WS_VISIBLE, AFX_IDW_PANE_FIRST) ||
        !m_outer.CreateView(0, 0, RUNTIME_CLASS(VqsDirectoryView), CSize(leftWidth, kInitialTreeHeight), context))
        return FALSE;
    if (!m_inner.CreateStatic(&m_outer, 2, 1, WS_CHILD | WS_VISIBLE | WS_BORDER,
                              static_cast<UINT>(m_outer.IdFromRowCol(0, 1))) ||
        !m_inner.CreateView(0, 0, RUNTIME_CLASS(VqsOptionSetView), CSize(rightWidth, std::max(cs->cy, 0)), context) ||
        !m_inner.CreateView(1, 0, RUNTIME_CLASS(VqsOptionPreview), CSize(rightWidth, 0), context))
        return FALSE;
    m_inner.SetRowInfo(0, GetSystemMetrics(SM_CYSCREEN), kLeastOptionSetHeight);
    m_inner.SetRowInfo(1, 0, kLeastPreviewHeight);
    m_inner.SetActivePane(0, 0);
    m_outer.SetColumnInfo(0, leftWidth, kLeastTreeWidth);
    m_outer.SetColumnInfo(1, rightWidth, kLeastRightWidth);
    m_outer.SetActivePane(0, 0);
    m_outer.RecalcLayout();
    m_inner.RecalcLayout();
    return TRUE;
}

void VqsSysFrame::RecalcLayout(BOOL notify)
{
    VqsListFrame::RecalcLayout(notify);
    if (m_bPreviewSettingApplied || !m_inner.m_hWnd)
        return;
    m_bPreviewSettingApplied = TRUE;
    VqsSysApp* app = VqsGetApp();
    if (app && app->GetOptionsPreview())
        OnTogglePreview();
}

VqsDirectoryView* VqsSysFrame::GetDirectoryView() const
{
    return m_outer.m_hWnd ? dynamic_cast<VqsDirectoryView*>(m_outer.GetPane(0, 0)) : nullptr;
}

VqsOptionSetView* VqsSysFrame::GetOptionSetView() const
{
    return m_inner.m_hWnd ? dynamic_cast<VqsOptionSetView*>(m_inner.GetPane(0, 0)) : nullptr;
}

VqsOptionPreview* VqsSysFrame::GetOptionPreview() const
{
    return m_inner.m_hWnd ? dynamic_cast<VqsOptionPreview*>(m_inner.GetPane(1, 0)) : nullptr;
}

VqsListView* VqsSysFrame::GetCurrentView()
{
    if (!m_outer.m_hWnd)
        return nullptr;
    int row = 0;
    int column = 0;
    CWnd* pane = m_outer.GetActivePane(&row, &column);
    if (pane && (column == 1 || pane == &m_inner))
        pane = m_inner.m_hWnd ? m_inner.GetActivePane() : nullptr;
    return dynamic_cast<VqsListView*>(pane);
}

VqsListView* VqsSysFrame::GetNextView(VqsListView* previous)
{
    if (!previous)
        return GetDirectoryView();
    if (previous == GetDirectoryView())
        return GetOptionSetView();
    if (previous == GetOptionSetView())
        return GetOptionPreview();
    return nullptr;
}

VqsListView* VqsSysFrame::GetNextPane(VqsListView* previous) { return GetNextView(previous); }

void VqsSysFrame::ActivateNextPane(VqsListView* current)
{
    if (!m_outer.m_hWnd || !m_inner.m_hWnd)
        return;
    if (current == GetDirectoryView()) {
        m_outer.SetActivePane(0, 1, &m_inner);
        m_inner.SetActivePane(0, 0);
    } else if (current == GetOptionSetView()) {
        m_outer.SetActivePane(0, 1, &m_inner);
        m_inner.SetActivePane(1, 0);
    } else {
        m_outer.SetActivePane(0, 0);
    }
}

void VqsSysFrame::SaveLayout()
{
    if (!m_outer.m_hWnd)
        return;
    int left = 0;
    int right = 0;
    int least = 0;
    m_outer.GetColumnInfo(0, left, least);
    m_outer.GetColumnInfo(1, right, least);
    VqsSysApp* app = VqsGetApp();
    if (app && left >= 0 && right >= 0)
        app->SetSystemFrameLayout(static_cast<UINT>(left), static_cast<UINT>(right));
}

// ---------------------------------------------------------------- what the panes share

void VqsSysFrame::SetCurrentConfig(const PxVQConfigPtr& config)
{
    m_currentConfig = config;
    PostUpdateAllCommands();
}

void VqsSysFrame::SetSelectedObjects(const VqsObjectList& objects)
{
    m_selectedObjects.RemoveAll();
    for (POSITION position = objects.GetHeadPosition(); position;)
        m_selectedObjects.AddTail(objects.GetNext(position));
    PostUpdateAllCommands();
}

void VqsSysFrame::SetCurrentOptionSet(const PxVQOptionSetPtr& optionSet)
{
    m_currentOptionSet = optionSet;
    PostUpdateAllCommands();
}

PxVQOptionSetPtr VqsSysFrame::GetSelectedOptionSet()
{
    VqsOptionSetView* view = GetOptionSetView();
    return view ? view->GetSelectedOptionSet() : PxVQOptionSetPtr();
}

LRESULT VqsSysFrame::OnDeferredRefresh(WPARAM wParam, LPARAM lParam)
{
    if (VqsOptionSetView* view = GetOptionSetView())
        view->SetConfig(m_currentConfig);
    if (VqsOptionPreview* preview = GetOptionPreview())
        preview->ShowOptionSet(m_currentOptionSet, m_selectedObjects);
    return OnUpdateCommandsMessage(wParam, lParam);
}

LRESULT VqsSysFrame::OnRefreshOptionSets(WPARAM, LPARAM)
{
    if (VqsOptionSetView* view = GetOptionSetView())
        view->RefreshOptionSets();
    return 1;
}

LRESULT VqsSysFrame::OnGenerateProgress(WPARAM, LPARAM text)
{
    VqcTakeEventText(text);
    return 0;
}

void VqsSysFrame::OnDestroy()
{
    // Progress posted before the frame closed would otherwise be dropped with its text.
    VqsDiscardPendingProgress(m_hWnd);
    VqsListFrame::OnDestroy();
}

// ---------------------------------------------------------------- commands

void VqsSysFrame::GetCommandState(UINT id, int* enabled, int* checked)
{
    if (id == ID_SYNCHRONIZE_OPTIONS) {
        *enabled = 1;
    } else if (id == ID_TOGGLE_PREVIEW) {
        if (!m_inner.m_hWnd)
            return;
        const PaneRows rows = ReadPaneRows(m_inner);
        if (rows.preview > 0)
            *checked = 1;
        if (rows.preview > 0 || rows.top >= rows.topLeast + rows.previewLeast + kBar)
            *enabled = 1;
    } else if (id == ID_ADD) {
        for (UINT entry : kAddEntries)
            GetCommandState(entry, enabled, checked);
    } else if (IsForwarded(id)) {
        for (VqsListView* view = GetNextView(nullptr); view; view = GetNextView(view))
            AskView(view, id, enabled, checked);
    } else {
        VqsListFrame::GetCommandState(id, enabled, checked);
    }
}

// Whether the command is on is asked before the rows are, as the window asks it: a row another
// user deletes in between is told, never passed over as a command that went off.
BOOL VqsSysFrame::OnCommand(WPARAM wParam, LPARAM lParam)
{
    const UINT id = LOWORD(wParam);
    VqsListView* current = GetCurrentView();
    if (lParam != 0 || !IsGivenOnRows(id) || !current)
        return VqsListFrame::OnCommand(wParam, lParam);
    CTestCmdUI probe;
    probe.m_nID = id;
    OnCmdMsg(id, static_cast<int>(CN_UPDATE_COMMAND_UI), &probe, nullptr);
    if (current->TellSelectionGone() || !probe.m_bEnabled)
        return TRUE;
    return OnCmdMsg(id, static_cast<int>(CN_COMMAND), nullptr, nullptr);
}

void VqsSysFrame::OnUpdateCommand(CCmdUI* cmdUI)
{
    int enabled = 0;
    int checked = 0;
    GetCommandState(cmdUI->m_nID, &enabled, &checked);
    cmdUI->Enable(enabled);
    cmdUI->SetCheck(checked ? 1 : 0);
}

void VqsSysFrame::ForwardCommand(UINT id)
{
    int enabled = 0;
    int checked = 0;
    VqsListView* current = GetCurrentView();
    if (current && AskView(current, id, &enabled, &checked)) {
        current->SendMessage(WM_COMMAND, id, 0);
        return;
    }
    for (VqsListView* view = GetNextView(nullptr); view; view = GetNextView(view)) {
        if (view != current && AskView(view, id, &enabled, &checked)) {
            view->SendMessage(WM_COMMAND, id, 0);
            return;
        }
    }
}

void VqsSysFrame::OnForwardedCommand(UINT id) { ForwardCommand(id); }

void VqsSysFrame::OnAdd()
{
    CMenu menu;
    if (!menu.LoadMenu(IDR_SYSTEM_FRAME))
        return;
    CMenu* popup = menu.GetSubMenu(kAddPopup);
    if (!popup)
        return;
    CPoint cursor;
    GetCursorPos(&cursor);
    popup->TrackPopupMenu(TPM_LEFTALIGN, cursor.x, cursor.y, this);
}

void VqsSysFrame::OnTogglePreview()
{
    if (!m_inner.m_hWnd)
        return;
    const PaneRows rows = ReadPaneRows(m_inner);
    VqsSysApp* app = VqsGetApp();
    if (rows.preview > 0) {
        m_nSavedPreviewHeight = rows.preview;
        m_inner.SetRowInfo(0, GetSystemMetrics(SM_CYSCREEN), rows.topLeast);
        m_inner.SetRowInfo(1, 0, rows.previewLeast);
        if (app)
            app->SetOptionsPreview(0);
    } else {
        int newTop = m_nSavedPreviewHeight == 0 ? 2 * rows.top / 3 : rows.top - m_nSavedPreviewHeight - kBar;
        newTop = std::max(newTop, rows.topLeast);
        newTop = std::min(newTop, rows.top - rows.previewLeast - kBar);
        m_inner.SetRowInfo(1, rows.top - newTop - kBar, rows.previewLeast);
        m_inner.SetRowInfo(0, newTop, rows.topLeast);
        if (app)
            app->SetOptionsPreview(1);
    }
    m_inner.RecalcLayout();
    PostUpdateCommand(ID_TOGGLE_PREVIEW);
}

void VqsSysFrame::OnSynchronizeOptions() { VqsRunSynchOptions(this); }
