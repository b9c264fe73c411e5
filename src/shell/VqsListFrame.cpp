#include "shell/VqsListFrame.h"

#include "go/VqsGoDispatcher.h"
#include "model/VqsLockBag.h"
#include "model/VqsModel.h"
#include "shell/StatusMessage.h"
#include "shell/VqsListView.h"
#include "shell/VqsMsgBox.h"
#include "shell/VqsOpenEnterpriseDlg.h"
#include "shell/VqsSysApp.h"
#include "win/Accelerators.h"
#include "win/CMenu.h"

#include <cstring>
#include <vector>

namespace {

constexpr UINT ID_FILE_CLOSE = 57602;
constexpr UINT ID_APP_EXIT = 57665;
constexpr UINT ID_OPEN_CURRENT = 32825;
constexpr UINT ID_GO = 32826;
constexpr UINT ID_FONTS = 32827;
constexpr UINT ID_REFRESH = 32805;

constexpr UINT IDS_REFRESHING_VIEWS = 61524;
constexpr UINT IDS_VIEW_MAY_HAVE_CHANGED = 61491;
constexpr UINT IDS_CANNOT_LOAD_MENU = 61486;

constexpr UINT kSeparator = 0;
constexpr UINT kPopup = static_cast<UINT>(-1);

} // namespace

BEGIN_MESSAGE_MAP(VqsListFrame, CFrameWnd)
    ON_WM_CLOSE()
    ON_COMMAND(ID_REFRESH, &VqsListFrame::OnRefresh)
    ON_COMMAND(ID_APP_EXIT, &VqsListFrame::OnAppExit)
    ON_UPDATE_COMMAND_UI(ID_OPEN_CURRENT, &VqsListFrame::OnUpdateOpenCurrent)
    ON_COMMAND(ID_OPEN_CURRENT, &VqsListFrame::OnOpenCurrent)
    ON_COMMAND(ID_FILE_CLOSE, &VqsListFrame::OnFileClose)
    ON_COMMAND(ID_GO, &VqsListFrame::OnGo)
    ON_MESSAGE(VqsListFrame::WM_UPDATE_COMMANDS, &VqsListFrame::OnUpdateCommandsMessage)
    ON_MESSAGE(VqsListFrame::WM_REFRESH_VIEWS, &VqsListFrame::OnRefreshMessage)
END_MESSAGE_MAP()

// Walks a menu for the host: every item of every top-level popup, nested popups with their
// own text as the parent of their items.
class VqsListFrame::MenuExport {
public:
    MenuExport(VqsMenuItemCallBack callback, UINT menuId) : m_callback(callback)
    {
        if (HACCEL table = ::LoadAccelerators(nullptr, MAKEINTRESOURCE(menuId))) {
            m_accelerators.resize(static_cast<std::size_t>(::CopyAcceleratorTable(table, nullptr, 0)));
            ::CopyAcceleratorTable(table, m_accelerators.data(), static_cast<int>(m_accelerators.size()));
        }
    }

    void ExportTopLevel(CMenu& menu, UINT count)
    {
        for (UINT position = 0; position < count; ++position) {
            CMenu* popup = menu.GetSubMenu(static_cast<int>(position));
            if (!popup)
                continue;
            CString text;
            menu.GetMenuString(position, text, MF_BYPOSITION);
            ExportPopup(*popup, text);
        }
    }

    CMap<UINT, UINT, CString, LPCTSTR>& Commands() { return m_commands; }

private:
    void ExportPopup(CMenu& popup, const CString& parent)
    {
        const UINT count = popup.GetMenuItemCount();
        if (count == static_cast<UINT>(-1))
            return;
        for (UINT position = 0; position < count; ++position) {
            const UINT id = popup.GetMenuItemID(static_cast<int>(position));
            if (id == kSeparator) {
                m_callback(parent, nullptr, 0, 0, 0, nullptr);
                continue;
            }
            CString text;
            popup.GetMenuString(position, text, MF_BYPOSITION);
            if (id == kPopup) {
                CMenu* nested = popup.GetSubMenu(static_cast<int>(position));
                m_callback(parent, text, 0, 0, 0, nullptr);
                if (nested)
                    ExportPopup(*nested, text);
                continue;
            }
            ExportCommand(parent, text, id);
        }
    }

    void ExportCommand(const CString& parent, const CString& text, UINT id)
    {
        CString prompt;
        const BOOL hasPrompt = prompt.LoadString(id);
        const ACCEL accelerator = LastAccelerator(id);
        m_callback(parent, text, id, accelerator.key, accelerator.fVirt, hasPrompt ? prompt.GetString() : nullptr);
        m_commands[id] = parent;
    }

