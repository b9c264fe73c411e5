// A view: a child window of a frame that shows something and answers commands while it is
// the frame's active view. A view belongs to itself: the object is deleted when its window
// is destroyed (after the handlers running on its thread have returned, see Handlers.h).
#pragma once

#include "win/CWnd.h"

class CFrameWnd;

class CView : public CWnd {
public:
    CView();
    ~CView() override;

    // The nearest frame among the view's ancestors; null when there is none.
    CFrameWnd* GetParentFrame() const;

    // The frame's active view changed: `activate` tells whether this view gained it. The view
    // that gains it takes the focus unless the focus is already within it.
    virtual void OnActivateView(BOOL activate, CView* activateView, CView* deactiveView);

protected:
    void PostNcDestroy() override;
    // A click on the view makes it its frame's active view (or, when it is already active
    // but the focus is elsewhere, activates it again) before the click is handled.
    int OnMouseActivate(CWnd* desktop, UINT hitTest, UINT message);
    // A destroyed view is no longer its frame's active view.
    void OnDestroy();

    DECLARE_MESSAGE_MAP()
};
