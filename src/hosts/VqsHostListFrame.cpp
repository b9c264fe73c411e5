#include "hosts/VqsHostListFrame.h"

#include "hosts/VqsHostView.h"
#include "hosts/VqsKeshPackView.h"
#include "hosts/VqsPackAssocView.h"
#include "shell/VqsSysApp.h"
#include "win/CMenu.h"
#include "win/Gdi.h"
#include "win/Input.h"

#include <algorithm>
#include <cstdint>

namespace {

constexpr UINT IDR_HOST_FRAME = 137;
constexpr int kAddPopup = 3;
constexpr int kMinimumPane = 50;
constexpr int kBar = CSplitterWnd::kSplitterBar;
// Narrower than this, the two lists cannot both be shown.
constexpr int kNarrowestFrame = 46;
constexpr UINT kDefaultShare = 50;

int CurrentRowHeight(const CSplitterWnd& splitter, int row, int* minimum = nullptr)
{
    int current = 0;
    int least = 0;
    splitter.GetRowInfo(row, current, least);
    if (minimum)
        *minimum = least;
    return current;
}

int CurrentColumnWidth(const CSplitterWnd& splitter, int col)
{
    int current = 0;
    int least = 0;
    splitter.GetColumnInfo(col, current, least);
    return current;
}

} // namespace

BEGIN_MESSAGE_MAP(VqsHostListFrame, VqsListFrame)
    ON_COMMAND(VqsHostListFrame::ID_ADD, &VqsHostListFrame::OnAdd)
    ON_COMMAND(VqsHostListFrame::ID_ADD_HOST, &VqsHostListFrame::OnAddHost)
    ON_COMMAND(VqsHostListFrame::ID_ADD_PACK, &VqsHostListFrame::OnAddPack)
    ON_COMMAND(VqsHostListFrame::ID_VIEW_PACK_ASSOCIATIONS, &VqsHostListFrame::OnViewPackAssociations)
    ON_MESSAGE(VqsListFrame::WM_UPDATE_COMMANDS, &VqsHostListFrame::OnUpdateCommandsMessage)
    ON_UPDATE_COMMAND_UI(VqsHostListFrame::ID_ADD_HOST, &VqsHostListFrame::OnUpdateAddCommand)
    ON_UPDATE_COMMAND_UI(VqsHostListFrame::ID_ADD_PACK, &VqsHostListFrame::OnUpdateAddCommand)
END_MESSAGE_MAP()

VqsHostListFrame::VqsHostListFrame(VqsViewUpdateCallBack update, VqsViewMessageCallBack message, const LOGFONT* font)
    : VqsListFrame(update, message, font)
{
}

VqsHostListFrame::~VqsHostListFrame() = default;

VqsHostListFrame* VqsHostListFrame::CreateHostFrame(HWND host, VqsViewUpdateCallBack update,
                                                    VqsViewMessageCallBack message, const LOGFONT* font)
{
    auto* frame = new VqsHostListFrame(update, message, font);
    return VqsCreateFrameOverHost(frame, host) ? frame : nullptr;
}

// ---------------------------------------------------------------- panes

BOOL VqsHostListFrame::OnCreateClient(LPCREATESTRUCT cs, CCreateContext* context)
{
    if (!VqsListFrame::OnCreateClient(cs, context) || cs->cx <= kNarrowestFrame)
        return FALSE;
    UINT leftShare = kDefaultShare;
    UINT rightShare = kDefaultShare;
    if (VqsSysApp* app = VqsGetApp())
        app->GetHostFrameLayout(leftShare, rightShare);
    // A layout of 0,0 would divide by zero.
    std::uint64_t shares = std::uint64_t{leftShare} + rightShare;
    if (shares == 0) {
        leftShare = kDefaultShare;
        shares = 2 * kDefaultShare;
    }
    const std::uint64_t width = static_cast<std::uint64_t>(cs->cx - kBar);
    const int left = static_cast<int>(width * leftShare / shares);
    const int right = cs->cx - left - kBar;

    if (!m_outerSplitter.CreateStatic(this, 2, 1, WS_CHILD | WS_VISIBLE, AFX_IDW_PANE_FIRST))
        return FALSE;
    if (!m_outerSplitter.CreateView(1, 0, RUNTIME_CLASS(VqsPackAssocView), CSize(left, 300), context))
        return FALSE;
    if (!m_topSplitter.CreateStatic(&m_outerSplitter, 1, 2, WS_CHILD | WS_VISIBLE | WS_BORDER,
                                    static_cast<UINT>(m_outerSplitter.IdFromRowCol(0, 0))))
        return FALSE;
    if (!m_topSplitter.CreateView(0, 0, RUNTIME_CLASS(VqsKeshPackView), CSize(left, std::max(cs->cy, 0)), context) ||
        !m_topSplitter.CreateView(0, 1, RUNTIME_CLASS(VqsHostView), CSize(right, 0), context))
        return FALSE;

    m_outerSplitter.SetRowInfo(0, GetSystemMetrics(SM_CYSCREEN), kMinimumPane);
    m_outerSplitter.SetRowInfo(1, 0, kMinimumPane);
    m_outerSplitter.RecalcLayout();
    m_topSplitter.SetColumnInfo(0, left, kMinimumPane);
    m_topSplitter.SetColumnInfo(1, right, kMinimumPane);
    m_topSplitter.RecalcLayout();

    for (VqsListView* view = GetNextPane(nullptr); view; view = GetNextPane(view)) {
        if (auto* hosts = dynamic_cast<VqsHostView*>(view))
            hosts->OnInitialUpdate();
        else if (auto* packs = dynamic_cast<VqsKeshPackView*>(view))
            packs->OnInitialUpdate();
        else if (auto* associations = dynamic_cast<VqsPackAssocView*>(view))
            associations->OnInitialUpdate();
    }
    return TRUE;
}