    ACCEL LastAccelerator(UINT id) const
    {
        ACCEL found{};
        for (const ACCEL& entry : m_accelerators) {
            if (entry.cmd == id)
                found = entry;
        }
        return found;
    }

    VqsMenuItemCallBack m_callback;
    std::vector<ACCEL> m_accelerators;
    CMap<UINT, UINT, CString, LPCTSTR> m_commands{10};
};

VqsListFrame::VqsListFrame(VqsViewUpdateCallBack update, VqsViewMessageCallBack message, const LOGFONT* font)
    : m_pfnUpdate(update), m_pfnMessage(message)
{
    if (font)
        std::memcpy(&m_logFont, font, sizeof m_logFont);
    m_font.CreateFontIndirect(&m_logFont);
}

VqsListFrame::~VqsListFrame() = default;

BOOL VqsListFrame::OnCreateClient(LPCREATESTRUCT cs, CCreateContext* context)
{
    return CFrameWnd::OnCreateClient(cs, context);
}

void VqsListFrame::PostNcDestroy()
{
    if (VqsSysApp* app = VqsGetApp())
        app->RemoveFrame(this);
    CFrameWnd::PostNcDestroy();
}

void VqsListFrame::GetCommandState(UINT id, int* enabled, int* checked)
{
    if (id == ID_FILE_CLOSE || id == ID_APP_EXIT || (id >= ID_OPEN_CURRENT && id <= ID_FONTS)) {
        *enabled = 1;
        return;
    }
    if (VqsListView* view = GetCurrentView())
        view->GetCommandState(id, enabled, checked);
}

void VqsListFrame::ActivateNextPane(VqsListView*) {}

void VqsListFrame::SaveLayout() {}

UINT VqsListFrame::GetMenuId() { return 0; }

int VqsListFrame::NotifyHost(const char* keyword, const char* value)
{
    return m_pfnMessage ? m_pfnMessage(keyword, value) : 0;
}

void VqsListFrame::SetStatusText(const char* text)
{
    if (text) {
        NotifyHost("statusTextSet:", text);
        m_strStatusText = text;
    } else {
        NotifyHost("statusTextClear:", nullptr);
        m_strStatusText.Empty();
    }
}

void VqsListFrame::PostUpdateAllCommands()
{
    if (m_bUpdateAllPending)
        return;
    PostMessage(WM_UPDATE_COMMANDS, 0, 0);
    m_bUpdateAllPending = TRUE;
}

void VqsListFrame::PostUpdateCommand(UINT id)
{
    if (id == 0) {
        PostUpdateAllCommands();
        return;
    }
    UINT pending = 0;
    if (m_bUpdateAllPending || m_pendingCommands.Lookup(id, pending))
        return;
    PostMessage(WM_UPDATE_COMMANDS, id, 0);
    m_pendingCommands[id] = id;
}

LRESULT VqsListFrame::OnUpdateCommandsMessage(WPARAM id, LPARAM)
{
    if (id == 0)
        m_bUpdateAllPending = FALSE;
    else
        m_pendingCommands.RemoveKey(static_cast<UINT>(id));
    if (VqsSysApp* app = VqsGetApp())
        app->UpdateCommands(m_hWnd, static_cast<UINT>(id));
    return 1;
}

void VqsListFrame::CheckStaleViews()
{
    if (!m_bRefreshPending)
        return;
    m_bRefreshPending = FALSE;
    if (VqsQuestionBoxId(IDS_VIEW_MAY_HAVE_CHANGED))
        PostMessage(WM_COMMAND, ID_REFRESH, 0);
}

void VqsListFrame::SetFont(const LOGFONT* font)
{
    if (!font)
        return;
    std::memcpy(&m_logFont, font, sizeof m_logFont);
    m_font.DeleteObject();
    m_font.CreateFontIndirect(&m_logFont);
    for (VqsListView* view = GetNextPane(nullptr); view; view = GetNextPane(view))
        view->OnFontChanged();
    RecalcLayout(TRUE);
}

void VqsListFrame::GetSelectionContext(PxVQSystemPtr& system, PxVQBSSoftLinkPtr& bsLink,
                                       PxVQElementSoftLinkPtr& elementLink, PxVQGenSetPtr& genSet)
{
    for (VqsListView* view = GetNextView(nullptr); view; view = GetNextView(view))
        view->GetSelectionContext(system, bsLink, elementLink, genSet);
}

