#include "win/CFrameWnd.h"

#include "win/CMenu.h"
#include "win/CView.h"
#include "win/Handlers.h"
#include "win/Object.h"

namespace {

// System commands (SC_SIZE and above) are left as the menu has them.
constexpr UINT kFirstSystemCommand = 0xF000;

} // namespace

BEGIN_MESSAGE_MAP(CFrameWnd, CWnd)
    ON_WM_CREATE()
    ON_WM_SIZE()
    ON_WM_INITMENUPOPUP()
END_MESSAGE_MAP()

CFrameWnd::CFrameWnd() = default;

CFrameWnd::~CFrameWnd() = default;

int CFrameWnd::OnCreate(LPCREATESTRUCT cs)
{
    if (Default() == -1)
        return -1;
    if (!OnCreateClient(cs, static_cast<CCreateContext*>(cs->lpCreateParams)))
        return -1;
    if (!m_pViewActive)
        SetActiveView(FirstPaneView(), FALSE);
    RecalcLayout();
    return 0;
}

CView* CFrameWnd::FirstPaneView() const
{
    HWND pane = ::GetDlgItem(m_hWnd, static_cast<int>(AFX_IDW_PANE_FIRST));
    while (HWND inner = pane ? ::GetDlgItem(pane, static_cast<int>(AFX_IDW_PANE_FIRST)) : nullptr)
        pane = inner;
    return dynamic_cast<CView*>(CWnd::FromHandlePermanent(pane));
}

BOOL CFrameWnd::OnCreateClient(LPCREATESTRUCT, CCreateContext* context)
{
    return !context || !context->m_pNewViewClass || CreateView(context) != nullptr;
}

CWnd* CFrameWnd::CreateView(CCreateContext* context, UINT id)
{
    if (!context || !context->m_pNewViewClass)
        return nullptr;
    CObject* object = context->m_pNewViewClass->CreateObject();
    auto* view = dynamic_cast<CWnd*>(object);
    if (!view) {
        delete object;
        return nullptr;
    }
    if (!view->Create(nullptr, nullptr, WS_CHILD | WS_VISIBLE | WS_BORDER, CRect(0, 0, 0, 0), this, id, context))
        return nullptr;
    return view;
}

void CFrameWnd::RecalcLayout(BOOL)
{
    CWnd* pane = GetDlgItem(static_cast<int>(AFX_IDW_PANE_FIRST));
    if (!pane)
        return;
    CRect client;
    GetClientRect(&client);
    pane->MoveWindow(&client);
}

void CFrameWnd::OnSize(UINT type, int, int)
{
    if (type != SIZE_MINIMIZED)
        RecalcLayout();
}

CFrameWnd* CFrameWnd::GetActiveFrame() { return this; }

void CFrameWnd::SetActiveView(CView* view, BOOL notify)
{
    CView* previous = m_pViewActive;
    if (view == previous)
        return;
    m_pViewActive = view;
    if (!notify)
        return;
    if (previous)
        previous->OnActivateView(FALSE, view, previous);
    if (view)
        view->OnActivateView(TRUE, view, previous);
}

void CFrameWnd::OnInitMenuPopup(CMenu* popup, UINT, BOOL sysMenu)
{
    if (sysMenu || !popup)
        return;
    CCmdUI state;
    state.m_pMenu = popup;
    state.m_nIndexMax = popup->GetMenuItemCount();
    for (state.m_nIndex = 0; state.m_nIndex < state.m_nIndexMax; ++state.m_nIndex) {
        state.m_nID = popup->GetMenuItemID(static_cast<int>(state.m_nIndex));
        if (state.m_nID == 0 || state.m_nID == static_cast<UINT>(-1))
            continue;
        state.DoUpdate(this, state.m_nID < kFirstSystemCommand);
    }
}

BOOL CFrameWnd::IsFrameWnd() const { return TRUE; }

BOOL CFrameWnd::OnCmdMsg(UINT id, int code, void* extra, AFX_CMDHANDLERINFO* handlerInfo)
{
    if (m_pViewActive && m_pViewActive->OnCmdMsg(id, code, extra, handlerInfo))
        return TRUE;
    return CWnd::OnCmdMsg(id, code, extra, handlerInfo);
}

void CFrameWnd::PostNcDestroy() { vqwin::DeleteAfterHandlers(this); }