VqsListView* VqsHostListFrame::PaneView(CSplitterWnd& splitter, int row, int col) const
{
    if (!splitter.m_hWnd)
        return nullptr;
    return dynamic_cast<VqsListView*>(splitter.GetPane(row, col));
}

VqsHostView* VqsHostListFrame::GetHostView() const
{
    return dynamic_cast<VqsHostView*>(PaneView(const_cast<CSplitterWnd&>(m_topSplitter), 0, 1));
}

VqsListView* VqsHostListFrame::GetCurrentView()
{
    if (!m_outerSplitter.m_hWnd)
        return nullptr;
    int row = 0;
    CWnd* pane = m_outerSplitter.GetActivePane(&row);
    if (!pane)
        return nullptr;
    if (row == 0) {
        if (!m_topSplitter.m_hWnd)
            return nullptr;
        pane = m_topSplitter.GetActivePane();
    }
    return dynamic_cast<VqsListView*>(pane);
}

VqsListView* VqsHostListFrame::GetNextView(VqsListView* previous)
{
    VqsListView* packs = PaneView(m_topSplitter, 0, 0);
    VqsListView* hosts = PaneView(m_topSplitter, 0, 1);
    if (!previous)
        return packs;
    if (previous == packs)
        return hosts;
    if (previous == hosts)
        return PaneView(m_outerSplitter, 1, 0);
    return nullptr;
}

VqsListView* VqsHostListFrame::GetNextPane(VqsListView* previous) { return GetNextView(previous); }

void VqsHostListFrame::SaveLayout()
{
    if (!m_topSplitter.m_hWnd)
        return;
    const int left = CurrentColumnWidth(m_topSplitter, 0);
    const int right = CurrentColumnWidth(m_topSplitter, 1);
    // A layout of 0,0 could not be divided at the next opening.
    if (left < 0 || right < 0 || left + right == 0)
        return;
    if (VqsSysApp* app = VqsGetApp())
        app->SetHostFrameLayout(static_cast<UINT>(left), static_cast<UINT>(right));
}

UINT VqsHostListFrame::GetMenuId() { return IDR_HOST_FRAME; }

BOOL VqsHostListFrame::OnCmdMsg(UINT id, int code, void* extra, AFX_CMDHANDLERINFO* handlerInfo)
{
    VqsListView* current = GetCurrentView();
    if (current && current != static_cast<CWnd*>(GetActiveView()) &&
        current->OnCmdMsg(id, code, extra, handlerInfo))
        return TRUE;
    return VqsListFrame::OnCmdMsg(id, code, extra, handlerInfo);
}

// ---------------------------------------------------------------- current host and pack

void VqsHostListFrame::SetCurrentHost(const PxVQHostInformationPtr& host)
{
    m_pCurrentHost = host;
    PostUpdateAllCommands();
}

void VqsHostListFrame::SetCurrentPack(const PxVQPackInformationPtr& pack)
{
    m_pCurrentPack = pack;
    PostUpdateAllCommands();
}

PxVQHostInformationPtr VqsHostListFrame::GetCurrentHost()
{
    if (m_pCurrentHost)
        return m_pCurrentHost;
    if (VqsHostView* hosts = GetHostView())
        return hosts->GetCurrentHost();
    return PxVQHostInformationPtr();
}

// ---------------------------------------------------------------- commands