void VqsListFrame::RefreshViews(VqsModel* model)
{
    for (VqsListView* view = GetNextPane(nullptr); view; view = GetNextPane(view))
        view->Refresh(model);
}

BOOL VqsListFrame::AddMenuItems(VqsMenuItemCallBack callback)
{
    const UINT menuId = GetMenuId();
    if (menuId == 0)
        return FALSE;
    CMenu menu;
    if (!menu.LoadMenu(menuId)) {
        VqsErrorBoxId(IDS_CANNOT_LOAD_MENU);
        return FALSE;
    }
    const UINT count = menu.GetMenuItemCount();
    if (count == static_cast<UINT>(-1))
        return TRUE;
    MenuExport menuExport(callback, menuId);
    menuExport.ExportTopLevel(menu, count);
    m_commandTable.RemoveAll();
    for (POSITION pos = menuExport.Commands().GetStartPosition(); pos;) {
        UINT id = 0;
        CString parent;
        menuExport.Commands().GetNextAssoc(pos, id, parent);
        m_commandTable[id] = parent;
    }
    return TRUE;
}

void VqsListFrame::ReportCommandState(const char* name, UINT id, BOOL enabled, BOOL checked) const
{
    if (m_pfnUpdate)
        m_pfnUpdate(name, id, enabled, checked);
}

void VqsListFrame::OnClose()
{
    if (VqsSysApp* app = VqsGetApp())
        app->CloseView(m_hWnd);
}

void VqsListFrame::OnRefresh()
{
    StatusMessage status(this, IDS_REFRESHING_VIEWS);
    CWaitCursor wait;
    VqsModel model;
    VqsLockBag bag(VqsReadLock);
    if (VqsSysApp* app = VqsGetApp())
        app->RefreshAllViews(&model);
    model.LockSubtree(bag, PxVQObjectPtr());
}

LRESULT VqsListFrame::OnRefreshMessage(WPARAM, LPARAM)
{
    OnRefresh();
    return 1;
}

void VqsListFrame::OnAppExit() { NotifyHost("exit:", nullptr); }

void VqsListFrame::OnGo() { VqsGoDispatcher::Instance()->InvokeGo(this); }

void VqsListFrame::OnUpdateOpenCurrent(CCmdUI* cmdUI)
{
    int enabled = 0;
    int checked = 0;
    GetCommandState(ID_OPEN_CURRENT, &enabled, &checked);
    cmdUI->Enable(enabled);
}

void VqsListFrame::OnOpenCurrent()
{
    int result = IDCANCEL;
    {
        StatusMessage status(this, "");
        VqsOpenEnterpriseDlg dialog(this);
        result = static_cast<int>(dialog.DoModal());
    }
    // The dialog's loop may have closed the frame.
    if (result == VqsOpenEnterpriseDlg::IDC_OPEN_HOST_VIEW && m_hWnd)
        NotifyHost("openHostView:", nullptr);
}

void VqsListFrame::OnFileClose()
{
    if (CWnd* document = VqsMdiChildAncestor(GetParent()))
        document->PostMessage(WM_SYSCOMMAND, SC_CLOSE, 0);
}

CWnd* VqsMdiChildAncestor(CWnd* window)
{
    for (; window; window = window->GetParent()) {
        if (window->GetExStyle() & WS_EX_MDICHILD)
            return window;
    }
    return nullptr;
}

void VqsFindMdiChildAncestor(CWnd* window)
{
    CWnd* document = VqsMdiChildAncestor(window);
    if (!document)
        return;
    if (CWnd* client = document->GetParent())
        client->SendMessage(WM_MDIACTIVATE, reinterpret_cast<WPARAM>(document->m_hWnd));
    if (auto* mainFrame = dynamic_cast<CFrameWnd*>(AfxGetMainWnd()))
        mainFrame->RecalcLayout(-1);
}

BOOL VqsCreateFrameOverHost(VqsListFrame* frame, HWND host)
{
    CWnd* hostWindow = ::IsWindow(host) ? CWnd::FromHandle(host) : nullptr;
    if (!hostWindow) {
        delete frame;
        return FALSE;
    }
    CRect client;
    hostWindow->GetClientRect(&client);
    hostWindow->ModifyStyle(0, WS_CLIPCHILDREN);
    return frame->Create(nullptr, nullptr, WS_CHILD | WS_VISIBLE | WS_CLIPCHILDREN, client, hostWindow, 0, nullptr);
}
