#include "win/CView.h"

#include "win/CFrameWnd.h"
#include "win/Handlers.h"

BEGIN_MESSAGE_MAP(CView, CWnd)
    ON_WM_DESTROY()
    ON_WM_MOUSEACTIVATE()
END_MESSAGE_MAP()

CView::CView() = default;

CView::~CView() = default;

CFrameWnd* CView::GetParentFrame() const
{
    for (CWnd* window = GetParent(); window; window = window->GetParent()) {
        if (window->IsFrameWnd())
            return dynamic_cast<CFrameWnd*>(window);
    }
    return nullptr;
}

void CView::OnActivateView(BOOL activate, CView* activateView, CView*)
{
    if (!activate || activateView != this)
        return;
    CWnd* focus = GetFocus();
    if (focus != this && !IsChild(focus))
        SetFocus();
}

int CView::OnMouseActivate(CWnd* desktop, UINT hitTest, UINT message)
{
    const int answer = CWnd::OnMouseActivate(desktop, hitTest, message);
    if (answer == MA_NOACTIVATE || answer == MA_NOACTIVATEANDEAT)
        return answer;
    CFrameWnd* frame = GetParentFrame();
    if (!frame)
        return answer;
    CWnd* focus = GetFocus();
    if (frame->GetActiveView() == this && focus != this && !IsChild(focus))
        OnActivateView(TRUE, this, this);
    else
        frame->SetActiveView(this);
    return answer;
}

void CView::OnDestroy()
{
    if (CFrameWnd* frame = GetParentFrame(); frame && frame->GetActiveView() == this)
        frame->SetActiveView(nullptr, FALSE);
    Default();
}

void CView::PostNcDestroy() { vqwin::DeleteAfterHandlers(this); }
