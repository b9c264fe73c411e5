// A view that is a list control ("SysListView32"): the view's window is the list, and
// GetListCtrl reaches it through the list control's calls.
#pragma once

#include "win/CListCtrl.h"
#include "win/CView.h"

class CListView : public CView {
public:
    CListView();
    ~CListView() override;

    CListCtrl& GetListCtrl() const;

    // Draws one row of an owner-drawn list (LVS_OWNERDRAWFIXED); a derived view that asks
    // for owner drawing maps the reflected WM_DRAWITEM here.
    virtual void DrawItem(LPDRAWITEMSTRUCT dis);

protected:
    // The window class is the list's unless the caller names another.
    BOOL PreCreateWindow(CREATESTRUCT& cs) override;

private:
    // Shares the view's window without owning it.
    mutable CListCtrl m_listCtrl;
};