void VqsHostListFrame::GetCommandState(UINT id, int* enabled, int* checked)
{
    switch (id) {
    case ID_ADD:
        GetCommandState(ID_ADD_HOST, enabled, checked);
        GetCommandState(ID_ADD_PACK, enabled, checked);
        return;
    case ID_ADD_HOST:
    case ID_ADD_PACK:
        for (VqsListView* view = GetNextView(nullptr); view; view = GetNextView(view))
            view->GetCommandState(id, enabled, checked);
        return;
    case ID_VIEW_PACK_ASSOCIATIONS: {
        if (!m_outerSplitter.m_hWnd)
            return;
        int topMinimum = 0;
        int bottomMinimum = 0;
        const int top = CurrentRowHeight(m_outerSplitter, 0, &topMinimum);
        const int bottom = CurrentRowHeight(m_outerSplitter, 1, &bottomMinimum);
        *checked = bottom > 0;
        *enabled = bottom > 0 || top >= topMinimum + bottomMinimum + kBar;
        return;
    }
    default:
        VqsListFrame::GetCommandState(id, enabled, checked);
    }
}

void VqsHostListFrame::OnUpdateAddCommand(CCmdUI* cmdUI)
{
    int enabled = 0;
    int checked = 0;
    GetCommandState(cmdUI->m_nID, &enabled, &checked);
    cmdUI->Enable(enabled);
    cmdUI->SetCheck(checked != 0);
}

void VqsHostListFrame::OnAdd()
{
    VqsFindMdiChildAncestor(this);
    CMenu menu;
    if (!menu.LoadMenu(IDR_HOST_FRAME))
        return;
    if (CMenu* popup = menu.GetSubMenu(kAddPopup)) {
        CPoint cursor;
        GetCursorPos(&cursor);
        popup->TrackPopupMenu(0, cursor.x, cursor.y, this);
    }
    menu.DestroyMenu();
}

void VqsHostListFrame::RouteToFirstEnabledView(UINT id)
{
    for (VqsListView* view = GetNextPane(nullptr); view; view = GetNextPane(view)) {
        int enabled = 0;
        int checked = 0;
        view->GetCommandState(id, &enabled, &checked);
        if (enabled) {
            view->SendMessage(WM_COMMAND, id, 0);
            return;
        }
    }
}

void VqsHostListFrame::OnAddHost() { RouteToFirstEnabledView(ID_ADD_HOST); }

void VqsHostListFrame::OnAddPack() { RouteToFirstEnabledView(ID_ADD_PACK); }

LRESULT VqsHostListFrame::OnUpdateCommandsMessage(WPARAM id, LPARAM lParam)
{
    for (VqsListView* view = GetNextPane(nullptr); view; view = GetNextPane(view)) {
        if (auto* associations = dynamic_cast<VqsPackAssocView*>(view))
            associations->SetPackAndHost(m_pCurrentPack, m_pCurrentHost);
    }
    return VqsListFrame::OnUpdateCommandsMessage(id, lParam);
}

// ---------------------------------------------------------------- the association row

void VqsHostListFrame::OnViewPackAssociations()
{
    if (!m_outerSplitter.m_hWnd)
        return;
    if (CurrentRowHeight(m_outerSplitter, 1) > 0)
        HideAssociationRow();
    else
        ShowAssociationRow();
    m_outerSplitter.RecalcLayout();
    PostUpdateCommand(ID_VIEW_PACK_ASSOCIATIONS);
}

void VqsHostListFrame::HideAssociationRow()
{
    int topMinimum = 0;
    int bottomMinimum = 0;
    CurrentRowHeight(m_outerSplitter, 0, &topMinimum);
    m_nAssociationHeight = CurrentRowHeight(m_outerSplitter, 1, &bottomMinimum);
    m_outerSplitter.SetRowInfo(0, GetSystemMetrics(SM_CYSCREEN), topMinimum);
    m_outerSplitter.SetRowInfo(1, 0, bottomMinimum);
}

// The first showing gives the association row three quarters of the height; later ones give
// it back the height it had when it was hidden.
void VqsHostListFrame::ShowAssociationRow()
{
    int topMinimum = 0;
    int bottomMinimum = 0;
    const int height = CurrentRowHeight(m_outerSplitter, 0, &topMinimum);
    CurrentRowHeight(m_outerSplitter, 1, &bottomMinimum);
    int top = m_nAssociationHeight == 0 ? height / 4 : height - m_nAssociationHeight - kBar;
    top = std::max(top, topMinimum);
    top = std::min(top, height - bottomMinimum - kBar);
    m_outerSplitter.SetRowInfo(1, height - top - kBar, bottomMinimum);
    m_outerSplitter.SetRowInfo(0, top, topMinimum);
}
